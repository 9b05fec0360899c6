#include "ui/common/ColourBox.h"

#include <QColorDialog>
#include <QPainter>

namespace zorvex {

ColourBox::ColourBox(QWidget* parent)
    : QToolButton(parent)
{
    setFixedSize(36, 20);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QToolButton::clicked, this, &ColourBox::choose);
}

void ColourBox::setColour(Colour c)
{
    if (c == m_colour)
        return;
    m_colour = c;
    update();
}

void ColourBox::choose()
{
    const QColor picked = QColorDialog::getColor(toQColor(m_colour), this, toolTip());
    if (!picked.isValid())
        return;
    const Colour c = fromQColor(picked);
    if (c == m_colour)
        return;
    setColour(c);
    emit colourChanged(c);
}

void ColourBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(isEnabled() ? QColor(64, 64, 64) : QColor(160, 160, 160));
    QColor fill = toQColor(m_colour);
    if (!isEnabled())
        fill = QColor::fromHsv(fill.hue(), fill.saturation() / 4, 200 + fill.value() / 5);
    p.setBrush(fill);
    p.drawRect(r);
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
}

} // namespace zorvex
