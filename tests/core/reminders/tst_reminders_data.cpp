#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/common/IniFile.h"
#include "core/reminders/ReminderFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace zorvex;

namespace {
const QChar S = kListSeparator;

QString fixture(const char* name) { return QStringLiteral(ZORVEX_FIXTURES "/reminders/") + QLatin1String(name); }

QString copyFixture(const QTemporaryDir& dir, const char* name)
{
    const QString to = dir.filePath(QLatin1String(name));
    QFile::remove(to);
    if (!QFile::copy(fixture(name), to))
        qFatal("fixture copy failed");
    QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    return to;
}

QStringList names(const QList<PersonEntry>& people)
{
    QStringList out;
    for (const PersonEntry& p : people)
        out << p.name;
    return out;
}

PersonEntry person(const char* name, int bd, int bm, int by, int nd = 0, int nm = 1)
{
    return PersonEntry{QString::fromUtf8(name), bd, bm, by, nd, nm};
}
} // namespace

class TestReminderData : public QObject {
    Q_OBJECT
private slots:
    void personsLoadOddSections();
    void personsRoundTripPolishText();
    void personsRemove_data();
    void personsRemove();
    void personsChangeOutsideListFails();
    void personsEditedByHandAreReadAgain();
    void personsSort_data();
    void personsSort();
    void sortKeys_data();
    void sortKeys();
    void importantDays();
    void importantDaysObsoleteFeasts();
    void statedCountIsBoundedByTheFile_data();
    void statedCountIsBoundedByTheFile();
    void listOfAUtf8Editor();
    void privateLoadAndYears();
    void yearsGoOnlyToOldEntries_data();
    void yearsGoOnlyToOldEntries();
    void privateRoundTripAndSort();
    void failedSaveKeepsOldFile();
    void entryNames_data();
    void entryNames();
};

void TestReminderData::personsLoadOddSections()
{
    bool ok = false;
    const auto people = PersonFile::load(fixture("Osoby.ini"), &ok);
    QVERIFY(ok);
    QCOMPARE(people.size(), 3);
    QCOMPARE(people[0], person("Łucja Żółkiewska", 29, 2, 1988, 0, 12));
    // A section without keys: days and months 1, the year 2000.
    QCOMPARE(people[1], (PersonEntry{QString(), 1, 1, 2000, 1, 1}));
    // Texts that are not numbers: day 1, year 0.
    QCOMPARE(people[2], person("Jan Maria Kowalski", 1, 3, 0, 24, 6));
    QVERIFY(PersonFile::load(QStringLiteral("/nonexistent/Osoby.ini")).isEmpty());
}

void TestReminderData::personsEditedByHandAreReadAgain()
{
    // Files kept for a while are read once; then every change is seen, even
    // one that keeps the size and puts the time back, or a file of the same
    // size and time put in its place.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Osoby.ini"));
    const QString other = dir.filePath(QStringLiteral("Inne.ini"));
    const auto write = [](const QString& file, const char* name) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("[Osoby]\r\nIle=1\r\n[Osoba1]\r\nImieNazwisko=") + name + "\r\nUrodzinyD=5\r\n");
    };
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    const auto backdate = [&](const QString& file) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(past, QFileDevice::FileModificationTime));
    };
    write(path, "Anna");
    write(other, "Olga");
    backdate(path);
    backdate(other);
    QTest::qWait(2100); // no longer just changed
    QCOMPARE(names(PersonFile::load(path)), QStringList{QStringLiteral("Anna")});
    QCOMPARE(names(PersonFile::load(path)), QStringList{QStringLiteral("Anna")});

    write(path, "Ania");
    backdate(path);
    QCOMPARE(names(PersonFile::load(path)), QStringList{QStringLiteral("Ania")});

    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::rename(other, path));
    QCOMPARE(names(PersonFile::load(path)), QStringList{QStringLiteral("Olga")});

    QVERIFY(QFile::remove(path));
    bool ok = true;
    QVERIFY(PersonFile::load(path, &ok).isEmpty());
}

