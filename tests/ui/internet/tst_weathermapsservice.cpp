#include "core/app/Settings.h"
#include "core/common/PathTable.h"
#include "platform/internet/NetworkAccess.h"
#include "support/FakeClock.h"
#include "support/FakeInternet.h"
#include "support/FileFixture.h"
#include "support/ServiceSimProcess.h"
#include "ui/common/Messages.h"
#include "ui/internet/WeatherMapsPage.h"
#include "ui/internet/WeatherMapsService.h"
#include "MessageWindows.h"
#include "support/RecordingPrompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QMouseEvent>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

class TestWeatherMapsService : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void shownMapIsCachedAndNotFetchedAgain();
    void failuresOfAMap_data();
    void failuresOfAMap();
    void noListChosenShowsNothing();
    void userListIsEditedAndSaved();
    void largeMapDragsAndFits();

private:
    struct Program;
    std::unique_ptr<QTemporaryDir> m_dir;
    ServiceSimProcess m_sim;
    QString m_data;
};

struct TestWeatherMapsService::Program {
    FakeClock clock{QDateTime(QDate(2026, 12, 10), QTime(9, 0))};
    PathTable paths;
    Settings settings;
    zorvex::test::FakeInterfaceProbe probe;
    NetworkAccess network;
    AnsweringBoxPrompts prompts; // real windows, found by the tests; questions answered Yes
    std::unique_ptr<WeatherMapsService> service;

    Program(const QString& data, const QString& cache, int list)
        : paths(data, u"Jan"_s, QString())
    {
        settings.pogoda.mapList = list;
        prompts.answer = true;
        service = std::make_unique<WeatherMapsService>(
            WeatherMapsContext{clock, paths, settings, probe, network, cache, prompts});
    }
    WeatherMapsPage* page() const { return service->page(); }
    // Shows the map at `index` and waits until it is there or failed.
    bool show(int index)
    {
        page()->mapBox()->setCurrentIndex(index);
        QSignalSpy shown(service.get(), &WeatherMapsService::mapShown);
        service->showMap();
        return shown.count() == 1 || shown.wait(15000);
    }
};

void TestWeatherMapsService::init()
{
    QVERIFY2(m_sim.start(), qPrintable(m_sim.error()));
    m_dir = std::make_unique<QTemporaryDir>();
    m_data = m_dir->filePath(u"dane/"_s);
    QDir().mkpath(m_data);
    const QByteArray base = m_sim.baseUrl().toUtf8();
    zorvex::test::writeFile(m_data + u"Pogoda2.ini"_s,
                            "Temperatura\xFF" + base + "mapy/temperatura_[RRRR][MM][DD].gif\r\n"
                            "Brak\xFF" + base + "mapy/nie-ma_[RRRR].gif\r\n"
                            "Nieznany typ\xFF" + base + "mapy/temperatura_[D].bmp\r\n"
                            "Lokalny plik\xFF" "file:///etc/passwd.gif\r\n"
                            "Zachmurzenie\xFF" + base + "mapy/zachmurzenie_[D].[M].[RRRR].jpg\r\n");
}

void TestWeatherMapsService::cleanup()
{
    zorvex::test::closeMessageWindows();
    m_sim.stop();
}

namespace {
int requestsFor(const ServiceSimProcess& sim, const QString& part)
{
    int n = 0;
    for (const auto& entry : sim.log())
        n += entry.value(u"target"_s).contains(part) ? 1 : 0;
    return n;
}
} // namespace

void TestWeatherMapsService::shownMapIsCachedAndNotFetchedAgain()
{
    Program p(m_data, m_dir->filePath(u"cache"_s), 1);
    QCOMPARE(p.page()->mapBox()->count(), 5);
    QCOMPARE(p.service->selectedUrl(), m_sim.baseUrl() + u"mapy/temperatura_20261210.gif"_s);
    QVERIFY(p.show(0));
    QVERIFY(!p.page()->view()->picture().isNull());
    QCOMPARE(requestsFor(m_sim, u"temperatura_20261210.gif"_s), 1);
    QVERIFY(!p.page()->cancelButton()->isVisible());

    // A second look, and a second program on the same cache: no request.
    p.page()->view()->setPicture(QImage());
    QVERIFY(p.show(0));
    QVERIFY(!p.page()->view()->picture().isNull());
    Program again(m_data, m_dir->filePath(u"cache"_s), 1);
    QVERIFY(again.show(0));
    QVERIFY(!again.page()->view()->picture().isNull());
    QCOMPARE(requestsFor(m_sim, u"temperatura_20261210.gif"_s), 1);

    // Another day is another address; a JPEG decodes by its type.
    p.clock.advanceMs(24 * 3600 * 1000LL);
    QVERIFY(p.show(4));
    QCOMPARE(requestsFor(m_sim, u"zachmurzenie_11.12.2026.jpg"_s), 1);
    QVERIFY(!p.page()->view()->picture().isNull());
}

