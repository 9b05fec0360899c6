#include "core/app/Settings.h"
#include "core/app/TraySettings.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "support/FakeClock.h"
#include "ui/app/MainWindow.h"
#include "ui/app/TrayIcon.h"
#include "ui/app/TrayIconPictures.h"
#include "support/RecordingPrompts.h"

#include <QSignalSpy>
#include <QTest>

namespace zorvex {

namespace {

constexpr qint64 kMb = 1048576;

// The gauges run; nothing else does.
struct FakeValues : StatusValues {
    std::optional<MemoryFigures> ramFigures;
    bool provides(StatusFeature f) const override { return f == StatusFeature::Gauges; }
    std::optional<MemoryFigures> ram() const override { return ramFigures; }
};

struct Fixture {
    Settings settings;
    TraySettings tray;
    RecordingPrompts prompts;
    PathTable paths{QStringLiteral("/tmp/zorvex-test/"), QStringLiteral("Tester"), QString()};
    std::unique_ptr<MainWindow> window;

    MainWindow& make()
    {
        window = std::make_unique<MainWindow>(paths, settings, tray, prompts);
        return *window;
    }
};

QColor rgb(Colour c)
{
    return QColor(colourRed(c), colourGreen(c), colourBlue(c));
}

} // namespace

class TestUiTray : public QObject {
    Q_OBJECT

private slots:
    void levelPictures_data();
    void levelPictures();
    void transferPicture_data();
    void transferPicture();
    void dayPicturesDiffer();
    void levelIconsPreparedOncePerModeAndColour();
    void hintFollowsValues();
    void defaultModeBeforeTheGauges();
    void clicks_data();
    void clicks();
    void noIconMode();
    void balloonClickNamesItsSource();
};

void TestUiTray::levelPictures_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("lastDarkColumn"); // 2 when none is dark

    QTest::newRow("0") << 0 << 12;
    QTest::newRow("5") << 5 << 7;
    QTest::newRow("9") << 9 << 3;
    QTest::newRow("10") << 10 << 2;
    QTest::newRow("11") << 11 << 2;
}

void TestUiTray::levelPictures()
{
    QFETCH(int, level);
    QFETCH(int, lastDarkColumn);
    const Colour green = 65280;
    const QImage img = TrayIconPictures::levelPicture(level, green);
    QCOMPARE(img.size(), QSize(16, 16));
    for (int x = 3; x <= 12; ++x) {
        for (int y : {2, 7, 12}) {
            const QColor expected = x <= lastDarkColumn ? rgb(kTrayLevelDark) : rgb(green);
            QCOMPARE(img.pixelColor(x, y), expected);
        }
    }
    // Outside the square the base picture stays.
    QCOMPARE(img.pixelColor(8, 13), TrayIconPictures::basePicture().pixelColor(8, 13));
}

void TestUiTray::transferPicture_data()
{
    QTest::addColumn<Colour>("colour");
    QTest::addColumn<QColor>("drawn");

    QTest::newRow("black") << Colour(0) << QColor(0, 0, 0);
    QTest::newRow("red") << Colour(255) << QColor(255, 0, 0);
    QTest::newRow("white becomes near white") << Colour(16777215) << QColor(250, 250, 250);
}

void TestUiTray::transferPicture()
{
    QFETCH(Colour, colour);
    QFETCH(QColor, drawn);
    const QImage img = TrayIconPictures::transferPicture(transferIconText(qint64(12345)), colour);
    QCOMPARE(img.size(), QSize(16, 16));
    QCOMPARE(img.pixelColor(0, 0).alpha(), 0);
    int textPixels = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.alpha() == 0)
                continue;
            // No anti-aliasing: every drawn pixel has the text colour.
            QCOMPARE(c, drawn);
            ++textPixels;
        }
    }
    QVERIFY(textPixels > 0);
}

void TestUiTray::dayPicturesDiffer()
{
    QVERIFY(TrayIconPictures::dayPicture(1) != TrayIconPictures::dayPicture(31));
    QVERIFY(TrayIconPictures::dayPicture(11) != TrayIconPictures::dayPicture(17));
}

void TestUiTray::levelIconsPreparedOncePerModeAndColour()
{
    Fixture f;
    f.settings.main.trayIconKind = 2;
    MainWindow& w = f.make();
    TrayIcon* tray = w.trayIcon();
    FakeValues v;
    tray->setStatusValues(&v);
    const int builds = tray->pictures().levelBuilds();
    for (int free = 0; free <= 1000; free += 100) {
        v.ramFigures = MemoryFigures{1000 * kMb, free * kMb};
        tray->update();
        QCOMPARE(tray->choice().level, trayLevelIndex(free / 1000.0));
    }
    QCOMPARE(tray->pictures().levelBuilds(), builds);

    f.settings.main.trayFreeRamColour = 255;
    tray->applySettings();
    QCOMPARE(tray->pictures().levelBuilds(), builds + 1);
    f.settings.main.trayIconKind = 1;
    tray->applySettings();
    QCOMPARE(tray->pictures().levelBuilds(), builds + 2);
    tray->applySettings();
    QCOMPARE(tray->pictures().levelBuilds(), builds + 2);
}

