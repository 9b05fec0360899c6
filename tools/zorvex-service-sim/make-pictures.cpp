// Draws the simulator's sample pictures into its data folder: the weather
// maps, the zodiac set "Pastelowy", the weather icon set "Słoneczko" and the
// wallpaper of the program update. Run by make-sample-data.sh; the pictures
// are committed, so nobody needs to run it to use the simulator.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTextStream>

#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

QString g_out;

bool ensureFolder(const QString& file)
{
    return QDir().mkpath(QFileInfo(file).path());
}

bool savePicture(const QImage& image, const QString& relative, const char* format, int quality = -1)
{
    const QString path = g_out + QLatin1Char('/') + relative;
    return ensureFolder(path) && image.save(path, format, quality);
}

// Qt reads GIF but does not write it: a plain LZW writer, 256 colours.
QByteArray lzw(const QImage& image)
{
    constexpr int clear = 256;
    constexpr int end = 257;
    QByteArray out;
    quint32 bits = 0;
    int count = 0;
    int width = 9;
    auto emitCode = [&](int code) {
        bits |= quint32(code) << count;
        count += width;
        while (count >= 8) {
            out.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    QHash<quint32, int> table; // (prefix code << 8 | byte) -> code
    int next = 258;
    emitCode(clear);
    int prefix = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const int b = row[x];
            if (prefix < 0) {
                prefix = b;
                continue;
            }
            const quint32 key = (quint32(prefix) << 8) | quint32(b);
            const auto found = table.constFind(key);
            if (found != table.constEnd()) {
                prefix = found.value();
                continue;
            }
            emitCode(prefix);
            if (next < 4096) {
                table.insert(key, next++);
                if (next > (1 << width) && width < 12)
                    ++width;
            } else {
                emitCode(clear);
                table.clear();
                next = 258;
                width = 9;
            }
            prefix = b;
        }
    }
    if (prefix >= 0)
        emitCode(prefix);
    emitCode(end);
    if (count > 0)
        out.append(char(bits & 0xFF));
    return out;
}

bool saveGif(const QImage& source, const QString& relative)
{
    const QImage image = source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    QByteArray gif("GIF89a");
    auto put16 = [&gif](int v) {
        gif.append(char(v & 0xFF));
        gif.append(char((v >> 8) & 0xFF));
    };
    put16(image.width());
    put16(image.height());
    gif.append(char(0xF7)); // global colour table of 256 entries
    gif.append('\0');
    gif.append('\0');
    const QList<QRgb> colours = image.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        gif.append(char(qRed(c)));
        gif.append(char(qGreen(c)));
        gif.append(char(qBlue(c)));
    }
    gif.append(',');
    put16(0);
    put16(0);
    put16(image.width());
    put16(image.height());
    gif.append('\0');
    gif.append(char(8)); // minimum code size
    const QByteArray codes = lzw(image);
    for (qsizetype i = 0; i < codes.size(); i += 255) {
        const QByteArray block = codes.mid(i, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append('\0');
    gif.append(';');

    const QString path = g_out + QLatin1Char('/') + relative;
    QFile file(path);
    return ensureFolder(path) && file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size();
}

// ------------------------------------------------------------ weather maps

struct Place {
    const char* name;
    double lon;
    double lat;
};

constexpr std::array<Place, 12> kPlaces = {{
    {"Szczecin", 14.55, 53.43}, {"Gdańsk", 18.65, 54.35},   {"Olsztyn", 20.48, 53.78}, {"Białystok", 23.16, 53.13},
    {"Poznań", 16.93, 52.41},   {"Warszawa", 21.01, 52.23}, {"Łódź", 19.46, 51.76},    {"Wrocław", 17.03, 51.11},
    {"Lublin", 22.57, 51.25},   {"Katowice", 19.02, 50.26}, {"Kraków", 19.94, 50.06},  {"Rzeszów", 22.00, 50.04},
}};

// A rough outline of Poland, longitude and latitude.
constexpr std::array<std::array<double, 2>, 27> kBorder = {{
    {14.2, 53.9}, {16.0, 54.3}, {17.6, 54.8}, {18.6, 54.8}, {18.6, 54.4}, {19.6, 54.45}, {22.8, 54.4},
    {23.5, 54.2}, {23.9, 53.2}, {23.6, 52.6}, {23.2, 52.2}, {23.6, 51.6}, {24.1, 50.9},  {23.4, 50.3},
    {22.6, 49.5}, {22.0, 49.2}, {20.9, 49.3}, {19.5, 49.6}, {18.8, 49.5}, {18.0, 50.0},  {16.9, 50.4},
    {16.3, 50.7}, {15.0, 51.0}, {14.8, 51.6}, {14.6, 52.6}, {14.1, 52.9}, {14.4, 53.3},
}};

constexpr int kMapW = 360;
constexpr int kMapH = 340;

QPointF project(double lon, double lat)
{
    return {10 + (lon - 13.8) * 32.0, 28 + (55.0 - lat) * 50.0};
}

QPolygonF border()
{
    QPolygonF p;
    for (const auto& b : kBorder)
        p << project(b[0], b[1]);
    return p;
}

void mapCanvas(const QString& title, QColor sea, QColor land, QPainter& painter, QImage& image)
{
    image = QImage(kMapW, kMapH, QImage::Format_RGB32);
    image.fill(sea);
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(land);
    painter.drawPolygon(border());
    QFont font(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 4, kMapW, 20), Qt::AlignCenter, title);
}

