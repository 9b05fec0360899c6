#include "ui/calendar/ZodiacPictures.h"

#include "core/app/Settings.h"
#include "core/calendar/Zodiac.h"
#include "core/common/PathTable.h"
#include "core/common/Text.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace zorvex {
namespace {

constexpr QRgb kMagenta = 0xFFFF00FFu;
constexpr Colour kBitmapKey = colourFromRgb(255, 0, 255);

// The symbols are drawn in a 30 x 30 box at the picture's left; without
// antialiasing, so the picture keeps two colours and the colouring rule
// (anything but the background takes the text colour) stays crisp.
QPainterPath symbol(int sign)
{
    QPainterPath p;
    switch (sign) {
    case 1: // Wodnik: two waves
        for (int y : {12, 21}) {
            p.moveTo(4, y + 2);
            for (int x = 8; x <= 28; x += 4)
                p.lineTo(x, (x / 4) % 2 ? y - 2 : y + 2);
        }
        break;
    case 2: // Ryby: two arcs back to back and a bar
        p.arcMoveTo(QRectF(0, 4, 12, 26), 90);
        p.arcTo(QRectF(0, 4, 12, 26), 90, -180);
        p.arcMoveTo(QRectF(22, 4, 12, 26), 90);
        p.arcTo(QRectF(22, 4, 12, 26), 90, 180);
        p.moveTo(10, 17);
        p.lineTo(24, 17);
        break;
    case 3: // Baran: a stem with two horns
        p.moveTo(17, 31);
        p.lineTo(17, 11);
        p.arcTo(QRectF(5, 4, 12, 14), 0, 180);
        p.lineTo(7, 15);
        p.moveTo(17, 11);
        p.arcTo(QRectF(17, 4, 12, 14), 180, -180);
        p.lineTo(27, 15);
        break;
    case 4: // Byk: a circle under a crescent
        p.addEllipse(QPointF(17, 21), 8, 8);
        p.arcMoveTo(QRectF(5, 0, 24, 14), 180);
        p.arcTo(QRectF(5, 0, 24, 14), 180, 180);
        break;
    case 5: // Bliźnięta: two pillars between two bows
        p.moveTo(12, 7);
        p.lineTo(12, 27);
        p.moveTo(22, 7);
        p.lineTo(22, 27);
        p.moveTo(5, 4);
        p.quadTo(17, 11, 29, 4);
        p.moveTo(5, 30);
        p.quadTo(17, 23, 29, 30);
        break;
    case 6: // Rak: two dots with their curls
        p.addEllipse(QPointF(9, 11), 4, 4);
        p.addEllipse(QPointF(25, 23), 4, 4);
        p.moveTo(9, 7);
        p.quadTo(22, 1, 31, 11);
        p.moveTo(25, 27);
        p.quadTo(12, 33, 3, 23);
        break;
    case 7: // Lew: a circle with a mane's loop and tail
        p.addEllipse(QPointF(10, 22), 5, 5);
        p.moveTo(13, 18);
        p.cubicTo(7, 8, 17, 1, 22, 7);
        p.cubicTo(27, 13, 19, 20, 24, 28);
        p.cubicTo(26, 31, 30, 30, 31, 27);
        break;
    case 8: // Panna: an "m" whose last stroke loops
    case 10: // Skorpion: an "m" whose last stroke ends in an arrow
        p.moveTo(4, 8);
        p.lineTo(4, 29);
        p.moveTo(4, 12);
        p.quadTo(8, 5, 11, 12);
        p.lineTo(11, 29);
        p.moveTo(11, 12);
        p.quadTo(15, 5, 18, 12);
        if (sign == 8) {
            p.lineTo(18, 27);
            p.moveTo(18, 20);
            p.cubicTo(28, 8, 31, 26, 15, 31);
        } else {
            p.lineTo(18, 26);
            p.quadTo(19, 30, 25, 30);
            p.lineTo(31, 30);
            p.moveTo(27, 26);
            p.lineTo(31, 30);
            p.lineTo(27, 33);
        }
        break;
    case 9: // Waga: the scales
        p.moveTo(3, 27);
        p.lineTo(31, 27);
        p.moveTo(3, 21);
        p.lineTo(11, 21);
        p.cubicTo(5, 9, 29, 9, 23, 21);
        p.lineTo(31, 21);
        break;
    case 11: // Strzelec: an arrow with its cross bar
        p.moveTo(5, 30);
        p.lineTo(30, 5);
        p.moveTo(19, 5);
        p.lineTo(30, 5);
        p.lineTo(30, 16);
        p.moveTo(9, 16);
        p.lineTo(19, 26);
        break;
    case 12: // Koziorożec: a "V" turning into a loop
        p.moveTo(3, 7);
        p.quadTo(8, 9, 10, 27);
        p.cubicTo(12, 10, 20, 6, 20, 14);
        p.lineTo(20, 24);
        p.cubicTo(20, 32, 32, 32, 30, 24);
        p.cubicTo(28, 18, 21, 21, 18, 30);
        break;
    default:
        break;
    }
    return p;
}

// The name in the largest bold size that fits, from 14 pixels down to 11;
// a name still too wide is narrowed. Drawn smooth, then cut to black at
// half cover: letters drawn without smoothing fall apart when narrowed, and
// the picture must keep its two colours for the colouring rule.
void drawName(QImage& img, const QString& name, const QRect& area)
{
    QFont font;
    // The condensed face needs the least narrowing.
    font.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setBold(true);
    int width = 0;
    for (int px = 14; px >= 11; --px) {
        font.setPixelSize(px);
        width = QFontMetrics(font).horizontalAdvance(name);
        if (width <= area.width())
            break;
    }
    QImage cover(area.size(), QImage::Format_ARGB32_Premultiplied);
    cover.fill(Qt::transparent);
    {
        QPainter p(&cover);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(Qt::black);
        const double squeeze = width > area.width() ? double(area.width()) / width : 1.0;
        p.translate(area.width() / 2.0, 0);
        p.scale(squeeze, 1.0);
        p.drawText(QRectF(-width / 2.0 - 1, 0, width + 2, area.height()), Qt::AlignCenter, name);
    }
    for (int y = 0; y < cover.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(cover.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(area.y() + y));
        for (int x = 0; x < cover.width(); ++x) {
            if (qAlpha(line[x]) >= 128)
                out[area.x() + x] = 0xFF000000u;
        }
    }
}

QImage drawBuiltIn(int sign)
{
    QImage img(kZodiacWidth, kZodiacHeight, QImage::Format_RGB32);
    img.fill(QColor::fromRgb(toArgb(kZodiacBuiltInBackground)));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.translate(2, 0);
    p.drawPath(symbol(sign));
    p.end();
    drawName(img, PolishUpper(zodiacSignName(sign)), QRect(38, 0, kZodiacWidth - 40, kZodiacHeight));
    return img;
}

// Pixels of `key` turn transparent, every other pixel takes `colour`.
QImage keyedAndPainted(const QImage& picture, QRgb key, QRgb colour)
{
    QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = (line[x] | 0xFF000000u) == (key | 0xFF000000u) ? 0u : colour;
    }
    return img;
}

