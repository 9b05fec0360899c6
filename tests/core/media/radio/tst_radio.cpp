#include "core/common/Cp1250.h"
#include "core/media/RadioRules.h"
#include "core/media/RadioStations.h"
#include "support/FileFixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

class TestRadio : public QObject {
    Q_OBJECT
private slots:
    void titles_data();
    void titles();
    void headers_data();
    void headers();
    void errorTexts_data();
    void errorTexts();
    void elapsed();
    void alternatives();
    void playlists_data();
    void playlists();
    void stationList();
    void favourites();
    void filesRoundTrip();
    void unreadableFavouritesKept();
};

void TestRadio::titles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("stream title") << u"StreamTitle='A - B';StreamUrl='';"_s << u"A - B"_s;
    QTest::newRow("cut at semicolon") << u"StreamTitle='A;B';"_s << u"A"_s;
    QTest::newRow("no closing semicolon") << u"StreamTitle='Solo'"_s << u"Solo"_s;
    QTest::newRow("any case") << u"streamtitle='x';"_s << u"x"_s;
    QTest::newRow("underscores") << u"StreamTitle='Ala_ma_kota';"_s << u"Ala ma kota"_s;
    QTest::newRow("title=") << u"artist=X title=Y_Z"_s << u"Y Z"_s;
    QTest::newRow("empty title") << u"StreamTitle='';"_s << QString();
    QTest::newRow("nothing") << u"StreamUrl='http://x';"_s << QString();
    QTest::newRow("polish") << u"StreamTitle='Zażółć gęślą';"_s << u"Zażółć gęślą"_s;
}

void TestRadio::titles()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    QCOMPARE(radioTitleFromMetadata(text), title);
}

void TestRadio::headers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("url") << u"icy-url: http://radio.pl "_s << int(RadioField::WebPage) << u"http://radio.pl"_s;
    QTest::newRow("name") << u"icy-name:Radio Test"_s << int(RadioField::Name) << u"Radio Test"_s;
    QTest::newRow("bitrate") << u"icy-br:128"_s << int(RadioField::Bitrate) << u"128"_s;
    QTest::newRow("title") << u"title= Utwór"_s << int(RadioField::Title) << u"Utwór"_s;
    QTest::newRow("case matters") << u"ICY-NAME:X"_s << int(RadioField::None) << QString();
    QTest::newRow("other") << u"content-type: audio/mpeg"_s << int(RadioField::None) << QString();
}

void TestRadio::headers()
{
    QFETCH(QString, text);
    QFETCH(int, field);
    QFETCH(QString, value);
    const RadioHeader h = radioHeader(text);
    QCOMPARE(int(h.field), field);
    QCOMPARE(h.value, value);
}

void TestRadio::errorTexts_data()
{
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("text");
    QTest::newRow("400") << u"ICY 400"_s << u"Serwer jest przepełniony (ICY 400 Server Full)"_s;
    QTest::newRow("401") << u"ICY 401"_s << u"Serwer przestał nadawać (ICY 401 Service Unavailable)"_s;
    QTest::newRow("plain error") << u"error"_s << u"Serwer jest przepełniony lub przestał nadawać"_s;
    QTest::newRow("empty") << QString() << u"Serwer jest przepełniony lub przestał nadawać"_s;
    QTest::newRow("time-out")
        << u"timed out"_s << u"Serwer jest przepełniony lub przestał nadawać (timed out)"_s;
}

void TestRadio::errorTexts()
{
    QFETCH(QString, error);
    QFETCH(QString, text);
    QCOMPARE(radioErrorText(error), text);
}

void TestRadio::elapsed()
{
    QCOMPARE(radioElapsedText(0), u"Odtwarzanie: 00:00:00"_s);
    QCOMPARE(radioElapsedText(3 * 3600 + 4 * 60 + 5), u"Odtwarzanie: 03:04:05"_s);
    QCOMPARE(radioElapsedText(61 * 3600 + 1), u"Odtwarzanie: 01:00:01"_s);
}

void TestRadio::alternatives()
{
    QList<int> draws{2, 2};
    RadioAlternatives alt([&draws](int n) {
        Q_ASSERT(n == 3);
        return draws.isEmpty() ? 1 : draws.takeFirst();
    });
    const QString field = u"http://a|http://b|http://c"_s;
    QCOMPARE(alt.choose(field), u"http://b"_s); // drawn at random
    QCOMPARE(alt.choose(field), u"http://c"_s); // each restart the next
    QCOMPARE(alt.choose(field), u"http://a"_s); // wrapping
    QCOMPARE(alt.choose(field), u"http://b"_s);
    // A single address resets the choice.
    QCOMPARE(alt.choose(u"http://one"_s), u"http://one"_s);
    draws = {3, 1};
    QCOMPARE(alt.choose(field), u"http://a"_s);
    // The real generator stays in range.
    RadioAlternatives real;
    for (int i = 0; i < 20; ++i)
        QVERIFY(field.split(u'|').contains(real.choose(field)));
}

