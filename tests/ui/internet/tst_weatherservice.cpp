#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/common/IniFile.h"
#include "core/common/PathTable.h"
#include "core/internet/ServiceAnswer.h"
#include "core/internet/ServiceClient.h"
#include "platform/internet/NetworkAccess.h"
#include "support/FakeClock.h"
#include "support/FakeInternet.h"
#include "support/FileFixture.h"
#include "support/ServiceSimProcess.h"
#include "ui/common/Messages.h"
#include "ui/internet/WeatherPage.h"
#include "ui/internet/WeatherService.h"
#include "MessageWindows.h"
#include "support/RecordingPrompts.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;
using zorvex::test::messageTexts;

namespace {
const QString kServerProblem = u"Zorvex: Wystąpił problem podczas połączenia z serwerem"_s;
}

class TestWeatherService : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void forecastOfACity();
    void failedForecastTellsAndEnablesAgain_data();
    void failedForecastTellsAndEnablesAgain();
    void iconRefreshDrawsAndStores();
    void silentFailureKeepsTheIcon();
    void startDrawsStoredIconOrSchedules_data();
    void startDrawsStoredIconOrSchedules();
    void iconOffAndOnAgain();
    void menuOpensTheDaysForecast();
    void iconSetListAndDeletion();

private:
    struct Program;
    bool startSim(const QStringList& arguments = {});
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ServiceSimProcess> m_sim;
    QString m_data;
};

struct TestWeatherService::Program {
    FakeClock clock{QDateTime(QDate(2026, 12, 10), QTime(9, 0))};
    PathTable paths;
    Settings settings;
    SettingsStore store;
    zorvex::test::FakeInterfaceProbe probe;
    NetworkAccess network;
    AnsweringBoxPrompts prompts; // real windows, found by the tests; questions kept
    std::unique_ptr<ServiceClient> client;
    std::unique_ptr<WeatherService> service;
    QImage icon;
    QString hint;
    int iconsShown = 0;
    QList<QDateTime> scheduled;
    int cancelled = 0;

    Program(const QString& data, const QString& serviceBase, const std::function<void(Settings&)>& adjust = {})
        : paths(data, u"Jan"_s, QString())
        , store(paths.path(PathId::Ustawienia))
    {
        settings.serwis.serviceBase = serviceBase;
        if (adjust)
            adjust(settings);
        client = std::make_unique<ServiceClient>(settings.serwis, u"ABCDEF"_s);
        service = std::make_unique<WeatherService>(WeatherContext{clock, paths, settings, store, probe, network, *client, prompts});
        service->showIcon = [this](const QImage& i, const QString& h) {
            icon = i;
            hint = h;
            ++iconsShown;
        };
        service->scheduleRefresh = [this](const QDateTime& r) { scheduled << r; };
        service->cancelRefresh = [this] { ++cancelled; };
        service->startup();
    }
    WeatherPage* page() const { return service->page(); }
};

bool TestWeatherService::startSim(const QStringList& arguments)
{
    m_sim = std::make_unique<ServiceSimProcess>();
    return m_sim->start(arguments);
}

void TestWeatherService::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_data = m_dir->filePath(u"dane/"_s);
    QDir().mkpath(m_data);
    zorvex::test::writeFile(m_data + u"Ustawienia_Jan.ini"_s, "[Pogoda]\r\nDopasuj=1\r\n");
    // A heading first, a city the service does not know last.
    zorvex::test::writeFile(m_data + u"ListaMiast.ini"_s,
                            "Dolno\x9cl\xb9skie|\r\nWroc\xb3\x61w|101\r\nNigdzie|999\r\n");
}

void TestWeatherService::cleanup()
{
    zorvex::test::closeMessageWindows();
    m_sim.reset();
}

void TestWeatherService::forecastOfACity()
{
    QVERIFY2(startSim(), qPrintable(m_sim->error()));
    Program p(m_data, m_sim->serviceBase());
    // The heading stored as the city moves to the first city.
    QCOMPARE(p.page()->cityBox()->currentIndex(), 1);
    p.page()->dayBox()->setCurrentIndex(2);
    QPushButton* show = p.page()->showButton();
    show->click();
    QVERIFY(!show->isEnabled());
    QTRY_COMPARE(p.page()->field(0)->text(), u"Wrocław"_s);
    QVERIFY(p.page()->field(2)->text().contains(u"°C"_s));
    QVERIFY(!p.page()->field(8)->text().isEmpty());
    QVERIFY(!p.page()->picture()->pixmap().isNull());
    // Shown: "Pokaż" waits for another city or day.
    QVERIFY(!show->isEnabled());
    p.page()->dayBox()->setCurrentIndex(0);
    QVERIFY(show->isEnabled());
    const auto log = m_sim->log();
    QVERIFY(!log.isEmpty());
    QCOMPARE(log.last().value(u"method"_s), u"POST"_s);
    QVERIFY(log.last().value(u"query"_s).contains(u"mid=101&date=2026.12.12"_s));
    QVERIFY(messageTexts().isEmpty());
}

