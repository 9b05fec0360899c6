#include "core/calendar/Degrees.h"

#include <QString>
#include <QStringList>

#include <cmath>

namespace zorvex {

ParsedDegrees parseDegrees(QStringView text)
{
    QString t = text.trimmed().toString();
    double sign = 1.0;
    if (t.startsWith(QLatin1Char('-'))) {
        sign = -1.0;
        t.remove(0, 1);
    }
    const QStringList fields = t.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() > 3)
        return {};
    bool ok = true;
    const int degrees = fields.size() > 0 ? fields.at(0).toInt(&ok) : 0;
    if (!ok)
        return {};
    const int minutes = fields.size() > 1 ? fields.at(1).toInt(&ok) : 0;
    if (!ok)
        return {};
    const double seconds = fields.size() > 2 ? QString(fields.at(2)).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok) : 0.0;
    if (!ok || !std::isfinite(seconds))
        return {};
    return {(degrees + minutes / 60.0 + seconds / 3600.0) * sign, true};
}

} // namespace zorvex
