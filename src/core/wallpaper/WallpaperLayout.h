#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace zorvex {

// Where a picture of `picture` size goes inside a cell of `cell` size when
// its proportions are kept: as large as fits, centred (offsets never below
// zero). The rectangle is relative to the cell; empty for an empty picture.
QRect fitWallpaper(QSize picture, QSize cell);

// The cells of a screen for IleTap `mode`: one cell covering the screen for
// mode 0, else an n × n grid of (W div n) × (H div n) cells, row by row.
QList<QRect> wallpaperCells(QSize screen, int mode);

// Several monitors share one picture spanning the whole virtual desktop:
// `size` is the bounding box of the monitors and `monitors` their places in
// it (the box's top-left at 0, 0). With one monitor this is the screen.
struct WallpaperCanvas {
    QSize size;
    QList<QRect> monitors;
};
WallpaperCanvas wallpaperCanvas(const QList<QRect>& screens);

} // namespace zorvex