void TestWeatherService::failedForecastTellsAndEnablesAgain_data()
{
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<int>("city");
    QTest::newRow("error status") << QStringList{} << 2;
    QTest::newRow("HTTP error") << QStringList{u"--fault"_s, u"http500"_s} << 1;
    QTest::newRow("no marker") << QStringList{u"--fault"_s, u"no-marker"_s} << 1;
}

void TestWeatherService::failedForecastTellsAndEnablesAgain()
{
    QFETCH(QStringList, faults);
    QFETCH(int, city);
    QVERIFY2(startSim(faults), qPrintable(m_sim->error()));
    Program p(m_data, m_sim->serviceBase());
    p.page()->cityBox()->setCurrentIndex(city);
    p.page()->showButton()->click();
    QTRY_VERIFY(p.page()->showButton()->isEnabled());
    QTRY_VERIFY(!messageTexts().isEmpty());
    QVERIFY(messageTexts().first().startsWith(kServerProblem));
    QVERIFY(p.page()->field(0)->text().isEmpty());
}

void TestWeatherService::iconRefreshDrawsAndStores()
{
    QVERIFY2(startSim(), qPrintable(m_sim->error()));
    Program p(m_data, m_sim->serviceBase(), [](Settings& s) { s.pogoda.iconInsteadOfTimeOfDay = true; });
    p.service->refreshIcon(false);
    QVERIFY(!p.service->refreshAvailable());
    QTRY_COMPARE(p.iconsShown, 1);
    QVERIFY(p.service->refreshAvailable());
    QCOMPARE(p.icon.size(), QSize(32, 64));
    QVERIFY(p.hint.contains(u"Pogoda (dzisiaj), Wrocław\nTemperatura od "_s));
    QCOMPARE(p.cancelled, 1);
    QVERIFY(p.service->iconNumber() > 0);
    // Written at once, read back as the next start would.
    bool read = false;
    const IniFile ini = IniFile::load(p.paths.path(PathId::Ustawienia), &read);
    QVERIFY(read);
    QCOMPARE(ini.readInteger(u"Pogoda"_s, u"IkoNr"_s, 0), p.service->iconNumber());
    const IconData stored = IconData::fromText(ini.readString(u"Pogoda"_s, u"IkoDane"_s, QString()));
    QCOMPARE(stored.city, u"Wrocław"_s);
    QCOMPARE(ini.readString(u"Pogoda"_s, u"Dopasuj"_s, QString()), u"1"_s);
}

void TestWeatherService::silentFailureKeepsTheIcon()
{
    QVERIFY2(startSim({u"--fault"_s, u"http500"_s}), qPrintable(m_sim->error()));
    Program p(m_data, m_sim->serviceBase(), [](Settings& s) { s.pogoda.iconInsteadOfTimeOfDay = true; });
    bool done = false;
    bool ok = true;
    connect(p.service.get(), &WeatherService::iconRefreshed, this, [&](bool r) {
        done = true;
        ok = r;
    });
    p.service->refreshIcon(false);
    QTRY_VERIFY(done);
    QVERIFY(!ok);
    QCOMPARE(p.iconsShown, 0);
    QCOMPARE(p.cancelled, 0);
    QVERIFY(p.service->refreshAvailable());
    QTest::qWait(50);
    QVERIFY(messageTexts().isEmpty());
}

void TestWeatherService::startDrawsStoredIconOrSchedules_data()
{
    QTest::addColumn<bool>("fetchAtStart");
    QTest::addColumn<QDate>("fetched");
    QTest::addColumn<int>("storedDay");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<bool>("scheduled");
    QTest::newRow("today's data is drawn") << true << QDate(2026, 12, 10) << 0 << true << false;
    QTest::newRow("yesterday's data is fetched again") << true << QDate(2026, 12, 9) << 0 << false << true;
    QTest::newRow("data of another day is fetched again") << true << QDate(2026, 12, 10) << 1 << false << true;
    QTest::newRow("without fetching at start nothing shows") << false << QDate(2026, 12, 10) << 0 << false << false;
}

void TestWeatherService::startDrawsStoredIconOrSchedules()
{
    QFETCH(bool, fetchAtStart);
    QFETCH(QDate, fetched);
    QFETCH(int, storedDay);
    QFETCH(bool, drawn);
    QFETCH(bool, scheduled);
    // No request is made at all: the service is not even there.
    Program p(m_data, u"http://127.0.0.1:9/serwis.php?l="_s, [&](Settings& s) {
        s.pogoda.iconInsteadOfTimeOfDay = true;
        s.pogoda.iconFetchAtStart = fetchAtStart;
        s.pogoda.iconPicture = 3;
        s.pogoda.iconFetched = toDayTime(QDateTime(fetched, QTime(7, 0)));
        s.pogoda.iconDataDay = storedDay;
        s.pogoda.iconData = IconData{0, u"5 °C"_s, u"-2 °C"_s, u"Opis"_s, u"Wiatr"_s, u"Warunki"_s, u"Opole"_s}.toText();
    });
    QCOMPARE(p.iconsShown, drawn ? 1 : 0);
    QCOMPARE(p.service->iconNumber(), drawn ? 3 : 0);
    QCOMPARE(p.scheduled.size(), scheduled ? 1 : 0);
    if (scheduled)
        QCOMPARE(p.scheduled.first().secsTo(p.clock.now()), 300);
    if (drawn)
        QVERIFY(p.hint.contains(u"Temperatura od -2 °C do 5 °C"_s));
}

