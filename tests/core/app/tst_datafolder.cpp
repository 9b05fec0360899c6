#include "core/app/DataFolder.h"
#include "support/FileFixture.h"

#include <QTemporaryDir>
#include <QTest>

namespace zorvex {

using test::fileBytes;
using test::writeFile;

class TestDataFolder : public QObject {
    Q_OBJECT

private slots:
    void choosesFolderInOrder_data();
    void choosesFolderInOrder();
    void seedingKeepsExistingFilesAndCopiesSubFolders();
    void seedingTakesFirstInstalledFolderWithData();
    void seedingWithoutInstalledData();
};

void TestDataFolder::choosesFolderInOrder_data()
{
    // "@" stands for the fixture folder; the executable's folder is "@/bin",
    // which holds "Imieniny.ini" only when `portable` is set, and $HOME is "@/home".
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<bool>("portable");
    QTest::addColumn<QString>("xdg");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("seed");

    auto row = [](const char* tag, const char* cmd, const char* env, bool portable, const char* xdg,
                   const char* expected, bool seed) {
        QTest::newRow(tag) << QString::fromUtf8(cmd) << QString::fromUtf8(env) << portable << QString::fromUtf8(xdg)
                           << QString::fromUtf8(expected) << seed;
    };
    row("--data-dir wins", "@/cmd", "@/env", true, "@/xdg", "@/cmd/", false);
    row("ZORVEX_DATA_DIR next", "", "@/env/", true, "@/xdg", "@/env/", false);
    row("portable executable folder", "", "", true, "@/xdg", "@/bin/", false);
    row("XDG_DATA_HOME", "", "", false, "@/xdg", "@/xdg/zorvex/", true);
    row("XDG_DATA_HOME with slash", "", "", false, "@/xdg/", "@/xdg/zorvex/", true);
    row("no XDG_DATA_HOME", "", "", false, "", "@/home/.local/share/zorvex/", true);
    row("relative XDG_DATA_HOME ignored", "", "", false, "xdg", "@/home/.local/share/zorvex/", true);
    row("folder cleaned", "@/cmd/../cmd2/./", "", false, "", "@/cmd2/", false);
}

void TestDataFolder::choosesFolderInOrder()
{
    QFETCH(QString, commandLine);
    QFETCH(QString, environment);
    QFETCH(bool, portable);
    QFETCH(QString, xdg);
    QFETCH(QString, expected);
    QFETCH(bool, seed);

    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    auto at = [&](QString s) { return s.replace(QLatin1Char('@'), tmp.path()); };
    QVERIFY(QDir().mkpath(at(QStringLiteral("@/bin"))));
    if (portable)
        QVERIFY(writeFile(at(QStringLiteral("@/bin/Imieniny.ini"))));

    DataFolderInputs in;
    in.commandLine = at(commandLine);
    in.environment = at(environment);
    in.executableFolder = at(QStringLiteral("@/bin"));
    in.xdgDataHome = at(xdg);
    in.home = at(QStringLiteral("@/home"));
    const DataFolderChoice c = chooseDataFolder(in);
    QCOMPARE(c.folder, at(expected));
    QCOMPARE(c.seed, seed);
}

void TestDataFolder::seedingKeepsExistingFilesAndCopiesSubFolders()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString src = tmp.filePath(QStringLiteral("share/zorvex"));
    const QString dst = tmp.filePath(QStringLiteral("home/zorvex"));
    const QStringList installed = {
        QStringLiteral("Imieniny.ini"),
        QStringLiteral("Sentencje.ini"),
        QStringLiteral("Godziny/Godzina.mp3"),
        QStringLiteral("Godziny/Zegar/01.mp3"),
        QStringLiteral("Gfx/Pora dnia/Zima/rano.png"),
        QStringLiteral("Gfx/Kompozycje.ini"),
    };
    for (const QString& rel : installed) {
        QVERIFY(writeFile(src + QLatin1Char('/') + rel, "zainstalowany " + rel.toUtf8()));
        // Installed data is read-only.
        QVERIFY(QFile::setPermissions(src + QLatin1Char('/') + rel, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    }
    QVERIFY(QDir().mkpath(src + QStringLiteral("/Gfx/Schematy")));
    // What the user already has must survive.
    QVERIFY(writeFile(dst + QStringLiteral("/Imieniny.ini"), "moje imieniny"));
    QVERIFY(writeFile(dst + QStringLiteral("/Godziny/Godzina.mp3"), "moj dzwiek"));

    QVERIFY(seedDataFolder(dst, {src}));

    QCOMPARE(fileBytes(dst + QStringLiteral("/Imieniny.ini")), QByteArray("moje imieniny"));
    QCOMPARE(fileBytes(dst + QStringLiteral("/Godziny/Godzina.mp3")), QByteArray("moj dzwiek"));
    for (const QString& rel : {QStringLiteral("Sentencje.ini"), QStringLiteral("Godziny/Zegar/01.mp3"),
             QStringLiteral("Gfx/Pora dnia/Zima/rano.png"), QStringLiteral("Gfx/Kompozycje.ini")}) {
        const QString path = dst + QLatin1Char('/') + rel;
        QCOMPARE(fileBytes(path), "zainstalowany " + rel.toUtf8());
        QVERIFY2(QFile::permissions(path) & QFileDevice::WriteOwner, qPrintable(rel));
    }
    QVERIFY(QFileInfo(dst + QStringLiteral("/Gfx/Schematy")).isDir());
}

void TestDataFolder::seedingTakesFirstInstalledFolderWithData()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString empty = tmp.filePath(QStringLiteral("empty"));
    const QString first = tmp.filePath(QStringLiteral("first"));
    const QString second = tmp.filePath(QStringLiteral("second"));
    QVERIFY(writeFile(empty + QStringLiteral("/Sentencje.ini"), "bez kalendarza"));
    QVERIFY(writeFile(first + QStringLiteral("/Imieniny.ini"), "pierwszy"));
    QVERIFY(writeFile(second + QStringLiteral("/Imieniny.ini"), "drugi"));
    QVERIFY(writeFile(second + QStringLiteral("/Osoby.ini"), "drugi"));
    const QString dst = tmp.filePath(QStringLiteral("dst"));

    QVERIFY(seedDataFolder(dst, {QString(), tmp.filePath(QStringLiteral("missing")), empty, first, second}));
    QCOMPARE(fileBytes(dst + QStringLiteral("/Imieniny.ini")), QByteArray("pierwszy"));
    QVERIFY(!QFileInfo::exists(dst + QStringLiteral("/Osoby.ini")));
    QVERIFY(!QFileInfo::exists(dst + QStringLiteral("/Sentencje.ini")));
}

void TestDataFolder::seedingWithoutInstalledData()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    QVERIFY(writeFile(tmp.filePath(QStringLiteral("share/Osoby.ini"))));
    QVERIFY(!seedDataFolder(tmp.filePath(QStringLiteral("dst")), {tmp.filePath(QStringLiteral("share"))}));
    QVERIFY(!QFileInfo::exists(tmp.filePath(QStringLiteral("dst/Osoby.ini"))));
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestDataFolder)
#include "tst_datafolder.moc"
