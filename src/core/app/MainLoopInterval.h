#pragma once

#include <QDateTime>

namespace zorvex {

// Whether at least `ms` milliseconds passed since `reference`; a reference
// never set counts as long past. A reference ahead of now means the clock
// was set back: it is moved to now, so the task waits one interval instead
// of until the clock catches up again (a day without autosave after the
// date was set back by a day).
inline bool intervalElapsed(QDateTime& reference, const QDateTime& now, qint64 ms)
{
    if (!reference.isValid())
        return true;
    const qint64 passed = reference.msecsTo(now);
    if (passed < 0) {
        reference = now;
        return ms <= 0;
    }
    return passed >= ms;
}

} // namespace zorvex
