#include "core/app/Settings.h"
#include "ui/app/tools/MenuPage.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace zorvex;

namespace {

// A menu page over a list that already holds Położenie (1), Alarm (5) and
// Aktualnie (13).
struct Fixture {
    explicit Fixture(std::initializer_list<int> codes = {1, 5, 13})
    {
        settings.main.menuEntries.fill(-1);
        int i = 0;
        for (int c : codes)
            settings.main.menuEntries[i++] = c;
        page = std::make_unique<MenuPage>(settings);
        tree = page->findChild<QTreeWidget*>(QStringLiteral("TreePage"));
        list = page->findChild<QListWidget*>(QStringLiteral("ListMenu"));
        add = page->findChild<QPushButton*>(QStringLiteral("ButtonAddToMenu"));
        remove = page->findChild<QPushButton*>(QStringLiteral("ButtonRemoveFromMenu"));
        up = page->findChild<QToolButton*>(QStringLiteral("ButtonMenuUp"));
        down = page->findChild<QToolButton*>(QStringLiteral("ButtonMenuDown"));
    }

    QTreeWidgetItem* treeItem(int code) const
    {
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).toInt() == code)
                return *it;
        }
        return nullptr;
    }
    void selectInTree(int code) const { tree->setCurrentItem(code < 0 ? tree->topLevelItem(0) : treeItem(code)); }

    QList<int> listCodes() const
    {
        QList<int> codes;
        for (int i = 0; i < list->count(); ++i)
            codes << list->item(i)->data(Qt::UserRole).toInt();
        return codes;
    }
    QList<int> storedCodes() const
    {
        QList<int> codes;
        for (int c : settings.main.menuEntries) {
            if (c != -1)
                codes << c;
        }
        return codes;
    }

    Settings settings;
    std::unique_ptr<MenuPage> page;
    QTreeWidget* tree;
    QListWidget* list;
    QPushButton* add;
    QPushButton* remove;
    QToolButton* up;
    QToolButton* down;
};

} // namespace

class TestToolsMenu : public QObject {
    Q_OBJECT
private slots:
    void treeHoldsEveryCode();
    void addEnabled_data();
    void addEnabled();
    void add_data();
    void add();
    void remove_data();
    void remove();
    void removeUntilEmpty();
    void removeByDoubleClick();
    void move_data();
    void move();
    void loadSkipsUnknownCodes();
    void fullListTakesNoMore();
    void selectedEntryColour();
};

void TestToolsMenu::treeHoldsEveryCode()
{
    Fixture f;
    for (int code = 1; code <= 44; ++code) {
        QTreeWidgetItem* item = f.treeItem(code);
        QVERIFY2(item, qPrintable(QString::number(code)));
        QVERIFY(!item->text(0).isEmpty());
        QVERIFY(!item->icon(0).isNull());
    }
    // The list shows labels and pictures.
    QCOMPARE(f.list->item(2)->text(), QStringLiteral("Aktualnie"));
    QVERIFY(!f.list->item(2)->icon().isNull());
}

void TestToolsMenu::addEnabled_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("page not in the list") << 2 << true;
    QTest::newRow("page already in the list") << 1 << false;
    QTest::newRow("top page already in the list") << 5 << false;
    QTest::newRow("command") << 42 << true;
    QTest::newRow("submenu") << 40 << true;
    QTest::newRow("entry without a code") << -1 << false;
}

void TestToolsMenu::addEnabled()
{
    QFETCH(int, code);
    QFETCH(bool, enabled);
    Fixture f;
    f.selectInTree(code);
    QCOMPARE(f.add->isEnabled(), enabled);
}

void TestToolsMenu::add_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("button") << "button";
    QTest::newRow("double click") << "double click";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Return") << "return";
}

void TestToolsMenu::add()
{
    QFETCH(QString, how);
    Fixture f;
    f.list->setCurrentRow(0);
    QSignalSpy spy(f.page.get(), &MenuPage::menuListChanged);
    f.selectInTree(33);
    if (how == QLatin1String("button")) {
        f.add->click();
    } else if (how == QLatin1String("double click")) {
        f.page->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.page.get()));
        QTreeWidgetItem* item = f.treeItem(33);
        f.tree->scrollToItem(item);
        const QPoint at = f.tree->visualItemRect(item).center();
        // A real double click: the first click, then the double-click event.
        QTest::mouseClick(f.tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(f.tree->viewport(), Qt::LeftButton, {}, at);
    } else {
        QTest::keyClick(f.tree, how == QLatin1String("enter") ? Qt::Key_Enter : Qt::Key_Return);
    }
    QCOMPARE(f.listCodes(), (QList<int>{1, 5, 13, 33}));
    QCOMPARE(f.storedCodes(), (QList<int>{1, 5, 13, 33}));
    QCOMPARE(f.list->currentRow(), 3);
    QVERIFY(f.remove->isEnabled());
    QVERIFY(!f.add->isEnabled()); // now in the list
    QCOMPARE(spy.size(), 1);
}

