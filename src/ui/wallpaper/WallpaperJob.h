#pragma once

#include "core/wallpaper/WallpaperLayout.h"
#include "core/wallpaper/WallpaperPool.h"
#include "core/wallpaper/WallpaperSettings.h"
#include "core/wallpaper/WallpaperStore.h"

#include <QString>
#include <QStringList>

namespace zorvex {

// One change of the wallpaper, everything that may take time: the draw from
// the pool, loading and resampling the pictures, writing the picture and the
// list files. Runs off the interface thread; one at a time.
struct WallpaperJob {
    WallpaperStore store;
    QStringList folders;
    WallpaperSettings settings;
    WallpaperCanvas canvas;
    bool pickNew = true;
    QString file;   // the picture to show alone when not pickNew
    QString output; // the composed picture, written atomically
    PickBelow pick; // the changer's own generator, seeded once
};

struct WallpaperOutcome {
    QString warning;   // nothing was composed, and why
    bool written = false;
    QString damaged;   // the last picture that could not be drawn
    QStringList used;  // the pictures shown, for the history
};

inline constexpr char kWallpaperCaption[] = "Zorvex - Tapeter";

WallpaperOutcome runWallpaperJob(const WallpaperJob& job);

} // namespace zorvex
