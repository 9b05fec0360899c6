#include "core/app/Settings.h"
#include "core/common/PathTable.h"
#include "core/status/StatusText.h"
#include "support/FakeClock.h"
#include "support/FakeStatusSources.h"
#include "ui/common/Messages.h"
#include "ui/common/QtColour.h"
#include "ui/status/GaugeArea.h"
#include "ui/status/MonthChartView.h"
#include "ui/status/StatusService.h"
#include "ui/status/TrafficPages.h"
#include "ui/status/TransferChartWindow.h"
#include "ui/status/UptimePages.h"
#include "support/RecordingPrompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace zorvex {

using namespace Qt::Literals::StringLiterals;

namespace {

// The statistics over fakes on a temporary data folder.
struct Fixture {
    Fixture()
        : clock(QDateTime(QDate(2024, 3, 12), QTime(10, 0)))
        , paths(dir.path() + u"/"_s, u"Jan"_s, dir.path() + u"/Sentencje.ini"_s)
    {
        NetInterfaceRow eth;
        eth.index = 2;
        eth.name = u"enp3s0"_s;
        eth.mac = QByteArray::fromHex("1c1b0daabbcc");
        eth.received = 1000;
        eth.ipv4 = 0xC0A8010Au;
        interfaces.table = std::vector<NetInterfaceRow>{eth};
        settings.siec.active = true;
        service = std::make_unique<StatusService>(clock, paths, settings,
                                                  StatusSourceSet{records, pointer, interfaces, cpu, memory, drives});
    }
    void second(quint64 received)
    {
        interfaces.row(u"enp3s0"_s)->received = received;
        clock.advanceMs(1000);
        service->tick(TickStep::UptimePage, clock.now());
    }

    QTemporaryDir dir;
    FakeClock clock;
    PathTable paths;
    Settings settings;
    FakeUptimeRecordSource records;
    FakePointerSource pointer;
    FakeNetInterfaceSource interfaces;
    FakeCpuTimesSource cpu;
    FakeMemorySource memory;
    FakeDriveSource drives;
    std::unique_ptr<StatusService> service;
};

QColor pixel(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

} // namespace

class TestStatusWindows : public QObject {
    Q_OBJECT

private slots:
    void monthChartColumns_data();
    void monthChartColumns();
    void newestTransferSampleIsInTheLastColumn();
    void costFieldsRefuseWhatIsNotANumber_data();
    void costFieldsRefuseWhatIsNotANumber();
    void trafficTotalsFollowTheLiveCountWithoutStoredDays();
    void lowRamFillsRedWhicheverAmountTheRowShows_data();
    void lowRamFillsRedWhicheverAmountTheRowShows();
};

void TestStatusWindows::monthChartColumns_data()
{
    QTest::addColumn<int>("day");
    QTest::newRow("first") << 1;
    QTest::newRow("fifteenth") << 15;
    QTest::newRow("last of a long month") << 31;
}

void TestStatusWindows::monthChartColumns()
{
    QFETCH(int, day);
    MonthChartView view;
    MonthChartView::Content c;
    c.year = 2024;
    c.month = 3;
    c.bars = valueBars({{day, 500}}, 500);
    view.setContent(c);
    const QImage image = view.picture();
    const int bottom = MonthChartView::kHeight - 47 - 1;
    const int left = monthchart::columnLeft(day);
    // The outline's bright green on both edges, the fill in between, and
    // nothing of the bar one pixel outside its 11 columns.
    QCOMPARE(pixel(image, left, bottom - 100), QColor(0, 255, 0));
    QCOMPARE(pixel(image, left + 10, bottom - 100), QColor(0, 255, 0));
    QCOMPARE(pixel(image, left + 5, bottom - 100), QColor(0, 128, 0));
    QVERIFY(pixel(image, left - 1, bottom - 100) != QColor(0, 255, 0));
    QVERIFY(pixel(image, left + 11, bottom - 100) != QColor(0, 255, 0));
    // The full height is 216 pixels for the largest day.
    QCOMPARE(pixel(image, left + 5, bottom - 214), QColor(0, 128, 0));
    QVERIFY(pixel(image, left + 5, bottom - 217) != QColor(0, 128, 0));
}

void TestStatusWindows::newestTransferSampleIsInTheLastColumn()
{
    Settings settings;
    TransferChartWindow chart(settings.siecWykres);
    chart.resize(235, 115);
    chart.addSample(0, 0);
    chart.addSample(2048, 1024); // newest
    const QImage image = chart.picture();
    const int plotBottom = 115 - 15 - 1;
    const QColor received = toQColor(settings.siecWykres.colours[2]);
    const QColor sent = toQColor(settings.siecWykres.colours[3]);
    // The newest sample fills the picture's last column to the top; sent
    // in front up to half the height, received above it.
    QCOMPARE(pixel(image, 234, plotBottom), sent);
    QCOMPARE(pixel(image, 234, plotBottom - 60), received);
    QCOMPARE(pixel(image, 234, 1), received);
    // The column before it holds the silent second.
    QVERIFY(pixel(image, 233, plotBottom) != received && pixel(image, 233, plotBottom) != sent);
    // The capacity follows the width: every column right of the strip.
    QCOMPARE(chart.history().capacity(), transferColumns(235, false));
}

void TestStatusWindows::costFieldsRefuseWhatIsNotANumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused"); // the user is told why
    QTest::newRow("comma") << u"0,25"_s << 0.25 << u"0,25"_s << false;
    QTest::newRow("point") << u"0.5"_s << 0.5 << u"0.5"_s << false;
    QTest::newRow("letters") << u"abc"_s << 0.1847 << u"0,1847"_s << true;
    QTest::newRow("empty") << QString() << 0.1847 << u"0,1847"_s << true;
}

