#include "ui/common/WindowBounds.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zorvex {

void applyStoredBounds(QWidget* window, const StoredBounds& stored, QSize defaultSize)
{
    QScreen* screen = nullptr;
    if (stored.x != -1 && stored.y != -1)
        screen = QGuiApplication::screenAt(QPoint(stored.x, stored.y));
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const QRect whole = screen ? screen->geometry() : QRect();
    const QSize minimum = window->minimumSize().expandedTo(window->minimumSizeHint());
    const QRect r = restoredBounds(stored, defaultSize, minimum, area, whole);
    window->resize(r.size());
    window->move(r.topLeft());
    if (stored.maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

StoredBounds currentBounds(const QWidget* window, const StoredBounds& previous)
{
    const Qt::WindowStates s = window->windowState();
    const WindowState state = s & Qt::WindowMinimized   ? WindowState::Minimized
                              : s & (Qt::WindowMaximized | Qt::WindowFullScreen) ? WindowState::Maximized
                                                                                  : WindowState::Normal;
    return boundsToStore(QRect(window->pos(), window->size()), state, previous);
}

} // namespace zorvex
