#pragma once

#include <QRect>
#include <QSize>

#include <optional>

namespace zorvex {

// Edges closer than this (in pixels) snap.
inline constexpr int kSnapDistance = 8;

// One change of a freely placed window's outer rectangle, with what it may
// snap to. `mainWindow` is set only while the main window is showing.
struct SnapInput {
    QRect proposed;
    QRect old;
    QSize minimum;
    QRect workArea;
    QRect screen;
    std::optional<QRect> mainWindow;
};

// The rectangle the window takes instead of `proposed`: the size raised to
// the minimum (keeping the far edge when the near edge was dragged), then the
// edges snapped to the work area, the screen and the main window, in that
// order. A change that keeps the size is a move and snaps by moving the
// whole window; a change of size snaps only the edges that were dragged and
// never below the minimum. A move snapped again stays where it is.
QRect snapWindow(const SnapInput& in);

// Window bounds kept in a window's own settings section; -1 means "not
// stored".
struct StoredBounds {
    int x = -1;
    int y = -1;
    int w = -1;
    int h = -1;
    bool maximized = false;
};

// Where a window that remembers its place opens: its stored size (or
// `defaultSize`), at least `minimum` and at most the screen; centred in the
// work area when no position is stored, and pulled back inside the screen
// when the stored rectangle lies (partly) outside it.
QRect restoredBounds(const StoredBounds& stored, QSize defaultSize, QSize minimum, const QRect& workArea,
                     const QRect& screen);

enum class WindowState { Normal, Maximized, Minimized };

// What to store when the window closes: the bounds only in the normal state,
// so a maximized or minimized window keeps its last normal rectangle.
StoredBounds boundsToStore(const QRect& geometry, WindowState state, const StoredBounds& previous);

} // namespace zorvex
