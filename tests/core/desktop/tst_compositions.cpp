#include "core/common/Cp1250.h"
#include "core/desktop/Compositions.h"

#include "support/FileFixture.h"

#include <QTemporaryDir>
#include <QTimeZone>
#include <QTest>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

QString rec(const QStringList& fields)
{
    return fields.join(kListSeparator);
}

AvailableAddons installed()
{
    AvailableAddons a;
    a.schemes = {u"Nocny"_s};
    a.weather = {u"Kolorowe"_s};
    a.timeOfDay = {u"Zima"_s};
    a.skins = {u"Srebrny"_s};
    a.zodiac = {u"Gwiazdy"_s};
    a.disks = {u"Nowa"_s};
    a.pictureExists = [](const QString& path) { return path == u"Gfx/Zodiak/baran.png"; };
    return a;
}

} // namespace

class TestCompositions : public QObject {
    Q_OBJECT
private slots:
    void plan_data();
    void plan();
    void listStartsWithDefault_data();
    void listStartsWithDefault();
    void storeKeepsVersion();
    void savedLineAndAge();
    void ageOfStoredTimeOutOfRange_data();
    void ageOfStoredTimeOutOfRange();
};

void TestCompositions::plan_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("chosen"); // scheme, weather, time of day, skin, disk, zodiac set
    QTest::addColumn<QStringList>("missing");

    QTest::newRow("all present, other spelling")
        << rec({u"K"_s, u"nocny"_s, u"Kolorowe"_s, u"0"_s, u"Gwiazdy"_s, u"Srebrny"_s, u"Nowa"_s, u"1"_s, u"0"_s, u"Zima"_s})
        << QStringList{u"Nocny"_s, u"Kolorowe"_s, u"Zima"_s, u"Srebrny"_s, u"Nowa"_s, u"Gwiazdy"_s} << QStringList{};
    QTest::newRow("empty fields choose defaults")
        << rec({u"K"_s}) << QStringList{QString(), QString(), QString(), QString(), QString(), QString()}
        << QStringList{};
    QTest::newRow("deleted disk icon falls back")
        << rec({u"K"_s, u"Nocny"_s, QString(), u"0"_s, QString(), QString(), u"Stara"_s})
        << QStringList{u"Nocny"_s, QString(), QString(), QString(), QString(), QString()}
        << QStringList{u"Ikona dysku: Stara"_s};
    QTest::newRow("everything missing, in the warning's order")
        << rec({u"K"_s, u"Brak"_s, u"P"_s, u"0"_s, u"Z"_s, u"S"_s, u"D"_s, u"1"_s, u"0"_s, u"T"_s})
        << QStringList{QString(), QString(), QString(), QString(), QString(), QString()}
        << QStringList{u"Schemat kolorów: Brak"_s, u"Ikony pogody: P"_s,  u"Ikony pory dnia: T"_s,
                       u"Panel odtwarzania: S"_s,  u"Ikona dysku: D"_s, u"Zestaw znaków zodiaku: Z"_s};
    QTest::newRow("default scheme named is not a listed scheme")
        << rec({u"K"_s, u"Domyślny"_s}) << QStringList{QString(), QString(), QString(), QString(), QString(), QString()}
        << QStringList{u"Schemat kolorów: Domyślny"_s};
    QTest::newRow("fixed picture missing")
        << rec({u"K"_s, QString(), QString(), u"1"_s, u"C:\\obrazki\\lew.png"_s})
        << QStringList{QString(), QString(), QString(), QString(), QString(), QString()}
        << QStringList{u"Obrazek znaku zodiaku: \n\"C:\\obrazki\\lew.png\""_s};
    QTest::newRow("fixed picture present")
        << rec({u"K"_s, QString(), QString(), u"1"_s, u"Gfx/Zodiak/baran.png"_s})
        << QStringList{QString(), QString(), QString(), QString(), QString(), QString()} << QStringList{};
}

void TestCompositions::plan()
{
    QFETCH(QString, line);
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, missing);
    const CompositionPlan p = planComposition(line, installed());
    QCOMPARE((QStringList{p.scheme, p.weather, p.timeOfDay, p.skin, p.disk, p.zodiacSet}), chosen);
    QCOMPARE(p.missing, missing);
    QCOMPARE(p.name, u"K"_s);
}

