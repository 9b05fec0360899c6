#pragma once

// Shared helpers of the statistics tests: times written the way the
// statistics files write them.

#include "core/status/StatusText.h"
#include "core/status/UptimeRuns.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

#include <vector>

namespace zorvex::test {

inline QDateTime at(const QString& text)
{
    return QDateTime::fromString(text, QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

// "S dd.MM.yyyy HH:mm:ss" is a start line, "E ..." an end line.
inline std::vector<UptimeEvent> events(const QStringList& lines)
{
    std::vector<UptimeEvent> out;
    for (const QString& l : lines) {
        const auto kind = l.startsWith(QLatin1Char('S')) ? UptimeEvent::Kind::Start : UptimeEvent::Kind::End;
        out.push_back({kind, at(l.mid(2))});
    }
    return out;
}

// "dd.MM.yyyy HH:mm:ss|dd.MM.yyyy HH:mm:ss"
inline std::vector<UptimeRun> runs(const QStringList& lines)
{
    std::vector<UptimeRun> out;
    for (const QString& l : lines) {
        const QStringList p = l.split(QLatin1Char('|'));
        out.push_back({at(p.value(0)), at(p.value(1))});
    }
    return out;
}

// INI text written with "\n" for readability, as the files have it ("\r\n").
inline QByteArray crlf(const char* text)
{
    return QByteArray(text).replace("\n", "\r\n");
}

inline QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace zorvex::test
