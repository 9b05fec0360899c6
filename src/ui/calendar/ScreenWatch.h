#pragma once

#include <functional>

class QObject;
class QWindow;

namespace zorvex {

class ScreenActivity;

// The desktop's lock, screen saver and (on X11) monitor power, on the
// session's own buses and Qt's X connection.
ScreenActivity* makeDesktopScreenActivity(QObject* parent);

// Tells `onChange` whenever the X server sees `window` wholly covered or
// seen again; the watch lives as a child of `owner`. Nothing off X11.
QObject* watchWindowCovered(QWindow* window, QObject* owner, std::function<void(bool covered)> onChange);

} // namespace zorvex
