#include "core/internet/WeatherForecast.h"

#include "core/calendar/DayFacts.h"
#include "core/calendar/PolishNames.h"
#include "core/common/Text.h"

#include <array>

namespace zorvex {

namespace {

QString lineAt(const QStringList& lines, int i)
{
    return i < lines.size() ? lines[i] : QString();
}

const QChar kIconSeparator(0x00FF);

// A whole number followed by "°C", blanks ignored.
std::optional<int> celsius(const QString& text)
{
    static const QString unit = QStringLiteral("°C");
    if (!text.contains(unit))
        return std::nullopt;
    QString bare = text;
    bare.remove(unit).remove(QLatin1Char(' '));
    // The service writes the minus as a hyphen; a typographic one counts too.
    bare.replace(QChar(0x2212), QLatin1Char('-'));
    bool ok = false;
    const int value = bare.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

std::optional<Forecast> parseForecast(const QStringList& lines)
{
    if (lines.isEmpty() || lines[0] != QLatin1String("POGODA"))
        return std::nullopt;
    bool success = false;
    for (const QString& line : lines) {
        if (line.contains(QLatin1String("ERRORS"))) {
            success = PipeField(line, 2) == QLatin1String("0");
            break;
        }
    }
    if (!success)
        return std::nullopt;
    Forecast f;
    f.city = lineAt(lines, 2);
    f.date = lineAt(lines, 3);
    f.picture = lineAt(lines, 4);
    f.maximum = lineAt(lines, 5);
    f.minimum = lineAt(lines, 6);
    f.description = lineAt(lines, 7);
    f.wind = lineAt(lines, 8);
    f.factor = lineAt(lines, 9);
    f.sunrise = lineAt(lines, 10);
    f.sunset = lineAt(lines, 11);
    return f;
}

int forecastPictureNumber(const QString& pictureName)
{
    static const std::array<std::pair<const char*, int>, 11> kNames = {{{"chm16.gif", 11},
                                                                        {"chm14.gif", 10},
                                                                        {"chm12.gif", 9},
                                                                        {"chm11.gif", 8},
                                                                        {"chm10.gif", 7},
                                                                        {"chm8.gif", 6},
                                                                        {"chm6.gif", 5},
                                                                        {"chm4.gif", 4},
                                                                        {"chm3.gif", 3},
                                                                        {"chm2.gif", 2},
                                                                        {"chm1.gif", 1}}};
    for (const auto& [name, number] : kNames) {
        if (pictureName.contains(QLatin1String(name)))
            return number;
    }
    return 0;
}

QString iconTemperatureText(const QString& maximum, const QString& minimum, IconTemperature type)
{
    QString text;
    switch (type) {
    case IconTemperature::Mean: {
        const std::optional<int> high = celsius(maximum);
        const std::optional<int> low = celsius(minimum);
        if (high && low)
            text = QString::number((*high + *low) / 2) + QStringLiteral("°C"); // C++ division truncates toward zero
        break;
    }
    case IconTemperature::Maximum:
        text = maximum;
        break;
    case IconTemperature::Minimum:
        text = minimum;
        break;
    }
    return text.remove(QLatin1Char(' '));
}

IconData IconData::fromForecast(int dayIndex, const Forecast& f)
{
    return {dayIndex, f.maximum, f.minimum, f.description, f.wind, f.factor, f.city};
}

QString IconData::toText() const
{
    return QStringList{QString::number(dayIndex), maximum, minimum, description, wind, factor, city}.join(kIconSeparator);
}

IconData IconData::fromText(const QString& text)
{
    IconData d;
    bool ok = false;
    const int day = Field(text, kIconSeparator, 1).toInt(&ok);
    d.dayIndex = ok && day >= 0 && day < kForecastDays ? day : 0;
    d.maximum = Field(text, kIconSeparator, 2);
    d.minimum = Field(text, kIconSeparator, 3);
    d.description = Field(text, kIconSeparator, 4);
    d.wind = Field(text, kIconSeparator, 5);
    d.factor = Field(text, kIconSeparator, 6);
    d.city = Field(text, kIconSeparator, 7);
    return d;
}

QStringList forecastDayNames(const QDate& today)
{
    QStringList names{QStringLiteral("Dzisiaj"), QStringLiteral("Jutro"), QStringLiteral("Pojutrze")};
    for (int ahead : {3, 4}) {
        QString name = polishWeekdayName(today.addDays(ahead).dayOfWeek());
        if (!name.isEmpty())
            name[0] = name[0].toUpper();
        names << name;
    }
    return names;
}

QString weatherHintText(const IconData& data, const QString& dayName)
{
    // Tool tips break lines at LF.
    QString hint = QStringLiteral("\n") + factsSeparatorLine() + QStringLiteral("\nPogoda (") + dayName.toLower()
        + QLatin1Char(')');
    if (!data.city.isEmpty())
        hint += QStringLiteral(", ") + data.city;
    hint += QStringLiteral("\nTemperatura od ") + data.minimum + QStringLiteral(" do ") + data.maximum
        + QLatin1Char('\n') + data.description + QLatin1Char('\n') + data.wind + QLatin1Char('\n') + data.factor;
    return hint;
}

} // namespace zorvex
