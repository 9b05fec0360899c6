#pragma once

#include "core/app/WindowSnap.h"

#include <QSize>

class QWidget;

namespace zorvex {

// Stored bounds of a window that remembers its place (X, Y, W, H, M of its
// settings section). X and Y are the outer top-left, as move() takes it; W
// and H the inner size, as resize() takes it, so a window reopens exactly
// where it was closed.

// Places the window before it is shown: the stored rectangle pulled back
// inside its screen, or centred in the work area at `defaultSize` when
// nothing is stored; maximized again when M was set.
void applyStoredBounds(QWidget* window, const StoredBounds& stored, QSize defaultSize);

// What to write back when the window closes: the rectangle only in the
// normal state, otherwise `previous` with M updated.
StoredBounds currentBounds(const QWidget* window, const StoredBounds& previous);

} // namespace zorvex
