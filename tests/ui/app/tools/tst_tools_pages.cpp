#include "core/app/Settings.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/common/ColourBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace zorvex;

namespace {

// The page controls under test write these settings; the tables name them
// by key.
bool* boolField(Settings& s, const QString& key)
{
    MainWindowSettings& m = s.main;
    const QHash<QString, bool*> fields = {
        {QStringLiteral("Panel1"), &m.clockPanelVisible},
        {QStringLiteral("Panel2"), &m.textPanelVisible},
        {QStringLiteral("Panel3"), &m.memoryPanelsVisible},
        {QStringLiteral("Panel4"), &m.cpuPanelVisible},
        {QStringLiteral("Panel5"), &m.transferPanelVisible},
        {QStringLiteral("Panel6"), &m.playbackPanelVisible},
        {QStringLiteral("Panel7"), &m.zodiacVisible},
        {QStringLiteral("Przelaczanie"), &m.monthArrows},
        {QStringLiteral("PrzyciskM"), &m.trayButtonVisible},
        {QStringLiteral("UruZmin"), &m.startMinimized},
        {QStringLiteral("BlendA"), &m.translucent},
        {QStringLiteral("NaWierzchu"), &m.alwaysOnTop},
        {QStringLiteral("PozycjaZ"), &m.positionLocked},
        {QStringLiteral("TrayMinimize"), &m.trayMinimize},
        {QStringLiteral("TrayIconProtect"), &m.trayIconProtect},
        {QStringLiteral("Menu_Klony"), &m.menuDiscImages},
        {QStringLiteral("Menu_IkonyPulpitu"), &m.menuDesktopIcons},
        {QStringLiteral("PanelRamW"), &m.ramPanelShowsFree},
        {QStringLiteral("PanelSwapW"), &m.swapPanelShowsFree},
    };
    return fields.value(key);
}

int* intField(Settings& s, const QString& key)
{
    MainWindowSettings& m = s.main;
    const QHash<QString, int*> fields = {
        {QStringLiteral("Panel5a"), &m.transferPanelDirection},   {QStringLiteral("Dyski"), &m.diskPanelMode},
        {QStringLiteral("TrayTransfer"), &m.trayTransferDirection}, {QStringLiteral("Priorytet"), &m.priority},
        {QStringLiteral("Pozycja"), &m.placement},   {QStringLiteral("Kolor_TN"), &m.trayIconKind},
        {QStringLiteral("ImSePredkosc"), &m.scrollSpeed}, {QStringLiteral("BlendW"), &m.opacity},
    };
    return fields.value(key);
}

template <typename T>
T* find(const ToolsWindow& w, const char* name)
{
    T* widget = w.findChild<T*>(QLatin1String(name));
    if (!widget)
        qWarning("no widget %s", name);
    return widget;
}

} // namespace

class TestToolsPages : public QObject {
    Q_OBJECT
private slots:
    void checkBoxes_data();
    void checkBoxes();
    void choices_data();
    void choices();
    void priorityShown_data();
    void priorityShown();
    void sliders_data();
    void sliders();
    void orderLists_data();
    void orderLists();
    void lockOnlyWithOwnPosition();
    void opacitySliderFollowsSwitch();
    void trayColoursFollowMode_data();
    void trayColoursFollowMode();
    void minimizeOptionsNeedTrayIcon();
    void trayDefaultColours();
    void requests_data();
    void requests();
};

