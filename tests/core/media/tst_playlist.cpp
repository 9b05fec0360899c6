#include "FixtureFolder.h"
#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/media/M3uFormat.h"
#include "core/media/Playlist.h"
#include "core/media/PlaylistFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTest>

#include <random>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

namespace {

PlaylistEntry entry(const QString& path, const QString& name = {}, const QString& seconds = u"-1"_s,
                    const QString& size = u"-1"_s)
{
    return {path, name.isEmpty() ? baseNameOf(path) : name, seconds, size};
}

QStringList paths(const Playlist& list)
{
    QStringList out;
    for (int i = 0; i < list.size(); ++i)
        out << list.at(i).path;
    return out;
}

} // namespace

class TestPlaylist : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.renew()); }

    void readsM3u_data();
    void readsM3u();
    void notAPlaylist_data();
    void notAPlaylist();
    void relativeEntries();
    void roundTrip_data();
    void roundTrip();

    void storeKeepsEveryPath();
    void storeReadsBothCodePages();

    void sortByNumbers_data();
    void sortByNumbers();
    void sortByNameIsStableAndCaseBlind();
    void sortByFileTimePutsMissingLast();
    void removeKeepsCurrent();
    void duplicatesKeepTheFirst();
    void cleanMissing();
    void moveSelected();
    void shuffleKeepsEntriesAndCurrent();
    void totals();
    void search();

    void displayNames_data();
    void displayNames();
    void durationTexts_data();
    void durationTexts();

private:
    test::FixtureFolder m_dir;
};

void TestPlaylist::readsM3u_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("seconds");

    QTest::newRow("extinf") << "#EXTM3U\r\n#EXTINF:123,Artist - Title\r\n/m/a.mp3\r\n"_ba
                            << QStringList{u"/m/a.mp3"_s} << QStringList{u"Artist - Title"_s} << QStringList{u"123"_s};
    // The name is what follows the first ",", so one holding "," survives.
    QTest::newRow("comma in name") << "#EXTM3U\n#EXTINF:5,A, B; C\n/m/a.mp3\n"_ba << QStringList{u"/m/a.mp3"_s}
                                   << QStringList{u"A, B; C"_s} << QStringList{u"5"_s};
    // Without "," the whole line names the entry and the length is unknown.
    QTest::newRow("no comma") << "#EXTM3U\n#EXTINF:77\n/m/a.mp3\n"_ba << QStringList{u"/m/a.mp3"_s}
                              << QStringList{u"#EXTINF:77"_s} << QStringList{QString()};
    // An empty line drops the pending name; the next path is a plain file.
    QTest::newRow("blank after extinf") << "#EXTM3U\n#EXTINF:1,X\n\n/m/b.mp3\n"_ba << QStringList{u"/m/b.mp3"_s}
                                        << QStringList{QString()} << QStringList{u"-1"_s};
    // Other directives are not files.
    QTest::newRow("directives") << "#EXTM3U\n#PLAYLIST:x\n#EXTINF:2,N\n#EXTGRP:g\n/m/c.mp3\n"_ba
                                << QStringList{u"/m/c.mp3"_s} << QStringList{u"N"_s} << QStringList{u"2"_s};
    QTest::newRow("plain list") << "/m/a.mp3\n\n/m/b.ogg\n"_ba << QStringList{u"/m/a.mp3"_s, u"/m/b.ogg"_s}
                                << QStringList{QString(), QString()} << QStringList{u"-1"_s, u"-1"_s};
    QTest::newRow("polish cp1250") << "#EXTM3U\n#EXTINF:9,\xAF\xF3\xB3w\n/m/\xBF\xF3\xB3w.mp3\n"_ba
                                   << QStringList{u"/m/żółw.mp3"_s} << QStringList{u"Żółw"_s} << QStringList{u"9"_s};
    QTest::newRow("utf-8 by content") << "#EXTM3U\n#EXTINF:9,Żółw\n/m/żółw.mp3\n"_ba
                                      << QStringList{u"/m/żółw.mp3"_s} << QStringList{u"Żółw"_s} << QStringList{u"9"_s};
}

