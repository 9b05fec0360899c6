#include "ui/app/tools/PageIcons.h"

#include "core/app/PageCodes.h"
#include "ui/common/LazyIcon.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace zorvex {
namespace {

QColor topColour(int topIndex)
{
    // Twelve hues spread round the wheel, in page-bar order.
    return QColor::fromHsv((topIndex * 137) % 360, 150, 190);
}

QPixmap tile(const QColor& colour, QChar letter, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size - 1.0, size - 1.0);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, colour.lighter(130));
    g.setColorAt(1, colour.darker(115));
    p.setPen(colour.darker(150));
    p.setBrush(g);
    const qreal radius = size / 5.0;
    p.drawRoundedRect(r, radius, radius);
    QFont f;
    f.setBold(true);
    f.setPixelSize(std::max(8, size * 5 / 8));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, QString(letter.toUpper()));
    return pm;
}

constexpr int kTileSizes[] = {16, 24, 32};

QIcon drawnIcon(const QColor& colour, QChar letter)
{
    QIcon icon;
    for (int size : kTileSizes)
        icon.addPixmap(tile(colour, letter, size));
    return icon;
}

// Drawn when first shown: the Tools window and its page tree hold some
// sixty icons, most of them never seen in a session.
QIcon makeIcon(const QColor& colour, QChar letter)
{
    return lazyIcon([colour, letter] { return drawnIcon(colour, letter); }, kTileSizes[std::size(kTileSizes) - 1]);
}

int topIndexOf(const QString& top)
{
    const auto& pages = toolsTopPages();
    const auto it = std::find(pages.begin(), pages.end(), top);
    return it == pages.end() ? 0 : int(it - pages.begin());
}

} // namespace

// Drawn on demand: a few dozen small tiles, and no pixmaps outliving the
// application object in a static cache.
QIcon topPageIcon(int topIndex)
{
    const auto& pages = toolsTopPages();
    const QChar letter = topIndex >= 0 && topIndex < int(pages.size()) ? pages[topIndex].front() : QLatin1Char('?');
    return makeIcon(topColour(topIndex), letter);
}

QIcon pageCodeIcon(int code)
{
    const auto pc = findPageCode(code);
    if (!pc)
        return {};
    return makeIcon(topColour(topIndexOf(pc->top)), pc->label.front());
}

} // namespace zorvex
