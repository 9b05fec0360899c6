#include "core/common/Cp1250.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/media/MediaSettings.h"
#include "core/media/RadioSettings.h"
#include "core/media/RadioStations.h"
#include "core/media/RecordingSettings.h"
#include "support/FakeAudioLibrary.h"
#include "support/FakeClock.h"
#include "ui/common/NumberField.h"
#include "ui/media/RadioPage.h"
#include "ui/media/RadioRecorder.h"
#include "ui/media/RadioService.h"
#include "ui/media/RecordingWindows.h"
#include "ui/media/StationWindow.h"
#include "../internet/MessageWindows.h"
#include "ui/common/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

namespace {

constexpr PlaybackTiming kFast{30, 2, 200};
const QString kGood = u"http://good.test/stream"_s;

} // namespace

// The recorder over the fake audio library: what it starts the encoder with,
// when it splits, goes on or stops, and what it says when it cannot record.
class TestRecorder : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void refusesWithoutFolderOrStation();
    void recordsAndSplitsAtOnce();
    void delayedSplitWaitsForLastChange();
    void encoderFailure_data();
    void encoderFailure();
    void continuesAfterLostConnection_data();
    void continuesAfterLostConnection();
    void optionsWindow();
    void stationWindow();

private:
    void startPlaying();
    QString recordedPath() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    PathTable m_paths;
    RadioSettings m_radioSettings;
    RecordingSettings m_settings;
    PlaybackPanelSettings m_panel;
    FakeClock m_clock;
    std::unique_ptr<FakeAudioLibrary> m_lib;
    std::unique_ptr<BassPlaySet> m_set;
    BoxPrompts m_prompts; // real windows, found by the tests
    std::unique_ptr<RadioService> m_radio;
    std::unique_ptr<RadioRecorder> m_recorder;
};

void TestRecorder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_paths = PathTable(m_dir->path() + u"/"_s, u"test"_s, QString());
    m_radioSettings = RadioSettings();
    m_settings = RecordingSettings();
    m_settings.folder = m_dir->path() + u"/Nagrania/"_s;
    QVERIFY(saveStationFile(m_paths.path(PathId::RadioU), {u"Dobra"_s + kListSeparator + kGood}));
    m_lib = std::make_unique<FakeAudioLibrary>();
    m_set = std::make_unique<BassPlaySet>(*m_lib, nullptr, kFast);
    FakeAudioLibrary::UrlScript good;
    good.total = 100;
    good.downloaded = 90;
    good.tags[TagKind::Icy] = {u"icy-name:Radio/Dobra: FM"_s};
    m_lib->setUrl(kGood, good);
    m_radio = std::make_unique<RadioService>(m_paths, m_radioSettings, m_panel, *m_set, m_prompts);
    m_recorder = std::make_unique<RadioRecorder>(*m_radio, m_set->player(BassPlaySet::Radio), m_settings,
                                                 u"/usr/bin/lame"_s, m_clock);
}

void TestRecorder::cleanup()
{
    test::closeMessageWindows();
    m_recorder.reset();
    m_radio.reset();
    m_set.reset();
    m_lib.reset();
}

void TestRecorder::startPlaying()
{
    m_radio->page()->tabs->setCurrentIndex(RadioPage::Favourites);
    m_radio->page()->favourites->setCurrentRow(0);
    m_radio->play();
    QTRY_COMPARE(m_radio->state(), RadioState::Playing);
}

QString TestRecorder::recordedPath() const
{
    FakeAudioStream* s = m_lib->stream(kGood);
    return s ? s->encoderArguments().value(s->encoderArguments().size() - 1) : QString();
}

void TestRecorder::refusesWithoutFolderOrStation()
{
    QVERIFY(!m_radio->page()->record->isEnabled());
    QCOMPARE(m_recorder->toggle(), u"Radio nie odtwarza żadnej stacji."_s);
    QVERIFY(!m_recorder->recording());

    m_settings.folder.clear();
    startPlaying();
    QVERIFY(m_radio->page()->record->isEnabled());
    m_radio->page()->record->click();
    QVERIFY(!m_recorder->recording());
    QCOMPARE(test::messageTexts(),
             QStringList{QString::fromUtf8(kRecordingCaption) + u": "_s + QString::fromUtf8(kNoRecordingFolder)});
    QVERIFY(m_recorder->optionsWindow() && m_recorder->optionsWindow()->isVisible());
    QCOMPARE(m_lib->stream(kGood)->encoderStarts(), 0);
    m_recorder->optionsWindow()->close();
}

