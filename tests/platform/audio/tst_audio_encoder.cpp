#include "core/media/BassPlay.h"
#include "core/media/Mp3Length.h"
#include "platform/audio/GstAudioLibrary.h"
#include "platform/audio/MasterVolume.h"
#include "support/FakeMasterVolume.h"
#include "support/SoundFiles.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

// What plays is fed to Debian's lame as the recorder does, with the option
// line it builds; the result must be an MP3 of what was played.
class TestEncoder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void recordsWhatPlays_data();
    void recordsWhatPlays();
    void missingEncoder();
    void encoderThatQuits();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList arguments(const QString& program, const QString& out) const
    {
        return {program, u"-m"_s, u"s"_s, u"-q"_s, u"5"_s, u"--resample"_s, u"44.1"_s, u"-b"_s, u"128"_s, u"-"_s, out};
    }

    QTemporaryDir m_dir;
    QString m_lame;
};

void TestEncoder::initTestCase()
{
    qputenv("ZORVEX_AUDIO_SINK", "fakesink");
    QString why;
    if (!GstAudioLibrary::available(&why))
        QSKIP(qPrintable(u"GStreamer: "_s + why));
    m_lame = test::lameProgram();
    if (m_lame.isEmpty())
        QSKIP("lame is not installed");
    QVERIFY(m_dir.isValid());
    QVERIFY(test::writeToneWav(path(u"tone.wav"_s), 2.0, 22050, 1));
}

void TestEncoder::recordsWhatPlays_data()
{
    QTest::addColumn<bool>("toTheEnd");
    QTest::addColumn<bool>("folderWithSpaces");
    QTest::newRow("until the sound ends") << true << false;
    QTest::newRow("stopped early") << false << false;
    // The encoder's path is written unquoted and may hold spaces.
    QTest::newRow("encoder in a folder with spaces") << true << true;
}

void TestEncoder::recordsWhatPlays()
{
    QFETCH(bool, toTheEnd);
    QFETCH(bool, folderWithSpaces);
    QString program = u"lame"_s;
    if (folderWithSpaces) {
        const QString folder = path(u"Moje programy"_s);
        QVERIFY(QDir().mkpath(folder));
        program = folder + u"/lame"_s;
        QFile::remove(program);
        QVERIFY(QFile::link(m_lame, program));
    }
    const QString out = path(u"Nagranie – stacja.mp3"_s);
    QFile::remove(out);

    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay p(lib, 7);
    QStringList order;
    connect(&p, &BassPlay::recordingStopped, this, [&] { order << u"rec"_s; });
    connect(&p, &BassPlay::stopped, this, [&] { order << u"stop"_s; });
    p.setFileName(path(u"tone.wav"_s));
    p.play(true);
    const auto exit = std::make_shared<EncoderExit>();
    QVERIFY(p.startEncoder(arguments(program, out), exit));
    QVERIFY(p.encoderActive());

    double expected = 2.0;
    if (toTheEnd) {
        QTRY_COMPARE_WITH_TIMEOUT(order, (QStringList{u"rec"_s, u"stop"_s}), 10000);
    } else {
        QTRY_VERIFY(p.position() > 1.0);
        p.stopEncoder();
        expected = p.position();
        QVERIFY(!p.encoderActive());
    }
    // The file is whole once the encoder has exited; nothing waited for it.
    QTRY_VERIFY_WITH_TIMEOUT(exit->done, 10000);

    const auto facts = readMp3Facts(out);
    QVERIFY2(facts, "no MP3 was written");
    QCOMPARE(facts->sampleRate, 44100); // resampled as the options ask
    QCOMPARE(facts->channels, 1); // lame keeps a mono source mono
    QCOMPARE(facts->bitrateKbps, 128);
    QVERIFY2(std::abs(facts->seconds - expected) < 0.3,
             qPrintable(QStringLiteral("%1 s, expected %2 s").arg(facts->seconds).arg(expected)));
    p.close();
}

void TestEncoder::missingEncoder()
{
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay p(lib, 7);
    p.setFileName(path(u"tone.wav"_s));
    p.play(true);
    const auto exit = std::make_shared<EncoderExit>();
    QVERIFY(!p.startEncoder({path(u"brak/lame"_s), u"-"_s, u"x.mp3"_s}, exit));
    QVERIFY(!p.encoderActive());
    QVERIFY(exit->done);
    p.close();
}

void TestEncoder::encoderThatQuits()
{
    // A program that reads nothing and exits: the sound it is fed must not
    // bring the player down.
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay p(lib, 7);
    QSignalSpy stopped(&p, &BassPlay::stopped);
    p.setFileName(path(u"tone.wav"_s));
    p.play(true);
    QVERIFY(p.startEncoder({u"true"_s}));
    QTRY_VERIFY(!p.encoderActive());
    QVERIFY(p.isPlaying());
    QTRY_COMPARE_WITH_TIMEOUT(stopped.count(), 1, 10000);
}

QTEST_GUILESS_MAIN(TestEncoder)
#include "tst_audio_encoder.moc"
