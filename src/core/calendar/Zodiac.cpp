#include "core/calendar/Zodiac.h"

#include "core/common/Clock.h"

#include <array>

namespace zorvex {
namespace {

struct SignRow {
    const char* name; // UTF-8
    const char* range;
};

constexpr std::array<SignRow, kZodiacSigns> kSigns{{
    {"Wodnik", "21.01-20.02"},
    {"Ryby", "21.02-20.03"},
    {"Baran", "21.03-20.04"},
    {"Byk", "21.04-21.05"},
    {"Bliźnięta", "22.05-21.06"},
    {"Rak", "22.06-22.07"},
    {"Lew", "23.07-22.08"},
    {"Panna", "23.08-22.09"},
    {"Waga", "23.09-23.10"},
    {"Skorpion", "24.10-22.11"},
    {"Strzelec", "23.11-21.12"},
    {"Koziorożec", "22.12-20.01"},
}};

// The last day of each month that still belongs to the sign begun in the
// month before.
constexpr std::array<int, 12> kThreshold{20, 20, 20, 20, 21, 21, 22, 22, 22, 23, 22, 21};

const QString kLine(30, QLatin1Char('-'));
const QString kCrLf = QStringLiteral("\r\n");

bool validSign(int sign)
{
    return sign >= 1 && sign <= kZodiacSigns;
}

} // namespace

int SignOf(int day, int month)
{
    if (month < 1 || month > 12)
        return 0;
    // January's early days are the end of Koziorożec (12), and so on: the
    // sign before the threshold is the month's number minus one.
    const int before = month == 1 ? 12 : month - 1;
    return day <= kThreshold[size_t(month - 1)] ? before : month;
}

QString zodiacSignName(int sign)
{
    return validSign(sign) ? QString::fromUtf8(kSigns[size_t(sign - 1)].name) : QString();
}

QString zodiacRangeText(int sign)
{
    return validSign(sign) ? QString::fromLatin1(kSigns[size_t(sign - 1)].range) : QString();
}

int nextZodiacSign(int sign)
{
    return sign >= kZodiacSigns ? 1 : sign + 1;
}

int horoscopeNumber(int sign)
{
    // The menu starts at Baran (sign 3).
    return validSign(sign) ? (sign + 9) % 12 + 1 : 0;
}

int signOfHoroscopeNumber(int number)
{
    return validSign(number) ? (number + 1) % 12 + 1 : 0;
}

QString zodiacSignHint(int sign, const QStringList& namesUnderSign)
{
    if (!validSign(sign))
        return {};
    const int next = nextZodiacSign(sign);
    QString hint = QStringLiteral("Aktualny znak:") + kCrLf + zodiacSignName(sign) + QStringLiteral(" [")
        + zodiacRangeText(sign) + QLatin1Char(']') + kCrLf + kLine + kCrLf + QString::fromUtf8("Następny znak:")
        + kCrLf + zodiacSignName(next) + QStringLiteral(" [") + zodiacRangeText(next) + QLatin1Char(']');

    QString names;
    for (const QString& name : namesUnderSign)
        names += name + kCrLf;
    names = names.trimmed();
    if (!names.isEmpty()) {
        hint += kCrLf + kLine + kCrLf + QStringLiteral("Osoby o znaku zodiaku ") + zodiacSignName(sign)
            + QLatin1Char(':') + kCrLf + names;
    }
    return hint;
}

ZodiacDailyGuard::ZodiacDailyGuard(const Clock& clock)
    : m_clock(clock)
{
}

bool ZodiacDailyGuard::take()
{
    const QDate today = m_clock.now().date();
    if (today == m_lastRun)
        return false;
    m_lastRun = today;
    return true;
}

} // namespace zorvex
