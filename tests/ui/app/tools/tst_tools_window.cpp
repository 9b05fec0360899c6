#include "core/app/Settings.h"
#include "ui/app/tools/ToolsWindow.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace zorvex;

namespace {

QWidget* page(const ToolsWindow& w, const QString& name)
{
    return w.findChild<QWidget*>(name);
}

QWidget* codePage(const ToolsWindow& w, int code)
{
    return page(w, QStringLiteral("Page_%1").arg(code));
}

QTabWidget* tabs(const ToolsWindow& w, int field)
{
    return w.findChild<QTabWidget*>(QStringLiteral("PageControl%1").arg(field));
}

QStackedWidget* stack(const ToolsWindow& w)
{
    return w.findChild<QStackedWidget*>(QStringLiteral("PageStack"));
}

QToolButton* pageButton(const ToolsWindow& w, int index)
{
    return w.findChild<QToolButton*>(QStringLiteral("PageButton%1").arg(index + 1));
}

QScrollBar* barScroll(const ToolsWindow& w)
{
    return w.findChild<QScrollArea*>(QStringLiteral("PageBar"))->verticalScrollBar();
}

enum class Outcome { Page, Command, Nothing };

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestToolsWindow : public QObject {
    Q_OBJECT
private slots:
    void identity();
    void pageCodes_data();
    void pageCodes();
    void trafficPagesFollowTheStatistic();
    void codeWithoutLeafKeepsRestoredTab();
    void restoreTabs_data();
    void restoreTabs();
    void closeWritesSelectionBeforeSignal();
    void pageBarScroll();
    void pageBarMode_data();
    void pageBarMode();
    void positionMarker();
};

void TestToolsWindow::identity()
{
    Settings s;
    ToolsWindow w(s);
    QCOMPARE(w.objectName(), QStringLiteral("TUstawienia"));
    QCOMPARE(w.windowTitle(), QString::fromUtf8("Narzędzia"));
    QVERIFY(w.isWindow());
    QVERIFY(!w.isVisible()); // created hidden
    for (int i = 0; i < 12; ++i)
        QVERIFY2(pageButton(w, i), qPrintable(QStringLiteral("PageButton%1").arg(i + 1)));
    for (int field = 1; field <= 10; ++field)
        QVERIFY2(tabs(w, field), qPrintable(QStringLiteral("PageControl%1").arg(field)));
}

void TestToolsWindow::pageCodes_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("trafficOn");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<int>("shownCode");

    const QList<int> commands = {29, 30, 37, 42, 43};
    const QList<int> submenus = {38, 39, 40};
    for (int code = 1; code <= 44; ++code) {
        const QByteArray name = QByteArray::number(code);
        if (commands.contains(code))
            QTest::newRow(name.constData()) << code << true << Outcome::Command << -1;
        else if (submenus.contains(code))
            QTest::newRow(name.constData()) << code << true << Outcome::Nothing << -1;
        else
            QTest::newRow(name.constData()) << code << true << Outcome::Page << code; // 41: the favourites page
    }
    // Without the traffic statistic only "Aktualnie" can be shown.
    for (int code : {14, 15, 16})
        QTest::newRow(QByteArray(QByteArray::number(code) + " traffic off").constData()) << code << false << Outcome::Page << 13;
    QTest::newRow("13 traffic off") << 13 << false << Outcome::Page << 13;
    QTest::newRow("0 unknown") << 0 << true << Outcome::Nothing << -1;
    QTest::newRow("45 unknown") << 45 << true << Outcome::Nothing << -1;
    QTest::newRow("-1 empty menu slot") << -1 << true << Outcome::Nothing << -1;
}

void TestToolsWindow::trafficPagesFollowTheStatistic()
{
    Settings s;
    ToolsWindow w(s);
    // Nobody has said the statistic is on: "Według dni" gives way to
    // "Aktualnie".
    QVERIFY(w.openPage(14));
    QVERIFY(codePage(w, 13)->isVisible());
    QVERIFY(!codePage(w, 14)->isVisible());

    // Asked at every opening, so switching it on counts at once.
    bool on = true;
    w.setPageRoutingSource([&on] {
        PageRouting r;
        r.trafficStatisticOn = on;
        return r;
    });
    QVERIFY(w.openPage(15));
    QVERIFY(codePage(w, 15)->isVisible());
    on = false;
    QVERIFY(w.openPage(16));
    QVERIFY(codePage(w, 13)->isVisible());
    QVERIFY(!codePage(w, 16)->isVisible());
}

