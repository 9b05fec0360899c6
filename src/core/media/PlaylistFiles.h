#pragma once

#include "core/media/PlaylistEntry.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zorvex {

// The playlist store (M3U1_: one entry per line, its fields joined by the
// list separator) and the target-folder store (M3U2_: one folder per line).
// Both are Windows-1250 unless a line holds what that code page cannot, when
// the file is written as UTF-8 behind its byte order mark; reading tells the
// two apart by content.
struct LoadedLines {
    QStringList lines;
    bool mayReplace = true; // false when the file was there but not read whole
};

LoadedLines loadListLines(const QString& path);
bool saveListLines(const QString& path, const QStringList& lines, QString* error = nullptr);

QList<PlaylistEntry> entriesOfLines(const QStringList& lines);
QStringList linesOfEntries(const QList<PlaylistEntry>& entries);

} // namespace zorvex
