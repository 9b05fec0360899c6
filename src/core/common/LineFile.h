#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

// Plain list files: one entry per line, Windows-1250, lines ended by CR LF.

// The lines of the file, read through readTextFile; a missing or refused
// file gives none. `ok` says whether the file was read whole, and `replace`
// whether writing it anew from these lines loses nothing (read whole, or not
// there at all).
QStringList loadLineFile(const QString& path, bool* ok = nullptr, bool* replace = nullptr);

// Writes `lines` as Windows-1250 text, each ended by CR LF, atomically; a
// failed write leaves the old file and says why in `error`.
bool saveLineFile(const QString& path, const QStringList& lines, QString* error = nullptr);

} // namespace zorvex
