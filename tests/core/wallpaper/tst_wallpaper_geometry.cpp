#include "core/wallpaper/Lanczos.h"
#include "core/wallpaper/WallpaperLayout.h"

#include <QtTest>

#include <cmath>
#include <vector>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Plane {
    int w, h;
    std::vector<quint32> px;
    Plane(int w_, int h_, quint32 fill)
        : w(w_)
        , h(h_)
        , px(std::size_t(w_) * std::size_t(h_), fill)
    {
    }
    quint32& at(int x, int y) { return px[std::size_t(y) * std::size_t(w) + std::size_t(x)]; }
};

int red(quint32 p)
{
    return int((p >> 16) & 0xFF);
}

bool resample(const Plane& src, Plane& dst)
{
    return resampleLanczos3(src.px.data(), src.w, src.h, src.w, dst.px.data(), dst.w, dst.h, dst.w);
}

} // namespace

class TestWallpaperGeometry : public QObject {
    Q_OBJECT
private slots:
    void fit_data();
    void fit();
    void cells_data();
    void cells();
    void twoMonitorsShareOneCanvas();
    void kernel();
    void constantStaysConstant_data();
    void constantStaysConstant();
    void impulseGivesTheKernel();
    void sameSizeKeepsThePicture();
    void tooSmallIsAnError();
    void edgesAreMirrored();
};

void TestWallpaperGeometry::fit_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("cell");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("landscape into taller screen") << QSize(800, 600) << QSize(1280, 1024) << QRect(0, 32, 1280, 960);
    QTest::newRow("landscape into wider screen") << QSize(800, 600) << QSize(1920, 1080) << QRect(240, 0, 1440, 1080);
    QTest::newRow("portrait") << QSize(600, 800) << QSize(1920, 1080) << QRect(555, 0, 810, 1080);
    QTest::newRow("portrait into narrow cell") << QSize(600, 800) << QSize(300, 1000) << QRect(0, 300, 300, 400);
    QTest::newRow("square") << QSize(500, 500) << QSize(640, 360) << QRect(140, 0, 360, 360);
    QTest::newRow("same shape") << QSize(1920, 1080) << QSize(960, 540) << QRect(0, 0, 960, 540);
    QTest::newRow("empty picture") << QSize(0, 10) << QSize(100, 100) << QRect();
}

void TestWallpaperGeometry::fit()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, cell);
    QFETCH(QRect, expected);
    QCOMPARE(fitWallpaper(picture, cell), expected);
}

void TestWallpaperGeometry::cells_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("count");
    QTest::addColumn<QRect>("second");
    QTest::addColumn<QRect>("last");
    QTest::newRow("1") << 0 << 1 << QRect() << QRect(0, 0, 1366, 768);
    QTest::newRow("4") << 1 << 4 << QRect(683, 0, 683, 384) << QRect(683, 384, 683, 384);
    QTest::newRow("9") << 2 << 9 << QRect(455, 0, 455, 256) << QRect(910, 512, 455, 256);
    QTest::newRow("16") << 3 << 16 << QRect(341, 0, 341, 192) << QRect(1023, 576, 341, 192);
}

void TestWallpaperGeometry::cells()
{
    QFETCH(int, mode);
    QFETCH(int, count);
    QFETCH(QRect, second);
    QFETCH(QRect, last);
    const QList<QRect> c = wallpaperCells(QSize(1366, 768), mode);
    QCOMPARE(c.size(), count);
    if (count > 1)
        QCOMPARE(c.at(1), second);
    QCOMPARE(c.last(), last);
}

void TestWallpaperGeometry::twoMonitorsShareOneCanvas()
{
    // A smaller monitor left of the main one and lower.
    const WallpaperCanvas c = wallpaperCanvas({QRect(0, 0, 1920, 1080), QRect(-1280, 200, 1280, 1024)});
    QCOMPARE(c.size, QSize(3200, 1224));
    QCOMPARE(c.monitors, QList<QRect>({QRect(1280, 0, 1920, 1080), QRect(0, 200, 1280, 1024)}));
    const WallpaperCanvas one = wallpaperCanvas({QRect(0, 0, 1920, 1080)});
    QCOMPARE(one.size, QSize(1920, 1080));
    QCOMPARE(one.monitors, QList<QRect>({QRect(0, 0, 1920, 1080)}));
}

