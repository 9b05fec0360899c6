#include "core/app/Settings.h"
#include "core/calendar/Zodiac.h"
#include "core/common/Clock.h"
#include "core/common/Cp1250.h"
#include "core/common/IniFile.h"
#include "core/common/PathTable.h"
#include "support/FakeClock.h"
#include "ui/calendar/ZodiacPictures.h"
#include "ui/common/Messages.h"
#include "ui/common/NumberField.h"
#include "ui/reminders/ReminderPages.h"
#include "support/RecordingPrompts.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zorvex;

namespace {

const QString kSep = QString(kListSeparator);

// A line of the private file written with "|" for the separator byte.
QString privateLine(QString text) { return text.replace(QLatin1Char('|'), kListSeparator); }

enum PageId { Persons, Important, Private };

// The three pages over a temporary data folder, a fixed clock and answers
// given by the test.
struct Fixture {
    QTemporaryDir dir;
    PathTable paths{dir.path(), QStringLiteral("Ala"), QString()};
    Settings settings;
    FakeClock clock{QDateTime(QDate(2026, 3, 9), QTime(12, 0))};
    RecordingPrompts prompts;
    QStringList& asked = prompts.asked;
    QStringList& errors = prompts.errors;
    bool& answer = prompts.answer;
    std::unique_ptr<ReminderPages> pages;
    std::unique_ptr<QSignalSpy> changed;

    Fixture() { answer = true; }

    QString path(PathId id) const { return paths.path(id); }

    void writeFile(PathId id, const QStringList& lines)
    {
        QFile f(path(id));
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (const QString& l : lines)
            f.write(toCp1250(l) + "\r\n");
    }
    void writePersons(const QList<PersonEntry>& persons)
    {
        QStringList lines{QStringLiteral("[Osoby]"), QStringLiteral("Ile=%1").arg(persons.size())};
        for (int i = 0; i < persons.size(); ++i) {
            const PersonEntry& p = persons[i];
            lines << QStringLiteral("[Osoba%1]").arg(i + 1) << QStringLiteral("ImieNazwisko=") + p.name
                  << QStringLiteral("UrodzinyD=%1").arg(p.birthDay) << QStringLiteral("UrodzinyM=%1").arg(p.birthMonth)
                  << QStringLiteral("UrodzinyR=%1").arg(p.birthYear) << QStringLiteral("ImieninyD=%1").arg(p.nameDay)
                  << QStringLiteral("ImieninyM=%1").arg(p.nameDayMonth);
        }
        writeFile(PathId::Osoby, lines);
    }
    void writeImportant(const QList<ImportantDayEntry>& days)
    {
        QStringList lines{QStringLiteral("[Uroczystosci]"), QStringLiteral("Ile=%1").arg(days.size())};
        for (int i = 0; i < days.size(); ++i) {
            lines << QStringLiteral("[Uroczystosc%1]").arg(i + 1) << QStringLiteral("Nazwa=") + days[i].name
                  << QStringLiteral("Dzien=%1").arg(days[i].day) << QStringLiteral("Miesiac=%1").arg(days[i].month);
        }
        writeFile(PathId::Uroczystosci, lines);
    }
    void writePrivate(const QStringList& lines)
    {
        QStringList real;
        for (const QString& l : lines)
            real << privateLine(l);
        writeFile(PathId::Prywatne, real);
    }
    // The usual small lists.
    void writeAll()
    {
        writePersons({{QStringLiteral("Jan Kowalski"), 12, 3, 1990, 24, 6},
                      {QStringLiteral("Anna Zielińska"), 0, 7, 1980, 26, 7},
                      {QStringLiteral("Łucja Nowak"), 29, 2, 1988, 0, 12}});
        writeImportant({{QStringLiteral("Trzech Króli"), 6, 1},
                        {QStringLiteral("Walentynki"), 14, 2},
                        {QStringLiteral("Wszystkich Świętych"), 1, 11}});
        writePrivate({QStringLiteral("Ślub Ani|12|6|2010|"), QStringLiteral("Wizyta u dentysty|3|11||2026")});
    }

    void create(bool updatedStart = false)
    {
        pages = std::make_unique<ReminderPages>(paths, settings, clock, prompts, updatedStart);
        changed = std::make_unique<QSignalSpy>(pages.get(), &ReminderPages::remindersChanged);
    }

