#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zorvex {

// An entry of "ListaMiast.ini": name "|" city id. An entry without an id is
// a group heading, drawn bold and never selectable.
struct WeatherCity {
    QString name;
    QString id;
    bool isHeading() const { return id.isEmpty(); }
};

// The entries of the list's lines; empty lines are skipped.
QList<WeatherCity> parseCityList(const QStringList& lines);

// The entry a selection of `index` lands on: a heading moves it to the next
// entry, past the last to the first. -1 when the index is out of range or
// the list holds only headings (the search goes round the list once).
int selectableCity(const QList<WeatherCity>& cities, int index);

} // namespace zorvex