void TestRecorder::recordsAndSplitsAtOnce()
{
    m_settings.splitOnTitle = true;
    m_settings.addToPlaylist = true;
    QSignalSpy finished(m_recorder.get(), &RadioRecorder::fileFinished);
    startPlaying();
    FakeAudioStream* s = m_lib->stream(kGood);
    s->sendMetadataFromThread(u"StreamTitle='Artysta - Utwór_1';"_s);
    QTRY_COMPARE(m_radio->streamTitle(), u"Artysta - Utwór 1"_s);

    m_radio->page()->record->click();
    QVERIFY(m_recorder->recording());
    QCOMPARE(m_radio->page()->record->text(), u"■"_s);
    const QString folder = m_settings.folder;
    const QString first = folder + u"RadioDobra FM/Artysta - Utwór 1.mp3"_s;
    QCOMPARE(s->encoderArguments(),
             (QStringList{u"/usr/bin/lame"_s, u"-m"_s, u"s"_s, u"-q"_s, u"5"_s, u"--resample"_s, u"44.1"_s, u"-b"_s,
                          u"128"_s, u"-"_s, first}));
    QVERIFY(QFileInfo(first).absoluteDir().exists());
    // The encoder writes its file; the recorder only names it.
    QVERIFY(QFile(first).open(QIODevice::WriteOnly));

    // A hostile title climbs nowhere.
    s->sendMetadataFromThread(u"StreamTitle='../../etc/passwd';"_s);
    QTRY_COMPARE(s->encoderStarts(), 2);
    const QString second = folder + u"RadioDobra FM/....etcpasswd.mp3"_s;
    QCOMPARE(recordedPath(), second);
    // The split takes over without stopping the stream's encoder in between.
    QCOMPARE(s->encoderStops(), 0);
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toString(), first);

    // The same title again: numbered, as the first file is there.
    s->sendMetadataFromThread(u"StreamTitle='Artysta - Utwór 1';"_s);
    QTRY_COMPARE(s->encoderStarts(), 3);
    QCOMPARE(recordedPath(), folder + u"RadioDobra FM/Artysta - Utwór 1[1].mp3"_s);

    m_clock.advanceMs(65000);
    QTRY_COMPARE(m_radio->page()->recordingTime->text(), u"Nagrywanie: 00:01:05"_s);
    m_radio->page()->record->click();
    QVERIFY(!m_recorder->recording());
    QCOMPARE(s->encoderStops(), 1);
    QCOMPARE(m_radio->page()->record->text(), u"●"_s);
    QVERIFY(m_radio->page()->recordingTime->text().isEmpty());
    // Files that never appeared are not added.
    QTest::qWait(250);
    QCOMPARE(finished.count(), 1);
}

void TestRecorder::delayedSplitWaitsForLastChange()
{
    m_settings.splitOnTitle = true;
    m_settings.splitDelay = 5;
    startPlaying();
    FakeAudioStream* s = m_lib->stream(kGood);
    QVERIFY(m_recorder->toggle().isEmpty());
    const auto titleAt = [&](const QString& title) {
        s->sendMetadataFromThread(u"StreamTitle='"_s + title + u"';"_s);
        QTRY_COMPARE(m_radio->streamTitle(), title);
    };
    titleAt(u"A"_s);
    m_clock.advanceMs(3000);
    m_recorder->tick(TickStep::RecordingSplit, m_clock.now());
    titleAt(u"B"_s);
    m_clock.advanceMs(3000);
    m_recorder->tick(TickStep::RecordingSplit, m_clock.now());
    QCOMPARE(s->encoderStarts(), 1);
    m_clock.advanceMs(1900);
    m_recorder->tick(TickStep::RecordingSplit, m_clock.now());
    QCOMPARE(s->encoderStarts(), 1);
    m_clock.advanceMs(100);
    m_recorder->tick(TickStep::RecordingSplit, m_clock.now());
    QCOMPARE(s->encoderStarts(), 2);
    QVERIFY(recordedPath().endsWith(u"/B.mp3"_s));
    m_recorder->stop();
}

