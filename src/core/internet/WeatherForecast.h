#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorvex {

// One day's forecast of a city as the service answers "pogoda.php".
struct Forecast {
    QString city;
    QString date;
    QString picture; // the service's picture name ("img/pogoda/chm3.gif")
    QString maximum; // "5°C"
    QString minimum;
    QString description;
    QString wind;
    QString factor; // the biometeorological conditions
    QString sunrise;
    QString sunset;
};

// The forecast of a cleaned answer, or nothing when the answer does not
// count: line 0 must be "POGODA" exactly and the first line holding
// "ERRORS" must have "0" as its second field. Lines the answer lacks read
// as empty text.
std::optional<Forecast> parseForecast(const QStringList& lines);

// 1..11 from the picture name, 0 for none. The two-digit names are tested
// first, as "chm1.gif" is part of "chm11.gif".
int forecastPictureNumber(const QString& pictureName);

// The temperature drawn on the icon: 0 the mean of maximum and minimum
// (only when both are whole numbers with "°C", truncated toward zero), 1 the
// maximum, 2 the minimum; blanks removed.
enum class IconTemperature { Mean = 0, Maximum = 1, Minimum = 2 };
QString iconTemperatureText(const QString& maximum, const QString& minimum, IconTemperature type);

// IkoDane: day index, maximum, minimum, description, wind, factor, city,
// separated by the byte 0xFF.
struct IconData {
    int dayIndex = 0;
    QString maximum;
    QString minimum;
    QString description;
    QString wind;
    QString factor;
    QString city;

    static IconData fromForecast(int dayIndex, const Forecast& f);
    QString toText() const;
    // Missing fields read as empty; a day index that is not a number, or
    // outside the five days, gives 0.
    static IconData fromText(const QString& text);
};

// The five entries of the day boxes: "Dzisiaj", "Jutro", "Pojutrze" and the
// weekdays three and four days ahead with a capital first letter.
inline constexpr int kForecastDays = 5;
QStringList forecastDayNames(const QDate& today);

// WeatherHint: the forecast part of the calendar picture's hint, beginning
// with its own line break; `dayName` is the day entry of the data's index.
QString weatherHintText(const IconData& data, const QString& dayName);

} // namespace zorvex