void drawPlaces(QPainter& painter, const std::function<QString(const Place&, int)>& label)
{
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 8, QFont::Bold));
    for (size_t i = 0; i < kPlaces.size(); ++i) {
        const Place& p = kPlaces[i];
        const QPointF at = project(p.lon, p.lat);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawEllipse(at, 2.5, 2.5);
        painter.setPen(Qt::black);
        painter.drawText(at + QPointF(5, 4), label(p, int(i)));
    }
}

bool temperatureMap()
{
    QImage image;
    QPainter painter;
    mapCanvas(QStringLiteral("Temperatura maksymalna [°C]"), QColor(170, 200, 235), QColor(240, 240, 230), painter, image);
    // Warmer to the south-west, colder to the north-east.
    painter.setClipRegion(QRegion(border().toPolygon()));
    QLinearGradient warm(project(15, 50), project(23.5, 54.3));
    warm.setColorAt(0, QColor(250, 150, 80));
    warm.setColorAt(0.5, QColor(250, 220, 110));
    warm.setColorAt(1, QColor(150, 210, 240));
    painter.fillRect(image.rect(), warm);
    painter.setClipping(false);
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(border());
    drawPlaces(painter, [](const Place& p, int) -> QString {
        const int t = int(std::lround(8 - (p.lat - 50) * 1.5 - (p.lon - 15) * 0.4));
        return QString::number(t) + QStringLiteral("°");
    });
    painter.end();
    return saveGif(image, QStringLiteral("mapy/temperatura.gif"));
}

bool rainMap()
{
    QImage image;
    QPainter painter;
    mapCanvas(QStringLiteral("Opady [mm]"), QColor(170, 200, 235), QColor(235, 240, 225), painter, image);
    painter.setClipRegion(QRegion(border().toPolygon()));
    painter.setPen(Qt::NoPen);
    const std::array<std::array<double, 4>, 5> blobs = {{{17.0, 53.8, 60, 0.35}, {19.5, 50.2, 70, 0.55},
                                                          {22.5, 52.6, 50, 0.30}, {15.8, 51.2, 45, 0.45},
                                                          {20.3, 50.0, 30, 0.75}}};
    for (const auto& b : blobs) {
        QRadialGradient g(project(b[0], b[1]), b[2]);
        g.setColorAt(0, QColor(30, 90, 200, int(255 * b[3])));
        g.setColorAt(1, QColor(30, 90, 200, 0));
        painter.setBrush(g);
        painter.drawEllipse(project(b[0], b[1]), b[2], b[2] * 0.7);
    }
    painter.setClipping(false);
    drawPlaces(painter, [](const Place&, int i) -> QString { return QString::number((i * 7) % 12) + QStringLiteral(" mm"); });
    painter.end();
    return savePicture(image, QStringLiteral("mapy/opady.png"), "PNG");
}

