#include "core/status/MonthChart.h"
#include "core/status/TransferChart.h"

#include <QTest>

namespace zorvex {

using namespace Qt::Literals::StringLiterals;

class TestCharts : public QObject {
    Q_OBJECT

private slots:
    void columns();
    void columnUnderPointer_data();
    void columnUnderPointer();
    void barHeights_data();
    void barHeights();
    void hintFollowsMovesWithinAColumn();
    void historyKeepsOneSamplePerColumn();
    void newestSampleInTheLastColumn();
    void scaleAndTexts_data();
    void scaleAndTexts();
};

void TestCharts::columns()
{
    QCOMPARE(monthchart::columnLeft(1), 65);
    QCOMPARE(monthchart::columnLeft(15), 205);
    QCOMPARE(monthchart::columnLeft(31), 365);
    QCOMPARE(monthchart::plotHeight(263), monthchart::kFullHeight);
    QCOMPARE(monthchart::dayLabels().front(), 2);
    QCOMPARE(monthchart::dayLabels().back(), 30);
}

void TestCharts::columnUnderPointer_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<int>("column"); // 0: none

    QTest::newRow("in the margin") << QPoint(66, 100) << 0;
    QTest::newRow("first column") << QPoint(67, 100) << 1;
    QTest::newRow("end of the first") << QPoint(75, 100) << 1;
    QTest::newRow("second column") << QPoint(76, 100) << 2;
    QTest::newRow("last day at the plot's bottom") << QPoint(366, 217) << 31;
    QTest::newRow("under the plot") << QPoint(100, 218) << 0;
}

void TestCharts::columnUnderPointer()
{
    QFETCH(QPoint, pointer);
    QFETCH(int, column);
    QCOMPARE(monthchart::columnAt(pointer).value_or(0), column);
}

void TestCharts::barHeights_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<qint64>("largest");
    QTest::addColumn<int>("height");

    QTest::newRow("an empty month") << qint64(0) << qint64(0) << 0;
    QTest::newRow("no largest day") << qint64(5) << qint64(0) << 0;
    QTest::newRow("half") << qint64(50) << qint64(100) << 108;
    QTest::newRow("the largest") << qint64(100) << qint64(100) << 216;
    QTest::newRow("a third") << qint64(1) << qint64(3) << 72;
    QTest::newRow("64-bit values") << qint64(3000000000LL) << qint64(6000000000LL) << 108;
}

void TestCharts::barHeights()
{
    QFETCH(qint64, value);
    QFETCH(qint64, largest);
    QFETCH(int, height);
    QCOMPARE(monthchart::barHeight(value, largest), height);
}

void TestCharts::hintFollowsMovesWithinAColumn()
{
    ChartHintTracker t;
    QCOMPARE(t.move(QPoint(90, 50), 31), std::nullopt); // into column 3
    QCOMPARE(t.move(QPoint(91, 60), 31), std::optional<int>(3));
    QCOMPARE(t.move(QPoint(100, 60), 31), std::nullopt); // column 4
    QCOMPARE(t.move(QPoint(101, 60), 31), std::optional<int>(4));
    QCOMPARE(t.move(QPoint(30, 60), 31), std::nullopt); // the margin
    QCOMPARE(t.move(QPoint(101, 60), 31), std::nullopt);
    QCOMPARE(t.move(QPoint(102, 60), 31), std::optional<int>(4));
    // February has no day 30.
    QCOMPARE(t.move(QPoint(360, 60), 29), std::nullopt);
    QCOMPARE(t.move(QPoint(361, 60), 29), std::nullopt);
}

void TestCharts::historyKeepsOneSamplePerColumn()
{
    TransferHistory h;
    h.setCapacity(transferColumns(235, false));
    QCOMPARE(h.capacity(), 220);
    for (int i = 1; i <= 300; ++i)
        h.add(i, 2 * i);
    QCOMPARE(int(h.samples().size()), 220);
    QCOMPARE(h.newest().received, qint64(300));
    QCOMPARE(h.samples().back().received, qint64(81));
    QCOMPARE(h.lines().front(), u"300|600"_s);
    // A narrower window drops the oldest.
    h.setCapacity(10);
    QCOMPARE(int(h.samples().size()), 10);
    QCOMPARE(h.samples().back().received, qint64(291));
    QCOMPARE(transferColumns(235, true), 235);
}

void TestCharts::newestSampleInTheLastColumn()
{
    TransferHistory h;
    h.setCapacity(transferColumns(40, false));
    for (int i = 0; i < 100; ++i)
        h.add(100, 50);
    const TransferChartLayout l = layoutTransferChart(h, 40, 115, {});
    QCOMPARE(l.columns.size(), std::size_t(25));
    QCOMPARE(l.columns.front().x, 39);
    QCOMPARE(l.columns.back().x, 15);
    QCOMPARE(l.plotHeight, 100);
    // Received behind, sent in front.
    QCOMPARE(l.columns.front().backHeight, 100);
    QCOMPARE(l.columns.front().frontHeight, 50);

    TransferChartOptions front;
    front.receivedInFront = true;
    front.hideMax = true;
    const TransferChartLayout f = layoutTransferChart(h, 40, 115, front);
    QCOMPARE(f.leftStrip, 0);
    QCOMPARE(f.columns.front().backHeight, 50);
    QCOMPARE(f.columns.front().frontHeight, 100);
    QVERIFY(f.maxText.isEmpty());
}

void TestCharts::scaleAndTexts_data()
{
    QTest::addColumn<qint64>("received");
    QTest::addColumn<int>("limitKb"); // 0: no limit
    QTest::addColumn<QSize>("client");
    QTest::addColumn<qint64>("scale");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("maxText");
    QTest::addColumn<QString>("sentText");

    QTest::newRow("no traffic") << qint64(0) << 0 << QSize(235, 115) << qint64(1) << 0 << u"MAX: 0 B"_s
                                << u"W: 0 B"_s;
    QTest::newRow("whole kilobytes lose their ,00") << qint64(2048) << 0 << QSize(235, 115) << qint64(2048) << 100
                                                    << u"MAX: 2 KB"_s << u"W: 0 B"_s;
    QTest::newRow("a limit of 7 KB/s with 14 KB/s") << qint64(14336) << 7 << QSize(235, 115) << qint64(7168) << 200
                                                    << u"MAX: 7 KB"_s << u"W: 0 B"_s;
    QTest::newRow("low window: no MAX prefix") << qint64(1536) << 0 << QSize(235, 79) << qint64(1536) << 64
                                               << u"1,50 KB"_s << u"W: 0 B"_s;
    QTest::newRow("narrow window: no sent rate") << qint64(1536) << 0 << QSize(124, 115) << qint64(1536) << 100
                                                 << u"MAX: 1,50 KB"_s << QString();
}

void TestCharts::scaleAndTexts()
{
    QFETCH(qint64, received);
    QFETCH(int, limitKb);
    QFETCH(QSize, client);
    QFETCH(qint64, scale);
    QFETCH(int, height);
    QFETCH(QString, maxText);
    QFETCH(QString, sentText);

    TransferHistory h;
    h.setCapacity(transferColumns(client.width(), false));
    h.add(received, 0);
    TransferChartOptions o;
    o.limit = limitKb > 0;
    o.limitKb = limitKb;
    const TransferChartLayout l = layoutTransferChart(h, client.width(), client.height(), o);
    QCOMPARE(l.scale, scale);
    QCOMPARE(l.columns.front().backHeight, height);
    QCOMPARE(l.maxText, maxText);
    QCOMPARE(l.sentText, sentText);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestCharts)
#include "tst_status_charts.moc"