void TestToolsMenu::remove_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("left");
    QTest::addColumn<int>("selected");
    QTest::newRow("first") << 0 << QList<int>{5, 13} << 0;
    QTest::newRow("middle: the next one moves up") << 1 << QList<int>{1, 13} << 1;
    QTest::newRow("last: the new last one") << 2 << QList<int>{1, 5} << 1;
}

void TestToolsMenu::remove()
{
    QFETCH(int, row);
    QFETCH(QList<int>, left);
    QFETCH(int, selected);
    Fixture f;
    QSignalSpy spy(f.page.get(), &MenuPage::menuListChanged);
    f.list->setCurrentRow(row);
    f.remove->click();
    QCOMPARE(f.listCodes(), left);
    QCOMPARE(f.storedCodes(), left);
    QCOMPARE(f.settings.main.menuEntries[2], -1);
    QCOMPARE(f.list->currentRow(), selected);
    QVERIFY(f.remove->isEnabled());
    QCOMPARE(spy.size(), 1);
}

void TestToolsMenu::removeUntilEmpty()
{
    Fixture f;
    f.selectInTree(5);
    QVERIFY(!f.add->isEnabled());
    f.list->setCurrentRow(1);
    for (int i = 0; i < 3; ++i)
        f.remove->click();
    QCOMPARE(f.list->count(), 0);
    QVERIFY(!f.remove->isEnabled());
    QVERIFY(f.add->isEnabled()); // Alarm is no longer in the list
    QCOMPARE(f.storedCodes(), QList<int>{});
}

void TestToolsMenu::removeByDoubleClick()
{
    Fixture f;
    f.page->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.page.get()));
    const QPoint at = f.list->visualItemRect(f.list->item(1)).center();
    QTest::mouseClick(f.list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(f.list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(f.listCodes(), (QList<int>{1, 13}));
}

void TestToolsMenu::move_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("upwards");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("changed");
    QTest::newRow("up from the middle") << 1 << true << QList<int>{5, 1, 13} << 0 << true;
    QTest::newRow("down from the top") << 0 << false << QList<int>{5, 1, 13} << 1 << true;
    QTest::newRow("up at the top") << 0 << true << QList<int>{1, 5, 13} << 0 << false;
    QTest::newRow("down at the bottom") << 2 << false << QList<int>{1, 5, 13} << 2 << false;
}

void TestToolsMenu::move()
{
    QFETCH(int, row);
    QFETCH(bool, upwards);
    QFETCH(QList<int>, expected);
    QFETCH(int, selected);
    QFETCH(bool, changed);
    Fixture f;
    QSignalSpy spy(f.page.get(), &MenuPage::menuListChanged);
    f.list->setCurrentRow(row);
    (upwards ? f.up : f.down)->click();
    QCOMPARE(f.listCodes(), expected);
    QCOMPARE(f.storedCodes(), expected);
    QCOMPARE(f.list->currentRow(), selected);
    QCOMPARE(spy.size(), changed ? 1 : 0);
}

void TestToolsMenu::loadSkipsUnknownCodes()
{
    // Gaps close up and codes that name no entry are left out.
    Fixture f({99, 3, -1, 0, 4});
    QCOMPARE(f.listCodes(), (QList<int>{3, 4}));
    QVERIFY(f.remove->isEnabled());
    // The model is rewritten only by an edit.
    QCOMPARE(f.settings.main.menuEntries[0], 99);
    f.list->setCurrentRow(0);
    f.down->click();
    QCOMPARE(f.storedCodes(), (QList<int>{4, 3}));
}

void TestToolsMenu::fullListTakesNoMore()
{
    // 43 entries fill M1..M43; a 44th would be lost at the next save.
    Settings s;
    for (int i = 0; i < kMenuEntries; ++i)
        s.main.menuEntries[i] = i + 1; // every code but 44
    Fixture f;
    f.settings = s;
    f.page->load();
    QCOMPARE(f.list->count(), 43);
    f.selectInTree(44);
    QVERIFY(!f.add->isEnabled());
    f.list->setCurrentRow(0);
    f.remove->click();
    f.selectInTree(44);
    QVERIFY(f.add->isEnabled());
    f.add->click();
    QCOMPARE(f.settings.main.menuEntries[42], 44);
}

void TestToolsMenu::selectedEntryColour()
{
    Fixture f;
    f.page->show();
    f.list->setCurrentRow(1);
    const QImage image = f.list->viewport()->grab().toImage();
    const QRect selected = f.list->visualItemRect(f.list->item(1));
    const QRect other = f.list->visualItemRect(f.list->item(2));
    // Right of the text, where only the background shows.
    const QPoint inSelected(selected.right() - 3, selected.center().y());
    const QPoint inOther(other.right() - 3, other.center().y());
    QCOMPARE(image.pixelColor(inSelected), QColor(255, 223, 138));
    QVERIFY(image.pixelColor(inOther) != QColor(255, 223, 138));
}

QTEST_MAIN(TestToolsMenu)
#include "tst_tools_menu.moc"
