#include "core/app/WindowSnap.h"

#include <QTest>

#include <optional>

using namespace zorvex;

Q_DECLARE_METATYPE(std::optional<QRect>)
Q_DECLARE_METATYPE(zorvex::StoredBounds)
Q_DECLARE_METATYPE(zorvex::WindowState)

namespace {

// A 1920 x 1080 screen with a 40-pixel panel at the bottom.
const QRect kScreen(0, 0, 1920, 1080);
const QRect kWorkArea(0, 0, 1920, 1040);
const QSize kMinimum(200, 150);
// The main window in its bottom-right and top-left corners.
const QRect kMainBottomRight(1773, 758, 147, 282);
const QRect kMainTopLeft(0, 0, 147, 282);

} // namespace

class TestWindowSnap : public QObject {
    Q_OBJECT
private slots:
    void snap_data();
    void snap();
    void restored_data();
    void restored();
    void toStore_data();
    void toStore();
};

void TestWindowSnap::snap_data()
{
    QTest::addColumn<QRect>("proposed");
    QTest::addColumn<QRect>("old");
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<std::optional<QRect>>("mainWindow");
    QTest::addColumn<QRect>("expected");

    const std::optional<QRect> none;
    const QRect old(500, 400, 400, 300);

    // Moves: the whole window shifts, its size stays.
    QTest::newRow("move in the open stays") << QRect(520, 410, 400, 300) << old << kWorkArea << none
                                            << QRect(520, 410, 400, 300);
    QTest::newRow("left 7 px from work area snaps") << QRect(7, 410, 400, 300) << old << kWorkArea << none
                                                    << QRect(0, 410, 400, 300);
    QTest::newRow("left 8 px from work area stays") << QRect(8, 410, 400, 300) << old << kWorkArea << none
                                                    << QRect(8, 410, 400, 300);
    QTest::newRow("left past the work area snaps back") << QRect(-5, 410, 400, 300) << old << kWorkArea << none
                                                        << QRect(0, 410, 400, 300);
    QTest::newRow("top snaps") << QRect(520, 6, 400, 300) << old << kWorkArea << none << QRect(520, 0, 400, 300);
    QTest::newRow("right snaps to work area") << QRect(1526, 410, 400, 300) << old << kWorkArea << none
                                              << QRect(1520, 410, 400, 300);
    QTest::newRow("bottom snaps to work area above the panel")
        << QRect(520, 745, 400, 300) << old << kWorkArea << none << QRect(520, 740, 400, 300);
    QTest::newRow("bottom near the screen edge snaps to the screen")
        << QRect(520, 778, 400, 300) << old << kWorkArea << none << QRect(520, 780, 400, 300);
    // Work area and screen both within reach: the screen test comes later
    // and wins.
    QTest::newRow("screen top applies after work area top")
        << QRect(520, 6, 400, 300) << old << QRect(0, 4, 1920, 1036) << none << QRect(520, 0, 400, 300);
    QTest::newRow("top panel: work area top, not the screen")
        << QRect(520, 26, 400, 300) << old << QRect(0, 30, 1920, 1050) << none << QRect(520, 30, 400, 300);

    // Docking to the main window.
    QTest::newRow("docks left of the main window")
        << QRect(1368, 700, 400, 300) << old << kWorkArea << std::optional<QRect>(kMainBottomRight)
        << QRect(1373, 700, 400, 300);
    QTest::newRow("no dock without vertical overlap")
        << QRect(1368, 100, 400, 300) << old << kWorkArea << std::optional<QRect>(kMainBottomRight)
        << QRect(1368, 100, 400, 300);
    QTest::newRow("no dock while the main window is hidden")
        << QRect(1368, 700, 400, 300) << old << kWorkArea << none << QRect(1368, 700, 400, 300);
    QTest::newRow("docks below the main window")
        << QRect(50, 286, 400, 300) << old << kWorkArea << std::optional<QRect>(kMainTopLeft)
        << QRect(50, 282, 400, 300);
    QTest::newRow("docks right of the main window")
        << QRect(152, 300, 400, 300) << old << kWorkArea << std::optional<QRect>(QRect(0, 200, 147, 282))
        << QRect(147, 300, 400, 300);
    QTest::newRow("docks above the main window")
        << QRect(1500, 455, 400, 300) << old << kWorkArea << std::optional<QRect>(kMainBottomRight)
        << QRect(1500, 458, 400, 300);

    // Resizes: only dragged edges move.
    QTest::newRow("left edge below minimum keeps the right edge")
        << QRect(750, 400, 150, 300) << old << kWorkArea << none << QRect(700, 400, 200, 300);
    QTest::newRow("right edge below minimum keeps the left edge")
        << QRect(500, 400, 150, 300) << old << kWorkArea << none << QRect(500, 400, 200, 300);
    QTest::newRow("top edge below minimum keeps the bottom edge")
        << QRect(500, 600, 400, 100) << old << kWorkArea << none << QRect(500, 550, 400, 150);
    QTest::newRow("dragged right edge snaps alone")
        << QRect(1000, 400, 915, 300) << QRect(1000, 400, 400, 300) << kWorkArea << none
        << QRect(1000, 400, 920, 300);
    QTest::newRow("dragged left edge snaps alone")
        << QRect(5, 400, 495, 300) << QRect(100, 400, 400, 300) << kWorkArea << none << QRect(0, 400, 500, 300);
    QTest::newRow("edge that was not dragged stays near the border")
        << QRect(3, 400, 450, 300) << QRect(3, 400, 400, 300) << kWorkArea << none << QRect(3, 400, 450, 300);
    QTest::newRow("edge snap never goes below the minimum")
        << QRect(1725, 400, 201, 300) << QRect(1725, 400, 210, 300) << kWorkArea << none
        << QRect(1725, 400, 201, 300);
}

