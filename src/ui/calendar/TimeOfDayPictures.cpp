#include "ui/calendar/TimeOfDayPictures.h"

#include "core/common/PathTable.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace zorvex {
namespace {

constexpr int W = kTimeOfDayWidth;
constexpr int H = kTimeOfDayHeight;
constexpr int kHorizon = 50;

QImage canvas()
{
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void sky(QPainter& p, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(0, 0, 0, kHorizon);
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, bottom);
    p.fillRect(QRect(0, 0, W, kHorizon), g);
}

// Two soft hills below the horizon.
void ground(QPainter& p, const QColor& near, const QColor& far)
{
    p.setPen(Qt::NoPen);
    p.setBrush(far);
    p.drawEllipse(QRectF(-14, kHorizon - 4, 40, 24));
    p.setBrush(near);
    p.drawEllipse(QRectF(8, kHorizon - 1, 44, 26));
    p.fillRect(QRect(0, kHorizon + 6, W, H - kHorizon - 6), near);
}

void rays(QPainter& p, const QPointF& centre, double inner, double outer, const QColor& colour, int from, int to)
{
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int a = from; a <= to; a += 30) {
        const double rad = a * M_PI / 180.0;
        p.drawLine(QPointF(centre.x() + inner * std::cos(rad), centre.y() - inner * std::sin(rad)),
                   QPointF(centre.x() + outer * std::cos(rad), centre.y() - outer * std::sin(rad)));
    }
}

void sun(QPainter& p, const QPointF& centre, double radius, const QColor& inner, const QColor& outer)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, inner);
    g.setColorAt(1.0, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

struct Landscape {
    QColor skyTop;
    QColor skyBottom;
    QColor nearHill;
    QColor farHill;
};

// Every built-in picture is the sky, what `draw` puts in it, and the hills
// in front.
template <typename Draw>
QImage scene(const Landscape& land, Draw draw)
{
    QImage img = canvas();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    sky(p, land.skyTop, land.skyBottom);
    draw(p);
    ground(p, land.nearHill, land.farHill);
    return img;
}

QImage morning()
{
    const Landscape land{QColor(120, 170, 230), QColor(255, 214, 150), QColor(70, 150, 60), QColor(110, 175, 90)};
    return scene(land, [](QPainter& p) {
        const QPointF c(16, kHorizon);
        rays(p, c, 10, 15, QColor(255, 170, 40), 30, 150);
        sun(p, c, 8, QColor(255, 235, 120), QColor(255, 150, 30));
    });
}

QImage midday()
{
    const Landscape land{QColor(40, 120, 220), QColor(150, 205, 250), QColor(60, 160, 50), QColor(100, 185, 80)};
    return scene(land, [](QPainter& p) {
        const QPointF c(16, 17);
        rays(p, c, 9, 13, QColor(255, 200, 0), 0, 330);
        sun(p, c, 7, QColor(255, 250, 170), QColor(255, 205, 0));
        // A small cloud.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawEllipse(QRectF(3, 33, 10, 6));
        p.drawEllipse(QRectF(8, 31, 11, 8));
        p.drawEllipse(QRectF(15, 34, 9, 5));
    });
}

QImage evening()
{
    const Landscape land{QColor(70, 50, 120), QColor(250, 120, 60), QColor(60, 55, 70), QColor(90, 70, 90)};
    return scene(land, [](QPainter& p) {
        sun(p, QPointF(16, kHorizon + 2), 9, QColor(255, 190, 80), QColor(220, 60, 30));
    });
}

QImage night()
{
    const Landscape land{QColor(8, 12, 45), QColor(30, 45, 100), QColor(20, 30, 40), QColor(35, 45, 60)};
    return scene(land, [](QPainter& p) {
        // A crescent: a bright disc with a sky-coloured disc cut out of it.
        QPainterPath moon;
        moon.addEllipse(QPointF(17, 17), 8, 8);
        QPainterPath bite;
        bite.addEllipse(QPointF(21, 14), 7, 7);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 240, 180));
        p.drawPath(moon.subtracted(bite));
        // The stars are single sharp pixels.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QColor(255, 255, 255));
        for (const QPoint& star : {QPoint(5, 6), QPoint(26, 30), QPoint(8, 27), QPoint(28, 5), QPoint(14, 38),
                                   QPoint(4, 42), QPoint(24, 42)})
            p.drawPoint(star);
        p.setPen(QColor(200, 210, 255));
        p.drawLine(5, 18, 7, 18);
        p.drawLine(6, 17, 6, 19);
        p.setRenderHint(QPainter::Antialiasing);
    });
}