void TestUiTray::hintFollowsValues()
{
    Fixture f;
    f.tray.hintPattern = QStringLiteral("Zorvex|RAM: [RAM]|[CPU]");
    MainWindow& w = f.make();
    TrayIcon* tray = w.trayIcon();
    QCOMPARE(tray->hint(), QStringLiteral("Zorvex"));
    FakeValues v;
    v.ramFigures = MemoryFigures{1000 * kMb, 300 * kMb};
    tray->setStatusValues(&v);
    QCOMPARE(tray->hint(), QStringLiteral("Zorvex\nRAM: 300\n?"));
    QCOMPARE(tray->systemTrayIcon()->toolTip(), tray->hint());
    // A changed value reaches the hint within a second.
    v.ramFigures = MemoryFigures{1000 * kMb, 200 * kMb};
    QTRY_COMPARE_WITH_TIMEOUT(tray->hint(), QStringLiteral("Zorvex\nRAM: 200\n?"), 3000);
}

// Until the gauges are part of the program, the default mode (free RAM)
// shows today's day icon and a hint without "?".
void TestUiTray::defaultModeBeforeTheGauges()
{
    Fixture f;
    QCOMPARE(f.settings.main.trayIconKind, 2);
    FakeClock clock(QDateTime(QDate(2026, 5, 23), QTime(10, 0)));
    MainWindow& w = f.make();
    TrayIcon* tray = w.trayIcon();
    tray->setClock(&clock);
    tray->applySettings();
    QCOMPARE(int(tray->choice().kind), int(TrayIconChoice::Day));
    QCOMPARE(tray->choice().day, 23);
    QCOMPARE(tray->systemTrayIcon()->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
             TrayIconPictures::dayPicture(23).convertToFormat(QImage::Format_ARGB32));
    QVERIFY2(!tray->hint().contains(QLatin1Char('?')), qPrintable(tray->hint()));
    QCOMPARE(tray->hint(), QStringLiteral("Zorvex"));
}

void TestUiTray::clicks_data()
{
    QTest::addColumn<bool>("trayMinimize");
    QTest::addColumn<bool>("shownAfterSecond");

    QTest::newRow("minimize on") << true << false;
    QTest::newRow("minimize off") << false << true;
}

void TestUiTray::clicks()
{
    QFETCH(bool, trayMinimize);
    QFETCH(bool, shownAfterSecond);
    Fixture f;
    f.settings.main.trayMinimize = trayMinimize;
    MainWindow& w = f.make();
    TrayIcon* tray = w.trayIcon();
    QSignalSpy shown(tray, &TrayIcon::windowShownFromTray);

    // Hidden: the click brings it back.
    tray->click();
    QVERIFY(w.isVisible());
    QCOMPARE(shown.count(), 1);
    QVERIFY(w.wasForeground());
    // At once a second click: it sees the refreshed flag.
    tray->click();
    QCOMPARE(w.isVisible(), shownAfterSecond);

    // Showing but behind other windows at the last check: to the front.
    w.show();
    w.setForegroundFlag(false);
    tray->click();
    QVERIFY(w.isVisible());
}

void TestUiTray::noIconMode()
{
    Fixture f;
    f.settings.main.trayIconKind = 4;
    MainWindow& w = f.make();
    QVERIFY(!w.trayIcon()->shown());
    QCOMPARE(w.trayIcon()->choice().kind, TrayIconChoice::None);
    f.settings.main.trayIconKind = 0;
    w.applySettings();
    QVERIFY(w.trayIcon()->shown());
    QCOMPARE(w.trayIcon()->choice().kind, TrayIconChoice::Day);
    QVERIFY(!w.trayIcon()->systemTrayIcon()->icon().isNull());
}

void TestUiTray::balloonClickNamesItsSource()
{
    Fixture f;
    MainWindow& w = f.make();
    TrayIcon* tray = w.trayIcon();
    QSignalSpy clicked(tray, &TrayIcon::balloonClicked);
    tray->showBalloon(QStringLiteral("Poczta"), QStringLiteral("Nowe wiadomości: 2"), QSystemTrayIcon::Information,
                      5000, BalloonSource::Mail);
    emit tray->systemTrayIcon()->messageClicked();
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).value<BalloonSource>(), BalloonSource::Mail);
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestUiTray)
#include "tst_ui_tray.moc"