void TestStatusWindows::costFieldsRefuseWhatIsNotANumber()
{
    QFETCH(QString, typed);
    QFETCH(double, stored);
    QFETCH(QString, shown);
    QFETCH(bool, refused);
    Fixture f;
    f.settings.uptimeCost.pricePerKwh = 0.3;
    RecordingPrompts prompts;
    UptimePages pages(*f.service, f.settings, prompts);
    auto* price = pages.byMonth()->findChild<QLineEdit*>(u"UptimePrice"_s);
    QVERIFY(price);
    price->setText(typed);
    emit price->editingFinished();
    QCOMPARE(f.settings.uptimeCost.pricePerKwh, stored);
    QCOMPARE(price->text(), shown);
    QCOMPARE(prompts.messages.size(), refused ? 1 : 0);
    QVERIFY(pages.byMonth()->findChild<QLabel*>(u"UptimeCost"_s)->text().startsWith(u"Razem: "_s));
}

void TestStatusWindows::trafficTotalsFollowTheLiveCountWithoutStoredDays()
{
    Fixture f;
    f.service->start(f.paths.path(PathId::Autozapis), false);
    TrafficPages pages(*f.service, f.settings);
    auto* total = pages.byDay()->findChild<QLabel*>(u"TrafficTotal"_s);
    QVERIFY(total);
    f.second(1000 + 3 * 1048576);
    QCOMPARE(total->text(), u"Łącznie od dnia 12.03.2024 do dzisiejszego: 3,00 MB"_s);
    QCOMPARE(pages.now()->findChild<QLabel*>(u"TrafficTotalIn"_s)->text(), u"3,00 MB"_s);
}

void TestStatusWindows::lowRamFillsRedWhicheverAmountTheRowShows_data()
{
    QTest::addColumn<bool>("showsFree");
    QTest::newRow("free") << true;
    QTest::newRow("used") << false;
}

void TestStatusWindows::lowRamFillsRedWhicheverAmountTheRowShows()
{
    QFETCH(bool, showsFree);
    Fixture f;
    f.settings.main.shadedGauges = false;
    f.settings.main.ramPanelShowsFree = showsFree;
    f.memory.status = MemoryStatus{{100LL * 1048576, 8LL * 1048576}, {}};
    f.service->applyOptions();
    f.service->start(f.paths.path(PathId::Autozapis), false);
    QWidget panel;
    panel.resize(147, 47);
    GaugeArea area(*f.service, f.settings, f.dir.path(), &panel);
    panel.show();
    GaugeBar* bar = area.bar(1);
    QCOMPARE(bar->row().label, showsFree ? u"8"_s : u"92"_s);
    QImage image(bar->size(), QImage::Format_RGB32);
    bar->render(&image);
    QCOMPARE(pixel(image, 3, 7), toQColor(f.settings.main.gaugeLowColour));
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestStatusWindows)
#include "tst_status_windows.moc"
