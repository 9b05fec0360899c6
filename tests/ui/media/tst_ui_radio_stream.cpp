#include "core/common/Cp1250.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/media/MediaSettings.h"
#include "core/media/RadioSettings.h"
#include "core/media/RadioStations.h"
#include "platform/audio/GstAudioLibrary.h"
#include "support/FakeMasterVolume.h"
#include "support/RadioServer.h"
#include "support/SoundFiles.h"
#include "ui/media/RadioPage.h"
#include "ui/media/RadioService.h"
#include "support/RecordingPrompts.h"

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

QTEST_MAIN(TestRadioStream)
#include "tst_ui_radio_stream.moc"
