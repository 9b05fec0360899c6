#include "core/calendar/NameSearch.h"

#include "core/calendar/DayFile.h"
#include "core/common/Text.h"

namespace zorvex {

QString NameSearchHit::line() const
{
    return QStringLiteral("%1.%2 ")
               .arg(day, 2, 10, QLatin1Char('0'))
               .arg(month, 2, 10, QLatin1Char('0'))
        + names;
}

QList<NameSearchHit> searchNames(const IniFile& namesFile, const QString& text)
{
    QList<NameSearchHit> hits;
    if (text.isEmpty())
        return hits;
    const QString needle = PolishUpper(text);
    for (int month = 1; month <= 12; ++month) {
        const QString section = QString::number(month);
        for (int day = 1; day <= 31; ++day) {
            const QString key = QString::number(day);
            if (!namesFile.hasKey(section, key))
                continue;
            const QString names = namesFile.readString(section, key);
            if (PolishUpper(names).contains(needle))
                hits.append({month, day, names});
        }
    }
    return hits;
}

QList<NameSearchHit> searchNames(const QString& namesPath, const QString& text)
{
    return searchNames(IniFile::load(namesPath), text);
}

} // namespace zorvex
