#include "FakeSounds.h"
#include "core/media/BassPlaySet.h"
#include "support/FakeAudioLibrary.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

class TestBassPlaySet : public QObject {
    Q_OBJECT

private slots:
    void init();
    void soundsShareTheOutput();
    void playFileStopsTheInstanceFirst();
    void stoppingMusicSparesTheAlarm();
    void lengthReader();
    void streamGoesThroughTheSet();
    void soundStartsWithoutWaiting_data();
    void soundStartsWithoutWaiting();

private:
    QString file(const QString& name);
    QTemporaryDir m_dir;
};

void TestBassPlaySet::init()
{
    QVERIFY(m_dir.isValid());
}

QString TestBassPlaySet::file(const QString& name)
{
    return test::soundFile(m_dir, name);
}

void TestBassPlaySet::soundsShareTheOutput()
{
    FakeAudioLibrary lib;
    BassPlaySet set(lib);
    QVERIFY(!set.anyPlaying());
    set.player(BassPlaySet::Chime).setFileName(file(u"godzina.mp3"_s));
    set.player(BassPlaySet::Alarm).setFileName(file(u"alarm.mp3"_s));

    set.playFile(BassPlaySet::Chime);
    QCOMPARE(lib.startCalls(), 1);
    QVERIFY(set.anyPlaying());
    // A second sound does not start the output again.
    set.playFile(BassPlaySet::Alarm);
    QCOMPARE(lib.startCalls(), 1);
    QTRY_VERIFY(set.player(BassPlaySet::Alarm).isPlaying());

    // Closing the first leaves the output running for the second.
    set.closeFile(BassPlaySet::Chime);
    QVERIFY(!set.player(BassPlaySet::Chime).isPlaying());
    QCOMPARE(lib.shutdownCalls(), 0);
    QVERIFY(lib.outputStarted());
    QCOMPARE(lib.stream(file(u"alarm.mp3"_s))->state(), ChannelState::Playing);

    set.closeFile(BassPlaySet::Alarm);
    QCOMPARE(lib.shutdownCalls(), 1);
    QVERIFY(!lib.outputStarted());
    QVERIFY(!set.anyPlaying());
    QCOMPARE(lib.openStreams(), 0);
}

void TestBassPlaySet::playFileStopsTheInstanceFirst()
{
    FakeAudioLibrary lib;
    BassPlaySet set(lib);
    BassPlay& p = set.player(BassPlaySet::Mail);
    QSignalSpy stopped(&p, &BassPlay::stopped);
    p.setFileName(file(u"poczta.wav"_s));
    set.playFile(BassPlaySet::Mail);
    QTRY_VERIFY(p.isPlaying());
    set.playFile(BassPlaySet::Mail);
    QCOMPARE(stopped.count(), 1);
    QTRY_VERIFY(p.isPlaying());
    QCOMPARE(lib.openStreams(), 1);
}

void TestBassPlaySet::stoppingMusicSparesTheAlarm()
{
    FakeAudioLibrary lib;
    BassPlaySet set(lib);
    set.player(BassPlaySet::Music).setFileName(file(u"utwor.mp3"_s));
    set.player(BassPlaySet::Alarm).setFileName(file(u"alarm.mp3"_s));
    set.playFile(BassPlaySet::Music);
    set.playFile(BassPlaySet::Alarm);
    QTRY_VERIFY(set.player(BassPlaySet::Music).isPlaying() && set.player(BassPlaySet::Alarm).isPlaying());

    // The player's Stop closes its component directly; the alarm's output
    // must survive it.
    set.player(BassPlaySet::Music).close();
    QCOMPARE(lib.shutdownCalls(), 0);
    QVERIFY(set.player(BassPlaySet::Alarm).isPlaying());
    QCOMPARE(lib.stream(file(u"alarm.mp3"_s))->state(), ChannelState::Playing);
}