QString partStem(DayPart part)
{
    return QStringLiteral("0%1").arg(int(part));
}

QImage fitted(const QImage& picture)
{
    QImage img = canvas();
    QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (source.width() > W || source.height() > H)
        source = source.scaled(W, H, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter p(&img);
    p.drawImage(QPoint((W - source.width()) / 2, (H - source.height()) / 2), source);
    return img;
}

} // namespace

QImage builtInTimeOfDayPicture(DayPart part)
{
    switch (part) {
    case DayPart::Morning: {
        static const QImage img = morning();
        return img;
    }
    case DayPart::Evening: {
        static const QImage img = evening();
        return img;
    }
    case DayPart::Night: {
        static const QImage img = night();
        return img;
    }
    case DayPart::Midday:
    case DayPart::None:
        break;
    }
    static const QImage img = midday();
    return img;
}

QString timeOfDaySetsFolder(const PathTable& paths)
{
    return paths.inDataFolder(QStringLiteral("Gfx/Pora dnia/"));
}

QString timeOfDayPictureFile(const FolderListing& set, DayPart part)
{
    if (set.folder().isEmpty() || part == DayPart::None || !set.exists())
        return {};
    for (const char* ext : {".png", ".gif", ".bmp"}) {
        const QString found = set.find(partStem(part) + QLatin1String(ext));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString timeOfDayPictureFile(const QString& setFolder, DayPart part)
{
    if (setFolder.isEmpty() || part == DayPart::None)
        return {};
    return timeOfDayPictureFile(FolderListing(setFolder), part);
}

QImage timeOfDayPicture(const QString& setFolder, DayPart part)
{
    const QString file = timeOfDayPictureFile(setFolder, part);
    if (!file.isEmpty()) {
        const QImage loaded(file);
        if (!loaded.isNull()) {
            if (file.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)) {
                const QImage rgb = loaded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
                return rgb.size() == QSize(W, H) ? rgb : rgb.scaled(W, H);
            }
            return fitted(loaded);
        }
    }
    return builtInTimeOfDayPicture(part);
}

QImage timeOfDayPicture(const PathTable& paths, const QString& setName, DayPart part)
{
    if (setName.isEmpty())
        return builtInTimeOfDayPicture(part);
    return timeOfDayPicture(timeOfDaySetsFolder(paths) + setName, part);
}

QImage framedTimeOfDayPicture(const QImage& picture, bool grid, bool frame)
{
    QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb black = qRgb(0, 0, 0);
    if (grid) {
        for (int y = 0; y < img.height(); ++y)
            img.setPixel(img.width() - 1, y, black);
    }
    if (grid || frame) {
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, 0, black);
        for (int y = 0; y < img.height(); ++y)
            img.setPixel(0, y, black);
    }
    return img;
}

QList<TimeOfDaySet> scanTimeOfDaySets(const QString& setsFolder, const QDateTime& now)
{
    static constexpr DayPart kParts[] = {DayPart::Morning, DayPart::Midday, DayPart::Evening, DayPart::Night};
    QList<TimeOfDaySet> sets;
    sets.append(TimeOfDaySet{});
    const auto found = scanPictureSets(
        setsFolder, QString::fromUtf8("Domyślne"), 4,
        [](const FolderListing& folder, int i) { return timeOfDayPictureFile(folder, kParts[i]); }, now);
    for (const PictureSetInfo& info : found)
        sets.append(TimeOfDaySet{info.name, info.ageHours, info.version});
    return sets;
}

} // namespace zorvex
