// The calendar in the main window: month navigation, the caption and day
// menus, the go-to-date dialog, the scrolling line, the card, the frame and
// the "Kolory" page driving the look.
#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/app/TraySettings.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "support/FakeClock.h"
#include "support/FakeScreenActivity.h"
#include "support/FileFixture.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/calendar/CalendarView.h"
#include "ui/calendar/ChosenDateWindow.h"
#include "ui/calendar/ColoursPage.h"
#include "ui/calendar/DayCard.h"
#include "ui/calendar/GoToDateDialog.h"
#include "ui/calendar/MonthRenderer.h"
#include "ui/calendar/ScrollingText.h"
#include "ui/calendar/TimeOfDayPictures.h"
#include "ui/calendar/TimeOfDaySetList.h"
#include "ui/calendar/VisibleTextsDialog.h"
#include "ui/common/ColourBox.h"
#include "ui/common/HintWindow.h"
#include "ui/common/Messages.h"
#include "support/RecordingPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QComboBox>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(zorvex::AddCommand)

namespace zorvex {

namespace {

const QString kFixtures = QStringLiteral(ZORVEX_FIXTURES "/calendar/");

// A main window with the calendar over a data folder holding the fixture's
// name days. Today is Saturday 3 January 2026, which has names and a
// sentence; January 2026 begins on a Thursday.
struct Fixture {
    QTemporaryDir dir;
    FakeClock clock{QDateTime(QDate(2026, 1, 3), QTime(12, 0))};
    Settings settings;
    TraySettings tray;
    RecordingPrompts prompts;
    PathTable paths;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<CalendarView> view;
    std::unique_ptr<ColoursPage> page;

