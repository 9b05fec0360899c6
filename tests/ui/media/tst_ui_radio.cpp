#include "core/common/Cp1250.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/media/MediaSettings.h"
#include "core/media/RadioSettings.h"
#include "core/media/RadioStations.h"
#include "support/FakeAudioLibrary.h"
#include "support/FileFixture.h"
#include "ui/media/RadioPage.h"
#include "ui/media/RadioService.h"
#include "support/RecordingPrompts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

namespace {

constexpr PlaybackTiming kFast{30, 2, 200};
const QString kGood = u"http://good.test/stream"_s;
const QString kSecond = u"http://second.test/stream"_s;
const QString kBad = u"http://bad.test/stream"_s;

FakeAudioLibrary::UrlScript buffered(bool held = false)
{
    FakeAudioLibrary::UrlScript s;
    s.held = held;
    s.total = 100;
    s.downloaded = 90;
    return s;
}

} // namespace

class TestRadioService : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pageFromFiles();
    void playsWithTitles();
    void failureReconnects();
    void instantCloseWaits();
    void stopWhileConnectingQueues();
    void favouritesSaved();

private:
    std::unique_ptr<RadioService> service();
    void selectFavourite(RadioService& r, int row);

    std::unique_ptr<QTemporaryDir> m_dir;
    PathTable m_paths;
    RadioSettings m_settings;
    PlaybackPanelSettings m_panel;
    std::unique_ptr<FakeAudioLibrary> m_lib;
    std::unique_ptr<BassPlaySet> m_set;
    RecordingPrompts m_prompts;
};

void TestRadioService::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_paths = PathTable(m_dir->path() + u"/"_s, u"test"_s, QString());
    m_settings = RadioSettings();
    m_panel = PlaybackPanelSettings();
    const QChar s = kListSeparator;
    QVERIFY(saveStationFile(m_paths.path(PathId::RadioL),
                            {u"Pop"_s + s + u"-"_s, u"Dobra"_s + s + kGood, u"Rock"_s + s + u"-"_s,
                             u"Zła"_s + s + kBad}));
    QVERIFY(saveStationFile(m_paths.path(PathId::RadioU),
                            {u"Dobra"_s + s + kGood, u"Druga"_s + s + kSecond, u"Zła"_s + s + kBad}));
    m_lib = std::make_unique<FakeAudioLibrary>();
    m_set = std::make_unique<BassPlaySet>(*m_lib, nullptr, kFast);
    FakeAudioLibrary::UrlScript good = buffered();
    good.tags[TagKind::Icy] = {u"icy-name:Radio Dobra FM"_s, u"icy-br:128"_s, u"icy-url:http://dobra.test/"_s};
    m_lib->setUrl(kGood, good);
    m_lib->setUrl(kSecond, buffered());
    FakeAudioLibrary::UrlScript bad;
    bad.error = AudioError::FileOpen;
    bad.statusLine = u"400 Server Full"_s;
    m_lib->setUrl(kBad, bad);
}

void TestRadioService::cleanup()
{
    m_set.reset();
    m_lib.reset();
}

std::unique_ptr<RadioService> TestRadioService::service()
{
    return std::make_unique<RadioService>(m_paths, m_settings, m_panel, *m_set, m_prompts);
}

void TestRadioService::selectFavourite(RadioService& r, int row)
{
    r.page()->tabs->setCurrentIndex(RadioPage::Favourites);
    r.page()->favourites->setCurrentRow(row);
}

void TestRadioService::pageFromFiles()
{
    m_settings.category = 1;
    m_settings.station = 0;
    m_settings.favourite = 7; // out of range: not applied
    auto r = service();
    RadioPage* p = r->page();
    for (const char* name : {"ComboBox5", "RadioL", "ListBox16", "BitBtn106", "BitBtn103", "BitBtn114", "BitBtn113",
                             "BitBtn125", "BitBtn104", "BitBtn102", "Scroll2", "Label88", "CheckBox56", "ComboRad",
                             "Edit43", "Edit44", "Edit45", "Label81", "Label84", "PanelReConnect", "LblReConnect",
                             "BitBtnReConnect"})
        QVERIFY2(p->findChild<QWidget*>(QLatin1String(name)), name);
    QCOMPARE(p->categories->count(), 2);
    QCOMPARE(p->categories->currentIndex(), 1);
    QCOMPARE(p->stations->count(), 1);
    QCOMPARE(p->stations->item(0)->text(), u"Zła"_s);
    QCOMPARE(p->favourites->count(), 3);
    QCOMPARE(p->favourites->currentRow(), -1);
    QCOMPARE(p->autoStation->count(), 3);
    QCOMPARE(p->state->text(), u"Stop"_s);
    QCOMPARE(p->volumeText->text(), u"100%"_s);
}

