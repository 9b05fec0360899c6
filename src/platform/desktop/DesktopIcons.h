#pragma once

#include "core/desktop/IconLayout.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace zorvex {

// The desktop's icons, where the desktop keeps their places somewhere a
// program can reach. Both calls wait for outside programs or files: run them
// off the interface thread. Injected; tests use FakeDesktopIcons.
class DesktopIcons {
public:
    virtual ~DesktopIcons() = default;
    virtual bool available() const = 0;
    // In the desktop's order; nullopt when they could not be read.
    virtual std::optional<QList<IconPosition>> icons() = 0;
    // Moves the icons and makes the desktop show them there; empty on
    // success, else what went wrong, in Polish.
    virtual QString moveIcons(const QList<IconPosition>& moves) = 0;
};

// The implementation for the desktop found by XDG_CURRENT_DESKTOP and the
// programs running; one that is not available where none is found.
std::unique_ptr<DesktopIcons> makeDesktopIcons();

// Nemo and Caja: GIO metadata on the files of the desktop folder, through
// the `gio` program.
std::unique_ptr<DesktopIcons> makeGioDesktopIcons(const QString& desktopFolder, const QString& attribute);
// PCManFM-Qt: its desktop items file; the desktop is switched off while the
// file is written and on again after, so it reads the new places.
std::unique_ptr<DesktopIcons> makePcmanfmDesktopIcons(const QString& itemsFile);
// xfdesktop: its icon file, then `xfdesktop --reload`.
std::unique_ptr<DesktopIcons> makeXfceDesktopIcons(const QString& iconFile);

} // namespace zorvex