bool hasExtension(const QString& file, const char* ext)
{
    return file.endsWith(QLatin1String(ext), Qt::CaseInsensitive);
}

// Stretched to the area, keeping hard edges: the pictures are keyed, and
// smoothing would blend the text colour into the transparent background.
QImage stretched(const QImage& img, const QSize& area)
{
    if (area.isEmpty() || img.size() == area)
        return img;
    return img.scaled(area, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage magentaTransparent(const QImage& picture)
{
    QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if ((line[x] | 0xFF000000u) == kMagenta)
                line[x] = 0u;
        }
    }
    return img;
}

} // namespace

QImage builtInZodiacPicture(int sign)
{
    if (sign < 1 || sign > kZodiacSigns)
        return {};
    // Each drawn when first asked for: a start shows one or two signs.
    static std::array<QImage, kZodiacSigns> pictures;
    QImage& picture = pictures[size_t(sign - 1)];
    if (picture.isNull())
        picture = drawBuiltIn(sign);
    return picture;
}

QImage colouredBuiltInZodiacPicture(int sign, Colour colour)
{
    const QImage raw = builtInZodiacPicture(sign);
    if (raw.isNull())
        return {};
    return keyedAndPainted(raw, raw.pixel(0, 0), toArgb(colour));
}

QImage zodiacMenuIcon(int sign)
{
    const QImage full = colouredBuiltInZodiacPicture(sign, 0);
    if (full.isNull())
        return {};
    // The symbol's box alone, so it stays readable at menu size.
    return full.copy(0, 0, kZodiacHeight, kZodiacHeight).scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QString zodiacSetsFolder(const PathTable& paths)
{
    return paths.inDataFolder(QStringLiteral("Gfx/Zodiak/"));
}

QString zodiacSetPictureFile(const FolderListing& set, int sign)
{
    if (set.folder().isEmpty() || sign < 1 || sign > kZodiacSigns || !set.exists())
        return {};
    const QString twoDigits = QStringLiteral("%1").arg(sign, 2, 10, QLatin1Char('0'));
    const QString plain = QString::number(sign);
    for (const char* ext : {".png", ".gif", ".bmp"}) {
        for (const QString& stem : {twoDigits, plain}) {
            const QString found = set.find(stem + QLatin1String(ext));
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

QString zodiacSetPictureFile(const QString& setFolder, int sign)
{
    if (setFolder.isEmpty() || sign < 1 || sign > kZodiacSigns)
        return {};
    return zodiacSetPictureFile(FolderListing(setFolder), sign);
}

QImage recolouredSetBitmap(const QImage& bitmap, Colour colour)
{
    QImage img = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb ink = toArgb(kZodiacInk);
    const QRgb paint = toArgb(colour);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb px = line[x] | 0xFF000000u;
            if (px == ink)
                line[x] = paint;
            else if (px == kMagenta)
                line[x] = 0u;
        }
    }
    return img;
}

QString zodiacFixedPictureFile(const PathTable& paths, const QString& stored)
{
    if (stored.isEmpty())
        return {};
    QString path = stored;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QFileInfo info(path);
    if (info.isAbsolute() && info.isFile())
        return path;
    const QString relative = paths.inDataFolder(path);
    if (QFileInfo(relative).isFile())
        return relative;
    return {};
}

ZodiacPicture zodiacPicture(const MainWindowSettings& s, const PathTable& paths, int sign, Colour colour,
                            const QSize& area)
{
    ZodiacPicture out;
    if (sign < 1 || sign > kZodiacSigns)
        return out;

    if (s.zodiacFixedPicture == 1) {
        const QString file = zodiacFixedPictureFile(paths, s.zodiacPicture);
        if (file.isEmpty())
            return out; // a missing fixed picture shows nothing
        if (hasExtension(file, ".gif")) {
            out.movieFile = file;
            return out;
        }
        QImage img(file);
        if (img.isNull())
            return out;
        if (hasExtension(file, ".bmp")) {
            img = magentaTransparent(img);
            out.transparent = kBitmapKey;
        }
        out.image = stretched(img, area);
        return out;
    }

    if (!s.zodiacSignSet.isEmpty()) {
        const QString file = zodiacSetPictureFile(zodiacSetsFolder(paths) + s.zodiacSignSet, sign);
        if (hasExtension(file, ".gif")) {
            out.movieFile = file;
            return out;
        }
        if (!file.isEmpty()) {
            const QImage img(file);
            if (!img.isNull()) {
                const bool bitmap = hasExtension(file, ".bmp");
                out.image = stretched(bitmap ? recolouredSetBitmap(img, colour) : img, area);
                if (bitmap)
                    out.transparent = kBitmapKey;
                return out;
            }
        }
    }
    // At its own size, centred by the area: stretching the hard-edged
    // lettering by a few pixels doubles single columns and breaks the name
    // apart.
    out.image = colouredBuiltInZodiacPicture(sign, colour);
    out.transparent = kZodiacBuiltInBackground;
    out.builtIn = true;
    return out;
}

QList<PictureSetInfo> scanZodiacSets(const QString& setsFolder, const QDateTime& now)
{
    return scanPictureSets(
        setsFolder, QString::fromUtf8("Domyślny"), kZodiacSigns,
        [](const FolderListing& folder, int i) { return zodiacSetPictureFile(folder, i + 1); }, now);
}

} // namespace zorvex