bool cloudMap()
{
    QImage image;
    QPainter painter;
    mapCanvas(QStringLiteral("Zachmurzenie"), QColor(20, 30, 60), QColor(50, 80, 50), painter, image);
    painter.setPen(Qt::NoPen);
    QRandomGenerator random(1209);
    for (int i = 0; i < 60; ++i) {
        const QPointF at(random.bounded(kMapW), 30 + random.bounded(kMapH - 30));
        const double r = 12 + random.bounded(30);
        QRadialGradient g(at, r);
        g.setColorAt(0, QColor(240, 240, 245, 200));
        g.setColorAt(1, QColor(240, 240, 245, 0));
        painter.setBrush(g);
        painter.drawEllipse(at, r * 1.4, r);
    }
    painter.setPen(QColor(255, 230, 120));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 11, QFont::Bold));
    painter.drawText(QRect(0, 4, kMapW, 20), Qt::AlignCenter, QStringLiteral("Zachmurzenie"));
    painter.end();
    return savePicture(image, QStringLiteral("mapy/zachmurzenie.jpg"), "JPG", 80);
}

bool pressureMap()
{
    QImage image;
    QPainter painter;
    mapCanvas(QStringLiteral("Ciśnienie [hPa]"), QColor(200, 220, 240), QColor(245, 245, 240), painter, image);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(120, 60, 160), 1.2));
    const QPointF high = project(16.0, 51.0);
    const QPointF low = project(24.5, 54.8);
    for (int i = 1; i <= 5; ++i) {
        painter.drawEllipse(high, 28.0 * i, 20.0 * i);
        painter.drawEllipse(low, 22.0 * i, 16.0 * i);
    }
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 16, QFont::Bold));
    painter.setPen(QColor(20, 60, 200));
    painter.drawText(high + QPointF(-7, 7), QStringLiteral("W"));
    painter.setPen(QColor(200, 30, 30));
    painter.drawText(low + QPointF(-30, 20), QStringLiteral("N"));
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 7));
    painter.setPen(QColor(120, 60, 160));
    for (int i = 1; i <= 4; ++i)
        painter.drawText(high + QPointF(28.0 * i - 12, -3), QString::number(1030 - 4 * i));
    painter.end();
    return saveGif(image, QStringLiteral("mapy/cisnienie.gif"));
}

bool windMap()
{
    QImage image;
    QPainter painter;
    mapCanvas(QStringLiteral("Wiatr [m/s]"), QColor(170, 200, 235), QColor(235, 240, 225), painter, image);
    painter.setPen(QPen(QColor(40, 90, 40), 2));
    for (size_t i = 0; i < kPlaces.size(); ++i) {
        const QPointF at = project(kPlaces[i].lon, kPlaces[i].lat) + QPointF(0, -14);
        const double angle = 0.6 + 0.15 * double(i % 4);
        const QPointF tip = at + QPointF(std::cos(angle) * 16, std::sin(angle) * 8);
        painter.drawLine(at, tip);
        painter.drawLine(tip, tip + QPointF(-6, -1));
        painter.drawLine(tip, tip + QPointF(-3, -6));
    }
    drawPlaces(painter, [](const Place&, int i) -> QString { return QString::number(2 + (i * 3) % 9); });
    painter.end();
    return savePicture(image, QStringLiteral("mapy/wiatr.png"), "PNG");
}

// ----------------------------------------------------------- zodiac set

