#include "core/calendar/PolishNames.h"

#include <QLocale>

namespace zorvex {

namespace {

const QLocale& polishLocale()
{
    static const QLocale locale(QLocale::Polish, QLocale::Poland);
    return locale;
}

} // namespace

QString polishWeekdayName(int dayOfWeek)
{
    static const char* const kNames[7] = {"poniedziałek", "wtorek", "środa", "czwartek",
                                          "piątek", "sobota", "niedziela"};
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return {};
    return QString::fromUtf8(kNames[dayOfWeek - 1]);
}

QString polishMonthGenitive(int month)
{
    static const char* const kNames[12] = {"stycznia", "lutego", "marca", "kwietnia",
                                           "maja", "czerwca", "lipca", "sierpnia",
                                           "września", "października", "listopada", "grudnia"};
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf8(kNames[month - 1]);
}

QString polishShortWeekdayName(int sundayBasedWeekday)
{
    const int w = ((sundayBasedWeekday % 7) + 7) % 7;
    return polishLocale().dayName(w == 0 ? 7 : w, QLocale::ShortFormat);
}

QString weekdayHeaderName(int sundayBasedWeekday)
{
    static const char* const names[] = {"Nd", "Pn", "Wt", "Śr", "Cz", "Pt", "So"};
    return QString::fromUtf8(names[((sundayBasedWeekday % 7) + 7) % 7]);
}

QString polishMonthName(int month, bool abbreviated)
{
    if (month < 1 || month > 12)
        return {};
    return polishLocale().standaloneMonthName(month, abbreviated ? QLocale::ShortFormat : QLocale::LongFormat);
}

QString polishDateText(const QDate& date, const QString& format)
{
    return polishLocale().toString(date, format);
}

} // namespace zorvex
