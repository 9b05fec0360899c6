#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace zorvex {

class Clock;

// Signs are numbered 1..12 from "Wodnik" (21 January) to "Koziorożec";
// 0 means no sign.
inline constexpr int kZodiacSigns = 12;

// The sign of a day and month, decided by the month and one day threshold
// per month. Any day number is accepted; a month outside 1..12 gives 0.
int SignOf(int day, int month);
inline int SignOf(const QDate& date) { return date.isValid() ? SignOf(date.day(), date.month()) : 0; }

// "Wodnik" ... "Koziorożec"; empty outside 1..12.
QString zodiacSignName(int sign);
// "21.01-20.02" ...; empty outside 1..12.
QString zodiacRangeText(int sign);
// The sign after `sign` (1 follows 12).
int nextZodiacSign(int sign);

// The horoscope menu numbers its signs from "Baran" (1) to "Ryby" (12); the
// web request carries that number. 0 outside 1..12.
int horoscopeNumber(int sign);
// The sign of a horoscope menu number; 0 outside 1..12.
int signOfHoroscopeNumber(int number);

// The picture's hint: the current and the next sign with their ranges, then
// the names of the persons born under the current sign, when there are any.
// Lines end in CR LF.
QString zodiacSignHint(int sign, const QStringList& namesUnderSign);

// The once-a-day rule of the sign's refresh: the first call after start and
// the first call on every later date run; the others do nothing. The date of
// the last run lives in memory only.
class ZodiacDailyGuard {
public:
    explicit ZodiacDailyGuard(const Clock& clock);

    // True (and today is remembered) when today differs from the last run.
    bool take();
    QDate lastRun() const { return m_lastRun; }

private:
    const Clock& m_clock;
    QDate m_lastRun;
};

} // namespace zorvex
