#pragma once

#include <QtGlobal>

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
// 0xAARRGGBB with full alpha, the layout of QRgb.
constexpr quint32 toArgb(Colour c)
{
    return 0xFF000000u | quint32(colourRed(c)) << 16 | quint32(colourGreen(c)) << 8 | quint32(colourBlue(c));
}
constexpr Colour fromArgb(quint32 argb)
{
    return colourFromRgb(int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF), int(argb & 0xFF));
}

} // namespace zorvex
