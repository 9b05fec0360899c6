#include "core/wallpaper/WallpaperHistory.h"
#include "core/wallpaper/WallpaperPool.h"
#include "core/wallpaper/WallpaperSettings.h"
#include "core/wallpaper/WallpaperStore.h"
#include "support/FileFixture.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

namespace {

QStringList files(int n, const QString& prefix = QStringLiteral("/p/"))
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << prefix + QStringLiteral("%1.jpg").arg(i);
    return out;
}

// The first entry each time: the draws are predictable.
int first(int)
{
    return 0;
}

} // namespace

class TestWallpaperPool : public QObject {
    Q_OBJECT
private slots:
    void sources_data();
    void sources();
    void shortage_data();
    void shortage();
    void countSuffix_data();
    void countSuffix();
    void scanTakesOnlyFilesDirectlyInListedFolders();
    void roundNeverRepeatsUntilUsedUp();
    void leftOverTooSmallIsRefilledBeforeTheDraw();
    void missingFilesAreDrawnAgain();
    void vanishingNamesRefillOnlyOnce();
    void tooFewFilesStopTheChange();
    void moreMonitorsThanFilesUseDrawnPicturesAgain();
    void history_data();
    void history();
    void fortySingleChangesKeepTheNewest32();
    void tidyMergesSeparators_data();
    void tidyMergesSeparators();
    void storeKeepsListsAcrossRuns();
    void unreadableHistoryIsNotReplaceable();
};

void TestWallpaperPool::sources_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("source");
    QTest::newRow("jpg") << "a.jpg" << true;
    QTest::newRow("JPG upper") << "A.JPG" << true;
    QTest::newRow("bmp mixed") << "a.BmP" << true;
    QTest::newRow("png") << "a.png" << true;
    QTest::newRow("webp") << "a.WebP" << true;
    QTest::newRow("jpeg does not count") << "a.jpeg" << false;
    QTest::newRow("gif") << "a.gif" << false;
    QTest::newRow("bare extension") << ".jpg" << false;
    QTest::newRow("jpg inside name") << "a.jpg.txt" << false;
}

void TestWallpaperPool::sources()
{
    QFETCH(QString, name);
    QFETCH(bool, source);
    QCOMPARE(isWallpaperSource(name), source);
}

void TestWallpaperPool::shortage_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("message");
    const QString none = QStringLiteral("W wybranych katalogach z tapetami nie ma plików *.jpg lub *.bmp");
    const QString few = QStringLiteral("W wybranych katalogach z tapetami jest za mało plików *.jpg lub *.bmp ");
    QTest::newRow("empty, one picture") << 0 << 0 << none;
    QTest::newRow("empty, 16") << 0 << 3 << none;
    QTest::newRow("one picture") << 1 << 0 << QString();
    QTest::newRow("4 of 3") << 3 << 1 << few + u"(minimum 4 pliki)"_s;
    QTest::newRow("4 of 4") << 4 << 1 << QString();
    QTest::newRow("9 of 8") << 8 << 2 << few + u"(minimum 9 plików)"_s;
    QTest::newRow("16 of 15") << 15 << 3 << few + u"(minimum 16 plików)"_s;
    QTest::newRow("16 of 16") << 16 << 3 << QString();
}

void TestWallpaperPool::shortage()
{
    QFETCH(int, size);
    QFETCH(int, mode);
    QFETCH(QString, message);
    QCOMPARE(poolShortageMessage(size, mode), message);
}

void TestWallpaperPool::countSuffix_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << " (0 plików jpg lub bmp)";
    QTest::newRow("1") << 1 << " (1 plik jpg lub bmp)";
    QTest::newRow("2") << 2 << " (2 pliki jpg lub bmp)";
    QTest::newRow("4") << 4 << " (4 pliki jpg lub bmp)";
    QTest::newRow("5") << 5 << " (5 plików jpg lub bmp)";
    QTest::newRow("12") << 12 << " (12 plików jpg lub bmp)";
    QTest::newRow("14") << 14 << " (14 plików jpg lub bmp)";
    QTest::newRow("21") << 21 << " (21 plików jpg lub bmp)";
    QTest::newRow("22") << 22 << " (22 pliki jpg lub bmp)";
    QTest::newRow("112") << 112 << " (112 plików jpg lub bmp)";
    QTest::newRow("124") << 124 << " (124 pliki jpg lub bmp)";
}

void TestWallpaperPool::countSuffix()
{
    QFETCH(int, n);
    QFETCH(QString, text);
    QCOMPARE(sourceCountSuffix(n), text);
}

