#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/common/Clock.h"
#include "core/common/IniFile.h"
#include "core/common/PathTable.h"
#include "core/reminders/DayMarks.h"
#include "core/reminders/ReminderFiles.h"
#include "support/FakeClock.h"
#include "ui/common/Messages.h"
#include "ui/reminders/PersonsPage.h"
#include "ui/reminders/ReminderPages.h"
#include "ui/reminders/ReminderService.h"
#include "ui/reminders/TodayWindow.h"
#include "ui/reminders/UpcomingWindow.h"
#include "support/RecordingPrompts.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace zorvex;

namespace {

// A data folder, a profile's settings file and a clock: what a run of the
// program gives the reminders.
struct Run {
    Run(const QString& folder, const QDateTime& now)
        : clock(now)
        , paths(folder + QLatin1Char('/'), QStringLiteral("Jan"), folder + QStringLiteral("/Sentencje.ini"))
        , store(paths.path(PathId::Ustawienia))
    {
        store.load(settings);
    }
    std::unique_ptr<ReminderService> start()
    {
        return std::make_unique<ReminderService>(clock, paths, settings, store, prompts, false);
    }

    FakeClock clock;
    PathTable paths;
    SettingsStore store;
    Settings settings;
    RecordingPrompts prompts;
};

QString upcomingText(const ReminderService& service)
{
    return service.upcomingWindow() ? service.upcomingWindow()->page()->toPlainText() : QString();
}

} // namespace

class TestReminderService : public QObject {
    Q_OBJECT
private slots:
    void birthdayAddedFromTheCalendarIsAnnounced();
    void onceADayAcrossRuns();
    void todayWindowSilencedForTheDay();
    void nothingAheadIsSaidOnlyWhenAsked();
};

// The road of a reminder: "Dodaj urodziny" on 14 December, the month marks
// it, the upcoming window names it at the next start, and the file keeps it.
void TestReminderService::birthdayAddedFromTheCalendarIsAnnounced()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Run run(dir.path(), QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    run.settings.wazneDatyPow.showByItself = true;
    run.settings.wazneDatyPow.daysAhead = 7;
    auto service = run.start();
    QSignalSpy changed(service.get(), &ReminderService::remindersChanged);

    service->pages()->addBirthday(QDate(2026, 12, 14));
    PersonsPage* page = service->pages()->personsPage();
    auto* name = page->findChild<QLineEdit*>(QStringLiteral("Name"));
    auto* apply = page->findChild<QPushButton*>(QStringLiteral("Apply"));
    QVERIFY(name && apply);
    name->setText(QStringLiteral("Łucja Żak"));
    QVERIFY(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);
    QVERIFY(!changed.isEmpty());

    const QList<PersonEntry> stored = PersonFile::load(run.paths.path(PathId::Osoby));
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0].name, QStringLiteral("Łucja Żak"));
    QCOMPARE(stored[0].birthDay, 14);
    QCOMPARE(stored[0].birthMonth, 12);
    QCOMPARE(stored[0].nameDay, 0); // "Imieniny:" was left unchecked

    const DayAnnotations marks = buildDayAnnotations(
        loadReminderLists(run.paths),
        CalendarMarkSettings::from(run.settings.main, run.settings.solenizant, run.settings.inne,
                                   run.settings.prywatne),
        2026, 12, run.clock.now().date());
    QCOMPARE(marks.day(14).colour, run.settings.main.birthdayColour);
    QVERIFY(marks.day(14).hint.contains(QStringLiteral("Urodziny: Łucja Żak")));
    QCOMPARE(marks.day(14).entries.size(), 1);

    // The next start: four days ahead is within the seven of the notice.
    Run next(dir.path(), QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
    next.settings.wazneDatyPow.showByItself = true;
    auto again = next.start();
    again->evaluate();
    QVERIFY(again->upcomingWindow() && again->upcomingWindow()->isVisible());
    QVERIFY(upcomingText(*again).contains(QStringLiteral("za 4 dni:")));
    QVERIFY(upcomingText(*again).contains(QStringLiteral("Łucja Żak")));
    QCOMPARE(again->pages()->personsPage()->findChild<QListWidget*>(QStringLiteral("List"))->count(), 1);
}

// With "Raz" the window shows once a day even across restarts, and again on
// the next day.
void TestReminderService::onceADayAcrossRuns()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    {
        Run seed(dir.path(), QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        QVERIFY(ImportantDayFile::append(seed.paths.path(PathId::Uroczystosci),
                                         ImportantDayEntry{QStringLiteral("Wigilia"), 24, 12}));
        seed.settings.wazneDatyPow.showByItself = true;
        seed.settings.wazneDatyPow.daysAhead = 20;
        seed.settings.wazneDatyPow.onceADay = true;
        QVERIFY(seed.store.save(seed.settings));
    }
    Run first(dir.path(), QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    auto service = first.start();
    service->evaluate();
    QVERIFY(upcomingText(*service).contains(QStringLiteral("Wigilia")));
    service->upcomingWindow()->close();
    service->evaluate(); // a second tick of the same day does nothing more
    QVERIFY(!service->upcomingWindow()->isVisible());

    Run second(dir.path(), QDateTime(QDate(2026, 12, 10), QTime(18, 0)));
    auto restarted = second.start();
    restarted->evaluate();
    QVERIFY(!restarted->upcomingWindow());

    // Past midnight the check runs again.
    second.clock.set(QDateTime(QDate(2026, 12, 11), QTime(0, 0, 1)));
    restarted->dayStarted();
    restarted->evaluate();
    QVERIFY(restarted->upcomingWindow() && restarted->upcomingWindow()->isVisible());
    QVERIFY(upcomingText(*restarted).contains(QStringLiteral("za 13 dni:")));
}

void TestReminderService::todayWindowSilencedForTheDay()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Run run(dir.path(), QDateTime(QDate(2026, 12, 24), QTime(8, 0)));
    QVERIFY(ImportantDayFile::append(run.paths.path(PathId::Uroczystosci),
                                     ImportantDayEntry{QStringLiteral("Wigilia"), 24, 12}));
    auto service = run.start();
    service->evaluate();
    TodayWindow* today = service->todayWindow();
    QVERIFY(today && today->isVisible());
    today->findChild<QCheckBox*>(QStringLiteral("DontShowToday"))->setChecked(true);
    QTest::mouseClick(today->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
    const IniFile ini = IniFile::load(run.paths.path(PathId::Ustawienia));
    QCOMPARE(ini.readString(QStringLiteral("Vuzuvured"), QStringLiteral("NiePokazujKom"), QString()),
             QStringLiteral("24.12.2026"));

    // Later that day, in a new run: silent.
    Run later(dir.path(), QDateTime(QDate(2026, 12, 24), QTime(20, 0)));
    auto restarted = later.start();
    restarted->evaluate();
    QVERIFY(!restarted->todayWindow());
}

void TestReminderService::nothingAheadIsSaidOnlyWhenAsked()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Run run(dir.path(), QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    run.settings.wazneDatyPow.showByItself = true;
    auto service = run.start();
    service->evaluate();
    QVERIFY(!service->upcomingWindow());
    QCOMPARE(service->checkState(), ReminderCheckState::Done);
    service->showUpcomingNow(); // the message goes to stderr offscreen
    QVERIFY(!service->upcomingWindow());
    QCOMPARE(service->checkState(), ReminderCheckState::Done);
}

QTEST_MAIN(TestReminderService)
#include "tst_reminder_service.moc"
