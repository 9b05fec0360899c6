#include "ui/wallpaper/WallpaperComposer.h"

#include "core/wallpaper/Lanczos.h"
#include "core/wallpaper/WallpaperSettings.h"

#include <QImageReader>
#include <QPainter>

namespace zorvex {

QImage resampleHighQuality(const QImage& picture, QSize size)
{
    if (picture.isNull() || size.isEmpty())
        return {};
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        return {};
    const bool ok = resampleLanczos3(reinterpret_cast<const quint32*>(source.constBits()), source.width(),
                                     source.height(), source.bytesPerLine() / 4,
                                     reinterpret_cast<quint32*>(out.bits()), size.width(), size.height(),
                                     out.bytesPerLine() / 4);
    return ok ? out : QImage();
}

namespace {

QImage loadPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

// Draws one picture into its cell; false when it could not be drawn.
bool placePicture(QPainter& painter, const QImage& picture, const QRect& cell, const CompositionOptions& o)
{
    if (picture.isNull())
        return false;
    QRect target = QRect(QPoint(0, 0), cell.size());
    if (o.keepAspect)
        target = fitWallpaper(picture.size(), cell.size());
    if (target.isEmpty())
        return false;
    target.translate(cell.topLeft());
    if (!o.highQuality) {
        painter.drawImage(target, picture);
        return true;
    }
    const QImage scaled = resampleHighQuality(picture, target.size());
    if (scaled.isNull())
        return false;
    painter.drawImage(target.topLeft(), scaled);
    return true;
}

void drawDamagedStrip(QPainter& painter, const QRect& monitor, const QString& path)
{
    painter.fillRect(QRect(monitor.left(), monitor.top(), monitor.width(), 20), Qt::black);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    painter.drawText(QRect(monitor.left() + 5, monitor.top() + 3, monitor.width() - 10, 17),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QStringLiteral("Uszkodzony plik: ") + path);
}

} // namespace

Composition composeWallpaper(const WallpaperCanvas& canvas, const QStringList& pictures,
                             const CompositionOptions& options)
{
    Composition out;
    if (canvas.size.isEmpty())
        return out;
    out.image = QImage(canvas.size, QImage::Format_RGB32);
    if (out.image.isNull())
        return out;
    out.image.fill(options.keepAspect ? toArgb(options.background) : 0xFF000000u);
    QPainter painter(&out.image);
    const int mode = options.single ? 0 : options.mode;
    qsizetype next = 0;
    for (const QRect& monitor : canvas.monitors) {
        for (const QRect& cell : wallpaperCells(monitor.size(), mode)) {
            if (next >= pictures.size())
                break;
            const QString& path = pictures.at(next++);
            if (!placePicture(painter, loadPicture(path), cell.translated(monitor.topLeft()), options))
                out.damaged = path;
        }
    }
    if (!out.damaged.isEmpty())
        for (const QRect& monitor : canvas.monitors)
            drawDamagedStrip(painter, monitor, out.damaged);
    return out;
}

} // namespace zorvex