void TestRadio::playlists_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("stream");
    QTest::newRow("m3u") << u"http://x/a.m3u"_s << u"#EXTM3U\r\n#EXTINF:-1,R\r\nhttp://s:8000/\r\n"_s
                         << u"http://s:8000/"_s;
    QTest::newRow("m3u8 query") << u"http://x/live.M3U8?id=2"_s << u"\nhttps://s/live\n"_s << u"https://s/live"_s;
    QTest::newRow("pls") << u"http://x/a.pls"_s << u"[playlist]\nNumberOfEntries=1\nfile1=http://s:80/;<br>\n"_s
                         << u"http://s:80/;"_s;
    QTest::newRow("pls without entry") << u"http://x/a.pls"_s << u"[playlist]\nFile1=\n"_s << QString();
    QTest::newRow("asx") << u"http://x/a.asx"_s << u"<asx>\n<entry><ref href=\"http://s/w\" /></entry>\n</asx>"_s
                         << u"http://s/w"_s;
    QTest::newRow("asx two refs on a line")
        << u"http://x/a.wax"_s << u"<ref href=\"http://a\"/><ref href=\"http://b\"/>\n"_s << QString();
    QTest::newRow("xspf") << u"http://x/a.xspf"_s << u"<track>\n  <location>http://s/x</location>\n</track>"_s
                          << u"http://s/x"_s;
    QTest::newRow("stream itself") << u"http://x/stream.mp3"_s << u"whatever"_s << QString();
}

void TestRadio::playlists()
{
    QFETCH(QString, url);
    QFETCH(QString, body);
    QFETCH(QString, stream);
    QCOMPARE(radioPlaylistStream(radioPlaylistKind(url), body), stream);
}

void TestRadio::stationList()
{
    const QChar s = kListSeparator;
    const QStringList lines{u"Orphan"_s + s + u"http://o"_s, u"Pop"_s + s + u"-"_s,
                            u"R1"_s + s + u"http://r1|http://r1b"_s, u""_s,
                            u"Rock"_s + s + u"-"_s, u"Empty"_s + s + u"-"_s,
                            u"R2"_s + s + u"http://r2"_s};
    const RadioStationList list(lines);
    QCOMPARE(list.categories(), (QStringList{u"Pop"_s, u"Rock"_s, u"Empty"_s}));
    QCOMPARE(list.stations(0), (QList<RadioStation>{{u"R1"_s, u"http://r1|http://r1b"_s}}));
    QVERIFY(list.stations(1).isEmpty());
    QCOMPARE(list.stations(2).size(), 1);
    QVERIFY(list.stations(3).isEmpty());
    QVERIFY(list.stations(-1).isEmpty());
    // A line without a separator is a name without an address.
    QCOMPARE(parseStationLine(u"bare"_s), (RadioStation{u"bare"_s, QString()}));
}

void TestRadio::favourites()
{
    RadioFavourites f;
    QVERIFY(f.add({u"A"_s, u"http://a"_s}));
    QVERIFY(f.add({u"B"_s, u"http://b"_s}));
    QVERIFY(!f.add({u"A"_s, u"http://a"_s})); // the whole line is there
    QVERIFY(f.add({u"A2"_s, u"http://a"_s}));  // the same address, another name
    QCOMPARE(f.names(), (QStringList{u"A"_s, u"B"_s, u"A2"_s}));
    QCOMPARE(f.indexOfUrl(u"http://b"_s), 1);
    QCOMPARE(f.indexOfUrl(u"http://z"_s), -1);
    QVERIFY(f.move(2, -1));
    QCOMPARE(f.names(), (QStringList{u"A"_s, u"A2"_s, u"B"_s}));
    QVERIFY(!f.move(0, -1));
    QVERIFY(!f.move(2, 1));
    QVERIFY(f.replace(0, {u"Z"_s, u"http://z"_s}));
    QVERIFY(!f.replace(5, {u"Y"_s, u"http://y"_s}));
    QVERIFY(f.remove(1));
    QVERIFY(!f.remove(7));
    QCOMPARE(f.names(), (QStringList{u"Z"_s, u"B"_s}));
}

void TestRadio::filesRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"RadioU_"_s);
    RadioFavourites f;
    f.add({u"Polskie Radio Trójka"_s, u"http://stream.test/3|http://alt/3"_s});
    f.add({u"Łódź"_s, u"http://lodz"_s});
    QVERIFY(saveStationFile(path, f.lines()));
    const QByteArray bytes = test::fileBytes(path);
    // Windows-1250 with the 0xFF separator and CR LF ends.
    QVERIFY(bytes.contains("Polskie Radio Tr\xf3jka\xffhttp://stream.test/3|http://alt/3\r\n"));
    QVERIFY(bytes.contains("\xa3\xf3" "d\x9f\xff"));
    bool replace = false;
    RadioFavourites back;
    back.setLines(loadStationFile(path, &replace));
    QVERIFY(replace);
    QCOMPARE(back.lines(), f.lines());
    // No temporary is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"RadioU_"_s});
}

void TestRadio::unreadableFavouritesKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"RadioU_"_s);
    QVERIFY(QDir().mkpath(path)); // a folder where the file should be
    bool replace = true;
    QVERIFY(loadStationFile(path, &replace).isEmpty());
    QVERIFY(!replace);
}

QTEST_GUILESS_MAIN(TestRadio)
#include "tst_radio.moc"
