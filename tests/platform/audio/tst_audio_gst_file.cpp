#include "core/media/BassPlay.h"
#include "core/media/BassPlaySet.h"
#include "platform/audio/GstAudioLibrary.h"
#include "platform/audio/MasterVolume.h"
#include "platform/audio/PulseMasterVolume.h"
#include "support/FakeMasterVolume.h"
#include "support/SoundFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

// Real files through the whole GStreamer pipeline into a fake sink that
// keeps time, so no sound card is needed.
class TestGstFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void lengths_data();
    void lengths();
    void playsToTheEndOnce();
    void stopPauseResume();
    void soundsShareTheOutput();
    void seekAndPosition();
    void info_data();
    void info();
    void undecodableFileEndsAtOnce();
    void masterVolume_data();
    void masterVolume();
    void noSoundServer();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    bool haveMp3() const { return m_haveMp3; }

    QTemporaryDir m_dir;
    bool m_haveMp3 = false;
};

void TestGstFile::initTestCase()
{
    qputenv("ZORVEX_AUDIO_SINK", "fakesink");
    QString why;
    if (!GstAudioLibrary::available(&why))
        QSKIP(qPrintable(u"GStreamer: "_s + why));
    QVERIFY(m_dir.isValid());
    QVERIFY(test::writeToneWav(path(u"tone.wav"_s), 1.0));
    QVERIFY(test::writeToneWav(path(u"long.wav"_s), 6.0));
    QVERIFY(test::writeVariedWav(path(u"varied.wav"_s), 4.0));
    QFile bogus(path(u"bogus.mp3"_s));
    QVERIFY(bogus.open(QIODevice::WriteOnly));
    bogus.write(QByteArray("To nie jest dźwięk.\n").repeated(300));
    bogus.close();
    m_haveMp3 = test::encodeMp3(path(u"tone.wav"_s), path(u"short.mp3"_s), {u"-b"_s, u"128"_s})
        && test::encodeMp3(path(u"long.wav"_s), path(u"long.mp3"_s), {u"-b"_s, u"128"_s})
        && test::encodeMp3(path(u"varied.wav"_s), path(u"vbr.mp3"_s), {u"-V"_s, u"2"_s});
}

void TestGstFile::lengths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("seconds"); // -1: does not open
    QTest::addColumn<bool>("mp3");
    QTest::newRow("CBR MP3") << u"short.mp3"_s << 1.0 << true;
    QTest::newRow("VBR MP3") << u"vbr.mp3"_s << 4.0 << true;
    QTest::newRow("WAV, read by the decoder") << u"tone.wav"_s << 1.0 << false;
    QTest::newRow("text named .mp3") << u"bogus.mp3"_s << -1.0 << false;
    QTest::newRow("missing") << u"brak.mp3"_s << -1.0 << false;
}

void TestGstFile::lengths()
{
    QFETCH(QString, name);
    QFETCH(double, seconds);
    QFETCH(bool, mp3);
    if (mp3 && !haveMp3())
        QSKIP("lame is not installed");
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    const auto stream = lib.openFile(path(name));
    if (seconds < 0) {
        QVERIFY(!stream);
        return;
    }
    QVERIFY(stream);
    QVERIFY2(std::abs(stream->lengthSeconds() - seconds) < 0.1, qPrintable(QString::number(stream->lengthSeconds())));
    QCOMPARE(stream->state(), ChannelState::Stopped);
}

void TestGstFile::playsToTheEndOnce()
{
    if (!haveMp3())
        QSKIP("lame is not installed");
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay p(lib, 1);
    QSignalSpy stopped(&p, &BassPlay::stopped);
    p.setFileName(path(u"short.mp3"_s));
    QElapsedTimer clock;
    clock.start();
    p.play(true);
    QVERIFY(p.isPlaying());
    QTRY_COMPARE_WITH_TIMEOUT(stopped.count(), 1, 10000);
    // The sink keeps time: a one-second file takes about a second.
    QVERIFY2(clock.elapsed() >= 900, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!p.isPlaying());
    QVERIFY(!p.hasChannel());
    QTest::qWait(200);
    QCOMPARE(stopped.count(), 1);
}

void TestGstFile::stopPauseResume()
{
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    const auto s = lib.openFile(path(u"long.wav"_s));
    QVERIFY(s);
    QVERIFY(s->play());
    QCOMPARE(s->state(), ChannelState::Playing);
    // Far enough in that a restart from the beginning cannot be mistaken
    // for a resume, however slowly this machine schedules the test.
    QTRY_VERIFY_WITH_TIMEOUT(s->position() > 1.5, 10000);

    s->pause();
    QCOMPARE(s->state(), ChannelState::Paused);
    const double pausedAt = s->position();
    QTest::qWait(300);
    QVERIFY(std::abs(s->position() - pausedAt) < 0.05);

    QVERIFY(s->play());
    QCOMPARE(s->state(), ChannelState::Playing);
    QTRY_VERIFY_WITH_TIMEOUT(s->position() > pausedAt + 0.2, 10000);

    s->stop();
    QCOMPARE(s->state(), ChannelState::Stopped);
    QCOMPARE(s->position(), 0.0);
    // Play after a stop starts from the beginning: paused at once, the
    // position holds what little played in between.
    QVERIFY(s->play());
    s->pause();
    QVERIFY(s->position() < pausedAt - 1.0);
}

