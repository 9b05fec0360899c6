#include "ui/common/SideBarMenu.h"

#include "ui/common/Fonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyle>

namespace zorvex {

namespace {

// Kolor_B's default, until the calendar applies its colours.
const QColor kDefaultBarColour(80, 190, 255);

} // namespace

SideBarMenu::SideBarMenu(const QString& barText, QWidget* parent)
    : QMenu(parent)
    , m_barText(barText)
    , m_barColour(kDefaultBarColour)
{
    // The items are laid out right of the bar.
    setContentsMargins(kBarWidth, 0, 0, 0);
}

void SideBarMenu::setBarText(const QString& text)
{
    m_barText = text;
    update();
}

void SideBarMenu::setBarColour(const QColor& colour)
{
    if (colour == m_barColour)
        return;
    m_barColour = colour;
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
    // The white caption stands on the dark end, whatever the colour.
    QLinearGradient fill(bar.bottomLeft(), bar.topLeft());
    fill.setColorAt(0.0, m_barColour.darker(300));
    fill.setColorAt(1.0, m_barColour);
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
