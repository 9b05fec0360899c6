#include "core/app/WindowLayout.h"

#include <QTest>

namespace zorvex {

namespace {

PanelVisibility visibility(bool top, bool text, bool memory, bool cpu, bool playback)
{
    PanelVisibility v;
    v.topPanel = top;
    v.textPanel = text;
    v.memoryRows = memory;
    v.cpuRow = cpu;
    v.playbackPanel = playback;
    return v;
}

std::array<int, 3> order(const QList<int>& pg)
{
    return {pg.value(0), pg.value(1), pg.value(2)};
}

bool shapeContains(const std::vector<QRect>& spans, QPoint p)
{
    for (const QRect& r : spans) {
        if (r.contains(p))
            return true;
    }
    return false;
}

} // namespace

class TestShellLayout : public QObject {
    Q_OBJECT

private slots:
    void clientHeight_data();
    void clientHeight();
    void stackFillsTheWindowForEveryCombination();
    void panelOffsets_data();
    void panelOffsets();
    void topAreas_data();
    void topAreas();
    void windowShape_data();
    void windowShape();
    void placement_data();
    void placement();
    void dragging_data();
    void dragging();
};

void TestShellLayout::clientHeight_data()
{
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("memory");
    QTest::addColumn<bool>("cpu");
    QTest::addColumn<bool>("playback");
    QTest::addColumn<int>("height");

    QTest::newRow("everything") << true << true << true << true << true << 265;
    QTest::newRow("defaults: no playback") << true << true << true << true << false << 246;
    QTest::newRow("no top panel") << false << true << true << true << true << 201;
    QTest::newRow("no text panel") << true << false << true << true << true << 246;
    QTest::newRow("neither top nor text") << false << false << true << true << true << 182;
    QTest::newRow("memory rows hidden") << true << true << false << true << true << 237;
    QTest::newRow("cpu row hidden") << true << true << true << false << true << 251;
    QTest::newRow("both kinds hidden") << true << true << false << false << true << 219;
    QTest::newRow("smallest") << false << false << false << false << false << 117;
    QTest::newRow("no top, cpu hidden, no playback") << false << true << true << false << false << 168;
}

void TestShellLayout::clientHeight()
{
    QFETCH(bool, top);
    QFETCH(bool, text);
    QFETCH(bool, memory);
    QFETCH(bool, cpu);
    QFETCH(bool, playback);
    QFETCH(int, height);
    const PanelVisibility v = visibility(top, text, memory, cpu, playback);
    QCOMPARE(zorvex::clientHeight(v), height);
    QCOMPARE(computeLayout(v, {1, 2, 3}).clientHeight, height);
}

// The height formula and the stacked panels must agree, or a strip of the
// window stays empty or a panel is cut off. With both kinds of information
// rows hidden the formula keeps one spare pixel.
void TestShellLayout::stackFillsTheWindowForEveryCombination()
{
    for (int bits = 0; bits < 32; ++bits) {
        const PanelVisibility v = visibility(bits & 1, bits & 2, bits & 4, bits & 8, bits & 16);
        for (const auto& pg : {std::array<int, 3>{1, 2, 3}, std::array<int, 3>{3, 2, 1}, std::array<int, 3>{2, 3, 1}}) {
            const WindowLayout l = computeLayout(v, pg);
            int bottom = l.monthGrid.bottom() + 1;
            for (const PanelSlot* s : {&l.textPanel, &l.infoPanel, &l.playbackPanel}) {
                if (s->visible)
                    bottom = std::max(bottom, s->top + s->height);
            }
            const int spare = (!v.memoryRows && !v.cpuRow) ? 1 : 0;
            QVERIFY2(bottom + spare == l.clientHeight, qPrintable(QStringLiteral("combination %1").arg(bits)));
        }
    }
}

void TestShellLayout::panelOffsets_data()
{
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("memory");
    QTest::addColumn<bool>("cpu");
    QTest::addColumn<bool>("playback");
    QTest::addColumn<QList<int>>("pg");
    // -1 marks a hidden panel.
    QTest::addColumn<int>("textTop");
    QTest::addColumn<int>("infoTop");
    QTest::addColumn<int>("infoHeight");
    QTest::addColumn<int>("playbackTop");

    QTest::newRow("default order") << true << true << true << true << QList<int>{1, 2, 3} << 180 << 199 << 47 << 246;
    QTest::newRow("playback first") << true << true << true << true << QList<int>{3, 1, 2} << 199 << 218 << 47 << 180;
    QTest::newRow("info first, playback hidden")
        << true << true << true << false << QList<int>{2, 3, 1} << 227 << 180 << 47 << -1;
    QTest::newRow("top panel hidden") << false << true << true << true << QList<int>{1, 2, 3} << 116 << 135 << 47 << 182;
    QTest::newRow("cpu row only") << true << false << true << true << QList<int>{2, 1, 3} << 199 << 180 << 19 << 218;
    QTest::newRow("memory rows only") << true << true << false << true << QList<int>{1, 2, 3} << 180 << 199 << 33 << 232;
    QTest::newRow("no information rows") << true << false << false << true << QList<int>{2, 1, 3} << 180 << -1 << 0 << 199;
    // A panel named twice keeps its first place; the one nobody names goes
    // last instead of vanishing.
    QTest::newRow("repeated position") << true << true << true << true << QList<int>{1, 1, 3} << 180 << 218 << 47 << 199;
    QTest::newRow("all the same") << true << true << true << true << QList<int>{2, 2, 2} << 227 << 180 << 47 << 246;
}

void TestShellLayout::panelOffsets()
{
    QFETCH(bool, top);
    QFETCH(bool, memory);
    QFETCH(bool, cpu);
    QFETCH(bool, playback);
    QFETCH(QList<int>, pg);
    QFETCH(int, textTop);
    QFETCH(int, infoTop);
    QFETCH(int, infoHeight);
    QFETCH(int, playbackTop);

    const WindowLayout l = computeLayout(visibility(top, true, memory, cpu, playback), order(pg));
    auto check = [](const PanelSlot& slot, int expectedTop, int expectedHeight) {
        QCOMPARE(slot.visible, expectedTop >= 0);
        if (expectedTop >= 0) {
            QCOMPARE(slot.top, expectedTop);
            QCOMPARE(slot.height, expectedHeight);
        }
    };
    check(l.textPanel, textTop, kTextPanelHeight);
    check(l.infoPanel, infoTop, infoHeight);
    check(l.playbackPanel, playbackTop, kPlaybackPanelHeight);
}

void TestShellLayout::topAreas_data()
{
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("zodiac");
    QTest::addColumn<QRect>("clock");
    QTest::addColumn<QRect>("sign");
    QTest::addColumn<int>("captionTop");

    QTest::newRow("with the sign") << true << true << QRect(32, 4, 115, 24) << QRect(32, 30, 115, 34) << 64;
    QTest::newRow("without the sign") << true << false << QRect(32, 7, 115, 50) << QRect() << 64;
    QTest::newRow("top panel hidden") << false << true << QRect() << QRect() << 0;
}

void TestShellLayout::topAreas()
{
    QFETCH(bool, top);
    QFETCH(bool, zodiac);
    QFETCH(QRect, clock);
    QFETCH(QRect, sign);
    QFETCH(int, captionTop);

    PanelVisibility v;
    v.topPanel = top;
    v.zodiac = zodiac;
    const WindowLayout l = computeLayout(v, {1, 2, 3});
    QCOMPARE(l.clock, clock);
    QCOMPARE(l.zodiac, sign);
    QCOMPARE(l.timeOfDayPicture, top ? QRect(0, 0, 32, 64) : QRect());
    QCOMPARE(l.captionRow, QRect(0, captionTop, 147, 19));
    QCOMPARE(l.monthGrid, QRect(0, captionTop + 19, 147, 97));
}

void TestShellLayout::windowShape_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("inside");

