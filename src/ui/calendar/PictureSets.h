#pragma once

#include <QDateTime>
#include <QDir>
#include <QList>
#include <QString>

#include <functional>

namespace zorvex {

// A folder's file by its upper-cased name, so sets made on systems that
// ignore letter case are found; empty when there is none.
QString findIgnoringCase(const QDir& dir, const QString& fileName);

// The first line of a Windows-1250 text file; empty when unreadable.
QString firstLineOf(const QString& path);

// A picture set found in its folder: its name, the age of its newest picture
// in hours (capped at 25, the "new" mark's limit) and its version.
struct PictureSetInfo {
    QString name;
    int ageHours = 25;
    QString version; // first line of the set's Wersja.ini
};

// Every sub-folder of `setsFolder`, other than `builtInName` (compared
// upper-cased), for which `fileFor(folder, i)` finds a picture for each i in
// [0, count); sorted by name.
QList<PictureSetInfo> scanPictureSets(const QString& setsFolder, const QString& builtInName, int count,
                                      const std::function<QString(const QString& folder, int index)>& fileFor,
                                      const QDateTime& now);

} // namespace zorvex
