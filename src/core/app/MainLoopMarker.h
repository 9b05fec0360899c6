#pragma once

#include "core/shell/LoopServices.h"

#include <QPoint>

namespace zorvex {

// Top-left corner of the small marker on the "Położenie" page's screen
// picture: the window's place in the work area scaled to a 118 × 62 field
// that starts 12 pixels right and 16 down from the picture's corner.
QPoint positionMarker(const MarkerLayout& layout);

} // namespace zorvex
