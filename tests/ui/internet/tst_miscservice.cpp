#include "core/app/PageCodes.h"
#include "core/app/Settings.h"
#include "core/common/PathTable.h"
#include "core/internet/ServiceClient.h"
#include "support/FakeClock.h"
#include "support/FakeInternet.h"
#include "support/FileFixture.h"
#include "ui/common/Messages.h"
#include "ui/internet/EmbeddedBrowser.h"
#include "ui/internet/MiscPagesView.h"
#include "ui/internet/MiscService.h"
#include "ui/reminders/AlarmPage.h"
#include "support/RecordingPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QFile>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kBase = u"https://zorvex.pl/serwis.php?l="_s;

// Records what the service asks of its browser.
class FakeView : public BrowserView {
public:
    explicit FakeView(QWidget* parent)
        : m_widget(new QWidget(parent))
    {
    }
    QWidget* widget() override { return m_widget; }
    void load(const QUrl& url) override
    {
        loads << url;
        m_url = url;
    }
    void reload() override { ++reloads; }
    QUrl url() const override { return m_url; }

    QList<QUrl> loads;
    int reloads = 0;

private:
    QWidget* m_widget;
    QUrl m_url;
};

class FakeFactory : public BrowserFactory {
public:
    std::unique_ptr<BrowserView> createView(QWidget* parent) override
    {
        auto view = std::make_unique<FakeView>(parent);
        views << view.get();
        return view;
    }
    QList<FakeView*> views;
};

} // namespace

class TestMiscService : public QObject {
    Q_OBJECT
private slots:
    void init();
    void horoscopeOpensTheSignsPage_data();
    void horoscopeOpensTheSignsPage();
    void withoutTheBrowserPagesGoOutside();
    void linksOfPages_data();
    void linksOfPages();
    void alarmLinkFillsOnlyAMessageAlarm();
    void alarmLinkAsksBeforeDroppingAnEdit();
    void contextMenuShowsVisibleEntries();
    void shoutboxButtons();

private:
    struct Program;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
};

struct TestMiscService::Program {
    FakeClock clock{QDateTime(QDate(2026, 12, 10), QTime(21, 0))};
    PathTable paths;
    Settings settings;
    zorvex::test::FakeInterfaceProbe probe;
    std::unique_ptr<ServiceClient> client;
    RecordingPrompts prompts;
    std::unique_ptr<MiscService> service;
    FakeFactory factory;
    bool browserThere = true;
    QList<QUrl> outside;
    QList<int> pagesOpened;
    QList<AlarmLink> alarms;
    int created = 0;

    explicit Program(const QString& data)
        : paths(data, u"Jan"_s, QString())
    {
        settings.serwis.serviceBase = kBase;
        settings.serwis.shoutboxBase = u"https://zorvex.pl/shoutbox.php?w="_s;
        client = std::make_unique<ServiceClient>(settings.serwis, u"ABCDEF"_s);
        service = std::make_unique<MiscService>(MiscContext{clock, paths, settings, probe, *client, prompts});
        service->browser = [this]() -> BrowserFactory* { return browserThere ? &factory : nullptr; };
        service->openOutside = [this](const QUrl& u) { outside << u; };
        service->openTools = [this](int code) { pagesOpened << code; };
        service->startAlarm = [this](const AlarmLink& a) {
            alarms << a;
            return true;
        };
        service->browserCreated = [this] { ++created; };
    }
    FakeView* view(int i = 0) const { return factory.views.value(i); }
};

void TestMiscService::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_data = m_dir->filePath(u"dane/"_s);
    QDir().mkpath(m_data);
    zorvex::test::writeFile(m_data + u"Rozne.ini"_s,
                            "Horoskop dzienny|horoskop.php\r\nKursy walut NBP|kursy.php|tabela A\r\n"
                            "Program telewizyjny|otv.php\r\n");
}

void TestMiscService::horoscopeOpensTheSignsPage_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("url");
    QTest::newRow("Pokaż horoskop: no sign") << 0 << kBase + u"horoskop.php?user_id=ABCDEF"_s;
    QTest::newRow("Bliźnięta") << 3 << kBase + u"horoskop.php?user_id=ABCDEF&znak=z3"_s;
    QTest::newRow("Ryby") << 12 << kBase + u"horoskop.php?user_id=ABCDEF&znak=z12"_s;
}

