#include "core/status/DiskCard.h"
#include "core/status/GaugePanel.h"
#include "support/FakeStatusSources.h"

#include <QTest>

namespace zorvex {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint64 MB = 1048576;
constexpr qint64 GB = 1073741824;

const GaugeColours kColours; // red 255, yellow 65535, green 65280

QString levelName(GaugeLevel l)
{
    switch (l) {
    case GaugeLevel::Red:
        return u"red"_s;
    case GaugeLevel::Yellow:
        return u"yellow"_s;
    case GaugeLevel::Green:
        break;
    }
    return u"green"_s;
}

MemoryStatus memory(qint64 ramTotal, qint64 ramFree, qint64 swapTotal, qint64 swapFree)
{
    return MemoryStatus{{ramTotal, ramFree}, {swapTotal, swapFree}};
}

} // namespace

class TestGauges : public QObject {
    Q_OBJECT

private slots:
    void levels_data();
    void levels();
    void gradientBar();
    void solidBar_data();
    void solidBar();
    void rowPlacement();
    void memoryRows_data();
    void memoryRows();
    void rowsChangeOnlyWhenShownValuesDo();
    void cpuRowAndHistory();
    void charts();
    void diskCard_data();
    void diskCard();
    void diskCardTexts();
    void cardPlacement_data();
    void cardPlacement();
};

void TestGauges::levels_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("free");
    QTest::addColumn<QString>("used");
    QTest::addColumn<QString>("cpu");

    QTest::newRow("12") << 12 << u"red"_s << u"green"_s << u"green"_s;
    QTest::newRow("13") << 13 << u"yellow"_s << u"green"_s << u"green"_s;
    QTest::newRow("30") << 30 << u"yellow"_s << u"green"_s << u"green"_s;
    QTest::newRow("31") << 31 << u"green"_s << u"green"_s << u"green"_s;
    QTest::newRow("69") << 69 << u"green"_s << u"green"_s << u"green"_s;
    QTest::newRow("70") << 70 << u"green"_s << u"yellow"_s << u"yellow"_s;
    QTest::newRow("87") << 87 << u"green"_s << u"yellow"_s << u"yellow"_s;
    QTest::newRow("88") << 88 << u"green"_s << u"red"_s << u"yellow"_s;
    QTest::newRow("99") << 99 << u"green"_s << u"red"_s << u"yellow"_s;
    QTest::newRow("100") << 100 << u"green"_s << u"red"_s << u"red"_s;
}

void TestGauges::levels()
{
    QFETCH(int, percent);
    QFETCH(QString, free);
    QFETCH(QString, used);
    QFETCH(QString, cpu);
    QCOMPARE(levelName(freeLevel(percent)), free);
    QCOMPARE(levelName(usedLevel(percent)), used);
    QCOMPARE(levelName(cpuLevel(percent)), cpu);
}

void TestGauges::gradientBar()
{
    GaugeLook look; // green, yellow through the middle, red
    look.fill = colourFromRgb(0, 255, 0);
    look.median = colourFromRgb(255, 255, 0);
    look.gradient = colourFromRgb(255, 0, 0);
    const auto full = gradientSlices(100, 100, 0, 115, look);
    QCOMPARE(full.size(), std::size_t(100));
    QCOMPARE(full[0].left, 0);
    QCOMPARE(full[0].right, 1);
    QCOMPARE(full[49].left, 56);
    QCOMPARE(full[49].right, 57);
    QCOMPARE(full[99].right, 115);
    QCOMPARE(full[0].colour, look.fill);
    QCOMPARE(full[49].colour, look.median);
    QCOMPARE(full[50].colour, look.median);
    QCOMPARE(full[99].colour, look.gradient);
    QCOMPARE(full[24].colour, colourFromRgb(125, 255, 0)); // 24/49 of the way to yellow

    look.useMedian = false;
    const auto straight = gradientSlices(100, 100, 0, 115, look);
    QCOMPARE(straight[0].colour, look.fill);
    QCOMPARE(straight[99].colour, look.gradient);
    QCOMPARE(straight[49].colour, colourFromRgb(126, 129, 0)); // 49/99

    QCOMPARE(gradientSlices(3, 4, 1, 115, look).size(), std::size_t(75));
    // A row without a maximum (no swap) draws nothing.
    QVERIFY(gradientSlices(0, 0, 1, 115, look).empty());
    QVERIFY(gradientSlices(5, 0, 1, 115, look).empty());
    QCOMPARE(gradientSlices(500, 100, 0, 115, look).size(), std::size_t(100));
}

