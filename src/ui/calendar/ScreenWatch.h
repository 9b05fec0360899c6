#pragma once

class QObject;

namespace zorvex {

class ScreenActivity;

// The desktop's lock, screen saver and (on X11) monitor power, on the
// session's own buses and Qt's X connection.
ScreenActivity* makeDesktopScreenActivity(QObject* parent);

} // namespace zorvex