void TestReminderData::personsRoundTripPolishText()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Osoby.ini"));
    const PersonEntry a = person("Źdźbło Ęślińska", 31, 12, 1970, 0, 5);
    const PersonEntry b = person("Grzegorz Brzęczyszczykiewicz", 0, 7, 1999, 12, 3);
    QString error;
    QVERIFY2(PersonFile::append(path, a, &error), qPrintable(error));
    QVERIFY(PersonFile::append(path, b));
    QCOMPARE(PersonFile::load(path), (QList<PersonEntry>{a, b}));

    QByteArray bytes;
    QVERIFY(readWholeFile(path, &bytes));
    QVERIFY(bytes.contains(toCp1250(QStringLiteral("ImieNazwisko=Źdźbło Ęślińska"))));
    // Switched-off dates keep their month (and year).
    QVERIFY(bytes.contains("UrodzinyD=0\r\nUrodzinyM=7\r\nUrodzinyR=1999"));

    const PersonEntry c = person("Ala Ćwik", 2, 2, 2002, 2, 2);
    QVERIFY(PersonFile::replace(path, 0, c));
    QCOMPARE(PersonFile::load(path), (QList<PersonEntry>{c, b}));
}

void TestReminderData::personsRemove_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("only person") << 1 << 0 << QStringList{};
    QTest::newRow("middle of three") << 3 << 1 << QStringList{QStringLiteral("P1"), QStringLiteral("P3")};
    QTest::newRow("last of three") << 3 << 2 << QStringList{QStringLiteral("P1"), QStringLiteral("P2")};
    QTest::newRow("first of three") << 3 << 0 << QStringList{QStringLiteral("P2"), QStringLiteral("P3")};
}

void TestReminderData::personsRemove()
{
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(QStringList, left);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Osoby.ini"));
    for (int i = 1; i <= count; ++i)
        QVERIFY(PersonFile::append(path, PersonEntry{QStringLiteral("P%1").arg(i), i, i, 1980 + i, i, i}));
    QVERIFY(PersonFile::remove(path, index));

    const auto people = PersonFile::load(path);
    QCOMPARE(names(people), left);
    for (const PersonEntry& p : people) // moved entries keep every value
        QCOMPARE(p.birthYear, 1980 + p.name.mid(1).toInt());
    const IniFile ini = IniFile::load(path);
    QCOMPARE(ini.readInteger(QStringLiteral("Osoby"), QStringLiteral("Ile"), -1), count - 1);
    QVERIFY(!ini.hasSection(QStringLiteral("Osoba%1").arg(count)));
}