void TestGauges::solidBar_data()
{
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("right");

    QTest::newRow("half") << 50 << 100 << 57;
    QTest::newRow("empty") << 0 << 100 << 0;
    QTest::newRow("a third") << 1 << 3 << 37;
    QTest::newRow("full") << 16000 << 16000 << 115;
    QTest::newRow("no maximum") << 0 << 0 << 0;
}

void TestGauges::solidBar()
{
    QFETCH(int, progress);
    QFETCH(int, max);
    QFETCH(int, right);
    QCOMPARE(solidRight(progress, max, 0, 115), right);
}

void TestGauges::rowPlacement()
{
    QCOMPARE(gaugeRowOf(GaugeKind::Cpu, {1, 2, 3}), 3);
    QCOMPARE(gaugeRowOf(GaugeKind::Ram, {3, 1, 2}), 2);
    // P1 = P2 = P3 = 3: the processor fills row 1, and RAM and swap, named
    // by no position, write to row 1 as well.
    QCOMPARE(gaugeRowOf(GaugeKind::Cpu, {3, 3, 3}), 1);
    QCOMPARE(gaugeRowOf(GaugeKind::Ram, {3, 3, 3}), 1);
    QCOMPARE(gaugeRowOf(GaugeKind::Swap, {3, 3, 1}), 1);
    QCOMPARE(upperGroupCaption({3, 1, 2}), u"Użycie procesora, RAM, Dyski twarde"_s);
    QCOMPARE(lowerGroupCaption({1, 2, 3}, true), u"Użycie procesora, Transfer"_s);
    QCOMPARE(lowerGroupCaption({1, 3, 2}, false), u"SWAP"_s);
}

void TestGauges::memoryRows_data()
{
    QTest::addColumn<bool>("shaded");
    QTest::addColumn<bool>("ramShowsFree");
    QTest::addColumn<bool>("swapShowsFree");
    QTest::addColumn<QString>("ramRow"); // label, progress/max, fill colour, hint
    QTest::addColumn<QString>("swapRow");

    // 16 GB of RAM with 8 % free (1310 MB); 2 GB of swap with 512 MB used.
    QTest::newRow("solid, free RAM: red")
        << false << true << false << u"1310 1310/16384 fill 255 | Wolne miejsce pamięci RAM z 16384 MB"_s
        << u"512 512/2048 fill 65280 | Zajęte miejsce pamięci wirtualnej SWAP z 2048 MB"_s;
    QTest::newRow("solid, used RAM: red all the same")
        << false << false << true << u"15074 15074/16384 fill 255 | Zajęte miejsce pamięci RAM z 16384 MB"_s
        << u"1536 1536/2048 fill 65280 | Wolne miejsce pamięci wirtualnej SWAP z 2048 MB"_s;
    QTest::newRow("shaded: free rows run red to green")
        << true << true << true << u"1310 1310/16384 fill 255 | Wolne miejsce pamięci RAM z 16384 MB"_s
        << u"1536 1536/2048 fill 255 | Wolne miejsce pamięci wirtualnej SWAP z 2048 MB"_s;
    QTest::newRow("shaded: used rows run green to red")
        << true << false << false << u"15074 15074/16384 fill 65280 | Zajęte miejsce pamięci RAM z 16384 MB"_s
        << u"512 512/2048 fill 65280 | Zajęte miejsce pamięci wirtualnej SWAP z 2048 MB"_s;
}

void TestGauges::memoryRows()
{
    QFETCH(bool, shaded);
    QFETCH(bool, ramShowsFree);
    QFETCH(bool, swapShowsFree);
    QFETCH(QString, ramRow);
    QFETCH(QString, swapRow);

    FakeMemorySource mem;
    FakeCpuTimesSource cpu;
    mem.status = memory(16 * GB, 1310 * MB + 5, 2 * GB, 1536 * MB);
    GaugePanel panel(mem, cpu);
    GaugeOptions o;
    o.shaded = shaded;
    o.ramShowsFree = ramShowsFree;
    o.swapShowsFree = swapShowsFree;
    panel.setOptions(o);
    QCOMPARE(panel.sampleMemory(), 3u);
    auto text = [](const GaugeRow& r) {
        return u"%1 %2/%3 fill %4 | %5"_s.arg(r.label).arg(r.progress).arg(r.max).arg(r.look.fill).arg(r.hint);
    };
    QCOMPARE(text(panel.row(1)), ramRow);
    QCOMPARE(text(panel.row(2)), swapRow);
    QCOMPARE(panel.row(1).look.gradientFill, shaded);
}

