#include "core/common/Cp1250.h"
#include "core/internet/MapCache.h"
#include "core/internet/WeatherMaps.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

class TestWeatherMaps : public QObject {
    Q_OBJECT
private slots:
    void templates_data();
    void templates();
    void webAddresses_data();
    void webAddresses();
    void pictureTypes_data();
    void pictureTypes();
    void listFile();
    void replacedListKeepsItsEntry_data();
    void replacedListKeepsItsEntry();
    void cacheFreshness();
    void cacheStaysUnderItsCap();
};

void TestWeatherMaps::templates_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("urlTemplate");
    QTest::addColumn<QString>("expected");
    const QString all = u"[-1RRRR]|[-1RR]|[-1MM]|[-1M]|[-1DD]|[-1D]/[RRRR]|[RR]|[MM]|[M]|[DD]|[D]/"
                        "[1RRRR]|[1RR]|[1MM]|[1M]|[1DD]|[1D]/[2RRRR]|[2RR]|[2MM]|[2M]|[2DD]|[2D]"_s;
    QTest::newRow("ordinary day") << QDate(2026, 12, 9) << u"http://x.pl/map_[RRRR][MM][DD].gif"_s
                                  << u"http://x.pl/map_20261209.gif"_s;
    QTest::newRow("short forms") << QDate(2026, 12, 9) << u"[D].[M] [-1D] [2DD]"_s << u"9.12 8 11"_s;
    QTest::newRow("every placeholder, year end")
        << QDate(2026, 12, 31) << all
        << u"2026|26|12|12|30|30/2026|26|12|12|31|31/2027|27|01|1|01|1/2027|27|01|1|02|2"_s;
    QTest::newRow("new year's day: yesterday is last year")
        << QDate(2027, 1, 1) << all << u"2026|26|12|12|31|31/2027|27|01|1|01|1/2027|27|01|1|02|2/2027|27|01|1|03|3"_s;
    QTest::newRow("leap day") << QDate(2028, 2, 29) << all
                              << u"2028|28|02|2|28|28/2028|28|02|2|29|29/2028|28|03|3|01|1/2028|28|03|3|02|2"_s;
    QTest::newRow("the day before a leap day")
        << QDate(2028, 2, 28) << u"[1DD].[1MM] [2DD].[2MM]"_s << u"29.02 01.03"_s;
    QTest::newRow("unknown brackets stay") << QDate(2026, 12, 9) << u"[X][3D][RRR]"_s << u"[X][3D][RRR]"_s;
}

void TestWeatherMaps::templates()
{
    QFETCH(QDate, today);
    QFETCH(QString, urlTemplate);
    QFETCH(QString, expected);
    QCOMPARE(expandMapTemplate(urlTemplate, today), expected);
}

void TestWeatherMaps::webAddresses_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("web");
    QTest::newRow("http") << u"http://mapy.pl/a.gif"_s << true;
    QTest::newRow("https, upper case") << u"HTTPS://mapy.pl/a.gif"_s << true;
    QTest::newRow("local file") << u"file:///etc/passwd"_s << false;
    QTest::newRow("ftp") << u"ftp://mapy.pl/a.gif"_s << false;
    QTest::newRow("no host") << u"http:///a.gif"_s << false;
    QTest::newRow("the dialog's prefill alone") << u"http://"_s << false;
    QTest::newRow("a plain path") << u"/home/ala/a.gif"_s << false;
}

void TestWeatherMaps::webAddresses()
{
    QFETCH(QString, url);
    QFETCH(bool, web);
    QCOMPARE(isWebMapUrl(url), web);
}

void TestWeatherMaps::pictureTypes_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("type");
    QTest::newRow("gif") << u"http://m.pl/a.gif"_s << u".GIF"_s;
    QTest::newRow("upper-case jpg") << u"http://m.pl/A.JPG"_s << u".JPG"_s;
    QTest::newRow("png with a query") << u"http://m.pl/a.png?t=1.gif"_s << u".PNG"_s;
    QTest::newRow("jpeg is not a type of the list") << u"http://m.pl/a.jpeg"_s << QString();
    QTest::newRow("a dot in a folder only") << u"http://m.pl/v1.2/mapa"_s << QString();
    QTest::newRow("script") << u"http://m.pl/mapa.php?d=1"_s << QString();
}

void TestWeatherMaps::pictureTypes()
{
    QFETCH(QString, url);
    QFETCH(QString, type);
    QCOMPARE(mapPictureType(url), type);
}