void TestReminderData::personsChangeOutsideListFails()
{
    QTemporaryDir dir;
    const QString path = copyFixture(dir, "Osoby.ini");
    QByteArray before;
    QVERIFY(readWholeFile(path, &before));
    QString error;
    QVERIFY(!PersonFile::remove(path, 3, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!PersonFile::replace(path, -1, PersonEntry{}));
    QVERIFY(!ImportantDayFile::remove(path, 0)); // no "Uroczystosci" section there
    QByteArray after;
    QVERIFY(readWholeFile(path, &after));
    QCOMPARE(after, before);
}

void TestReminderData::personsSort_data()
{
    QTest::addColumn<int>("by");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("order");
    const auto l = [](std::initializer_list<const char*> n) {
        QStringList out;
        for (const char* s : n)
            out << QString::fromUtf8(s);
        return out;
    };
    QTest::newRow("surname") << int(PersonSort::Surname) << false
                             << l({"Adam Kowalski", "Bożena łabędź", "Ewa Łąka", "Zofia Nowak", "Anna Zielińska"});
    QTest::newRow("surname descending") << int(PersonSort::Surname) << true
                                        << l({"Anna Zielińska", "Zofia Nowak", "Ewa Łąka", "Bożena łabędź", "Adam Kowalski"});
    QTest::newRow("full name") << int(PersonSort::FullName) << false
                               << l({"Adam Kowalski", "Anna Zielińska", "Bożena łabędź", "Ewa Łąka", "Zofia Nowak"});
    // Persons without a birthday go last in both directions, in sorted order.
    QTest::newRow("birth date") << int(PersonSort::BirthDate) << false
                                << l({"Zofia Nowak", "Ewa Łąka", "Adam Kowalski", "Anna Zielińska", "Bożena łabędź"});
    QTest::newRow("birth date descending") << int(PersonSort::BirthDate) << true
                                           << l({"Adam Kowalski", "Ewa Łąka", "Zofia Nowak", "Bożena łabędź", "Anna Zielińska"});
    QTest::newRow("name day") << int(PersonSort::NameDay) << false
                              << l({"Ewa Łąka", "Zofia Nowak", "Anna Zielińska", "Bożena łabędź", "Adam Kowalski"});
}

void TestReminderData::personsSort()
{
    QFETCH(int, by);
    QFETCH(bool, descending);
    QFETCH(QStringList, order);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Osoby.ini"));
    const QList<PersonEntry> people{
        person("Anna Zielińska", 0, 5, 1950, 26, 7),
        person("Bożena łabędź", 0, 1, 2001, 4, 12), // no birthday, like Zielińska: both go last
        person("Adam Kowalski", 3, 4, 1990, 24, 12),
        person("Ewa Łąka", 12, 3, 985, 1, 1), // a year of three digits still sorts as a number
        person("Zofia Nowak", 15, 5, 970, 15, 5),
    };
    for (const PersonEntry& p : people)
        QVERIFY(PersonFile::append(path, p));
    QVERIFY(PersonFile::sort(path, PersonSort(by), descending));
    const auto sorted = PersonFile::load(path);
    QCOMPARE(names(sorted), order);
    for (const PersonEntry& p : sorted) // whole records move, not only names
        QVERIFY(people.contains(p));
}

void TestReminderData::sortKeys_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("ł equals Ł") << QStringLiteral("łoś") << QStringLiteral("ŁOŚ") << 0;
    QTest::newRow("ć after cz") << QStringLiteral("Czajka") << QStringLiteral("Ćwik") << -1;
    QTest::newRow("ć before d") << QStringLiteral("Ćwik") << QStringLiteral("Dąb") << -1;
    QTest::newRow("ż after ź after z") << QStringLiteral("Źrebak") << QStringLiteral("Żuk") << -1;
    QTest::newRow("z before ź") << QStringLiteral("Zyta") << QStringLiteral("Źrebak") << -1;
    QTest::newRow("digits") << QStringLiteral("0311") << QStringLiteral("1201") << -1;
}

void TestReminderData::sortKeys()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    const auto sgn = [](int c) { return (c > 0) - (c < 0); };
    QCOMPARE(sgn(compareSortKeys(a, b)), sign);
    QCOMPARE(sgn(compareSortKeys(b, a)), -sign);
    QCOMPARE(surnameFirst(QStringLiteral("Jan Maria Kowalski")), QStringLiteral("Maria Kowalski Jan"));
    QCOMPARE(surnameFirst(QStringLiteral("Kowalski")), QStringLiteral("Kowalski"));
    QCOMPARE(surnameFirst(QStringLiteral(" Kowalski")), QStringLiteral(" Kowalski"));
}

void TestReminderData::importantDays()
{
    const auto shipped = ImportantDayFile::load(QStringLiteral(ZORVEX_SHIPPED_DATA "/Uroczystosci.ini"));
    QVERIFY(shipped.size() > 10);
    QCOMPARE(shipped[0], (ImportantDayEntry{QStringLiteral("Nowy Rok"), 1, 1}));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Uroczystosci.ini"));
    const ImportantDayEntry leap{QStringLiteral("Dzień przestępny"), 29, 2};
    const ImportantDayEntry a{QStringLiteral("Andrzejki"), 29, 11};
    const ImportantDayEntry w{QStringLiteral("Walentynki"), 14, 2};
    for (const auto& e : {a, leap, w})
        QVERIFY(ImportantDayFile::append(path, e));
    QCOMPARE(ImportantDayFile::load(path), (QList<ImportantDayEntry>{a, leap, w}));
    QVERIFY(ImportantDayFile::sort(path, ImportantDaySort::Date, false));
    QCOMPARE(ImportantDayFile::load(path), (QList<ImportantDayEntry>{w, leap, a}));
    QVERIFY(ImportantDayFile::sort(path, ImportantDaySort::Name, true));
    QCOMPARE(ImportantDayFile::load(path), (QList<ImportantDayEntry>{w, leap, a}));
    QVERIFY(ImportantDayFile::sort(path, ImportantDaySort::Name, false));
    QCOMPARE(ImportantDayFile::load(path), (QList<ImportantDayEntry>{a, leap, w}));
}