void TestGauges::rowsChangeOnlyWhenShownValuesDo()
{
    FakeMemorySource mem;
    FakeCpuTimesSource cpu;
    // 15.5 MB of RAM beyond the whole 4 GB: the hint rounds the total up.
    mem.status = memory(4 * GB + MB / 2, 2 * GB, 0, 0);
    GaugePanel panel(mem, cpu);
    GaugeOptions o;
    o.shaded = false;
    panel.setOptions(o);
    QCOMPARE(panel.sampleMemory(), 3u);
    QCOMPARE(panel.row(1).hint, u"Wolne miejsce pamięci RAM z 4097 MB"_s);
    // No swap: 0 shown, nothing divided by zero, the used share reads green.
    QCOMPARE(panel.row(2).label, u"0"_s);
    QCOMPARE(panel.row(2).max, 0);
    QCOMPARE(panel.row(2).look.fill, kColours.green);
    QCOMPARE(panel.row(2).hint, u"Zajęte miejsce pamięci wirtualnej SWAP z 0 MB"_s);

    // Read every 50 ms, rewritten only when a shown figure changes.
    QCOMPARE(panel.sampleMemory(), 0u);
    mem.status->ram.available += 1000;
    QCOMPARE(panel.sampleMemory(), 0u);
    mem.status->ram.available += MB;
    QCOMPARE(panel.sampleMemory(), 1u);
    // Dropping to 10 % free turns the row red.
    mem.status->ram.available = 4 * GB / 10;
    QCOMPARE(panel.sampleMemory(), 1u);
    QCOMPARE(panel.row(1).look.fill, kColours.red);

    // Hidden rows keep their old text; an option change fills them again.
    o.upperShown = false;
    panel.setOptions(o);
    mem.status->ram.available = 3 * GB;
    panel.sampleMemory();
    QCOMPARE(panel.row(1).label, u"409"_s);
    o.upperShown = true;
    panel.setOptions(o);
    QVERIFY(panel.sampleMemory() & 1u);
    QCOMPARE(panel.row(1).label, u"3072"_s);
    QVERIFY(!panel.sampleMemory());
    mem.status.reset();
    QCOMPARE(panel.sampleMemory(), 0u);
}

void TestGauges::cpuRowAndHistory()
{
    FakeMemorySource mem;
    FakeCpuTimesSource cpu;
    mem.status = memory(16 * GB, 4 * GB, 2 * GB, GB);
    cpu.readings = {CpuTimes{1000, 10000}, CpuTimes{1050, 10200}, CpuTimes{1050, 10400}, std::nullopt};
    GaugePanel panel(mem, cpu);
    GaugeOptions o;
    o.shaded = false;
    o.historyOn = true;
    panel.setOptions(o);
    panel.sampleMemory();

    // The first reading shows nothing.
    QCOMPARE(panel.sampleCpu(), 0u);
    QVERIFY(!panel.cpuPercent());
    QCOMPARE(panel.sampleCpu(), 4u);
    QCOMPARE(panel.cpuPercent(), std::optional<int>(75));
    QCOMPARE(panel.row(3).label, u"75"_s);
    QCOMPARE(panel.row(3).hint, u"Użycie procesora [%]"_s);
    QCOMPARE(panel.row(3).look.fill, kColours.yellow);
    QCOMPARE(panel.history().cpu()[0], 75);
    QCOMPARE(panel.history().ram()[0], 25);  // free
    QCOMPARE(panel.history().swap()[0], 50); // used

    QCOMPARE(panel.sampleCpu(), 4u);
    QCOMPARE(panel.row(3).look.fill, kColours.red);
    QCOMPARE(panel.history().cpu()[0], 100);
    QCOMPARE(panel.history().cpu()[1], 75);
    // A failed reading skips the sample.
    QCOMPARE(panel.sampleCpu(), 0u);
    QCOMPARE(panel.history().cpu()[0], 100);

    o.historyOn = false;
    panel.setOptions(o);
    QCOMPARE(panel.history().cpu()[0], 0);
}