void TestMiscService::horoscopeOpensTheSignsPage()
{
    QFETCH(int, number);
    QFETCH(QString, url);
    Program p(m_data);
    // None saved: the television programme is selected first.
    QCOMPARE(p.service->selected(), 2);
    QCOMPARE(p.factory.views.size(), 0);
    p.service->showHoroscope(number);
    QCOMPARE(p.service->selected(), 0);
    QCOMPARE(p.settings.wiadomosci.wyb, 0);
    QCOMPARE(p.pagesOpened, QList<int>{page::Misc});
    QVERIFY(p.view());
    QCOMPARE(p.view()->loads, QList<QUrl>{QUrl(url)});
    QCOMPARE(p.created, 1);
    QVERIFY(!p.service->page()->showButton()->isEnabled());
    p.view()->loadFinished(true);
    QVERIFY(p.service->page()->showButton()->isEnabled());

    // The browser is made once.
    p.service->showMiscPage();
    QCOMPARE(p.factory.views.size(), 1);
    QCOMPARE(p.created, 1);
}

void TestMiscService::withoutTheBrowserPagesGoOutside()
{
    Program p(m_data);
    p.browserThere = false;
    p.service->showHoroscope(5);
    QCOMPARE(p.outside, QList<QUrl>{QUrl(kBase + u"horoskop.php?user_id=ABCDEF&znak=z5"_s)});
    QVERIFY(p.service->page()->holder()->note()->isVisibleTo(p.service->page()));
    QVERIFY(p.service->page()->showButton()->isEnabled());

    // A list without the horoscope: the menu does nothing.
    zorvex::test::writeFile(m_data + u"Rozne.ini"_s, "Program telewizyjny|otv.php\r\n");
    p.service->reloadList();
    p.outside.clear();
    p.pagesOpened.clear();
    p.service->showHoroscope(5);
    QVERIFY(p.outside.isEmpty());
    QVERIFY(p.pagesOpened.isEmpty());

    // Without internet nothing is opened.
    p.probe.up = false;
    p.service->showMiscPage();
    QVERIFY(p.outside.isEmpty());
}

void TestMiscService::linksOfPages_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("clicked");
    QTest::addColumn<bool>("mainFrame");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<bool>("outside");
    QTest::addColumn<int>("alarms");
    const QString alarm = u"https://zorvex.pl/otv.php?alarm=2026-12-11 20:00|Film"_s;
    QTest::newRow("service page loads") << u"https://zorvex.pl/otv.php?d=1"_s << true << true << true << false << 0;
    QTest::newRow("other site clicked: user's browser") << u"https://example.org/"_s << true << true << false << true << 0;
    QTest::newRow("other site by script: nowhere") << u"https://example.org/"_s << false << true << false << false << 0;
    QTest::newRow("other site in a frame: nowhere") << u"https://ads.example/"_s << true << false << false << false << 0;
    QTest::newRow("alarm clicked") << alarm << true << true << false << false << 1;
    QTest::newRow("alarm by script: refused") << alarm << false << true << false << false << 0;
    QTest::newRow("alarm of another site: refused")
        << u"https://example.org/x.php?alarm=2026-12-11 20:00|Film"_s << true << true << false << false << 0;
}

void TestMiscService::linksOfPages()
{
    QFETCH(QString, link);
    QFETCH(bool, clicked);
    QFETCH(bool, mainFrame);
    QFETCH(bool, loads);
    QFETCH(bool, outside);
    QFETCH(int, alarms);
    Program p(m_data);
    p.service->showMiscPage();
    FakeView* v = p.view();
    QVERIFY(v);
    p.pagesOpened.clear();
    const QUrl from(kBase + u"otv.php?user_id=ABCDEF"_s);
    QCOMPARE(v->navigate(QUrl(link), from, clicked, mainFrame) == BrowserNavigation::Load, loads);
    QCOMPARE(!p.outside.isEmpty(), outside);
    QCOMPARE(p.alarms.size(), alarms);
    if (alarms) {
        QCOMPARE(p.alarms.first().text, u"Film"_s);
        QCOMPARE(p.pagesOpened, QList<int>{page::Alarm});
    }
    // Scripts only on the service's own pages.
    QCOMPARE(v->trusted(QUrl(link)), QUrl(link).host() == u"zorvex.pl"_s);
}

