#pragma once

#include <QObject>

namespace zorvex {

// Whether anybody can see the screen: not while the session is locked, the
// screen saver runs or the monitor is switched off. Moving pictures stop
// meanwhile. Unknown counts as in use.
class ScreenActivity : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool screenInUse() const = 0;

signals:
    void screenInUseChanged(bool inUse);
};

// What the desktop reports, each from its own source.
struct ScreenSignals {
    bool locked = false;      // logind's LockedHint of this session
    bool saverActive = false; // the screen saver's ActiveChanged
    bool monitorOff = false;  // X11 DPMS standby, suspend or off
    bool inUse() const { return !locked && !saverActive && !monitorOff; }
};

} // namespace zorvex
