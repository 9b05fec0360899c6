#pragma once

#include "core/status/StatusText.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorvex {

// "#,##0 B" below 1 KB, then "#,##0.00 KB", "MB", "GB" (1024 steps).
QString formatBytes(qint64 bytes, const NumberStyle& style = {});
// "#,##0.00 bps", "Kbps", "Mbps", "Gbps" (1000 steps); empty when unknown.
QString formatSpeed(std::optional<qint64> bitsPerSecond, const NumberStyle& style = {});
// Day totals: "#,##0.00 MB" below 1 GB, else "#,##0.00 GB".
QString formatDayTotal(qint64 bytes, const NumberStyle& style = {});
// A day list's value: MB with two decimals, padded with blanks to 12.
QString formatDayListValue(qint64 bytes, const NumberStyle& style = {});

// Each byte as "%3d.", the last point dropped ("127.  0.  0.  1");
// "IP nieznany" without an address.
QString ipText(std::optional<quint32> ipv4);
inline const QString kIpUnknown = QStringLiteral("IP nieznany");
// Two-digit upper-case hex bytes joined by "-"; "00-00-00-00-00-00" when
// the interface has no physical address.
QString macText(const QByteArray& mac);

// Kilobytes per second, rounded, as the transfer box and the tray show them.
qint64 kilobytesPerSecond(qint64 bytesPerSecond);

} // namespace zorvex
