#pragma once

#include <QLine>
#include <QList>
#include <QWidget>

namespace zorvex {

// A piece of the main window's frame or separators: black one-pixel lines
// drawn over the window, letting the pointer through to what lies below.
class FrameShape : public QWidget {
    Q_OBJECT
public:
    FrameShape(const QString& name, QWidget* parent);

    // Lines in the shape's own coordinates, end points included.
    void setLines(const QList<QLine>& lines);
    const QList<QLine>& lines() const { return m_lines; }
    // The shape's box as one line or the outline of a rectangle.
    void setGeometryAndLines(const QRect& geometry, const QList<QLine>& lines);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<QLine> m_lines;
};

// The 8 x 8 rounded corners of the frame at the window's top corners.
class CornerPiece : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 8;
    enum Side { Left, Right };
    CornerPiece(const QString& name, Side side, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Side m_side;
};

} // namespace zorvex
