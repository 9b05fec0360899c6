#include "core/media/PanelRules.h"

#include <QTest>

using namespace zorvex;

class TestPanelRules : public QObject {
    Q_OBJECT

private slots:
    void volumeOfPositions_data();
    void volumeOfPositions();
    void tinting_data();
    void tinting();
    void hits_data();
    void hits();
    void knobs();
};

void TestPanelRules::volumeOfPositions_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("volume");
    for (int p : {0, 3, 7})
        QTest::addRow("low %d", p) << p << 0;
    for (int p : {45, 50, 53})
        QTest::addRow("high %d", p) << p << 100;
    QTest::newRow("middle") << 26 << 50;
}

void TestPanelRules::volumeOfPositions()
{
    QFETCH(int, position);
    QFETCH(int, volume);
    QCOMPARE(panel::volumeAt(position), volume);
}

void TestPanelRules::tinting_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("grey");
    QTest::addColumn<int>("result");
    QTest::newRow("white, dark channel lifted") << 30 << 255 << 78;
    QTest::newRow("mid grey") << 200 << 128 << 73;
    QTest::newRow("black clamps") << 200 << 0 << 0;
    QTest::newRow("white takes the colour") << 180 << 255 << 180;
}

void TestPanelRules::tinting()
{
    QFETCH(int, channel);
    QFETCH(int, grey);
    QFETCH(int, result);
    QCOMPARE(panel::tintChannel(channel, grey), result);
}

void TestPanelRules::hits_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("switchHalf");
    QTest::addColumn<bool>("slider");
    QTest::newRow("previous") << 3 << 8 << 0 << -1 << false;
    QTest::newRow("next") << 70 << 8 << 4 << -1 << false;
    QTest::newRow("beyond the buttons") << 76 << 8 << -1 << -1 << false;
    QTest::newRow("slider") << 90 << 9 << -1 << -1 << true;
    QTest::newRow("player half") << 138 << 9 << -1 << 0 << false;
    QTest::newRow("radio half") << 138 << 10 << -1 << 1 << false;
}

void TestPanelRules::hits()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, button);
    QFETCH(int, switchHalf);
    QFETCH(bool, slider);
    QCOMPARE(panel::buttonAt(x, y), button);
    QCOMPARE(panel::switchAt(x, y), switchHalf);
    QCOMPARE(panel::inSlider(x, y), slider);
}

void TestPanelRules::knobs()
{
    // Nothing loaded: a maximum of 0 puts the knob at the start.
    QCOMPARE(panel::knobForSeek(10, 0), panel::kTrackLeft);
    QCOMPARE(panel::knobForSeek(0, 200), 77);
    QCOMPARE(panel::knobForSeek(200, 200), 115);
    QCOMPARE(panel::knobForSeek(500, 200), 115);
    QCOMPARE(panel::knobForVolume(100), 115);
    QCOMPARE(panel::seekAt(45, 200.0), 200);
    QCOMPARE(panel::seekAt(26, 200.0), 100);
}

QTEST_GUILESS_MAIN(TestPanelRules)
#include "tst_panelrules.moc"
