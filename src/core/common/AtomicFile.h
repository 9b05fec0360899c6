#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zorvex {

// Replaces `path` with `bytes` so that a crash or a full disk never leaves a
// half-written file: the bytes go to a temporary file beside it (the file's
// name + ".zorvex-" + six letters or digits), which is flushed to disk and
// renamed over the old one. When the folder allows no new file but the file
// itself may be written, the file is rewritten in place, the only way left,
// and stderr says so once. On failure the old file is untouched and `error`
// (when given) says why.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The whole file through readDataFile; a missing, refused or unreadable file
// gives false and nothing.
bool readWholeFile(const QString& path, QByteArray* out);

// Whether `name` is a temporary file that writeFileAtomically made for the
// file `of` (both plain file names).
bool isTemporaryOf(const QString& name, const QString& of);

// Removes the temporaries a killed save left beside `files`: only regular
// files named exactly as writeFileAtomically names them for one of `files`.
// Returns how many were removed.
int removeStaleTemporaries(const QStringList& files);

// Deletes a data file; false when it was there and stays.
bool removeDataFile(const QString& path);

// A picture run must leave every file as it was: while suspended, writes and
// removals through this unit touch nothing and report success.
void setFileChangesSuspended(bool suspended);
bool fileChangesSuspended();

} // namespace zorvex
