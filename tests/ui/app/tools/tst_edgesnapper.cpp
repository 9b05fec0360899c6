#include "ui/common/EdgeSnapper.h"
#include "ui/common/WindowBounds.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

using namespace zorvex;

class TestEdgeSnapper : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void snaps_data();
    void snaps();
    void snapsOnceAtRest();
    void storedBounds_data();
    void storedBounds();
};

void TestEdgeSnapper::initTestCase()
{
    if (!EdgeSnapper::supported())
        QSKIP("this window system does not let programs place windows");
}

void TestEdgeSnapper::snaps_data()
{
    QTest::addColumn<QPoint>("moveTo");
    QTest::addColumn<bool>("besideMain"); // x counted from the spot just left of the main window
    QTest::addColumn<bool>("mainShowing");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("in the open") << QPoint(100, 120) << false << true << QPoint(100, 120);
    QTest::newRow("near the left edge") << QPoint(5, 120) << false << true << QPoint(0, 120);
    QTest::newRow("docks to the main window") << QPoint(-5, 120) << true << true << QPoint(0, 120);
    QTest::newRow("main window hidden: no dock") << QPoint(-5, 120) << true << false << QPoint(-5, 120);
}

void TestEdgeSnapper::snaps()
{
    QFETCH(QPoint, moveTo);
    QFETCH(bool, besideMain);
    QFETCH(bool, mainShowing);
    QFETCH(QPoint, expected);

    // Positions are outer (frame) positions, as the snapping works on them.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget main;
    main.resize(147, 282);
    main.move(area.x() + 500, area.y() + 50);
    if (mainShowing) {
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
    }
    QWidget w;
    w.setMinimumSize(100, 80);
    w.resize(300, 200);
    w.move(area.x() + 150, area.y() + 150);
    auto* snapper = new EdgeSnapper(&w);
    snapper->setDockTarget(&main);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QPoint origin = area.topLeft();
    if (besideMain)
        origin.setX(main.frameGeometry().left() - w.frameGeometry().width());
    w.move(origin + moveTo);
    snapper->settle();
    QCOMPARE(w.pos(), origin + expected);
    QCOMPARE(w.size(), QSize(300, 200));
}

void TestEdgeSnapper::snapsOnceAtRest()
{
    // Without an explicit settle the snap comes once the window rests.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget w;
    w.setGeometry(area.x() + 150, area.y() + 150, 300, 200);
    new EdgeSnapper(&w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.move(area.x() + 150, area.y() + 4);
    QTRY_COMPARE(w.pos(), QPoint(area.x() + 150, area.y()));
}

Q_DECLARE_METATYPE(zorvex::StoredBounds)

void TestEdgeSnapper::storedBounds_data()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTest::addColumn<StoredBounds>("stored");
    QTest::addColumn<QRect>("expected"); // outer position, inner size

    QTest::newRow("nothing stored: centred")
        << StoredBounds{} << QRect(area.x() + (area.width() - 320) / 2, area.y() + (area.height() - 240) / 2, 320, 240);
    QTest::newRow("stored") << StoredBounds{area.x() + 30, area.y() + 40, 400, 300, false}
                            << QRect(area.x() + 30, area.y() + 40, 400, 300);
    QTest::newRow("beyond the right edge: pulled back")
        << StoredBounds{screen.right() + 100, area.y() + 40, 400, 300, false}
        << QRect(screen.x() + screen.width() - 400, area.y() + 40, 400, 300);
}

void TestEdgeSnapper::storedBounds()
{
    QFETCH(StoredBounds, stored);
    QFETCH(QRect, expected);
    QWidget w;
    applyStoredBounds(&w, stored, QSize(320, 240));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(QRect(w.pos(), w.size()), expected);
    // Closing writes back what reopens the window at the same place.
    const StoredBounds back = currentBounds(&w, stored);
    QCOMPARE(QRect(back.x, back.y, back.w, back.h), expected);
    QVERIFY(!back.maximized);
}

QTEST_MAIN(TestEdgeSnapper)
#include "tst_edgesnapper.moc"
