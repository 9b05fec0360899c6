#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

class QWidget;

namespace zorvex {

// Snaps a freely placed top-level window to the work area, the screen and
// the main window after each change of its position or size. The window
// system drives interactive moves and Qt hears of them only afterwards, so
// the snap is applied once the window has rested for a moment; a snap
// during the drag would fight the window manager. Window systems that do
// not let programs place windows (Wayland) get no snapping.
class EdgeSnapper : public QObject {
    Q_OBJECT
public:
    explicit EdgeSnapper(QWidget* window);

    // Whether this session lets a program move its windows.
    static bool supported();

    // The main window to dock to while it is showing.
    void setDockTarget(QWidget* mainWindow) { m_dock = mainWindow; }

    // Applies the snap to the window's current outer rectangle now.
    void settle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_dock;
    QTimer m_rest;
    QRect m_settled; // outer rectangle after the last snap
    bool m_enabled;
};

} // namespace zorvex
