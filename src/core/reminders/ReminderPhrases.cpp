#include "core/reminders/ReminderPhrases.h"

namespace zorvex {

namespace {
// Polish plural: 2-4 and 22-24, 32-34, ... take the "few" form; 5-21 and
// the rest the "many" form.
bool fewForm(int n)
{
    if (n >= 2 && n <= 4)
        return true;
    if (n < 22)
        return false;
    const int last = n % 10;
    return last >= 2 && last <= 4;
}
} // namespace

QString daysLeftPhrase(int days)
{
    if (days == 1)
        return QStringLiteral("(pozostał: 1 dzień)");
    return fewForm(days) ? QStringLiteral("(pozostały: %1 dni)").arg(days)
                         : QStringLiteral("(pozostało: %1 dni)").arg(days);
}

QString agePhrase(int years)
{
    if (years == 1)
        return QStringLiteral("(1 rok)");
    return fewForm(years) ? QStringLiteral("(%1 lata)").arg(years) : QStringLiteral("(%1 lat)").arg(years);
}

QString relativeDayPhrase(int days)
{
    switch (days) {
    case 0: return {};
    case 1: return QStringLiteral("[jutro]");
    case 2: return QStringLiteral("[pojutrze]");
    case -1: return QStringLiteral("[wczoraj]");
    case -2: return QStringLiteral("[przedwczoraj]");
    default: break;
    }
    return days > 0 ? QStringLiteral("[za %1 dni]").arg(days) : QStringLiteral("[%1 dni temu]").arg(-days);
}

QString whenText(int daysAhead)
{
    switch (daysAhead) {
    case 0: return QStringLiteral("Dzisiaj:");
    case 1: return QStringLiteral("Jutro:");
    case 2: return QStringLiteral("Pojutrze:");
    default: return QStringLiteral("za %1 dni:").arg(daysAhead);
    }
}

QDate occurrence(int year, int month, int day, bool leapDayToEve)
{
    if (leapDayToEve && month == 2 && day == 29 && !QDate::isLeapYear(year))
        day = 28;
    return QDate::isValid(year, month, day) ? QDate(year, month, day) : QDate();
}

} // namespace zorvex
