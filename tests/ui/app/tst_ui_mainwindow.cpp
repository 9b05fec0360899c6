#include "core/app/Settings.h"
#include "core/app/TraySettings.h"
#include "core/common/PathTable.h"
#include "ui/app/ClockMenu.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/app/TaskbarEntry.h"
#include "ui/app/TrayIcon.h"
#include "support/RecordingPrompts.h"

#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace zorvex {

namespace {

// A main window over its own settings, as the application builds it.
struct Fixture {
    Settings settings;
    TraySettings tray;
    RecordingPrompts prompts;
    PathTable paths{QStringLiteral("/tmp/zorvex-test/"), QStringLiteral("Tester"), QString()};
    std::unique_ptr<MainWindow> window;

    Fixture() = default;
    MainWindow& make()
    {
        window = std::make_unique<MainWindow>(paths, settings, tray, prompts);
        return *window;
    }
    template <typename T = QWidget>
    T* child(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
};

} // namespace

class TestUiMainWindow : public QObject {
    Q_OBJECT

private slots:
    void namedAreas();
    void sizes_data();
    void sizes();
    void frameAndShape();
    void minimizeButton_data();
    void minimizeButton();
    void placement_data();
    void placement();
    void ownPositionStaysAfterRelayout();
    void topMost();
    void f5_data();
    void f5();
    void clockDoubleClickOpensItsMenu();
    void hideToTray();
    void withoutTrayTheWindowStaysReachable_data();
    void withoutTrayTheWindowStaysReachable();
    void opacity();
    void applicationConstructorStillWorks();
};

void TestUiMainWindow::namedAreas()
{
    Fixture f;
    MainWindow& w = f.make();
    QCOMPARE(w.objectName(), QStringLiteral("TForm1"));
    for (const char* name : {"Image1", "Label2", "Image2", "BtnMinimize", "Label1", "Image8", "Image9", "KAL",
                             "Label_Im", "Panel1", "Panel2", "PSnd"})
        QVERIFY2(f.child(name), name);
    QVERIFY(f.child<QMenu>("BarPopupMenu1"));
    QVERIFY(f.child<QMenu>("PopupMenu5"));
    QCOMPARE(w.trayIcon()->objectName(), QStringLiteral("JvTrayIcon1"));

    w.setClockText(QStringLiteral("12:34:56"));
    QCOMPARE(f.child<QLabel>("Label2")->text(), QStringLiteral("12:34:56"));
}

void TestUiMainWindow::sizes_data()
{
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("memory");
    QTest::addColumn<bool>("cpu");
    QTest::addColumn<bool>("playback");
    QTest::addColumn<QList<int>>("pg");
    QTest::addColumn<int>("height");
    QTest::addColumn<QRect>("kal");
    QTest::addColumn<QRect>("labelIm");
    QTest::addColumn<QRect>("panel1");
    QTest::addColumn<QRect>("panel2");

    QTest::newRow("defaults") << true << true << true << true << false << QList<int>{1, 2, 3} << 246
                              << QRect(0, 83, 147, 97) << QRect(0, 180, 147, 19) << QRect(0, 199, 147, 47)
                              << QRect();
    QTest::newRow("everything, playback first")
        << true << true << true << true << true << QList<int>{3, 1, 2} << 265 << QRect(0, 83, 147, 97)
        << QRect(0, 199, 147, 19) << QRect(0, 218, 147, 47) << QRect(0, 180, 147, 19);
    QTest::newRow("no top panel, cpu row only")
        << false << true << false << true << true << QList<int>{1, 2, 3} << 173 << QRect(0, 19, 147, 97)
        << QRect(0, 116, 147, 19) << QRect(0, 135, 147, 19) << QRect(0, 154, 147, 19);
    QTest::newRow("no text, no information rows")
        << true << false << false << false << true << QList<int>{1, 2, 3} << 200 << QRect(0, 83, 147, 97)
        << QRect() << QRect() << QRect(0, 180, 147, 19);
}

void TestUiMainWindow::sizes()
{
    QFETCH(bool, top);
    QFETCH(bool, text);
    QFETCH(bool, memory);
    QFETCH(bool, cpu);
    QFETCH(bool, playback);
    QFETCH(QList<int>, pg);
    QFETCH(int, height);
    QFETCH(QRect, kal);
    QFETCH(QRect, labelIm);
    QFETCH(QRect, panel1);
    QFETCH(QRect, panel2);

    Fixture f;
    MainWindowSettings& m = f.settings.main;
    m.clockPanelVisible = top;
    m.textPanelVisible = text;
    m.memoryPanelsVisible = memory;
    m.cpuPanelVisible = cpu;
    m.playbackPanelVisible = playback;
    m.panelOrder = {pg.at(0), pg.at(1), pg.at(2)};
    MainWindow& w = f.make();
    w.show();
    QCOMPARE(w.size(), QSize(147, height));
    QCOMPARE(f.child("KAL")->geometry(), kal);
    auto check = [&f](const char* name, const QRect& expected) {
        QWidget* area = f.child(name);
        QCOMPARE(area->isVisible(), !expected.isNull());
        if (!expected.isNull())
            QCOMPARE(area->geometry(), expected);
    };
    check("Label_Im", labelIm);
    check("Panel1", panel1);
    check("Panel2", panel2);
    QCOMPARE(f.child("Image1")->isVisible(), top);
    if (top)
        QCOMPARE(f.child("Image1")->size(), QSize(32, 64));
    if (playback)
        QCOMPARE(f.child("PSnd")->size(), QSize(145, 18));

    // Changing the settings and re-applying them re-lays out the window.
    m.playbackPanelVisible = !playback;
    w.applySettings();
    QCOMPARE(w.height(), height + (playback ? -19 : 19));
}

void TestUiMainWindow::frameAndShape()
{
    Fixture f;
    MainWindow& w = f.make();
    QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    // A tool window has no taskbar entry.
    QCOMPARE(w.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    const QRegion mask = w.mask();
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!mask.contains(QPoint(146, 0)));
    QVERIFY(mask.contains(QPoint(73, 0)));
    QVERIFY(mask.contains(QPoint(0, w.height() - 1)));
    QVERIFY(mask.contains(QPoint(146, w.height() - 1)));
}

void TestUiMainWindow::minimizeButton_data()
{
    QTest::addColumn<int>("trayMode");
    QTest::addColumn<bool>("przyciskM");
    QTest::addColumn<bool>("shown");

    QTest::newRow("button on, day icon") << 0 << true << true;
    QTest::newRow("button on, transfer icon") << 5 << true << true;
    QTest::newRow("button on, no tray icon") << 4 << true << false;
    QTest::newRow("button off") << 2 << false << false;
}

void TestUiMainWindow::minimizeButton()
{
    QFETCH(int, trayMode);
    QFETCH(bool, przyciskM);
    QFETCH(bool, shown);
    Fixture f;
    f.settings.main.trayIconKind = trayMode;
    f.settings.main.trayButtonVisible = przyciskM;
    MainWindow& w = f.make();
    w.show();
    auto* button = f.child<QToolButton>("BtnMinimize");
    QCOMPARE(button->isVisible(), shown);
    QCOMPARE(w.trayIcon()->shown(), trayMode != 4);
    if (shown) {
        QVERIFY(QRect(0, 0, 147, 20).contains(button->geometry()));
        QVERIFY(button->geometry().left() > 100);
        button->click();
        QVERIFY(!w.isVisible());
    }
}

void TestUiMainWindow::placement_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("corner");