    Fixture()
    {
        QFile::copy(kFixtures + QStringLiteral("Imieniny.ini"), dir.filePath(QStringLiteral("Imieniny.ini")));
        paths = PathTable(dir.path() + QLatin1Char('/'), QStringLiteral("Tester"),
                          kFixtures + QStringLiteral("Sentencje.ini"));
    }
    CalendarView& make(bool start = true)
    {
        window = std::make_unique<MainWindow>(paths, settings, tray, prompts);
        view = std::make_unique<CalendarView>(*window, settings, paths, clock);
        window->show();
        if (start)
            view->start();
        return *view;
    }
    // The "Kolory" page wired to the calendar, as the application does.
    ColoursPage& coloursPage()
    {
        page = std::make_unique<ColoursPage>(settings, paths, prompts);
        view->attachColoursPage(page.get());
        return *page;
    }
    template <typename T = QWidget>
    T* child(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QLabel* kal() const { return window->monthPicture(); }
    QString caption() const { return window->monthCaption()->text(); }
    QDate shown() const { return view->model().date(); }
};

// The centre of a day's cell on the month picture.
QPoint cellCentre(int column, int row)
{
    return QPoint(21 * column + 10, 14 * row + 6);
}

void sendEnter(QWidget* w)
{
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(w, &e);
}

void sendMove(QWidget* w, const QPoint& pos)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void sendLeave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

QMenu* shownMenu(const Fixture& f, const char* name)
{
    auto* menu = f.child<QMenu>(name);
    return menu && menu->isVisible() ? menu : nullptr;
}

QAction* actionNamed(QMenu* menu, const char* name)
{
    return menu->findChild<QAction*>(QString::fromLatin1(name));
}

} // namespace

class TestCalUiView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void nothingBeforeStartThenTodaysMonth();
    void arrows();
    void arrowLimits();
    void arrowsSwitchedOffReturnToToday();
    void captionMenu();
    void captionFontSize();
    void goToDate();
    void dayMenu();
    void annotationsColourHintAndEntries();
    void namesOfChosenDate();
    void scrollSpeeds_data();
    void scrollSpeeds();
    void scrollPausesOnHoverAndWraps();
    void scrollRestsWhileNothingMoves_data();
    void scrollRestsWhileNothingMoves();
    void scrollDrawsTheTextAtItsPlace();
    void copyMenu();
    void visibleTextsDialog();
    void visibleTextsFileNotReadIsKept_data();
    void visibleTextsFileNotReadIsKept();
    void card();
    void timeOfDayPictureFollowsTheDayPart();
    void frameShapes_data();
    void frameShapes();
    void coloursPageChangesTheLook();
    void headerFaceIgnoresADarkTheme();
    void settingsSurviveRestart();
    void colourGuards();
    void missingSkin();
};

void TestCalUiView::initTestCase()
{
    qRegisterMetaType<AddCommand>();
}

void TestCalUiView::nothingBeforeStartThenTodaysMonth()
{
    Fixture f;
    CalendarView& v = f.make(false);
    QVERIFY(f.kal()->pixmap().isNull());
    QVERIFY(v.scrollingText()->text().isEmpty());
    v.redrawCalendar(true);
    QVERIFY(f.kal()->pixmap().isNull());

    v.start();
    QCOMPARE(f.shown(), QDate(2026, 1, 3));
    QCOMPARE(f.caption(), QString::fromUtf8("Styczeń 2026"));
    QCOMPARE(f.kal()->pixmap().size(), QSize(147, 97));
    // Today, a Saturday in the first week, is framed: black outside, the
    // today colour inside.
    const QImage& pic = v.monthPicture();
    QCOMPARE(pic.pixel(105, 11), qRgb(0, 0, 0));
    QCOMPARE(pic.pixel(106, 12), qRgb(0, 0, 255));
    // The day text, the time-of-day picture and the background are there.
    QCOMPARE(v.scrollingText()->text(),
             QString::fromUtf8("Imieniny: Danuty, Genowefy.     Sentencja: \"Podróż na tysiąc mil zaczyna się od "
                               "pierwszego kroku.\" (Lao Tse)"));
    QVERIFY(v.scrollingText()->toolTip().contains(QLatin1Char('\n')));
    const QPixmap picture = f.window->timeOfDayPicture()->pixmap();
    QCOMPARE(picture.size(), QSize(32, 64));
    QCOMPARE(picture.toImage().pixel(0, 10), qRgb(0, 0, 0)); // its frame line
    QCOMPARE(v.backgroundPicture()->geometry(), QRect(0, 0, 147, 181));
}

void TestCalUiView::arrows()
{
    Fixture f;
    f.make();
    QLabel* next = f.window->nextMonthArrow();
    QLabel* previous = f.window->previousMonthArrow();
    QVERIFY(!next->pixmap().isNull());

    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(f.shown(), QDate(2026, 2, 3));
    QCOMPARE(f.caption(), QStringLiteral("Luty 2026"));
    // A double click comes as a click, the double click and a release:
    // two months.
    QTest::mouseClick(next, Qt::LeftButton);
    QTest::mouseDClick(next, Qt::LeftButton);
    QTest::mouseRelease(next, Qt::LeftButton);
    QCOMPARE(f.shown(), QDate(2026, 4, 3));
    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(f.shown(), QDate(2026, 3, 3));
    QCOMPARE(f.caption(), QStringLiteral("Marzec 2026"));
    // No today frame in another month.
    QCOMPARE(f.view->monthPicture(),
             renderMonthPicture(monthLookOf(f.settings.main), f.view->model(), f.view->annotations(), QDate()));
}

void TestCalUiView::arrowLimits()
{
    Fixture f;
    CalendarView& v = f.make();
    v.model().setDate(QDate(9999, 12, 5));
    QVERIFY(!v.showNextMonth());
    QCOMPARE(f.shown(), QDate(9999, 12, 5));
    QVERIFY(v.showPreviousMonth());
    QCOMPARE(f.shown(), QDate(9999, 11, 5));
    v.model().setDate(QDate(1, 1, 31));
    QVERIFY(!v.showPreviousMonth());
    QCOMPARE(f.shown(), QDate(1, 1, 31));
    QVERIFY(v.showNextMonth());
    QCOMPARE(f.shown(), QDate(1, 2, 28));
}

void TestCalUiView::arrowsSwitchedOffReturnToToday()
{
    Fixture f;
    CalendarView& v = f.make();
    v.showNextMonth();
    f.settings.main.monthArrows = false;
    v.monthArrowsChanged();
    QCOMPARE(f.shown(), QDate(2026, 1, 3));
    QVERIFY(f.window->nextMonthArrow()->isHidden());
    QVERIFY(f.window->previousMonthArrow()->isHidden());
}

void TestCalUiView::captionMenu()
{
    Fixture f;
    f.make();
    QTest::mouseDClick(f.window->monthCaption(), Qt::LeftButton);
    QMenu* menu = shownMenu(f, "PopupMenu2");
    QVERIFY(menu);
    QAction* current = actionNamed(menu, "MenuAktualnyMiesiac");
    QCOMPARE(current->text(), QString::fromUtf8("Przejdz do aktualnego miesiąca"));
    QVERIFY(!current->isEnabled());
    menu->hide();

    f.view->showNextMonth();
    QTest::mouseDClick(f.window->monthCaption(), Qt::LeftButton);
    QVERIFY(current->isEnabled());
    current->trigger();
    QCOMPARE(f.shown(), QDate(2026, 1, 3));
    QCOMPARE(f.caption(), QString::fromUtf8("Styczeń 2026"));
    menu->hide();
}

void TestCalUiView::captionFontSize()
{
    Fixture f;
    CalendarView& v = f.make();
    // Minimize button, clock and arrows all showing.
    QCOMPARE(v.captionFontSize(), 11);
    v.model().goToMonth(2026, 10);
    v.redrawCalendar();
    QCOMPARE(f.caption(), QString::fromUtf8("Październik 2026"));
    QCOMPARE(v.captionFontSize(), 9);
    f.settings.main.monthArrows = false;
    f.settings.main.clockPanelVisible = false; // the clock goes with the top panel
    f.window->relayout();
    v.model().goToToday(); // back to a short caption, arrows off
    f.settings.main.monthArrows = true;
    f.window->relayout();
    v.monthArrowsChanged();
    QCOMPARE(v.captionFontSize(), 11); // 12 characters: "Styczeń 2026"
}

void TestCalUiView::goToDate()
{
    Fixture f;
    f.make();
    QTest::mouseDClick(f.window->monthCaption(), Qt::LeftButton);
    QMenu* menu = shownMenu(f, "PopupMenu2");
    QVERIFY(menu);
    actionNamed(menu, "MenuWybranaData")->trigger();
    menu->hide();

    GoToDateDialog* dialog = f.view->goToDateDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Przejdź do daty"));
    auto* month = dialog->findChild<QSpinBox*>(QStringLiteral("DateTimePicker1"));
    auto* year = dialog->findChild<QSpinBox*>(QStringLiteral("Edit1"));
    QVERIFY(month && year);
    QCOMPARE(month->value(), 1);
    QCOMPARE(month->text(), QStringLiteral("sty"));
    QCOMPARE(year->value(), 2026);

    // Text that is no year in 1-9999 gives way to the year at once.
    QLineEdit* edit = year->findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("0"));
    QCOMPARE(edit->text(), QStringLiteral("2026"));
    QTest::keyClicks(edit, QStringLiteral("x"));
    QCOMPARE(edit->text(), QStringLiteral("2026"));
    QApplication::clipboard()->setText(QStringLiteral("12345"));
    edit->selectAll();
    edit->paste();
    QCOMPARE(edit->text(), QStringLiteral("2026"));
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(year->value(), 2027);

