#include "core/reminders/AlarmPower.h"

namespace zorvex {

QString powerCountdownLabel(PowerAction action)
{
    switch (action) {
    case PowerAction::PowerOff:
        return QStringLiteral("Wyłączenie kompuera za:");
    case PowerAction::Reboot:
        return QStringLiteral("Restart kompuera za:");
    case PowerAction::Hibernate:
        return QStringLiteral("Hibernacja kompuera za:");
    case PowerAction::Suspend:
        return QStringLiteral("Stan wstrzymania za:");
    case PowerAction::LogOff:
        return QStringLiteral("Wylogowanie za:");
    case PowerAction::MonitorOff:
        return QStringLiteral("Wyłaczenie monitora za:");
    }
    return {};
}

PowerCountdown::PowerCountdown(Callbacks callbacks)
    : m_cb(std::move(callbacks))
{
}

QString PowerCountdown::counterText(int seconds) { return QString::number(seconds) + QStringLiteral(" sek."); }

void PowerCountdown::start(PowerAction action)
{
    m_action = action;
    m_remaining = kSeconds;
    m_counting = true;
    if (m_cb.show)
        m_cb.show(powerCountdownLabel(action), counterText(m_remaining));
}

void PowerCountdown::cancel()
{
    if (!m_counting)
        return;
    m_counting = false;
    if (m_cb.hide)
        m_cb.hide();
}

void PowerCountdown::secondElapsed()
{
    if (!m_counting)
        return;
    --m_remaining;
    if (m_remaining <= 0) {
        m_counting = false;
        if (m_cb.hide)
            m_cb.hide();
        if (m_cb.run)
            m_cb.run(m_action);
        return;
    }
    if (m_cb.show)
        m_cb.show(powerCountdownLabel(m_action), counterText(m_remaining));
    if (m_remaining % 5 == 0 && m_cb.raise)
        m_cb.raise();
}

} // namespace zorvex
