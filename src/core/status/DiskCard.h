#pragma once

#include "core/status/GaugeLevels.h"
#include "core/status/StatusSources.h"
#include "core/status/StatusText.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace zorvex {

// The free-space card over the disk icon.
struct DiskCardOptions {
    int mode = 0;            // Dyski: 0 free MB, 1 used MB, 2 free GB, 3 used GB
    bool sum = false;        // DyskiSuma
    bool removable = false;  // DyskiWymienne
    bool removableGb = false; // DyskiWymienneJ = 1
};

inline constexpr int kMaxCardDrives = 24;

struct DiskCardRow {
    QString name;
    bool removable = false;
    bool isSum = false;
    qint64 free = 0;
    qint64 total = 0;
    double percent = 0;   // of the bar, 0-100
    bool hasBar = false;  // a total of 0 (no media) has no bar and no text
    QString amount;       // right-aligned over the bar
    GaugeLevel level = GaugeLevel::Green; // of a solid bar
};

struct DiskCard {
    QString labelText; // title, then one line per drive ("" + two blanks for the sum)
    QString changeKey; // redraw only when this changes
    int lineCount = 0;
    std::vector<DiskCardRow> rows;
};

// "Wolne miejsce [MB]", "Zajęte miejsce [MB]", "Wolne miejsce [GB] ",
// "Zajęte miejsce [GB] ".
QString diskCardTitle(int mode);
// Values of 10 and more rounded to whole numbers, smaller ones with two
// decimals ("7,00").
QString shortNumber(double value, const NumberStyle& style = {});

DiskCard buildDiskCard(const std::vector<DriveInfo>& drives, const DiskCardOptions& options,
                       const NumberStyle& style = {});

// A solid bar in a row whose bottom is `rowBottom`: from (1, rowBottom - 15)
// to (1 + round((width - 2) x percent / 100), rowBottom), the right and
// bottom edges excluded: empty when the share rounds to nothing.
QRect diskSolidBar(const DiskCardRow& row, int pictureWidth, int rowBottom);
// A shaded bar: round(percent) slices of a hundredth of the width from x = 1,
// red, yellow, green for free amounts and the other way for used ones.
std::vector<GaugeSlice> diskShadedBar(const DiskCardRow& row, int pictureWidth, int mode, const GaugeColours& colours);

enum class DiskCardCorner { BottomRight, TopRight, TopLeft, BottomLeft };
struct DiskCardPlacement {
    QPoint topLeft;
    DiskCardCorner corner = DiskCardCorner::BottomRight;
    int barsX = 18;
};
// Placed by the quarter of the screen the pointer is in; a pointer on a half
// line counts for both halves and the later of lower right, upper right,
// upper left, lower left wins.
DiskCardPlacement placeDiskCard(const QPoint& pointer, const QRect& screen, const QSize& card);

} // namespace zorvex