void TestWallpaperGeometry::kernel()
{
    QCOMPARE(lanczos3(0), 1.0);
    for (double t : {1.0, 2.0, -1.0, 3.0, 4.5})
        QVERIFY(std::abs(lanczos3(t)) < 1e-12);
    QVERIFY(std::abs(lanczos3(0.5) - 0.6079271) < 1e-6);
    QVERIFY(lanczos3(1.5) < 0);
}

void TestWallpaperGeometry::constantStaysConstant_data()
{
    QTest::addColumn<QSize>("from");
    QTest::addColumn<QSize>("to");
    QTest::newRow("enlarge") << QSize(7, 5) << QSize(31, 17);
    QTest::newRow("shrink") << QSize(97, 61) << QSize(10, 7);
    QTest::newRow("mixed") << QSize(40, 3) << QSize(9, 20);
    QTest::newRow("to one pixel") << QSize(13, 13) << QSize(1, 1);
    QTest::newRow("from one pixel") << QSize(1, 1) << QSize(5, 4);
}

void TestWallpaperGeometry::constantStaysConstant()
{
    QFETCH(QSize, from);
    QFETCH(QSize, to);
    const quint32 colour = 0xFF2A7FD3;
    const Plane src(from.width(), from.height(), colour);
    Plane dst(to.width(), to.height(), 0);
    QVERIFY(resample(src, dst));
    for (quint32 p : dst.px)
        QCOMPARE(p, colour);
}

void TestWallpaperGeometry::impulseGivesTheKernel()
{
    // A bright pixel on grey, enlarged twice along x: each output pixel is
    // grey plus the normalised kernel at its distance from the impulse.
    Plane src(13, 1, 0xFF808080);
    src.at(6, 0) = 0xFFE48080; // red 228
    Plane dst(25, 1, 0);
    QVERIFY(resample(src, dst));
    for (int x = 0; x < 25; ++x) {
        const double centre = x / 2.0;
        double sum = 0;
        for (int j = int(std::floor(centre)) - 3; j <= int(std::ceil(centre)) + 3; ++j)
            sum += lanczos3(j - centre);
        const double expected = 128 + 100 * lanczos3(6 - centre) / sum;
        QVERIFY2(std::abs(red(dst.at(x, 0)) - expected) <= 0.51,
                 qPrintable(QStringLiteral("x %1: %2 against %3").arg(x).arg(red(dst.at(x, 0))).arg(expected)));
    }
    QCOMPARE(red(dst.at(12, 0)), 228);
    QVERIFY(red(dst.at(9, 0)) < 128); // the negative lobe
}

void TestWallpaperGeometry::sameSizeKeepsThePicture()
{
    Plane src(9, 6, 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            src.at(x, y) = 0xFF000000u | quint32(x * 25) << 16 | quint32(y * 40) << 8 | quint32((x * y) % 256);
    Plane dst(9, 6, 0);
    QVERIFY(resample(src, dst));
    QCOMPARE(dst.px, src.px);
}

void TestWallpaperGeometry::tooSmallIsAnError()
{
    const Plane src(4, 4, 0xFFFFFFFF);
    Plane dst(4, 4, 0xFF010203);
    QVERIFY(!resampleLanczos3(src.px.data(), 0, 4, 4, dst.px.data(), 4, 4, 4));
    QVERIFY(!resampleLanczos3(src.px.data(), 4, 4, 4, dst.px.data(), 4, 0, 4));
    QCOMPARE(dst.px.front(), 0xFF010203u);
}

void TestWallpaperGeometry::edgesAreMirrored()
{
    // A ramp stays a ramp at its ends: mirrored edges add no dark border
    // as zero padding would.
    Plane src(8, 1, 0);
    for (int x = 0; x < 8; ++x)
        src.at(x, 0) = 0xFF000000u | quint32(100 + 10 * x) << 16;
    Plane dst(15, 1, 0);
    QVERIFY(resample(src, dst));
    QCOMPARE(red(dst.at(0, 0)), 100);
    QCOMPARE(red(dst.at(14, 0)), 170);
    for (quint32 p : dst.px)
        QVERIFY(red(p) >= 95 && red(p) <= 175);
}

QTEST_GUILESS_MAIN(TestWallpaperGeometry)
#include "tst_wallpaper_geometry.moc"