void TestWeatherService::iconOffAndOnAgain()
{
    Program p(m_data, u"http://127.0.0.1:9/serwis.php?l="_s, [](Settings& s) {
        s.pogoda.iconInsteadOfTimeOfDay = true;
        s.pogoda.iconFetchAtStart = true;
        s.pogoda.iconPicture = 5;
        s.pogoda.iconFetched = toDayTime(QDateTime(QDate(2026, 12, 10), QTime(7, 0)));
        s.pogoda.iconData = IconData{0, u"5 °C"_s, u"-2 °C"_s, {}, {}, {}, {}}.toText();
    });
    QCOMPARE(p.service->iconNumber(), 5);
    p.service->setIconShown(false);
    QCOMPARE(p.service->iconNumber(), 0);
    QVERIFY(p.icon.isNull());
    p.service->setIconShown(true);
    QCOMPARE(p.service->iconNumber(), 5);
    QVERIFY(!p.icon.isNull());
}

void TestWeatherService::menuOpensTheDaysForecast()
{
    QVERIFY2(startSim(), qPrintable(m_sim->error()));
    Program p(m_data, m_sim->serviceBase());
    int opened = 0;
    p.service->openPage = [&opened] { ++opened; };
    const auto captions = [&p] {
        QStringList out;
        for (QAction* a : p.service->menu()->actions())
            out << a->text();
        return out;
    };
    p.service->popupMenu(QPoint(0, 0));
    // Thursday: three days ahead is a Sunday.
    QCOMPARE(captions(), (QStringList{u"Dziś"_s, u"Jutro"_s, u"Pojutrze"_s, u"Niedziela"_s, u"Poniedziałek"_s}));
    p.service->menu()->hide();
    p.service->setIconShown(true);
    p.service->popupMenu(QPoint(0, 0));
    QCOMPARE(captions().last(), u"Odśwież"_s);
    p.service->menu()->hide();
    p.service->menu()->actions().at(3)->trigger();
    QCOMPARE(opened, 1);
    QCOMPARE(p.page()->dayBox()->currentIndex(), 3);
    QTRY_COMPARE(p.page()->field(0)->text(), u"Wrocław"_s);
    QVERIFY(m_sim->log().last().value(u"query"_s).contains(u"date=2026.12.13"_s));
}

void TestWeatherService::iconSetListAndDeletion()
{
    const QString sets = m_data + u"Gfx/Pogoda/"_s;
    for (int n = 1; n <= 11; ++n) {
        const QString name = u"%1.png"_s.arg(n, 2, 10, QLatin1Char('0'));
        QDir().mkpath(sets + u"Zimowy"_s);
        QImage(32, 64, QImage::Format_RGB32).save(sets + u"Zimowy/"_s + name);
        if (n < 11) {
            QDir().mkpath(sets + u"Niepelny"_s);
            QImage(32, 64, QImage::Format_RGB32).save(sets + u"Niepelny/"_s + name);
        }
    }
    zorvex::test::writeFile(sets + u"Zimowy/Wersja.ini"_s, "1.2\r\n");
    Program p(m_data, u"http://127.0.0.1:9/serwis.php?l="_s, [](Settings& s) { s.pogoda.iconSet = u"Zimowy"_s; });
    QComboBox* box = p.page()->iconSetBox();
    QCOMPARE(box->count(), 2);
    QCOMPARE(box->itemText(1), u"Zimowy"_s);
    QCOMPARE(box->currentIndex(), 1);
    QCOMPARE(box->itemData(1, WeatherPage::kVersionRole).toString(), u"1.2"_s);
    QVERIFY(box->itemData(1, WeatherPage::kAgeRole).toInt() < 25); // written just now: new
    QVERIFY(p.page()->deleteSetButton()->isEnabled());

    QStringList& asked = p.prompts.asked;
    bool& answer = p.prompts.answer;
    answer = false;
    p.service->deleteIconSet();
    QCOMPARE(asked, QStringList{u"Usuwanie ikon pogody: Na pewno usunąć wybrany zestaw ikon pogody?"_s});
    QVERIFY(QDir(sets + u"Zimowy"_s).exists());
    answer = true;
    p.service->deleteIconSet();
    QVERIFY(!QDir(sets + u"Zimowy"_s).exists());
    QVERIFY(QDir(sets + u"Niepelny"_s).exists());
    QCOMPARE(box->count(), 1);
    QCOMPARE(p.settings.pogoda.iconSet, u"Domyślny"_s);
    // The built-in set has no folder to delete.
    QVERIFY(!p.page()->deleteSetButton()->isEnabled());
    p.service->deleteIconSet();
    QCOMPARE(asked.size(), 2);
}

QTEST_MAIN(TestWeatherService)
#include "tst_weatherservice.moc"
