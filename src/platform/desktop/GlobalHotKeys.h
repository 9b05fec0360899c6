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
    // False where the window system lets no program grab keys (Wayland).
    virtual bool available() const = 0;
    // Replaces every hot key of the program by these; returns the ones that
    // could not be had (another program holds them).
    virtual QList<HotKeyCombo> setHotKeys(const QList<HotKeyCombo>& combos) = 0;

signals:
    void pressed(zorvex::HotKeyCombo combo);
};

// The X server's key grabs, where there is one and the session is X11.
std::unique_ptr<GlobalHotKeys> makeGlobalHotKeys();

} // namespace zorvex
