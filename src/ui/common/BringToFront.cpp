#include "ui/common/BringToFront.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace zorvex {

void bringToFront(QWidget* window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    if (!window->isVisible())
        window->show();
    window->raise();
    window->activateWindow();
    // Activation arrives asynchronously; when the window manager kept the
    // focus elsewhere, ask for attention instead.
    QPointer<QWidget> guard(window);
    QTimer::singleShot(250, window, [guard] {
        if (guard && guard->isVisible() && !guard->isActiveWindow())
            QApplication::alert(guard, 0);
    });
}

} // namespace zorvex
