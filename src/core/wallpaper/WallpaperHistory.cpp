#include "core/wallpaper/WallpaperHistory.h"

#include <algorithm>

namespace zorvex {

namespace {

void dropTrailingSeparator(QStringList& list)
{
    if (!list.isEmpty() && isHistorySeparator(list.last()))
        list.removeLast();
}

} // namespace

QStringList addToHistory(const QStringList& history, const QStringList& used, bool grid)
{
    QStringList list = used;
    if (grid && !used.isEmpty())
        list << QStringLiteral("-");
    list += history;
    dropTrailingSeparator(list);
    const auto separators = std::count_if(list.begin(), list.end(), isHistorySeparator);
    const qsizetype limit = kWallpaperHistoryLimit + separators;
    while (list.size() > limit)
        list.removeLast();
    dropTrailingSeparator(list);
    return list;
}

QStringList tidyHistory(const QStringList& history)
{
    QStringList list;
    for (const QString& line : history) {
        if (isHistorySeparator(line) && !list.isEmpty() && isHistorySeparator(list.last()))
            continue;
        list << line;
    }
    if (std::all_of(list.begin(), list.end(), isHistorySeparator))
        list.clear();
    return list;
}

QStringList renamedInHistory(QStringList history, const QString& from, const QString& to)
{
    for (QString& line : history)
        if (line == from)
            line = to;
    return history;
}

} // namespace zorvex
