#include "ui/calendar/DayCard.h"

#include "ui/common/Fonts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <QScreen>

namespace zorvex {
namespace {

constexpr int kLabelLeft = 11;
constexpr int kLabelTop = 3;
constexpr int kMarkSize = 7;
// Wide enough for the longest facts line (the 42 hyphens) without wrapping.
constexpr int kMaxLabelWidth = 320;

} // namespace

CardPlacement placeDayCard(const QPoint& pointer, const QSize& card, const QRect& screen)
{
    const bool right = pointer.x() >= screen.left() + screen.width() / 2;
    const bool lower = pointer.y() >= screen.top() + screen.height() / 2;
    const int x = pointer.x();
    const int y = pointer.y();
    const int w = card.width();
    const int h = card.height();
    if (right && lower)
        return {QPoint(x - w - 5, y - h - 5), CardCorner::BottomRight};
    if (right)
        return {QPoint(x - w - 5, y + 5), CardCorner::TopRight};
    if (!lower)
        return {QPoint(x + 12, y + 7), CardCorner::TopLeft};
    return {QPoint(x + 8, y - h - 3), CardCorner::BottomLeft};
}

DayCard::DayCard(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("Form26"));
    setWindowTitle(QStringLiteral("Kartka z kalendarza"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);

    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setFont(tahoma(8, true));
    m_label->setWordWrap(true);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->move(kLabelLeft, kLabelTop);
}

void DayCard::setText(const QString& facts)
{
    m_label->setText(facts);
    fit();
}

QString DayCard::text() const
{
    return m_label->text();
}

void DayCard::fit()
{
    // As wide as the longest line, as high as the label lays the text out.
    const QFontMetrics fm = m_label->fontMetrics();
    int width = 0;
    for (const QString& line : m_label->text().split(QLatin1Char('\n')))
        width = qMax(width, fm.horizontalAdvance(line));
    width = qMin(width + 1, kMaxLabelWidth);
    m_label->resize(width, m_label->heightForWidth(width));
    resize(m_label->width() + kExtraWidth, m_label->height() + kExtraHeight);
}

bool DayCard::showAt(const QPoint& pointer)
{
    if (isVisible())
        return false;
    fit();
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const CardPlacement placement = placeDayCard(pointer, size(), area);
    m_corner = placement.corner;
    move(placement.topLeft);
    // A tool-tip window is top-most by nature; activating it would take the
    // focus from whatever the user is doing and ask for attention.
    show();
    raise();
    update();
    return true;
}

void DayCard::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter p(this);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // A turned-down corner towards the pointer, like a torn-off page.
    const int w = width() - 1;
    const int h = height() - 1;
    const int m = kMarkSize;
    QPolygon mark;
    switch (m_corner) {
    case CardCorner::TopLeft: mark << QPoint(0, 0) << QPoint(m, 0) << QPoint(0, m); break;
    case CardCorner::TopRight: mark << QPoint(w, 0) << QPoint(w - m, 0) << QPoint(w, m); break;
    case CardCorner::BottomLeft: mark << QPoint(0, h) << QPoint(m, h) << QPoint(0, h - m); break;
    case CardCorner::BottomRight: mark << QPoint(w, h) << QPoint(w - m, h) << QPoint(w, h - m); break;
    }
    p.setBrush(QColor(200, 60, 40));
    p.setPen(Qt::NoPen);
    p.drawPolygon(mark);
}

void DayCard::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    hide();
}

void DayCard::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    hide();
}

} // namespace zorvex
