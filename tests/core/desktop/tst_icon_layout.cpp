#include "core/common/LineFile.h"
#include "core/desktop/DesktopIconFiles.h"
#include "core/desktop/IconLayout.h"

#include <QFile>
#include <QTest>

using namespace zorvex;

Q_DECLARE_METATYPE(QList<zorvex::IconPosition>)

namespace {

QByteArray fixture(const char* name)
{
    QFile f(QStringLiteral(ZORVEX_FIXTURES "/desktop/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<IconPosition> twelveIcons()
{
    QList<IconPosition> icons;
    for (int i = 0; i < 12; ++i)
        icons.append({QStringLiteral("Ikona %1").arg(i), QPoint(10, 80 * i)});
    return icons;
}

} // namespace

class TestIconLayout : public QObject {
    Q_OBJECT

private slots:
    void fileLines();
    void restoreMoves_data();
    void restoreMoves();
    void detectDesktop_data();
    void detectDesktop();
    void pcmanfmItems();
    void pcmanfmNames_data();
    void pcmanfmNames();
    void xfceIcons();
    void gioMetadata();
};

void TestIconLayout::fileLines()
{
    // The shipped-style file is Windows-1250; a caption with "/" is cut at it.
    const QList<IconPosition> read = parseIconLayout(loadLineFile(QStringLiteral(ZORVEX_FIXTURES "/desktop/Ikony_Uzytkownik.ini")));
    QCOMPARE(read.size(), 3);
    QCOMPARE(read[1], (IconPosition{QStringLiteral("Mój komputer"), QPoint(10, 160)}));

    const QList<IconPosition> icons = {{QStringLiteral("Kosz"), QPoint(10, 80)}, {QStringLiteral("A/B"), QPoint(5, 6)}};
    const QStringList lines = iconLayoutLines(icons);
    QCOMPARE(lines, (QStringList{QStringLiteral("Kosz/10/80"), QStringLiteral("A/B/5/6")}));
    const QList<IconPosition> back = parseIconLayout(lines);
    QCOMPARE(back[1], (IconPosition{QStringLiteral("A"), QPoint(0, 5)}));
    QCOMPARE(parseIconLayout({QStringLiteral("X/abc/")}).first().position, QPoint(0, 0));
}

void TestIconLayout::restoreMoves_data()
{
    QTest::addColumn<QList<IconPosition>>("saved");
    QTest::addColumn<QList<IconPosition>>("current");
    QTest::addColumn<QList<IconPosition>>("moves");

    const QList<IconPosition> saved = twelveIcons();
    QList<IconPosition> moved = saved;
    moved[3].position = QPoint(500, 500);
    moved[7].position = QPoint(600, 20);
    QTest::newRow("two of twelve moved back") << saved << moved << QList<IconPosition>{saved[3], saved[7]};
    QTest::newRow("nothing moved") << saved << saved << QList<IconPosition>{};

    QList<IconPosition> deleted = moved;
    deleted.removeAt(3);
    QTest::newRow("deleted icon skipped") << saved << deleted << QList<IconPosition>{saved[7]};

    QList<IconPosition> added = saved;
    added.append({QStringLiteral("Nowa"), QPoint(0, 0)});
    QTest::newRow("added icon keeps its place") << saved << added << QList<IconPosition>{};

    // The saved caption lost its tail at "/", so no icon answers to it.
    const QList<IconPosition> cut = parseIconLayout({QStringLiteral("A/B/5/6")});
    QTest::newRow("caption with slash not found")
        << cut << QList<IconPosition>{{QStringLiteral("A/B"), QPoint(1, 1)}} << QList<IconPosition>{};
}

void TestIconLayout::restoreMoves()
{
    QFETCH(QList<IconPosition>, saved);
    QFETCH(QList<IconPosition>, current);
    QFETCH(QList<IconPosition>, moves);
    QCOMPARE(iconMoves(saved, current), moves);
}

void TestIconLayout::detectDesktop_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("running");
    QTest::addColumn<int>("desktop");
    QTest::newRow("cinnamon") << QStringLiteral("X-Cinnamon") << QStringList{QStringLiteral("nemo-desktop")} << int(IconDesktop::Nemo);
    QTest::newRow("mate") << QStringLiteral("MATE") << QStringList{QStringLiteral("caja"), QStringLiteral("nemo-desktop")} << int(IconDesktop::Caja);
    QTest::newRow("lxqt") << QStringLiteral("LXQt") << QStringList{QStringLiteral("pcmanfm-qt")} << int(IconDesktop::PcmanfmQt);
    QTest::newRow("xfce") << QStringLiteral("XFCE") << QStringList{QStringLiteral("xfdesktop")} << int(IconDesktop::Xfce);
    QTest::newRow("named but not running") << QStringLiteral("XFCE") << QStringList{} << int(IconDesktop::None);
    QTest::newRow("unknown name, program runs") << QStringLiteral("i3") << QStringList{QStringLiteral("pcmanfm-qt")} << int(IconDesktop::PcmanfmQt);
    QTest::newRow("gnome") << QStringLiteral("ubuntu:GNOME") << QStringList{QStringLiteral("gnome-shell")} << int(IconDesktop::None);
}

void TestIconLayout::detectDesktop()
{
    QFETCH(QString, current);
    QFETCH(QStringList, running);
    QFETCH(int, desktop);
    QCOMPARE(int(detectIconDesktop(current, running)), desktop);
}

void TestIconLayout::pcmanfmItems()
{
    const QByteArray file = fixture("desktop-items-0.conf");
    const QList<IconPosition> icons = readPcmanfmItems(file);
    QCOMPARE(icons, (QList<IconPosition>{{QStringLiteral("Trash"), QPoint(12, 10)},
                                          {QStringLiteral("computer stuff.desktop"), QPoint(12, 110)},
                                          {QStringLiteral("Zdjęcia"), QPoint(112, 10)}}));

    const QByteArray written = writePcmanfmItems(
        file, {{QStringLiteral("computer stuff.desktop"), QPoint(300, 40)}, {QStringLiteral("Nowy plik"), QPoint(1, 2)}});
    QVERIFY(written.contains("[computer%20stuff.desktop]\npos=@Point(300 40)\nname=keep me\n"));
    QVERIFY(written.contains("[broken]\npos=@Point(1,2)\n")); // untouched lines stay as they were
    const QList<IconPosition> again = readPcmanfmItems(written);
    QVERIFY(again.contains(IconPosition{QStringLiteral("Nowy plik"), QPoint(1, 2)}));
    QVERIFY(again.contains(IconPosition{QStringLiteral("Trash"), QPoint(12, 10)}));
}

void TestIconLayout::pcmanfmNames_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("group");
    QTest::newRow("plain") << QStringLiteral("notes.txt") << QStringLiteral("notes.txt");
    QTest::newRow("blank") << QStringLiteral("a b") << QStringLiteral("a%20b");
    QTest::newRow("latin1") << QStringLiteral("caf\u00e9") << QStringLiteral("caf%E9");
    QTest::newRow("polish") << QStringLiteral("Zdjęcia") << QStringLiteral("Zdj%U0119cia");
    QTest::newRow("percent") << QStringLiteral("100%") << QStringLiteral("100%25");
    QTest::newRow("brackets") << QStringLiteral("[x]") << QStringLiteral("%5Bx%5D");
}

void TestIconLayout::pcmanfmNames()
{
    QFETCH(QString, file);
    QFETCH(QString, group);
    QCOMPARE(pcmanfmGroupName(file), group);
    QCOMPARE(pcmanfmFileName(group), file);
}

void TestIconLayout::xfceIcons()
{
    const QByteArray file = fixture("icons.screen0-1920x1080.rc");
    QCOMPARE(readXfceIcons(file), (QList<IconPosition>{{QStringLiteral("Trash"), QPoint(0, 0)},
                                                        {QStringLiteral("notatki.txt"), QPoint(1, 2)},
                                                        {QStringLiteral("Home"), QPoint(0, 1)}}));
    const QByteArray written =
        writeXfceIcons(file, {{QStringLiteral("notatki.txt"), QPoint(4, 3)}, {QStringLiteral("Nowy"), QPoint(2, 0)}});
    // The move lands in the group of the file's path, not in a new group.
    QVERIFY(written.contains("[/home/ola/Pulpit/notatki.txt]\nrow=3\ncol=4\n"));
    QVERIFY(!written.contains("[notatki.txt]"));
    QVERIFY(written.startsWith("[xfdesktop-version-4.10.3+-rcfile_format]\n4.10.3+=true\n"));
    QVERIFY(readXfceIcons(written).contains(IconPosition{QStringLiteral("Nowy"), QPoint(2, 0)}));
}

void TestIconLayout::gioMetadata()
{
    const QString attribute = QStringLiteral("metadata::nemo-icon-position");
    QCOMPARE(gioInfoIconPosition(QString::fromUtf8(fixture("gio-info-nemo.txt")), attribute), QPoint(64, 192));
    QVERIFY(!gioInfoIconPosition(QString::fromUtf8(fixture("gio-info-unplaced.txt")), attribute));
    QVERIFY(!gioInfoIconPosition(QString::fromUtf8(fixture("gio-info-nemo.txt")),
                                 QStringLiteral("metadata::caja-icon-position")));
    QCOMPARE(parseGioIconPosition(gioIconPosition(QPoint(-5, 7))), QPoint(-5, 7));
    QVERIFY(!parseGioIconPosition(QStringLiteral("12")));
    QVERIFY(!parseGioIconPosition(QStringLiteral("a,b")));
}

QTEST_GUILESS_MAIN(TestIconLayout)
#include "tst_icon_layout.moc"
