#pragma once

#include "core/reminders/AlarmPower.h"

#include <QList>

namespace zorvex {

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
