#include "core/reminders/ReminderSettings.h"
#include "core/reminders/UpcomingPage.h"
#include "support/FakeSystemServices.h"
#include "ui/common/Messages.h"
#include "ui/common/NumberField.h"
#include "ui/reminders/TodayWindow.h"
#include "ui/reminders/UpcomingSettingsDialog.h"
#include "ui/reminders/UpcomingWindow.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace zorvex;

namespace {

template <typename T>
T* child(const QWidget& w, const char* name)
{
    return w.findChild<T*>(QString::fromLatin1(name));
}

QRect workArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QList<UpcomingRow> sampleRows()
{
    return {UpcomingRow{0, QDate(2027, 1, 4),
                        {{1, {QStringLiteral("Zýta & Ola (30 lat)")}}, {3, {QStringLiteral("Święto <Trzech>")}}}},
            UpcomingRow{2, QDate(2027, 1, 6), {{2, {QStringLiteral("Óla")}}}}};
}

} // namespace

class ReminderWindowsTest : public QObject {
    Q_OBJECT

private slots:

    void todayWindowFitsItsText_data();
    void todayWindowFitsItsText();
    void todayWindowReportsTheChoice_data();
    void todayWindowReportsTheChoice();

    void upcomingWindowTakesItsStoredPlace_data();
    void upcomingWindowTakesItsStoredPlace();
    void upcomingWindowStoresItsPlace_data();
    void upcomingWindowStoresItsPlace();
    void upcomingWindowShowsTheTable();

    void settingsTestButtonNeedsAKind_data();
    void settingsTestButtonNeedsAKind();
    void settingsBlockTheToolsWindow_data();
    void settingsBlockTheToolsWindow();
    void settingsEditTheModel();
};

void ReminderWindowsTest::todayWindowFitsItsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fontPixels"); // 0: the default font
    QTest::addColumn<QString>("width");  // what sets the width

    const QString shortText = QStringLiteral("Dzisiaj: Dzień Babci");
    // In a font as small as the original's, the box fits beside the button.
    QTest::newRow("short, small font") << shortText << 7 << QStringLiteral("minimum");
    QTest::newRow("ampersand, small font") << QStringLiteral("Dzisiaj imieniny ma: Tom & Jerry") << 7
                                           << QStringLiteral("minimum");
    QTest::newRow("short, default font") << shortText << 0 << QStringLiteral("box");
    QTest::newRow("long line") << QStringLiteral("Dzisiaj 40 urodziny obchodzi: ")
                                      + QString(QStringLiteral("Bardzo Długie Nazwisko ")).repeated(6)
                               << 0 << QStringLiteral("text");
    QTest::newRow("several lines") << QStringLiteral("Dzisiaj: Walentynki\nRocznica: Ślub (10)\n"
                                                     "Dzisiaj imieniny ma: Walenty i bardzo długi dopisek do imienia")
                                   << 0 << QStringLiteral("text");
}

void ReminderWindowsTest::todayWindowFitsItsText()
{
    QFETCH(QString, text);
    QFETCH(int, fontPixels);
    QFETCH(QString, width);

    TodayWindow w;
    FakeSystemServices system;
    w.setSystemServices(&system);
    if (fontPixels) {
        QFont small = w.font();
        small.setPixelSize(fontPixels);
        w.setFont(small);
    }
    w.showText(text);
    QVERIFY(w.isVisible());
    QCOMPARE(system.calls, QStringList{QStringLiteral("playInformationSound")});
    QVERIFY(w.isWindow());
    QCOMPARE(w.parentWidget(), nullptr);
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(w.windowTitle(), QStringLiteral("Ważny dzień"));

    const QLabel* label = child<QLabel>(w, "TodayText");
    const QPushButton* ok = child<QPushButton>(w, "OkButton");
    const QCheckBox* box = child<QCheckBox>(w, "DontShowToday");
    QVERIFY(label && ok && box);
    QCOMPARE(label->text(), text); // as written, the ampersand included
    QCOMPARE(label->textFormat(), Qt::PlainText);

    // The label is as wide as its longest line.
    int longest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        longest = std::max(longest, label->fontMetrics().horizontalAdvance(line));
    QVERIFY(label->width() >= longest);

    const int textRight = label->x() + label->width();
    const int textBottom = label->y() + label->height();
    const int boxNeeds = box->x() + box->sizeHint().width() + 8 + ok->width() + 8;
    if (width == QLatin1String("minimum")) {
        QCOMPARE(w.width(), 297);
    } else if (width == QLatin1String("box")) {
        QVERIFY(textRight + 19 <= 297);
        QCOMPARE(w.width(), std::max(297, boxNeeds));
    } else {
        QVERIFY(textRight + 19 > std::max(297, boxNeeds));
        QCOMPARE(w.width(), textRight + 19);
    }
    QCOMPARE(w.height(), textBottom + 56);
    QCOMPARE(ok->x() + ok->width(), w.width() - 8);
    QCOMPARE(box->y(), textBottom + 23);
    QVERIFY(ok->y() + ok->height() <= w.height());
    // The box is never covered by the button.
    QVERIFY(box->x() + box->width() <= ok->x());
}