void TestWindowSnap::snap()
{
    QFETCH(QRect, proposed);
    QFETCH(QRect, old);
    QFETCH(QRect, workArea);
    QFETCH(std::optional<QRect>, mainWindow);
    QFETCH(QRect, expected);

    const QRect result = snapWindow({proposed, old, kMinimum, workArea, kScreen, mainWindow});
    QCOMPARE(result, expected);
    // After a move the helper sees its own result as the next move: it must
    // stay put rather than creep.
    if (proposed.size() == old.size())
        QCOMPARE(snapWindow({result, result, kMinimum, workArea, kScreen, mainWindow}), result);
}

void TestWindowSnap::restored_data()
{
    QTest::addColumn<StoredBounds>("stored");
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("nothing stored: centred in the work area") << StoredBounds{} << kWorkArea << QRect(710, 320, 500, 400);
    QTest::newRow("centred below a top panel")
        << StoredBounds{} << QRect(0, 30, 1920, 1050) << QRect(710, 355, 500, 400);
    QTest::newRow("stored size, no position: centred")
        << StoredBounds{-1, -1, 600, 300, false} << kWorkArea << QRect(660, 370, 600, 300);
    QTest::newRow("only X stored: centred") << StoredBounds{100, -1, -1, -1, false} << kWorkArea
                                            << QRect(710, 320, 500, 400);
    QTest::newRow("stored inside the screen") << StoredBounds{100, 50, 640, 480, false} << kWorkArea
                                              << QRect(100, 50, 640, 480);
    QTest::newRow("off the right edge: pulled back")
        << StoredBounds{1800, 50, 500, 400, false} << kWorkArea << QRect(1420, 50, 500, 400);
    QTest::newRow("off the bottom: pulled back") << StoredBounds{100, 2000, 500, 400, false} << kWorkArea
                                                 << QRect(100, 680, 500, 400);
    QTest::newRow("left of the screen: pulled back")
        << StoredBounds{-300, -20, 500, 400, false} << kWorkArea << QRect(0, 0, 500, 400);
    QTest::newRow("larger than the screen: cut to it")
        << StoredBounds{10, 10, 3000, 2000, false} << kWorkArea << QRect(0, 0, 1920, 1080);
    QTest::newRow("below the minimum: raised") << StoredBounds{100, 100, 50, 40, false} << kWorkArea
                                               << QRect(100, 100, 200, 150);
}

void TestWindowSnap::restored()
{
    QFETCH(StoredBounds, stored);
    QFETCH(QRect, workArea);
    QFETCH(QRect, expected);
    QCOMPARE(restoredBounds(stored, QSize(500, 400), kMinimum, workArea, kScreen), expected);
}

void TestWindowSnap::toStore_data()
{
    QTest::addColumn<WindowState>("state");
    QTest::addColumn<StoredBounds>("expected");

    const StoredBounds previous{10, 20, 300, 200, false};
    QTest::newRow("normal: the current rectangle") << WindowState::Normal << StoredBounds{40, 50, 640, 480, false};
    QTest::newRow("maximized: last normal rectangle, M set")
        << WindowState::Maximized << StoredBounds{10, 20, 300, 200, true};
    QTest::newRow("minimized: nothing changes") << WindowState::Minimized << previous;
}

void TestWindowSnap::toStore()
{
    QFETCH(WindowState, state);
    QFETCH(StoredBounds, expected);
    const StoredBounds b = boundsToStore(QRect(40, 50, 640, 480), state, StoredBounds{10, 20, 300, 200, false});
    QCOMPARE(b.x, expected.x);
    QCOMPARE(b.y, expected.y);
    QCOMPARE(b.w, expected.w);
    QCOMPARE(b.h, expected.h);
    QCOMPARE(b.maximized, expected.maximized);
}

QTEST_GUILESS_MAIN(TestWindowSnap)
#include "tst_windowsnap.moc"