    ReminderListPage* page(int id) const
    {
        switch (id) {
        case Persons: return pages->personsPage();
        case Important: return pages->importantPage();
        default: return pages->privatePage();
        }
    }
    template <typename T>
    T* get(int id, const QString& name) const
    {
        T* w = page(id)->findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void click(int id, const char* name) { get<QAbstractButton>(id, QLatin1String(name))->click(); }
    void type(int id, const QString& text) { get<QLineEdit>(id, QStringLiteral("Name"))->setText(text); }
    void select(int id, int row) { get<QListWidget>(id, QStringLiteral("List"))->setCurrentRow(row); }
    QStringList items(int id) const
    {
        QStringList out;
        const auto* list = get<QListWidget>(id, QStringLiteral("List"));
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    // The stored entries as "name|day|month|year|name day|month" texts.
    QStringList storedPersons() const
    {
        const IniFile ini = IniFile::load(path(PathId::Osoby));
        QStringList out;
        const int n = ini.readInteger(QStringLiteral("Osoby"), QStringLiteral("Ile"), 0);
        for (int i = 1; i <= n; ++i) {
            const QString s = QStringLiteral("Osoba%1").arg(i);
            QStringList v;
            for (const char* key : {"ImieNazwisko", "UrodzinyD", "UrodzinyM", "UrodzinyR", "ImieninyD", "ImieninyM"})
                v << ini.readString(s, QLatin1String(key), QStringLiteral("?"));
            out << v.join(QLatin1Char('|'));
        }
        return out;
    }
    QStringList storedImportant() const
    {
        const IniFile ini = IniFile::load(path(PathId::Uroczystosci));
        QStringList out;
        const int n = ini.readInteger(QStringLiteral("Uroczystosci"), QStringLiteral("Ile"), 0);
        for (int i = 1; i <= n; ++i) {
            const QString s = QStringLiteral("Uroczystosc%1").arg(i);
            out << ini.readString(s, QStringLiteral("Nazwa")) + QLatin1Char('|')
                    + ini.readString(s, QStringLiteral("Dzien")) + QLatin1Char('|')
                    + ini.readString(s, QStringLiteral("Miesiac"));
        }
        // A deleted entry leaves no section behind.
        if (ini.hasSection(QStringLiteral("Uroczystosc%1").arg(n + 1)))
            out << QStringLiteral("<section %1 left>").arg(n + 1);
        return out;
    }
    QStringList storedPrivate() const
    {
        QFile f(path(PathId::Prywatne));
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("<unreadable>")};
        QString text = fromCp1250(f.readAll());
        if (!text.endsWith(QStringLiteral("\r\n")) && !text.isEmpty())
            return {QStringLiteral("<no final CR LF>")};
        QStringList lines = text.split(QStringLiteral("\r\n"));
        lines.removeLast();
        for (QString& l : lines)
            l.replace(kListSeparator, QLatin1Char('|'));
        return lines;
    }
    QStringList stored(int id) const
    {
        return id == Persons ? storedPersons() : id == Important ? storedImportant() : storedPrivate();
    }
};

// Names of the controls whose enabled state the modes decide.
QStringList modeControls(int id)
{
    QStringList names{QStringLiteral("List"), QStringLiteral("Add"),   QStringLiteral("Remove"),
                      QStringLiteral("Change"), QStringLiteral("Sort"), QStringLiteral("Name"),
                      QStringLiteral("Apply"),  QStringLiteral("Cancel")};
    switch (id) {
    case Persons: names << QStringLiteral("BirthdayOn") << QStringLiteral("BirthDate") << QStringLiteral("NameDayOn"); break;
    case Important: names << QStringLiteral("Date"); break;
    default: names << QStringLiteral("Date") << QStringLiteral("Anniversary") << QStringLiteral("Year"); break;
    }
    return names;
}

const QString kIdle = QStringLiteral("List Add Remove Change Sort");

} // namespace

class ReminderPagesTest : public QObject {
    Q_OBJECT

private slots:
    // --- modes ---------------------------------------------------------