void TestToolsWindow::pageCodes()
{
    QFETCH(int, code);
    QFETCH(bool, trafficOn);
    QFETCH(Outcome, outcome);
    QFETCH(int, shownCode);

    Settings s;
    ToolsWindow w(s);
    PageRouting routing;
    routing.trafficStatisticOn = trafficOn;
    w.setPageRouting(routing);
    QSignalSpy commands(&w, &ToolsWindow::commandRequested);

    const bool opened = w.openPage(code);

    QCOMPARE(opened, outcome == Outcome::Page);
    QCOMPARE(w.isVisible(), outcome == Outcome::Page);
    if (outcome == Outcome::Command) {
        QCOMPARE(commands.size(), 1);
        QCOMPARE(commands.front().front().toInt(), code);
        return;
    }
    QCOMPARE(commands.size(), 0);
    if (outcome != Outcome::Page)
        return;

    QWidget* shown = codePage(w, shownCode);
    QVERIFY(shown);
    QVERIFY(shown->isVisible());
    if (shownCode != code)
        QVERIFY(!codePage(w, code)->isVisible());
    // The page button of the shown top page is the one marked.
    const int top = stack(w)->currentIndex();
    QVERIFY(stack(w)->currentWidget()->isAncestorOf(shown) || stack(w)->currentWidget() == shown);
    QVERIFY(pageButton(w, top)->isChecked());
    w.close();
}

void TestToolsWindow::codeWithoutLeafKeepsRestoredTab()
{
    // Radio (field 10) was left on "Ulubione"; code 36 opens Radio itself and
    // must not reset that choice.
    Settings s;
    s.main.toolsPageIndexes = QStringLiteral("0|0|0|0|0|0|0|0|0|0|1");
    ToolsWindow w(s);
    QVERIFY(w.openPage(36));
    QVERIFY(codePage(w, 36)->isVisible());
    QCOMPARE(tabs(w, 10)->currentIndex(), 1);
    QVERIFY(codePage(w, 41)->isVisible());
}