void TestWeatherMapsService::failuresOfAMap_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("pictureKept");
    QTest::newRow("missing on the server") << 1 << u"Zorvex: Wystąpił problem podczas połączenia z serwerem"_s << true;
    QTest::newRow("type the program cannot show") << 2 << QString() << true;
    QTest::newRow("not a web address") << 3 << u"http:// lub https://"_s << true;
}

void TestWeatherMapsService::failuresOfAMap()
{
    QFETCH(int, index);
    QFETCH(QString, message);
    QFETCH(bool, pictureKept);
    Program p(m_data, m_dir->filePath(u"cache"_s), 1);
    const QImage before(10, 10, QImage::Format_RGB32);
    p.page()->view()->setPicture(before);
    p.page()->mapBox()->setCurrentIndex(index);
    QSignalSpy shown(p.service.get(), &WeatherMapsService::mapShown);
    p.service->showMap();
    if (message.contains(u"serwer"_s))
        QVERIFY(shown.wait(15000));
    const QStringList texts = zorvex::test::messageTexts();
    if (message.isEmpty())
        QVERIFY2(texts.isEmpty(), qPrintable(texts.join(u" / "_s)));
    else
        QVERIFY2(texts.join(u" / "_s).contains(message), qPrintable(texts.join(u" / "_s)));
    QCOMPARE(!p.page()->view()->picture().isNull(), pictureKept);
    QCOMPARE(requestsFor(m_sim, u"passwd"_s) + requestsFor(m_sim, u".bmp"_s), 0);
    QVERIFY(p.page()->showButton()->isEnabled());
}

void TestWeatherMapsService::noListChosenShowsNothing()
{
    Program p(m_data, m_dir->filePath(u"cache"_s), 0);
    QCOMPARE(p.page()->mapBox()->count(), 0);
    QVERIFY(p.service->selectedUrl().isEmpty());
    p.page()->standardAction()->trigger();
    QCOMPARE(p.page()->mapBox()->count(), 5);
    QCOMPARE(p.settings.pogoda.mapList, 1);
}

void TestWeatherMapsService::userListIsEditedAndSaved()
{
    Program p(m_data, m_dir->filePath(u"cache"_s), 1);
    QVERIFY(p.page()->addButton()->isHidden());
    QCOMPARE(p.page()->mapBox()->width(), 348);
    p.page()->userAction()->trigger();
    QCOMPARE(p.settings.pogoda.mapList, 2);
    QVERIFY(!p.page()->addButton()->isHidden());
    QCOMPARE(p.page()->mapBox()->width(), 275);

    QStringList asked;
    p.service->linkDialog = [&](bool change, const QString& name, const QString& link) {
        asked << (change ? u"zmień "_s : u"dodaj "_s) + name + u" "_s + link;
        return WeatherMapsService::LinkAnswer{true, change ? u"Opady 2"_s : u"Opady"_s, u"https://m.pl/o_[RR].png"_s};
    };
    p.service->addLink();
    p.service->addLink();
    QCOMPARE(p.page()->mapBox()->currentIndex(), 1);
    p.service->changeLink();
    QCOMPARE(asked.last(), u"zmień Opady https://m.pl/o_[RR].png"_s);
    QCOMPARE(asked.first(), u"dodaj  http://"_s);
    p.page()->mapBox()->setCurrentIndex(0);
    p.service->removeLink();
    p.service->save();
    QFile saved(p.paths.path(PathId::Pogoda1));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), "Opady 2\xFFhttps://m.pl/o_[RR].png\r\n"_ba);
    QCOMPARE(p.page()->mapBox()->currentIndex(), 0);

    // The standard list kept its own selection.
    p.page()->standardAction()->trigger();
    QCOMPARE(p.page()->mapBox()->count(), 5);
}

void TestWeatherMapsService::largeMapDragsAndFits()
{
    Program p(m_data, m_dir->filePath(u"cache"_s), 1);
    MapView* view = p.page()->view();
    p.page()->resize(700, 300);
    p.page()->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.page()));
    view->setPicture(QImage(800, 600, QImage::Format_RGB32));
    QCOMPARE(view->label()->size(), QSize(800, 600));
    const int x = view->horizontalScrollBar()->value();
    QTest::mousePress(view->label(), Qt::LeftButton, {}, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 70), view->label()->mapToGlobal(QPointF(60, 70)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(view->label(), &move);
    QTest::mouseRelease(view->label(), Qt::LeftButton, {}, QPoint(60, 70));
    QCOMPARE(view->horizontalScrollBar()->value(), x + 40);

    p.page()->fitBox()->setChecked(true);
    QCOMPARE(view->label()->size(), view->viewport()->size() - QSize(3, 3));
    QVERIFY(p.settings.pogoda.fitMapToView);
    p.page()->fitBox()->setChecked(false);
    QCOMPARE(view->label()->size(), QSize(800, 600));

    // A small picture sits in the middle.
    view->setPicture(QImage(20, 10, QImage::Format_RGB32));
    QTRY_COMPARE(view->label()->geometry().center(), view->viewport()->rect().center());
}

QTEST_MAIN(TestWeatherMapsService)
#include "tst_weathermapsservice.moc"
