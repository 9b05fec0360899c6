#include "ui/app/tools/ScreenPicture.h"

#include <QFrame>
#include <QPainter>

#include <algorithm>

namespace zorvex {

ScreenPicture::ScreenPicture(QWidget* parent)
    : QWidget(parent)
    , m_marker(new QFrame(this))
{
    setObjectName(QStringLiteral("ScreenPicture"));
    m_marker->setObjectName(QStringLiteral("PositionMarker"));
    m_marker->setAutoFillBackground(true);
    m_marker->setFrameShape(QFrame::Box);
    QPalette pal = m_marker->palette();
    pal.setColor(QPalette::Window, QColor(255, 223, 138));
    m_marker->setPalette(pal);
    m_marker->hide();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QRect ScreenPicture::screenArea() const
{
    // A 4:3 panel in a bezel, over a stand.
    return QRect(14, 10, width() - 28, height() - 46);
}

void ScreenPicture::setWindowPosition(const QRect& window, const QRect& screen)
{
    if (window == m_window && screen == m_screen)
        return;
    m_window = window;
    m_screen = screen;
    placeMarker();
}

void ScreenPicture::placeMarker()
{
    if (!m_screen.isValid() || !m_window.isValid()) {
        m_marker->hide();
        return;
    }
    const QRect area = screenArea();
    const double sx = double(area.width()) / m_screen.width();
    const double sy = double(area.height()) / m_screen.height();
    const int w = std::max(3, int(m_window.width() * sx + 0.5));
    const int h = std::max(3, int(m_window.height() * sy + 0.5));
    int x = area.x() + int((m_window.x() - m_screen.x()) * sx + 0.5);
    int y = area.y() + int((m_window.y() - m_screen.y()) * sy + 0.5);
    // A window partly off the screen still shows at the screen's edge.
    x = std::clamp(x, area.x(), area.x() + area.width() - w);
    y = std::clamp(y, area.y(), area.y() + area.height() - h);
    const QRect r(x, y, w, h);
    if (m_marker->geometry() != r)
        m_marker->setGeometry(r);
    m_marker->show();
}

void ScreenPicture::resizeEvent(QResizeEvent*)
{
    placeMarker();
}

void ScreenPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect area = screenArea();
    const QRectF bezel = QRectF(area).adjusted(-8, -6, 8, 8);
    const QPointF centre(bezel.center().x(), 0);

    // Stand.
    p.setPen(QColor(70, 70, 70));
    p.setBrush(QColor(120, 120, 120));
    const qreal neckTop = bezel.bottom();
    QPolygonF neck;
    neck << QPointF(centre.x() - 10, neckTop) << QPointF(centre.x() + 10, neckTop)
         << QPointF(centre.x() + 14, height() - 8.5) << QPointF(centre.x() - 14, height() - 8.5);
    p.drawPolygon(neck);
    p.drawRoundedRect(QRectF(centre.x() - 34, height() - 9.5, 68, 8), 3, 3);

    // Bezel and screen.
    QLinearGradient frame(bezel.topLeft(), bezel.bottomLeft());
    frame.setColorAt(0, QColor(90, 90, 96));
    frame.setColorAt(1, QColor(40, 40, 46));
    p.setBrush(frame);
    p.setPen(QColor(30, 30, 30));
    p.drawRoundedRect(bezel, 5, 5);
    QLinearGradient desk(area.topLeft(), area.bottomLeft());
    desk.setColorAt(0, QColor(58, 110, 165));
    desk.setColorAt(1, QColor(30, 70, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(desk);
    p.drawRect(area);
    // A power light.
    p.setBrush(QColor(80, 220, 90));
    p.drawEllipse(QPointF(bezel.right() - 8, bezel.bottom() - 4), 1.5, 1.5);
}

} // namespace zorvex