void TestWeatherMaps::listFile()
{
    // As the file holds it: Windows-1250, 0xFF between name and template.
    const QString text = fromCp1250("Ci\x9Cnienie\xFFhttp://m.pl/c_[RRRR].gif\r\n\r\n\xFFhttp://bez-nazwy.pl/a.gif\r\n"
                                    "Bez adresu\r\n"_ba);
    const QList<WeatherMap> maps = parseMapList(text.split(u"\r\n"_s));
    const QList<WeatherMap> expected{{u"Ciśnienie"_s, u"http://m.pl/c_[RRRR].gif"_s}, {u"Bez adresu"_s, QString()}};
    QCOMPARE(maps, expected);
    QCOMPARE(parseMapList(mapListLines(maps)), maps);
    QCOMPARE(toCp1250(mapListLines(maps).first()), "Ci\x9Cnienie\xFFhttp://m.pl/c_[RRRR].gif"_ba);
}

void TestWeatherMaps::replacedListKeepsItsEntry_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<int>("expected");
    QTest::newRow("moved entry followed") << 1 << QStringList{u"C"_s, u"A"_s, u"B"_s} << 2;
    QTest::newRow("entry gone: the first") << 1 << QStringList{u"C"_s, u"A"_s} << 0;
    QTest::newRow("selection out of range: the first") << 7 << QStringList{u"C"_s, u"B"_s} << 0;
    QTest::newRow("empty new list") << 0 << QStringList{} << -1;
}

void TestWeatherMaps::replacedListKeepsItsEntry()
{
    QFETCH(int, selected);
    QFETCH(QStringList, after);
    QFETCH(int, expected);
    const QList<WeatherMap> before{{u"A"_s, u"http://a"_s}, {u"B"_s, u"http://b"_s}};
    QList<WeatherMap> next;
    for (const QString& name : after)
        next.append({name, u"http://new/"_s + name});
    QCOMPARE(selectionAfterReplace(before, selected, next), expected);
}

namespace {
QString writeFile(const QTemporaryDir& dir, const QString& name, qsizetype bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(QByteArray(bytes, 'x')) != bytes)
        return {};
    return path;
}
} // namespace

void TestWeatherMaps::cacheFreshness()
{
    QTemporaryDir dir;
    const QDateTime t0(QDate(2026, 12, 9), QTime(10, 0));
    MapCache cache(dir.filePath(u"mapy"_s), 1000, 1800);
    const QString url = u"http://m.pl/a.gif"_s;
    QVERIFY(cache.lookup(url, t0).isEmpty());
    const QString file = writeFile(dir, u"pobrane.tmp"_s, 100);
    QVERIFY(cache.store(url, file, t0));
    QVERIFY(!QFile::exists(file));
    const QString kept = cache.lookup(url, t0.addSecs(1800));
    QVERIFY(!kept.isEmpty());
    QCOMPARE(QFileInfo(kept).size(), 100);
    QVERIFY(cache.lookup(u"http://m.pl/b.gif"_s, t0).isEmpty());
    QVERIFY2(cache.lookup(url, t0.addSecs(1801)).isEmpty(), "an old copy is fetched anew");
    QVERIFY2(cache.lookup(url, t0.addSecs(-60)).isEmpty(), "a copy from the future (clock set back) is not trusted");
}

void TestWeatherMaps::cacheStaysUnderItsCap()
{
    QTemporaryDir dir;
    const QDateTime t0(QDate(2026, 12, 9), QTime(10, 0));
    MapCache cache(dir.filePath(u"mapy"_s), 1000, 3600);
    for (int i = 0; i < 4; ++i)
        QVERIFY(cache.store(u"http://m.pl/%1.gif"_s.arg(i), writeFile(dir, u"t%1"_s.arg(i), 300), t0.addSecs(i)));
    QVERIFY(cache.size() <= 1000);
    QVERIFY2(cache.lookup(u"http://m.pl/0.gif"_s, t0.addSecs(10)).isEmpty(), "the oldest copy went first");
    QVERIFY(!cache.lookup(u"http://m.pl/3.gif"_s, t0.addSecs(10)).isEmpty());
    QVERIFY(!cache.lookup(u"http://m.pl/2.gif"_s, t0.addSecs(10)).isEmpty());

    // A picture larger than the whole cap is not kept, and pushes nothing out.
    const QString big = writeFile(dir, u"duzy"_s, 1001);
    QVERIFY(!cache.store(u"http://m.pl/duzy.gif"_s, big, t0.addSecs(20)));
    QVERIFY(QFile::exists(big));
    QVERIFY(!cache.lookup(u"http://m.pl/3.gif"_s, t0.addSecs(20)).isEmpty());

    // Storing the same address again replaces its copy, never counts it twice.
    QVERIFY(cache.store(u"http://m.pl/3.gif"_s, writeFile(dir, u"t3b"_s, 310), t0.addSecs(30)));
    QCOMPARE(QFileInfo(cache.lookup(u"http://m.pl/3.gif"_s, t0.addSecs(30))).size(), 310);
    QVERIFY(cache.size() <= 1000);
}

QTEST_GUILESS_MAIN(TestWeatherMaps)
#include "tst_weathermaps.moc"
