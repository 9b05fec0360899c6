#include "core/common/Cp1250.h"
#include "core/common/PathTable.h"
#include "core/internet/AddonInstaller.h"
#include "support/FakeClock.h"
#include "support/FileFixture.h"
#include "support/PackageFiles.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;
using zorvex::test::PackageFile;

namespace {

QList<PackageFile> weatherSet(const QString& folder = u"Gfx\\Pogoda\\Słoneczko\\"_s)
{
    QList<PackageFile> files;
    for (int i = 1; i <= 11; ++i)
        files.append({folder, QString::number(i) + u".png"_s, "png" + QByteArray::number(i)});
    return files;
}


} // namespace

class TestAddonInstall : public QObject {
    Q_OBJECT
private slots:
    void init();
    void oneWeatherSet();
    void manyAddonsAreCounted();
    void escapesWriteNothing_data();
    void escapesWriteNothing();
    void onlyRootFiles_data();
    void onlyRootFiles();
    void damagedEntryWritesNothing();
    void answerNoWritesNothing();
    void foldersMapOntoExistingCase();
    void copiesAndCompositions();
    void singleZodiacPictures();

private:
    struct Run;
    QString package(const QList<PackageFile>& files, const QByteArray& bytes = {});
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    std::unique_ptr<PathTable> m_paths;
};

struct TestAddonInstall::Run {
    FakeClock clock{QDateTime::fromSecsSinceEpoch(1772877600)};
    bool yes = true;
    QStringList questions, messages, errors;
    QList<AddonItem> applied;
    QStringList compositionsApplied;
    int saves = 0;
    int installed = 0;
    QList<bool> busy;
    AddonInstaller installer;

    explicit Run(const PathTable& paths)
        : installer(paths, clock, hooks())
    {
    }
    AddonInstaller::Hooks hooks()
    {
        AddonInstaller::Hooks h;
        h.ask = [this](const QString& caption, const QString& text, std::function<void(bool)> answered) {
            questions << caption + u": "_s + text;
            answered(yes);
        };
        h.information = [this](const QString& c, const QString& t) { messages << c + u": "_s + t; };
        h.error = [this](const QString& t) { errors << t; };
        h.busy = [this](bool b) { busy << b; };
        h.saveSettings = [this] { ++saves; };
        h.applyItem = [this](const AddonItem& i) { applied << i; };
        h.applyComposition = [this](const QString& line) { compositionsApplied << line; };
        h.installed = [this] { ++installed; };
        return h;
    }
};

void TestAddonInstall::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_data = m_dir->filePath(u"dane/"_s);
    QDir().mkpath(m_data + u"Gfx/Pogoda/Standard"_s);
    zorvex::test::writeFile(m_data + u"Gfx/Pogoda/Standard/1.png"_s, "std");
    zorvex::test::writeFile(m_data + u"Godziny/Godzina.mp3"_s, "dzwiek");
    zorvex::test::writeFile(m_data + u"Imieniny.ini"_s, "[01.01]\r\n");
    m_paths = std::make_unique<PathTable>(m_data, u"Jan"_s, QString());
}

QString TestAddonInstall::package(const QList<PackageFile>& files, const QByteArray& bytes)
{
    const QString path = m_dir->filePath(u"dodatek.zvxd"_s);
    zorvex::test::writeFile(path, bytes.isEmpty() ? zorvex::test::packageBytes(files) : bytes);
    return path;
}

void TestAddonInstall::oneWeatherSet()
{
    Run r(*m_paths);
    r.installer.install(package(weatherSet()));
    QCOMPARE(r.questions, QStringList{u"Zorvex - Dodatki: Czy na pewno zainstalować następujący dodatek?\n\n"
                                      u"Ikony pogody:\n- Słoneczko"_s});
    for (int i = 1; i <= 11; ++i)
        QCOMPARE(zorvex::test::fileBytes(m_data + u"Gfx/Pogoda/Słoneczko/"_s + QString::number(i) + u".png"_s),
                 "png" + QByteArray::number(i));
    QCOMPARE(r.applied, (QList<AddonItem>{{AddonCategory::WeatherIcons, u"Słoneczko"_s}}));
    QCOMPARE(r.messages, QStringList{u"Zorvex - Dodatki: Zainstalowano:\nIkony pogody:\n- Słoneczko"_s});
    QCOMPARE(r.saves, 1);
    QCOMPARE(r.installed, 1);
    QCOMPARE(r.busy, (QList<bool>{true, false}));
    QVERIFY(r.errors.isEmpty());
    // Nothing of the work folder is left behind.
    QCOMPARE(QDir(m_data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{u"Gfx"_s, u"Godziny"_s, u"Imieniny.ini"_s}));
}