    QTest::newRow("top-left") << 1 << QStringLiteral("tl");
    QTest::newRow("top-right") << 2 << QStringLiteral("tr");
    QTest::newRow("bottom-left") << 3 << QStringLiteral("bl");
    QTest::newRow("bottom-right") << 4 << QStringLiteral("br");
    QTest::newRow("own") << 5 << QStringLiteral("own");
}

void TestUiMainWindow::placement()
{
    QFETCH(int, mode);
    QFETCH(QString, corner);
    Fixture f;
    f.settings.main.placement = mode;
    f.settings.main.left = 40;
    f.settings.main.top = 30;
    MainWindow& w = f.make();
    const QRect work = w.workArea();
    QVERIFY(work.isValid());
    const QRect g(w.pos(), w.size());
    if (corner == QLatin1String("tl"))
        QCOMPARE(g.topLeft(), work.topLeft());
    else if (corner == QLatin1String("tr"))
        QCOMPARE(QPoint(g.right(), g.top()), QPoint(work.right(), work.top()));
    else if (corner == QLatin1String("bl"))
        QCOMPARE(QPoint(g.left(), g.bottom()), QPoint(work.left(), work.bottom()));
    else if (corner == QLatin1String("br"))
        QCOMPARE(g.bottomRight(), work.bottomRight());
    else
        QCOMPARE(g.topLeft(), QPoint(40, 30));
}

void TestUiMainWindow::ownPositionStaysAfterRelayout()
{
    Fixture f;
    f.settings.main.placement = 5;
    f.settings.main.left = 40;
    f.settings.main.top = 30;
    MainWindow& w = f.make();
    w.show();
    w.move(100, 120); // dragged by the user
    w.applySettings();
    QCOMPARE(w.pos(), QPoint(100, 120));
    QCOMPARE(f.settings.main.left, 100);
    QCOMPARE(f.settings.main.top, 120);

    // Switching to a corner moves it; back to own, it stays in the corner.
    f.settings.main.placement = 1;
    w.applyPlacement();
    QCOMPARE(w.pos(), w.workArea().topLeft());
    f.settings.main.placement = 5;
    w.applyPlacement();
    QCOMPARE(w.pos(), w.workArea().topLeft());
}

