#include "FakeStatusValues.h"
#include "core/app/TrayIconModel.h"

#include <QTest>

namespace zorvex {

namespace {

using test::kMb;
using FakeValues = test::FakeStatusValues;

MemoryFigures mb(qint64 total, qint64 available)
{
    return {total * kMb, available * kMb};
}

} // namespace

class TestShellTrayIcon : public QObject {
    Q_OBJECT

private slots:
    void levelIndex_data();
    void levelIndex();
    void levelPictures_data();
    void levelPictures();
    void transferText_data();
    void transferText();
    void transferColour();
    void choice_data();
    void choice();
    void unknownValuesNoSwapAndTraffic();
    void missingFeatureShowsTheDay_data();
    void missingFeatureShowsTheDay();
    void click_data();
    void click();
    void twoQuickClicks_data();
    void twoQuickClicks();
};

void TestShellTrayIcon::levelIndex_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("level");

    QTest::newRow("empty") << 0.0 << 0;
    QTest::newRow("just below the first step") << 0.0909 << 0;
    QTest::newRow("first step") << 1.0 / 11.0 + 1e-9 << 1;
    QTest::newRow("half") << 0.5 << 5;
    QTest::newRow("almost full") << 0.99 << 10;
    QTest::newRow("full") << 1.0 << 11;
    QTest::newRow("over full") << 1.7 << 11;
    QTest::newRow("negative") << -0.3 << 0;
    QTest::newRow("not a number") << std::nan("") << 0;
}

void TestShellTrayIcon::levelIndex()
{
    QFETCH(double, fraction);
    QFETCH(int, level);
    QCOMPARE(trayLevelIndex(fraction), level);
}

void TestShellTrayIcon::levelPictures_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("darkWidth");

    QTest::newRow("icon 0 all dark") << 0 << 10;
    QTest::newRow("icon 1") << 1 << 9;
    QTest::newRow("icon 9") << 9 << 1;
    QTest::newRow("icon 10 full colour") << 10 << 0;
    QTest::newRow("icon 11 full colour") << 11 << 0;
}

void TestShellTrayIcon::levelPictures()
{
    QFETCH(int, level);
    QFETCH(int, darkWidth);
    QCOMPARE(trayLevelColourRect(), QRect(3, 2, 10, 11));
    const QRect dark = trayLevelDarkRect(level);
    QCOMPARE(dark.width(), darkWidth);
    if (darkWidth > 0)
        QCOMPARE(dark, QRect(3, 2, darkWidth, 11));
}

void TestShellTrayIcon::transferText_data()
{
    QTest::addColumn<qint64>("kb");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("points");

    QTest::newRow("one digit") << qint64(7) << QStringLiteral("7") << 10;
    QTest::newRow("two digits") << qint64(42) << QStringLiteral("42") << 10;
    QTest::newRow("three digits") << qint64(512) << QStringLiteral("512") << 7;
    QTest::newRow("four digits cut") << qint64(1234) << QStringLiteral("12..") << 7;
    QTest::newRow("large cut") << qint64(98765) << QStringLiteral("98..") << 7;
    QTest::newRow("zero") << qint64(0) << QStringLiteral("0") << 10;
}

void TestShellTrayIcon::transferText()
{
    QFETCH(qint64, kb);
    QFETCH(QString, text);
    QFETCH(int, points);
    const TransferIconText t = transferIconText(kb);
    QCOMPARE(t.text, text);
    QCOMPARE(t.pointSize, points);
}

void TestShellTrayIcon::transferColour()
{
    QCOMPARE(transferTextColour(colourFromRgb(255, 255, 255)), colourFromRgb(250, 250, 250));
    QCOMPARE(transferTextColour(0), 0);
    QCOMPARE(transferTextColour(colourFromRgb(255, 255, 254)), colourFromRgb(255, 255, 254));
}

void TestShellTrayIcon::choice_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("ramFree");
    QTest::addColumn<bool>("swapFree");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("value"); // day or level

    // RAM 1000 MB of which 250 free; SWAP 2000 MB of which 1500 free (500
    // used); CPU 64 %.
    QTest::newRow("day number") << 0 << true << false << int(TrayIconChoice::Day) << 17;
    QTest::newRow("cpu") << 1 << true << false << int(TrayIconChoice::Level) << 7;
    QTest::newRow("free ram") << 2 << true << false << int(TrayIconChoice::Level) << 2;
    QTest::newRow("used ram") << 2 << false << false << int(TrayIconChoice::Level) << 8;
    QTest::newRow("used swap") << 3 << true << false << int(TrayIconChoice::Level) << 2;
    QTest::newRow("free swap") << 3 << true << true << int(TrayIconChoice::Level) << 8;
    QTest::newRow("no icon") << 4 << true << false << int(TrayIconChoice::None) << 0;
}