    month->stepDown(); // goes round to December
    QCOMPARE(month->text(), QStringLiteral("gru"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("2030"));
    dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(f.shown(), QDate(2030, 12, 1));
    QCOMPARE(f.caption(), QString::fromUtf8("Grudzień 2030"));
}

void TestCalUiView::dayMenu()
{
    Fixture f;
    f.make();
    QSignalSpy adds(f.view.get(), &CalendarView::addRequested);

    // 15 January 2026 is a Thursday: column 3 of the third week row.
    QTest::mouseDClick(f.kal(), Qt::LeftButton, {}, cellCentre(3, 3));
    auto* menu = qobject_cast<AddMenu*>(shownMenu(f, "PopupMenu1"));
    QVERIFY(menu);
    QCOMPARE(menu->barText(), QStringLiteral("15.01.2026"));
    QVERIFY(!menu->entriesMenu()->menuAction()->isVisible());

    struct Case {
        const char* action;
        AddCommand command;
        int page;
    };
    const Case cases[] = {{"MenuDodajAlarm", AddCommand::Alarm, 5},
                          {"MenuDodajUrodziny", AddCommand::Birthday, 18},
                          {"MenuDodajImieniny", AddCommand::NameDay, 18},
                          {"MenuDodajWaznyDzien", AddCommand::ImportantDay, 19},
                          {"MenuDodajPrywatnyDzien", AddCommand::PrivateDay, 35},
                          {"MenuDodajRocznice", AddCommand::Anniversary, 35}};
    for (const Case& c : cases) {
        actionNamed(menu, c.action)->trigger();
        QCOMPARE(adds.size(), 1);
        QCOMPARE(adds.at(0).at(0).value<AddCommand>(), c.command);
        QCOMPARE(adds.at(0).at(1).toInt(), c.page);
        QCOMPARE(adds.at(0).at(2).toDate(), QDate(2026, 1, 15));
        adds.clear();
    }
    menu->hide();

    // A cell without a day opens nothing: 1 January is in column 3.
    QTest::mouseDClick(f.kal(), Qt::LeftButton, {}, cellCentre(0, 1));
    QVERIFY(!shownMenu(f, "PopupMenu1"));
    QTest::mouseDClick(f.kal(), Qt::LeftButton, {}, cellCentre(2, 0)); // the weekday header
    QVERIFY(!shownMenu(f, "PopupMenu1"));
    QCOMPARE(f.view->chosenDate(), QDate(2026, 1, 15));
}

void TestCalUiView::annotationsColourHintAndEntries()
{
    Fixture f;
    QList<QPair<int, int>> asked;
    f.make(false);
    f.view->setAnnotationProvider([&asked](int year, int month) {
        asked << qMakePair(year, month);
        DayAnnotations a(year, month);
        DayAnnotation* d = a.dayOf(15);
        d->colour = 65280;
        d->hint = QStringLiteral("Urodziny: Jan (30 lat)");
        d->entries << DayMenuEntry{DayMenuEntry::Persons, 4, QStringLiteral("Urodziny: Jan")};
        return a;
    });
    f.view->start();
    QCOMPARE(asked.last(), qMakePair(2026, 1));
    const QRect cell15(63, 42, 20, 13);
    QCOMPARE(f.view->monthPicture().pixel(cell15.bottomRight()), qRgb(0, 255, 0));
    QCOMPARE(f.view->model().dayColour(15), Colour(65280));

    sendMove(f.kal(), cellCentre(3, 3));
    QCOMPARE(f.kal()->toolTip(), QStringLiteral("Urodziny: Jan (30 lat)"));
    sendMove(f.kal(), cellCentre(4, 3));
    QCOMPARE(f.kal()->toolTip(), QString());

    QSignalSpy entries(f.view.get(), &CalendarView::dayEntryChosen);
    QTest::mouseDClick(f.kal(), Qt::LeftButton, {}, cellCentre(3, 3));
    auto* menu = qobject_cast<AddMenu*>(shownMenu(f, "PopupMenu1"));
    QVERIFY(menu);
    QVERIFY(menu->entriesMenu()->menuAction()->isVisible());
    QCOMPARE(menu->entriesMenu()->actions().size(), 1);
    QCOMPARE(menu->entriesMenu()->actions().at(0)->text(), QStringLiteral("Urodziny: Jan"));
    menu->entriesMenu()->actions().at(0)->trigger();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.at(0), (QList<QVariant>{1, 4, 18}));
    menu->hide();