void TestToolsPages::checkBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("signal");

    const QByteArray layout = SIGNAL(layoutChanged());
    QTest::newRow("text panel") << "CheckTextPanel" << "Panel2" << layout;
    QTest::newRow("ram swap disks") << "CheckRamSwapDisks" << "Panel3" << layout;
    QTest::newRow("cpu") << "CheckCpu" << "Panel4" << layout;
    QTest::newRow("transfer") << "CheckTransfer" << "Panel5" << layout;
    QTest::newRow("playback panel") << "CheckPlaybackPanel" << "Panel6" << layout;
    QTest::newRow("time of day and clock") << "CheckDayTimeClock" << "Panel1" << layout;
    QTest::newRow("zodiac") << "CheckZodiac" << "Panel7" << layout;
    QTest::newRow("month arrows") << "CheckMonthArrows" << "Przelaczanie" << QByteArray(SIGNAL(monthArrowsChanged()));
    QTest::newRow("minimize button") << "CheckMinimizeButton" << "PrzyciskM"
                                     << QByteArray(SIGNAL(minimizeOptionsChanged()));
    QTest::newRow("start minimized") << "CheckStartMinimized" << "UruZmin"
                                     << QByteArray(SIGNAL(minimizeOptionsChanged()));
    QTest::newRow("translucency") << "CheckTranslucency" << "BlendA" << QByteArray(SIGNAL(opacityChanged()));
    QTest::newRow("top most") << "CheckTopMost" << "NaWierzchu" << QByteArray(SIGNAL(topMostChanged()));
    QTest::newRow("lock position") << "CheckLockPosition" << "PozycjaZ" << QByteArray(SIGNAL(placementChanged()));
    QTest::newRow("tray click hides") << "CheckTrayMinimize" << "TrayMinimize"
                                      << QByteArray(SIGNAL(trayOptionsChanged()));
    QTest::newRow("tray protection") << "CheckTrayIconProtect" << "TrayIconProtect"
                                     << QByteArray(SIGNAL(trayOptionsChanged()));
    QTest::newRow("menu clones") << "CheckMenuClones" << "Menu_Klony" << QByteArray(SIGNAL(menuListChanged()));
    QTest::newRow("menu desktop icons") << "CheckMenuDesktopIcons" << "Menu_IkonyPulpitu"
                                        << QByteArray(SIGNAL(menuListChanged()));
}

void TestToolsPages::checkBoxes()
{
    QFETCH(QString, name);
    QFETCH(QString, key);
    QFETCH(QByteArray, signal);

    Settings s;
    ToolsWindow w(s);
    auto* check = w.findChild<QCheckBox*>(name);
    QVERIFY(check);
    bool* field = boolField(s, key);
    QCOMPARE(check->isChecked(), *field); // shows the model
    QSignalSpy spy(&w, signal.constData());
    for (int round = 0; round < 2; ++round) {
        check->setChecked(!check->isChecked());
        QCOMPARE(*field, check->isChecked());
        QCOMPARE(spy.size(), round + 1);
    }
}

void TestToolsPages::choices_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QByteArray>("signal");

    const QByteArray gauges = SIGNAL(gaugeModesChanged());
    QTest::newRow("RAM used") << "ComboRam" << 1 << "PanelRamW" << 0 << gauges;
    QTest::newRow("SWAP free") << "ComboSwap" << 0 << "PanelSwapW" << 1 << gauges;
    QTest::newRow("transfer outgoing") << "ComboTransfer" << 1 << "Panel5a" << 1 << gauges;
    QTest::newRow("disks used GB") << "ComboDisks" << 3 << "Dyski" << 3 << gauges;
    QTest::newRow("tray transfer outgoing") << "ComboTrayTransfer" << 1 << "TrayTransfer" << 1
                                            << QByteArray(SIGNAL(trayChanged()));
    const QByteArray priority = SIGNAL(priorityChanged());
    QTest::newRow("priority automatic") << "ComboPriority" << 0 << "Priorytet" << 3 << priority;
    QTest::newRow("priority high") << "ComboPriority" << 1 << "Priorytet" << 0 << priority;
    QTest::newRow("priority normal") << "ComboPriority" << 2 << "Priorytet" << 1 << priority;
    QTest::newRow("priority low") << "ComboPriority" << 3 << "Priorytet" << 2 << priority;
}

void TestToolsPages::choices()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, key);
    QFETCH(int, stored);
    QFETCH(QByteArray, signal);

    Settings s;
    ToolsWindow w(s);
    auto* combo = w.findChild<QComboBox*>(name);
    QVERIFY(combo);
    QSignalSpy spy(&w, signal.constData());
    // Start from another item so the choice is a change.
    combo->setCurrentIndex(index == 0 ? 1 : 0);
    spy.clear();
    combo->setCurrentIndex(index);
    QCOMPARE(spy.size(), 1);
    if (bool* b = boolField(s, key))
        QCOMPARE(int(*b), stored);
    else
        QCOMPARE(*intField(s, key), stored);
}

void TestToolsPages::priorityShown_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("index");
    QTest::newRow("automatic") << 3 << 0;
    QTest::newRow("high") << 0 << 1;
    QTest::newRow("normal") << 1 << 2;
    QTest::newRow("low (first-run value)") << 2 << 3;
}

void TestToolsPages::priorityShown()
{
    QFETCH(int, stored);
    QFETCH(int, index);
    Settings s;
    s.main.priority = stored;
    ToolsWindow w(s);
    QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("ComboPriority"))->currentIndex(), index);
    QCOMPARE(s.main.priority, stored); // showing it changes nothing
}