void TestAddonInstall::manyAddonsAreCounted()
{
    QList<PackageFile> files;
    for (int i = 0; i < 10; ++i)
        files.append({u"Gfx\\Zodiak\\Zestaw"_s + QString::number(i) + u"\\"_s, u"1.png"_s, "z"});
    for (int i = 0; i < 5; ++i)
        files.append({u"Godziny\\Dzwieki"_s + QString::number(i) + u"\\"_s, u"01.mp3"_s, "m"});
    files.append({u"Gfx\\Dysk\\Szary\\"_s, u"skin.png"_s, "d"});
    Run r(*m_paths);
    r.yes = false;
    r.installer.install(package(files));
    QCOMPARE(r.questions, QStringList{u"Zorvex - Dodatki: Czy na pewno zainstalować następujące dodatki?\n\n"
                                      u"Dźwięki co godzinę: 5\nZnaki zodiaku: 10\nIkony dysku: 1"_s});
    // Fifteen are still named, and two to six of one family are not applied.
    files.removeLast();
    r.questions.clear();
    r.installer.install(package(files));
    QVERIFY(r.questions.front().contains(u"Znaki zodiaku:\n- Zestaw0\n- Zestaw1"_s));
    QVERIFY(!applyInstalledItems(planAddonPackage({}).items));
    QList<AddonItem> five(5, {AddonCategory::ChimeSet, u"a"_s});
    QVERIFY(applyInstalledItems(five));
    five[4].category = AddonCategory::Zodiac;
    QVERIFY(!applyInstalledItems(five));
    QVERIFY(!applyInstalledItems(QList<AddonItem>(7, {AddonCategory::ChimeSet, u"a"_s})));
}

void TestAddonInstall::escapesWriteNothing_data()
{
    QTest::addColumn<QList<PackageFile>>("files");
    QTest::addColumn<QString>("named");
    const QList<PackageFile> set = weatherSet();
    QTest::newRow("climbing folder") << set + QList<PackageFile>{{u"Gfx\\Pogoda\\..\\..\\..\\"_s, u"x.sh"_s, "x"}}
                                     << u"Gfx\\Pogoda\\..\\..\\..\\x.sh"_s;
    QTest::newRow("climbing name") << set + QList<PackageFile>{{u"Gfx\\Pogoda\\A\\"_s, u"..\\..\\x"_s, "x"}}
                                   << u"..\\..\\x"_s;
    QTest::newRow("drive") << set + QList<PackageFile>{{u"C:\\Gfx\\Pogoda\\A\\"_s, u"x.png"_s, "x"}} << u"C:"_s;
    QTest::newRow("root file below Gfx") << set + QList<PackageFile>{{u"Gfx\\"_s, u"Kompozycje.ini"_s, "x"}}
                                         << u"Gfx\\Kompozycje.ini"_s;
    QTest::newRow("default chime sound") << set + QList<PackageFile>{{u"Godziny\\"_s, u"Godzina.mp3"_s, "x"}}
                                         << u"Godziny\\Godzina.mp3"_s;
    QTest::newRow("no family") << set + QList<PackageFile>{{u"Gfx\\Tapety\\"_s, u"a.jpg"_s, "x"}}
                               << u"Gfx\\Tapety\\a.jpg"_s;
    QTest::newRow("family folder itself") << set + QList<PackageFile>{{u"Gfx\\Pogoda\\"_s, u"1.png"_s, "x"}}
                                          << u"Gfx\\Pogoda\\1.png"_s;
    QTest::newRow("copy to outside") << set + QList<PackageFile>{{QString(), u"kopie"_s, "Imieniny.ini*..\\x.ini\r\n"}}
                                     << u"..\\x.ini"_s;
    QTest::newRow("copy onto the name days")
        << set + QList<PackageFile>{{QString(), u"kopie"_s, "Gfx\\Pogoda\\Standard\\1.png*Imieniny.ini\r\n"}}
        << u"Imieniny.ini"_s;
    QTest::newRow("copy from outside")
        << set + QList<PackageFile>{{QString(), u"kopie"_s, "/etc/passwd*Gfx\\Pogoda\\Słoneczko\\p\r\n"}}
        << u"/etc/passwd"_s;
}

