#pragma once

#include "core/reminders/AlarmPower.h"

#include <QList>

namespace zorvex {

// Power actions through systemd-logind on the system bus. Logging off asks
// the desktop's session manager first and ends the logind session when
// there is none; the monitor is switched off with "xset" on X11.
class SystemPowerActions : public PowerActions {
public:
    QString run(PowerAction action) override;
};

} // namespace zorvex