void TestRecorder::encoderFailure_data()
{
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<QString>("message");
    QTest::newRow("cannot start") << true << u"Nie można uruchomić programu lame"_s;
    QTest::newRow("dies while recording") << false << u"Nagrywanie zostało przerwane"_s;
}

void TestRecorder::encoderFailure()
{
    QFETCH(bool, atStart);
    QFETCH(QString, message);
    QSignalSpy changed(m_recorder.get(), &RadioRecorder::changed);
    startPlaying();
    FakeAudioStream* s = m_lib->stream(kGood);
    if (atStart) {
        s->refuseEncoder(true);
        QVERIFY(!m_recorder->toggle().isEmpty());
    } else {
        QVERIFY(m_recorder->toggle().isEmpty());
        QVERIFY(m_recorder->recording());
        s->endEncoder(); // as when the disk is full
    }
    QTRY_VERIFY(!m_recorder->recording());
    QCOMPARE(test::messageWindows().size(), 1);
    QVERIFY2(test::messageTexts().at(0).startsWith(QString::fromUtf8(kRecordingCaption) + u": "_s + message),
             qPrintable(test::messageTexts().at(0)));
    QCOMPARE(m_radio->page()->record->text(), u"●"_s);
    QCOMPARE(changed.count(), atStart ? 0 : 2);
    // The radio plays on.
    QCOMPARE(m_radio->state(), RadioState::Playing);
}

void TestRecorder::continuesAfterLostConnection_data()
{
    QTest::addColumn<bool>("continueOn");
    QTest::newRow("KontynuujNagrywanie on") << true;
    QTest::newRow("KontynuujNagrywanie off") << false;
}

void TestRecorder::continuesAfterLostConnection()
{
    QFETCH(bool, continueOn);
    m_settings.continueAfterLoss = continueOn;
    startPlaying();
    QVERIFY(m_recorder->toggle().isEmpty());
    const QString first = recordedPath();
    m_lib->stream(kGood)->finish();
    QTRY_VERIFY(!m_recorder->recording());
    // Lost within 3 s of its start: back after the countdown.
    QTRY_COMPARE_WITH_TIMEOUT(m_radio->state(), RadioState::Playing, 6000);
    QTRY_VERIFY(m_lib->stream(kGood));
    QCOMPARE(m_recorder->recording(), continueOn);
    if (continueOn)
        QCOMPARE(recordedPath(), first); // no file there, so the same name
    // A stop by the user does not come back.
    m_radio->stop();
    QVERIFY(!m_recorder->recording());
    QVERIFY(test::messageWindows().isEmpty());
}