void TestAddonInstall::escapesWriteNothing()
{
    QFETCH(QList<PackageFile>, files);
    QFETCH(QString, named);
    const QString path = package(files);
    const QMap<QString, QByteArray> before = zorvex::test::folderTree(m_dir->path(), true);
    Run r(*m_paths);
    r.installer.install(path, true);
    QCOMPARE(r.errors.size(), 1);
    QVERIFY2(r.errors.front().startsWith(u"Wybrany plik nie został zainstalowany"_s), qPrintable(r.errors.front()));
    QVERIFY2(r.errors.front().contains(named), qPrintable(r.errors.front()));
    QVERIFY(r.questions.isEmpty());
    QCOMPARE(zorvex::test::folderTree(m_dir->path(), true), before);
    QCOMPARE(r.saves, 0);
}

void TestAddonInstall::onlyRootFiles_data()
{
    QTest::addColumn<QList<PackageFile>>("files");
    QTest::newRow("one root file") << QList<PackageFile>{{QString(), u"Imieniny.ini"_s, "podmiana"}};
    QTest::newRow("compositions only") << QList<PackageFile>{{QString(), u"kompozycje"_s, "Nowa\xFFSchemat"}};
    QTest::newRow("no entries") << QList<PackageFile>{};
}

void TestAddonInstall::onlyRootFiles()
{
    QFETCH(QList<PackageFile>, files);
    const QString path = package(files);
    const QMap<QString, QByteArray> before = zorvex::test::folderTree(m_dir->path(), true);
    Run r(*m_paths);
    r.installer.install(path, true);
    QCOMPARE(r.messages, QStringList{u"Zorvex - Dodatki: Wybrany plik nie zawiera żadnych dodatków do programu Zorvex"_s});
    QCOMPARE(zorvex::test::folderTree(m_dir->path(), true), before);
}

void TestAddonInstall::damagedEntryWritesNothing()
{
    const QString path = package({}, zorvex::test::withDamagedEntry(weatherSet(), 7));
    const QMap<QString, QByteArray> before = zorvex::test::folderTree(m_dir->path(), true);
    Run r(*m_paths);
    r.installer.install(path);
    QCOMPARE(r.errors, QStringList{u"Plik (7) jest uszkodzony (CRC)"_s});
    QVERIFY(r.questions.isEmpty());
    QCOMPARE(zorvex::test::folderTree(m_dir->path(), true), before);

    // A corrupt archive, and a file that is not there.
    QByteArray bytes = zorvex::test::packageBytes(weatherSet());
    bytes[3] = 'q';
    r.errors.clear();
    r.installer.install(package({}, bytes));
    QCOMPARE(r.errors, QStringList{u"Wybrany plik jest uszkodzony! Jeśli był pobrany z internetu, ściągnij go ponownie!"_s});
    r.errors.clear();
    r.installer.install(m_dir->filePath(u"brak.zvxd"_s));
    QCOMPARE(r.errors, QStringList{u"Plik nie istnieje: "_s + m_dir->filePath(u"brak.zvxd"_s)});
}

void TestAddonInstall::answerNoWritesNothing()
{
    const QString path = package(weatherSet());
    const QMap<QString, QByteArray> before = zorvex::test::folderTree(m_dir->path(), true);
    Run r(*m_paths);
    r.yes = false;
    r.installer.install(path);
    QCOMPARE(r.questions.size(), 1);
    QCOMPARE(zorvex::test::folderTree(m_dir->path(), true), before);
    QVERIFY(r.messages.isEmpty());
    // --yes answers without asking.
    r.installer.install(path, true);
    QCOMPARE(r.questions.size(), 1);
    QVERIFY(QFileInfo::exists(m_data + u"Gfx/Pogoda/Słoneczko/1.png"_s));
}

