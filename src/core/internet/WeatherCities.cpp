#include "core/internet/WeatherCities.h"

#include "core/common/Text.h"

namespace zorvex {

QList<WeatherCity> parseCityList(const QStringList& lines)
{
    QList<WeatherCity> cities;
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        cities.append({PipeField(line, 1), PipeField(line, 2).trimmed()});
    }
    return cities;
}

int selectableCity(const QList<WeatherCity>& cities, int index)
{
    const int n = int(cities.size());
    if (index < 0 || index >= n)
        return -1;
    for (int step = 0; step < n; ++step) {
        const int i = (index + step) % n;
        if (!cities[i].isHeading())
            return i;
    }
    return -1;
}

} // namespace zorvex
