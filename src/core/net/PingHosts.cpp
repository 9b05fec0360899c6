#include "core/net/PingHosts.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/common/Text.h"

#include <optional>

namespace zorvex {
namespace {

// Four octets 0..255, or nothing.
std::optional<QList<int>> octets(const QString& ip)
{
    const QStringList parts = ip.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    QList<int> out;
    for (const QString& p : parts) {
        bool ok = false;
        const int v = p.trimmed().toInt(&ok);
        if (!ok || v < 0 || v > 255)
            return std::nullopt;
        out << v;
    }
    return out;
}

} // namespace

PingHost parsePingHost(const QString& line)
{
    PingHost h;
    bool ok = false;
    const int status = PipeField(line, 1).toInt(&ok);
    h.status = ok && (status == 0 || status == 1) ? status : -1;
    h.ip = PipeField(line, 2).trimmed();
    h.name = PipeField(line, 3);
    return h;
}

QString formatPingHost(const PingHost& h)
{
    QString name = h.name;
    name.remove(QLatin1Char('|')).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    return QString::number(h.status) + QLatin1Char('|') + h.ip + QLatin1Char('|') + name;
}

bool loadPingHosts(const QString& path, QList<PingHost>* hosts)
{
    hosts->clear();
    const TextFileRead file = readTextFile(path);
    if (!file.read())
        return file.status == FileReadStatus::Missing;
    for (QString line : file.text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        PingHost h = parsePingHost(line);
        h.status = -1;
        if (!h.ip.isEmpty())
            *hosts << h;
    }
    return true;
}

bool savePingHosts(const QString& path, const QList<PingHost>& hosts)
{
    QString out;
    for (const PingHost& h : hosts)
        out += formatPingHost(h) + QStringLiteral("\r\n");
    return writeFileAtomically(path, toCp1250(out));
}

QList<PingChange> pingChanges(const QList<PingHost>& before, const QList<PingHost>& after)
{
    QList<PingChange> out;
    for (const PingHost& b : after) {
        for (const PingHost& a : before) {
            if (a.ip != b.ip || a.status == b.status)
                continue;
            if (b.status == 1)
                out << PingChange{true, b.label()};
            else if (b.status == 0 && a.status != -1)
                out << PingChange{false, b.label()};
        }
    }
    return out;
}

QString pingBalloonText(const QList<PingChange>& changes)
{
    QStringList rows;
    for (const PingChange& c : changes)
        rows << (c.up ? QStringLiteral("[+] ") : QStringLiteral("[-] ")) + c.label;
    return rows.join(QLatin1Char('\r'));
}

QStringList pingRange(const QString& start, const QString& end)
{
    const auto s = octets(start);
    if (!s)
        return {};
    const auto e = octets(end);
    int from = s->at(3);
    int to = e ? e->at(3) : from;
    if (to < from)
        std::swap(from, to);
    QStringList out;
    for (int n = from; n <= to; ++n)
        out << QStringLiteral("%1.%2.%3.%4").arg(s->at(0)).arg(s->at(1)).arg(s->at(2)).arg(n);
    return out;
}

QString rangeEndToStore(const QString& start, const QString& end)
{
    const auto s = octets(start);
    const auto e = octets(end);
    if (!s || !e)
        return end.trimmed();
    return QStringLiteral("%1.%2.%3.%4").arg(s->at(0)).arg(s->at(1)).arg(s->at(2)).arg(e->at(3));
}

QString alignedIp(const QString& ip)
{
    const QStringList parts = ip.split(QLatin1Char('.'));
    QStringList out;
    for (const QString& p : parts)
        out << p.rightJustified(3);
    return out.join(QLatin1Char('.'));
}

} // namespace zorvex