void TestReminderData::importantDaysObsoleteFeasts()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Uroczystosci.ini"));
    const QList<ImportantDayEntry> all{
        {QStringLiteral("Ostatki"), 24, 2},
        {QStringLiteral("Ostatki"), 23, 2}, // another date: kept
        {QStringLiteral("Popielec"), 25, 2},
        {QStringLiteral("Dzień Matki"), 26, 5},
        {QStringLiteral("Wniebowstąpienie Pańskie"), 20, 5},
        {QStringLiteral("Zielone Świątki"), 30, 5},
    };
    for (const auto& e : all)
        QVERIFY(ImportantDayFile::append(path, e));
    QVERIFY(ImportantDayFile::removeObsoleteFeasts(path));
    QCOMPARE(ImportantDayFile::load(path), (QList<ImportantDayEntry>{all[1], all[3]}));
}

void TestReminderData::statedCountIsBoundedByTheFile_data()
{
    QTest::addColumn<bool>("persons");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("names");

    // 62 bytes that once kept the program from ever starting.
    QTest::newRow("huge count, one person") << true
        << QByteArray("[Osoby]\r\nIle=2000000000\r\n[Osoba1]\r\nImieNazwisko=Ala\r\nUrodzinyD=1\r\n")
        << QStringList{QStringLiteral("Ala")};
    QTest::newRow("huge count, no entry") << false << QByteArray("[Uroczystosci]\r\nIle=2000000000\r\n") << QStringList();
    QTest::newRow("huge count, one day") << false
        << QByteArray("[Uroczystosci]\r\nIle=2147483647\r\n[Uroczystosc1]\r\nNazwa=Dzie\xf1 Matki\r\n")
        << QStringList{QStringLiteral("Dzień Matki")};
    QTest::newRow("count beyond the sections") << true
        << QByteArray("[Osoby]\r\nIle=5\r\n[Osoba1]\r\nImieNazwisko=A\r\n[osoba2]\r\nImieNazwisko=B\r\n")
        << QStringList{QStringLiteral("A"), QStringLiteral("B")};
    // A gap in the numbers reads as before: an empty entry in its place.
    QTest::newRow("gap") << true
        << QByteArray("[Osoby]\r\nIle=3\r\n[Osoba1]\r\nImieNazwisko=A\r\n[Osoba3]\r\nImieNazwisko=C\r\n")
        << QStringList{QStringLiteral("A"), QString(), QStringLiteral("C")};
    QTest::newRow("count below the sections") << true
        << QByteArray("[Osoby]\r\nIle=1\r\n[Osoba1]\r\nImieNazwisko=A\r\n[Osoba2]\r\nImieNazwisko=B\r\n")
        << QStringList{QStringLiteral("A")};
    QTest::newRow("number spelt otherwise") << true
        << QByteArray("[Osoby]\r\nIle=1000\r\n[Osoba01]\r\nImieNazwisko=A\r\n[Osoba1x]\r\n") << QStringList();
    QTest::newRow("negative count") << false << QByteArray("[Uroczystosci]\r\nIle=-4\r\n[Uroczystosc1]\r\nNazwa=X\r\n")
                                    << QStringList();
}

