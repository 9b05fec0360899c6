#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace zorvex {

// The pictures a wallpaper is drawn from: every file directly in the listed
// folders (no subfolders) whose extension, in any case, is .jpg or .bmp, and
// also .png and .webp, of which Linux wallpaper folders are full. ".jpeg"
// does not count.
bool isWallpaperSource(QStringView fileName);

// Folders are kept with a trailing "/".
QString wallpaperFolder(const QString& folder);

// The pool's refill: the sources of every listed folder that exists, folder
// by folder, each folder's files by name.
QStringList scanWallpaperFolders(const QStringList& folders);
// How many sources lie directly in one folder (the folder picker's count).
int countWallpaperSources(const QString& folder);

// The warning when a refilled pool of `size` files is too small for `mode`
// (IleTap); empty when it is large enough.
QString poolShortageMessage(int size, int mode);

// The folder picker's " (N plik jpg lub bmp)" with the right plural.
QString sourceCountSuffix(int n);

// A whole number from 0 to bound - 1.
using PickBelow = std::function<int(int bound)>;
using FileExists = std::function<bool(const QString& path)>;
using FolderScan = std::function<QStringList()>;

struct WallpaperDraw {
    QStringList picked; // in cell order; empty when the change stops
    QString shortage;   // why it stopped (a warning for interactive runs)
    bool refilled = false;
};

// Takes `count` pictures out of `pool` at random, without repeating any
// until the pool is used up. A pool smaller than `count` is refilled from
// `scan` first; a refilled pool smaller than the mode needs stops the change
// with the shortage warning. Files that no longer exist are dropped and
// drawn again; when that leaves the pool too small for what is still
// needed, the pool is refilled and the draw starts over, but only once per
// change, so names that vanish again can never loop. `count` may exceed the
// mode's own number (one set of pictures per monitor): when the files run
// out after the mode's number was reached, the drawn pictures are used
// again for the remaining cells.
WallpaperDraw drawWallpapers(QStringList& pool, int mode, int count, const PickBelow& pick, const FileExists& exists,
                             const FolderScan& scan);

} // namespace zorvex
