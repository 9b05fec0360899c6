#include "ui/calendar/ScrollingText.h"

#include "ui/calendar/ScreenWatch.h"
#include "ui/common/QtColour.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace zorvex {

ScrollingText::ScrollingText(QWidget* parent)
    : QWidget(parent)
    , m_speed(scrollSpeed(1))
{
    setObjectName(QStringLiteral("ScrollingText"));
    // Every pixel comes from the strip: no background fill before it.
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
    m_stripValid = false;
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
    m_stripValid = false;
    update();
}

void ScrollingText::setScreenInUse(bool inUse)
{
    if (inUse == m_screenInUse)
        return;
    m_screenInUse = inUse;
    updateTimer();
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
    // The line's own rectangle only: the window around it stays as it is.
    update();
}

void ScrollingText::updateTimer()
{
    const bool run = isVisible() && !m_text.isEmpty() && !m_hovered && m_screenInUse && !m_covered && !m_xCovered;
    if (run && !m_timer.isActive())
        m_timer.start();
    else if (!run)
        m_timer.stop();
}

void ScrollingText::watchWindow()
{
    QWidget* top = window();
    QWindow* handle = top ? top->windowHandle() : nullptr;
    if (handle == m_window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    delete m_coverWatch;
    m_xCovered = false;
    m_window = handle;
    if (!m_window)
        return;
    m_window->installEventFilter(this);
    m_coverWatch = watchWindowCovered(m_window, this, [this](bool covered) {
        m_xCovered = covered;
        updateTimer();
    });
}

bool ScrollingText::eventFilter(QObject* watched, QEvent* event)
{
    // A window wholly covered (or minimised) is no longer exposed; the
    // window system says so with an expose event.
    if (watched == m_window && event->type() == QEvent::Expose) {
        const bool covered = !m_window->isExposed();
        if (covered != m_covered) {
            m_covered = covered;
            updateTimer();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool ScrollingText::event(QEvent* event)
{
    // The top-level window may be created (or re-created) after this line.
    if (event->type() == QEvent::WinIdChange || event->type() == QEvent::ParentChange)
        watchWindow();
    return QWidget::event(event);
}

const QPixmap& ScrollingText::strip()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size(period(), height());
    if (m_stripValid && m_strip.size() == size * ratio && m_strip.devicePixelRatio() == ratio)
        return m_strip;
    m_strip = QPixmap(size * ratio);
    m_strip.setDevicePixelRatio(ratio);
    m_strip.fill(palette().color(QPalette::Window));
    QPainter p(&m_strip);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm = fontMetrics();
    const int baseline = (height() - fm.height()) / 2 + fm.ascent();
    p.drawText(QPoint(0, baseline), m_text);
    m_stripValid = true;
    return m_strip;
}

void ScrollingText::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    if (m_text.isEmpty() || width() <= 0 || height() <= 0) {
        p.fillRect(rect(), palette().color(QPalette::Window));
        return;
    }
    const QPixmap& pm = strip();
    const QRect dirty = event->rect();
    for (int x = m_position; x < width(); x += period()) {
        const QRect target(x, 0, period(), height());
        if (target.intersects(dirty))
            p.drawPixmap(x, 0, pm);
    }
    // Left of the first copy (only before it has moved in from the start).
    if (m_position > 0)
        p.fillRect(QRect(0, 0, m_position, height()), palette().color(QPalette::Window));
}

void ScrollingText::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    updateTimer();
    QWidget::enterEvent(event);
}

void ScrollingText::leaveEvent(QEvent* event)
{
    m_hovered = false;
    updateTimer();
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
    watchWindow();
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
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        m_textWidth = fontMetrics().horizontalAdvance(m_text);
        m_stripValid = false;
        update();
    }
}

} // namespace zorvex