void TestReminderData::statedCountIsBoundedByTheFile()
{
    QFETCH(bool, persons);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, names);

    QTemporaryDir dir;
    const QString path = dir.filePath(persons ? QStringLiteral("Osoby.ini") : QStringLiteral("Uroczystosci.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(file) == file.size());
    f.close();

    QStringList read;
    if (persons) {
        for (const PersonEntry& p : PersonFile::load(path))
            read << p.name;
    } else {
        for (const ImportantDayEntry& e : ImportantDayFile::load(path))
            read << e.name;
    }
    QCOMPARE(read, names);

    // Every operation works on the entries there are; an append puts the
    // count right.
    if (persons) {
        QVERIFY(PersonFile::sort(path, PersonSort::FullName, true));
        QVERIFY(PersonFile::append(path, person("Nowy", 1, 1, 2000)));
        QCOMPARE(PersonFile::load(path).size(), names.size() + 1);
        QCOMPARE(IniFile::load(path).readInteger(QStringLiteral("Osoby"), QStringLiteral("Ile"), -1), names.size() + 1);
    } else {
        QVERIFY(ImportantDayFile::removeObsoleteFeasts(path) || true);
        QVERIFY(ImportantDayFile::append(path, ImportantDayEntry{QStringLiteral("Nowy"), 1, 1}));
        QCOMPARE(ImportantDayFile::load(path).size(), names.size() + 1);
        QVERIFY(ImportantDayFile::remove(path, names.size()));
        QCOMPARE(ImportantDayFile::load(path).size(), names.size());
    }
}

// Lists saved by a UTF-8 editor read as such and go back as Windows-1250.
void TestReminderData::listOfAUtf8Editor()
{
    QTemporaryDir dir;
    const QString persons = dir.filePath(QStringLiteral("Osoby.ini"));
    const QString privateDays = dir.filePath(QStringLiteral("Prywatne_Ala.ini"));
    QFile p(persons);
    QVERIFY(p.open(QIODevice::WriteOnly));
    p.write(QByteArray("\xEF\xBB\xBF") + QStringLiteral("[Osoby]\r\nIle=1\r\n[Osoba1]\r\nImieNazwisko=Łucja Żółkiewska\r\n"
                                            "UrodzinyD=29\r\nUrodzinyM=2\r\nUrodzinyR=1988\r\n")
                                 .toUtf8());
    p.close();
    QFile q(privateDays);
    QVERIFY(q.open(QIODevice::WriteOnly));
    q.write((QStringList{QStringLiteral("Ślub Ani"), QStringLiteral("12"), QStringLiteral("6"), QStringLiteral("2010"),
                         QString()}
                 .join(S)
             + QStringLiteral("\r\n"))
                .toUtf8());
    q.close();

    const QList<PersonEntry> people = PersonFile::load(persons);
    QCOMPARE(people, (QList<PersonEntry>{person("Łucja Żółkiewska", 29, 2, 1988, 1, 1)}));
    QVERIFY(PersonFile::append(persons, person("Jan", 1, 1, 2000)));
    QByteArray bytes;
    QVERIFY(readWholeFile(persons, &bytes));
    QVERIFY(bytes.startsWith("[Osoby]\r\nIle=2\r\n[Osoba1]\r\nImieNazwisko=\xa3ucja \xaf\xf3\xb3kiewska\r\n"));

    bool ok = false;
    const QStringList lines = PrivateFile::load(privateDays, &ok);
    QVERIFY(ok);
    QCOMPARE(PrivateEntry::parse(lines.value(0)).name, QStringLiteral("Ślub Ani"));
    QCOMPARE(PrivateEntry::parse(lines.value(0)).startYear, std::optional<int>(2010));
    QVERIFY(PrivateFile::save(privateDays, lines));
    QVERIFY(readWholeFile(privateDays, &bytes));
    QCOMPARE(bytes, QByteArray("\x8club Ani\xff" "12\xff" "6\xff" "2010\xff\r\n"));

    // A line beyond Windows-1250 keeps its letters: such a file stays UTF-8.
    const QStringList foreign{
        QStringList{QStringLiteral("День"), QStringLiteral("1"), QStringLiteral("2"), QString(), QStringLiteral("2026")}
            .join(S)};
    QVERIFY(PrivateFile::save(privateDays, foreign));
    QCOMPARE(PrivateFile::load(privateDays), foreign);
}

void TestReminderData::privateLoadAndYears()
{
    bool ok = false;
    QStringList lines = PrivateFile::load(fixture("Prywatne_Ala.ini"), &ok);
    QVERIFY(ok);
    QCOMPARE(lines.size(), 4);
    const PrivateEntry wedding = PrivateEntry::parse(lines[0]);
    QCOMPARE(wedding.name, QStringLiteral("Ślub Ani"));
    QCOMPARE(wedding.startYear, std::optional<int>(2010));
    QVERIFY(wedding.isAnniversary());
    const PrivateEntry dentist = PrivateEntry::parse(lines[1]);
    QCOMPARE(dentist.year, std::optional<int>(2026));
    QVERIFY(!dentist.isAnniversary());
    // A line of a name alone: day and month 1, no year.
    const PrivateEntry bare = PrivateEntry::parse(lines[3]);
    QCOMPARE(bare.day, 1);
    QCOMPARE(bare.month, 1);
    QVERIFY(!bare.year && !bare.startYear);

    const QStringList before = lines;
    QVERIFY(PrivateFile::addMissingYears(lines, 2027));
    QCOMPARE(lines[0], before[0]);
    QCOMPARE(lines[1], before[1]);
    QCOMPARE(lines[2], QStringList({QStringLiteral("Stara linia"), QStringLiteral("5"), QStringLiteral("7"), QString(),
                                    QStringLiteral("2027")})
                           .join(S));
    // A name alone is no entry of the older format: it stays as it is.
    QCOMPARE(lines[3], before[3]);
    QVERIFY(!PrivateFile::addMissingYears(lines, 2028));

    // An anniversary year of 0 is no anniversary: such a line gets a year too.
    QStringList zero{QStringLiteral("X") + S + QStringLiteral("1") + S + QStringLiteral("2") + S + QStringLiteral("0") + S};
    QVERIFY(PrivateFile::addMissingYears(zero, 2027));
    QCOMPARE(PrivateEntry::parse(zero[0]).year, std::optional<int>(2027));
}

void TestReminderData::yearsGoOnlyToOldEntries_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("getsYear");
    const auto line = [](const QStringList& fields) { return fields.join(S); };
    const QString x = QStringLiteral("X");
    const QString one = QStringLiteral("1");
    const QString two = QStringLiteral("2");
    QTest::newRow("name, day, month") << line({QStringLiteral("Imieniny babci"), QStringLiteral("5"), QStringLiteral("7")})
                                      << true;
    QTest::newRow("empty year fields") << line({x, one, two, QString(), QString()}) << true;
    QTest::newRow("start year 0") << line({x, one, two, QStringLiteral("0"), QString()}) << true;
    QTest::newRow("private day of a year") << line({x, one, two, QString(), QStringLiteral("2026")}) << false;
    QTest::newRow("anniversary") << line({x, one, two, QStringLiteral("1990")}) << false;
    QTest::newRow("garbage") << QStringLiteral("\u0001\u0002zzz qq") << false;
    QTest::newRow("name alone") << QStringLiteral("Tylko nazwa") << false;
    QTest::newRow("day not a number") << line({x, QStringLiteral("abc"), two}) << false;
    QTest::newRow("month 13") << line({x, one, QStringLiteral("13")}) << false;
    QTest::newRow("six fields") << line({x, one, two, QString(), QString(), QStringLiteral("extra")}) << false;
    QTest::newRow("start year not a number") << line({x, one, two, QStringLiteral("abc")}) << false;
    QTest::newRow("long line") << line({QString(300, QLatin1Char('n')), one, two}) << false;
    // What an editor made of the separators when it saved UTF-8 that was
    // then read as Windows-1250: one long name, no entry.
    QTest::newRow("UTF-8 misread") << fromCp1250(line({QStringLiteral("Ala"), one, two}).toUtf8()) << false;
}