void TestGstFile::soundsShareTheOutput()
{
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>(40));
    BassPlaySet set(lib);
    BassPlay& chime = set.player(BassPlaySet::Chime);
    BassPlay& alarm = set.player(BassPlaySet::Alarm);
    QSignalSpy alarmStopped(&alarm, &BassPlay::stopped);
    chime.setFileName(path(u"long.wav"_s));
    alarm.setFileName(path(u"long.wav"_s));
    set.playFile(BassPlaySet::Chime);
    set.playFile(BassPlaySet::Alarm);
    QVERIFY(lib.outputStarted());
    QCOMPARE(lib.outputVolume(), 40);
    QTRY_VERIFY(alarm.position() > 0.2);

    set.closeFile(BassPlaySet::Chime);
    QVERIFY(lib.outputStarted());
    const double before = alarm.position();
    QTest::qWait(400);
    QVERIFY(alarm.position() > before + 0.2);
    QCOMPARE(alarmStopped.count(), 0);

    set.closeFile(BassPlaySet::Alarm);
    QVERIFY(!lib.outputStarted());
}

void TestGstFile::seekAndPosition()
{
    if (!haveMp3())
        QSKIP("lame is not installed");
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay p(lib, 4);
    QSignalSpy stopped(&p, &BassPlay::stopped);
    p.setFileName(path(u"vbr.mp3"_s));
    p.open(true);
    QCOMPARE(p.position(), 0.0);
    p.seek(2.0);
    QVERIFY2(std::abs(p.position() - 2.0) < 0.05, qPrintable(QString::number(p.position())));
    p.resume();
    QTest::qWait(500);
    QVERIFY(p.position() > 2.2);
    QCOMPARE(stopped.count(), 0);

    p.seek(0.5);
    QTRY_VERIFY(p.position() < 1.2);
    QVERIFY(p.isPlaying());
    QTRY_COMPARE_WITH_TIMEOUT(stopped.count(), 1, 10000);
}

void TestGstFile::info_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    // Long enough that the encoder's header frame does not tip the average.
    QTest::newRow("CBR") << u"long.mp3"_s << u"^Bitrate: 128kbps\n44100Hz stereo$"_s;
    QTest::newRow("VBR") << u"vbr.mp3"_s << u"^Bitrate: \\d*[02468]kbps\n44100Hz stereo$"_s;
    QTest::newRow("WAV") << u"tone.wav"_s << u"^Bitrate: 141[02]kbps\n44100Hz stereo$"_s;
}

void TestGstFile::info()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    if (name.endsWith(u".mp3"_s) && !haveMp3())
        QSKIP("lame is not installed");
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay p(lib, 4);
    p.setFileName(path(name));
    p.play(true);
    const QString text = p.info();
    QVERIFY2(QRegularExpression(pattern).match(text).hasMatch(), qPrintable(text));
}

void TestGstFile::undecodableFileEndsAtOnce()
{
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay p(lib, 3);
    QSignalSpy stopped(&p, &BassPlay::stopped);
    p.setFileName(path(u"bogus.mp3"_s));
    p.play(true);
    QTRY_COMPARE(stopped.count(), 1);
    QVERIFY(!p.isPlaying());
}

void TestGstFile::masterVolume_data()
{
    QTest::addColumn<int>("level"); // -1: no sound server
    QTest::addColumn<int>("output");
    QTest::newRow("server at 40 %") << 40 << 40;
    QTest::newRow("no server") << -1 << 100;
}

void TestGstFile::masterVolume()
{
    QFETCH(int, level);
    QFETCH(int, output);
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>(level < 0 ? std::nullopt : std::optional<int>(level)));
    QVERIFY(!lib.outputStarted());
    lib.startOutput();
    QVERIFY(lib.outputStarted());
    QCOMPARE(lib.outputVolume(), output);
}

void TestGstFile::noSoundServer()
{
    const QByteArray saved = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/zorvex-test-socket");
    PulseMasterVolume volume;
    const auto level = volume.volume();
    const bool set = volume.setVolume(50);
    if (saved.isEmpty())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", saved);
    QVERIFY(!level);
    QVERIFY(!set);
}

QTEST_GUILESS_MAIN(TestGstFile)
#include "tst_audio_gst_file.moc"