void ReminderWindowsTest::todayWindowReportsTheChoice_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("closing");

    for (const bool ticked : {true, false}) {
        for (const char* closing : {"ok", "escape", "title bar"}) {
            QTest::addRow("%s, %s", ticked ? "ticked" : "unticked", closing) << ticked << QString::fromLatin1(closing);
        }
    }
}

void ReminderWindowsTest::todayWindowReportsTheChoice()
{
    QFETCH(bool, ticked);
    QFETCH(QString, closing);

    TodayWindow w;
    QSignalSpy spy(&w, &TodayWindow::closedWithChoice);
    auto* box = child<QCheckBox>(w, "DontShowToday");
    // A box ticked on an earlier day does not carry over.
    box->setChecked(true);
    w.showText(QStringLiteral("Dzisiaj: Dzień Matki"));
    QVERIFY(!box->isChecked());
    if (ticked)
        box->click();

    if (closing == QLatin1String("ok"))
        child<QPushButton>(w, "OkButton")->click();
    else if (closing == QLatin1String("escape"))
        QTest::keyClick(&w, Qt::Key_Escape);
    else
        w.close();

    QVERIFY(!w.isVisible());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), ticked);
}

void ReminderWindowsTest::upcomingWindowTakesItsStoredPlace_data()
{
    QTest::addColumn<QRect>("stored");

    QTest::newRow("stored") << QRect(100, 120, 500, 280);
    QTest::newRow("nothing stored") << QRect(-1, -1, -1, -1);
    QTest::newRow("position only") << QRect(-1, -1, 420, 240);
    QTest::newRow("far outside") << QRect(5000, 4000, 400, 200);
}

