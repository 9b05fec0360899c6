#pragma once

#include "core/common/AddonSet.h"
#include "ui/common/AddonListMarks.h"

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QList>
#include <QString>

#include <functional>


namespace zorvex {

// Sets whose newest picture is younger than this (in hours) are marked as
// new in the lists; older ages are written as this.
inline constexpr int kNewSetHours = kNewAddonHours;


// A picture set found in its folder: its name, the age of its newest picture
// in hours (capped at 25, the "new" mark's limit) and its version.
struct PictureSetInfo {
    QString name;
    int ageHours = kNewSetHours;
    QString version; // first line of the set's Wersja.ini
};

// Every sub-folder of `setsFolder`, other than `builtInName` (compared
// upper-cased), for which `fileFor(folder, i)` finds a picture for each i in
// [0, count); sorted by name. Each folder is listed once.
QList<PictureSetInfo> scanPictureSets(const QString& setsFolder, const QString& builtInName, int count,
                                      const std::function<QString(const FolderListing& folder, int index)>& fileFor,
                                      const QDateTime& now);

} // namespace zorvex
