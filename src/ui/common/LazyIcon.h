#pragma once

#include <QIcon>

#include <functional>

namespace zorvex {

// An icon drawn the first time it is shown. `draw` makes the real icon, of
// square pictures up to `largest` pixels; until then sizes are answered
// without drawing. Menus and page lists hold many icons that a session
// mostly never shows, and drawing each at start costs text rendering.
QIcon lazyIcon(std::function<QIcon()> draw, int largest);

} // namespace zorvex
