#pragma once

#include "core/common/Colour.h"
#include "core/wallpaper/WallpaperLayout.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace zorvex {

struct CompositionOptions {
    int mode = 0;          // IleTap
    bool keepAspect = false;
    bool highQuality = false;
    Colour background = 0; // used with keepAspect; black otherwise
    bool single = false;   // one picture over each monitor, whatever the mode
};

struct Composition {
    QImage image;    // the canvas size, RGB32
    QString damaged; // the last picture that could not be loaded or resampled
};

// Composes the wallpaper: per monitor, its cells at that monitor's size,
// filled with the pictures in order (monitor after monitor), on one picture
// spanning the canvas. A picture that cannot be loaded leaves its cell in
// the background colour, and the strip across the top names it. Safe off
// the interface thread.
Composition composeWallpaper(const WallpaperCanvas& canvas, const QStringList& pictures,
                             const CompositionOptions& options);

// Lanczos3 resampling of a picture (any format) to `size`, RGB32; a null
// picture when either size is empty.
QImage resampleHighQuality(const QImage& picture, QSize size);

} // namespace zorvex