void TestToolsWindow::restoreTabs_data()
{
    QTest::addColumn<QString>("zakladka");
    QTest::addColumn<QList<int>>("expected"); // page bar, then PageControl1..10

    QTest::newRow("defaults") << QStringLiteral("0|0|0|0|0|0|0|0|0|0|0")
                              << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("every field used") << QStringLiteral("10|3|1|2|3|2|3|3|4|1|1")
                                      << QList<int>{10, 3, 1, 2, 3, 2, 3, 3, 4, 1, 1};
    QTest::newRow("out of range and junk fall back to the first page")
        << QStringLiteral("12|6|x|-1|4|3|4|4|5|2|2") << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("short value") << QStringLiteral("4|2") << QList<int>{4, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("empty value") << QString() << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
}

void TestToolsWindow::restoreTabs()
{
    QFETCH(QString, zakladka);
    QFETCH(QList<int>, expected);

    Settings s;
    s.main.toolsPageIndexes = zakladka;
    ToolsWindow w(s);
    w.open();
    QCOMPARE(stack(w)->currentIndex(), expected[0]);
    QVERIFY(pageButton(w, expected[0])->isChecked());
    for (int field = 1; field <= 10; ++field)
        QCOMPARE(tabs(w, field)->currentIndex(), expected[field]);
    // The model holds the selection as shown.
    QStringList fields;
    for (int v : expected)
        fields << QString::number(v);
    QCOMPARE(s.main.toolsPageIndexes, fields.join(QLatin1Char('|')));
}

void TestToolsWindow::closeWritesSelectionBeforeSignal()
{
    Settings s;
    ToolsWindow w(s);
    QVERIFY(w.openPage(33)); // Internet -> Czas
    tabs(w, 1)->setCurrentIndex(4);
    tabs(w, 4)->setCurrentIndex(2);
    QString seenAtClose;
    connect(&w, &ToolsWindow::closed, &w, [&] { seenAtClose = s.main.toolsPageIndexes; });
    w.close();
    QVERIFY(!w.isVisible());
    QCOMPARE(seenAtClose, QStringLiteral("10|4|0|0|2|0|0|0|2|0|0"));

    // Reopened without a code: the same pages again.
    w.open();
    QCOMPARE(stack(w)->currentIndex(), 10);
    QCOMPARE(tabs(w, 8)->currentIndex(), 2);
    QVERIFY(codePage(w, 33)->isVisible());
}

void TestToolsWindow::pageBarScroll()
{
    // Large buttons make the bar taller than the window.
    Settings s;
    s.tools.pagesAsList = false;
    ToolsWindow w(s);
    QVERIFY(w.openPage(28)); // Inne, among the last six: bottom
    QScrollBar* bar = barScroll(w);
    QVERIFY2(bar->maximum() > 0, "the page bar must scroll for this check");
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(s.main.toolsButtonBarScroll, bar->maximum());
    QVERIFY(w.openPage(2)); // Vuzuvured, among the first six: top
    QCOMPARE(bar->value(), bar->minimum());
    QVERIFY(w.openPage(22)); // Napędy CD/DVD, seventh page: bottom
    QCOMPARE(bar->value(), bar->maximum());

    // Closing keeps the position in the model.
    const int middle = bar->maximum() / 2;
    bar->setValue(middle);
    w.close();
    QCOMPARE(s.main.toolsButtonBarScroll, middle);
    // Opening without a code shows the stored position.
    s.main.toolsButtonBarScroll = middle / 2;
    w.open();
    QCOMPARE(bar->value(), middle / 2);
}

void TestToolsWindow::pageBarMode_data()
{
    QTest::addColumn<bool>("lista");
    QTest::addColumn<int>("style");
    QTest::newRow("list") << true << int(Qt::ToolButtonTextBesideIcon);
    QTest::newRow("buttons") << false << int(Qt::ToolButtonTextUnderIcon);
}

void TestToolsWindow::pageBarMode()
{
    QFETCH(bool, lista);
    QFETCH(int, style);
    Settings s;
    s.tools.pagesAsList = lista;
    ToolsWindow w(s);
    QCOMPARE(int(pageButton(w, 0)->toolButtonStyle()), style);
    s.tools.pagesAsList = !lista;
    w.applyLook();
    QVERIFY(int(pageButton(w, 0)->toolButtonStyle()) != style);
}

void TestToolsWindow::positionMarker()
{
    Settings s;
    ToolsWindow w(s);
    QVERIFY(w.openPage(1));
    auto* picture = w.findChild<QWidget*>(QStringLiteral("ScreenPicture"));
    auto* marker = w.findChild<QWidget*>(QStringLiteral("PositionMarker"));
    QVERIFY(picture && marker);
    const QRect screen(0, 0, 1920, 1080);
    // The drawn screen is the area the marker moves in; find it from the two
    // corners.
    w.showMainWindowPosition(QRect(0, 0, 147, 282), screen);
    QVERIFY(marker->isVisible());
    const QPoint topLeft = marker->geometry().topLeft();
    w.showMainWindowPosition(QRect(1773, 798, 147, 282), screen);
    const QRect bottomRight = marker->geometry();
    QVERIFY(bottomRight.left() > topLeft.x() && bottomRight.top() > topLeft.y());
    // Half-way across the screen is half-way across the picture.
    w.showMainWindowPosition(QRect(960 - 73, 540 - 141, 147, 282), screen);
    const QRect centre = marker->geometry();
    const int areaCentreX = (topLeft.x() + bottomRight.right() + 1) / 2;
    const int areaCentreY = (topLeft.y() + bottomRight.bottom() + 1) / 2;
    QVERIFY(qAbs(centre.center().x() - areaCentreX) <= 1);
    QVERIFY(qAbs(centre.center().y() - areaCentreY) <= 1);
    // The marker's size follows the window's share of the screen.
    QVERIFY(qAbs(centre.width() * 1920 / (bottomRight.right() + 1 - topLeft.x()) - 147) < 20);
}

QTEST_MAIN(TestToolsWindow)
#include "tst_tools_window.moc"