    QTest::newRow("top-left corner") << QPoint(0, 0) << false;
    QTest::newRow("top-right corner") << QPoint(146, 0) << false;
    QTest::newRow("top edge middle") << QPoint(73, 0) << true;
    QTest::newRow("left edge below the corner") << QPoint(0, 8) << true;
    QTest::newRow("right edge below the corner") << QPoint(146, 8) << true;
    QTest::newRow("beyond the width") << QPoint(147, 100) << false;
    // The shape is taller than any window, so the window's bottom corners
    // stay square.
    QTest::newRow("bottom-left of the tallest window") << QPoint(0, 264) << true;
    QTest::newRow("bottom-right of the tallest window") << QPoint(146, 264) << true;
    QTest::newRow("shape's own bottom corner") << QPoint(0, 280) << false;
    QTest::newRow("below the shape") << QPoint(73, 281) << false;
}

void TestShellLayout::windowShape()
{
    QFETCH(QPoint, point);
    QFETCH(bool, inside);
    QCOMPARE(shapeContains(mainWindowShape(kMainWindowWidth), point), inside);
}

void TestShellLayout::placement_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QPoint>("own");
    QTest::addColumn<QPoint>("expected");

    const QRect full(0, 0, 1920, 1040);         // taskbar at the bottom
    const QRect shifted(60, 30, 1860, 1050);    // panels at the left and top
    QTest::newRow("top-left") << 1 << full << QPoint() << QPoint(0, 0);
    QTest::newRow("top-right") << 2 << full << QPoint() << QPoint(1773, 0);
    QTest::newRow("bottom-left") << 3 << full << QPoint() << QPoint(0, 775);
    QTest::newRow("bottom-right") << 4 << full << QPoint() << QPoint(1773, 775);
    QTest::newRow("top-left, shifted work area") << 1 << shifted << QPoint() << QPoint(60, 30);
    QTest::newRow("bottom-right, shifted work area") << 4 << shifted << QPoint() << QPoint(1773, 815);
    QTest::newRow("top-right, shifted work area") << 2 << shifted << QPoint() << QPoint(1773, 30);
    QTest::newRow("own position") << 5 << full << QPoint(500, 400) << QPoint(500, 400);
    QTest::newRow("own, partly off screen") << 5 << full << QPoint(1900, -100) << QPoint(1900, -100);
    // A position on a monitor that is gone would leave the window unreachable.
    QTest::newRow("own, wholly off screen") << 5 << full << QPoint(3000, 2000) << QPoint(1773, 775);
    QTest::newRow("own, wholly off to the top-left") << 5 << shifted << QPoint(-800, -900) << QPoint(60, 30);
}

void TestShellLayout::placement()
{
    QFETCH(int, mode);
    QFETCH(QRect, workArea);
    QFETCH(QPoint, own);
    QFETCH(QPoint, expected);
    const QRect screen(0, 0, 1920, 1080);
    QCOMPARE(placeWindow(mode, QSize(147, 265), workArea, own, screen), expected);
}

void TestShellLayout::dragging_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("allowed");

    QTest::newRow("own position") << 5 << false << true;
    QTest::newRow("own position, locked") << 5 << true << false;
    QTest::newRow("corner") << 4 << false << false;
    QTest::newRow("corner, locked") << 1 << true << false;
}

void TestShellLayout::dragging()
{
    QFETCH(int, mode);
    QFETCH(bool, locked);
    QFETCH(bool, allowed);
    QCOMPARE(dragAllowed(mode, locked), allowed);
}

} // namespace zorvex

QTEST_APPLESS_MAIN(zorvex::TestShellLayout)
#include "tst_shell_layout.moc"
