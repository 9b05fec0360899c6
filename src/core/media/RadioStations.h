#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zorvex {

// One station line: a name and an address field joined by the list
// separator. The address field may hold several alternatives split by "|";
// "-" marks a category header whose name is the category.
struct RadioStation {
    QString name;
    QString url;

    bool isHeader() const { return url == QLatin1String("-"); }
    bool operator==(const RadioStation&) const = default;
};

RadioStation parseStationLine(const QString& line);
QString stationLine(const RadioStation& station);

// The station list of the service ("RadioL.ini"), grouped by its headers.
class RadioStationList {
public:
    RadioStationList() = default;
    explicit RadioStationList(const QStringList& lines);

    // Lines before the first header belong to no category and are not shown.
    QStringList categories() const;
    // The stations of category `index`; none for an index out of range.
    QList<RadioStation> stations(int category) const;

private:
    struct Category {
        QString name;
        QList<RadioStation> stations;
    };
    QList<Category> m_categories;
};

// The user's favourites ("RadioU_"), one station line each.
class RadioFavourites {
public:
    void setLines(const QStringList& lines);
    QStringList lines() const { return m_lines; }
    int count() const { return int(m_lines.size()); }
    RadioStation at(int index) const;
    QStringList names() const;
    bool contains(const RadioStation& station) const;
    // The first favourite with that address field; -1 when none.
    int indexOfUrl(const QString& url) const;

    // False, changing nothing, when the whole line is there already.
    bool add(const RadioStation& station);
    bool replace(int index, const RadioStation& station);
    bool remove(int index);
    // Swaps with the neighbour; false at the ends.
    bool move(int index, int step);

private:
    QStringList m_lines;
};

// Loads and writes the two files. A favourites file that could not be read
// whole is never written over (rule of the other list files).
QStringList loadStationFile(const QString& path, bool* replace = nullptr);
bool saveStationFile(const QString& path, const QStringList& lines, QString* error = nullptr);

} // namespace zorvex