void TestWallpaperPool::scanTakesOnlyFilesDirectlyInListedFolders()
{
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a"));
    const QString b = dir.filePath(QStringLiteral("b/"));
    for (const char* f : {"a/2.jpg", "a/1.BMP", "a/3.jpeg", "a/notes.txt", "a/sub/4.jpg", "b/5.png", "b/6.webp"})
        QVERIFY(test::writeFile(dir.filePath(QString::fromLatin1(f)), "x"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("a/folder.jpg"))));
    const QStringList pool = scanWallpaperFolders({a, dir.filePath(QStringLiteral("gone")), b});
    QCOMPARE(pool, QStringList({a + u"/1.BMP"_s, a + u"/2.jpg"_s, b + u"5.png"_s, b + u"6.webp"_s}));
    QCOMPARE(countWallpaperSources(a), 2);
}

void TestWallpaperPool::roundNeverRepeatsUntilUsedUp()
{
    QStringList pool;
    int scans = 0;
    const auto scan = [&] {
        ++scans;
        return files(5);
    };
    const auto exists = [](const QString&) { return true; };
    QRandomGenerator random(7);
    QSet<QString> seen;
    for (int change = 0; change < 5; ++change) {
        const WallpaperDraw d =
            drawWallpapers(pool, 0, 1, [&](int bound) { return int(random.bounded(bound)); }, exists, scan);
        QCOMPARE(d.picked.size(), 1);
        QVERIFY2(!seen.contains(d.picked.first()), qPrintable(d.picked.first()));
        seen.insert(d.picked.first());
    }
    QCOMPARE(scans, 1);
    QVERIFY(pool.isEmpty());
    drawWallpapers(pool, 0, 1, first, exists, scan);
    QCOMPARE(scans, 2); // the next round
}

void TestWallpaperPool::leftOverTooSmallIsRefilledBeforeTheDraw()
{
    QStringList pool;
    const auto exists = [](const QString&) { return true; };
    const auto scan = [] { return files(5); };
    WallpaperDraw d = drawWallpapers(pool, 1, 4, first, exists, scan);
    QCOMPARE(d.picked, files(4));
    QCOMPARE(pool, QStringList({QStringLiteral("/p/5.jpg")}));
    d = drawWallpapers(pool, 1, 4, first, exists, scan);
    QVERIFY(d.refilled);
    QCOMPARE(d.picked, files(4)); // the left-over file may come again
    QCOMPARE(pool.size(), 1);
}

void TestWallpaperPool::missingFilesAreDrawnAgain()
{
    QStringList pool = files(6);
    const auto exists = [](const QString& p) { return !p.endsWith(QLatin1String("/1.jpg")); };
    const WallpaperDraw d = drawWallpapers(pool, 1, 4, first, exists, [] { return QStringList(); });
    QVERIFY(!d.refilled);
    QCOMPARE(d.picked, files(5).mid(1));
    QCOMPARE(pool, QStringList({QStringLiteral("/p/6.jpg")}));
}

void TestWallpaperPool::vanishingNamesRefillOnlyOnce()
{
    // Every listed name is gone by the time it is drawn.
    QStringList pool = files(4);
    int scans = 0;
    const auto scan = [&] {
        ++scans;
        return files(20, QStringLiteral("/gone/"));
    };
    const WallpaperDraw d = drawWallpapers(pool, 1, 4, first, [](const QString&) { return false; }, scan);
    QCOMPARE(scans, 1);
    QVERIFY(d.picked.isEmpty());
    QCOMPARE(d.shortage, poolShortageMessage(0, 1));
}

void TestWallpaperPool::tooFewFilesStopTheChange()
{
    QStringList pool = files(2);
    const WallpaperDraw d =
        drawWallpapers(pool, 2, 9, first, [](const QString&) { return true; }, [] { return files(8); });
    QVERIFY(d.picked.isEmpty());
    QCOMPARE(d.shortage, poolShortageMessage(8, 2));
}

void TestWallpaperPool::moreMonitorsThanFilesUseDrawnPicturesAgain()
{
    QStringList pool;
    const WallpaperDraw d =
        drawWallpapers(pool, 1, 8, first, [](const QString&) { return true; }, [] { return files(6); });
    QCOMPARE(d.shortage, QString());
    QCOMPARE(d.picked, files(6) + files(2));
}

