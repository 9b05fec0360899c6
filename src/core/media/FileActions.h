#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace zorvex {

// Moving, copying and trashing the playlist's files. A file already in the
// target folder is never replaced without asking: an identical copy there is
// passed over, a different file of that name goes to `replace`, which says
// whether to put the new one in its place. Nothing is ever deleted instead of
// going to the desktop's trash.
struct FileActionReport {
    int done = 0;
    int skipped = 0;
    QStringList failures; // one Polish line per file that could not be handled
};

using ReplaceQuestion = std::function<bool(const QString& target)>;

FileActionReport copyFilesTo(const QStringList& files, const QString& folder, const ReplaceQuestion& replace);
FileActionReport moveFilesTo(const QStringList& files, const QString& folder, const ReplaceQuestion& replace);
FileActionReport trashFiles(const QStringList& files);

} // namespace zorvex
