#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace zorvex {

// One desktop icon: its caption and where it stands, in the desktop's own
// units (pixels, or grid cells where the desktop keeps a grid).
struct IconPosition {
    QString caption;
    QPoint position;
    bool operator==(const IconPosition&) const = default;
};

// The `Ikony_` file: one line per icon, caption "/" x "/" y.
QStringList iconLayoutLines(const QList<IconPosition>& icons);
// Fields are cut at "/": a caption holding "/" keeps only its first part,
// and numbers that do not read are 0.
QList<IconPosition> parseIconLayout(const QStringList& lines);

// What a restore moves: for each saved line in order, the first current icon
// of that caption, when it stands elsewhere. Icons not saved, and saved ones
// gone since, are left alone.
QList<IconPosition> iconMoves(const QList<IconPosition>& saved, const QList<IconPosition>& current);

// Which desktop keeps the icons, from XDG_CURRENT_DESKTOP and the programs
// running; the named desktop wins when its program runs, else any running
// desktop program, else none.
enum class IconDesktop { None, Nemo, Caja, PcmanfmQt, Xfce };
IconDesktop detectIconDesktop(const QString& currentDesktop, const QStringList& runningPrograms);
// The program that draws that desktop's icons (its process name).
QString iconDesktopProgram(IconDesktop desktop);

} // namespace zorvex