void TestCompositions::listStartsWithDefault_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("list");
    const QString other = rec({u"Inna"_s, u"Nocny"_s});
    QTest::newRow("missing file") << QByteArray() << QStringList{u"Domyślna"_s};
    QTest::newRow("first line is the default") << toCp1250(QString(u"Domyślna\r\n"_s + other + u"\r\n"_s))
                                               << QStringList{u"Domyślna"_s, other};
    QTest::newRow("default inserted") << toCp1250(QString(other + u"\r\n"_s)) << QStringList{u"Domyślna"_s, other};
    QTest::newRow("a near spelling is not the default")
        << toCp1250(u"domyślna\r\n"_s) << QStringList{u"Domyślna"_s, u"domyślna"_s};
}

void TestCompositions::listStartsWithDefault()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, list);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Kompozycje.ini"_s);
    if (!file.isEmpty())
        QVERIFY(writeFile(path, file));
    bool replace = false;
    QCOMPARE(loadCompositions(path, &replace), list);
    QVERIFY(replace);
}

void TestCompositions::storeKeepsVersion()
{
    QStringList list{u"Domyślna"_s, rec({u"Jesień"_s, u"A"_s, {}, u"0"_s, {}, {}, {}, u"1"_s, u"5"_s, {}, u"2.0"_s})};
    const QString replacement = rec({u"Jesień"_s, u"B"_s, {}, u"0"_s, {}, {}, {}, u"1"_s, u"9"_s, {}});
    QCOMPARE(storeComposition(list, replacement), 1);
    QCOMPARE(list.size(), 2);
    QCOMPARE(compositionField(list[1], composition::Scheme), u"B"_s);
    QCOMPARE(compositionField(list[1], composition::Version), u"2.0"_s);
    QCOMPARE(storeComposition(list, rec({u"Zima"_s})), 2);
    QCOMPARE(findComposition(list, u"Zima"_s), 2);
    QCOMPARE(chosenComposition(list, list[2]), 2);
    QCOMPARE(chosenComposition(list, u"gone"_s), 0);
}

void TestCompositions::savedLineAndAge()
{
    const QDateTime now(QDate(2026, 12, 11), QTime(10, 0), QTimeZone(3600));
    CompositionParts p;
    p.name = u"Lato"_s;
    p.scheme = u"Nocny"_s;
    p.zodiacKind = 1;
    p.zodiac = u"Gfx/Zodiak/baran.png"_s;
    p.zodiacShown = false;
    p.timeOfDay = u"Zima"_s;
    const QString line = compositionLine(p, now);
    QCOMPARE(line.split(kListSeparator).size(), 10);
    QCOMPARE(compositionField(line, composition::ZodiacKind), u"1"_s);
    QCOMPARE(compositionField(line, composition::ZodiacShown), u"0"_s);
    // Local wall time read as UTC: 10:00 at UTC+1 is written as 10:00.
    QCOMPARE(compositionField(line, composition::SavedAt).toLongLong(),
             QDateTime(QDate(2026, 12, 11), QTime(10, 0), QTimeZone::utc()).toSecsSinceEpoch());
    QCOMPARE(compositionAgeHours(line, now.addSecs(5 * 3600 + 59)), 5);
    QCOMPARE(compositionAgeHours(line, now.addDays(3)), kNewAddonHours);
    QCOMPARE(compositionAgeHours(rec({u"x"_s}), now), kNewAddonHours);
}

// A hand-edited or damaged saving time counts as unreadable, however far
// out it is and whichever way the local offset shifts it.
void TestCompositions::ageOfStoredTimeOutOfRange_data()
{
    QTest::addColumn<QString>("savedAt");
    QTest::addColumn<int>("offsetSeconds");
    QTest::newRow("lowest number, east of UTC") << u"-9223372036854775808"_s << 3600;
    QTest::newRow("highest number, west of UTC") << u"9223372036854775807"_s << -5 * 3600;
    QTest::newRow("past any date") << u"900000000000000000"_s << 3600;
}

void TestCompositions::ageOfStoredTimeOutOfRange()
{
    QFETCH(QString, savedAt);
    QFETCH(int, offsetSeconds);
    const QDateTime now(QDate(2026, 12, 11), QTime(10, 0), QTimeZone(offsetSeconds));
    const QString line = rec({u"K"_s, QString(), QString(), u"0"_s, QString(), QString(), QString(), u"1"_s, savedAt});
    QCOMPARE(compositionAgeHours(line, now), kNewAddonHours);
}

QTEST_GUILESS_MAIN(TestCompositions)
#include "tst_compositions.moc"
