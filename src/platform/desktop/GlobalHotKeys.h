#pragma once

#include "core/desktop/DriveHotKeys.h"

#include <QList>
#include <QObject>

#include <memory>

namespace zorvex {

// System-wide hot keys: pressed in any program, they reach this one.
// Injected; tests use FakeGlobalHotKeys.
class GlobalHotKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // False where the window system lets no program grab keys (Wayland
    // without the portal). It may turn true later: availableChanged().
    virtual bool available() const = 0;
    // Replaces every hot key of the program by these; returns the ones that
    // could not be had (another program holds them). Where the desktop
    // answers later, refused() brings them.
    virtual QList<HotKeyCombo> setHotKeys(const QList<HotKeyCombo>& combos) = 0;

signals:
    void pressed(zorvex::HotKeyCombo combo);
    void availableChanged();
    void refused(const QList<zorvex::HotKeyCombo>& combos);
};

// The X server's key grabs in an X11 session; on Wayland the desktop
// portal's global shortcuts, where the desktop has them.
std::unique_ptr<GlobalHotKeys> makeGlobalHotKeys();
bool isWaylandSession();

} // namespace zorvex
