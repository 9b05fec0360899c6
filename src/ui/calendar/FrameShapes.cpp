#include "ui/calendar/FrameShapes.h"

#include <QPainter>

namespace zorvex {

FrameShape::FrameShape(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void FrameShape::setLines(const QList<QLine>& lines)
{
    m_lines = lines;
    update();
}

void FrameShape::setGeometryAndLines(const QRect& geometry, const QList<QLine>& lines)
{
    setGeometry(geometry);
    setLines(lines);
}

void FrameShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    for (const QLine& line : m_lines) {
        if (line.p1() == line.p2())
            p.drawPoint(line.p1());
        else
            p.drawLine(line);
    }
}

CornerPiece::CornerPiece(const QString& name, Side side, QWidget* parent)
    : QWidget(parent)
    , m_side(side)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(kSize, kSize);
}

void CornerPiece::paintEvent(QPaintEvent*)
{
    // A quarter of the window shape's 16-pixel corner circle.
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    const QRect circle = m_side == Left ? QRect(0, 0, 2 * kSize, 2 * kSize) : QRect(-kSize - 1, 0, 2 * kSize, 2 * kSize);
    p.drawArc(circle, m_side == Left ? 90 * 16 : 0, 90 * 16);
}

} // namespace zorvex