    f.view->showNextMonth();
    QCOMPARE(asked.last(), qMakePair(2026, 2));
}

void TestCalUiView::namesOfChosenDate()
{
    Fixture f;
    f.make();
    QTest::mouseDClick(f.kal(), Qt::LeftButton, {}, cellCentre(4, 1)); // 2 January
    auto* menu = qobject_cast<AddMenu*>(shownMenu(f, "PopupMenu1"));
    QVERIFY(menu);
    menu->namesAction()->trigger();
    menu->hide();
    ChosenDateWindow* window = f.view->chosenDateWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Imieniny i sentencja"));
    QCOMPARE(window->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QString::fromUtf8("Data: piątek, 2 sty 2026"));
    QCOMPARE(window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText(),
             QStringLiteral("Imieniny:\n\n\nSentencja:\n"));
    window->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Imieniny:\r\n\r\n\r\nSentencja:\r\n"));
}

void TestCalUiView::scrollSpeeds_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("interval");
    QTest::newRow("1") << 1 << 1 << 40;
    QTest::newRow("2") << 2 << 1 << 30;
    QTest::newRow("3") << 3 << 2 << 40;
    QTest::newRow("4") << 4 << 2 << 30;
}

void TestCalUiView::scrollSpeeds()
{
    QFETCH(int, level);
    QFETCH(int, step);
    QFETCH(int, interval);
    Fixture f;
    f.settings.main.scrollSpeed = level;
    CalendarView& v = f.make();
    ScrollingText* s = v.scrollingText();
    QCOMPARE(s->timerInterval(), interval);
    QVERIFY(s->isTimerRunning());
    const int before = s->position();
    s->step();
    QCOMPARE(s->position(), before - step);
    s->step();
    QCOMPARE(s->position(), before - 2 * step);
}

void TestCalUiView::scrollPausesOnHoverAndWraps()
{
    ScrollingText s;
    s.resize(147, 19);
    s.setText(QStringLiteral("Imieniny: Danuty"));
    const int start = s.position();
    sendEnter(&s);
    QVERIFY(s.isPaused());
    s.step();
    QCOMPARE(s.position(), start);
    sendLeave(&s);
    QVERIFY(!s.isPaused());
    s.step();
    QCOMPARE(s.position(), start - 1);

    // The copies of the text follow each other at its width and the gap, so
    // after that many one-pixel steps the line looks as it started; the
    // first copy never runs further left than one period.
    const int period = s.fontMetrics().horizontalAdvance(s.text()) + ScrollingText::kGap;
    for (int i = 1; i < 3 * period; ++i) {
        s.step();
        QVERIFY(s.position() > -period);
        QVERIFY(s.position() <= start);
    }
    QCOMPARE((start - s.position()) % period, 0);
    // The same text keeps its place; a new one starts again.
    s.step();
    const int moved = s.position();
    s.setText(s.text());
    QCOMPARE(s.position(), moved);
    s.setText(QStringLiteral("Inny"));
    QCOMPARE(s.position(), start);
}

enum class Rest { Screen, Pointer, WindowHidden, PanelOff };

void rest(Rest way, Fixture& f, FakeScreenActivity& screen, bool resting)
{
    switch (way) {
    case Rest::Screen: screen.set(!resting); break;
    case Rest::Pointer:
        if (resting)
            sendEnter(f.view->scrollingText());
        else
            sendLeave(f.view->scrollingText());
        break;
    case Rest::WindowHidden: f.window->setVisible(!resting); break;
    case Rest::PanelOff:
        f.settings.main.textPanelVisible = !resting;
        f.window->relayout();
        break;
    }
}

void TestCalUiView::scrollRestsWhileNothingMoves_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("screen locked or blanked") << int(Rest::Screen);
    QTest::newRow("pointer over the line") << int(Rest::Pointer);
    QTest::newRow("window hidden") << int(Rest::WindowHidden);
    QTest::newRow("text panel off") << int(Rest::PanelOff);
}

