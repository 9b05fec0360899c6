#include "core/net/HostPort.h"

namespace zorvex {
namespace {

std::optional<quint16> portOf(QStringView text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    return quint16(port);
}

} // namespace

std::optional<HostPort> parseHostPort(const QString& text, quint16 defaultPort)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype close = t.indexOf(QLatin1Char(']'));
        if (close < 2)
            return std::nullopt;
        const QString host = t.mid(1, close - 1);
        const QStringView rest = QStringView(t).mid(close + 1);
        if (rest.isEmpty())
            return HostPort{host, defaultPort};
        if (!rest.startsWith(QLatin1Char(':')))
            return std::nullopt;
        const auto port = portOf(rest.mid(1));
        if (!port)
            return std::nullopt;
        return HostPort{host, *port};
    }
    const qsizetype colon = t.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return HostPort{t, defaultPort};
    if (t.indexOf(QLatin1Char(':'), colon + 1) >= 0)
        return HostPort{t, defaultPort}; // an IPv6 address without brackets
    const QString host = t.left(colon).trimmed();
    const auto port = portOf(QStringView(t).mid(colon + 1).trimmed());
    if (host.isEmpty() || !port)
        return std::nullopt;
    return HostPort{host, *port};
}

} // namespace zorvex
