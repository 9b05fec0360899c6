#include "platform/status/WtmpRecords.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utmp.h>

#include <vector>

namespace zorvex {
namespace {

bool userIs(const struct utmp& u, const char* name)
{
    const std::size_t n = strnlen(u.ut_user, sizeof u.ut_user);
    return n == std::strlen(name) && std::memcmp(u.ut_user, name, n) == 0;
}

} // namespace

QString WtmpRecords::defaultPath()
{
    const QString own = qEnvironmentVariable("ZORVEX_WTMP");
    return own.isEmpty() ? QStringLiteral("/var/log/wtmp") : own;
}

WtmpRecords::WtmpRecords(QString path)
    : m_path(std::move(path))
{
}

std::vector<UptimeEvent> WtmpRecords::read()
{
    std::vector<UptimeEvent> events;
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return events;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return events;
    }
    // Never more records than the file held when it was opened; a file that
    // grows meanwhile is read up to that size.
    qint64 left = qint64(st.st_size) / qint64(sizeof(struct utmp));
    constexpr qint64 kChunk = 512;
    std::vector<struct utmp> buffer(kChunk);
    while (left > 0) {
        const std::size_t want = std::size_t(qMin(left, kChunk)) * sizeof(struct utmp);
        std::size_t got = 0;
        auto* bytes = reinterpret_cast<char*>(buffer.data());
        while (got < want) {
            const ssize_t n = ::read(fd, bytes + got, want - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += std::size_t(n);
        }
        const std::size_t records = got / sizeof(struct utmp);
        for (std::size_t i = 0; i < records; ++i) {
            const struct utmp& u = buffer[i];
            UptimeEvent e;
            if (u.ut_type == BOOT_TIME && userIs(u, "reboot"))
                e.kind = UptimeEvent::Kind::Start;
            else if (u.ut_type == RUN_LVL && userIs(u, "shutdown"))
                e.kind = UptimeEvent::Kind::End;
            else
                continue;
            e.time = QDateTime::fromSecsSinceEpoch(qint64(u.ut_tv.tv_sec));
            events.push_back(e);
        }
        if (got < want)
            break;
        left -= qint64(records);
    }
    ::close(fd);
    return events;
}

} // namespace zorvex
