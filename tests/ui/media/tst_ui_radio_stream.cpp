#include "core/common/Cp1250.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/media/MediaSettings.h"
#include "core/media/RadioSettings.h"
#include "core/media/Mp3Length.h"
#include "core/media/RadioStations.h"
#include "core/media/RecordingSettings.h"
#include "platform/audio/GstAudioLibrary.h"
#include "support/FakeMasterVolume.h"
#include "support/RadioServer.h"
#include "support/SoundFiles.h"
#include "ui/media/RadioPage.h"
#include "ui/media/RadioRecorder.h"
#include "ui/media/RadioService.h"
#include "support/RecordingPrompts.h"
#include "../internet/MessageWindows.h"
#include "ui/common/Messages.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

// A favourite played from a local ICY server through GStreamer: the test's
// own event loop serves the stream, so a blocked interface thread would
// starve it and the start would never finish.
class TestRadioStream : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void favouritePlaysWithTitles();
    void recordsSplitByTitle();
    void dyingEncoderStopsRecording();

private:
    QTemporaryDir m_dir;
    QByteArray m_audio;
};

void TestRadioStream::initTestCase()
{
    qputenv("ZORVEX_AUDIO_SINK", "fakesink");
    QString why;
    if (!GstAudioLibrary::available(&why))
        QSKIP(qPrintable(u"GStreamer: "_s + why));
    const QString wav = m_dir.filePath(u"tone.wav"_s);
    const QString mp3 = m_dir.filePath(u"tone.mp3"_s);
    QVERIFY(test::writeToneWav(wav, 6.0));
    if (!test::encodeMp3(wav, mp3, {u"-b"_s, u"128"_s, u"-t"_s}))
        QSKIP("lame is not installed");
    QFile f(mp3);
    QVERIFY(f.open(QIODevice::ReadOnly));
    m_audio = f.readAll();
}