// At start, only lines of the older format get this year; anything else
// never makes the file be written, at this start or any later one.
void TestReminderData::yearsGoOnlyToOldEntries()
{
    QFETCH(QString, line);
    QFETCH(bool, getsYear);
    QStringList lines{line};
    QCOMPARE(PrivateFile::addMissingYears(lines, 2026), getsYear);
    if (getsYear)
        QCOMPARE(PrivateEntry::parse(lines[0]).year, std::optional<int>(2026));
    else
        QCOMPARE(lines[0], line);
    QVERIFY(!PrivateFile::addMissingYears(lines, 2027));
}

void TestReminderData::privateRoundTripAndSort()
{
    QTemporaryDir dir;
    const QString path = copyFixture(dir, "Prywatne_Ala.ini");
    QStringList lines = PrivateFile::load(path);
    QVERIFY(PrivateFile::save(path, lines));
    QByteArray original, saved;
    QVERIFY(readWholeFile(fixture("Prywatne_Ala.ini"), &original));
    QVERIFY(readWholeFile(path, &saved));
    QCOMPARE(saved, original); // odd lines come back byte for byte

    lines << PrivateEntry::makeLine(QStringLiteral("Rocznica ślubu"), 29, 2, 1996, true)
          << PrivateEntry::makeLine(QStringLiteral("Urlop"), 1, 7, 2026, false);
    QCOMPARE(lines.last(), QStringLiteral("Urlop") + S + QStringLiteral("1") + S + QStringLiteral("7") + S + S
                               + QStringLiteral("2026"));
    QVERIFY(PrivateFile::save(path, lines));
    QCOMPARE(PrivateFile::load(path), lines);

    QStringList byDate = lines;
    PrivateFile::sort(byDate, PrivateSort::Date, false);
    QStringList first;
    for (const QString& l : byDate)
        first << PrivateEntry::parse(l).name;
    // Lines without any year count as year 0 and come first.
    QCOMPARE(first, (QStringList{QStringLiteral("Tylko nazwa"), QStringLiteral("Stara linia"), QStringLiteral("Rocznica ślubu"),
                                 QStringLiteral("Ślub Ani"), QStringLiteral("Urlop"), QStringLiteral("Wizyta u dentysty")}));
    PrivateFile::sort(byDate, PrivateSort::Name, true);
    QCOMPARE(PrivateEntry::parse(byDate.first()).name, QStringLiteral("Wizyta u dentysty"));
    QCOMPARE(PrivateEntry::parse(byDate.last()).name, QStringLiteral("Rocznica ślubu"));
}

