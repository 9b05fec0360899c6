#include "core/internet/RelativePath.h"

#include <QStringList>

namespace zorvex {

QString safeRelativePath(const QString& path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty() || p.startsWith(QLatin1Char('/')) || p.contains(QLatin1Char(':')))
        return {};
    for (QChar c : p) {
        if (c.unicode() < 0x20)
            return {};
    }
    const QStringList parts = p.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return {};
    }
    return p;
}

} // namespace zorvex
