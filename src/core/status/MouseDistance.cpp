#include "core/status/MouseDistance.h"

#include <limits>

namespace zorvex {

MouseDistance MouseDistance::fromPixels(qint64 pixels)
{
    const qint64 p = qMax<qint64>(0, pixels);
    // Saturate rather than wrap on absurd totals.
    const qint64 v = p > std::numeric_limits<qint64>::max() / 20 ? std::numeric_limits<qint64>::max() : p * 20;
    MouseDistance d;
    d.km = v / 100000000;
    d.m = int(v / 100000 % 1000);
    d.cm = int(v / 1000 % 100);
    d.mm = int(v / 10 % 100 / 10);
    return d;
}

QString MouseDistance::label() const
{
    return QString::number(km) + QStringLiteral(" km ") + QString::number(m).rightJustified(3, QLatin1Char('0'))
        + QStringLiteral(" m ") + QString::number(cm).rightJustified(2, QLatin1Char('0')) + QStringLiteral(" cm ")
        + QString::number(mm) + QStringLiteral(" mm");
}

QString MouseDistance::compact() const
{
    const QString tail = QString::number(cm).rightJustified(2, QLatin1Char('0')) + QStringLiteral("cm ")
        + QString::number(mm) + QStringLiteral("mm");
    const QString metres = QString::number(m).rightJustified(3, QLatin1Char(' ')) + QStringLiteral("m ");
    if (km > 0)
        return QString::number(km) + QStringLiteral("km ") + metres + tail;
    if (m > 0)
        return QStringLiteral("    ") + metres + tail;
    return QString(9, QLatin1Char(' ')) + tail;
}

} // namespace zorvex
