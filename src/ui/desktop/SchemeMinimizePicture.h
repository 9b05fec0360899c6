#pragma once

#include "core/common/Colour.h"

#include <QImage>
#include <QString>

namespace zorvex {

// The main window's minimize button in its three states.
struct MinimizePictures {
    QImage normal, hover, pressed;
};

// LoadMinimizePicture from `file` (empty or missing: the built-in picture
// recoloured with `tint`, the background colour). A 42 x 14 picture holds the
// three states side by side; any other size is the normal state alone. A BMP
// has magenta as its transparent colour, a PNG its own alpha.
MinimizePictures loadMinimizePictures(const QString& file, Colour tint);

// The built-in picture recoloured: each channel of the tint below 48 is
// raised by 48; each pixel unlike the top-left one becomes tint - pixel per
// channel (clamped), and the top-left pixel's colour turns transparent.
QImage tintedMinimizePicture(const QImage& builtIn, Colour tint);
QImage builtInMinimizePicture();

} // namespace zorvex
