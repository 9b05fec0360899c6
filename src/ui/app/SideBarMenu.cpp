#include "ui/app/SideBarMenu.h"

#include "ui/app/Fonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyle>

namespace zorvex {

SideBarMenu::SideBarMenu(const QString& barText, QWidget* parent)
    : QMenu(parent)
    , m_barText(barText)
{
    // The items are laid out right of the bar.
    setContentsMargins(kBarWidth, 0, 0, 0);
}

void SideBarMenu::setBarText(const QString& text)
{
    m_barText = text;
    update();
}

QRect SideBarMenu::barRect() const
{
    const int frame = style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, this);
    return QRect(frame, frame, kBarWidth, height() - 2 * frame);
}

void SideBarMenu::paintEvent(QPaintEvent* event)
{
    QMenu::paintEvent(event);
    const QRect bar = barRect();
    if (!bar.isValid())
        return;
    QPainter p(this);
    QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
    fill.setColorAt(0.0, QColor(0, 0, 64));
    fill.setColorAt(1.0, QColor(40, 90, 200));
    p.fillRect(bar, fill);

    QFont f = tahoma(11, true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.save();
    // Upwards from the bottom, as a book's spine.
    p.translate(bar.left(), bar.bottom() + 1);
    p.rotate(-90);
    const QRect text(6, 0, bar.height() - 6, bar.width());
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_barText);
    p.restore();
}

} // namespace zorvex
