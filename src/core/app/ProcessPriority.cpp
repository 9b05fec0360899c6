#include "core/app/ProcessPriority.h"

#include <algorithm>

namespace zorvex {

PriorityClass priorityFor(int setting, bool anyBusy, bool canLeaveIdle)
{
    switch (setting) {
    case 0:
        return PriorityClass::High;
    case 1:
        return PriorityClass::Normal;
    case 2:
        return PriorityClass::Idle;
    default:
        return anyBusy || !canLeaveIdle ? PriorityClass::Normal : PriorityClass::Idle;
    }
}

ProcessPriority::ProcessPriority(PrioritySetter& setter)
    : m_setter(setter)
{
}

void ProcessPriority::setMode(int setting)
{
    m_mode = setting >= 0 && setting <= 3 ? setting : kAutomatic;
    reevaluate();
}

void ProcessPriority::setBusy(const QString& task, bool busy)
{
    const bool changed = busy ? !m_busy.contains(task) : m_busy.contains(task);
    if (!changed)
        return;
    if (busy)
        m_busy.insert(task);
    else
        m_busy.remove(task);
    reevaluate();
}

QStringList ProcessPriority::busyTasks() const
{
    QStringList out(m_busy.begin(), m_busy.end());
    std::sort(out.begin(), out.end());
    return out;
}

// The system is asked only when the class really changes.
void ProcessPriority::reevaluate()
{
    if (m_mode < 0)
        return;
    const PriorityClass wanted = priorityFor(m_mode, anyBusy(), m_setter.canLeaveIdle());
    if (m_applied == wanted)
        return;
    m_applied = wanted;
    m_setter.apply(wanted);
}

} // namespace zorvex