bool zodiacSet()
{
    // Set files are numbered by sign: 1 Wodnik … 12 Koziorożec.
    struct Sign {
        const char* name;
        char16_t symbol;
        QColor colour;
    };
    const std::array<Sign, 12> signs = {{
        {"WODNIK", 0x2652, QColor(190, 225, 245)},     {"RYBY", 0x2653, QColor(200, 215, 245)},
        {"BARAN", 0x2648, QColor(250, 205, 200)},      {"BYK", 0x2649, QColor(215, 235, 200)},
        {"BLIŹNIĘTA", 0x264A, QColor(250, 240, 190)},  {"RAK", 0x264B, QColor(205, 230, 240)},
        {"LEW", 0x264C, QColor(250, 220, 180)},        {"PANNA", 0x264D, QColor(225, 240, 205)},
        {"WAGA", 0x264E, QColor(235, 215, 240)},       {"SKORPION", 0x264F, QColor(240, 200, 215)},
        {"STRZELEC", 0x2650, QColor(245, 225, 200)},   {"KOZIOROŻEC", 0x2651, QColor(220, 220, 235)},
    }};
    for (size_t i = 0; i < signs.size(); ++i) {
        QImage image(108, 34, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(signs[i].colour.darker(140));
        p.setBrush(signs[i].colour);
        p.drawRoundedRect(QRectF(0.5, 0.5, 107, 33), 8, 8);
        p.setPen(signs[i].colour.darker(260));
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 15));
        p.drawText(QRect(4, 0, 28, 34), Qt::AlignCenter, QString(QChar(signs[i].symbol)));
        p.setFont(QFont(QStringLiteral("DejaVu Sans Condensed"), 8, QFont::Bold));
        p.drawText(QRect(30, 0, 76, 34), Qt::AlignCenter, QString::fromUtf8(signs[i].name));
        p.end();
        const QString name = QStringLiteral("dodatki/Pastelowy/Gfx/Zodiak/Pastelowy/%1.png").arg(i + 1, 2, 10, QLatin1Char('0'));
        if (!savePicture(image, name, "PNG"))
            return false;
    }
    return true;
}

// ------------------------------------------------------ weather icon set

void sun(QPainter& p, QPointF at, double r)
{
    p.setPen(QPen(QColor(245, 170, 20), 1.5));
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        p.drawLine(at + QPointF(std::cos(a) * (r + 2), std::sin(a) * (r + 2)),
                   at + QPointF(std::cos(a) * (r + 5), std::sin(a) * (r + 5)));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 205, 40));
    p.drawEllipse(at, r, r);
}

void cloud(QPainter& p, QPointF at, double scale, QColor colour)
{
    QPainterPath path;
    path.addEllipse(at + QPointF(-8, -2) * scale, 6 * scale, 5 * scale);
    path.addEllipse(at + QPointF(0, -5) * scale, 7 * scale, 7 * scale);
    path.addEllipse(at + QPointF(8, -1) * scale, 6 * scale, 5 * scale);
    path.addRoundedRect(QRectF(at + QPointF(-13, -2) * scale, QSizeF(26, 7) * scale), 3 * scale, 3 * scale);
    p.setPen(QPen(colour.darker(130), 1));
    p.setBrush(colour);
    p.drawPath(path.simplified());
}

void drops(QPainter& p, double top, int count, bool snow)
{
    for (int i = 0; i < count; ++i) {
        const QPointF at(7 + i * 6, top + (i % 2) * 4);
        if (snow) {
            p.setPen(QPen(QColor(120, 160, 220), 1.2));
            p.drawLine(at + QPointF(-2, 0), at + QPointF(2, 0));
            p.drawLine(at + QPointF(0, -2), at + QPointF(0, 2));
            p.drawLine(at + QPointF(-1.5, -1.5), at + QPointF(1.5, 1.5));
            p.drawLine(at + QPointF(-1.5, 1.5), at + QPointF(1.5, -1.5));
        } else {
            p.setPen(QPen(QColor(40, 110, 220), 1.5));
            p.drawLine(at, at + QPointF(-1.5, 4));
        }
    }
}