void TestPlaylist::readsM3u()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, paths);
    QFETCH(QStringList, names);
    QFETCH(QStringList, seconds);
    const M3uRead r = parseM3u(bytes, u"/lists"_s, false, [](const QString&) { return false; });
    QVERIFY(r.isPlaylist);
    QCOMPARE(r.entries.size(), paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        QCOMPARE(r.entries[i].path, paths[i]);
        QCOMPARE(r.entries[i].name, names[i]);
        QCOMPARE(r.entries[i].seconds, seconds[i]);
        QCOMPARE(r.entries[i].size, u"-1"_s);
    }
}

void TestPlaylist::notAPlaylist_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("binary") << "\x01\x02MZ\x90\n"_ba;
    QTest::newRow("foreign bytes") << "\xFD\xFE\xE0\xE1\n"_ba;
}

void TestPlaylist::notAPlaylist()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!parseM3u(bytes, u"/x"_s, false, [](const QString&) { return true; }).isPlaylist);
}

void TestPlaylist::relativeEntries()
{
    QDir(m_dir.path()).mkpath(u"sub"_s);
    const QString there = m_dir.write("x", u"sub/a.mp3"_s);
    const M3uRead r = parseM3u("#EXTM3U\nsub/a.mp3\nsub\\a.mp3\nmissing.mp3\nC:\\Music\\x.mp3\n"_ba, m_dir.path(), false,
                               [](const QString& p) { return QFileInfo(p).isFile(); });
    QCOMPARE(r.entries.size(), 4);
    QCOMPARE(r.entries[0].path, there);
    QCOMPARE(r.entries[1].path, there); // written on Windows
    QCOMPARE(r.entries[2].path, u"missing.mp3"_s); // kept as written
    QCOMPARE(r.entries[3].path, u"C:\\Music\\x.mp3"_s);
}

void TestPlaylist::roundTrip_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cp1250");
    QTest::newRow("plain") << u"/m/a.mp3"_s << u"A - B"_s << true;
    QTest::newRow("comma and semicolon") << u"/m/a;b,c.mp3"_s << u"A, B; C"_s << true;
    QTest::newRow("polish") << u"/m/Żółć gęślą.mp3"_s << u"Źdźbło - Ślęża"_s << true;
    // A Linux file name may hold anything: the list turns UTF-8 for it.
    QTest::newRow("beyond cp1250") << u"/m/Ωμέγα 日本.mp3"_s << u"Ωμέγα"_s << false;
}

void TestPlaylist::roundTrip()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(bool, cp1250);
    const QList<PlaylistEntry> in = {entry(path, name, u"61"_s), entry(u"/m/z.ogg"_s, u"Z"_s, u"-1"_s)};
    const QByteArray bytes = formatM3u(in);
    QVERIFY(bytes.startsWith("#EXTM3U\r\n#EXTINF:61,"));
    // Windows-1250 while it holds every character, else UTF-8.
    QVERIFY(bytes.contains(cp1250 ? toCp1250(path) : path.toUtf8()));
    const M3uRead back = parseM3u(bytes, u"/m"_s, false, [](const QString&) { return false; });
    QCOMPARE(back.entries.size(), 2);
    QCOMPARE(back.entries[0].path, path);
    QCOMPARE(back.entries[0].name, name);
    QCOMPARE(back.entries[0].seconds, u"61"_s);
    QCOMPARE(back.entries[1].seconds, u"-1"_s);
}

void TestPlaylist::storeKeepsEveryPath()
{
    const QList<PlaylistEntry> in = {entry(u"/m/zażółć.mp3"_s, u"Zażółć"_s, u"3"_s, u"1000"_s),
                                     entry(u"/m/日本.mp3"_s, u"日本"_s), entry(u"/m/x.wav"_s)};
    const QString file = m_dir.filePath(u"M3U1_test.ini"_s);
    QVERIFY(saveListLines(file, linesOfEntries(in)));
    QByteArray raw;
    QVERIFY(readWholeFile(file, &raw));
    QVERIFY(raw.startsWith("\xEF\xBB\xBF")); // UTF-8, or the Japanese name is lost
    QVERIFY(raw.contains('\xFF'));           // the separators stay the list's byte
    const LoadedLines back = loadListLines(file);
    QVERIFY(back.mayReplace);
    QCOMPARE(entriesOfLines(back.lines), in);
    // No temporary of the atomic write is left behind.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{u"M3U1_test.ini"_s});
}

