#pragma once

#include <QPointer>
#include <QWidget>

namespace zorvex {

// A dialog opened over the Tools window keeps it disabled while it is open.
class BlockedWindow {
public:
    // Disables `window` (when given) and centres `dialog` over it.
    void block(QWidget* dialog, QWidget* window);
    // Enables the window again.
    void release();

private:
    QPointer<QWidget> m_window;
};

} // namespace zorvex
