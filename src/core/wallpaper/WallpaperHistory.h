#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

// The history of the pictures shown, newest first; in grid modes a line "-"
// separates the pictures of one change from those of the one before.
inline constexpr int kWallpaperHistoryLimit = 32;
inline bool isHistorySeparator(const QString& line)
{
    return line == QLatin1String("-");
}

// The history after a change that used `used` (in cell order): the new
// pictures first, then in grid modes a separator, then the old history, cut
// to the newest 32 pictures (separators do not count) without a separator
// at the end.
QStringList addToHistory(const QStringList& history, const QStringList& used, bool grid);

// After rows were removed: runs of separators become one, and a list of
// nothing but separators becomes empty.
QStringList tidyHistory(const QStringList& history);

// Every row holding `from` gets `to` (after a rename).
QStringList renamedInHistory(QStringList history, const QString& from, const QString& to);

} // namespace zorvex
