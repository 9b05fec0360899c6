#include "core/common/Cp1250.h"
#include "core/common/IniFile.h"
#include "core/internet/SettingsBackup.h"
#include "core/internet/ZlbArchive.h"
#include "support/FileFixture.h"
#include "support/PackageFiles.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;
using zorvex::test::PackageFile;

namespace {

bool blokuj(const QString& ruch)
{
    return IniFile::load(ruch).readBool(u"Vuzuvured"_s, u"Blokuj"_s, true);
}

} // namespace

class TestSettingsBackup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void roundTrip();
    void backupReplacesOnlyWhenComplete();
    void refused_data();
    void refused();

private:
    void fillDataFolder();
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    QString m_ruch;
};

void TestSettingsBackup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_data = m_dir->filePath(u"dane/"_s);
    m_ruch = m_data + u"Ruch.ini"_s;
    QDir().mkpath(m_data);
}

void TestSettingsBackup::fillDataFolder()
{
    zorvex::test::writeFile(m_ruch, "[Vuzuvured]\r\nBlokuj=1\r\n[2026]\r\n07.03.2026=1234\r\n");
    zorvex::test::writeFile(m_data + u"Ustawienia_Jan.ini"_s, "[Vuzuvured]\r\nPozycja=2\r\n");
    zorvex::test::writeFile(m_data + u"Ustawienia_Ewa.ini"_s, "[Vuzuvured]\r\nPozycja=3\r\n");
    zorvex::test::writeFile(m_data + u"Osoby.ini"_s, toCp1250(u"Łucja|12.05\r\nŻaneta|01.01\r\n"_s));
    zorvex::test::writeFile(m_data + u"WIELKIE.INI"_s, QByteArray(70000, 'x')); // case of the end does not matter
    // Not settings: never in the backup.
    zorvex::test::writeFile(m_data + u"Sentencje.txt"_s, "x");
    zorvex::test::writeFile(m_data + u"Gfx/Kompozycje.ini"_s, "Domyślna\r\n");
}

void TestSettingsBackup::roundTrip()
{
    fillDataFolder();
    const QMap<QString, QByteArray> before = zorvex::test::folderTree(m_data);
    const QString target = m_dir->filePath(u"Kopia zapasowa ustawień.zvx"_s);
    int saves = 0;
    QString remembered;
    const BackupResult written = writeSettingsBackup(
        target, m_data, m_ruch, [&] { ++saves; }, [&](const QString& folder) {
            remembered = folder;
            IniFile ini = IniFile::load(m_data + u"Ustawienia_Jan.ini"_s);
            ini.writeString(u"Ustawienia"_s, u"KopiaSci"_s, folder);
            ini.save(m_data + u"Ustawienia_Jan.ini"_s);
        });
    QVERIFY2(written.ok, qPrintable(written.error));
    QCOMPARE(saves, 1);
    QCOMPARE(remembered, m_dir->path());
    QVERIFY(blokuj(m_ruch));

    ZlbArchive archive;
    QVERIFY(archive.openArchive(target));
    QStringList names;
    for (const ZlbEntry& e : archive.entries()) {
        names << e.fileName;
        QVERIFY(e.folderPath.isEmpty());
    }
    names.sort();
    QCOMPARE(names, (QStringList{u"Osoby.ini"_s, u"Ruch.ini"_s, u"Ustawienia_Ewa.ini"_s, u"Ustawienia_Jan.ini"_s,
                                 u"WIELKIE.INI"_s}));
    QByteArray ruchCopy;
    QVERIFY(archive.extractToStream(u"Ruch.ini"_s, &ruchCopy));
    QVERIFY(ruchCopy.contains("Blokuj=0"));
    archive.closeArchive();
    QVERIFY(!QFileInfo::exists(target + u".zorvex"_s));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"Kopia zapasowa ustawień.zvx"_s});

    // Everything changed or lost after the backup...
    const QMap<QString, QByteArray> backedUp = zorvex::test::folderTree(m_data);
    zorvex::test::writeFile(m_data + u"Osoby.ini"_s, "zepsute");
    QFile::remove(m_data + u"Ustawienia_Ewa.ini"_s);
    QFile::remove(m_data + u"WIELKIE.INI"_s);
    // ...comes back byte for byte; files the backup does not hold stay.
    zorvex::test::writeFile(m_data + u"Nowy.ini"_s, "n");
    const RestoreCheck restored = restoreSettingsBackup(target, m_data);
    QCOMPARE(restored.result, BackupCheck::Backup);
    QMap<QString, QByteArray> after = zorvex::test::folderTree(m_data);
    QCOMPARE(after.take(u"Nowy.ini"_s), QByteArray("n"));
    QMap<QString, QByteArray> expected = backedUp;
    expected[u"Ruch.ini"_s] = ruchCopy; // the copy carries the one-shot permission
    QCOMPARE(after, expected);
    QVERIFY(!blokuj(m_ruch));
    QCOMPARE(before.size(), backedUp.size());
}

