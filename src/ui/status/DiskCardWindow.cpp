#include "ui/status/DiskCardWindow.h"

#include "ui/common/BringToFront.h"
#include "ui/common/EdgeSnapper.h"
#include "ui/common/Fonts.h"
#include "ui/common/QtColour.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace zorvex {
namespace {

QFont cardFont()
{
    return tahoma(8, true);
}

} // namespace

DiskCardWindow::DiskCardWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FreeSpaceCard"));
    setAttribute(Qt::WA_ShowWithoutActivating);
}

bool DiskCardWindow::setCard(const DiskCard& card, int mode, bool shaded, const GaugeColours& colours,
                             Colour textColour)
{
    if (m_drawn && card.changeKey == m_card.changeKey && mode == m_mode && shaded == m_shaded
        && colours.background == m_colours.background && textColour == m_text)
        return false;
    m_card = card;
    m_drawn = true;
    m_mode = mode;
    m_shaded = shaded;
    m_colours = colours;
    m_text = textColour;
    if (isVisible())
        resize(cardSize());
    update();
    return true;
}

int DiskCardWindow::namesWidth() const
{
    const QFontMetrics fm(cardFont());
    int w = 0;
    for (const DiskCardRow& r : m_card.rows)
        w = qMax(w, fm.horizontalAdvance(r.isSum ? QStringLiteral("Σ") : r.name));
    return w + 6;
}

QSize DiskCardWindow::cardSize() const
{
    const QFontMetrics fm(cardFont());
    const QString title = m_card.labelText.section(QLatin1Char('\r'), 0, 0);
    const int width = qMax(fm.horizontalAdvance(title) + 8, namesWidth() + kBarWidth + 4);
    return {kStrip + width, kRowHeight * (int(m_card.rows.size()) + 1) + 6};
}

void DiskCardWindow::showAt(const QPoint& pointer, QWidget* icon)
{
    QPoint at = pointer;
    if (icon && !EdgeSnapper::supported()) {
        // A pop-up is placed relative to its parent's surface.
        if (parentWidget() != icon->window())
            setParent(icon->window(), windowFlags());
        at = icon->mapToGlobal(QPoint(icon->width() / 2, icon->height() / 2));
    }
    const QSize size = cardSize();
    QScreen* screen = QGuiApplication::screenAt(at);
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
    const DiskCardPlacement place = placeDiskCard(at, area, size);
    m_corner = place.corner;
    setGeometry(QRect(place.topLeft, size));
    show();
    bringToFront(this);
}

void DiskCardWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const bool stripLeft = m_corner == DiskCardCorner::TopLeft || m_corner == DiskCardCorner::BottomLeft;
    const int stripX = stripLeft ? 0 : width() - kStrip;
    p.fillRect(QRect(stripX, 0, kStrip, height()), QColor(255, 210, 83));
    const int left = stripLeft ? kStrip + 3 : 3;

    p.setFont(cardFont());
    p.setPen(Qt::black);
    p.drawText(QRect(left, 3, width() - kStrip - 6, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
               m_card.labelText.section(QLatin1Char('\r'), 0, 0).trimmed());

    const int names = namesWidth();
    const int barLeft = left + names;
    for (std::size_t i = 0; i < m_card.rows.size(); ++i) {
        const DiskCardRow& r = m_card.rows[i];
        const int top = 3 + kRowHeight * int(i + 1);
        p.setPen(Qt::black);
        p.drawText(QRect(left, top, names, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   r.isSum ? QStringLiteral("Σ") : r.name);
        const QRect row(barLeft, top, kBarWidth, kRowHeight - 1);
        p.fillRect(row, toQColor(m_colours.background));
        p.drawRect(row.adjusted(0, 0, -1, -1));
        if (!r.hasBar)
            continue;
        const int bottom = top + kRowHeight - 1;
        if (m_shaded) {
            for (const GaugeSlice& s : diskShadedBar(r, kBarWidth, m_mode, m_colours))
                p.fillRect(QRect(barLeft + s.left, bottom - 14, s.right - s.left, 13), toQColor(s.colour));
        } else {
            const QRect bar = diskSolidBar(r, kBarWidth, 15);
            p.fillRect(bar.translated(barLeft, bottom - 15).adjusted(0, 1, 0, -1), toQColor(m_colours.of(r.level)));
        }
        p.setPen(toQColor(m_text));
        p.drawText(QRect(barLeft, top, kBarWidth - 3, kRowHeight), Qt::AlignRight | Qt::AlignVCenter, r.amount);
    }
}

} // namespace zorvex