void TestRecorder::optionsWindow()
{
    m_recorder->openOptions();
    RecordingOptionsWindow* w = m_recorder->optionsWindow();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->objectName(), u"TForm36"_s);
    QCOMPARE(w->windowTitle(), u"Opcje nagrywania"_s);
    auto* delay = w->findChild<NumberField*>(u"Edit2"_s);
    auto* split = w->findChild<QCheckBox*>(u"CheckBox1"_s);
    QVERIFY(delay && split && !delay->isEnabled());
    split->setChecked(true);
    QVERIFY(delay->isEnabled());
    delay->setValue(12);
    w->findChild<QComboBox*>(u"ComboBox1"_s)->setCurrentIndex(17);
    w->findChild<QRadioButton*>(u"RadioButton2"_s)->setChecked(true);
    QVERIFY(!w->findChild<QComboBox*>(u"ComboBox1"_s)->isVisibleTo(w));
    QVERIFY(w->findChild<QComboBox*>(u"ComboBox3"_s)->isVisibleTo(w));
    QString start;
    QString pickerTitle;
    w->pickFolder = [&](const QString& title, const QString& from) -> QString {
        pickerTitle = title;
        start = from;
        return m_dir->path() + u"/Inny"_s;
    };
    QDir().mkpath(m_settings.folder);
    w->findChild<QPushButton*>(u"BitBtn2"_s)->click();
    QCOMPARE(pickerTitle, u"Wybierz folder dla nagranych plików"_s);
    QCOMPARE(start, m_dir->path() + u"/Nagrania/"_s);
    QCOMPARE(m_settings.folder, m_dir->path() + u"/Inny/"_s);

    w->findChild<QPushButton*>(u"BitBtn3"_s)->click();
    RecordingNamesWindow* names = w->namesWindow();
    QVERIFY(names && names->isVisible());
    QCOMPARE(names->objectName(), u"TForm38"_s);
    auto* patterns = names->findChild<QComboBox*>(u"ComboBox1"_s);
    auto* pattern = names->findChild<QLineEdit*>(u"Edit1"_s);
    QCOMPARE(patterns->currentIndex(), 1);
    QVERIFY(!pattern->isEnabled());
    patterns->setCurrentIndex(0);
    emit patterns->activated(0);
    QVERIFY(pattern->isEnabled());
    pattern->setText(u"[stacja] - [tytul]"_s);
    QCOMPARE(names->findChild<QLabel*>(u"Label5"_s)->text(), u"Nazwa stacji - Tytuł utworu.mp3"_s);
    QVERIFY(names->findChild<QLabel*>(u"Label9"_s)->text().startsWith(u"- Aktualna data (np. "_s));
    names->accept();
    QCOMPARE(m_settings.patternIndex, 0);
    QCOMPARE(m_settings.pattern, u"[stacja] - [tytul]"_s);
    QCOMPARE(effectiveRecordingPattern(m_settings), u"[stacja] - [tytul]"_s);

    // Closing writes the section.
    w->findChild<QPushButton*>(u"OkButton"_s)->click();
    QVERIFY(!w->isVisible());
    QVERIFY(m_settings.splitOnTitle);
    QCOMPARE(m_settings.splitDelay, 12);
    QCOMPARE(m_settings.bitrate, 17);
    QVERIFY(!m_settings.constantBitrate);
}

void TestRecorder::stationWindow()
{
    RadioPage* p = m_radio->page();
    p->tabs->setCurrentIndex(RadioPage::Favourites);
    p->addStation->click();
    StationWindow* w = m_radio->stationWindow();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->objectName(), u"TForm23"_s);
    QCOMPARE(w->windowTitle(), u"Dodaj URL radia do listy"_s);
    auto* name = w->findChild<QLineEdit*>(u"Edit1"_s);
    auto* url = w->findChild<QLineEdit*>(u"Edit2"_s);
    auto* confirm = w->findChild<QPushButton*>(u"BitBtn1"_s);
    QCOMPARE(url->text(), u"http://"_s);
    QCOMPARE(confirm->text(), u"Dodaj"_s);
    QVERIFY(!confirm->isEnabled());
    // A separator or a line break would split the favourites file's line.
    name->setText(u"Nowa"_s + kListSeparator + u"\nstacja "_s);
    url->setText(u"  http://nowa.test/  "_s);
    QVERIFY(confirm->isEnabled());
    confirm->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(m_radio->favourites().count(), 2);
    QCOMPARE(m_radio->favourites().at(1), (RadioStation{u"Nowastacja "_s, u"http://nowa.test/"_s}));
    QCOMPARE(p->favourites->currentRow(), 1);

    p->editStation->click();
    QCOMPARE(w->windowTitle(), u"Edytuj stację"_s);
    QCOMPARE(confirm->text(), u"Zmień"_s);
    QCOMPARE(name->text(), u"Nowastacja "_s);
    url->setText(u"   "_s);
    QVERIFY(!confirm->isEnabled());
    url->setText(u"https://inna.test/"_s);
    confirm->click();
    QCOMPARE(m_radio->favourites().count(), 2);
    QCOMPARE(m_radio->favourites().at(1).url, u"https://inna.test/"_s);
}

QTEST_MAIN(TestRecorder)
#include "tst_ui_recording.moc"