void TestRadioService::playsWithTitles()
{
    auto r = service();
    QSignalSpy changed(r.get(), &RadioService::changed);
    selectFavourite(*r, 0);
    r->page()->play->click();
    QCOMPARE(r->state(), RadioState::Connecting);
    QTRY_COMPARE(r->state(), RadioState::Playing);
    QCOMPARE(r->page()->name->text(), u"Radio Dobra FM"_s);
    QCOMPARE(r->page()->bitrate->text(), u"128"_s);
    QVERIFY(r->page()->webPage->text().contains(u"http://dobra.test/"_s));
    QVERIFY(r->page()->state->text().startsWith(u"Odtwarzanie: 00:00:0"_s));
    FakeAudioStream* s = m_lib->stream(kGood);
    QVERIFY(s);
    s->sendMetadataFromThread(u"StreamTitle='Artysta - Utwór_1';StreamUrl='';"_s);
    QTRY_COMPARE(r->streamTitle(), u"Artysta - Utwór 1"_s);
    QCOMPARE(r->dayTextSource().streamTitle, u"Artysta - Utwór 1"_s);
    QVERIFY(changed.count() > 0);

    // Another station while this one plays: the first is closed, only the
    // second is opened.
    selectFavourite(*r, 1);
    r->play();
    QTRY_COMPARE(r->state(), RadioState::Playing);
    QCOMPARE(m_lib->openUrlCalls(), 2);
    QTRY_VERIFY(!m_lib->stream(kGood));
    QVERIFY(m_lib->stream(kSecond));
    QVERIFY(r->streamTitle().isEmpty());

    r->page()->stop->click();
    QCOMPARE(r->state(), RadioState::Stopped);
    QVERIFY(r->streamTitle().isEmpty());
    QTRY_COMPARE(m_lib->openStreams(), 0);
}

void TestRadioService::failureReconnects()
{
    auto r = service();
    selectFavourite(*r, 2);
    r->play();
    QTRY_COMPARE(r->state(), RadioState::Error);
    QCOMPARE(r->page()->state->text(), u"Serwer jest przepełniony (ICY 400 Server Full)"_s);
    QVERIFY(r->page()->reconnect->isVisibleTo(r->page()));
    QCOMPARE(m_lib->openUrlCalls(), 1);
    QTRY_VERIFY(r->page()->reconnectText->text().contains(u"za 2 sek."_s));
    QTRY_COMPARE_WITH_TIMEOUT(m_lib->openUrlCalls(), 2, 5000);
    // "Anuluj" ends the retries.
    QTRY_VERIFY(r->page()->reconnect->isVisibleTo(r->page()));
    r->page()->reconnectCancel->click();
    QCOMPARE(r->state(), RadioState::Stopped);
    QTest::qWait(3500);
    QCOMPARE(m_lib->openUrlCalls(), 2);
}

void TestRadioService::instantCloseWaits()
{
    auto r = service();
    selectFavourite(*r, 1);
    r->play();
    QTRY_COMPARE(r->state(), RadioState::Playing);
    m_lib->stream(kSecond)->finish();
    // Lost right after its start: retried after the countdown, not at once.
    QTRY_COMPARE(r->state(), RadioState::Error);
    QCOMPARE(m_lib->openUrlCalls(), 1);
    QTest::qWait(1000);
    QCOMPARE(m_lib->openUrlCalls(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_lib->openUrlCalls(), 2, 5000);
    QTRY_COMPARE(r->state(), RadioState::Playing);
    r->stop();
}

void TestRadioService::stopWhileConnectingQueues()
{
    m_lib->setUrl(kGood, buffered(true));
    auto r = service();
    selectFavourite(*r, 0);
    r->play();
    QTRY_VERIFY(m_lib->waiting());
    r->stop();
    QCOMPARE(r->state(), RadioState::Disconnecting);
    QCOMPARE(r->page()->state->text(), u"Rozłączanie..."_s);
    // Chosen while the first is broken off: queued, then started.
    selectFavourite(*r, 1);
    r->play();
    QCOMPARE(r->state(), RadioState::Preparing);
    m_lib->release();
    QTRY_COMPARE(r->state(), RadioState::Playing);
    QVERIFY(m_lib->stream(kSecond));
    QVERIFY(!m_lib->stream(kGood));
    r->stop();
}

void TestRadioService::favouritesSaved()
{
    auto r = service();
    RadioPage* p = r->page();
    p->stations->setCurrentRow(0);
    QVERIFY(!p->addFavourite->isEnabled()); // "Dobra" is a favourite already
    QVERIFY(r->addFavourite({u"Nowa Ł"_s, u"http://nowa.test/"_s}));
    QVERIFY(!r->addFavourite({u"Nowa Ł"_s, u"http://nowa.test/"_s}));
    QCOMPARE(p->favourites->count(), 4);
    QCOMPARE(p->favourites->currentRow(), 3);
    QCOMPARE(p->autoStation->count(), 4);
    r->save();
    QVERIFY(test::fileBytes(m_paths.path(PathId::RadioU)).endsWith("Nowa \xa3\xffhttp://nowa.test/\r\n"));
    // Moving keeps the selection on the moved line.
    p->moveUp->click();
    QCOMPARE(p->favourites->currentRow(), 2);
    QCOMPARE(r->favourites().at(2).name, u"Nowa Ł"_s);
}

QTEST_MAIN(TestRadioService)
#include "tst_ui_radio.moc"