void TestToolsPages::sliders_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("shown"); // text beside the slider, if any
    QTest::addColumn<QByteArray>("signal");

    const QByteArray opacity = SIGNAL(opacityChanged());
    QTest::newRow("opaque") << "TrackBar2" << 255 << "BlendW" << "100%" << opacity;
    QTest::newRow("half") << "TrackBar2" << 128 << "BlendW" << "50%" << opacity;
    QTest::newRow("rounds up") << "TrackBar2" << 191 << "BlendW" << "75%" << opacity;
    QTest::newRow("faintest") << "TrackBar2" << 1 << "BlendW" << "0%" << opacity;
    QTest::newRow("scroll speed") << "SliderScrollSpeed" << 3 << "ImSePredkosc" << QString()
                                  << QByteArray(SIGNAL(scrollSpeedChanged()));
}

void TestToolsPages::sliders()
{
    QFETCH(QString, name);
    QFETCH(int, value);
    QFETCH(QString, key);
    QFETCH(QString, shown);
    QFETCH(QByteArray, signal);

    Settings s;
    s.main.translucent = true;
    s.main.opacity = 200;
    s.main.scrollSpeed = 1;
    ToolsWindow w(s);
    auto* slider = w.findChild<QSlider*>(name);
    QVERIFY(slider);
    QSignalSpy spy(&w, signal.constData());
    slider->setValue(value);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(*intField(s, key), value);
    if (!shown.isEmpty())
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("LabelOpacity"))->text(), shown);
}

void TestToolsPages::orderLists_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<bool>("changed");

    QTest::newRow("info: down from the top") << "ListInfoPanels" << "ButtonInfoPanelDown" << 0
                                             << QList<int>{2, 1, 3} << true;
    QTest::newRow("info: up from the bottom") << "ListInfoPanels" << "ButtonInfoPanelUp" << 2
                                              << QList<int>{1, 3, 2} << true;
    QTest::newRow("info: up at the top does nothing") << "ListInfoPanels" << "ButtonInfoPanelUp" << 0
                                                      << QList<int>{1, 2, 3} << false;
    QTest::newRow("main: down at the bottom does nothing")
        << "ListMainPanels" << "ButtonMainPanelDown" << 2 << QList<int>{1, 2, 3} << false;
    QTest::newRow("main: up from the middle") << "ListMainPanels" << "ButtonMainPanelUp" << 1
                                              << QList<int>{2, 1, 3} << true;
}

void TestToolsPages::orderLists()
{
    QFETCH(QString, list);
    QFETCH(QString, button);
    QFETCH(int, row);
    QFETCH(QList<int>, expected);
    QFETCH(bool, changed);

    Settings s;
    ToolsWindow w(s);
    auto* l = w.findChild<QListWidget*>(list);
    auto* b = w.findChild<QToolButton*>(button);
    QVERIFY(l && b);
    QSignalSpy spy(&w, &ToolsWindow::layoutChanged);
    l->setCurrentRow(row);
    b->click();
    QCOMPARE(spy.size(), changed ? 1 : 0);
    const auto& stored = list == QLatin1String("ListInfoPanels") ? s.main.infoRows : s.main.panelOrder;
    QCOMPARE((QList<int>{stored[0], stored[1], stored[2]}), expected);
    // The list shows the stored order.
    for (int i = 0; i < 3; ++i)
        QCOMPARE(l->item(i)->data(Qt::UserRole).toInt(), expected[i]);
}

void TestToolsPages::lockOnlyWithOwnPosition()
{
    Settings s;
    s.main.placement = 4;
    ToolsWindow w(s);
    auto* lock = find<QCheckBox>(w, "CheckLockPosition");
    QSignalSpy spy(&w, &ToolsWindow::placementChanged);
    QVERIFY(!lock->isEnabled());
    const char* radios[] = {"RadioTopLeft", "RadioTopRight", "RadioBottomLeft", "RadioBottomRight", "RadioOwnPosition"};
    for (int i = 0; i < 5; ++i) {
        find<QRadioButton>(w, radios[i])->click();
        QCOMPARE(s.main.placement, i + 1);
        QCOMPARE(lock->isEnabled(), i == 4);
    }
    QCOMPARE(spy.size(), 5);
}

void TestToolsPages::opacitySliderFollowsSwitch()
{
    Settings s;
    s.main.translucent = false;
    ToolsWindow w(s);
    auto* slider = find<QSlider>(w, "TrackBar2");
    auto* on = find<QCheckBox>(w, "CheckTranslucency");
    QVERIFY(!slider->isEnabled());
    on->setChecked(true);
    QVERIFY(slider->isEnabled());
    on->setChecked(false);
    QVERIFY(!slider->isEnabled());
}

