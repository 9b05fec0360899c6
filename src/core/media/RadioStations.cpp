#include "core/media/RadioStations.h"

#include "core/common/Cp1250.h"
#include "core/common/LineFile.h"

namespace zorvex {

RadioStation parseStationLine(const QString& line)
{
    const qsizetype at = line.indexOf(kListSeparator);
    if (at < 0)
        return {line, QString()};
    // A second separator belongs to the address field as it was written.
    return {line.left(at), line.mid(at + 1)};
}

QString stationLine(const RadioStation& station)
{
    return station.name + kListSeparator + station.url;
}

RadioStationList::RadioStationList(const QStringList& lines)
{
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        const RadioStation s = parseStationLine(line);
        if (s.isHeader())
            m_categories.append({s.name, {}});
        else if (!m_categories.isEmpty())
            m_categories.last().stations.append(s);
    }
}

QStringList RadioStationList::categories() const
{
    QStringList names;
    for (const Category& c : m_categories)
        names.append(c.name);
    return names;
}

QList<RadioStation> RadioStationList::stations(int category) const
{
    if (category < 0 || category >= m_categories.size())
        return {};
    return m_categories.at(category).stations;
}

void RadioFavourites::setLines(const QStringList& lines)
{
    m_lines.clear();
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            m_lines.append(line);
}

RadioStation RadioFavourites::at(int index) const
{
    if (index < 0 || index >= m_lines.size())
        return {};
    return parseStationLine(m_lines.at(index));
}

QStringList RadioFavourites::names() const
{
    QStringList out;
    for (const QString& line : m_lines)
        out.append(parseStationLine(line).name);
    return out;
}

bool RadioFavourites::contains(const RadioStation& station) const
{
    return m_lines.contains(stationLine(station));
}

int RadioFavourites::indexOfUrl(const QString& url) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (parseStationLine(m_lines.at(i)).url == url)
            return i;
    return -1;
}

bool RadioFavourites::add(const RadioStation& station)
{
    if (station.name.isEmpty() && station.url.isEmpty())
        return false;
    if (contains(station))
        return false;
    m_lines.append(stationLine(station));
    return true;
}

bool RadioFavourites::replace(int index, const RadioStation& station)
{
    if (index < 0 || index >= m_lines.size())
        return false;
    m_lines[index] = stationLine(station);
    return true;
}

bool RadioFavourites::remove(int index)
{
    if (index < 0 || index >= m_lines.size())
        return false;
    m_lines.removeAt(index);
    return true;
}

bool RadioFavourites::move(int index, int step)
{
    const int to = index + step;
    if (index < 0 || index >= m_lines.size() || to < 0 || to >= m_lines.size())
        return false;
    m_lines.swapItemsAt(index, to);
    return true;
}

QStringList loadStationFile(const QString& path, bool* replace)
{
    return loadLineFile(path, nullptr, replace);
}

bool saveStationFile(const QString& path, const QStringList& lines, QString* error)
{
    return saveLineFile(path, lines, error);
}

} // namespace zorvex
