#pragma once

#include "core/common/FontValue.h"

#include <QFont>

namespace zorvex {

// A font setting as the main window shows it: its points at 96 DPI, so
// text keeps the window's fixed pixel sizes.
QFont windowFontOf(const FontValue& value);
// The same font sized in points, as the font dialog expects it.
QFont dialogFontOf(const FontValue& value);
// A font picked in the dialog as a setting; the character set stays.
FontValue fontValueOf(const QFont& font, int charset);

} // namespace zorvex