void TestCalUiView::scrollRestsWhileNothingMoves()
{
    QFETCH(int, way);
    const Rest w = Rest(way);
    Fixture f;
    FakeScreenActivity screen;
    CalendarView& v = f.make();
    v.watchScreen(&screen);
    ScrollingText* s = v.scrollingText();
    QVERIFY(s->isTimerRunning());
    rest(w, f, screen, true);
    QVERIFY(!s->isTimerRunning());
    rest(w, f, screen, false);
    QVERIFY(s->isTimerRunning());

    // Resting for two reasons: it moves again only once both are over.
    if (w != Rest::Screen) {
        rest(w, f, screen, true);
        screen.set(false);
        rest(w, f, screen, false);
        QVERIFY(!s->isTimerRunning());
        screen.set(true);
        QVERIFY(s->isTimerRunning());
    }
}

void TestCalUiView::scrollDrawsTheTextAtItsPlace()
{
    // The line copies a picture of its text drawn once; what shows must be
    // the text itself at its place, also where one copy follows the other.
    ScrollingText s;
    s.resize(147, 19);
    s.setColours(0x0000FF, 0xFFFFFF);
    s.setText(QStringLiteral("Imieniny: Danuty"));
    const int period = s.fontMetrics().horizontalAdvance(s.text()) + ScrollingText::kGap;
    const auto expected = [&] {
        QImage img(s.size(), QImage::Format_RGB32);
        img.fill(QColor(255, 255, 255));
        QPainter p(&img);
        p.setFont(s.font());
        p.setPen(QColor(255, 0, 0));
        const int baseline = (s.height() - s.fontMetrics().height()) / 2 + s.fontMetrics().ascent();
        for (int x = s.position(); x < s.width(); x += period)
            p.drawText(QPoint(x, baseline), s.text());
        return img;
    };
    for (int steps : {0, 5, period - 20, period - 2}) {
        while ((ScrollingText::kStartPosition - s.position() + period) % period != steps % period)
            s.step();
        QCOMPARE(s.grab().toImage().convertToFormat(QImage::Format_RGB32), expected());
    }
    // New colours and a new text are drawn anew.
    s.setColours(0x00FF00, 0xFFFFFF);
    s.setText(QStringLiteral("Sentencja"));
    QImage shown = s.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(shown.pixelColor(shown.width() - 1, 0) == QColor(255, 255, 255));
    bool green = false;
    for (int x = 0; x < shown.width() && !green; ++x) {
        for (int y = 0; y < shown.height() && !green; ++y)
            green = shown.pixelColor(x, y).green() > 100 && shown.pixelColor(x, y).red() < 100;
    }
    QVERIFY(green);
}

void TestCalUiView::copyMenu()
{
    Fixture f;
    CalendarView& v = f.make();
    ScrollingText* s = v.scrollingText();
    QTest::mouseDClick(s, Qt::LeftButton);
    auto* menu = qobject_cast<CopyMenu*>(shownMenu(f, "PopupMenu3"));
    QVERIFY(menu);
    QCOMPARE(menu->items(), (QList<CopyItem>{CopyItem::All, CopyItem::Names, CopyItem::Sentence}));
    menu->actionOf(CopyItem::Names)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Imieniny: Danuty, Genowefy"));
    menu->actionOf(CopyItem::All)->trigger();
    QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("Imieniny: Danuty, Genowefy.\r\nSentencja: ")));
    menu->hide();

    // Only the radio, and it is silent: nothing to copy, no menu.
    v.setVisibleTexts(VisibleTexts::fromFlags({false, false, true, false}));
    QCOMPARE(s->text(), QString());
    QTest::mouseDClick(s, Qt::LeftButton);
    QVERIFY(!shownMenu(f, "PopupMenu3"));
}

void TestCalUiView::visibleTextsDialog()
{
    Fixture f;
    CalendarView& v = f.make();
    QWidget tools;
    tools.show();
    v.openVisibleTextsDialog(&tools);
    VisibleTextsDialog* dialog = v.visibleTextsDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Panel tekstowy"));
    QVERIFY(!tools.isEnabled());
    QListWidget* list = dialog->list();
    QCOMPARE(list->objectName(), QStringLiteral("ListTxt"));
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->item(3)->text(), QString::fromUtf8("Muzyka (menadżer m3u)"));
    QCOMPARE(list->item(0)->checkState(), Qt::Checked);
    QCOMPARE(list->item(1)->checkState(), Qt::Checked);
    QCOMPARE(list->item(2)->checkState(), Qt::Unchecked);
    list->item(1)->setCheckState(Qt::Unchecked);
    dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();

    QVERIFY(tools.isEnabled());
    QCOMPARE(v.dayText().visibleTexts(), VisibleTexts::fromFlags({true, false, false, false}));
    QCOMPARE(v.scrollingText()->text(), QStringLiteral("Imieniny: Danuty, Genowefy"));

    // Closing by the window's own button takes the marks as well.
    v.openVisibleTextsDialog(&tools);
    list->item(1)->setCheckState(Qt::Checked);
    dialog->close();
    QVERIFY(tools.isEnabled());
    QCOMPARE(v.dayText().visibleTexts(), VisibleTexts::fromFlags({true, true, false, false}));

    QVERIFY(v.saveVisibleTexts());
    QCOMPARE(VisibleTexts::load(f.paths.path(PathId::PanelTekstowy)), v.dayText().visibleTexts());
}