void TestReminderData::failedSaveKeepsOldFile()
{
    QString error;
    QVERIFY(!PrivateFile::save(QStringLiteral("/nonexistent-folder/Prywatne_X.ini"), {QStringLiteral("a")}, &error));
    QVERIFY(error.startsWith(QStringLiteral("Nie można zapisać")));
    QVERIFY(!PersonFile::append(QStringLiteral("/nonexistent-folder/Osoby.ini"), PersonEntry{}, &error));
    QVERIFY(!error.isEmpty());
}

void TestReminderData::entryNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("privateList");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("polish") << QStringLiteral("Zażółć gęślą jaźń") << true << true;
    QTest::newRow("empty") << QString() << false << false;
    QTest::newRow("blanks") << QStringLiteral("   ") << false << false;
    QTest::newRow("line break") << QStringLiteral("a\r\nb") << false << false;
    QTest::newRow("separator in private") << QStringLiteral("a\u02D9b") << true << false;
    QTest::newRow("separator in ini") << QStringLiteral("a\u02D9b") << false << true;
    QTest::newRow("outside code page") << QStringLiteral("日本") << false << false;
    QTest::newRow("too long") << QString(256, QLatin1Char('x')) << false << false;
    QTest::newRow("longest") << QString(255, QLatin1Char('x')) << false << true;
}

void TestReminderData::entryNames()
{
    QFETCH(QString, name);
    QFETCH(bool, privateList);
    QFETCH(bool, accepted);
    QCOMPARE(checkEntryName(name, privateList).isEmpty(), accepted);
}

QTEST_GUILESS_MAIN(TestReminderData)
#include "tst_reminders_data.moc"
