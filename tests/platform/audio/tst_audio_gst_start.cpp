#include "core/media/BassPlay.h"
#include "core/media/BassPlaySet.h"
#include "core/media/MusicPlayer.h"
#include "core/media/Playlist.h"
#include "platform/audio/GstAudioLibrary.h"
#include "support/FakeMasterVolume.h"
#include "support/SoundFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

namespace {

// The longest time the main thread's event loop went without serving a
// 5 ms timer, from start() to the last tick.
class GapMeter {
public:
    GapMeter()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_since.restart());
        });
    }
    void start()
    {
        m_longest = 0;
        m_since.start();
        m_timer.start();
    }
    qint64 stop()
    {
        m_timer.stop();
        return std::max(m_longest, m_since.elapsed());
    }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};

} // namespace

// Starting a file through GStreamer never holds the interface thread: the
// decoder's answer comes from the bus by way of the event loop.
class TestGstStart : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void startAnswersLater_data();
    void startAnswersLater();
    void playerPassesOverBrokenFiles();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    void writeBytes(const QString& name, const QByteArray& bytes)
    {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    QTemporaryDir m_dir;
};

void TestGstStart::initTestCase()
{
    qputenv("ZORVEX_AUDIO_SINK", "fakesink");
    QString why;
    if (!GstAudioLibrary::available(&why))
        QSKIP(qPrintable(u"GStreamer: "_s + why));
    QVERIFY(m_dir.isValid());
    QVERIFY(test::writeToneWav(path(u"tone.wav"_s), 2.0));
    writeBytes(u"text.mp3"_s, QByteArray("To nie jest dźwięk.\n").repeated(300));
    // A header that promises a minute of sound, and then nothing: it
    // starts, and ends at once.
    QByteArray cut;
    QFile tone(path(u"tone.wav"_s));
    QVERIFY(tone.open(QIODevice::ReadOnly));
    cut = tone.read(44);
    cut.replace(40, 4, test::le(44100u * 4u * 60u, 4));
    writeBytes(u"cut.wav"_s, cut);
    // An Ogg page signature with garbage behind it.
    QByteArray ogg("OggS");
    quint32 noise = 7;
    for (int i = 0; i < 20000; ++i) {
        noise = noise * 1103515245u + 12345u;
        ogg += char(noise >> 24);
    }
    writeBytes(u"noise.ogg"_s, ogg);
}

void TestGstStart::startAnswersLater_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plays");
    QTest::newRow("good WAV") << u"tone.wav"_s << true;
    QTest::newRow("text named .mp3") << u"text.mp3"_s << false;
    QTest::newRow("noise named .ogg") << u"noise.ogg"_s << false;
}

void TestGstStart::startAnswersLater()
{
    QFETCH(QString, name);
    QFETCH(bool, plays);
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    GapMeter meter;

    // The blocking open the player used before, on the same file.
    QElapsedTimer clock;
    clock.start();
    const bool opened = lib.openFile(path(name)) != nullptr;
    const qint64 blockingMs = clock.elapsed();

    BassPlay p(lib, BassPlaySet::Music);
    QSignalSpy started(&p, &BassPlay::fileStarted);
    p.setFileName(path(name));
    meter.start();
    clock.restart();
    p.startFile(true, false);
    const qint64 callMs = clock.elapsed();
    // The call has returned before the decoder has answered.
    QVERIFY(p.isStartingFile());
    QCOMPARE(started.count(), 0);
    QVERIFY(started.wait(10000));
    const qint64 answerMs = clock.elapsed();
    const qint64 gapMs = meter.stop();
    QCOMPARE(started.first().at(2).toBool(), plays);
    QCOMPARE(p.isPlaying(), plays);
    if (plays) {
        QVERIFY(opened);
        QVERIFY2(std::abs(p.length() - 2.0) < 0.1, qPrintable(QString::number(p.length())));
    } else {
        QVERIFY(!p.hasChannel());
    }
    qInfo("%s: blocking open %lld ms (%s); start call %lld ms, answer after %lld ms, longest main-thread gap %lld ms",
          qPrintable(name), blockingMs, opened ? "opened" : "failed", callMs, answerMs, gapMs);
    p.close();
}

void TestGstStart::playerPassesOverBrokenFiles()
{
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlaySet set(lib);
    Playlist list;
    for (const QString& name : {u"text.mp3"_s, u"cut.wav"_s, u"noise.ogg"_s, u"tone.wav"_s})
        list.append(PlaylistEntry{path(name), name, u"-1"_s, u"-1"_s});
    MusicPlayer player(set, list, [](const QString& p) { return QFileInfo(p).isFile(); }, [](int) { return 0; });
    GapMeter meter;
    list.selectOnly(0);
    meter.start();
    player.play();
    // The cut WAV starts and ends at once; the end moves on too.
    QTRY_VERIFY_WITH_TIMEOUT(list.current() == 3 && player.state() == PlayerState::Playing, 20000);
    const qint64 gapMs = meter.stop();
    QCOMPARE(list.at(3).seconds, u"2"_s);
    qInfo("three broken files, then a good one: longest main-thread gap %lld ms", gapMs);
    player.stop();
}

QTEST_GUILESS_MAIN(TestGstStart)
#include "tst_audio_gst_start.moc"
