#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>
#include <QTimeZone>

namespace zorvex {

inline constexpr int kMinutesPerDay = 24 * 60;

// Where the sun is computed for: latitude and longitude in degrees (north
// and east positive) and the standard time zone in hours east of UTC.
struct Observer {
    double latitude = 0.0;
    double longitude = 0.0;
    int zone = 0;
};

// The program's one location, built in: Warsaw, 52 14 00 N, 21 01 00 E,
// standard time UTC+1. Nothing of it comes from the settings.
Observer fixedObserver();

// Times of one day as minutes from its midnight. Sunrise and sunset are cut
// to whole minutes; sunset is 1440 when the sun does not set.
struct SunTimes {
    int sunrise = 0;
    int sunset = 0;
    int dayLength = 0;    // minutes from sunrise to sunset
    int middayStart = 0;  // sunrise + a quarter of the day length
    int eveningStart = 0; // an hour before sunset
    int nightStart = 0;   // an hour after sunset
    friend bool operator==(const SunTimes&, const SunTimes&) = default;
};

// The approximate solar formula (equation of time and declination by their
// short series, refraction of 0.833 degrees) for day `dayOfYear` (1 on
// 1 January) with `daylightOffset` hours of daylight saving (0 or 1).
SunTimes computeSunTimes(int dayOfYear, int daylightOffset, const Observer& observer = fixedObserver());

// 1 when `zone` keeps daylight time at `moment`, else 0.
int daylightOffset(const QDateTime& moment, const QTimeZone& zone);

// The built-in place keeps Poland's clock: 1 when Poland is in daylight
// time at `moment`, else 0. The time-zone database's Europe/Warsaw decides;
// where the system has no such zone, the European rule does.
int polishDaylightOffset(const QDateTime& moment);
// The European rule: daylight time from 01:00 UTC of the last Sunday of
// March to 01:00 UTC of the last Sunday of October.
int europeanDaylightOffset(const QDateTime& moment);

// "hh:mm" of a minute count; 1440 reads 00:00.
QString clockText(int minutes);

enum class DayPart { None = 0, Morning = 1, Midday = 2, Evening = 3, Night = 4 };

// The part of the day at a time, compared at minute resolution over the
// half-open intervals morning [sunrise, midday), midday [midday, evening),
// evening [evening, night), night [night, 24:00) or [0:00, sunrise).
DayPart dayPartAt(const SunTimes& sun, int minuteOfDay);
DayPart dayPartAt(const SunTimes& sun, const QTime& time);

// The built-in place's sun at one moment, for a user whose clock may run in
// another time zone. The sun is computed and shown on the place's own clock
// (its standard zone and Poland's daylight time at that moment, for the
// place's date): the card names Warsaw's sunrise as Warsaw sees it, wherever
// the user is. In Poland the two clocks agree.
struct PlaceSun {
    SunTimes sun;       // on the place's clock
    int clockShift = 0; // minutes the user's clock is ahead of the place's

    // The place's day part at a time of the user's clock.
    DayPart partAt(const QTime& userTime) const;
};
// `now` is the user's clock reading (its date and time) and `userZone` the
// zone that clock keeps.
PlaceSun placeSunAt(const QDateTime& now, const QTimeZone& userZone);

// Remembers which day part's picture is showing so that it is switched only
// when the part changes. Nothing is showing before the first switch.
class DayPartTracker {
public:
    static constexpr int kNoneShown = -1;

    // True when the picture is to change to `part` (which is then
    // remembered): the part differs from the shown one and no weather icon
    // occupies the picture.
    bool switchTo(DayPart part, bool weatherIconShown = false);
    int lastShown() const { return m_last; }

private:
    int m_last = kNoneShown;
};

} // namespace zorvex
