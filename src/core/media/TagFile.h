#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

namespace zorvex {

// Sets `error` (when given) to a message naming the file and the cause.
void setTagError(QString* error, const QString& message, const QString& path, const QString& cause = {});
void setOpenError(QString* error, const QString& path, const QFileDevice& file);

// A tag is changed on the owner's request, so a read-only file is made
// writable first, as the tag window has always done.
void clearReadOnly(const QString& path);

// Replaces the file at `path` with `head`, the bytes [from, to) of the file as
// it is now, then `tail`. The new content goes to a temporary file in the same
// folder that is renamed over the old one, so a failure at any point leaves
// the old file whole. The kept bytes are copied in chunks, never held in
// memory at once.
bool rewriteFile(const QString& path, const QByteArray& head, qint64 from, qint64 to,
                 const QByteArray& tail, QString* error);

} // namespace zorvex
