#pragma once

#include <QByteArray>
#include <QString>

namespace zorvex {

// Replaces `path` with `bytes` so that a crash or a full disk never leaves a
// half-written file: the bytes go to a temporary file in the same folder,
// which is flushed to disk and renamed over the old one. On failure the old
// file is untouched and `error` (when given) says why.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Reads a whole file; an unreadable or missing file gives nothing.
bool readWholeFile(const QString& path, QByteArray* out);

} // namespace zorvex
