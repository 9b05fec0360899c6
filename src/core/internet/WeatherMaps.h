#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace zorvex {

// One line of a map list: its name and the address template of its picture.
struct WeatherMap {
    QString name;
    QString url;

    bool operator==(const WeatherMap&) const = default;
};

// A map list file (the standard "Pogoda2.ini" or the user's `Pogoda1_`):
// name, the byte 0xFF, template; lines without a name are dropped.
QList<WeatherMap> parseMapList(const QStringList& lines);
QStringList mapListLines(const QList<WeatherMap>& maps);

// The map's address for `today`: the placeholders of yesterday, today,
// tomorrow and the day after ("[-1RRRR]" … "[2D]") replaced by that day's
// year, two-digit year, month and day with and without a leading zero.
QString expandMapTemplate(const QString& urlTemplate, const QDate& today);

// Only web addresses are fetched: a list line may not point at a local file
// or another scheme.
bool isWebMapUrl(const QString& url);

// The picture type a map's address names (".GIF", ".JPG", ".PNG"), or empty
// when it names another: the path's extension, upper-cased, without the
// query.
QString mapPictureType(const QString& url);

// The selection a replaced standard list keeps: the entry of the same name,
// else the first one (-1 for an empty list).
int selectionAfterReplace(const QList<WeatherMap>& before, int selected, const QList<WeatherMap>& after);

} // namespace zorvex
