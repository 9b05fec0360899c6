#include "core/calendar/DayFile.h"

namespace zorvex {

QString dayValue(const IniFile& file, int month, int day)
{
    return file.readString(QString::number(month), QString::number(day));
}

QString lookupDayValue(const QString& path, const QDate& date)
{
    if (!date.isValid())
        return {};
    return dayValue(IniFile::load(path), date.month(), date.day());
}

} // namespace zorvex
