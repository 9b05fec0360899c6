#include "core/common/Clock.h"
#include "platform/System.h"
#include "support/FakeClock.h"
#include "ui/common/NumberField.h"
#include "ui/reminders/AlarmPage.h"
#include "support/RecordingPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace zorvex;

namespace {

// The page with a fixed clock and every dialog answered by the test.
struct Fixture {
    FakeClock clock{QDateTime(QDate(2026, 3, 9), QTime(23, 55))};
    RecordingPrompts prompts;
    QStringList& asked = prompts.asked;
    QStringList& warned = prompts.messages;
    bool& answer = prompts.answer;
    AlarmPage page{prompts};
    QStringList played;
    int stops = 0;
    QString chosenFile;

    Fixture()
    {
        answer = true;
        page.setClock(&clock);
        AlarmPage::Callbacks cb;
        cb.playSound = [this](const QString& p) { played << p; };
        cb.stopSound = [this] { ++stops; };
        cb.chooseFile = [this](const QString&, const QString&) { return chosenFile; };
        page.setCallbacks(cb);
    }
    template <typename T>
    T* get(const char* name)
    {
        T* w = page.findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    void click(const char* name) { get<QAbstractButton>(name)->click(); }
    bool applyEnabled() { return get<QPushButton>("applyButton")->isEnabled(); }
};

AlarmEntry daily(int hour)
{
    AlarmEntry e;
    e.recurrence = AlarmRecurrence::Daily;
    e.hour = hour;
    e.messageKind = AlarmMessageKind::Box;
    e.message = QStringLiteral("Alarm %1").arg(hour);
    return e;
}

} // namespace

class AlarmPageTest : public QObject {
    Q_OBJECT

private slots:
    // The chosen program is written so that the alarm starts that program,
    // also when its path has blanks.
    void browsedProgramIsWrittenWhole_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain path") << QStringLiteral("/usr/bin/xeyes") << QStringLiteral("/usr/bin/xeyes");
        QTest::newRow("path with a blank") << QStringLiteral("/opt/Moje programy/budzik")
                                           << QStringLiteral("\"/opt/Moje programy/budzik\"");
        QTest::newRow("nothing chosen") << QString() << QString();
    }
    void browsedProgramIsWrittenWhole()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        Fixture f;
        f.chosenFile = chosen;
        f.click("addAlarmButton");
        f.click("programBrowseButton");
        const QString text = f.get<QLineEdit>("programEdit")->text();
        QCOMPARE(text, written);
        if (!chosen.isEmpty())
            QCOMPARE(splitProgramCommand(text), QStringList{chosen});
    }

    void addWeeklyAlarm()
    {
        Fixture f;
        QSignalSpy edited(&f.page, &AlarmPage::alarmsEdited);
        f.click("addAlarmButton");
        QCOMPARE(f.page.mode(), AlarmPage::Mode::Add);
        QVERIFY(!f.get<QListWidget>("alarmList")->isEnabled());
        QVERIFY(f.get<QCheckBox>("activeBox")->isChecked());
        QVERIFY(!f.applyEnabled()); // no action yet
        f.get<QComboBox>("recurrenceCombo")->setCurrentIndex(2);
        QVERIFY(!f.get<QComboBox>("weekdayCombo")->isHidden());
        QVERIFY(f.get<QDateEdit>("dateEdit")->isHidden());
        f.get<QComboBox>("weekdayCombo")->setCurrentIndex(4);
        f.get<NumberField>("hourField")->setValue(7);
        f.get<NumberField>("minuteField")->setValue(45);
        f.get<QRadioButton>("balloonMessageRadio")->setChecked(true);
        f.get<QPlainTextEdit>("messageEdit")->setPlainText(QStringLiteral("Piątek\nweekend"));
        QVERIFY(f.applyEnabled());
        f.click("applyButton");
        QCOMPARE(f.page.mode(), AlarmPage::Mode::Browse);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(f.page.alarms().size(), 1);
        const AlarmEntry e = f.page.alarms().first();
        QCOMPARE(e.recurrence, AlarmRecurrence::Weekly);
        QCOMPARE(e.parameter, 5);
        QCOMPARE(e.date(), QDate(2000, 1, 1));
        QCOMPARE(e.hour, 7);
        QCOMPARE(e.minute, 45);
        QCOMPARE(e.message, QStringLiteral("Piątek\nweekend"));
        QCOMPARE(f.get<QListWidget>("alarmList")->currentItem()->text(), QStringLiteral("Co tydzień 07:45 Pt"));
    }

    void applyNeedsAnAction_data()
    {
        QTest::addColumn<QString>("control"); // what is switched on
        QTest::addColumn<QString>("text");    // typed into its field
        QTest::addColumn<bool>("enabled");
        QTest::newRow("box with text") << QStringLiteral("boxMessageRadio") << QStringLiteral("x") << true;
        QTest::newRow("box with blanks") << QStringLiteral("boxMessageRadio") << QStringLiteral("  \n ") << false;
        QTest::newRow("computer") << QStringLiteral("computerBox") << QString() << true;
        QTest::newRow("program") << QStringLiteral("programBox") << QStringLiteral("gedit") << true;
        QTest::newRow("program blank") << QStringLiteral("programBox") << QStringLiteral(" ") << false;
        QTest::newRow("sound") << QStringLiteral("soundBox") << QStringLiteral("/a.wav") << true;
        QTest::newRow("sound without path") << QStringLiteral("soundBox") << QString() << false;
    }
    void applyNeedsAnAction()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        Fixture f;
        f.click("addAlarmButton");
        f.page.findChild<QAbstractButton*>(control)->setChecked(true);
        if (control == QLatin1String("boxMessageRadio"))
            f.get<QPlainTextEdit>("messageEdit")->setPlainText(text);
        else if (control == QLatin1String("programBox"))
            f.get<QLineEdit>("programEdit")->setText(text);
        else if (control == QLatin1String("soundBox"))
            f.get<QLineEdit>("soundPathEdit")->setText(text);
        QCOMPARE(f.applyEnabled(), enabled);
    }

    void chosenDaysNeedOneDay()
    {
        Fixture f;
        f.click("addAlarmButton");
        f.get<QCheckBox>("computerBox")->setChecked(true);
        f.get<QComboBox>("recurrenceCombo")->setCurrentIndex(6);
        QVERIFY(f.applyEnabled()); // all seven checked in add mode
        for (int i = 1; i <= 7; ++i)
            f.get<QCheckBox>(QStringLiteral("dayBox%1").arg(i).toLatin1().constData())->setChecked(i == 3 || i == 7);
        QVERIFY(f.applyEnabled());
        f.click("applyButton");
        QCOMPARE(f.page.alarms().first().parameter, 4 | 64);
        f.click("changeAlarmButton");
        f.get<QCheckBox>("dayBox3")->setChecked(false);
        f.get<QCheckBox>("dayBox7")->setChecked(false);
        QVERIFY(!f.applyEnabled());
    }

    void inactiveAlarmAsksFirst_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes adds") << true;
        QTest::newRow("no keeps the editor") << false;
    }
    void inactiveAlarmAsksFirst()
    {
        QFETCH(bool, answer);
        Fixture f;
        f.answer = answer;
        f.click("addAlarmButton");
        f.get<QCheckBox>("computerBox")->setChecked(true);
        f.get<QCheckBox>("activeBox")->setChecked(false);
        f.click("applyButton");
        QCOMPARE(f.asked, QStringList{QStringLiteral("Zorvex - Alarm: Na pewno dodać nieaktywny alarm?")});
        QCOMPARE(f.page.alarms().size(), answer ? 1 : 0);
        QCOMPARE(f.page.editing(), !answer);
    }

    void unstorableTextIsRefusedAndKept()
    {
        Fixture f;
        f.click("addAlarmButton");
        f.get<QRadioButton>("boxMessageRadio")->setChecked(true);
        f.get<QPlainTextEdit>("messageEdit")->setPlainText(QStringLiteral("Čas"));
        f.click("applyButton");
        QCOMPARE(f.warned.size(), 1);
        QVERIFY(f.warned.first().startsWith(QStringLiteral("Zorvex - Błąd: Treść komunikatu")));
        QVERIFY(f.page.alarms().isEmpty());
        QVERIFY(f.page.editing());
        QCOMPARE(f.get<QPlainTextEdit>("messageEdit")->toPlainText(), QStringLiteral("Čas"));
    }

    void changeAndCancel()
    {
        Fixture f;
        f.page.setAlarms({daily(6), daily(7)});
        f.get<QListWidget>("alarmList")->setCurrentRow(1);
        f.click("changeAlarmButton");
        f.get<NumberField>("hourField")->setValue(9);
        f.click("cancelButton");
        QCOMPARE(f.get<NumberField>("hourField")->value(), 7); // reloaded
        f.click("changeAlarmButton");
        f.get<NumberField>("hourField")->setValue(9);
        f.click("applyButton");
        QCOMPARE(f.page.alarms().at(1).hour, 9);
        QCOMPARE(f.page.alarms().size(), 2);
    }

    // A daily alarm that fired today and is edited keeps today's date, so a
    // run-late alarm is not fired a second time.
    void editKeepsTheLastFiring()
    {
        Fixture f;
        AlarmEntry e = daily(6);
        e.setDate(QDate(2026, 3, 9));
        f.page.setAlarms({e});
        f.click("changeAlarmButton");
        f.get<QPlainTextEdit>("messageEdit")->setPlainText(QStringLiteral("Nowa treść"));
        f.click("applyButton");
        QCOMPARE(f.page.alarms().first().date(), QDate(2026, 3, 9));
        QCOMPARE(f.page.alarms().first().message, QStringLiteral("Nowa treść"));
    }

    void removeKeepsPositionOrLast_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("middle") << 1 << 1;
        QTest::newRow("last") << 2 << 1;
    }
    void removeKeepsPositionOrLast()
    {
        QFETCH(int, row);
        QFETCH(int, selectedAfter);
        Fixture f;
        f.page.setAlarms({daily(6), daily(7), daily(8)});
        f.get<QListWidget>("alarmList")->setCurrentRow(row);
        f.click("removeAlarmButton");
        QCOMPARE(f.asked, QStringList{QStringLiteral("Usuń: Na pewno usunąć wybrany alarm z listy?")});
        QCOMPARE(f.page.alarms().size(), 2);
        QCOMPARE(f.page.currentIndex(), selectedAfter);
        QCOMPARE(f.get<NumberField>("hourField")->value(), f.page.alarms().at(selectedAfter).hour);
    }

    void placeholderDateShowsToday()
    {
        Fixture f;
        AlarmEntry once = daily(6);
        once.recurrence = AlarmRecurrence::Once;
        f.page.setAlarms({once});
        QCOMPARE(f.get<QDateEdit>("dateEdit")->date(), QDate(2026, 3, 9));
        QVERIFY(!f.get<QDateEdit>("dateEdit")->isHidden());
        QVERIFY(f.get<QWidget>("periodicRow")->isHidden());
    }

    void whenMenuCrossesMidnight()
    {
        Fixture f; // 23:55 on Monday 9 March
        f.click("addAlarmButton");
        const auto actions = f.get<QMenu>("whenMenu")->actions();
        actions.at(1)->trigger(); // "Za 10 min."
        QCOMPARE(f.get<NumberField>("hourField")->value(), 0);
        QCOMPARE(f.get<NumberField>("minuteField")->value(), 5);
        QCOMPARE(f.get<QDateEdit>("dateEdit")->date(), QDate(2026, 3, 10));
        QCOMPARE(f.get<QDateEdit>("fromDateEdit")->date(), QDate(2026, 3, 10));
        QCOMPARE(f.get<QComboBox>("weekdayCombo")->currentIndex(), 1); // Tuesday
        QCOMPARE(f.get<QComboBox>("dayCombo")->currentIndex(), 9);
    }

    void refreshDuringEditLeavesTheEditorAlone()
    {
        Fixture f;
        f.page.setAlarms({daily(6)});
        f.click("changeAlarmButton");
        f.get<NumberField>("hourField")->setValue(11);
        f.page.alarms()[0].setDate(QDate(2026, 3, 9)); // fired meanwhile
        f.page.refreshList();
        QCOMPARE(f.get<NumberField>("hourField")->value(), 11);
    }

    void soundTest_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("warning"); // empty: plays
        QTest::newRow("empty") << QString() << QStringLiteral("Zorvex - Alarm: Nie wybrano pliku dźwiękowego");
        QTest::newRow("missing") << QStringLiteral("/nie/ma.wav") << QStringLiteral("Zorvex - Alarm: Plik nie istnieje: /nie/ma.wav");
        QTest::newRow("exists") << QStringLiteral("EXISTING") << QString();
    }
    void soundTest()
    {
        QFETCH(QString, path);
        QFETCH(QString, warning);
        QTemporaryDir dir;
        if (path == QLatin1String("EXISTING")) {
            path = dir.filePath(QStringLiteral("a.wav"));
            QFile(path).open(QIODevice::WriteOnly);
        }
        Fixture f;
        QSignalSpy playing(&f.page, &AlarmPage::soundPlayingChanged);
        f.click("addAlarmButton");
        f.get<QLineEdit>("soundPathEdit")->setText(path);
        auto* test = f.get<QToolButton>("SpeedButton2");
        test->click();
        if (!warning.isEmpty()) {
            QCOMPARE(f.warned, QStringList{warning});
            QVERIFY(!test->isChecked());
            QVERIFY(f.played.isEmpty());
            return;
        }
        QCOMPARE(f.played, QStringList{path});
        QVERIFY(test->isChecked());
        QCOMPARE(playing.count(), 1);
        test->click(); // pressed again: stop
        QCOMPARE(f.stops, 1);
        QVERIFY(!test->isChecked());
        QCOMPARE(playing.last().first().toBool(), false);
    }

    void beginAddFromCalendar()
    {
        Fixture f;
        f.page.setAlarms({daily(6)});
        f.page.beginAdd(QDate(2026, 4, 1), QTime(14, 20));
        QCOMPARE(f.page.mode(), AlarmPage::Mode::Add);
        QCOMPARE(f.get<QComboBox>("recurrenceCombo")->currentIndex(), 0);
        QCOMPARE(f.get<QDateEdit>("dateEdit")->date(), QDate(2026, 4, 1));
        QCOMPARE(f.get<NumberField>("hourField")->value(), 14);
        f.get<QCheckBox>("computerBox")->setChecked(true);
        f.click("applyButton");
        QCOMPARE(f.page.alarms().size(), 2);
        QCOMPARE(f.page.alarms().at(1).date(), QDate(2026, 4, 1));
        QCOMPARE(f.page.currentIndex(), 1);
    }
};

QTEST_MAIN(AlarmPageTest)
#include "tst_alarmpage_editor.moc"
