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

// Records what it was asked to do; `failure` is returned as the message.
class FakePowerActions : public PowerActions {
public:
    QString run(PowerAction action) override
    {
        m_calls.append(action);
        return m_failure;
    }
    QList<PowerAction> calls() const { return m_calls; }
    void setFailure(const QString& message) { m_failure = message; }

private:
    QList<PowerAction> m_calls;
    QString m_failure;
};

} // namespace zorvex