void TestMiscService::alarmLinkFillsOnlyAMessageAlarm()
{
    FakeClock clock{QDateTime(QDate(2026, 12, 10), QTime(21, 0))};
    RecordingPrompts prompts;
    AlarmPage page(prompts);
    page.setClock(&clock);
    page.setCallbacks({});
    QVERIFY(page.beginAddFromLink(QDateTime(QDate(2026, 12, 24), QTime(18, 5)), u"<b>Wigilia</b>"_s));
    QVERIFY(page.editing());
    QVERIFY(page.findChild<QRadioButton*>(u"boxMessageRadio"_s)->isChecked());
    QCOMPARE(page.findChild<QPlainTextEdit*>(u"messageEdit"_s)->toPlainText(), u"<b>Wigilia</b>"_s);
    // No program, no power action, no sound can come from a page.
    for (const char* name : {"programBox", "computerBox", "soundBox"})
        QVERIFY2(!page.findChild<QCheckBox*>(QLatin1String(name))->isChecked(), name);
    QCOMPARE(page.findChild<QComboBox*>(u"weekdayCombo"_s)->currentIndex(), 3); // Thursday
}

void TestMiscService::alarmLinkAsksBeforeDroppingAnEdit()
{
    RecordingPrompts prompts;
    QStringList& asked = prompts.asked;
    bool& answer = prompts.answer;
    AlarmPage page(prompts);
    page.setCallbacks({});
    page.beginAdd(QDate(2026, 12, 12), QTime(7, 0));
    auto* text = page.findChild<QPlainTextEdit*>(u"messageEdit"_s);
    text->setPlainText(u"Moje"_s);
    QVERIFY(!page.beginAddFromLink(QDateTime(QDate(2026, 12, 24), QTime(18, 0)), u"Ze strony"_s));
    QCOMPARE(asked.size(), 1);
    QCOMPARE(text->toPlainText(), u"Moje"_s);
    answer = true;
    QVERIFY(page.beginAddFromLink(QDateTime(QDate(2026, 12, 24), QTime(18, 0)), u"Ze strony"_s));
    QCOMPARE(text->toPlainText(), u"Ze strony"_s);
}

void TestMiscService::contextMenuShowsVisibleEntries()
{
    zorvex::test::writeFile(m_data + u"Rozne_menu_Jan.ini"_s, "Kursy walut NBP|0\r\n");
    Program p(m_data);
    QCOMPARE(p.service->menuEntries(), (QStringList{u"Horoskop dzienny"_s, u"Program telewizyjny"_s}));
    // The second shown entry is the third of the list.
    p.service->showMenuEntry(1);
    QCOMPARE(p.service->selected(), 2);
    QCOMPARE(p.view()->loads.last(), QUrl(kBase + u"otv.php?user_id=ABCDEF"_s));
    QCOMPARE(p.pagesOpened, QList<int>{page::Misc});
    // Hidden from the menu only: the page's list keeps it.
    QCOMPARE(p.service->page()->entryBox()->count(), 3);
    p.service->save();
    QFile saved(p.paths.path(PathId::RozneMenu));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), "Horoskop dzienny|1\r\nKursy walut NBP|0\r\nProgram telewizyjny|1\r\n"_ba);
}

void TestMiscService::shoutboxButtons()
{
    Program p(m_data);
    const QUrl shout(u"https://zorvex.pl/shoutbox.php?w=37.04&user_id=ABCDEF"_s);
    p.service->refreshShoutbox();
    FakeView* v = p.view();
    QVERIFY(v);
    QCOMPARE(v->loads, QList<QUrl>{shout});
    p.service->refreshShoutbox();
    QCOMPARE(v->reloads, 1);
    p.service->shoutboxHome();
    QCOMPARE(v->loads.last(), QUrl(u"about:blank"_s));
    v->loadFinished(true);
    QCOMPARE(v->loads.last(), shout);
    v->loadFinished(true);
    QCOMPARE(v->loads.size(), 3);
}

QTEST_MAIN(TestMiscService)
#include "tst_miscservice.moc"