void TestPlaylist::storeReadsBothCodePages()
{
    const QString cp = m_dir.write("/m/\xBF\xF3\xB3w.mp3\xFF\xAF\xF3\xB3w\xFF" "12\xFF" "34\r\n"_ba, u"a.ini"_s);
    const QList<PlaylistEntry> a = entriesOfLines(loadListLines(cp).lines);
    QCOMPARE(a, (QList<PlaylistEntry>{entry(u"/m/żółw.mp3"_s, u"Żółw"_s, u"12"_s, u"34"_s)}));
    // A line with the path alone: the name from the file, the rest unknown.
    const QString bare = m_dir.write("/m/b.mp3\r\n"_ba, u"b.ini"_s);
    QCOMPARE(entriesOfLines(loadListLines(bare).lines), (QList<PlaylistEntry>{entry(u"/m/b.mp3"_s, u"b"_s)}));
}

void TestPlaylist::sortByNumbers_data()
{
    QTest::addColumn<QStringList>("seconds");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("unknown first") << QStringList{u"30"_s, u"-1"_s, u"5"_s} << false
                                   << QStringList{u"-1"_s, u"5"_s, u"30"_s};
    QTest::newRow("descending") << QStringList{u"30"_s, u"-1"_s, u"5"_s} << true
                                << QStringList{u"30"_s, u"5"_s, u"-1"_s};
    // Numbers before texts, each group in its own order: the same result
    // whatever order the list came in.
    QTest::newRow("mixed") << QStringList{u"b"_s, u"10"_s, QString(), u"9"_s, u"a"_s} << false
                           << QStringList{u"9"_s, u"10"_s, QString(), u"a"_s, u"b"_s};
    QTest::newRow("mixed reversed input") << QStringList{u"a"_s, u"9"_s, QString(), u"10"_s, u"b"_s} << false
                                          << QStringList{u"9"_s, u"10"_s, QString(), u"a"_s, u"b"_s};
}

void TestPlaylist::sortByNumbers()
{
    QFETCH(QStringList, seconds);
    QFETCH(bool, descending);
    QFETCH(QStringList, sorted);
    Playlist list;
    for (const QString& s : seconds)
        list.append(entry(u"/m/"_s + s + u".mp3"_s, s, s));
    list.sort(PlaylistSortKey::Seconds, descending);
    QStringList got;
    for (int i = 0; i < list.size(); ++i)
        got << list.at(i).seconds;
    QCOMPARE(got, sorted);
}

void TestPlaylist::sortByNameIsStableAndCaseBlind()
{
    Playlist list;
    list.append(entry(u"/1"_s, u"żaba"_s));
    list.append(entry(u"/2"_s, u"Abc"_s));
    list.append(entry(u"/3"_s, u"ŻABA"_s));
    list.append(entry(u"/4"_s, u"abc"_s));
    list.setCurrent(2);
    list.sort(PlaylistSortKey::Name, false);
    QCOMPARE(paths(list), (QStringList{u"/2"_s, u"/4"_s, u"/1"_s, u"/3"_s}));
    QCOMPARE(list.current(), 3); // the current entry is found again
    list.sort(PlaylistSortKey::Name, true);
    QCOMPARE(paths(list), (QStringList{u"/1"_s, u"/3"_s, u"/2"_s, u"/4"_s}));
}

void TestPlaylist::sortByFileTimePutsMissingLast()
{
    const QHash<QString, qint64> times = {{u"/a"_s, 300}, {u"/b"_s, 100}, {u"/c"_s, 200}};
    const auto fileTime = [&times](const QString& p) -> std::optional<qint64> {
        if (!times.contains(p))
            return std::nullopt;
        return times.value(p);
    };
    for (const bool descending : {false, true}) {
        Playlist list;
        for (const QString& p : {u"/gone1"_s, u"/a"_s, u"/b"_s, u"/gone2"_s, u"/c"_s})
            list.append(entry(p));
        list.sort(PlaylistSortKey::FileTime, descending, fileTime);
        const QStringList expected = descending
            ? QStringList{u"/a"_s, u"/c"_s, u"/b"_s, u"/gone1"_s, u"/gone2"_s}
            : QStringList{u"/b"_s, u"/c"_s, u"/a"_s, u"/gone1"_s, u"/gone2"_s};
        QCOMPARE(paths(list), expected);
    }
}

