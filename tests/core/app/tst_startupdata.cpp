#include "core/app/StartupData.h"
#include "core/common/PathTable.h"
#include "core/reminders/Chime.h"
#include "support/FileFixture.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace zorvex {

using test::fileBytes;
using test::writeFile;

class TestStartupData : public QObject {
    Q_OBJECT

private slots:
    void withoutSentenceFileTheDefaultIsRequired();
    void pickerReachesEverySentenceFile();
    void chimeSetsNeedEveryHour();
    void legacyFilesMoveOnlyOntoFreeNames_data();
    void legacyFilesMoveOnlyOntoFreeNames();
    void decimalSeparators_data();
    void decimalSeparators();
    void requiredDataCheck_data();
    void requiredDataCheck();
};

void TestStartupData::withoutSentenceFileTheDefaultIsRequired()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString folder = tmp.path() + QLatin1Char('/');
    QVERIFY(writeFile(folder + QStringLiteral("Imieniny.ini")));
    // Neither a folder nor a near miss of the mask counts as a sentence file.
    QVERIFY(QDir().mkpath(folder + QStringLiteral("Sentencje2.ini")));
    QVERIFY(writeFile(folder + QStringLiteral("Sentencje.txt")));
    QVERIFY(writeFile(folder + QStringLiteral("MojeSentencje.ini")));

    int asked = 0;
    const QString path = resolveSentencePath(tmp.path(), [&](int) {
        ++asked;
        return 0;
    });
    QCOMPARE(path, folder + QStringLiteral("Sentencje.ini"));
    QCOMPARE(asked, 0);

    const PathTable paths(folder, QStringLiteral("Jan"), path);
    const QString missing = missingRequiredFile(paths);
    QCOMPARE(missing, path);
    QCOMPARE(
        missingFileMessage(missing), QStringLiteral("Plik nie istnieje: ") + folder + QStringLiteral("Sentencje.ini"));
}

void TestStartupData::pickerReachesEverySentenceFile()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString folder = tmp.path() + QLatin1Char('/');
    QVERIFY(writeFile(folder + QStringLiteral("Sentencje.ini")));
    QVERIFY(writeFile(folder + QStringLiteral("Sentencje_przyslowia.ini")));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("Sentencje_stare.ini")));
    QVERIFY(writeFile(folder + QStringLiteral("Osoby.ini")));

    QSet<QString> chosen;
    for (int k = 0; k < 2; ++k) {
        int offered = 0;
        chosen << resolveSentencePath(folder, [&](int n) {
            offered = n;
            return k;
        });
        QCOMPARE(offered, 2);
    }
    const QSet<QString> expected
        = {folder + QStringLiteral("Sentencje.ini"), folder + QStringLiteral("Sentencje_przyslowia.ini")};
    QCOMPARE(chosen, expected);
}

void TestStartupData::chimeSetsNeedEveryHour()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString godziny = tmp.path() + QStringLiteral("/Godziny/");
    auto makeSet = [&](const QString& set, auto nameOfHour) {
        QVERIFY(QDir().mkpath(godziny + set));
        for (int h = 1; h <= 24; ++h) {
            const QString name = nameOfHour(h);
            if (!name.isEmpty())
                QVERIFY(writeFile(godziny + set + QLatin1Char('/') + name));
        }
    };
    auto padded = [](int h) { return QStringLiteral("%1.mp3").arg(h, 2, 10, QLatin1Char('0')); };
    auto plain = [](int h) { return QStringLiteral("%1.mp3").arg(h); };

    makeSet(QStringLiteral("Pelny"), padded);
    makeSet(QStringLiteral("beta"), plain);
    makeSet(QStringLiteral("Alfa"), padded);
    makeSet(QStringLiteral("NIETRZEZWY"), padded);
    makeSet(QStringLiteral("silacz"), plain);
    // 7.mp3 beside 08.mp3: each hour only needs one of the two names.
    makeSet(QStringLiteral("Mieszany"), [&](int h) { return h % 2 ? plain(h) : padded(h); });
    makeSet(QStringLiteral("Bez piatej"), [&](int h) { return h == 5 ? QString() : padded(h); });
    makeSet(QStringLiteral("Bez polnocy"), [&](int h) { return h == 24 ? QString() : padded(h); });
    QVERIFY(QDir().mkpath(godziny + QStringLiteral("Pusty")));
    QVERIFY(writeFile(godziny + QStringLiteral("Godzina.mp3")));

    const ChimeSets sets = discoverChimeSets(tmp.path() + QLatin1Char('/'));
    const QStringList folders = {QStringLiteral("Alfa"), QStringLiteral("beta"), QStringLiteral("Mieszany"),
        QStringLiteral("NIETRZEZWY"), QStringLiteral("Pelny"), QStringLiteral("silacz")};
    const QStringList shown = {QStringLiteral("Alfa"), QStringLiteral("beta"), QStringLiteral("Mieszany"),
        QStringLiteral("Nietrzeźwy"), QStringLiteral("Pelny"), QStringLiteral("Siłacz")};
    QCOMPARE(sets.folders, folders);
    QCOMPARE(sets.displayNames, shown);
}

