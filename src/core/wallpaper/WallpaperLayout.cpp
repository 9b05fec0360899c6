#include "core/wallpaper/WallpaperLayout.h"

#include "core/wallpaper/WallpaperSettings.h"

#include <algorithm>
#include <cmath>

namespace zorvex {

QRect fitWallpaper(QSize picture, QSize cell)
{
    const double w = picture.width();
    const double h = picture.height();
    const int cw = cell.width();
    const int ch = cell.height();
    if (w <= 0 || h <= 0 || cw <= 0 || ch <= 0)
        return {};
    int fw = 0;
    int fh = 0;
    if (w > h) {
        fw = cw;
        fh = int(std::lround(cw / (w / h)));
        if (fh > ch) {
            const int previous = fh;
            fh = ch;
            fw = int(std::lround(double(ch) * cw / previous));
        }
    } else {
        fh = ch;
        fw = int(std::lround(ch / (h / w)));
        if (fw > cw) {
            const int previous = fw;
            fw = cw;
            fh = int(std::lround(double(cw) * ch / previous));
        }
    }
    // A sliver of a picture still gets a pixel.
    fw = std::max(fw, 1);
    fh = std::max(fh, 1);
    const int x = std::max(cw / 2 - fw / 2, 0);
    const int y = std::max(ch / 2 - fh / 2, 0);
    return {x, y, fw, fh};
}

QList<QRect> wallpaperCells(QSize screen, int mode)
{
    if (screen.isEmpty())
        return {};
    if (mode <= 0 || mode >= kWallpaperModeCount)
        return {QRect(QPoint(0, 0), screen)};
    const int n = wallpaperGridSide(mode);
    const int cw = screen.width() / n;
    const int ch = screen.height() / n;
    QList<QRect> cells;
    for (int i = 0; i < n * n; ++i)
        cells << QRect((i % n) * cw, (i / n) * ch, cw, ch);
    return cells;
}

WallpaperCanvas wallpaperCanvas(const QList<QRect>& screens)
{
    WallpaperCanvas canvas;
    QRect box;
    for (const QRect& s : screens)
        if (!s.isEmpty())
            box = box.united(s);
    if (box.isEmpty())
        return canvas;
    canvas.size = box.size();
    for (const QRect& s : screens)
        if (!s.isEmpty())
            canvas.monitors << s.translated(-box.topLeft());
    return canvas;
}

} // namespace zorvex
