#pragma once

#include <QRect>
#include <QWidget>

class QFrame;

namespace zorvex {

// A small drawn monitor with a marker where the main window stands on the
// screen. The marker is a child widget ("PositionMarker") so it can be
// found and checked.
class ScreenPicture : public QWidget {
    Q_OBJECT
public:
    explicit ScreenPicture(QWidget* parent = nullptr);

    // Called often (every clock tick): repaints only when the marker moves.
    void setWindowPosition(const QRect& window, const QRect& screen);

    // The drawn screen inside the monitor's bezel.
    QRect screenArea() const;
    QFrame* marker() const { return m_marker; }

    QSize sizeHint() const override { return QSize(160, 138); }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeMarker();

    QFrame* m_marker;
    QRect m_window;
    QRect m_screen;
};

} // namespace zorvex