void TestWallpaperPool::history_data()
{
    QTest::addColumn<QStringList>("old");
    QTest::addColumn<QStringList>("used");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("first single") << QStringList() << QStringList{u"a"_s} << false << QStringList{u"a"_s};
    QTest::newRow("single on top") << QStringList{u"a"_s} << QStringList{u"b"_s} << false << QStringList{u"b"_s, u"a"_s};
    QTest::newRow("first grid: no trailing separator")
        << QStringList() << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s} << true << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    QTest::newRow("grid groups")
        << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s} << QStringList{u"e"_s, u"f"_s, u"g"_s, u"h"_s} << true
        << QStringList{u"e"_s, u"f"_s, u"g"_s, u"h"_s, u"-"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    // 9 groups of 4 with 8 separators, then the new group: the limit is 32
    // plus the 9 separators, and the cut ends inside a group.
    QStringList old;
    for (int g = 0; g < 9; ++g) {
        if (g)
            old << u"-"_s;
        for (int i = 0; i < 4; ++i)
            old << QStringLiteral("o%1_%2").arg(g).arg(i);
    }
    const QStringList expected = QStringList{u"n0"_s, u"n1"_s, u"n2"_s, u"n3"_s, u"-"_s} + old.mid(0, 36);
    QTest::newRow("grid limit") << old << QStringList{u"n0"_s, u"n1"_s, u"n2"_s, u"n3"_s} << true << expected;
}

void TestWallpaperPool::history()
{
    QFETCH(QStringList, old);
    QFETCH(QStringList, used);
    QFETCH(bool, grid);
    QFETCH(QStringList, expected);
    QCOMPARE(addToHistory(old, used, grid), expected);
}

void TestWallpaperPool::fortySingleChangesKeepTheNewest32()
{
    QStringList history;
    for (int i = 1; i <= 40; ++i)
        history = addToHistory(history, {QString::number(i)}, false);
    QCOMPARE(history.size(), 32);
    QCOMPARE(history.first(), QStringLiteral("40"));
    QCOMPARE(history.last(), QStringLiteral("9"));
}

void TestWallpaperPool::tidyMergesSeparators_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("runs merged") << QStringList{u"a"_s, u"-"_s, u"-"_s, u"b"_s} << QStringList{u"a"_s, u"-"_s, u"b"_s};
    QTest::newRow("only separators") << QStringList{u"-"_s, u"-"_s} << QStringList();
    QTest::newRow("untouched") << QStringList{u"a"_s, u"-"_s, u"b"_s} << QStringList{u"a"_s, u"-"_s, u"b"_s};
}

void TestWallpaperPool::tidyMergesSeparators()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, expected);
    QCOMPARE(tidyHistory(rows), expected);
}

void TestWallpaperPool::storeKeepsListsAcrossRuns()
{
    QTemporaryDir dir;
    const WallpaperStore store(dir.filePath(u"Tapeter_u.ini"_s), dir.filePath(u"Tmp_u.ini"_s), dir.filePath(u"TapeterOst_u.ini"_s));
    // Folders without their slash, blank lines and doubles from a hand edit.
    QVERIFY(test::writeFile(dir.filePath(u"Tapeter_u.ini"_s), "/home/u/Obrazy\r\n\r\n/home/u/Obrazy/\r\n/mnt/zdj\xea""cia/\r\n"));
    QCOMPARE(store.loadFolders(), QStringList({u"/home/u/Obrazy/"_s, QStringLiteral("/mnt/zdjęcia/")}));
    QVERIFY(store.savePool({QStringLiteral("/mnt/zdjęcia/a.jpg")}));
    QCOMPARE(test::fileBytes(dir.filePath(u"Tmp_u.ini"_s)), QByteArray("/mnt/zdj\xea""cia/a.jpg\r\n"));
    QCOMPARE(store.loadPool(), QStringList({QStringLiteral("/mnt/zdjęcia/a.jpg")}));
    // A name beyond Windows-1250 keeps its letters.
    QVERIFY(store.saveHistory({QStringLiteral("/p/写真.jpg")}));
    QCOMPARE(store.loadHistory(), QStringList({QStringLiteral("/p/写真.jpg")}));
    store.dropPool();
    QVERIFY(!QFileInfo::exists(dir.filePath(u"Tmp_u.ini"_s)));
    QVERIFY(store.loadPool().isEmpty());
}

void TestWallpaperPool::unreadableHistoryIsNotReplaceable()
{
    QTemporaryDir dir;
    const WallpaperStore store(dir.filePath(u"a"_s), dir.filePath(u"b"_s), dir.filePath(u"TapeterOst_u.ini"_s));
    bool replaceable = false;
    store.loadHistory(&replaceable);
    QVERIFY(replaceable); // nothing there yet
    QVERIFY(QDir().mkpath(dir.filePath(u"TapeterOst_u.ini"_s)));
    store.loadHistory(&replaceable);
    QVERIFY(!replaceable);
}

QTEST_GUILESS_MAIN(TestWallpaperPool)
#include "tst_wallpaper_pool.moc"