void TestRadioStream::favouritePlaysWithTitles()
{
    test::RadioServer server(test::RadioServer::Mode::Stream, m_audio);
    server.titles = {"Pierwszy_utwór", toCp1250(u"Gęślą jaźń")};
    const PathTable paths(m_dir.path() + u"/"_s, u"test"_s, QString());
    QVERIFY(saveStationFile(paths.path(PathId::RadioU), {u"Lokalne"_s + kListSeparator + server.url()}));

    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlaySet players(lib);
    RadioSettings settings;
    PlaybackPanelSettings panel;
    RecordingPrompts prompts;
    RadioService radio(paths, settings, panel, players, prompts);
    radio.page()->tabs->setCurrentIndex(RadioPage::Favourites);
    radio.page()->favourites->setCurrentRow(0);
    radio.play();
    QCOMPARE(radio.state(), RadioState::Connecting);
    QTRY_COMPARE_WITH_TIMEOUT(radio.state(), RadioState::Playing, 15000);
    QCOMPARE(radio.stationName(), u"Radio Testowe"_s);
    QCOMPARE(radio.page()->bitrate->text(), u"128"_s);
    QTRY_COMPARE_WITH_TIMEOUT(radio.streamTitle(), u"Pierwszy utwór"_s, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(radio.streamTitle(), u"Gęślą jaźń"_s, 10000);
    QVERIFY(server.request().contains("User-Agent: ZVX/"));
    radio.stop();
    QCOMPARE(radio.state(), RadioState::Stopped);
    QVERIFY(!players.player(BassPlaySet::Radio).hasChannel());
}

namespace {

// Every MP3 below `folder`, sorted.
QStringList mp3Files(const QString& folder)
{
    QStringList out;
    QDirIterator it(folder, {u"*.mp3"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    out.sort();
    return out;
}

} // namespace

void TestRadioStream::recordsSplitByTitle()
{
    test::RadioServer server(test::RadioServer::Mode::Stream, m_audio);
    // A title a second; ".." must not climb out of the station's folder.
    server.titles = {"Pierwszy", "..", "Pierwszy"};
    const PathTable paths(m_dir.path() + u"/rec/"_s, u"test"_s, QString());
    QVERIFY(QDir().mkpath(paths.dataFolder()));
    QVERIFY(saveStationFile(paths.path(PathId::RadioU), {u"Lokalne"_s + kListSeparator + server.url()}));

    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlaySet players(lib);
    RadioSettings settings;
    PlaybackPanelSettings panel;
    BoxPrompts prompts; // real windows, found by the test
    RadioService radio(paths, settings, panel, players, prompts);
    RecordingSettings rec;
    rec.folder = m_dir.path() + u"/Nagrania/"_s;
    rec.splitOnTitle = true;
    rec.addToPlaylist = true;
    SystemClock clock;
    RadioRecorder recorder(radio, players.player(BassPlaySet::Radio), rec, test::lameProgram(), clock);
    QSignalSpy finished(&recorder, &RadioRecorder::fileFinished);

    radio.playFavourite(0);
    QTRY_COMPARE_WITH_TIMEOUT(radio.state(), RadioState::Playing, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!radio.streamTitle().isEmpty(), 10000);
    QElapsedTimer recording;
    QVERIFY(recorder.toggle().isEmpty());
    recording.start();
    QTest::qWait(4500);
    recorder.stop();
    const double seconds = recording.elapsed() / 1000.0;
    radio.stop();

    const QString station = rec.folder + u"Radio Testowe/"_s;
    QTRY_VERIFY_WITH_TIMEOUT(finished.count() >= 4, 10000);
    QTest::qWait(200);
    QStringList added;
    for (const QList<QVariant>& f : finished)
        added << f.at(0).toString();
    added.sort();
    const QStringList files = mp3Files(m_dir.path() + u"/Nagrania"_s);
    QCOMPARE(added, files);
    QVERIFY(files.contains(station + u"Pierwszy.mp3"_s));
    QVERIFY(files.contains(station + u"Pierwszy[1].mp3"_s));
    QVERIFY(files.contains(station + u"Radio.mp3"_s));
    QCOMPARE(mp3Files(m_dir.path()).size(), files.size() + 1); // and the stream's own tone.mp3
    double total = 0;
    for (const QString& f : files) {
        QVERIFY2(f.startsWith(station), qPrintable(f));
        const auto facts = readMp3Facts(f);
        QVERIFY2(facts, qPrintable(f));
        QCOMPARE(facts->bitrateKbps, 128);
        total += facts->seconds;
    }
    // The split files hold the recording without a gap: a frame or two of
    // the encoder's own padding per file, and the buffers at the two ends.
    constexpr double kFrame = 1152.0 / 44100;
    const double slack = 0.1 + 2 * kFrame * double(files.size());
    QVERIFY2(std::abs(total - seconds) < slack,
             qPrintable(u"%1 s in %2 files, recorded for %3 s"_s.arg(total).arg(files.size()).arg(seconds)));
}

void TestRadioStream::dyingEncoderStopsRecording()
{
    // An encoder that stops reading and fails, as one does on a full disk.
    const QString program = m_dir.filePath(u"lame-full-disk"_s);
    {
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nhead -c 30000 > /dev/null\nexit 1\n");
    }
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    test::RadioServer server(test::RadioServer::Mode::Stream, m_audio);
    const PathTable paths(m_dir.path() + u"/die/"_s, u"test"_s, QString());
    QVERIFY(QDir().mkpath(paths.dataFolder()));
    QVERIFY(saveStationFile(paths.path(PathId::RadioU), {u"Lokalne"_s + kListSeparator + server.url()}));
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlaySet players(lib);
    RadioSettings settings;
    PlaybackPanelSettings panel;
    BoxPrompts prompts; // real windows, found by the test
    RadioService radio(paths, settings, panel, players, prompts);
    RecordingSettings rec;
    rec.folder = m_dir.path() + u"/Pelny/"_s;
    SystemClock clock;
    RadioRecorder recorder(radio, players.player(BassPlaySet::Radio), rec, program, clock);
    radio.playFavourite(0);
    QTRY_COMPARE_WITH_TIMEOUT(radio.state(), RadioState::Playing, 15000);
    QVERIFY(recorder.toggle().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!recorder.recording(), 10000);
    QCOMPARE(test::messageWindows().size(), 1);
    QVERIFY(test::messageTexts().at(0).startsWith(u"Zorvex - Nagrywanie: Nagrywanie zostało przerwane"_s));
    QCOMPARE(radio.state(), RadioState::Playing);
    test::closeMessageWindows();
    radio.stop();
}

QTEST_MAIN(TestRadioStream)
#include "tst_ui_radio_stream.moc"
