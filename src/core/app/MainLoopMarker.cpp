#include "core/app/MainLoopMarker.h"

#include <QtGlobal>

#include <algorithm>

namespace zorvex {
namespace {

// A window as wide (or high) as the work area has no room to move: it
// stands at the start of the field instead of dividing by zero. The share is
// bounded first, since the marker is kept inside the field anyway.
int scaled(int position, int span, int field)
{
    if (span <= 0)
        return 0;
    return qRound(std::clamp(double(position) / double(span), 0.0, 1.0) * field);
}

} // namespace

QPoint positionMarker(const MarkerLayout& layout)
{
    const int left = layout.picture.x() + 12;
    const int top = layout.picture.y() + 16;
    const int x = left + scaled(layout.window.left(), layout.workArea.width() - layout.window.width(), 118);
    const int y = top + scaled(layout.window.top(), layout.workArea.height() - layout.window.height(), 62);
    return QPoint(std::clamp(x, left, left + 118), std::clamp(y, top, top + 62));
}

} // namespace zorvex