void ReminderWindowsTest::upcomingWindowTakesItsStoredPlace()
{
    QFETCH(QRect, stored);

    UpcomingDatesSettings s;
    s.x = stored.x();
    s.y = stored.y();
    s.w = stored.width();
    s.h = stored.height();
    UpcomingWindow w(QStringLiteral("/nonexistent/zorvex"), s);
    w.showRows(sampleRows());
    QVERIFY(w.isVisible());
    QVERIFY(w.isWindow());
    QCOMPARE(w.parentWidget(), nullptr);
    QVERIFY((w.windowFlags() & Qt::WindowType_Mask) == Qt::Tool);
    QCOMPARE(w.windowTitle(), QStringLiteral("Ważne daty - powiadomienie"));

    const QSize size = s.w == -1 ? UpcomingWindow::kDefaultSize : QSize(s.w, s.h);
    QCOMPARE(w.size(), size);
    if (s.x == -1) {
        // Centred up to the window frame.
        const QPoint offCentre = w.frameGeometry().center() - workArea().center();
        const int frame = (w.frameGeometry().width() - w.width()) / 2 + 1;
        QVERIFY2(std::abs(offCentre.x()) <= frame && std::abs(offCentre.y()) <= frame,
                 qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
    } else if (QGuiApplication::primaryScreen()->geometry().contains(stored)) {
        QCOMPARE(w.pos(), stored.topLeft());
    } else {
        QVERIFY(QGuiApplication::primaryScreen()->geometry().contains(QRect(w.pos(), w.size())));
    }
    // Showing the window again while it is open keeps it where it is.
    w.move(w.pos() + QPoint(10, 10));
    const QPoint moved = w.pos();
    w.showRows(sampleRows());
    QCOMPARE(w.pos(), moved);
}

void ReminderWindowsTest::upcomingWindowStoresItsPlace_data()
{
    QTest::addColumn<bool>("maximized");
    QTest::newRow("normal") << false;
    QTest::newRow("maximized keeps the normal place") << true;
}

void ReminderWindowsTest::upcomingWindowStoresItsPlace()
{
    QFETCH(bool, maximized);

    UpcomingDatesSettings s;
    s.x = 100;
    s.y = 120;
    s.w = 500;
    s.h = 280;
    UpcomingWindow w(QStringLiteral("/nonexistent/zorvex"), s);
    QSignalSpy closed(&w, &UpcomingWindow::closed);
    w.showRows(sampleRows());
    w.move(150, 90);
    w.resize(450, 250);
    if (maximized)
        w.setWindowState(Qt::WindowMaximized);
    w.close();

    QCOMPARE(closed.size(), 1);
    const QRect expected = maximized ? QRect(100, 120, 500, 280) : QRect(150, 90, 450, 250);
    QCOMPARE(QRect(s.x, s.y, s.w, s.h), expected);

    // Reopened, it stands where it was closed.
    if (!maximized) {
        UpcomingWindow again(QStringLiteral("/nonexistent/zorvex"), s);
        again.showRows(sampleRows());
        QCOMPARE(QRect(again.pos(), again.size()), expected);
    }
}

void ReminderWindowsTest::upcomingWindowShowsTheTable()
{
    // A folder name with characters that mean something in an address.
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/zorvex #dane's-XXXXXX"));
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Gfx")));
    QImage stripe(4, 4, QImage::Format_ARGB32);
    stripe.fill(Qt::blue);
    QVERIFY(stripe.save(dir.filePath(QStringLiteral("Gfx/01.png"))));

    UpcomingDatesSettings s;
    UpcomingWindow w(dir.path(), s);
    w.showRows(sampleRows());
    const QTextBrowser* page = child<QTextBrowser>(w, "Page");
    QVERIFY(page);
    QCOMPARE(page, w.page());
    QVERIFY(!page->openLinks());
    QVERIFY(!page->openExternalLinks());

    const QString text = page->toPlainText();
    for (const char* expected : {"Dzisiaj:", "Pojutrze:", "Urodziny:", "Zýta & Ola (30 lat)", "Ważny dzień:",
                                 "Święto <Trzech>", "Imieniny:", "Óla"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);

    // The page's picture address reaches the file in the data folder.
    const QString address = QStringLiteral("file://") + upcomingPagePath(dir.path()) + QStringLiteral("Gfx/01.png");
    QVERIFY(upcomingPageHtml({}, dir.path()).contains(QStringLiteral("url('") + address + QStringLiteral("')")));
    const QVariant image = page->document()->resource(QTextDocument::ImageResource, QUrl(address));
    QVERIFY(image.isValid());
    QVERIFY(!image.isNull());
}

void ReminderWindowsTest::settingsTestButtonNeedsAKind_data()
{
    QTest::addColumn<bool>("persons");
    QTest::addColumn<bool>("important");
    QTest::addColumn<bool>("privateDays");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("none") << false << false << false << false;
    QTest::newRow("persons") << true << false << false << true;
    QTest::newRow("important") << false << true << false << true;
    QTest::newRow("private") << false << false << true << true;
    QTest::newRow("all") << true << true << true << true;
}

void ReminderWindowsTest::settingsTestButtonNeedsAKind()
{
    QFETCH(bool, persons);
    QFETCH(bool, important);
    QFETCH(bool, privateDays);
    QFETCH(bool, enabled);

    // As loaded from the model.
    UpcomingDatesSettings s;
    s.includePersons = persons;
    s.includeImportantDays = important;
    s.includePrivateDays = privateDays;
    UpcomingSettingsDialog d(s);
    QWidget tools;
    tools.show();
    d.openOver(&tools);
    auto* test = child<QPushButton>(d, "TestButton");
    QCOMPARE(test->isEnabled(), enabled);

    // As the boxes are ticked by hand, starting from none.
    for (const char* name : {"Pokaz1", "Pokaz2", "Pokaz3"})
        child<QCheckBox>(d, name)->setChecked(false);
    QVERIFY(!test->isEnabled());
    child<QCheckBox>(d, "Pokaz1")->setChecked(persons);
    child<QCheckBox>(d, "Pokaz2")->setChecked(important);
    child<QCheckBox>(d, "Pokaz3")->setChecked(privateDays);
    QCOMPARE(test->isEnabled(), enabled);

    QSignalSpy requested(&d, &UpcomingSettingsDialog::testRequested);
    test->click();
    QCOMPARE(requested.size(), enabled ? 1 : 0);
}

void ReminderWindowsTest::settingsBlockTheToolsWindow_data()
{
    QTest::addColumn<bool>("byOk");
    QTest::newRow("OK") << true;
    QTest::newRow("title bar") << false;
}

void ReminderWindowsTest::settingsBlockTheToolsWindow()
{
    QFETCH(bool, byOk);

    UpcomingDatesSettings s;
    UpcomingSettingsDialog d(s);
    QWidget tools;
    tools.show();
    QSignalSpy closed(&d, &UpcomingSettingsDialog::closed);

    d.openOver(&tools);
    QVERIFY(d.isVisible());
    QVERIFY(!tools.isEnabled());
    QVERIFY(d.isWindow());
    QVERIFY(!tools.isAncestorOf(&d));
    QVERIFY(d.isEnabled());
    QVERIFY(child<QPushButton>(d, "OkButton")->isEnabled());
    QCOMPARE(d.windowTitle(), QStringLiteral("Ważne daty - powiadomienie"));

    if (byOk)
        child<QPushButton>(d, "OkButton")->click();
    else
        d.close();
    QVERIFY(!d.isVisible());
    QVERIFY(tools.isEnabled());
    QCOMPARE(closed.size(), 1);

    // Opened again, it blocks again.
    d.openOver(&tools);
    QVERIFY(!tools.isEnabled());
    d.close();
    QVERIFY(tools.isEnabled());
    QCOMPARE(closed.size(), 2);
}

void ReminderWindowsTest::settingsEditTheModel()
{
    UpcomingDatesSettings s;
    s.showByItself = false;
    s.daysAhead = 12;
    s.includePersons = true;
    s.includeImportantDays = false;
    s.includePrivateDays = true;
    s.onceADay = true;
    UpcomingSettingsDialog d(s);
    QWidget tools;
    d.openOver(&tools);

    auto* pokaz = child<QCheckBox>(d, "Pokaz");
    auto* days = child<NumberField>(d, "PolazDni");
    QVERIFY(pokaz && days);
    QVERIFY(!pokaz->isChecked());
    QCOMPARE(days->value(), 12);
    QCOMPARE(days->minimum(), 1);
    QCOMPARE(days->maximum(), 31);
    QVERIFY(child<QCheckBox>(d, "Pokaz1")->isChecked());
    QVERIFY(!child<QCheckBox>(d, "Pokaz2")->isChecked());
    QVERIFY(child<QCheckBox>(d, "Pokaz3")->isChecked());
    QCOMPARE(child<QCheckBox>(d, "Raz")->toolTip(),
             QStringLiteral("Nie zaznaczenie tej opcji spowoduje pokazywanie powiadomienia przy każdym uruchamianiu "
                            "Zorvex."));

    pokaz->click();
    days->setFocus();
    QTest::keyClick(days, Qt::Key_Up);
    child<QCheckBox>(d, "Pokaz1")->click();
    child<QCheckBox>(d, "Pokaz2")->click();
    child<QCheckBox>(d, "Raz")->click();
    // Written at once, so "Testuj powiadomienie" sees them.
    QVERIFY(s.showByItself);
    QCOMPARE(s.daysAhead, 13);
    QVERIFY(!s.includePersons);
    QVERIFY(s.includeImportantDays);
    QVERIFY(s.includePrivateDays);
    QVERIFY(!s.onceADay);

    // Reopening shows the model as it now stands, changed elsewhere too.
    d.close();
    s.daysAhead = 31;
    d.openOver(&tools);
    QCOMPARE(days->value(), 31);
    QTest::keyClick(days, Qt::Key_Up);
    QCOMPARE(s.daysAhead, 31);
    d.close();
}

QTEST_MAIN(ReminderWindowsTest)
#include "tst_reminder_windows.moc"
