#include "FixtureFolder.h"
#include "core/media/Id3v2.h"
#include "core/media/TrackScanner.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

namespace {

// A PCM WAV header claiming `seconds` at 1000 bytes a second, and its data.
QByteArray wav(int seconds)
{
    QByteArray b("RIFF\0\0\0\0WAVEfmt ", 16);
    const auto le32 = [&b](quint32 v) { char x[4]; qToLittleEndian(v, x); b.append(x, 4); };
    const auto le16 = [&b](quint16 v) { char x[2]; qToLittleEndian(v, x); b.append(x, 2); };
    le32(16);
    le16(1); le16(1); le32(1000); le32(1000); le16(1); le16(8);
    b.append("data", 4);
    le32(quint32(seconds * 1000));
    b.append(QByteArray(seconds * 1000, '\x80'));
    return b;
}

} // namespace

class TestTrackScanner : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.renew()); }
    void walksFoldersInOrderWithoutLinks();
    void namesAndLengths();
    void scansOnItsThread();
    void cancelStops();

private:
    QString make(const QString& rel, const QByteArray& bytes = "x")
    {
        QDir(m_dir.path()).mkpath(QFileInfo(rel).path());
        return m_dir.write(bytes, rel);
    }
    test::FixtureFolder m_dir;
};

void TestTrackScanner::walksFoldersInOrderWithoutLinks()
{
    const QString a = make(u"A/1.mp3"_s);
    const QString b = make(u"A/sub/2.OGG"_s);
    make(u"A/sub/notes.txt"_s);
    make(u"A/sub/x.mp3.bak"_s);
    const QString c = make(u"A/z.wav"_s);
    // A link back up would loop for ever if followed.
    QVERIFY(QFile::link(m_dir.filePath(u"A"_s), m_dir.filePath(u"A/sub/loop"_s)));
    QCOMPARE(TrackScanner::soundFilesIn(m_dir.filePath(u"A"_s)), (QStringList{a, b, c}));
}

void TestTrackScanner::namesAndLengths()
{
    const QString tagged = make(u"t.mp3"_s, QByteArray(64, '\0'));
    Id3v2 tag;
    tag.title = u"Tytuł"_s;
    tag.artist = u"Zespół"_s;
    QVERIFY(tag.save(tagged));
    const QString w = make(u"Nagranie.wav"_s, wav(5));
    const QList<PlaylistEntry> got = TrackScanner::scan({tagged, w}, true);
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0].name, u"Zespół - Tytuł"_s);
    QCOMPARE(got[1].name, u"Nagranie"_s);
    QCOMPARE(got[1].seconds, u"5"_s);
    QCOMPARE(got[1].size, QString::number(wav(5).size()));
    // Not measured: unknown for the length button to fill in.
    QCOMPARE(TrackScanner::scan({w}, false).first().seconds, u"-1"_s);
}

void TestTrackScanner::scansOnItsThread()
{
    QStringList expected;
    for (int i = 0; i < 450; ++i)
        expected << make(u"M/%1.mp3"_s.arg(i, 4, 10, QLatin1Char('0')));
    TrackScanner scanner;
    QList<PlaylistEntry> got;
    connect(&scanner, &TrackScanner::batch, this, [&got](const QList<PlaylistEntry>& b) { got += b; });
    QSignalSpy done(&scanner, &TrackScanner::finished);
    QVERIFY(scanner.start({m_dir.filePath(u"M"_s)}));
    QVERIFY(!scanner.start({m_dir.filePath(u"M"_s)})); // one at a time
    QVERIFY(done.wait(10000));
    QCOMPARE(got.size(), expected.size());
    for (qsizetype i = 0; i < got.size(); ++i)
        QCOMPARE(got[i].path, expected[i]);
    QVERIFY(!scanner.running());
}

void TestTrackScanner::cancelStops()
{
    for (int i = 0; i < 300; ++i)
        make(u"C/%1.mp3"_s.arg(i));
    TrackScanner scanner;
    int count = 0;
    connect(&scanner, &TrackScanner::batch, this, [&count](const QList<PlaylistEntry>& b) { count += int(b.size()); });
    QSignalSpy done(&scanner, &TrackScanner::finished);
    QVERIFY(scanner.start({m_dir.filePath(u"C"_s)}));
    scanner.cancel();
    QVERIFY(done.wait(10000));
    QVERIFY(count <= 300);
}

QTEST_GUILESS_MAIN(TestTrackScanner)
#include "tst_trackscanner.moc"