void TestCalUiView::visibleTextsFileNotReadIsKept_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("unreadable") << QByteArray("0\r\n1\r\n1\r\n0\r\n");
    QTest::newRow("not flags") << QByteArray("0\r\nradio\r\n1\r\n0\r\n");
}

// A visible-texts file that could not be read, or holds more than flags,
// stays as it is at the save; a choice the user then makes is written.
void TestCalUiView::visibleTextsFileNotReadIsKept()
{
    QFETCH(QByteArray, content);
    Fixture f;
    const QString path = f.paths.path(PathId::PanelTekstowy);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    {
        std::optional<test::UnreadableFile> unreadable;
        if (QTest::currentDataTag() == QByteArray("unreadable")) {
            unreadable.emplace(path);
            if (!unreadable->active())
                QSKIP("cannot make a file unreadable here");
        }
        CalendarView& v = f.make();
        QString error;
        QVERIFY(!v.saveVisibleTexts(&error));
        QVERIFY(error.contains(path));
        unreadable.reset();
        QCOMPARE(test::fileBytes(path), content);

        v.setVisibleTexts(VisibleTexts::fromFlags({false, true, false, false}));
        QVERIFY(v.saveVisibleTexts());
    }
    QCOMPARE(test::fileBytes(path), QByteArray("0\r\n1\r\n0\r\n0\r\n"));
}

void TestCalUiView::card()
{
    Fixture f;
    CalendarView& v = f.make();
    QLabel* picture = f.window->timeOfDayPicture();
    QVERIFY(picture->property("zorvexHintCard").toBool());
    HintController* hints = HintController::instance();
    QVERIFY(hints);
    emit hints->cardRequested(picture, QPoint(100, 100));
    DayCard* card = v.dayCard();
    QVERIFY(card->isVisible());
    QCOMPARE(card->objectName(), QStringLiteral("Form26"));
    QCOMPARE(card->text(), v.dayFacts().text());
    QVERIFY(card->text().startsWith(QString::fromUtf8("Dziś jest sobota, 3 stycznia 2026r.")));
    auto* label = card->findChild<QLabel*>(QStringLiteral("Label1"));
    QCOMPARE(card->size(), label->size() + QSize(DayCard::kExtraWidth, DayCard::kExtraHeight));
    const QPoint placed = card->pos();
    QCOMPARE(placed, QPoint(112, 107));

    // A second request while it shows changes nothing.
    emit hints->cardRequested(picture, QPoint(300, 300));
    QCOMPARE(card->pos(), placed);
    // Other widgets' cards are not this one.
    sendLeave(picture);
    QVERIFY(!card->isVisible());
    emit hints->cardRequested(f.window->clockLabel(), QPoint(100, 100));
    QVERIFY(!card->isVisible());
    // Reaching the card with the pointer sends it away.
    emit hints->cardRequested(picture, QPoint(100, 100));
    QVERIFY(card->isVisible());
    sendEnter(card);
    QVERIFY(!card->isVisible());
}

// 3 January: sunrise 07:45, sunset 15:33 in standard time.
void TestCalUiView::timeOfDayPictureFollowsTheDayPart()
{
    Fixture f;
    f.clock.set(QDateTime(QDate(2026, 1, 3), QTime(8, 0)));
    CalendarView& v = f.make(false);
    v.setTimeZone(QTimeZone(QByteArrayLiteral("Europe/Warsaw")));
    v.updateDayFacts(true);
    auto shows = [&f](DayPart part) {
        return f.window->timeOfDayPicture()->pixmap().toImage().convertToFormat(QImage::Format_ARGB32)
            == framedTimeOfDayPicture(builtInTimeOfDayPicture(part), true, true);
    };
    QVERIFY(shows(DayPart::Morning));

    f.clock.set(QDateTime(QDate(2026, 1, 3), QTime(16, 0)));
    v.updateDayFacts(false);
    QVERIFY(shows(DayPart::Morning)); // the picture waits for its turn
    v.updateDayFacts(true);
    QVERIFY(shows(DayPart::Evening));

    // The weather icon holds the picture and adds to the facts.
    const QString summary = QStringLiteral("\n------------------------------------------\nPogoda");
    v.setWeatherIcon(true, summary);
    f.clock.set(QDateTime(QDate(2026, 1, 3), QTime(22, 0)));
    v.updateDayFacts(true);
    QVERIFY(shows(DayPart::Evening));
    QVERIFY(v.dayCard()->text().endsWith(QStringLiteral("\nPogoda")));
    v.setWeatherIcon(false);
    v.updateDayFacts(true);
    QVERIFY(shows(DayPart::Night));
    QVERIFY(!v.dayCard()->text().contains(QStringLiteral("Pogoda")));

    // A set chosen now shows at once, without waiting for the next part.
    const QString set = f.paths.dataFolder() + QStringLiteral("Gfx/Pora dnia/Moje/");
    QVERIFY(QDir().mkpath(set));
    QImage red(32, 64, QImage::Format_RGB32);
    red.fill(Qt::red);
    for (int part = 1; part <= 4; ++part)
        QVERIFY(red.save(set + QStringLiteral("0%1.bmp").arg(part), "BMP"));
    TimeOfDaySetList list(f.settings, f.paths, f.clock);
    v.attachTimeOfDaySetList(&list);
    list.setCurrentIndex(1);
    QCOMPARE(f.settings.main.timeOfDaySet, QStringLiteral("Moje"));
    QCOMPARE(f.window->timeOfDayPicture()->pixmap().toImage().pixel(10, 30), qRgb(255, 0, 0));
}