    void enableRules_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("enabled");
        const QString edit = QStringLiteral("Name Cancel");
        const QString editApply = QStringLiteral("Name Apply Cancel");
        QTest::newRow("persons idle") << int(Persons) << true << QString() << kIdle;
        QTest::newRow("persons empty idle") << int(Persons) << false << QString() << QStringLiteral("List Add Sort");
        QTest::newRow("persons add, no name")
            << int(Persons) << false << QStringLiteral("add") << edit + QStringLiteral(" BirthdayOn BirthDate NameDayOn");
        QTest::newRow("persons add, named") << int(Persons) << true << QStringLiteral("add name")
                                            << editApply + QStringLiteral(" BirthdayOn BirthDate NameDayOn");
        QTest::newRow("persons add, named, neither date")
            << int(Persons) << true << QStringLiteral("add name nobirth noname")
            << edit + QStringLiteral(" BirthdayOn BirthDate NameDayOn");
        QTest::newRow("persons add, named, name day only")
            << int(Persons) << true << QStringLiteral("add name nobirth")
            << editApply + QStringLiteral(" BirthdayOn BirthDate NameDayOn");
        QTest::newRow("persons change") << int(Persons) << true << QStringLiteral("change")
                                        << editApply + QStringLiteral(" BirthdayOn BirthDate NameDayOn");
        QTest::newRow("persons change, name cleared")
            << int(Persons) << true << QStringLiteral("change clear")
            << edit + QStringLiteral(" BirthdayOn BirthDate NameDayOn");
        QTest::newRow("persons change, cancel") << int(Persons) << true << QStringLiteral("change cancel") << kIdle;
        QTest::newRow("important idle") << int(Important) << true << QString() << kIdle;
        QTest::newRow("important add, no name") << int(Important) << true << QStringLiteral("add")
                                                << edit + QStringLiteral(" Date");
        QTest::newRow("important add, named") << int(Important) << true << QStringLiteral("add name")
                                              << editApply + QStringLiteral(" Date");
        QTest::newRow("important add, cancel") << int(Important) << true << QStringLiteral("add name cancel") << kIdle;
        QTest::newRow("private empty idle") << int(Private) << false << QString() << QStringLiteral("List Add Sort");
        QTest::newRow("private empty add, named") << int(Private) << false << QStringLiteral("add name")
                                                  << editApply + QStringLiteral(" Date Anniversary Year");
        QTest::newRow("private change") << int(Private) << true << QStringLiteral("change")
                                        << editApply + QStringLiteral(" Date Anniversary Year");
        QTest::newRow("private change, cancel") << int(Private) << true << QStringLiteral("change cancel") << kIdle;
    }
    void enableRules()
    {
        QFETCH(int, page);
        QFETCH(bool, filled);
        QFETCH(QString, steps);
        QFETCH(QString, enabled);
        Fixture f;
        if (filled)
            f.writeAll();
        f.create();
        for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (step == QLatin1String("add"))
                f.click(page, "Add");
            else if (step == QLatin1String("change"))
                f.click(page, "Change");
            else if (step == QLatin1String("cancel"))
                f.click(page, "Cancel");
            else if (step == QLatin1String("name"))
                f.type(page, QStringLiteral("Ktoś"));
            else if (step == QLatin1String("clear"))
                f.type(page, QString());
            else if (step == QLatin1String("nobirth"))
                f.get<QCheckBox>(page, QStringLiteral("BirthdayOn"))->setChecked(false);
            else if (step == QLatin1String("noname"))
                f.get<QCheckBox>(page, QStringLiteral("NameDayOn"))->setChecked(false);
        }
        QStringList actual;
        for (const QString& name : modeControls(page)) {
            if (f.get<QWidget>(page, name)->isEnabled())
                actual << name;
        }
        QCOMPARE(actual.join(QLatin1Char(' ')), enabled);
        // The settings boxes and the daily notice stay usable in every mode.
        QVERIFY(f.get<QWidget>(page, QStringLiteral("RemindToday"))->isEnabled());
        QVERIFY(f.get<QWidget>(page, QStringLiteral("DailyNotice"))->isEnabled());
    }

    // --- adding and changing -------------------------------------------

    void calendarAddCommands_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("lastStored");
        QTest::newRow("Dodaj urodziny") << QStringLiteral("birthday") << QDate(1985, 3, 12) << int(Persons)
                                        << QStringLiteral("Imię i nazwisko:")
                                        << QStringLiteral("Żaneta Łęcka|12|3|1985|0|3");
        QTest::newRow("Dodaj imieniny") << QStringLiteral("nameday") << QDate(2026, 6, 24) << int(Persons)
                                        << QStringLiteral("Imię i nazwisko:")
                                        << QStringLiteral("Żaneta Łęcka|0|6|2026|24|6");
        QTest::newRow("Dodaj ważny dzień on 29 February")
            << QStringLiteral("important") << QDate(2028, 2, 29) << int(Important) << QStringLiteral("Nazwa:")
            << QStringLiteral("Żaneta Łęcka|29|2");
        QTest::newRow("Dodaj prywatny dzień") << QStringLiteral("private") << QDate(2027, 5, 4) << int(Private)
                                              << QStringLiteral("Prywatny dzień:")
                                              << QStringLiteral("Żaneta Łęcka|4|5||2027");
        QTest::newRow("Dodaj rocznicę") << QStringLiteral("anniversary") << QDate(1999, 10, 30) << int(Private)
                                        << QStringLiteral("Rocznica:") << QStringLiteral("Żaneta Łęcka|30|10|1999|");
    }
    void calendarAddCommands()
    {
        QFETCH(QString, command);
        QFETCH(QDate, date);
        QFETCH(int, page);
        QFETCH(QString, caption);
        QFETCH(QString, lastStored);
        Fixture f;
        f.writeAll();
        f.create();
        const QStringList before = f.stored(page);
        if (command == QLatin1String("birthday"))
            f.pages->addBirthday(date);
        else if (command == QLatin1String("nameday"))
            f.pages->addNameDay(date);
        else if (command == QLatin1String("important"))
            f.pages->addImportantDay(date);
        else if (command == QLatin1String("private"))
            f.pages->addPrivateDay(date);
        else
            f.pages->addAnniversary(date);
        QCOMPARE(f.page(page)->mode(), ReminderListPage::Mode::Add);
        QCOMPARE(f.get<QLabel>(page, QStringLiteral("NameCaption"))->text(), caption);
        QVERIFY(f.get<QLineEdit>(page, QStringLiteral("Name"))->text().isEmpty());
        QVERIFY(f.changed->isEmpty());

        f.type(page, QStringLiteral("Żaneta Łęcka"));
        f.click(page, "Apply");
        QVERIFY(f.errors.isEmpty());
        QCOMPARE(f.page(page)->mode(), ReminderListPage::Mode::Idle);
        QCOMPARE(f.stored(page), before + QStringList{lastStored});
        // The new last entry is selected and shown.
        QCOMPARE(f.page(page)->currentIndex(), before.size());
        QCOMPARE(f.get<QLineEdit>(page, QStringLiteral("Name"))->text(), QStringLiteral("Żaneta Łęcka"));
        QCOMPARE(f.changed->size(), 1);
    }

    void storedTextIsWindows1250()
    {
        Fixture f;
        f.create();
        f.pages->addPrivateDay(QDate(2026, 1, 6));
        f.type(Private, QStringLiteral("Łódź"));
        f.click(Private, "Apply");
        QFile file(f.path(PathId::Prywatne));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xA3\xF3\x64\x9F\xFF" "6\xFF" "1\xFF\xFF" "2026\r\n"));
        QCOMPARE(f.items(Private), QStringList{QStringLiteral("[06 sty] Łódź")});
    }

    void changeKeepsPosition()
    {
        Fixture f;
        f.writeAll();
        f.create();
        f.select(Important, 1);
        f.click(Important, "Change");
        QCOMPARE(f.get<QLineEdit>(Important, QStringLiteral("Name"))->text(), QStringLiteral("Walentynki"));
        f.type(Important, QStringLiteral("Dzień Zakochanych"));
        f.get<QDateEdit>(Important, QStringLiteral("Date"))->setDate(QDate(2000, 2, 15));
        f.click(Important, "Apply");
        QCOMPARE(f.storedImportant(),
                 (QStringList{QStringLiteral("Trzech Króli|6|1"), QStringLiteral("Dzień Zakochanych|15|2"),
                              QStringLiteral("Wszystkich Świętych|1|11")}));
        QCOMPARE(f.page(Important)->currentIndex(), 1);
        QCOMPARE(f.items(Important).at(1), QStringLiteral("[15 lut] Dzień Zakochanych"));
        QCOMPARE(f.changed->size(), 1);
    }

    void cancelRestoresShownValues()
    {
        Fixture f;
        f.writeAll();
        f.create();
        f.select(Persons, 0);
        f.click(Persons, "Change");
        f.type(Persons, QStringLiteral("Inny"));
        f.get<QCheckBox>(Persons, QStringLiteral("BirthdayOn"))->setChecked(false);
        f.click(Persons, "Cancel");
        QCOMPARE(f.get<QLineEdit>(Persons, QStringLiteral("Name"))->text(), QStringLiteral("Jan Kowalski"));
        QVERIFY(f.get<QCheckBox>(Persons, QStringLiteral("BirthdayOn"))->isChecked());
        QCOMPARE(f.storedPersons().at(0), QStringLiteral("Jan Kowalski|12|3|1990|24|6"));
        QVERIFY(f.changed->isEmpty());
    }

    void leapDayImportantDayEditable()
    {
        Fixture f;
        f.writeImportant({{QStringLiteral("Dzień przestępny"), 29, 2}});
        f.create();
        auto* date = f.get<QDateEdit>(Important, QStringLiteral("Date"));
        QCOMPARE(date->date(), QDate(2000, 2, 29));
        QCOMPARE(f.items(Important), QStringList{QStringLiteral("[29 lut] Dzień przestępny")});
        f.click(Important, "Change");
        f.type(Important, QStringLiteral("Dzień przestępny!"));
        f.click(Important, "Apply");
        QCOMPARE(f.storedImportant(), QStringList{QStringLiteral("Dzień przestępny!|29|2")});
    }

    // --- persons specifics ---------------------------------------------

    void birthdaySwitchedOffKeepsMonthAndYear()
    {
        Fixture f;
        f.writeAll();
        f.create();
        f.select(Persons, 0);
        f.click(Persons, "Change");
        auto* birthdayOn = f.get<QCheckBox>(Persons, QStringLiteral("BirthdayOn"));
        auto* birthDate = f.get<QDateEdit>(Persons, QStringLiteral("BirthDate"));
        QVERIFY(!birthDate->isHidden());
        birthdayOn->setChecked(false);
        QVERIFY(birthDate->isHidden());
        f.click(Persons, "Apply");
        QCOMPARE(f.storedPersons().at(0), QStringLiteral("Jan Kowalski|0|3|1990|24|6"));

        // Shown again: the box is off and the hidden control holds today.
        f.select(Persons, 1);
        f.select(Persons, 0);
        QVERIFY(!birthdayOn->isChecked());
        QCOMPARE(birthDate->date(), QDate(2026, 3, 9));
    }

    void zodiacPictureGreyedWhileDisabled()
    {
        Fixture f;
        f.writeAll();
        f.create();
        f.select(Persons, 0); // 12 March
        auto* picture = f.get<QLabel>(Persons, QStringLiteral("ZodiacPicture"));
        const QImage plain = builtInZodiacPicture(SignOf(12, 3)).convertToFormat(QImage::Format_RGB32);
        const auto countOf = [](const QImage& img, QRgb colour) {
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
            return n;
        };
        const int black = countOf(plain, qRgb(0, 0, 0));
        QVERIFY(black > 0);

        QImage idle = picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(countOf(idle, qRgb(0, 0, 0)), 0);
        QCOMPARE(countOf(idle, qRgb(128, 128, 128)), black + countOf(plain, qRgb(128, 128, 128)));

        f.click(Persons, "Change");
        QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32), plain);
        // The sign follows the date.
        f.get<QDateEdit>(Persons, QStringLiteral("BirthDate"))->setDate(QDate(1990, 8, 1));
        QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 builtInZodiacPicture(SignOf(1, 8)).convertToFormat(QImage::Format_RGB32));
    }

    // --- private specifics ---------------------------------------------

    void privateLineShown_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("anniversary");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QDate>("date");
        QTest::newRow("anniversary") << QStringLiteral("Ślub|12|6|2010|") << true << 2010 << QStringLiteral("Rocznica:")
                                     << QDate(2000, 6, 12);
        QTest::newRow("private day") << QStringLiteral("Dentysta|3|11||2027") << false << 2027
                                     << QStringLiteral("Prywatny dzień:") << QDate(2000, 11, 3);
        QTest::newRow("private day, year not a number")
            << QStringLiteral("Coś|3|11||abc") << false << 2026 << QStringLiteral("Prywatny dzień:") << QDate(2000, 11, 3);
        QTest::newRow("zero start year is a private day")
            << QStringLiteral("Zero|1|2|0|2024") << false << 2024 << QStringLiteral("Prywatny dzień:") << QDate(2000, 2, 1);
        QTest::newRow("day 0 shows today") << QStringLiteral("Bez dnia|0|5||2026") << false << 2026
                                           << QStringLiteral("Prywatny dzień:") << QDate(2000, 3, 9);
    }
    void privateLineShown()
    {
        QFETCH(QString, line);
        QFETCH(bool, anniversary);
        QFETCH(int, year);
        QFETCH(QString, caption);
        QFETCH(QDate, date);
        Fixture f;
        f.writePrivate({QStringLiteral("Inna|1|1|1999|"), line});
        f.create();
        f.select(Private, 1);
        QCOMPARE(f.get<QCheckBox>(Private, QStringLiteral("Anniversary"))->isChecked(), anniversary);
        QCOMPARE(f.get<NumberField>(Private, QStringLiteral("Year"))->value(), year);
        QCOMPARE(f.get<QLabel>(Private, QStringLiteral("NameCaption"))->text(), caption);
        QCOMPARE(f.get<QDateEdit>(Private, QStringLiteral("Date"))->date(), date);
    }

    void privateApplyPutsYearInItsField()
    {
        Fixture f;
        f.writePrivate({QStringLiteral("Ślub|12|6|2010|")});
        f.create();
        f.click(Private, "Change");
        auto* anniversary = f.get<QCheckBox>(Private, QStringLiteral("Anniversary"));
        auto* caption = f.get<QLabel>(Private, QStringLiteral("NameCaption"));
        anniversary->setChecked(false);
        QCOMPARE(caption->text(), QStringLiteral("Prywatny dzień:"));
        f.get<NumberField>(Private, QStringLiteral("Year"))->setValue(2031);
        f.click(Private, "Apply");
        QCOMPARE(f.storedPrivate(), QStringList{QStringLiteral("Ślub|12|6||2031")});

        f.click(Private, "Change");
        anniversary->setChecked(true);
        QCOMPARE(caption->text(), QStringLiteral("Rocznica:"));
        f.click(Private, "Apply");
        QCOMPARE(f.storedPrivate(), QStringList{QStringLiteral("Ślub|12|6|2031|")});

        // "Dodaj" starts from today, this year and no anniversary.
        f.click(Private, "Add");
        QVERIFY(!anniversary->isChecked());
        QCOMPARE(f.get<QDateEdit>(Private, QStringLiteral("Date"))->date(), QDate(2000, 3, 9));
        QCOMPARE(f.get<NumberField>(Private, QStringLiteral("Year"))->value(), 2026);
    }

    // --- refusals and failures -----------------------------------------

    void refusedNames_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank") << int(Important) << QStringLiteral("   ") << QStringLiteral("Nazwa nie może być pusta.");
        QTest::newRow("private separator") << int(Private) << QStringLiteral("Jeden") + kSep + QStringLiteral("dwa")
                                           << QStringLiteral("Nazwa nie może zawierać znaku \u02D9.");
        QTest::newRow("outside Windows-1250")
            << int(Persons) << QStringLiteral("Jan \u4E2D")
            << QStringLiteral("Nazwa zawiera znaki, których nie da się zapisać w pliku (spoza polskiej strony kodowej).");
    }
    void refusedNames()
    {
        QFETCH(int, page);
        QFETCH(QString, name);
        QFETCH(QString, message);
        Fixture f;
        f.writeAll();
        f.create();
        const QStringList before = f.stored(page);
        f.click(page, "Add");
        f.type(page, name);
        f.click(page, "Apply");
        QCOMPARE(f.errors, QStringList{message});
        QCOMPARE(f.page(page)->mode(), ReminderListPage::Mode::Add);
        QCOMPARE(f.get<QLineEdit>(page, QStringLiteral("Name"))->text(), name);
        QCOMPARE(f.stored(page), before);
        QVERIFY(f.changed->isEmpty());
    }

    void failedWriteIsReported_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("file");
        QTest::newRow("persons") << int(Persons) << int(PathId::Osoby);
        QTest::newRow("important days") << int(Important) << int(PathId::Uroczystosci);
        // The private file is written whole from memory: one that could not
        // be read must not be replaced by the new line alone.
        QTest::newRow("private") << int(Private) << int(PathId::Prywatne);
    }
    void failedWriteIsReported()
    {
        QFETCH(int, page);
        QFETCH(int, file);
        Fixture f;
        // A folder where the list file belongs: it can be neither read nor
        // written.
        QVERIFY(QDir().mkpath(f.path(PathId(file))));
        f.create();
        f.click(page, "Add");
        f.type(page, QStringLiteral("Ola"));
        f.click(page, "Apply");
        QCOMPARE(f.errors.size(), 1);
        QVERIFY2(f.errors[0].startsWith(QStringLiteral("Nie można")), qPrintable(f.errors[0]));
        // Nothing reported as done; the typed values wait for another try.
        QVERIFY(f.changed->isEmpty());
        QCOMPARE(f.page(page)->mode(), ReminderListPage::Mode::Add);
        QCOMPARE(f.get<QLineEdit>(page, QStringLiteral("Name"))->text(), QStringLiteral("Ola"));
        QCOMPARE(f.page(page)->count(), 0);
        QVERIFY(QFileInfo(f.path(PathId(file))).isDir());
    }

    // --- delete and sort -----------------------------------------------

    void deleteAsks_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("selected");
        const QStringList important{QStringLiteral("Trzech Króli|6|1"), QStringLiteral("Walentynki|14|2"),
                                    QStringLiteral("Wszystkich Świętych|1|11")};
        QTest::newRow("important, middle, yes")
            << int(Important) << 1 << true
            << QStringList{QStringLiteral("Trzech Króli|6|1"), QStringLiteral("Wszystkich Świętych|1|11")} << 1;
        QTest::newRow("important, no") << int(Important) << 1 << false << important << 1;
        QTest::newRow("persons, last, yes")
            << int(Persons) << 2 << true
            << QStringList{QStringLiteral("Jan Kowalski|12|3|1990|24|6"), QStringLiteral("Anna Zielińska|0|7|1980|26|7")}
            << 1;
        QTest::newRow("private, first, yes") << int(Private) << 0 << true
                                             << QStringList{QStringLiteral("Wizyta u dentysty|3|11||2026")} << 0;
    }
    void deleteAsks()
    {
        QFETCH(int, page);
        QFETCH(int, row);
        QFETCH(bool, answer);
        QFETCH(QStringList, after);
        QFETCH(int, selected);
        Fixture f;
        f.writeAll();
        f.create();
        f.answer = answer;
        f.select(page, row);
        f.click(page, "Remove");
        QCOMPARE(f.asked, QStringList{QStringLiteral("Usuń: Na pewno usunąć wybraną pozycję z listy?")});
        QCOMPARE(f.stored(page), after);
        QCOMPARE(f.page(page)->count(), after.size());
        QCOMPARE(f.page(page)->currentIndex(), selected);
        QCOMPARE(f.changed->size(), answer ? 1 : 0);
    }

    void deletingTheLastPrivateLineHidesItsPanels()
    {
        Fixture f;
        f.writePrivate({QStringLiteral("Ślub|12|6|2010|")});
        f.create();
        auto* panel = f.get<QWidget>(Private, QStringLiteral("NearestAnniversaryPanel"));
        QVERIFY(!panel->isHidden());
        f.click(Private, "Remove");
        QCOMPARE(f.storedPrivate(), QStringList());
        QVERIFY(panel->isHidden());
        QVERIFY(f.get<QWidget>(Private, QStringLiteral("NearestPrivatePanel"))->isHidden());
        QVERIFY(!f.get<QWidget>(Private, QStringLiteral("Remove"))->isEnabled());
        QCOMPARE(f.changed->size(), 1);
    }

    void sortFromMenu_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("persons by surname")
            << int(Persons) << QStringLiteral("Według nazwiska") << QStringLiteral("rosnąco")
            << QStringList{QStringLiteral("Jan Kowalski"), QStringLiteral("Łucja Nowak"), QStringLiteral("Anna Zielińska")};
        QTest::newRow("persons by name, descending")
            << int(Persons) << QStringLiteral("Według imienia i nazwiska") << QStringLiteral("malejąco")
            << QStringList{QStringLiteral("Łucja Nowak"), QStringLiteral("Jan Kowalski"), QStringLiteral("Anna Zielińska")};
        QTest::newRow("persons by birth date, no birthday last")
            << int(Persons) << QStringLiteral("Według daty urodzin") << QStringLiteral("rosnąco")
            << QStringList{QStringLiteral("Łucja Nowak"), QStringLiteral("Jan Kowalski"), QStringLiteral("Anna Zielińska")};
        QTest::newRow("persons by name day, descending")
            << int(Persons) << QStringLiteral("Według daty imienin") << QStringLiteral("malejąco")
            << QStringList{QStringLiteral("Łucja Nowak"), QStringLiteral("Anna Zielińska"), QStringLiteral("Jan Kowalski")};
        QTest::newRow("important by name")
            << int(Important) << QStringLiteral("Według nazwy") << QStringLiteral("rosnąco")
            << QStringList{QStringLiteral("[30 lis] Andrzejki"), QStringLiteral("[06 sty] Trzech Króli"),
                           QStringLiteral("[14 lut] Walentynki"), QStringLiteral("[01 lis] Wszystkich Świętych")};
        QTest::newRow("important by date, descending")
            << int(Important) << QStringLiteral("Według daty") << QStringLiteral("malejąco")
            << QStringList{QStringLiteral("[30 lis] Andrzejki"), QStringLiteral("[01 lis] Wszystkich Świętych"),
                           QStringLiteral("[14 lut] Walentynki"), QStringLiteral("[06 sty] Trzech Króli")};
        QTest::newRow("private by name")
            << int(Private) << QStringLiteral("Według nazwy") << QStringLiteral("rosnąco")
            << QStringList{QStringLiteral("[01 sty] Alarm"), QStringLiteral("[12 cze] Ślub Ani"),
                           QStringLiteral("[03 lis] Wizyta u dentysty")};
        QTest::newRow("private by date, descending")
            << int(Private) << QStringLiteral("Według daty") << QStringLiteral("malejąco")
            << QStringList{QStringLiteral("[01 sty] Alarm"), QStringLiteral("[03 lis] Wizyta u dentysty"),
                           QStringLiteral("[12 cze] Ślub Ani")};
    }
    void sortFromMenu()
    {
        QFETCH(int, page);
        QFETCH(QString, key);
        QFETCH(QString, direction);
        QFETCH(QStringList, items);
        Fixture f;
        f.writeAll();
        // Orders by name and by date differ in every list.
        f.writeImportant({{QStringLiteral("Walentynki"), 14, 2},
                          {QStringLiteral("Andrzejki"), 30, 11},
                          {QStringLiteral("Trzech Króli"), 6, 1},
                          {QStringLiteral("Wszystkich Świętych"), 1, 11}});
        f.writePrivate({QStringLiteral("Wizyta u dentysty|3|11||2026"), QStringLiteral("Ślub Ani|12|6|2010|"),
                        QStringLiteral("Alarm|1|1||2030")});
        f.create();
        f.select(page, 1);
        QMenu* menu = f.get<QMenu>(page, QStringLiteral("SortMenu"));
        QAction* found = nullptr;
        for (QAction* sub : menu->actions()) {
            if (sub->text() != key)
                continue;
            for (QAction* a : sub->menu()->actions()) {
                if (a->text() == direction)
                    found = a;
            }
        }
        QVERIFY(found);
        found->trigger();
        QCOMPARE(f.items(page), items);
        QCOMPARE(f.page(page)->currentIndex(), 0);
        // What the list shows was read back from the file.
        f.page(page)->reload(0);
        QCOMPARE(f.items(page), items);
        QCOMPARE(f.changed->size(), 1);
    }

    // --- moves ---------------------------------------------------------

    void moveImportantToPrivateAndBack()
    {
        Fixture f;
        f.writeAll();
        f.create();
        f.select(Important, 1);
        f.click(Important, "MoveToPrivate");
        QCOMPARE(f.storedImportant(),
                 (QStringList{QStringLiteral("Trzech Króli|6|1"), QStringLiteral("Wszystkich Świętych|1|11")}));
        QCOMPARE(f.storedPrivate(),
                 (QStringList{QStringLiteral("Ślub Ani|12|6|2010|"), QStringLiteral("Wizyta u dentysty|3|11||2026"),
                              QStringLiteral("Walentynki|14|2||2026")}));
        QCOMPARE(f.page(Important)->currentIndex(), 1);
        QCOMPARE(f.page(Private)->currentIndex(), 2);
        QCOMPARE(f.get<QLineEdit>(Private, QStringLiteral("Name"))->text(), QStringLiteral("Walentynki"));
        QCOMPARE(f.changed->size(), 1);

        // The last important day: the new last item stays selected.
        f.select(Important, 1);
        f.click(Important, "MoveToPrivate");
        QCOMPARE(f.page(Important)->currentIndex(), 0);

        f.select(Private, 0);
        f.click(Private, "MoveToImportant");
        QCOMPARE(f.storedImportant(),
                 (QStringList{QStringLiteral("Trzech Króli|6|1"), QStringLiteral("Ślub Ani|12|6")}));
        QCOMPARE(f.storedPrivate(),
                 (QStringList{QStringLiteral("Wizyta u dentysty|3|11||2026"), QStringLiteral("Walentynki|14|2||2026"),
                              QStringLiteral("Wszystkich Świętych|1|11||2026")}));
        QCOMPARE(f.page(Important)->currentIndex(), 1);
        QCOMPARE(f.items(Important).at(1), QStringLiteral("[12 cze] Ślub Ani"));
        QCOMPARE(f.page(Private)->currentIndex(), 0);
        QCOMPARE(f.changed->size(), 3);
        // Both pages' panels follow.
        QCOMPARE(f.get<QLineEdit>(Important, QStringLiteral("NearestImportantNames"))->text(),
                 QStringLiteral("Ślub Ani"));
    }

    void moveRefusesTheSeparator()
    {
        Fixture f;
        f.writeImportant({{QStringLiteral("A") + kSep + QStringLiteral("B"), 1, 5}});
        f.create();
        f.click(Important, "MoveToPrivate");
        QCOMPARE(f.errors, QStringList{QStringLiteral("Nazwa nie może zawierać znaku \u02D9.")});
        QCOMPARE(f.storedImportant().size(), 1);
        QCOMPARE(f.storedPrivate(), QStringList{QStringLiteral("<unreadable>")});
        QVERIFY(f.changed->isEmpty());
    }

    void moveButtonsFollowBothPages_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("toPrivate");
        QTest::addColumn<bool>("toImportant");
        QTest::newRow("both idle") << QString() << true << true;
        QTest::newRow("private adding") << QStringLiteral("private:Add") << false << false;
        QTest::newRow("important changing") << QStringLiteral("important:Change") << false << false;
        QTest::newRow("private add cancelled") << QStringLiteral("private:Add private:Cancel") << true << true;
        QTest::newRow("important add from the calendar") << QStringLiteral("important:calendar") << false << false;
        QTest::newRow("private add, then Przejdź do") << QStringLiteral("private:Add private:goto") << true << true;
    }
    void moveButtonsFollowBothPages()
    {
        QFETCH(QString, steps);
        QFETCH(bool, toPrivate);
        QFETCH(bool, toImportant);
        Fixture f;
        f.writeAll();
        f.create();
        for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const int page = step.startsWith(QLatin1String("private")) ? Private : Important;
            const QString what = step.section(QLatin1Char(':'), 1);
            if (what == QLatin1String("calendar"))
                f.pages->addImportantDay(QDate(2026, 5, 1));
            else if (what == QLatin1String("goto"))
                f.pages->selectEntry(3, 1);
            else
                f.click(page, what.toLatin1().constData());
        }
        QCOMPARE(f.get<QWidget>(Important, QStringLiteral("MoveToPrivate"))->isEnabled(), toPrivate);
        QCOMPARE(f.get<QWidget>(Private, QStringLiteral("MoveToImportant"))->isEnabled(), toImportant);
    }

    void moveButtonsNeedAnItem()
    {
        Fixture f;
        f.create();
        QVERIFY(!f.get<QWidget>(Important, QStringLiteral("MoveToPrivate"))->isEnabled());
        QVERIFY(!f.get<QWidget>(Private, QStringLiteral("MoveToImportant"))->isEnabled());
    }

    // --- "Przejdź do..." ------------------------------------------------

    void selectEntryCancelsEditing_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::newRow("persons") << 1 << 2 << 2 << QStringLiteral("Łucja Nowak");
        QTest::newRow("important days") << 2 << 0 << 0 << QStringLiteral("Trzech Króli");
        QTest::newRow("private line") << 3 << 1 << 1 << QStringLiteral("Wizyta u dentysty");
        // An index beyond the list still ends the edit, on the old item.
        QTest::newRow("beyond the list") << 3 << 7 << 0 << QStringLiteral("Ślub Ani");
    }
    void selectEntryCancelsEditing()
    {
        QFETCH(int, group);
        QFETCH(int, index);
        QFETCH(int, row);
        QFETCH(QString, name);
        Fixture f;
        f.writeAll();
        f.create();
        const int page = group - 1;
        const QStringList before = f.stored(page);
        f.click(page, "Add");
        f.type(page, QStringLiteral("Niedokończone"));
        f.pages->selectEntry(group, index);
        QCOMPARE(f.page(page)->mode(), ReminderListPage::Mode::Idle);
        QCOMPARE(f.page(page)->currentIndex(), row);
        QCOMPARE(f.get<QLineEdit>(page, QStringLiteral("Name"))->text(), name);
        QVERIFY(f.get<QWidget>(page, QStringLiteral("List"))->isEnabled());
        QCOMPARE(f.stored(page), before);
    }

    // --- settings boxes --------------------------------------------------

    void settingsBoxes_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("redraws");
        QTest::newRow("Solenizant Aktywny") << int(Persons) << QStringLiteral("RemindToday") << false;
        QTest::newRow("PanelU") << int(Persons) << QStringLiteral("PanelU") << true;
        QTest::newRow("PanelI") << int(Persons) << QStringLiteral("PanelI") << true;
        QTest::newRow("Inne Aktywne") << int(Important) << QStringLiteral("RemindToday") << false;
        QTest::newRow("Inne Panel") << int(Important) << QStringLiteral("Panel") << true;
        QTest::newRow("Prywatne Aktywne") << int(Private) << QStringLiteral("RemindToday") << false;
        QTest::newRow("Prywatne Panel") << int(Private) << QStringLiteral("Panel") << true;
    }
    void settingsBoxes()
    {
        QFETCH(int, page);
        QFETCH(QString, box);
        QFETCH(bool, redraws);
        Fixture f;
        f.create();
        const auto field = [&]() -> int {
            const Settings& s = f.settings;
            if (page == Persons)
                return box == QLatin1String("RemindToday") ? s.solenizant.inTodayWindow
                     : box == QLatin1String("PanelU")      ? s.solenizant.birthdaysOnCalendar
                                                           : s.solenizant.nameDaysOnCalendar;
            if (page == Important)
                return box == QLatin1String("RemindToday") ? s.inne.inTodayWindow : s.inne.onCalendar;
            return box == QLatin1String("RemindToday") ? s.prywatne.inTodayWindow : s.prywatne.onCalendar;
        };
        auto* check = f.get<QCheckBox>(page, box);
        const bool start = field() != 0;
        QCOMPARE(check->isChecked(), start);
        check->setChecked(!start);
        QCOMPARE(field(), start ? 0 : 1);
        QCOMPARE(f.changed->size(), redraws ? 1 : 0);

        // A replaced model shows in the box without counting as a change.
        f.settings = Settings();
        f.pages->reloadSettings();
        QCOMPARE(check->isChecked(), start);
        QCOMPARE(f.changed->size(), redraws ? 1 : 0);
    }

    void dailyNoticeFromEveryPage()
    {
        Fixture f;
        f.create();
        QSignalSpy notice(f.pages.get(), &ReminderPages::dailyNoticeRequested);
        for (int page : {Persons, Important, Private})
            f.click(page, "DailyNotice");
        QCOMPARE(notice.size(), 3);
    }

    // --- nearest panels ------------------------------------------------

    void nearestPanels()
    {
        Fixture f;
        f.writePersons({{QStringLiteral("Jan Kowalski"), 12, 3, 1990, 10, 3},
                        {QStringLiteral("Anna Zielińska"), 12, 3, 1985, 0, 3},
                        {QStringLiteral("Dziś Urodzony"), 9, 3, 2000, 9, 3}});
        f.writeImportant({{QStringLiteral("Dzień Kobiet"), 8, 3}, {QStringLiteral("Prima aprilis"), 1, 4}});
        f.writePrivate({QStringLiteral("Ślub|20|3|2016|"), QStringLiteral("Dentysta|15|3||2026"),
                        QStringLiteral("Zeszłoroczne|10|3||2025")});
        f.create();
        const auto text = [&](int page, const char* name) {
            return f.get<QWidget>(page, QLatin1String(name))->property("text").toString();
        };
        QCOMPARE(text(Persons, "NearestBirthday"), QStringLiteral("czwartek 12 mar 2026 (pozostały: 3 dni)"));
        QCOMPARE(text(Persons, "NearestBirthdayNames"),
                 QStringLiteral("Jan Kowalski (36 lat), Anna Zielińska (41 lat)"));
        QCOMPARE(text(Persons, "NearestNameDay"), QStringLiteral("wtorek 10 mar 2026 (pozostał: 1 dzień)"));
        QCOMPARE(text(Persons, "NearestNameDayNames"), QStringLiteral("Jan Kowalski"));
        QCOMPARE(text(Important, "NearestImportant"), QStringLiteral("środa 01 kwi 2026 (pozostały: 23 dni)"));
        QCOMPARE(text(Important, "NearestImportantNames"), QStringLiteral("Prima aprilis"));
        QCOMPARE(text(Private, "NearestPrivate"), QStringLiteral("niedziela 15 mar 2026 (pozostało: 6 dni)"));
        QCOMPARE(text(Private, "NearestPrivateNames"), QStringLiteral("Dentysta"));
        QCOMPARE(text(Private, "NearestAnniversaryNames"), QStringLiteral("Ślub (10)"));

        // A new day: the panels and the idle controls showing today move on.
        f.select(Persons, 1); // no name day: its control shows today
        f.clock.set(QDateTime(QDate(2026, 3, 13), QTime(0, 0, 1)));
        f.pages->refreshNearest();
        QCOMPARE(text(Persons, "NearestBirthday"), QStringLiteral("wtorek 09 mar 2027 (pozostało: 361 dni)"));
        QCOMPARE(text(Persons, "NearestBirthdayNames"), QStringLiteral("Dziś Urodzony (27 lat)"));
        QCOMPARE(f.get<QDateEdit>(Persons, QStringLiteral("NameDayDate"))->date(), QDate(2000, 3, 13));
        QCOMPARE(text(Private, "NearestPrivateNames"), QStringLiteral("Dentysta"));

        // An edit refreshes its page's panel.
        f.pages->addImportantDay(QDate(2026, 3, 14));
        f.type(Important, QStringLiteral("Dzień liczby Pi"));
        f.click(Important, "Apply");
        QCOMPARE(text(Important, "NearestImportantNames"), QStringLiteral("Dzień liczby Pi"));
    }

    void emptyListsHideTheirPanels()
    {
        Fixture f;
        f.writePrivate({QStringLiteral("Zeszłoroczne|10|3||2025")});
        f.create();
        QVERIFY(f.get<QWidget>(Persons, QStringLiteral("NearestBirthdayPanel"))->isHidden());
        QVERIFY(f.get<QWidget>(Persons, QStringLiteral("NearestNameDayPanel"))->isHidden());
        QVERIFY(f.get<QWidget>(Important, QStringLiteral("NearestImportantPanel"))->isHidden());
        // A list with no candidate shows its panels, empty.
        QVERIFY(!f.get<QWidget>(Private, QStringLiteral("NearestPrivatePanel"))->isHidden());
        QCOMPARE(f.get<QLineEdit>(Private, QStringLiteral("NearestPrivateNames"))->text(), QString());
        QCOMPARE(f.get<QLabel>(Private, QStringLiteral("NearestPrivate"))->text(), QString());

        f.pages->addBirthday(QDate(2000, 3, 10));
        f.type(Persons, QStringLiteral("Nowy"));
        f.click(Persons, "Apply");
        QVERIFY(!f.get<QWidget>(Persons, QStringLiteral("NearestBirthdayPanel"))->isHidden());
        QCOMPARE(f.get<QLineEdit>(Persons, QStringLiteral("NearestBirthdayNames"))->text(),
                 QStringLiteral("Nowy (26 lat)"));
    }

    // --- start-up --------------------------------------------------------

    void startUpFixesFiles_data()
    {
        QTest::addColumn<bool>("updatedStart");
        QTest::addColumn<QStringList>("important");
        QTest::newRow("normal start") << false
                                      << QStringList{QStringLiteral("Ostatki|24|2"), QStringLiteral("Walentynki|14|2")};
        QTest::newRow("after an update") << true << QStringList{QStringLiteral("Walentynki|14|2")};
    }
    void startUpFixesFiles()
    {
        QFETCH(bool, updatedStart);
        QFETCH(QStringList, important);
        Fixture f;
        f.writeImportant({{QStringLiteral("Ostatki"), 24, 2}, {QStringLiteral("Walentynki"), 14, 2}});
        f.writePrivate({QStringLiteral("Stara linia|5|7"), QStringLiteral("Ślub|12|6|2010|")});
        f.create(updatedStart);
        QCOMPARE(f.storedImportant(), important);
        QCOMPARE(f.page(Important)->count(), important.size());
        QCOMPARE(f.storedPrivate(),
                 (QStringList{QStringLiteral("Stara linia|5|7||2026"), QStringLiteral("Ślub|12|6|2010|")}));
        QCOMPARE(f.pages->privatePage()->lines().at(0), privateLine(QStringLiteral("Stara linia|5|7||2026")));
        // Start-up is not an edit.
        QVERIFY(f.changed->isEmpty());
    }
};

QTEST_MAIN(ReminderPagesTest)
#include "tst_reminder_pages.moc"
