#include "core/app/WindowSnap.h"

#include <algorithm>
#include <cstdlib>

namespace zorvex {
namespace {

bool isNear(int a, int b)
{
    return std::abs(a - b) < kSnapDistance;
}

// One axis of the window: [low, high) with the limits of a change. Edges are
// exclusive at the high end so that adjacent windows share a coordinate.
struct Axis {
    int low;
    int high;
    bool move;      // the change kept the size: snapping moves the window
    bool lowMoved;  // for a resize: which edges were dragged
    bool highMoved;
    int minimum;

    void snapLow(int target)
    {
        if (!isNear(low, target))
            return;
        if (move) {
            high += target - low;
            low = target;
        } else if (lowMoved && high - target >= minimum) {
            low = target;
        }
    }

    void snapHigh(int target)
    {
        if (!isNear(high, target))
            return;
        if (move) {
            low += target - high;
            high = target;
        } else if (highMoved && target - low >= minimum) {
            high = target;
        }
    }

    bool overlaps(int otherLow, int otherHigh) const { return low < otherHigh && high > otherLow; }
};

Axis makeAxis(int pLow, int pSize, int oLow, int oSize, int minimum, bool move)
{
    Axis a{pLow, pLow + pSize, move, pLow != oLow, pLow + pSize != oLow + oSize, minimum};
    if (pSize < minimum) {
        // Raised to the minimum: the edge that was not dragged stays put.
        if (a.lowMoved)
            a.low = a.high - minimum;
        else
            a.high = a.low + minimum;
    }
    return a;
}

} // namespace

QRect snapWindow(const SnapInput& in)
{
    const QRect& p = in.proposed;
    const QRect& o = in.old;
    const bool move = !o.isValid() || p.size() == o.size();
    Axis x = makeAxis(p.x(), p.width(), o.x(), o.width(), std::max(0, in.minimum.width()), move);
    Axis y = makeAxis(p.y(), p.height(), o.y(), o.height(), std::max(0, in.minimum.height()), move);

    const QRect& wa = in.workArea;
    if (wa.isValid()) {
        x.snapLow(wa.x());
        y.snapLow(wa.y());
        x.snapHigh(wa.x() + wa.width());
        y.snapHigh(wa.y() + wa.height());
    }
    const QRect& sc = in.screen;
    if (sc.isValid()) {
        x.snapLow(sc.x());
        y.snapLow(sc.y());
        x.snapHigh(sc.x() + sc.width());
        y.snapHigh(sc.y() + sc.height());
    }
    if (in.mainWindow && in.mainWindow->isValid()) {
        const QRect& m = *in.mainWindow;
        const int mLeft = m.x(), mRight = m.x() + m.width();
        const int mTop = m.y(), mBottom = m.y() + m.height();
        if (y.overlaps(mTop, mBottom)) {
            x.snapHigh(mLeft); // beside the main window, on its left
            x.snapLow(mRight); // on its right
        }
        if (x.overlaps(mLeft, mRight)) {
            y.snapHigh(mTop);    // above it
            y.snapLow(mBottom);  // below it
        }
    }
    return QRect(x.low, y.low, x.high - x.low, y.high - y.low);
}

QRect restoredBounds(const StoredBounds& stored, QSize defaultSize, QSize minimum, const QRect& workArea,
                     const QRect& screen)
{
    int w = stored.w > 0 ? stored.w : defaultSize.width();
    int h = stored.h > 0 ? stored.h : defaultSize.height();
    w = std::max(w, minimum.width());
    h = std::max(h, minimum.height());
    if (screen.isValid()) {
        w = std::min(w, screen.width());
        h = std::min(h, screen.height());
    }

    int x = 0, y = 0;
    if (stored.x == -1 || stored.y == -1) {
        const QRect& area = workArea.isValid() ? workArea : screen;
        x = area.x() + (area.width() - w) / 2;
        y = area.y() + (area.height() - h) / 2;
    } else {
        x = stored.x;
        y = stored.y;
    }
    if (screen.isValid()) {
        x = std::clamp(x, screen.x(), screen.x() + screen.width() - w);
        y = std::clamp(y, screen.y(), screen.y() + screen.height() - h);
    }
    return QRect(x, y, w, h);
}

StoredBounds boundsToStore(const QRect& geometry, WindowState state, const StoredBounds& previous)
{
    switch (state) {
    case WindowState::Normal:
        return StoredBounds{geometry.x(), geometry.y(), geometry.width(), geometry.height(), false};
    case WindowState::Maximized: {
        StoredBounds b = previous;
        b.maximized = true;
        return b;
    }
    case WindowState::Minimized:
        break;
    }
    return previous;
}

} // namespace zorvex
