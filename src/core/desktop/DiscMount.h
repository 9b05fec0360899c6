#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

inline constexpr char kDiscCaption[] = "Zorvex - Klony";

// The command that mounts an image, as a program and its arguments (started
// without a shell, so no character of a path is ever interpreted).
struct MountCommand {
    QString program;
    QStringList arguments;
};

struct MountPlan {
    QString warning; // why nothing is started; empty when `command` is set
    MountCommand command;
    bool ok() const { return warning.isEmpty(); }
};

// Checks the program and the image in the fixed order and builds the
// command by the program's file name: DAEMON Tools and Alcohol 120% by their
// own command lines, and on Linux `udisksctl loop-setup` and `cdemu load`.
// A bare program name is looked up on the PATH.
MountPlan planMount(const QString& program, const QString& image);

} // namespace zorvex
