#include "ui/calendar/ScrollingText.h"

#include "ui/common/QtColour.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zorvex {

ScrollingText::ScrollingText(QWidget* parent)
    : QWidget(parent)
    , m_speed(scrollSpeed(1))
{
    setObjectName(QStringLiteral("ScrollingText"));
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(m_speed.intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ScrollingText::step);
}

void ScrollingText::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_textWidth = fontMetrics().horizontalAdvance(m_text);
    m_position = kStartPosition;
    updateTimer();
    update();
}

void ScrollingText::setHint(const QString& hint)
{
    setToolTip(hint);
}

void ScrollingText::setSpeedLevel(int level)
{
    m_speed = scrollSpeed(level);
    m_timer.setInterval(m_speed.intervalMs);
}

void ScrollingText::setColours(Colour text, Colour background)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(text));
    p.setColor(QPalette::Window, toQColor(background));
    setPalette(p);
    update();
}

int ScrollingText::period() const
{
    return m_textWidth + kGap;
}

void ScrollingText::step()
{
    if (m_hovered || m_text.isEmpty())
        return;
    m_position -= m_speed.stepPixels;
    // Once the first copy has gone, the next one takes its place.
    while (m_position <= -period())
        m_position += period();
    update();
}

void ScrollingText::updateTimer()
{
    const bool run = isVisible() && !m_text.isEmpty();
    if (run && !m_timer.isActive())
        m_timer.start();
    else if (!run)
        m_timer.stop();
}

void ScrollingText::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (m_text.isEmpty())
        return;
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm = fontMetrics();
    const int baseline = (height() - fm.height()) / 2 + fm.ascent();
    for (int x = m_position; x < width(); x += period())
        p.drawText(QPoint(x, baseline), m_text);
}

void ScrollingText::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    QWidget::enterEvent(event);
}

void ScrollingText::leaveEvent(QEvent* event)
{
    m_hovered = false;
    QWidget::leaveEvent(event);
}

void ScrollingText::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void ScrollingText::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    updateTimer();
}

void ScrollingText::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

void ScrollingText::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_textWidth = fontMetrics().horizontalAdvance(m_text);
        update();
    }
}

} // namespace zorvex
