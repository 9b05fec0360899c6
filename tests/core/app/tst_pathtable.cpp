#include "core/app/StartupData.h"
#include "core/common/PathTable.h"

#include <QTest>

namespace zorvex {

class TestPathTable : public QObject {
    Q_OBJECT

private slots:
    void formsEveryEntry_data();
    void formsEveryEntry();
    void dataFolderGetsTrailingSlash_data();
    void dataFolderGetsTrailingSlash();
    void emptyLoginNameGivesUzytkownikFiles();
};

void TestPathTable::formsEveryEntry_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("expected");

    const QString d = QStringLiteral("/dane/zorvex/");
    auto row = [&](const char* tag, PathId id, const QString& rel) { QTest::newRow(tag) << int(id) << d + rel; };
    row("Ustawienia_", PathId::Ustawienia, QStringLiteral("Ustawienia_Jan.ini"));
    row("Czas.ini", PathId::Czas, QStringLiteral("Czas.ini"));
    row("Ruch.ini", PathId::Ruch, QStringLiteral("Ruch.ini"));
    row("Imieniny.ini", PathId::Imieniny, QStringLiteral("Imieniny.ini"));
    row("Uroczystosci.ini", PathId::Uroczystosci, QStringLiteral("Uroczystosci.ini"));
    row("Osoby.ini", PathId::Osoby, QStringLiteral("Osoby.ini"));
    // The sentence file is resolved before the table is formed and kept as is.
    row("sentence file", PathId::Sentencje, QStringLiteral("Sentencje2.ini"));
    row("Profile.ini", PathId::Profile, QStringLiteral("Profile.ini"));
    row("Siec.ini", PathId::Siec, QStringLiteral("Siec.ini"));
    row("Ikony_", PathId::Ikony, QStringLiteral("Ikony_Jan.ini"));
    row("Tapeter_", PathId::Tapeter, QStringLiteral("Tapeter_Jan.ini"));
    row("TapeterOst_", PathId::TapeterOst, QStringLiteral("TapeterOst_Jan.ini"));
    row("Tmp_", PathId::Tmp, QStringLiteral("Tmp_Jan.ini"));
    row("Klony_", PathId::Klony, QStringLiteral("Klony_Jan.ini"));
    row("Klony2_", PathId::Klony2, QStringLiteral("Klony2_Jan.ini"));
    row("CD_", PathId::Cd, QStringLiteral("CD_Jan.ini"));
    row("M3U1_", PathId::M3u1, QStringLiteral("M3U1_Jan.ini"));
    row("M3U2_", PathId::M3u2, QStringLiteral("M3U2_Jan.ini"));
    row("Ping_", PathId::Ping, QStringLiteral("Ping_Jan.ini"));
    row("Pogoda1_", PathId::Pogoda1, QStringLiteral("Pogoda1_Jan.ini"));
    row("Pogoda2.ini", PathId::Pogoda2, QStringLiteral("Pogoda2.ini"));
    row("Poczta_", PathId::Poczta, QStringLiteral("Poczta_Jan.ini"));
    row("Rozne.ini", PathId::Rozne, QStringLiteral("Rozne.ini"));
    row("Synchro.ini", PathId::Synchro, QStringLiteral("Synchro.ini"));
    row("ListaMiast.ini", PathId::ListaMiast, QStringLiteral("ListaMiast.ini"));
    row("Czas2.ini", PathId::Czas2, QStringLiteral("Czas2.ini"));
    row("Alarm_", PathId::Alarm, QStringLiteral("Alarm_Jan.ini"));
    row("Prywatne_", PathId::Prywatne, QStringLiteral("Prywatne_Jan.ini"));
    row("RadioL.ini", PathId::RadioL, QStringLiteral("RadioL.ini"));
    row("RadioU_", PathId::RadioU, QStringLiteral("RadioU_Jan.ini"));
    row("Rozne_menu_", PathId::RozneMenu, QStringLiteral("Rozne_menu_Jan.ini"));
    row("Panel_tekstowy_", PathId::PanelTekstowy, QStringLiteral("Panel_tekstowy_Jan.ini"));
    row("Autozapis_", PathId::Autozapis, QStringLiteral("Autozapis_Jan.ini"));
    row("Kolory_", PathId::Kolory, QStringLiteral("Kolory_Jan.ini"));
    row("Start", PathId::Start, QStringLiteral("Start"));
    row("lame", PathId::Lame, QStringLiteral("lame"));
    row("Kompozycje.ini in Gfx", PathId::Kompozycje, QStringLiteral("Gfx/Kompozycje.ini"));
}

void TestPathTable::formsEveryEntry()
{
    QFETCH(int, id);
    QFETCH(QString, expected);
    const PathTable t(
        QStringLiteral("/dane/zorvex"), QStringLiteral("Jan"), QStringLiteral("/dane/zorvex/Sentencje2.ini"));
    QCOMPARE(t.path(PathId(id)), expected);
}

void TestPathTable::dataFolderGetsTrailingSlash_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("without slash") << QStringLiteral("/dane/zorvex");
    QTest::newRow("with slash") << QStringLiteral("/dane/zorvex/");
}

void TestPathTable::dataFolderGetsTrailingSlash()
{
    QFETCH(QString, folder);
    const PathTable t(folder, QStringLiteral("Jan"), QString());
    QCOMPARE(t.dataFolder(), QStringLiteral("/dane/zorvex/"));
    QCOMPARE(t.inDataFolder(QString::fromLatin1(kDefaultPingSound)), QStringLiteral("/dane/zorvex/Godziny/Ping.mp3"));
    QCOMPARE(t.path(PathId::Czas), QStringLiteral("/dane/zorvex/Czas.ini"));
}

void TestPathTable::emptyLoginNameGivesUzytkownikFiles()
{
    const PathTable t(QStringLiteral("/dane/"), profileNameFor(QString()), QString());
    QCOMPARE(t.profile(), QStringLiteral("Uzytkownik"));
    QCOMPARE(t.path(PathId::Ustawienia), QStringLiteral("/dane/Ustawienia_Uzytkownik.ini"));
    QCOMPARE(t.path(PathId::Alarm), QStringLiteral("/dane/Alarm_Uzytkownik.ini"));
    QCOMPARE(t.path(PathId::Autozapis), QStringLiteral("/dane/Autozapis_Uzytkownik.ini"));
    QCOMPARE(profileNameFor(QStringLiteral("jan")), QStringLiteral("jan"));
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestPathTable)
#include "tst_pathtable.moc"