void TestBassPlaySet::lengthReader()
{
    FakeAudioLibrary lib;
    BassPlaySet set(lib);
    BassPlay& reader = set.player(BassPlaySet::Lengths);
    QSignalSpy stopped(&reader, &BassPlay::stopped);
    const QStringList names{u"1.mp3"_s, u"2.ogg"_s, u"3.mp3"_s};
    QList<float> lengths;
    for (int i = 0; i < names.size(); ++i) {
        const QString path = file(names[i]);
        lib.setFileLength(path, 60.0 * (i + 1));
        reader.setFileName(path);
        set.openFile(BassPlaySet::Lengths);
        lengths << reader.length();
        set.closeFile(BassPlaySet::Lengths);
        QVERIFY(!reader.isPlaying());
        QCOMPARE(lib.openStreams(), 0);
    }
    QCOMPARE(lengths, (QList<float>{60, 120, 180}));
    QTest::qWait(100);
    QCOMPARE(stopped.count(), 0);
    QVERIFY(!lib.outputStarted());
}

void TestBassPlaySet::streamGoesThroughTheSet()
{
    FakeAudioLibrary lib;
    lib.setUrl(u"http://radio.test/"_s, test::bufferedStream());
    BassPlaySet set(lib);
    set.player(BassPlaySet::Alarm).setFileName(file(u"alarm.mp3"_s));
    set.playFile(BassPlaySet::Alarm);

    BassPlay& radio = set.player(BassPlaySet::Radio);
    QSignalSpy opened(&radio, &BassPlay::streamOpened);
    radio.setFileName(u"http://radio.test/"_s);
    set.playStream(BassPlaySet::Radio, u"proxy.lan:8080"_s);
    QTRY_COMPARE(opened.count(), 1);
    QVERIFY(test::openResult(opened.first()).ok());
    QCOMPARE(lib.startCalls(), 1); // the alarm had started it
    QCOMPARE(lib.lastOptions().proxy, u"proxy.lan:8080"_s);
    QVERIFY(radio.isPlaying());
}

void TestBassPlaySet::soundStartsWithoutWaiting_data()
{
    QTest::addColumn<bool>("decodable");
    QTest::addColumn<bool>("otherSound");
    QTest::newRow("plays") << true << false;
    QTest::newRow("undecodable, alone") << false << false;
    QTest::newRow("undecodable, beside music") << false << true;
}

// A chime or an alarm is started from a timer tick: the call returns before
// the decoder has answered, and a file that cannot play gives the output
// back unless another sound still uses it.
void TestBassPlaySet::soundStartsWithoutWaiting()
{
    QFETCH(bool, decodable);
    QFETCH(bool, otherSound);
    FakeAudioLibrary lib;
    BassPlaySet set(lib);
    if (otherSound) {
        set.player(BassPlaySet::Music).setFileName(file(u"utwor.mp3"_s));
        set.playFile(BassPlaySet::Music);
        QTRY_VERIFY(set.player(BassPlaySet::Music).isPlaying());
    }
    const QString path = file(u"godzina.mp3"_s);
    if (!decodable)
        lib.setUndecodable(path);
    lib.holdFileOpens(true);
    BassPlay& chime = set.player(BassPlaySet::Chime);
    QSignalSpy stopped(&chime, &BassPlay::stopped);
    chime.setFileName(path);
    set.playFile(BassPlaySet::Chime);
    QVERIFY(chime.isStartingFile());
    QVERIFY(!chime.isPlaying());
    QVERIFY(set.anyPlaying()); // a second sound meanwhile must not start the output again
    QCOMPARE(lib.answerFileOpens(path), 1);
    QTRY_VERIFY(!chime.isStartingFile());
    QCOMPARE(chime.isPlaying(), decodable);
    QCOMPARE(lib.outputStarted(), decodable || otherSound);
    QCOMPARE(stopped.count(), 0);
    if (otherSound)
        QVERIFY(set.player(BassPlaySet::Music).isPlaying());
}

QTEST_GUILESS_MAIN(TestBassPlaySet)
#include "tst_playback_set.moc"