void TestStartupData::legacyFilesMoveOnlyOntoFreeNames_data()
{
    QTest::addColumn<QString>("legacy");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("targetExists");

    const struct {
        const char* name;
        PathId id;
    } files[] = {{"Alarm.ini", PathId::Alarm}, {"Prywatne.ini", PathId::Prywatne}, {"RadioU.ini", PathId::RadioU}};
    for (const auto& f : files) {
        QTest::addRow("%s, no per-profile file", f.name) << QString::fromLatin1(f.name) << int(f.id) << false;
        QTest::addRow("%s, per-profile file present", f.name) << QString::fromLatin1(f.name) << int(f.id) << true;
    }
}

void TestStartupData::legacyFilesMoveOnlyOntoFreeNames()
{
    QFETCH(QString, legacy);
    QFETCH(int, target);
    QFETCH(bool, targetExists);

    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const PathTable paths(tmp.path(), QStringLiteral("Jan"), QString());
    const QString from = paths.inDataFolder(legacy);
    const QString to = paths.path(PathId(target));
    QVERIFY(writeFile(from, "stary"));
    if (targetExists)
        QVERIFY(writeFile(to, "nowy"));

    migrateLegacyFiles(paths);

    QCOMPARE(QFileInfo::exists(from), targetExists);
    QCOMPARE(fileBytes(to), targetExists ? QByteArray("nowy") : QByteArray("stary"));
    if (targetExists)
        QCOMPARE(fileBytes(from), QByteArray("stary"));
}

void TestStartupData::decimalSeparators_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("other");

    QTest::newRow("C") << QLocale::c() << QChar(u'.') << QChar(u',');
    QTest::newRow("pl_PL") << QLocale(QLocale::Polish, QLocale::Poland) << QChar(u',') << QChar(u'.');
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QChar(u'.') << QChar(u',');
    QTest::newRow("ar_EG, a separator of its own")
        << QLocale(QLocale::Arabic, QLocale::Egypt) << QChar(0x066B) << QChar(u' ');
    // Digits outside the Basic Multilingual Plane take two UTF-16 units.
    QTest::newRow("ccp_BD, wide digits") << QLocale(QLocale::Chakma, QLocale::Bangladesh) << QChar(u'.') << QChar(u',');
}

void TestStartupData::decimalSeparators()
{
    QFETCH(QLocale, locale);
    QFETCH(QChar, decimal);
    QFETCH(QChar, other);
    const DecimalSeparators s = probeDecimalSeparators(locale);
    QCOMPARE(s.decimal, decimal);
    QCOMPARE(s.other, other);
}

void TestStartupData::requiredDataCheck_data()
{
    QTest::addColumn<bool>("imieniny");
    QTest::addColumn<bool>("sentencje");
    QTest::addColumn<QString>("missing");

    QTest::newRow("both present") << true << true << QString();
    QTest::newRow("no name days") << false << true << QStringLiteral("Imieniny.ini");
    QTest::newRow("no sentences") << true << false << QStringLiteral("Sentencje3.ini");
    QTest::newRow("neither: name days first") << false << false << QStringLiteral("Imieniny.ini");
}

void TestStartupData::requiredDataCheck()
{
    QFETCH(bool, imieniny);
    QFETCH(bool, sentencje);
    QFETCH(QString, missing);

    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString folder = tmp.path() + QLatin1Char('/');
    if (imieniny)
        QVERIFY(writeFile(folder + QStringLiteral("Imieniny.ini")));
    if (sentencje)
        QVERIFY(writeFile(folder + QStringLiteral("Sentencje3.ini")));
    const PathTable paths(folder, QStringLiteral("Jan"), folder + QStringLiteral("Sentencje3.ini"));

    const QString found = missingRequiredFile(paths);
    QCOMPARE(found, missing.isEmpty() ? QString() : folder + missing);
    if (!found.isEmpty())
        QCOMPARE(missingFileMessage(found), QStringLiteral("Plik nie istnieje: ") + folder + missing);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestStartupData)
#include "tst_startupdata.moc"
