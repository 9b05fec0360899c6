#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QDialog;

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

// Shows `dialog` (a window of its own, without parent) without waiting for
// it: `window` stays disabled until it closes, `accepted` runs when it is
// confirmed, and the dialog is freed afterwards.
void openBlockingDialog(QDialog* dialog, QWidget* window, std::function<void()> accepted);

} // namespace zorvex