void TestPlaylist::removeKeepsCurrent()
{
    Playlist list;
    for (const QString& p : {u"/a"_s, u"/b"_s, u"/c"_s, u"/d"_s})
        list.append(entry(p));
    list.setCurrent(2);
    list.setSelected(0, true);
    QCOMPARE(list.removeSelected(), 1);
    QCOMPARE(list.current(), 1);
    QCOMPARE(list.currentEntry()->path, u"/c"_s);
    list.selectOnly(1);
    QCOMPARE(list.removeSelected(), 1);
    QCOMPARE(list.current(), -1); // the current entry went
    list.selectOnly(0);
    QCOMPARE(list.keepSelected(), 1);
    QCOMPARE(paths(list), QStringList{u"/b"_s});
}

void TestPlaylist::duplicatesKeepTheFirst()
{
    Playlist list;
    for (const QString& p : {u"/a"_s, u"/b"_s, u"/a"_s, u"/A"_s, u"/a"_s, u"/b"_s})
        list.append(entry(p, p + u"?"_s));
    list.setCurrent(4); // a later copy of /a
    QCOMPARE(list.removeDuplicates(), 3);
    QCOMPARE(paths(list), (QStringList{u"/a"_s, u"/b"_s, u"/A"_s})); // exact comparison
    QCOMPARE(list.current(), -1);

    // A long list is done in one pass.
    Playlist big;
    for (int i = 0; i < 20000; ++i)
        big.append(entry(u"/m/%1.mp3"_s.arg(i % 5000)));
    QCOMPARE(big.removeDuplicates(), 15000);
    QCOMPARE(big.at(4999).path, u"/m/4999.mp3"_s);
}

void TestPlaylist::cleanMissing()
{
    const QString kept = m_dir.write("x", u"here.mp3"_s);
    Playlist list;
    list.append(entry(m_dir.filePath(u"gone.mp3"_s)));
    list.append(entry(kept));
    list.setCurrent(1);
    QCOMPARE(list.removeMissing([](const QString& p) { return QFileInfo(p).isFile(); }), 1);
    QCOMPARE(paths(list), QStringList{kept});
    QCOMPARE(list.current(), 0);
    // A list of only missing files empties.
    Playlist gone;
    gone.append(entry(u"/nowhere/1.mp3"_s));
    gone.append(entry(u"/nowhere/2.mp3"_s));
    QCOMPARE(gone.removeMissing([](const QString&) { return false; }), 2);
    QVERIFY(gone.isEmpty());
}

void TestPlaylist::moveSelected()
{
    Playlist list;
    for (const QString& p : {u"/a"_s, u"/b"_s, u"/c"_s, u"/d"_s, u"/e"_s})
        list.append(entry(p));
    list.setCurrent(1);
    list.setSelected(1, true);
    list.setSelected(3, true);
    QVERIFY(list.moveSelected(1));
    QCOMPARE(paths(list), (QStringList{u"/a"_s, u"/c"_s, u"/b"_s, u"/e"_s, u"/d"_s}));
    QCOMPARE(list.current(), 2);
    QCOMPARE(list.selectedIndexes(), (QList<int>{2, 4}));
    // One more step would push /d out: nothing moves.
    QVERIFY(!list.moveSelected(1));
    QCOMPARE(list.selectedIndexes(), (QList<int>{2, 4}));
    QVERIFY(list.moveSelected(-2));
    QCOMPARE(paths(list), (QStringList{u"/b"_s, u"/a"_s, u"/d"_s, u"/c"_s, u"/e"_s}));
}

