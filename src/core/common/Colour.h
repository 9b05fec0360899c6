#pragma once

#include <QRgb>

namespace zorvex {

// Colours are stored as blue*65536 + green*256 + red.
using Colour = int;

constexpr Colour colourFromRgb(int red, int green, int blue)
{
    return (blue & 0xFF) << 16 | (green & 0xFF) << 8 | (red & 0xFF);
}
constexpr int colourRed(Colour c) { return c & 0xFF; }
constexpr int colourGreen(Colour c) { return (c >> 8) & 0xFF; }
constexpr int colourBlue(Colour c) { return (c >> 16) & 0xFF; }
constexpr QRgb toQRgb(Colour c) { return qRgb(colourRed(c), colourGreen(c), colourBlue(c)); }
constexpr Colour fromQRgb(QRgb rgb) { return colourFromRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

} // namespace zorvex
