#include "support/FileFixture.h"
#include "ui/wallpaper/WallpaperComposer.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QRgb kColours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF,
                             0xFF808080, 0xFFFF8000, 0xFF8000FF, 0xFF008080, 0xFF804000, 0xFF408000,
                             0xFF004080, 0xFFC0C0C0, 0xFF400040, 0xFF80FF80};

// Solid pictures of the given size, one colour each, as PNG files.
QStringList solidPictures(const QTemporaryDir& dir, int n, QSize size)
{
    QStringList out;
    for (int i = 0; i < n; ++i) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kColours[i % 16]);
        const QString path = dir.filePath(QStringLiteral("%1.png").arg(i));
        image.save(path);
        out << path;
    }
    return out;
}

WallpaperCanvas screen(int w, int h)
{
    return wallpaperCanvas({QRect(0, 0, w, h)});
}

} // namespace

class TestWallpaperCompose : public QObject {
    Q_OBJECT
private slots:
    void grid_data();
    void grid();
    void keepsProportions_data();
    void keepsProportions();
    void damagedPictureLeavesItsCellAndTheStrip();
    void singlePictureIgnoresTheMode();
    void twoMonitorsEachGetTheirOwn();
};

void TestWallpaperCompose::grid_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("high");
    for (int mode = 0; mode < 4; ++mode)
        for (bool high : {false, true})
            QTest::addRow("%d pictures, %s", (mode + 1) * (mode + 1), high ? "high" : "low") << mode << high;
}

void TestWallpaperCompose::grid()
{
    QFETCH(int, mode);
    QFETCH(bool, high);
    QTemporaryDir dir;
    const int n = (mode + 1) * (mode + 1);
    const QStringList pictures = solidPictures(dir, n, QSize(50, 20));
    CompositionOptions o;
    o.mode = mode;
    o.highQuality = high;
    o.background = 0x123456; // used only with proportions
    const Composition c = composeWallpaper(screen(122, 91), pictures, o);
    QCOMPARE(c.image.size(), QSize(122, 91));
    QVERIFY(c.damaged.isEmpty());
    const int side = mode + 1;
    const int cw = 122 / side;
    const int ch = 91 / side;
    for (int i = 0; i < n; ++i) {
        const int x0 = (i % side) * cw;
        const int y0 = (i / side) * ch;
        // Stretched over the whole cell, corners included.
        for (QPoint p : {QPoint(x0, y0), QPoint(x0 + cw - 1, y0 + ch - 1), QPoint(x0 + cw / 2, y0 + ch / 2)})
            QCOMPARE(c.image.pixel(p), kColours[i]);
    }
    // What the cells leave over stays black.
    if (122 % side)
        QCOMPARE(c.image.pixel(121, 0), 0xFF000000u);
    if (91 % side)
        QCOMPARE(c.image.pixel(0, 90), 0xFF000000u);
}

void TestWallpaperCompose::keepsProportions_data()
{
    QTest::addColumn<bool>("high");
    QTest::newRow("low") << false;
    QTest::newRow("high") << true;
}

void TestWallpaperCompose::keepsProportions()
{
    QFETCH(bool, high);
    QTemporaryDir dir;
    // 800 × 600 into 1280 × 1024, scaled down by 8: 160 × 120 at (0, 4).
    const QStringList pictures = solidPictures(dir, 1, QSize(100, 75));
    CompositionOptions o;
    o.keepAspect = true;
    o.highQuality = high;
    o.background = colourFromRgb(10, 20, 30);
    const Composition c = composeWallpaper(screen(160, 128), pictures, o);
    const QRgb bg = toArgb(o.background);
    QCOMPARE(c.image.pixel(80, 3), bg);
    QCOMPARE(c.image.pixel(0, 4), kColours[0]);
    QCOMPARE(c.image.pixel(159, 123), kColours[0]);
    QCOMPARE(c.image.pixel(80, 124), bg);
}

void TestWallpaperCompose::damagedPictureLeavesItsCellAndTheStrip()
{
    QTemporaryDir dir;
    QStringList pictures = solidPictures(dir, 4, QSize(10, 10));
    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    QVERIFY(test::writeFile(broken, "not a picture"));
    pictures[3] = broken;
    CompositionOptions o;
    o.mode = 1;
    o.keepAspect = true;
    o.background = colourFromRgb(0, 0, 200);
    const Composition c = composeWallpaper(screen(200, 100), pictures, o);
    QCOMPARE(c.damaged, broken);
    QCOMPARE(c.image.pixel(150, 75), toArgb(o.background)); // the damaged cell
    QCOMPARE(c.image.pixel(199, 1), 0xFF000000u);            // the strip, black
    QCOMPARE(c.image.pixel(150, 21), kColours[1]);           // below it the picture
    // The strip holds white text.
    bool white = false;
    for (int x = 5; x < 100 && !white; ++x)
        for (int y = 3; y < 20 && !white; ++y)
            white = qGray(c.image.pixel(x, y)) > 200;
    QVERIFY(white);
}

void TestWallpaperCompose::singlePictureIgnoresTheMode()
{
    QTemporaryDir dir;
    CompositionOptions o;
    o.mode = 3;
    o.single = true;
    const Composition c = composeWallpaper(screen(64, 48), solidPictures(dir, 1, QSize(8, 8)), o);
    QCOMPARE(c.image.pixel(0, 0), kColours[0]);
    QCOMPARE(c.image.pixel(63, 47), kColours[0]);
}

void TestWallpaperCompose::twoMonitorsEachGetTheirOwn()
{
    QTemporaryDir dir;
    // The second monitor is smaller and sits right of the first.
    const WallpaperCanvas canvas = wallpaperCanvas({QRect(0, 0, 100, 50), QRect(100, 0, 60, 40)});
    CompositionOptions o;
    o.mode = 1;
    const Composition c = composeWallpaper(canvas, solidPictures(dir, 8, QSize(10, 10)), o);
    QCOMPARE(c.image.size(), QSize(160, 50));
    QCOMPARE(c.image.pixel(0, 0), kColours[0]);
    QCOMPARE(c.image.pixel(99, 49), kColours[3]);
    QCOMPARE(c.image.pixel(100, 0), kColours[4]);  // the second monitor's first cell: 30 × 20
    QCOMPARE(c.image.pixel(159, 39), kColours[7]);
    QCOMPARE(c.image.pixel(130, 45), 0xFF000000u); // below the smaller monitor
}

QTEST_MAIN(TestWallpaperCompose)
#include "tst_wallpaper_compose.moc"