void TestUiMainWindow::topMost()
{
    Fixture f;
    MainWindow& w = f.make();
    w.show();
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    f.settings.main.alwaysOnTop = true;
    w.applyTopMost();
    QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(w.isVisible());
    QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    f.settings.main.alwaysOnTop = false;
    w.applyTopMost();
    QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void TestUiMainWindow::f5_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("ctrl");

    QTest::newRow("F5") << Qt::KeyboardModifiers(Qt::NoModifier) << false;
    QTest::newRow("Ctrl+F5") << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
}

void TestUiMainWindow::f5()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, ctrl);
    Fixture f;
    f.settings.main.translucent = true;
    MainWindow& w = f.make();
    w.show();
    w.setOpacityLevel(180);
    QSignalSpy spy(&w, &MainWindow::reapplyLookRequested);
    QTest::keyClick(&w, Qt::Key_F5, modifiers);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), ctrl);
    QCOMPARE(w.opacityLevel(), 180); // blending switched off and on again
    QTest::keyClick(&w, Qt::Key_F6);
    QCOMPARE(spy.count(), 1);
}

void TestUiMainWindow::clockDoubleClickOpensItsMenu()
{
    Fixture f;
    MainWindow& w = f.make();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseDClick(f.child("Label2"), Qt::LeftButton);
    QTRY_VERIFY(w.clockMenu()->isVisible());
    w.clockMenu()->hide();
}

void TestUiMainWindow::hideToTray()
{
    Fixture f;
    MainWindow& w = f.make();
    w.show();
    QSignalSpy hidden(&w, &MainWindow::hiddenToTray);
    w.setForegroundFlag(true);
    w.hideToTray();
    QVERIFY(!w.isVisible());
    QVERIFY(!w.wasForeground());
    QCOMPARE(hidden.count(), 1);
    w.showMainWindow();
    QVERIFY(w.isVisible());
}

void TestUiMainWindow::withoutTrayTheWindowStaysReachable_data()
{
    QTest::addColumn<bool>("desktopTray");
    QTest::addColumn<int>("kolorTN");
    QTest::addColumn<QString>("wayBack"); // "restore", "close", "second start"
    QTest::addColumn<bool>("viaTaskbar");
    QTest::newRow("no tray, entry restored") << false << 0 << QStringLiteral("restore") << true;
    QTest::newRow("no tray, entry closed") << false << 0 << QStringLiteral("close") << true;
    QTest::newRow("no tray, second start") << false << 0 << QStringLiteral("second start") << true;
    QTest::newRow("no icon chosen, second start") << true << 4 << QStringLiteral("second start") << true;
    QTest::newRow("tray, second start stays silent") << true << 0 << QStringLiteral("second start") << false;
}

void TestUiMainWindow::withoutTrayTheWindowStaysReachable()
{
    QFETCH(bool, desktopTray);
    QFETCH(int, kolorTN);
    QFETCH(QString, wayBack);
    QFETCH(bool, viaTaskbar);
    TrayIcon::setSystemTrayProbe([desktopTray] { return desktopTray; });
    Fixture f;
    f.settings.main.trayIconKind = kolorTN;
    f.settings.main.trayButtonVisible = true;
    MainWindow& w = f.make();
    w.show();

    w.hideToTray();

    QVERIFY(!w.isVisible());
    TaskbarEntry* entry = w.taskbarEntry();
    QCOMPARE(entry && entry->isVisible(), viaTaskbar);
    if (viaTaskbar) {
        QVERIFY(entry->isMinimized());
        QCOMPARE(entry->windowTitle(), QStringLiteral("Zorvex"));
        QVERIFY(!entry->parentWidget()); // a window of its own, so it gets a taskbar button
    }
    if (wayBack == QLatin1String("restore"))
        entry->setWindowState(Qt::WindowNoState);
    else if (wayBack == QLatin1String("close"))
        entry->close();
    else
        w.secondStartSeen();

    QCOMPARE(w.isVisible(), viaTaskbar);
    if (entry)
        QVERIFY(!entry->isVisible());
    TrayIcon::setSystemTrayProbe([] { return QSystemTrayIcon::isSystemTrayAvailable(); });
}

void TestUiMainWindow::opacity()
{
    Fixture f;
    MainWindow& w = f.make();
    w.setOpacityLevel(0);
    QCOMPARE(w.opacityLevel(), 0);
    w.setOpacityLevel(300);
    QCOMPARE(w.opacityLevel(), 255);
    w.setOpacityLevel(100);
    w.switchAlphaBlendingOff();
    QCOMPARE(w.opacityLevel(), 255);
}

// The start-up code still builds the window from the paths alone.
void TestUiMainWindow::applicationConstructorStillWorks()
{
    const PathTable paths(QStringLiteral("/tmp/zorvex-test/"), QStringLiteral("Tester"), QString());
    MainWindow w(paths);
    QCOMPARE(w.height(), 246);
    QCOMPARE(w.contextMenu()->userActions().size(), size_t(0));
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestUiMainWindow)
#include "tst_ui_mainwindow.moc"