void TestAddonInstall::foldersMapOntoExistingCase()
{
    QDir().mkpath(m_data + u"Gfx/Pogoda/Słoneczko"_s);
    zorvex::test::writeFile(m_data + u"Gfx/Pogoda/Słoneczko/1.png"_s, "stary");
    Run r(*m_paths);
    r.installer.install(package(weatherSet(u"GFX\\POGODA\\SŁONECZKO\\"_s)), true);
    QVERIFY(r.errors.isEmpty());
    QCOMPARE(zorvex::test::fileBytes(m_data + u"Gfx/Pogoda/Słoneczko/1.png"_s), QByteArray("png1"));
    QCOMPARE(QDir(m_data + u"Gfx"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{u"Pogoda"_s});
    QCOMPARE(QDir(m_data + u"Gfx/Pogoda"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{u"Standard"_s, u"Słoneczko"_s}));
    // A family folder that does not exist yet gets the data folder's spelling.
    r.installer.install(package({{u"GODZINY\\Kukułka\\"_s, u"01.mp3"_s, "k"}}), true);
    QVERIFY(QFileInfo::exists(m_data + u"Godziny/Kukułka/01.mp3"_s));
    r.installer.install(package({{u"gfx\\panel odtwarzania\\Ciemny\\"_s, u"skin.bmp"_s, "b"}}), true);
    QVERIFY(QFileInfo::exists(m_data + u"Gfx/Panel odtwarzania/Ciemny/skin.bmp"_s));
    QCOMPARE(existingSpelling(m_data, u"GFX/pogoda/STANDARD/nowy.png"_s), u"Gfx/Pogoda/Standard/nowy.png"_s);
}

void TestAddonInstall::copiesAndCompositions()
{
    zorvex::test::writeFile(m_paths->path(PathId::Kompozycje), "Domy\x9Clna\r\nLato\xFFstary\r\n");
    QList<PackageFile> files = weatherSet();
    files.append({QString(), u"kopie"_s, "Gfx\\Pogoda\\Standard\\1.png*Gfx\\Pogoda\\S\xB3oneczko\\zapas.png\r\n"
                                         "brak.png*Gfx\\Pogoda\\S\xB3oneczko\\brak.png\r\n"});
    files.append({QString(), u"kompozycje"_s, "Lato\xFFnowy\xFF\xFF" "0\xFF\xFF" "1\xFF\xFF" "1\xFF" "123\r\n"
                                              "Zima\xFFmro\x9Fny\r\n"});
    Run r(*m_paths);
    r.installer.install(package(files), true);
    QVERIFY(r.errors.isEmpty());
    QCOMPARE(zorvex::test::fileBytes(m_data + u"Gfx/Pogoda/Słoneczko/zapas.png"_s), QByteArray("std"));
    QVERIFY(!QFileInfo::exists(m_data + u"Gfx/Pogoda/Słoneczko/brak.png"_s));
    // Field 9 of each installed composition is the time of the installation;
    // the one of the same name is replaced, the other added.
    const QByteArray stamp = QByteArray::number(r.clock.now().toSecsSinceEpoch());
    QCOMPARE(zorvex::test::fileBytes(m_paths->path(PathId::Kompozycje)),
             "Domy\x9Clna\r\nLato\xFFnowy\xFF\xFF" "0\xFF\xFF" "1\xFF\xFF" "1\xFF" + stamp + "\r\n"
             "Zima\xFFmro\x9Fny\xFF\xFF\xFF\xFF\xFF\xFF\xFF" + stamp + "\r\n");
    // Two compositions: none is applied; the one weather set is.
    QVERIFY(r.compositionsApplied.isEmpty());
    QCOMPARE(r.applied.size(), 1);
    QCOMPARE(r.messages, QStringList{u"Zorvex - Dodatki: Zainstalowano:\nKompozycje:\n- Lato\n- Zima\n\n"
                                     u"Ikony pogody:\n- Słoneczko"_s});
}

void TestAddonInstall::singleZodiacPictures()
{
    Run r(*m_paths);
    r.installer.install(package({{u"Gfx\\Zodiak\\"_s, u"kot.png"_s, "k"}, {u"Gfx\\Zodiak\\"_s, u"pies.png"_s, "p"}}), true);
    QCOMPARE(r.applied, (QList<AddonItem>{{AddonCategory::Zodiac, u"kot.png"_s}, {AddonCategory::Zodiac, u"pies.png"_s}}));
    QCOMPARE(zorvex::test::fileBytes(m_data + u"Gfx/Zodiak/pies.png"_s), QByteArray("p"));
    QCOMPARE(r.messages.front(), u"Zorvex - Dodatki: Zainstalowanych dodatków: 2\nZnaki zodiaku:\n- kot.png\n- pies.png"_s);
}

QTEST_GUILESS_MAIN(TestAddonInstall)
#include "tst_addoninstall.moc"