void TestShellTrayIcon::choice()
{
    QFETCH(int, mode);
    QFETCH(bool, ramFree);
    QFETCH(bool, swapFree);
    QFETCH(int, kind);
    QFETCH(int, value);

    FakeValues v;
    v.ramFigures = mb(1000, 250);
    v.swapFigures = mb(2000, 1500);
    v.cpu = 64;
    TrayIconInputs in;
    in.mode = mode;
    in.today = 17;
    in.ramShowsFree = ramFree;
    in.swapShowsFree = swapFree;
    const TrayIconChoice c = chooseTrayIcon(in, v);
    QCOMPARE(int(c.kind), kind);
    if (c.kind == TrayIconChoice::Day)
        QCOMPARE(c.day, value);
    if (c.kind == TrayIconChoice::Level)
        QCOMPARE(c.level, value);
}

// Unknown values and a machine without swap must not break the icon.
void TestShellTrayIcon::unknownValuesNoSwapAndTraffic()
{
    FakeValues v;
    TrayIconInputs in;
    in.mode = 3;
    v.swapFigures = mb(0, 0);
    QCOMPARE(chooseTrayIcon(in, v).level, 0);
    in.mode = 1;
    QCOMPARE(chooseTrayIcon(in, v).level, 0); // CPU not sampled yet

    in.mode = 5;
    v.trafficFigures = TrafficFigures{3000, 9, {}, {}, {}, {}, {}};
    QCOMPARE(chooseTrayIcon(in, v).transfer.text, QStringLiteral("?")); // statistic off
    v.trafficOn = true;
    QCOMPARE(chooseTrayIcon(in, v).transfer.text, QStringLiteral("30.."));
    in.transferDirection = 1;
    const TrayIconChoice sent = chooseTrayIcon(in, v);
    QCOMPARE(sent.transfer.text, QStringLiteral("9"));
    QCOMPARE(sent.transfer.pointSize, 10);
}

void TestShellTrayIcon::missingFeatureShowsTheDay_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("missingFeature"); // StatusFeature

    QTest::newRow("cpu") << 1 << int(StatusFeature::Gauges);
    QTest::newRow("ram, the default mode") << 2 << int(StatusFeature::Gauges);
    QTest::newRow("swap") << 3 << int(StatusFeature::Gauges);
    QTest::newRow("transfer") << 5 << int(StatusFeature::Traffic);
}

// Not an empty gauge or "?" for good: the day number, until the feature
// exists. Another missing feature changes nothing.
void TestShellTrayIcon::missingFeatureShowsTheDay()
{
    QFETCH(int, mode);
    QFETCH(int, missingFeature);
    const auto missing = StatusFeature(missingFeature);
    FakeValues v;
    v.ramFigures = mb(1000, 500);
    v.absent = {missing};
    TrayIconInputs in;
    in.mode = mode;
    in.today = 9;
    const TrayIconChoice c = chooseTrayIcon(in, v);
    QCOMPARE(int(c.kind), int(TrayIconChoice::Day));
    QCOMPARE(c.day, 9);

    v.absent = {missing == StatusFeature::Gauges ? StatusFeature::Traffic : StatusFeature::Gauges};
    QVERIFY(chooseTrayIcon(in, v).kind != TrayIconChoice::Day);
    // Through the base class: nothing is provided.
    QCOMPARE(int(chooseTrayIcon(in, StatusValues()).kind), int(TrayIconChoice::Day));
}

void TestShellTrayIcon::click_data()
{
    QTest::addColumn<bool>("showing");
    QTest::addColumn<bool>("foreground");
    QTest::addColumn<bool>("trayMinimize");
    QTest::addColumn<bool>("hide");

    QTest::newRow("shown in front, minimize on") << true << true << true << true;
    QTest::newRow("shown in front, minimize off") << true << true << false << false;
    QTest::newRow("shown behind others") << true << false << true << false;
    QTest::newRow("hidden") << false << false << true << false;
    QTest::newRow("hidden, stale foreground flag") << false << true << true << false;
}

void TestShellTrayIcon::click()
{
    QFETCH(bool, showing);
    QFETCH(bool, foreground);
    QFETCH(bool, trayMinimize);
    QFETCH(bool, hide);
    const TrayClickOutcome o = trayClick(showing, foreground, trayMinimize);
    QCOMPARE(o.hide, hide);
    QCOMPARE(o.foregroundAfter, !hide);
}

void TestShellTrayIcon::twoQuickClicks_data()
{
    QTest::addColumn<bool>("trayMinimize");
    QTest::addColumn<bool>("shownAfterSecond");

    QTest::newRow("minimize on") << true << false;
    QTest::newRow("minimize off") << false << true;
}

// The second click sees the flag the first one refreshed, not the one of
// the last periodic check.
void TestShellTrayIcon::twoQuickClicks()
{
    QFETCH(bool, trayMinimize);
    QFETCH(bool, shownAfterSecond);
    bool showing = true;
    bool foreground = false; // behind another window at the last check
    for (int i = 0; i < 2; ++i) {
        const TrayClickOutcome o = trayClick(showing, foreground, trayMinimize);
        showing = !o.hide;
        foreground = o.foregroundAfter;
        if (i == 0)
            QVERIFY(showing);
    }
    QCOMPARE(showing, shownAfterSecond);
}

} // namespace zorvex

QTEST_APPLESS_MAIN(zorvex::TestShellTrayIcon)
#include "tst_shell_trayicon.moc"
