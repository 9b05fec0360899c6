#pragma once

// Builds login accounting files record by record from the system's own
// struct utmp, so the fixtures have exactly the layout the reader expects.

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

#include <cstring>
#include <utmp.h>

namespace zorvex::test {

struct WtmpLine {
    short type;
    const char* user;
    const char* line;
    qint64 epoch; // seconds, UTC
};

inline QByteArray wtmpRecord(const WtmpLine& w)
{
    struct utmp u;
    std::memset(&u, 0, sizeof u);
    u.ut_type = w.type;
    u.ut_pid = w.type == USER_PROCESS ? 1234 : 0;
    std::strncpy(u.ut_line, w.line, sizeof u.ut_line);
    std::strncpy(u.ut_id, "~~", sizeof u.ut_id);
    std::strncpy(u.ut_user, w.user, sizeof u.ut_user);
    std::strncpy(u.ut_host, "6.1.0-18-amd64", sizeof u.ut_host);
    u.ut_tv.tv_sec = static_cast<decltype(u.ut_tv.tv_sec)>(w.epoch);
    return QByteArray(reinterpret_cast<const char*>(&u), sizeof u);
}

// The records of a start ("reboot"), the run level that follows it, a login
// and a shutdown, as a systemd machine writes them.
inline QByteArray boot(qint64 epoch)
{
    return wtmpRecord({BOOT_TIME, "reboot", "~", epoch}) + wtmpRecord({RUN_LVL, "runlevel", "~", epoch + 5})
        + wtmpRecord({USER_PROCESS, "jan", "tty7", epoch + 60});
}

inline QByteArray shutdown(qint64 epoch)
{
    return wtmpRecord({DEAD_PROCESS, "", "tty7", epoch - 2}) + wtmpRecord({RUN_LVL, "shutdown", "~~", epoch});
}

inline qint64 utc(const char* text)
{
    QDateTime t = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    t.setTimeZone(QTimeZone::utc());
    return t.toSecsSinceEpoch();
}

// The committed fixture "runs.wtmp" (times in UTC): a run, a run across
// midnight, a run that ended without a shutdown record, a run over two
// midnights and the run still going.
inline QByteArray runsFixture()
{
    return boot(utc("10.03.2024 08:00:00")) + shutdown(utc("10.03.2024 12:30:00"))
        + boot(utc("10.03.2024 22:00:00")) + shutdown(utc("11.03.2024 02:00:00"))
        + boot(utc("12.03.2024 09:00:00"))
        + boot(utc("12.03.2024 13:00:00")) + shutdown(utc("14.03.2024 01:00:00"))
        + boot(utc("15.03.2024 07:00:00"));
}

} // namespace zorvex::test