void TestPlaylist::shuffleKeepsEntriesAndCurrent()
{
    for (const int n : {1, 7, 3000}) {
        Playlist list;
        for (int i = 0; i < n; ++i)
            list.append(entry(u"/m/%1"_s.arg(i)));
        list.setCurrent(n / 2);
        std::mt19937 rng(42);
        list.shuffle(rng);
        QCOMPARE(list.size(), n);
        const QStringList all = paths(list);
        QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), n);
        QCOMPARE(list.currentEntry()->path, u"/m/%1"_s.arg(n / 2));
    }
}

void TestPlaylist::totals()
{
    const QString a = m_dir.write("xx", u"a.mp3"_s);
    const QString b = m_dir.write("xx", u"b.mp3"_s);
    Playlist list;
    list.append(entry(a, {}, u"61"_s, u"1048576"_s));
    list.append(entry(b, {}, u"-1"_s, u"-1"_s));
    list.append(entry(m_dir.filePath(u"gone.mp3"_s), {}, u"3600"_s, u"999999999"_s));
    list.setSelected(0, true);
    const auto exists = [](const QString& p) { return QFileInfo(p).isFile(); };
    QCOMPARE(durationTotals(list), u"01:01 / 61:01+"_s);
    QCOMPARE(countTotals(list), u"1 / 3"_s);
    QCOMPARE(sizeTotals(list, exists), u"1.00 MB / 1.00 MB+"_s);
    list.setSelected(1, true);
    QCOMPARE(sizeTotals(list, exists), u"? MB / 1.00 MB+"_s);
}

void TestPlaylist::search()
{
    Playlist list;
    for (const QString& n : {u"Żółta łódź"_s, u"Czerwony"_s, u"ŻÓŁTY dom"_s})
        list.append(entry(u"/m/"_s + n, n));
    QCOMPARE(searchPlaylist(list, u"żółt"_s), (QList<int>{0, 2}));
    QCOMPARE(searchPlaylist(list, u"ony"_s), QList<int>{1});
    QVERIFY(searchPlaylist(list, QString()).isEmpty());
    // The copy items around a typed text: case-sensitive, whole without it.
    QCOMPARE(nameAfter(u"Artysta - Tytuł - Live"_s, u" - "_s), u"Tytuł - Live"_s);
    QCOMPARE(nameBefore(u"Artysta - Tytuł"_s, u" - "_s), u"Artysta"_s);
    QCOMPARE(nameAfter(u"Artysta - Tytuł"_s, u"ARTYSTA"_s), u"Artysta - Tytuł"_s);
}

void TestPlaylist::displayNames_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("artist");
    QTest::addColumn<QString>("name");
    QTest::newRow("both") << u" Tytuł "_s << u"Wykonawca"_s << u"Wykonawca - Tytuł"_s;
    QTest::newRow("title only") << u"Tytuł"_s << QString() << u"Tytuł"_s;
    QTest::newRow("artist only") << QString() << u"Kto"_s << u"Kto - plik.v2"_s;
    QTest::newRow("neither") << QString() << QString() << QString();
    QTest::newRow("polish capitals") << u"ŻÓŁW ĘŃ"_s << QString() << u"ŻÓŁW ĘŃ"_s;
    // Bytes of another code page read as Windows-1250 letters like these.
    QTest::newRow("foreign") << u"Ýàå"_s << QString() << QString();
}

void TestPlaylist::displayNames()
{
    QFETCH(QString, title);
    QFETCH(QString, artist);
    QFETCH(QString, name);
    QCOMPARE(combineDisplayName(title, artist, u"/m/plik.v2.mp3"_s), name);
}

void TestPlaylist::durationTexts_data()
{
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << u"0"_s << u"00:00"_s;
    QTest::newRow("minute") << u"61"_s << u"01:01"_s;
    QTest::newRow("beyond 99 minutes") << u"7200"_s << u"120:00"_s;
    QTest::newRow("unknown") << u"-1"_s << u"-1"_s;
    QTest::newRow("not a number") << u"abc"_s << u"-1"_s;
    QTest::newRow("empty") << QString() << u"-1"_s;
}

void TestPlaylist::durationTexts()
{
    QFETCH(QString, seconds);
    QFETCH(QString, text);
    QCOMPARE(durationText(seconds), text);
}

QTEST_GUILESS_MAIN(TestPlaylist)
#include "tst_playlist.moc"