void TestGauges::charts()
{
    UsageHistory h;
    h.step(50, 10, 90);
    h.step(100, 20, 80);
    const auto left = usagechart::bars(h.cpu(), usagechart::Kind::Cpu, false, true);
    QCOMPARE(left.size(), std::size_t(62));
    QCOMPARE(left[0].left, 370);
    QCOMPARE(left[0].right, 376);
    QCOMPARE(left[0].height, 80);
    QCOMPARE(levelName(left[0].level), u"red"_s);
    QCOMPARE(left[1].height, 40);
    QCOMPARE(levelName(left[1].level), u"green"_s);
    const auto right = usagechart::bars(h.ram(), usagechart::Kind::Ram, true, false);
    QCOMPARE(right[0].left, 65);
    QCOMPARE(right[61].right, 376);
    QCOMPARE(levelName(right[0].level), u"yellow"_s);
    QCOMPARE(levelName(right[1].level), u"red"_s);
    const auto swap = usagechart::bars(h.swap(), usagechart::Kind::Swap, false, false);
    QCOMPARE(levelName(swap[0].level), u"yellow"_s);
    QCOMPARE(levelName(swap[1].level), u"red"_s);

    QCOMPARE(usagechart::timeAxis(false).front().text, u"4"_s);
    QCOMPARE(usagechart::timeAxis(true).front().text, u"60"_s);
    QCOMPARE(usagechart::timeAxis(true).back().x, 362);
    QCOMPARE(usagechart::valueAxis(usagechart::Kind::Ram, 15935),
             (std::array<QString, 3>{u"11951"_s, u"7968"_s, u"3984"_s}));
    QCOMPARE(usagechart::valueAxis(usagechart::Kind::Cpu, 0)[0], u"75"_s);
    QCOMPARE(usagechart::axisTitle(usagechart::Kind::Swap, false), u"Zajęte [MB]"_s);
    QCOMPARE(usagechart::caption(usagechart::Kind::Ram, true), u"Wolne miejsce pamięci RAM"_s);
}

void TestGauges::diskCard_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("removableGb");
    QTest::addColumn<qint64>("free");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<bool>("removable");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("barWidth"); // solid bar in a 202-pixel picture
    QTest::addColumn<QString>("level");

    QTest::newRow("600 KB free: no bar") << 0 << false << qint64(600 * 1024) << 100 * GB << false << u"0,00"_s
                                         << 600.0 * 1024 / double(100 * GB) * 100 << 0 << u"red"_s;
    QTest::newRow("1.5 MB free on 2 TB: 1 %") << 0 << false << qint64(3 * MB / 2) << 2048 * GB << false
                                              << u"1,00"_s << 1.0 << 2 << u"red"_s;
    QTest::newRow("7 MB free") << 0 << false << 7 * MB << 10 * MB << false << u"7,00"_s << 70.0 << 140
                               << u"green"_s;
    QTest::newRow("12 MB free") << 0 << false << 12 * MB + 1 << 48 * MB << false << u"12"_s << 25.0 << 50
                                << u"yellow"_s;
    QTest::newRow("used MB") << 1 << false << 10 * GB << 40 * GB << false << u"30720"_s << 75.0 << 150
                             << u"yellow"_s;
    QTest::newRow("free GB") << 2 << false << 12 * GB + GB / 3 << 100 * GB << false << u"12,33"_s << 12.333 << 25
                             << u"red"_s;
    QTest::newRow("removable in GB among MB") << 0 << true << 3 * GB / 2 << 8 * GB << true << u"1,50 GB"_s
                                              << 18.75 << 38 << u"yellow"_s;
    QTest::newRow("removable in MB among GB") << 3 << false << GB << 8 * GB << true << u"7168 MB"_s << 87.5 << 175
                                              << u"yellow"_s;
    QTest::newRow("removable, same unit") << 0 << false << 5 * MB + MB / 2 << 8 * GB << true << u"5,50"_s
                                          << 1.0 << 2 << u"red"_s;
    QTest::newRow("no media") << 0 << false << qint64(0) << qint64(0) << true << QString() << 0.0 << 0 << u"green"_s;
}