bool weatherIcons()
{
    // 1..11 stand for chm1, chm2, chm3, chm4, chm6, chm8, chm10, chm11,
    // chm12, chm14 and chm16 of the forecast.
    const QColor white(250, 250, 252);
    const QColor grey(190, 195, 205);
    const QColor dark(130, 135, 150);
    for (int n = 1; n <= 11; ++n) {
        QImage image(32, 64, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        switch (n) {
        case 1: sun(p, {16, 20}, 8); break;
        case 2: sun(p, {14, 18}, 7); cloud(p, {21, 29}, 0.55, white); break;
        case 3: sun(p, {11, 15}, 6); cloud(p, {18, 26}, 0.8, white); break;
        case 4: sun(p, {9, 12}, 5); cloud(p, {17, 24}, 1.0, grey); break;
        case 5: cloud(p, {16, 18}, 0.8, grey); cloud(p, {16, 26}, 1.0, dark); break;
        case 6: sun(p, {10, 12}, 5); cloud(p, {17, 22}, 1.0, grey); drops(p, 32, 3, false); break;
        case 7: cloud(p, {16, 20}, 1.05, dark); drops(p, 30, 4, false); break;
        case 8: {
            cloud(p, {16, 18}, 1.05, dark.darker(120));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 210, 30));
            p.drawPolygon(QPolygonF({{17, 24}, {11, 34}, {16, 34}, {13, 43}, {22, 31}, {17, 31}, {20, 24}}));
            break;
        }
        case 9: sun(p, {10, 12}, 5); cloud(p, {17, 22}, 1.0, grey); drops(p, 32, 3, true); break;
        case 10: cloud(p, {16, 20}, 1.05, grey); drops(p, 31, 4, true); drops(p, 38, 3, true); break;
        case 11: {
            p.setPen(QPen(QColor(170, 175, 185), 2.5, Qt::SolidLine, Qt::RoundCap));
            for (int i = 0; i < 5; ++i)
                p.drawLine(QPointF(4 + (i % 2) * 3, 12 + i * 6), QPointF(28 - (i % 2) * 3, 12 + i * 6));
            break;
        }
        default: break;
        }
        p.end();
        const QString name = QStringLiteral("dodatki/Sloneczko/Gfx/Pogoda/Słoneczko/%1.png").arg(n, 2, 10, QLatin1Char('0'));
        if (!savePicture(image, name, "PNG"))
            return false;
    }
    return true;
}

// --------------------------------------------------------------- wallpaper

bool wallpaper()
{
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 260);
    sky.setColorAt(0, QColor(40, 70, 130));
    sky.setColorAt(1, QColor(170, 200, 230));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 240, 250));
    p.drawEllipse(QPointF(160, 420), 360, 170);
    p.setBrush(QColor(250, 252, 255));
    p.drawEllipse(QPointF(520, 440), 330, 180);
    QRandomGenerator random(2026);
    for (int i = 0; i < 9; ++i) {
        const double x = 40 + i * 70 + random.bounded(30);
        const double base = 300 + random.bounded(40);
        const double h = 60 + random.bounded(50);
        p.setBrush(QColor(30, 80, 50));
        p.drawPolygon(QPolygonF({{x, base - h}, {x - h / 3, base}, {x + h / 3, base}}));
        p.setBrush(QColor(245, 248, 252));
        p.drawPolygon(QPolygonF({{x, base - h}, {x - h / 9, base - h * 0.7}, {x + h / 9, base - h * 0.7}}));
    }
    p.setBrush(Qt::white);
    for (int i = 0; i < 220; ++i)
        p.drawEllipse(QPointF(random.bounded(640), random.bounded(400)), 1.2, 1.2);
    p.end();
    return savePicture(image, QStringLiteral("aktualizacja/zima.jpg"), "JPG", 85);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "Użycie: zorvex-service-sim-pictures FOLDER_DANYCH\n";
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    const bool ok = temperatureMap() && rainMap() && cloudMap() && pressureMap() && windMap() && zodiacSet()
        && weatherIcons() && wallpaper();
    if (!ok) {
        QTextStream(stderr) << "zorvex-service-sim-pictures: nie udało się zapisać obrazków\n";
        return 1;
    }
    return 0;
}
