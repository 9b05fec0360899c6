#include "platform/ProcessPriority.h"

#include <QDir>

#include <cerrno>

#include <sys/resource.h>
#include <sys/types.h>
#include <unistd.h>

namespace zorvex {
namespace {

// The threads of this process; just the calling one when /proc is missing.
QList<id_t> threadIds()
{
    QList<id_t> ids;
    const QStringList names = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        bool ok = false;
        const uint id = name.toUInt(&ok);
        if (ok)
            ids.append(id_t(id));
    }
    if (ids.isEmpty())
        ids.append(0);
    return ids;
}

// False when the value is not permitted; a thread that ended meanwhile does
// not count as a refusal.
bool setNice(const QList<id_t>& ids, int value)
{
    bool permitted = true;
    for (const id_t id : ids) {
        if (setpriority(PRIO_PROCESS, id, value) != 0 && errno != ESRCH)
            permitted = false;
    }
    return permitted;
}

} // namespace

void LinuxPrioritySetter::apply(PriorityClass priority)
{
    const QList<id_t> ids = threadIds();
    switch (priority) {
    case PriorityClass::High:
        if (!setNice(ids, kHighNice))
            setNice(ids, kNormalNice);
        break;
    case PriorityClass::Normal:
        setNice(ids, kNormalNice);
        break;
    case PriorityClass::Idle:
        setNice(ids, kIdleNice);
        break;
    }
}

bool LinuxPrioritySetter::canLeaveIdle() const
{
    if (geteuid() == 0)
        return true;
    rlimit limit{};
    if (getrlimit(RLIMIT_NICE, &limit) != 0)
        return false;
    // RLIMIT_NICE n allows nice values down to 20 − n.
    return limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= rlim_t(20 - kNormalNice);
}

} // namespace zorvex