void TestGauges::diskCard()
{
    QFETCH(int, mode);
    QFETCH(bool, removableGb);
    QFETCH(qint64, free);
    QFETCH(qint64, total);
    QFETCH(bool, removable);
    QFETCH(QString, amount);
    QFETCH(double, percent);
    QFETCH(int, barWidth);
    QFETCH(QString, level);

    DiskCardOptions o;
    o.mode = mode;
    o.removable = true;
    o.removableGb = removableGb;
    const DiskCard card = buildDiskCard({DriveInfo{u"/"_s, removable, total > 0, free, total}}, o);
    QCOMPARE(card.rows.size(), std::size_t(1));
    const DiskCardRow& r = card.rows[0];
    QCOMPARE(r.amount, amount);
    QVERIFY(qAbs(r.percent - percent) < 0.001);
    QCOMPARE(r.hasBar, total > 0);
    QCOMPARE(diskSolidBar(r, 202, 16).width(), barWidth);
    if (r.hasBar) {
        QCOMPARE(levelName(r.level), level);
        QCOMPARE(int(diskShadedBar(r, 202, mode, kColours).size()), int(std::lround(percent)));
    }
}

void TestGauges::diskCardTexts()
{
    const std::vector<DriveInfo> drives{{u"/"_s, false, true, 20 * GB, 100 * GB},
                                        {u"/media/jan/PENDRIVE"_s, true, true, GB, 8 * GB},
                                        {u"/media/jan/CARD"_s, true, false, 0, 0}};
    DiskCardOptions o;
    const DiskCard fixedOnly = buildDiskCard(drives, o);
    QCOMPARE(fixedOnly.labelText, u"Wolne miejsce [MB]\r/"_s);
    QCOMPARE(fixedOnly.changeKey, u"Wolne miejsce [MB]\r/: 20480 "_s);
    QCOMPARE(fixedOnly.lineCount, 2);

    o.mode = 2;
    o.removable = true;
    o.sum = true;
    const DiskCard all = buildDiskCard(drives, o);
    QCOMPARE(all.labelText, u"Wolne miejsce [GB] \r/\r/media/jan/PENDRIVE\r/media/jan/CARD\r  "_s);
    QCOMPARE(all.lineCount, 5);
    QCOMPARE(all.rows.size(), std::size_t(4));
    const DiskCardRow& sum = all.rows.back();
    QVERIFY(sum.isSum);
    QCOMPARE(sum.free, 21 * GB);
    QCOMPARE(sum.total, 108 * GB);
    QCOMPARE(sum.amount, u"21,00"_s);
    // The removable drive without media: its name and no bar.
    QVERIFY(!all.rows[2].hasBar);
    QVERIFY(all.rows[2].amount.isEmpty());
    QVERIFY(diskSolidBar(all.rows[2], 202, 48).isEmpty());
    QCOMPARE(diskCardTitle(3), u"Zajęte miejsce [GB] "_s);
}

void TestGauges::cardPlacement_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<int>("corner");
    QTest::addColumn<int>("barsX");

    // A 1920 x 1080 screen and a 150 x 70 card.
    QTest::newRow("lower right") << QPoint(1800, 1050) << QPoint(1645, 975) << int(DiskCardCorner::BottomRight) << 18;
    QTest::newRow("upper right") << QPoint(1800, 20) << QPoint(1645, 25) << int(DiskCardCorner::TopRight) << 18;
    QTest::newRow("upper left") << QPoint(20, 20) << QPoint(32, 27) << int(DiskCardCorner::TopLeft) << 33;
    QTest::newRow("lower left") << QPoint(20, 1050) << QPoint(28, 977) << int(DiskCardCorner::BottomLeft) << 33;
    QTest::newRow("on both half lines the last row wins")
        << QPoint(960, 540) << QPoint(968, 467) << int(DiskCardCorner::BottomLeft) << 33;
    QTest::newRow("on the vertical half line, upper") << QPoint(960, 100) << QPoint(972, 107)
                                                      << int(DiskCardCorner::TopLeft) << 33;
}

void TestGauges::cardPlacement()
{
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, topLeft);
    QFETCH(int, corner);
    QFETCH(int, barsX);
    const DiskCardPlacement p = placeDiskCard(pointer, QRect(0, 0, 1920, 1080), QSize(150, 70));
    QCOMPARE(p.topLeft, topLeft);
    QCOMPARE(int(p.corner), corner);
    QCOMPARE(p.barsX, barsX);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestGauges)
#include "tst_status_gauges.moc"
