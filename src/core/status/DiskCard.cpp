#include "core/status/DiskCard.h"

#include "core/shell/StatusValues.h"

#include <cmath>

namespace zorvex {
namespace {

constexpr double kGb = 1073741824.0;

bool freeMode(int mode)
{
    return mode == 0 || mode == 2;
}

bool gbMode(int mode)
{
    return mode >= 2;
}

void fill(DiskCardRow& r, const DiskCardOptions& o, const NumberStyle& style)
{
    if (r.total <= 0)
        return;
    const bool showsFree = freeMode(o.mode);
    const qint64 used = qMax<qint64>(0, r.total - r.free);
    const qint64 shownBytes = showsFree ? r.free : used;
    double p = double(r.free) / double(r.total) * 100.0;
    if (!showsFree)
        p = 100.0 - p;
    p = qBound(0.0, p, 100.0);
    if (shownBytes >= kBytesPerMb && p < 1)
        p = 1;
    r.percent = p;
    r.hasBar = true;
    r.level = showsFree ? freeLevel(int(p)) : usedLevel(int(p));

    const bool titleGb = gbMode(o.mode);
    if (r.removable && !r.isSum) {
        const bool gb = o.removableGb;
        r.amount = gb ? formatNumber(double(shownBytes) / kGb, 2, false, style)
                      : shortNumber(double(shownBytes) / double(kBytesPerMb), style);
        if (gb != titleGb)
            r.amount += gb ? QStringLiteral(" GB") : QStringLiteral(" MB");
    } else if (titleGb) {
        r.amount = formatNumber(double(shownBytes) / kGb, 2, false, style);
    } else {
        r.amount = shortNumber(double(shownBytes / kBytesPerMb), style);
    }
}

} // namespace

QString diskCardTitle(int mode)
{
    switch (mode) {
    case 1:
        return QStringLiteral("Zajęte miejsce [MB]");
    case 2:
        return QStringLiteral("Wolne miejsce [GB] ");
    case 3:
        return QStringLiteral("Zajęte miejsce [GB] ");
    default:
        return QStringLiteral("Wolne miejsce [MB]");
    }
}

QString shortNumber(double value, const NumberStyle& style)
{
    if (value >= 10)
        return QString::number(std::llround(value));
    return formatNumber(value, 2, false, style);
}

DiskCard buildDiskCard(const std::vector<DriveInfo>& drives, const DiskCardOptions& options, const NumberStyle& style)
{
    DiskCard card;
    const QString title = diskCardTitle(options.mode);
    card.labelText = title + QLatin1Char('\r');
    card.changeKey = title + QLatin1Char('\r');
    DiskCardRow sum;
    sum.isSum = true;
    for (const DriveInfo& d : drives) {
        if (int(card.rows.size()) >= kMaxCardDrives)
            break;
        if (d.removable && !options.removable)
            continue;
        DiskCardRow r;
        r.name = d.name;
        r.removable = d.removable;
        if (d.hasMedia) {
            r.free = qMax<qint64>(0, d.free);
            r.total = qMax<qint64>(0, d.total);
        }
        card.labelText += r.name + QLatin1Char('\r');
        card.changeKey += r.name + QStringLiteral(": ") + QString::number(r.free / kBytesPerMb) + QStringLiteral(" \r");
        sum.free += r.free;
        sum.total += r.total;
        fill(r, options, style);
        card.rows.push_back(std::move(r));
    }
    if (options.sum) {
        fill(sum, options, style);
        card.rows.push_back(std::move(sum));
        card.labelText += QStringLiteral("  \r");
    }
    card.labelText.chop(1);
    card.changeKey.chop(1);
    card.lineCount = int(card.labelText.count(QLatin1Char('\r'))) + 1;
    return card;
}

QRect diskSolidBar(const DiskCardRow& row, int pictureWidth, int rowBottom)
{
    if (!row.hasBar)
        return {};
    // Right and bottom edges excluded, as the fill of a rectangle has them.
    const int width = int(std::lround((pictureWidth - 2) * row.percent / 100.0));
    return QRect(1, rowBottom - 15, width, 15);
}

std::vector<GaugeSlice> diskShadedBar(const DiskCardRow& row, int pictureWidth, int mode, const GaugeColours& colours)
{
    if (!row.hasBar)
        return {};
    GaugeLook look;
    look.useMedian = true;
    look.median = colours.yellow;
    look.fill = freeMode(mode) ? colours.red : colours.green;
    look.gradient = freeMode(mode) ? colours.green : colours.red;
    // round(p) slices out of 100.
    return gradientSlices(int(std::lround(row.percent)), 100, 1, pictureWidth - 1, look);
}

DiskCardPlacement placeDiskCard(const QPoint& pointer, const QRect& screen, const QSize& card)
{
    const int midX = screen.left() + screen.width() / 2;
    const int midY = screen.top() + screen.height() / 2;
    const int x = pointer.x();
    const int y = pointer.y();
    const bool right = x >= midX, left = x <= midX, lower = y >= midY, upper = y <= midY;
    const int w = card.width(), h = card.height();
    DiskCardPlacement p;
    if (right && lower)
        p = {{x - w - 5, y - h - 5}, DiskCardCorner::BottomRight, 18};
    if (right && upper)
        p = {{x - w - 5, y + 5}, DiskCardCorner::TopRight, 18};
    if (left && upper)
        p = {{x + 12, y + 7}, DiskCardCorner::TopLeft, 33};
    if (left && lower)
        p = {{x + 8, y - h - 3}, DiskCardCorner::BottomLeft, 33};
    return p;
}

} // namespace zorvex