void TestCalUiView::frameShapes_data()
{
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<bool>("frame");
    QTest::addColumn<bool>("corners");
    QTest::addColumn<QRect>("shape10");
    QTest::addColumn<QRect>("shape11");
    QTest::addColumn<QStringList>("separators");

    const QStringList all = {QStringLiteral("Shape3"), QStringLiteral("Shape4"), QStringLiteral("Shape6"),
                             QStringLiteral("Shape7")};
    const QStringList noTop = {QStringLiteral("Shape4"), QStringLiteral("Shape6")};
    QTest::newRow("everything") << true << true << true << true << QRect(32, 0, 107, 1) << QRect(146, 8, 1, 76)
                                << all;
    QTest::newRow("no top panel") << false << true << true << true << QRect(8, 0, 131, 1) << QRect(146, 8, 1, 12)
                                  << noTop;
    QTest::newRow("no top panel, no frame")
        << false << true << false << true << QRect() << QRect() << noTop;
    QTest::newRow("frame only") << true << false << true << true << QRect(32, 0, 107, 1) << QRect(146, 8, 1, 76)
                                << QStringList();
    QTest::newRow("neither") << true << false << false << false << QRect() << QRect() << QStringList();
}

void TestCalUiView::frameShapes()
{
    QFETCH(bool, top);
    QFETCH(bool, grid);
    QFETCH(bool, frame);
    QFETCH(bool, corners);
    QFETCH(QRect, shape10);
    QFETCH(QRect, shape11);
    QFETCH(QStringList, separators);

    Fixture f;
    f.settings.main.clockPanelVisible = top;
    f.settings.main.gridLines = grid;
    f.settings.main.windowFrame = frame;
    f.make();
    QCOMPARE(f.child("Image3")->isVisible(), corners);
    QCOMPARE(f.child("Image4")->isVisible(), corners);
    for (const char* name : {"Shape10", "Shape11", "Shape12"})
        QCOMPARE(f.child(name)->isVisible(), frame);
    if (frame) {
        QCOMPARE(f.child("Shape10")->geometry(), shape10);
        QCOMPARE(f.child("Shape11")->geometry(), shape11);
        QCOMPARE(f.child("Shape12")->geometry(), shape11.translated(-146, 0));
    }
    for (const char* name : {"Shape3", "Shape4", "Shape6", "Shape7"})
        QCOMPARE(f.child(name)->isVisible(), separators.contains(QLatin1String(name)));
    // The background is 181 rows with the top panel, 117 without.
    QCOMPARE(f.view->backgroundPicture()->height(), top ? 181 : 117);
}

void TestCalUiView::coloursPageChangesTheLook()
{
    Fixture f;
    CalendarView& v = f.make();
    ColoursPage& page = f.coloursPage();

    emit page.findChild<ColourBox*>(QStringLiteral("ColorBox6"))->colourChanged(255);
    QCOMPARE(f.settings.main.todayFrameColour, Colour(255));
    QCOMPARE(v.monthPicture().pixel(106, 12), qRgb(255, 0, 0));

    page.findChild<QCheckBox*>(QStringLiteral("CheckBox63"))->setChecked(false);
    QVERIFY(!f.settings.main.gridLines);
    QCOMPARE(qAlpha(v.monthPicture().pixel(20, 50)), 0);
    QVERIFY(!f.child("Shape4")->isVisible());
    // The time-of-day picture lost its right frame line with the grid.
    QVERIFY(f.window->timeOfDayPicture()->pixmap().toImage().pixel(31, 30) != qRgb(0, 0, 0));

    emit page.findChild<ColourBox*>(QStringLiteral("ColorGrid1"))->colourChanged(colourFromRgb(10, 100, 200));
    const QImage background = v.backgroundPicture()->pixmap().toImage();
    QCOMPARE(background.pixel(73, 90), qRgb(10, 100, 200)); // no shading in the middle
    QCOMPARE(f.window->palette().color(QPalette::Window), QColor(10, 100, 200));
    // The side bars of the menus end in the background colour.
    for (SideBarMenu* menu : {static_cast<SideBarMenu*>(f.window->contextMenu()),
                              static_cast<SideBarMenu*>(v.addMenu()), static_cast<SideBarMenu*>(v.captionMenu())})
        QCOMPARE(menu->barColour(), QColor(10, 100, 200));

    auto* elements = page.findChild<QComboBox*>(QStringLiteral("ComboBox32"));
    elements->setCurrentIndex(int(TextElement::Caption));
    emit page.findChild<ColourBox*>(QStringLiteral("ColorBox15"))->colourChanged(colourFromRgb(0, 128, 0));
    QCOMPARE(f.window->monthCaption()->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    elements->setCurrentIndex(int(TextElement::Saturday));
    emit page.findChild<ColourBox*>(QStringLiteral("ColorBox15"))->colourChanged(colourFromRgb(0, 0, 128));
    // 3 January, the Saturday cell, now has its digit in that colour.
    bool found = false;
    for (int y = 14; y < 27; ++y)
        for (int x = 105; x < 125; ++x)
            found = found || v.monthPicture().pixel(x, y) == qRgb(0, 0, 128);
    QVERIFY(found);
}

// A dark desktop theme must not darken the header cells under the black
// weekday names.
void TestCalUiView::headerFaceIgnoresADarkTheme()
{
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::Button, QColor(35, 35, 35));
    dark.setColor(QPalette::Window, QColor(35, 35, 35));
    QApplication::setPalette(dark);
    Fixture f;
    CalendarView& v = f.make();
    const QImage pic = v.monthPicture();
    QApplication::setPalette(saved);

    const QColor face = MonthLook().headerFace;
    QVERIFY(qGray(face.rgb()) > 200);
    for (int c = 0; c < 7; ++c)
        QCOMPARE(pic.pixelColor(21 * c + 2, 1), face);
}

