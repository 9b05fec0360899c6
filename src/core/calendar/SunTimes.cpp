#include "core/calendar/SunTimes.h"

#include "core/calendar/Degrees.h"

#include <cmath>

namespace zorvex {

namespace {

constexpr double kRadPerDegree = 0.01745329251994;

double sinDeg(double d) { return std::sin(d * kRadPerDegree); }
double cosDeg(double d) { return std::cos(d * kRadPerDegree); }
double tanDeg(double d) { return std::tan(d * kRadPerDegree); }
double acosDeg(double x) { return std::acos(x) / kRadPerDegree; }

// Hours as a time of day, seconds dropped. The time is first rounded to
// milliseconds, so 20:00 computed as 19.99999999 h still reads 20:00.
int wholeMinutes(double hours)
{
    const long long ms = std::llround(hours * 3600000.0);
    return int(ms >= 0 ? ms / 60000 : -((-ms + 59999) / 60000));
}

} // namespace

Observer fixedObserver()
{
    Observer o;
    o.latitude = std::fabs(parseDegrees(u"52 14 00").value);
    o.longitude = std::fabs(parseDegrees(u"21 01 00").value);
    o.zone = 1;
    return o;
}

SunTimes computeSunTimes(int dayOfYear, int daylightOffset, const Observer& observer)
{
    const double n = dayOfYear;
    const double phi = observer.latitude;
    const double lambda = observer.longitude;
    const double z = observer.zone;
    const double d = daylightOffset;

    // Equation of time, in hours.
    const double b = (n - 81.0) * 360.0 / 364.0;
    const double e = (9.87 * sinDeg(2.0 * b) - 7.53 * cosDeg(b) - 1.5 * sinDeg(b)) / 60.0;
    const double declination = 23.45 * sinDeg((n + 284.0) * 360.0 / 365.25);
    const double c = cosDeg(90.833) / (cosDeg(phi) * cosDeg(declination)) - tanDeg(phi) * tanDeg(declination);

    SunTimes t;
    if (c < -1.0) {
        t.sunrise = 0;
        t.sunset = kMinutesPerDay;
    } else if (c > 1.0) {
        t.sunrise = 0;
        t.sunset = 0;
    } else {
        const double h = acosDeg(c);
        double a = 180.0 - h + 15.0 * z - lambda;
        while (a < 0.0)
            a += 360.0;
        t.sunrise = wholeMinutes(a / 15.0 - e + d);
        t.sunset = wholeMinutes((h + 180.0 + 15.0 * z - lambda) / 15.0 - e + d);
    }
    t.dayLength = t.sunset - t.sunrise;
    t.middayStart = t.sunrise + t.dayLength / 4;
    t.eveningStart = t.sunset - 60;
    t.nightStart = t.sunset + 60;
    return t;
}

int daylightOffset(const QDateTime& moment, const QTimeZone& zone)
{
    return zone.isValid() && zone.isDaylightTime(moment) ? 1 : 0;
}

int europeanDaylightOffset(const QDateTime& moment)
{
    const QDateTime utc = moment.toUTC();
    const int year = utc.date().year();
    auto lastSunday = [year](int month) {
        QDate d(year, month, QDate(year, month, 1).daysInMonth());
        return d.addDays(-(d.dayOfWeek() % 7));
    };
    const QDateTime start(lastSunday(3), QTime(1, 0), QTimeZone::utc());
    const QDateTime end(lastSunday(10), QTime(1, 0), QTimeZone::utc());
    return utc >= start && utc < end ? 1 : 0;
}

int polishDaylightOffset(const QDateTime& moment)
{
    static const QTimeZone poland(QByteArrayLiteral("Europe/Warsaw"));
    return poland.isValid() ? daylightOffset(moment, poland) : europeanDaylightOffset(moment);
}

DayPart PlaceSun::partAt(const QTime& userTime) const
{
    const int userMinute = userTime.hour() * 60 + userTime.minute();
    const int placeMinute = ((userMinute - clockShift) % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay;
    return dayPartAt(sun, placeMinute);
}

PlaceSun placeSunAt(const QDateTime& now, const QTimeZone& userZone)
{
    const QDateTime moment = userZone.isValid() ? QDateTime(now.date(), now.time(), userZone) : now;
    const Observer place = fixedObserver();
    const int daylight = polishDaylightOffset(moment);
    const int placeOffset = (place.zone + daylight) * 3600;
    PlaceSun out;
    out.sun = computeSunTimes(moment.toOffsetFromUtc(placeOffset).date().dayOfYear(), daylight, place);
    out.clockShift = (moment.offsetFromUtc() - placeOffset) / 60;
    return out;
}

QString clockText(int minutes)
{
    const int m = ((minutes % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay;
    return QStringLiteral("%1:%2").arg(m / 60, 2, 10, QLatin1Char('0')).arg(m % 60, 2, 10, QLatin1Char('0'));
}

DayPart dayPartAt(const SunTimes& sun, int minuteOfDay)
{
    const int m = minuteOfDay;
    if (m >= sun.sunrise && m < sun.middayStart)
        return DayPart::Morning;
    if (m >= sun.middayStart && m < sun.eveningStart)
        return DayPart::Midday;
    if (m >= sun.eveningStart && m < sun.nightStart)
        return DayPart::Evening;
    if ((m >= sun.nightStart && m < kMinutesPerDay) || (m >= 0 && m < sun.sunrise))
        return DayPart::Night;
    return DayPart::None;
}

DayPart dayPartAt(const SunTimes& sun, const QTime& time)
{
    return dayPartAt(sun, time.hour() * 60 + time.minute());
}

bool DayPartTracker::switchTo(DayPart part, bool weatherIconShown)
{
    if (weatherIconShown || int(part) == m_last)
        return false;
    m_last = int(part);
    return true;
}

} // namespace zorvex
