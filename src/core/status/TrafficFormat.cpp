#include "core/status/TrafficFormat.h"

#include <cmath>

namespace zorvex {

QString formatBytes(qint64 bytes, const NumberStyle& style)
{
    const double v = double(bytes);
    if (bytes < 1024)
        return formatNumber(v, 0, true, style) + QStringLiteral(" B");
    if (bytes < 1048576)
        return formatNumber(v / 1024.0, 2, true, style) + QStringLiteral(" KB");
    if (bytes < 1073741824)
        return formatNumber(v / 1048576.0, 2, true, style) + QStringLiteral(" MB");
    return formatNumber(v / 1073741824.0, 2, true, style) + QStringLiteral(" GB");
}

QString formatSpeed(std::optional<qint64> bitsPerSecond, const NumberStyle& style)
{
    if (!bitsPerSecond || *bitsPerSecond < 0)
        return {};
    const double v = double(*bitsPerSecond);
    if (v < 1e3)
        return formatNumber(v, 2, true, style) + QStringLiteral(" bps");
    if (v < 1e6)
        return formatNumber(v / 1e3, 2, true, style) + QStringLiteral(" Kbps");
    if (v < 1e9)
        return formatNumber(v / 1e6, 2, true, style) + QStringLiteral(" Mbps");
    return formatNumber(v / 1e9, 2, true, style) + QStringLiteral(" Gbps");
}

QString formatDayTotal(qint64 bytes, const NumberStyle& style)
{
    if (bytes < 1073741824)
        return formatNumber(double(bytes) / 1048576.0, 2, true, style) + QStringLiteral(" MB");
    return formatNumber(double(bytes) / 1073741824.0, 2, true, style) + QStringLiteral(" GB");
}

QString formatDayListValue(qint64 bytes, const NumberStyle& style)
{
    const QString text = formatNumber(double(bytes) / 1048576.0, 2, false, style) + QStringLiteral(" MB");
    return text.rightJustified(12, QLatin1Char(' '));
}

QString ipText(std::optional<quint32> ipv4)
{
    if (!ipv4)
        return kIpUnknown;
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.isEmpty())
            text += QLatin1Char('.');
        text += QString::number((*ipv4 >> shift) & 0xFF).rightJustified(3, QLatin1Char(' '));
    }
    return text;
}

QString macText(const QByteArray& mac)
{
    if (mac.isEmpty())
        return QStringLiteral("00-00-00-00-00-00");
    return QString::fromLatin1(mac.toHex('-').toUpper());
}

qint64 kilobytesPerSecond(qint64 bytesPerSecond)
{
    return std::llround(double(qMax<qint64>(0, bytesPerSecond)) / 1024.0);
}

} // namespace zorvex
