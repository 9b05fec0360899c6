#include "ui/desktop/SchemeMinimizePicture.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace zorvex {
namespace {

constexpr int kState = 14;

QImage withMagentaTransparent(const QImage& picture)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFF00FF)
                line[x] = 0;
        }
    }
    return out;
}

} // namespace

QImage builtInMinimizePicture()
{
    // A bar near the bottom on a plain ground: the ground is the top-left
    // colour and becomes transparent.
    QImage picture(kState, kState, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.fillRect(3, 9, 8, 2, QColor(32, 32, 32));
    p.fillRect(3, 11, 8, 1, QColor(96, 96, 96));
    return picture;
}

QImage tintedMinimizePicture(const QImage& builtIn, Colour tint)
{
    QImage out = builtIn.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull())
        return out;
    const auto raise = [](int c) { return c < 48 ? c + 48 : c; };
    const int r = raise(colourRed(tint)), g = raise(colourGreen(tint)), b = raise(colourBlue(tint));
    const QRgb ground = out.pixel(0, 0) & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb px = line[x];
            if ((px & 0xFFFFFF) == ground) {
                line[x] = 0;
                continue;
            }
            line[x] = qRgb(std::clamp(r - qRed(px), 0, 255), std::clamp(g - qGreen(px), 0, 255),
                           std::clamp(b - qBlue(px), 0, 255));
        }
    }
    return out;
}

MinimizePictures loadMinimizePictures(const QString& file, Colour tint)
{
    MinimizePictures out;
    QImage picture;
    if (!file.isEmpty() && QFileInfo(file).isFile())
        picture.load(file);
    if (picture.isNull()) {
        out.normal = out.hover = out.pressed = tintedMinimizePicture(builtInMinimizePicture(), tint);
        return out;
    }
    const bool bmp = QFileInfo(file).suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0;
    picture = bmp ? withMagentaTransparent(picture) : picture.convertToFormat(QImage::Format_ARGB32);
    if (picture.width() == 3 * kState && (bmp || picture.height() == kState)) {
        out.normal = picture.copy(0, 0, kState, kState);
        out.hover = picture.copy(kState, 0, kState, kState);
        out.pressed = picture.copy(2 * kState, 0, kState, kState);
    } else {
        out.normal = out.hover = out.pressed = picture;
    }
    return out;
}

} // namespace zorvex
