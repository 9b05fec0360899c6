#include "core/app/ContextMenuModel.h"
#include "core/app/PageCodes.h"
#include "ui/app/AboutWindow.h"
#include "ui/app/ClockMenu.h"
#include "ui/app/ContextMenu.h"
#include "support/RecordingPrompts.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

namespace zorvex {

namespace {

std::array<int, kMenuEntries> keys(const QList<int>& codes)
{
    std::array<int, kMenuEntries> m;
    m.fill(-1);
    for (int i = 0; i < codes.size() && i < kMenuEntries; ++i)
        m[size_t(i)] = codes.at(i);
    return m;
}

// The visible texts of a menu, separators as "-".
QStringList texts(const QMenu& menu)
{
    QStringList out;
    for (const QAction* a : menu.actions()) {
        if (!a->isVisible())
            continue;
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return out;
}

QAction* actionNamed(const QMenu& menu, const QString& text)
{
    for (QAction* a : menu.actions()) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

} // namespace

class TestUiMenus : public QObject {
    Q_OBJECT

private slots:
    void staticItems_data();
    void staticItems();
    void userEntriesAfterTools();
    void allFortyThreeEntries();
    void entriesRunTheirCodes();
    void playerAndRadioSubmenus();
    void favouritesAndMiscList();
    void sideBarLeavesRoomForTheItems();
    void sideBarTakesTheBackgroundColour_data();
    void sideBarTakesTheBackgroundColour();
    void clockMenu();
    void about();
};

void TestUiMenus::staticItems_data()
{
    QTest::addColumn<bool>("clones");
    QTest::addColumn<bool>("icons");
    QTest::addColumn<QStringList>("items");

    const QString tools = QString::fromUtf8("Narzędzia");
    QTest::newRow("all") << true << true
                         << QStringList{QStringLiteral("Klony"), QStringLiteral("-"), QStringLiteral("Ikony pulpitu"),
                                        QStringLiteral("-"), tools, QStringLiteral("-"),
                                        QStringLiteral("O programie"), QStringLiteral("-"), QStringLiteral("Zamknij")};
    QTest::newRow("no clones") << false << true
                               << QStringList{QStringLiteral("Ikony pulpitu"), QStringLiteral("-"), tools,
                                              QStringLiteral("-"), QStringLiteral("O programie"),
                                              QStringLiteral("-"), QStringLiteral("Zamknij")};
    QTest::newRow("neither") << false << false
                             << QStringList{tools, QStringLiteral("-"), QStringLiteral("O programie"),
                                            QStringLiteral("-"), QStringLiteral("Zamknij")};
}

void TestUiMenus::staticItems()
{
    QFETCH(bool, clones);
    QFETCH(bool, icons);
    QFETCH(QStringList, items);
    ContextMenu menu;
    QCOMPARE(menu.objectName(), QStringLiteral("BarPopupMenu1"));
    QCOMPARE(menu.barText(), QStringLiteral("Zorvex"));
    menu.setStaticItemsVisible(clones, icons);
    QCOMPARE(texts(menu), items);
    QCOMPARE(menu.defaultAction(), menu.toolsAction());
    if (icons) {
        QMenu* sub = menu.desktopIconsAction()->menu<QMenu*>();
        QVERIFY(sub);
        QCOMPARE(texts(*sub),
                 (QStringList{QStringLiteral("Zapisz pozycje ikon"), QString::fromUtf8("Przywróć pozycje ikon")}));
    }
}

void TestUiMenus::userEntriesAfterTools()
{
    ContextMenu menu;
    menu.setUserEntries(keys({5, -1, 44, 99}));
    QStringList t = texts(menu);
    const int tools = int(t.indexOf(QString::fromUtf8("Narzędzia")));
    QCOMPARE(t.mid(tools + 1, 3), (QStringList{QStringLiteral("Alarm"), QString::fromUtf8("Wygląd"), QStringLiteral("-")}));

    // A rebuild replaces the entries instead of adding to them.
    menu.setUserEntries(keys({28}));
    t = texts(menu);
    QCOMPARE(t.mid(tools + 1, 2), (QStringList{QStringLiteral("Inne"), QStringLiteral("-")}));
    QCOMPARE(menu.userActions().size(), size_t(1));
}

void TestUiMenus::allFortyThreeEntries()
{
    QList<int> all;
    for (const PageCode& p : pageCodes())
        all << p.code;
    all.removeOne(5);
    ContextMenu menu;
    menu.setUserEntries(keys(all));
    QCOMPARE(menu.userActions().size(), size_t(kMenuEntries));
    // Inserted together, right after "Narzędzia".
    const QList<QAction*> actions = menu.actions();
    const qsizetype tools = actions.indexOf(menu.toolsAction());
    for (int i = 0; i < kMenuEntries; ++i)
        QCOMPARE(actions.at(tools + 1 + i), menu.userActions()[size_t(i)]);
}

void TestUiMenus::entriesRunTheirCodes()
{
    ContextMenu menu;
    menu.setUserEntries(keys({42, 33}));
    QSignalSpy codes(&menu, &ContextMenu::pageCodeChosen);
    QSignalSpy tools(&menu, &ContextMenu::toolsRequested);
    QSignalSpy quit(&menu, &ContextMenu::quitRequested);
    menu.userActions()[1]->trigger();
    menu.userActions()[0]->trigger();
    menu.toolsAction()->trigger();
    menu.quitAction()->trigger();
    QCOMPARE(codes.count(), 2);
    QCOMPARE(codes.at(0).at(0).toInt(), 33);
    QCOMPARE(codes.at(1).at(0).toInt(), 42);
    QCOMPARE(tools.count(), 1);
    QCOMPARE(quit.count(), 1);
}

void TestUiMenus::playerAndRadioSubmenus()
{
    ContextMenu menu;
    menu.setUserEntries(keys({39, 40}));
    QSignalSpy player(&menu, &ContextMenu::playerCommandChosen);
    QSignalSpy radio(&menu, &ContextMenu::radioCommandChosen);
    QMenu* p = menu.userActions()[0]->menu<QMenu*>();
    QMenu* r = menu.userActions()[1]->menu<QMenu*>();
    QVERIFY(p && r);
    QCOMPARE(texts(*p), playerSubmenuLabels());
    QCOMPARE(texts(*r), radioSubmenuLabels());
    actionNamed(*p, QStringLiteral("Pauza"))->trigger();
    actionNamed(*r, QStringLiteral("Nagrywaj"))->trigger();
    QCOMPARE(player.at(0).at(0).toInt(), int(PlayerCommand::Pause));
    QCOMPARE(radio.at(0).at(0).toInt(), int(RadioCommand::Record));

    // "Nagrywaj" shows the recording icon while recording, also in a
    // submenu built meanwhile.
    QVERIFY(actionNamed(*r, QStringLiteral("Nagrywaj"))->icon().isNull());
    menu.setRadioRecording(true);
    QVERIFY(!actionNamed(*r, QStringLiteral("Nagrywaj"))->icon().isNull());
    menu.setUserEntries(keys({40}));
    QMenu* rebuilt = menu.userActions()[0]->menu<QMenu*>();
    QVERIFY(!actionNamed(*rebuilt, QStringLiteral("Nagrywaj"))->icon().isNull());
    menu.setRadioRecording(false);
    QVERIFY(actionNamed(*rebuilt, QStringLiteral("Nagrywaj"))->icon().isNull());
}

void TestUiMenus::favouritesAndMiscList()
{
    ContextMenu menu;
    QStringList stations;
    QStringList misc;
    menu.setFavouritesProvider([&stations] { return stations; });
    menu.setMiscListProvider([&misc] { return misc; });
    menu.setUserEntries(keys({41, 38}));
    QAction* favourites = menu.userActions()[0];
    QAction* list = menu.userActions()[1];

    // Without favourites the entry opens the favourites page.
    QVERIFY(!favourites->menu<QMenu*>());
    QSignalSpy codes(&menu, &ContextMenu::pageCodeChosen);
    favourites->trigger();
    QCOMPARE(codes.count(), 1);
    QCOMPARE(codes.at(0).at(0).toInt(), 41);
    QVERIFY(list->menu<QMenu*>());
    QVERIFY(!list->menu<QMenu*>()->actions().front()->isEnabled());

    stations = QStringList{QStringLiteral("Trójka"), QStringLiteral("RMF")};
    misc = QStringList{QStringLiteral("Program TV")};
    emit menu.aboutToShow();
    QMenu* sub = favourites->menu<QMenu*>();
    QVERIFY(sub);
    QCOMPARE(texts(*sub), stations);
    QSignalSpy chosen(&menu, &ContextMenu::favouriteStationChosen);
    actionNamed(*sub, QStringLiteral("RMF"))->trigger();
    QCOMPARE(chosen.at(0).at(0).toInt(), 1);
    QSignalSpy miscChosen(&menu, &ContextMenu::miscListEntryChosen);
    actionNamed(*list->menu<QMenu*>(), QStringLiteral("Program TV"))->trigger();
    QCOMPARE(miscChosen.at(0).at(0).toInt(), 0);

    // The favourites are gone again: back to the page.
    stations.clear();
    menu.refreshDynamicSubmenus();
    QVERIFY(!favourites->menu<QMenu*>());
}

void TestUiMenus::sideBarLeavesRoomForTheItems()
{
    ContextMenu menu;
    menu.setUserEntries(keys({5, 39}));
    menu.popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    const QRect bar = menu.barRect();
    QCOMPARE(bar.width(), SideBarMenu::kBarWidth);
    QCOMPARE(bar.height(), menu.height() - 2 * bar.top());
    for (QAction* a : menu.actions()) {
        if (a->isVisible())
            QVERIFY2(menu.actionGeometry(a).left() >= bar.right() + 1, qPrintable(a->text()));
    }
    // The bar is painted: its middle differs from the menu's background.
    const QImage shot = menu.grab().toImage();
    const QPoint middle = bar.center();
    QVERIFY(shot.pixelColor(middle) != shot.pixelColor(menu.width() - 3, middle.y()));
    menu.hide();
}

void TestUiMenus::sideBarTakesTheBackgroundColour_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::newRow("default background") << QColor(80, 190, 255);
    QTest::newRow("red") << QColor(200, 40, 40);
    QTest::newRow("white") << QColor(255, 255, 255);
    QTest::newRow("black") << QColor(0, 0, 0);
}

// The bar's gradient ends at the top in the colour and darkens towards the
// caption at the bottom.
void TestUiMenus::sideBarTakesTheBackgroundColour()
{
    QFETCH(QColor, colour);
    ContextMenu menu;
    menu.setBarColour(colour);
    menu.popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    const QImage shot = menu.grab().toImage();
    menu.hide();
    const QRect bar = menu.barRect();
    const QColor top = shot.pixelColor(bar.left() + 2, bar.top());
    auto near = [](const QColor& a, const QColor& b) {
        return qAbs(a.red() - b.red()) <= 4 && qAbs(a.green() - b.green()) <= 4 && qAbs(a.blue() - b.blue()) <= 4;
    };
    QVERIFY2(near(top, colour), qPrintable(top.name()));
    const QColor bottom = shot.pixelColor(bar.left() + 2, bar.bottom());
    QVERIFY2(near(bottom, colour.darker(300)), qPrintable(bottom.name()));
}

void TestUiMenus::clockMenu()
{
    RecordingPrompts prompts;
    ClockMenu menu(prompts);
    QCOMPARE(menu.objectName(), QStringLiteral("PopupMenu5"));
    QCOMPARE(texts(menu), (QStringList{QStringLiteral("Synchronizuj czas"), QString::fromUtf8("Ustaw datę/godzinę"),
                                       QString::fromUtf8("Pokaż okno: Narzędzia - Czas")}));
    QSignalSpy sync(&menu, &ClockMenu::syncTimeRequested);
    QSignalSpy codes(&menu, &ClockMenu::pageCodeChosen);
    menu.syncAction()->trigger();
    menu.timePageAction()->trigger();
    QCOMPARE(sync.count(), 1);
    QCOMPARE(codes.at(0).at(0).toInt(), 33);
}

void TestUiMenus::about()
{
    ContextMenu menu;
    menu.aboutAction()->trigger();
    AboutWindow* about = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("Form3"))
            about = qobject_cast<AboutWindow*>(w);
    }
    QVERIFY(about);
    QVERIFY(about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("O programie"));
    bool versionShown = false;
    for (const QLabel* l : about->findChildren<QLabel*>())
        versionShown = versionShown || l->text().contains(QStringLiteral(ZORVEX_VERSION));
    QVERIFY(versionShown);
    // A second choice shows the same window.
    menu.aboutAction()->trigger();
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += w->objectName() == QLatin1String("Form3");
    QCOMPARE(count, 1);
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestUiMenus)
#include "tst_ui_menus.moc"