void TestCalUiView::settingsSurviveRestart()
{
    Fixture f;
    f.make();
    ColoursPage& page = f.coloursPage();
    emit page.findChild<ColourBox*>(QStringLiteral("ColorBox6"))->colourChanged(4242);
    page.findChild<QCheckBox*>(QStringLiteral("CheckBox67"))->setChecked(false);
    auto* order = page.findChild<QListWidget*>(QStringLiteral("ListDat"));
    order->setCurrentRow(3);
    page.findChild<QToolButton*>(QStringLiteral("BitBtn111"))->click();
    page.findChild<QComboBox*>(QStringLiteral("ComboBox32"))->setCurrentIndex(int(TextElement::ScrollingText));
    emit page.findChild<ColourBox*>(QStringLiteral("ColorBox15"))->colourChanged(777);

    const SettingsStore store(f.paths.path(PathId::Ustawienia));
    QVERIFY(store.save(f.settings));
    Settings reloaded;
    store.load(reloaded);
    QCOMPARE(reloaded.main.todayFrameColour, Colour(4242));
    QCOMPARE(reloaded.main.windowFrame, false);
    QCOMPARE(reloaded.main.markingPrecedence, QStringLiteral("1243"));
    QCOMPARE(reloaded.main.textColours[7], Colour(777));

    // A new page over the reloaded settings shows the same choices.
    ColoursPage again(reloaded, f.paths, f.prompts);
    QCOMPARE(again.precedence(), (std::array<int, 4>{1, 2, 4, 3}));
    QVERIFY(!again.findChild<QCheckBox*>(QStringLiteral("CheckBox67"))->isChecked());
}

void TestCalUiView::colourGuards()
{
    Fixture f;
    CalendarView& v = f.make();
    const Colour key = colourFromRgb(255, 0, 255);
    bool builtIn = true;
    v.setZodiacGuard([key] { return std::optional<Colour>(key); }, [&builtIn] { return builtIn; });
    QSignalSpy adjusted(&v, &CalendarView::settingsAdjusted);
    QSignalSpy applied(&v, &CalendarView::coloursApplied);

    f.settings.main.background = key;
    f.settings.main.textColours[1] = key;
    v.applyColours();
    QCOMPARE(f.settings.main.background, Colour(0));
    QCOMPARE(f.settings.main.textColours[1], Colour(0));
    QCOMPARE(adjusted.size(), 1);
    QCOMPARE(applied.size(), 1);

    // With a picture set of its own the zodiac colour may equal the key.
    builtIn = false;
    f.settings.main.textColours[1] = key;
    v.applyColours();
    QCOMPARE(f.settings.main.textColours[1], key);
}

void TestCalUiView::missingSkin()
{
    Fixture f;
    CalendarView& v = f.make();
    ColoursPage& page = f.coloursPage();
    f.settings.main.plainBackground = false;
    f.settings.main.background = colourFromRgb(5, 6, 7);
    f.settings.main.skinPicture = QStringLiteral("nie_ma.png");
    page.load();
    v.applyColours();
    QCOMPARE(f.settings.main.skinPicture, QString());
    QCOMPARE(page.findChild<QLineEdit*>(QStringLiteral("Edit8"))->text(), QString());
    const QImage background = v.backgroundPicture()->pixmap().toImage();
    QCOMPARE(background.pixel(0, 0), qRgb(5, 6, 7)); // plain, not shaded
    QCOMPARE(v.backgroundPicture()->geometry(), QRect(0, 0, 147, 181));
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestCalUiView)
#include "tst_calui_view.moc"
