#include "ui/internet/WeatherPictures.h"

#include "core/common/Text.h"
#include "core/internet/WeatherSettings.h"
#include "ui/calendar/TimeOfDayPictures.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace zorvex {

namespace {

const QRgb kMagenta = qRgb(255, 0, 255);

QString pictureBase(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

void drawSun(QPainter& p, QPointF c, qreal r)
{
    p.setPen(QPen(QColor(240, 170, 0), r * 0.18));
    for (int i = 0; i < 8; ++i) {
        const QLineF ray = QLineF::fromPolar(r * 1.55, i * 45.0).translated(c);
        p.drawLine(QLineF::fromPolar(r * 1.2, i * 45.0).translated(c).p2(), ray.p2());
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 0));
    p.drawEllipse(c, r, r);
}

void drawCloud(QPainter& p, QPointF c, qreal w, QColor colour)
{
    QPainterPath path;
    path.addEllipse(QRectF(c.x() - w * 0.5, c.y() - w * 0.12, w * 0.45, w * 0.32));
    path.addEllipse(QRectF(c.x() - w * 0.25, c.y() - w * 0.32, w * 0.5, w * 0.48));
    path.addEllipse(QRectF(c.x() + w * 0.05, c.y() - w * 0.15, w * 0.45, w * 0.35));
    path.addRect(QRectF(c.x() - w * 0.3, c.y(), w * 0.6, w * 0.2));
    p.setPen(QPen(colour.darker(140), qMax(1.0, w * 0.03)));
    p.setBrush(colour);
    p.drawPath(path.simplified());
}

} // namespace

QImage builtInWeatherPicture(int n, const QSize& size)
{
    if (n < 1 || n > kWeatherPictures || size.isEmpty())
        return {};
    QImage img(size, QImage::Format_ARGB32);
    img.fill(QColor(170, 210, 250));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    // The picture sits in the upper part, so the temperature stays readable.
    const QPointF centre(w / 2, h * 0.38);
    const QColor white(250, 250, 250);
    const QColor grey(170, 175, 185);
    const QColor dark(110, 115, 125);
    if (n <= 3)
        drawSun(p, n == 1 ? centre : centre + QPointF(-w * 0.15, -w * 0.12), w * (n == 1 ? 0.22 : 0.17));
    if (n >= 2 && n <= 11) {
        const QColor cloud = n <= 3 ? white : n <= 5 ? grey : dark;
        drawCloud(p, centre + QPointF(w * 0.05, w * 0.1), w * (n == 2 ? 0.6 : 0.85), n == 11 ? grey : cloud);
    }
    const qreal top = centre.y() + w * 0.32;
    if (n == 6 || n == 7 || n == 8) {
        p.setPen(QPen(QColor(30, 90, 220), qMax(1.0, w * 0.05)));
        const int drops = n == 6 ? 2 : 4;
        for (int i = 0; i < drops; ++i) {
            const qreal x = w * (0.25 + 0.5 * i / qMax(1, drops - 1));
            p.drawLine(QPointF(x, top), QPointF(x - w * 0.06, top + w * 0.18));
        }
    }
    if (n == 8) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 220, 0));
        const QPolygonF bolt{{w * 0.55, top - w * 0.05}, {w * 0.4, top + w * 0.15}, {w * 0.5, top + w * 0.15},
                             {w * 0.42, top + w * 0.32}, {w * 0.62, top + w * 0.08}, {w * 0.52, top + w * 0.08}};
        p.drawPolygon(bolt);
    }
    if (n == 9 || n == 10) {
        p.setPen(Qt::NoPen);
        p.setBrush(white);
        const int flakes = n == 9 ? 2 : 4;
        for (int i = 0; i < flakes; ++i) {
            const qreal x = w * (0.25 + 0.5 * i / qMax(1, flakes - 1));
            p.drawEllipse(QPointF(x, top + w * 0.1), w * 0.06, w * 0.06);
        }
    }
    if (n == 11) {
        p.setPen(QPen(QColor(235, 235, 235), qMax(1.0, w * 0.06)));
        for (int i = 0; i < 3; ++i)
            p.drawLine(QPointF(w * 0.15, top + i * w * 0.12), QPointF(w * 0.85, top + i * w * 0.12));
    }
    return img;
}

QStringList scanWeatherIconSets(const QString& setsFolder)
{
    const QString builtIn = QString::fromUtf8(kDefaultIconSet);
    QStringList sets{builtIn};
    const QDir dir(setsFolder);
    for (const QString& folder : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (equalsIgnoringCase(folder, builtIn))
            continue;
        bool complete = true;
        for (int n = 1; n <= kWeatherPictures && complete; ++n) {
            const QString base = dir.filePath(folder + QLatin1Char('/') + pictureBase(n));
            complete = QFileInfo::exists(base + QStringLiteral(".bmp")) || QFileInfo::exists(base + QStringLiteral(".png"))
                || QFileInfo::exists(base + QStringLiteral(".gif"));
        }
        if (complete)
            sets << folder;
    }
    return sets;
}

QList<PictureSetInfo> scanWeatherIconSetInfos(const QString& setsFolder, const QDateTime& now)
{
    return scanPictureSets(
        setsFolder, QString::fromUtf8(kDefaultIconSet), kWeatherPictures,
        [](const FolderListing& folder, int i) -> QString {
            // The picture DrawIcon would take: ".png", then ".gif", then ".bmp".
            const QString base = folder.folder() + QLatin1Char('/') + pictureBase(i + 1);
            for (const char* ext : {".png", ".gif", ".bmp"}) {
                if (QFileInfo::exists(base + QLatin1String(ext)))
                    return base + QLatin1String(ext);
            }
            return QString();
        },
        now);
}

QImage loadWeatherIconPicture(const QString& setsFolder, const QString& set, int n)
{
    if (set.isEmpty() || n < 1 || n > kWeatherPictures || set.contains(QLatin1Char('/')) || set == QLatin1String(".."))
        return {};
    const QString folder = QDir(setsFolder).filePath(set);
    if (!QFileInfo(folder).isDir()) {
        if (set == QString::fromUtf8(kDefaultIconSet))
            return builtInWeatherPicture(n, QSize(32, 64));
        return {};
    }
    const QString base = folder + QLatin1Char('/') + pictureBase(n);
    for (const char* ext : {".png", ".gif", ".bmp"}) {
        const QString path = base + QLatin1String(ext);
        if (QFileInfo::exists(path))
            return QImage(path);
    }
    return {};
}

QImage composeWeatherIcon(const QImage& picture, bool grid, bool frame, const QString& temperature,
                          QColor textColour)
{
    QImage icon(32, 64, QImage::Format_ARGB32);
    icon.fill(kMagenta);
    {
        QPainter p(&icon);
        p.drawImage(QRect(0, 0, 32, 64), picture);
    }
    icon = framedTimeOfDayPicture(icon, grid, frame);
    if (!temperature.isEmpty()) {
        QPainter p(&icon);
        QFont font(QStringLiteral("Tahoma"));
        font.setBold(true);
        font.setPointSize(temperature.size() < 5 ? 8 : 7);
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        if (textColour.rgb() == kMagenta)
            textColour = QColor(254, 0, 254);
        p.setPen(textColour);
        const QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(temperature);
        p.drawText(16 - width / 2, 64 - metrics.height() + metrics.ascent(), temperature);
    }
    // Magenta is the picture's transparent colour.
    for (int y = 0; y < icon.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(icon.scanLine(y));
        for (int x = 0; x < icon.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (kMagenta & 0xFFFFFF))
                line[x] = 0;
        }
    }
    return icon;
}

} // namespace zorvex