void TestSettingsBackup::backupReplacesOnlyWhenComplete()
{
    fillDataFolder();
    const QString target = m_dir->filePath(u"kopia.zvx"_s);
    zorvex::test::writeFile(target, "stara kopia");
    // A folder that cannot take the new archive: the old one stays, and
    // Blokuj is back at 1 all the same.
    zorvex::test::FileModesBind bind;
    if (!bind.active())
        QSKIP("file modes cannot bind this process");
    QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const BackupResult r = writeSettingsBackup(target, m_data, m_ruch, {}, {});
    QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(zorvex::test::fileBytes(target), QByteArray("stara kopia"));
    QVERIFY(blokuj(m_ruch));
}

void TestSettingsBackup::refused_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<int>("result");
    const QList<PackageFile> good{{QString(), u"Osoby.ini"_s, "a"}, {QString(), u"Ruch.ini"_s, "b"}};
    QTest::newRow("not an archive") << QByteArray("to nie jest archiwum, tylko tekst o długości ponad 36 bajtów")
                                    << int(BackupCheck::Damaged);
    QTest::newRow("no entries") << zorvex::test::packageBytes({}) << int(BackupCheck::NotBackup);
    QTest::newRow("a picture among the files")
        << zorvex::test::packageBytes(good + QList<PackageFile>{{QString(), u"tapeta.jpg"_s, "j"}})
        << int(BackupCheck::NotBackup);
    QTest::newRow("an add-on package")
        << zorvex::test::packageBytes({{u"Gfx\\Pogoda\\Nowy\\"_s, u"Wersja.ini"_s, "1.0"}}) << int(BackupCheck::NotBackup);
    QTest::newRow("ini inside the name only") << zorvex::test::packageBytes({{QString(), u"mini.txt"_s, "a"}})
                                              << int(BackupCheck::NotBackup);
    QTest::newRow("climbing name") << zorvex::test::packageBytes({{QString(), u"..\\Osoby.ini"_s, "a"}})
                                   << int(BackupCheck::NotBackup);
    QTest::newRow("damaged entry") << zorvex::test::withDamagedEntry(good, 1) << int(BackupCheck::Damaged);
    QByteArray flipped = zorvex::test::packageBytes(good);
    flipped[0] = 'z';
    QTest::newRow("damaged archive") << flipped << int(BackupCheck::Damaged);
}

void TestSettingsBackup::refused()
{
    QFETCH(QByteArray, archive);
    QFETCH(int, result);
    fillDataFolder();
    const QMap<QString, QByteArray> before = zorvex::test::folderTree(m_dir->path());
    const QString path = m_dir->filePath(u"kopia.zvx"_s);
    zorvex::test::writeFile(path, archive);
    const RestoreCheck r = restoreSettingsBackup(path, m_data);
    QCOMPARE(int(r.result), result);
    if (r.result == BackupCheck::Damaged)
        QVERIFY(!r.error.isEmpty());
    QMap<QString, QByteArray> after = zorvex::test::folderTree(m_dir->path());
    after.remove(u"kopia.zvx"_s);
    QCOMPARE(after, before);
}

QTEST_GUILESS_MAIN(TestSettingsBackup)
#include "tst_settingsbackup.moc"
