#pragma once

class QWidget;

namespace zorvex {

// Brings a window to the foreground: shows it, restores it when minimized,
// raises and activates it. Window systems that refuse focus stealing (most
// Wayland compositors, some X11 window managers) get an attention request
// instead, so the window at least signals itself.
void bringToFront(QWidget* window);

} // namespace zorvex