void TestToolsPages::trayColoursFollowMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QStringList>("enabled");

    QTest::newRow("day") << "RadioTrayDay" << 0 << QStringList{};
    QTest::newRow("cpu") << "RadioTrayCpu" << 1 << QStringList{QStringLiteral("ColourTrayCpu")};
    QTest::newRow("ram") << "RadioTrayRam" << 2 << QStringList{QStringLiteral("ColourTrayRam")};
    QTest::newRow("swap") << "RadioTraySwap" << 3 << QStringList{QStringLiteral("ColourTraySwap")};
    QTest::newRow("none") << "RadioTrayNone" << 4 << QStringList{};
    QTest::newRow("transfer") << "RadioTrayTransfer" << 5
                              << QStringList{QStringLiteral("ColourTrayFont"), QStringLiteral("ComboTrayTransfer")};
}

void TestToolsPages::trayColoursFollowMode()
{
    QFETCH(QString, mode);
    QFETCH(int, stored);
    QFETCH(QStringList, enabled);

    Settings s;
    s.main.trayIconKind = stored == 0 ? 1 : 0;
    ToolsWindow w(s);
    QSignalSpy spy(&w, &ToolsWindow::trayChanged);
    w.findChild<QRadioButton*>(mode)->click();
    QCOMPARE(s.main.trayIconKind, stored);
    QCOMPARE(spy.size(), 1);
    for (const char* name : {"ColourTrayCpu", "ColourTrayRam", "ColourTraySwap", "ColourTrayFont", "ComboTrayTransfer"}) {
        QWidget* widget = w.findChild<QWidget*>(QLatin1String(name));
        QVERIFY(widget);
        QCOMPARE(widget->isEnabled(), enabled.contains(QLatin1String(name)));
    }
}

void TestToolsPages::minimizeOptionsNeedTrayIcon()
{
    // With no tray icon nothing could bring a minimized window back.
    Settings s;
    s.main.trayIconKind = 4;
    ToolsWindow w(s);
    auto* button = find<QCheckBox>(w, "CheckMinimizeButton");
    auto* start = find<QCheckBox>(w, "CheckStartMinimized");
    QVERIFY(!button->isEnabled());
    QVERIFY(!start->isEnabled());
    find<QRadioButton>(w, "RadioTrayRam")->click();
    QVERIFY(button->isEnabled());
    QVERIFY(start->isEnabled());
    find<QRadioButton>(w, "RadioTrayNone")->click();
    QVERIFY(!button->isEnabled());
    QVERIFY(!start->isEnabled());
}

void TestToolsPages::trayDefaultColours()
{
    Settings s;
    s.main.trayCpuColour = s.main.trayFreeRamColour = s.main.trayUsedSwapColour = s.main.trayTransferTextColour = 123456;
    ToolsWindow w(s);
    QSignalSpy spy(&w, &ToolsWindow::trayChanged);
    find<QAbstractButton>(w, "ButtonTrayDefaultColours")->click();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(s.main.trayCpuColour, 65280);
    QCOMPARE(s.main.trayFreeRamColour, 65535);
    QCOMPARE(s.main.trayUsedSwapColour, 16776960);
    QCOMPARE(s.main.trayTransferTextColour, 0);
    QCOMPARE(find<ColourBox>(w, "ColourTraySwap")->colour(), 16776960);
}

void TestToolsPages::requests_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("signal");
    QTest::newRow("scrolling text") << "ButtonScrollingText" << QByteArray(SIGNAL(scrollingTextChoiceRequested()));
    QTest::newRow("panel options") << "BitBtn133" << QByteArray(SIGNAL(panelOptionsRequested()));
    QTest::newRow("removable drives") << "ButtonRemovableDrives" << QByteArray(SIGNAL(removableDrivesRequested()));
    QTest::newRow("tray hint") << "ButtonTrayHint" << QByteArray(SIGNAL(trayHintEditorRequested()));
    QTest::newRow("misc list") << "ButtonMiscMenuEdit" << QByteArray(SIGNAL(miscMenuEditorRequested()));
}

void TestToolsPages::requests()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, signal);
    Settings s;
    ToolsWindow w(s);
    QSignalSpy spy(&w, signal.constData());
    auto* b = w.findChild<QAbstractButton*>(button);
    QVERIFY(b);
    b->click();
    QCOMPARE(spy.size(), 1);
}

QTEST_MAIN(TestToolsPages)
#include "tst_tools_pages.moc"
