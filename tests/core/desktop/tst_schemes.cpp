#include "core/common/AddonFolder.h"
#include "core/common/Cp1250.h"
#include "core/desktop/SchemeRecord.h"
#include "core/desktop/SchemeStore.h"
#include "core/settings/MainWindowSettings.h"

#include "support/FileFixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

QString rec(QStringList fields)
{
    return fields.join(kListSeparator);
}

QByteArray bytesOf(const QString& line)
{
    return toCp1250(line) + "\r\n";
}

MainWindowSettings defaults()
{
    MainWindowSettings s;
    applySchemeRecord(builtInSchemeRecord(), s);
    return s;
}

} // namespace

class TestSchemes : public QObject {
    Q_OBJECT
private slots:
    void recordRoundTrip();
    void legacyRecord_data();
    void legacyRecord();
    void precedence_data();
    void precedence();
    void schemeList();
    void legacyConversion();
    void legacyConversionKeepsUnwrittenList();
    void saveNewSchemeCopiesPictures();
    void failedSaveLeavesNoFolder();
    void shippedSchemes();
};

// A look saved and applied again is the same look, every field included.
void TestSchemes::recordRoundTrip()
{
    MainWindowSettings s = defaults();
    s.plainBackground = false;
    s.background = 123456;
    s.playbackPanelBackground = 654321;
    s.backgroundShadow = false;
    s.skinPicture = QStringLiteral("tło.png");
    s.gaugeLowColour = 1, s.gaugeMiddleColour = 2, s.gaugeHighColour = 3, s.infoPanelBackground = 4;
    for (int i = 0; i < kTextElements; ++i)
        s.textColours[std::size_t(i)] = 1000 + i;
    s.birthdayColour = 11, s.nameDayColour = 12, s.importantDayColour = 13, s.privateDayColour = 14, s.todayFrameColour = 15;
    s.markingPrecedence = QStringLiteral("4213");
    s.gridLines = false, s.shadedGauges = true, s.windowFrame = false;
    s.clockFont = {QStringLiteral("DejaVu Sans Mono"), 14, FontValue::Italic, 238};
    s.textPanelFont = {QStringLiteral("Zażółć|Font"), 9, 0, 1};
    s.infoLabelFont = {QStringLiteral("Liberation Serif"), 8, FontValue::Bold, 238};

    const QString record = schemeRecordFromSettings(QStringLiteral("Mój"), s);
    QCOMPARE(record.count(kListSeparator) + 1, kSchemeFields);
    QCOMPARE(schemeField(record, 1), QStringLiteral("Mój"));
    QCOMPARE(schemeField(record, 28), QStringLiteral("1")); // grid off is written as 1

    MainWindowSettings back = defaults();
    applySchemeRecord(record, back);
    QCOMPARE(back.plainBackground, s.plainBackground);
    QCOMPARE(back.background, s.background);
    QCOMPARE(back.playbackPanelBackground, s.playbackPanelBackground);
    QCOMPARE(back.backgroundShadow, s.backgroundShadow);
    QCOMPARE(back.skinPicture, s.skinPicture);
    QCOMPARE(back.gaugeLowColour, 1);
    QCOMPARE(back.infoPanelBackground, 4);
    QCOMPARE(back.textColours, s.textColours);
    QCOMPARE(back.todayFrameColour, 15);
    QCOMPARE(back.markingPrecedence, s.markingPrecedence);
    QCOMPARE(back.gridLines, false);
    QCOMPARE(back.shadedGauges, true);
    QCOMPARE(back.windowFrame, false);
    QCOMPARE(back.clockFont, s.clockFont);
    QCOMPARE(back.textPanelFont, s.textPanelFont); // a "|" in the name survives the record
    QCOMPARE(back.infoLabelFont, s.infoLabelFont);
}

// Older records have 31 fields (or fewer, or broken tails): the fonts fall
// back to the built-in ones, the tenth colour to 0, the playback panel to the
// background colour.
void TestSchemes::legacyRecord_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("panel");
    QTest::newRow("built-in 31 fields") << builtInSchemeRecord() << 16760400;
    QStringList f = builtInSchemeRecord().split(kListSeparator);
    f[2] = QStringLiteral("777");
    f[30] = QString();
    QTest::newRow("empty panel colour") << rec(f) << 777;
    f[30] = QStringLiteral("x1");
    QTest::newRow("panel colour not a number") << rec(f) << 777;
    QTest::newRow("30 fields") << rec(f.mid(0, 30)) << 777;
    QStringList longer = f;
    longer[30] = QStringLiteral("42");
    longer << QStringLiteral("Tahoma|11") << QString() << QStringLiteral("a|b|c|d|e");
    QTest::newRow("35 fields with broken fonts") << rec(longer) << 42;
}

void TestSchemes::legacyRecord()
{
    QFETCH(QString, record);
    QFETCH(int, panel);
    MainWindowSettings s = defaults();
    s.textColours[std::size_t(TextElement::Temperature)] = 999;
    s.clockFont = {QStringLiteral("Other"), 20, 0, 1};
    applySchemeRecord(record, s);
    QCOMPARE(s.playbackPanelBackground, panel);
    QCOMPARE(s.textColour(TextElement::Temperature), 0);
    QCOMPARE(s.clockFont, (FontValue{QStringLiteral("Tahoma"), 11, 1, 238}));
    QCOMPARE(s.textPanelFont, (FontValue{QStringLiteral("Tahoma"), 10, 1, 238}));
    QCOMPARE(s.infoLabelFont, (FontValue{QStringLiteral("Tahoma"), 10, 1, 238}));
    QCOMPARE(s.textColour(TextElement::Sunday), 255);
}

void TestSchemes::precedence_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("order");
    QTest::newRow("plain") << QStringList{u"3"_s, u"1"_s, u"4"_s, u"2"_s} << u"3142"_s;
    QTest::newRow("not a number counts as 1") << QStringList{u"x"_s, u"2"_s, QString(), u"4"_s} << u"1214"_s;
    QTest::newRow("out of range adds nothing") << QStringList{u"9"_s, u"2"_s, u"0"_s, u"4"_s} << u"24"_s;
}

void TestSchemes::precedence()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, order);
    QStringList f = builtInSchemeRecord().split(kListSeparator);
    for (int i = 0; i < 4; ++i)
        f[23 + i] = fields.at(i);
    MainWindowSettings s = defaults();
    applySchemeRecord(rec(f), s);
    QCOMPARE(s.markingPrecedence, order);
}

void TestSchemes::schemeList()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("Schematy"));
    QStringList mine = builtInSchemeRecord().split(kListSeparator);
    mine[0] = QStringLiteral("ignored");
    mine[2] = QStringLiteral("5");
    QVERIFY(writeFile(root + u"/Nocny/Kolory.ini"_s, bytesOf(rec(mine))));
    QVERIFY(writeFile(root + u"/Nocny/Wersja.ini"_s, "1.2\r\n"));
    QVERIFY(writeFile(root + u"/domyślny/Kolory.ini"_s, bytesOf(rec(mine))));
    QVERIFY(writeFile(root + u"/Pusty/Kolory.ini"_s, "no separator here\r\n"));
    QVERIFY(writeFile(root + u"/Bez pliku/minimize.png"_s, "x"));

    const QList<SchemeEntry> list = buildSchemeList(root, QDateTime::currentDateTime().addSecs(3 * 3600));
    QCOMPARE(list.size(), 2);
    QCOMPARE(list[0].name, QStringLiteral("Domyślny"));
    QCOMPARE(schemeField(list[0].record, 1), QStringLiteral("Domyślny"));
    QCOMPARE(schemeField(list[0].record, 3), QStringLiteral("5")); // the lower-case folder is the default
    QCOMPARE(list[1].name, QStringLiteral("Nocny"));
    QCOMPARE(schemeField(list[1].record, 1), QStringLiteral("Nocny"));
    QCOMPARE(list[1].version, QStringLiteral("1.2"));
    QCOMPARE(list[1].ageHours, 3);

    // No folder at all: the built-in default alone.
    const QList<SchemeEntry> bare = buildSchemeList(dir.filePath(QStringLiteral("none")), QDateTime::currentDateTime());
    QCOMPARE(bare.size(), 1);
    QCOMPARE(bare[0].record, builtInSchemeRecord());
}

void TestSchemes::legacyConversion()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("Gfx/Schematy"));
    const QString legacy = dir.filePath(QStringLiteral("Kolory_jan.ini"));
    QStringList f = builtInSchemeRecord().split(kListSeparator);
    QByteArray bytes;
    for (const char* name : {"a/b:c", "Stary", "..", "./.", "Nowy?"}) {
        f[0] = QString::fromUtf8(name);
        bytes += bytesOf(rec(f));
    }
    bytes += "a line without fields\r\n";
    QVERIFY(writeFile(root + u"/Stary/Kolory.ini"_s, "kept"));
    QVERIFY(writeFile(legacy, bytes));

    QCOMPARE(convertLegacySchemes(legacy, root), 2);
    QVERIFY(!QFileInfo::exists(legacy));
    QCOMPARE(fileBytes(root + u"/Stary/Kolory.ini"_s), QByteArray("kept"));
    f[0] = QStringLiteral("a/b:c");
    QCOMPARE(fileBytes(root + u"/abc/Kolory.ini"_s), bytesOf(rec(f)));
    QVERIFY(QFileInfo::exists(root + u"/Nowy/Kolory.ini"_s));
    // ".." and "./." never wrote above or into the scheme folder itself.
    QVERIFY(!QFileInfo::exists(root + u"/Kolory.ini"_s));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Gfx/Kolory.ini"))));
    QCOMPARE(QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 3);
}

// A record that cannot be written keeps the old list, or it would be lost.
void TestSchemes::legacyConversionKeepsUnwrittenList()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("Schematy"));
    const QString legacy = dir.filePath(QStringLiteral("Kolory_jan.ini"));
    QVERIFY(writeFile(root, "a file where the folder should be"));
    QVERIFY(writeFile(legacy, bytesOf(builtInSchemeRecord().replace(QStringLiteral("Domyślny"), QStringLiteral("X")))));
    QCOMPARE(convertLegacySchemes(legacy, root), 0);
    QVERIFY(QFileInfo::exists(legacy));
}

void TestSchemes::saveNewSchemeCopiesPictures()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("Schematy"));
    QVERIFY(writeFile(root + u"/Stary/Kolory.ini"_s, bytesOf(builtInSchemeRecord())));
    QVERIFY(writeFile(root + u"/Stary/skora.bmp"_s, "skin"));
    QVERIFY(writeFile(root + u"/Stary/Minimize.PNG"_s, "min"));

    SchemeSave save{root, QStringLiteral("Nowy"), builtInSchemeRecord(), QStringLiteral("Stary"), QStringLiteral("skora.bmp")};
    QString error;
    QVERIFY2(saveScheme(save, &error), qPrintable(error));
    QCOMPARE(fileBytes(root + u"/Nowy/skora.bmp"_s), QByteArray("skin"));
    QCOMPARE(fileBytes(root + u"/Nowy/minimize.png"_s), QByteArray("min"));
    QCOMPARE(readSchemeRecord(root + u"/Nowy"_s), builtInSchemeRecord());

    // Replacing it writes only the record.
    save.record = renamedSchemeRecord(builtInSchemeRecord(), QStringLiteral("Nowy"));
    QVERIFY(saveScheme(save));
    QCOMPARE(readSchemeRecord(root + u"/Nowy"_s), save.record);

    for (const char* bad : {"..", ".", "", "a/b"}) {
        save.name = QString::fromUtf8(bad);
        QVERIFY(!saveScheme(save));
    }
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("Kolory.ini"))));
}

void TestSchemes::failedSaveLeavesNoFolder()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("Schematy"));
    // Kolory.ini cannot be written where a folder of that name stands.
    QVERIFY(QDir().mkpath(root + u"/Stary/Kolory.ini/x"_s));
    QVERIFY(writeFile(root + u"/Stary/minimize.bmp"_s, "min"));
    SchemeSave save{root, QStringLiteral("Stary"), builtInSchemeRecord(), QString(), QString()};
    QVERIFY(!saveScheme(save));
    QVERIFY(QFileInfo::exists(root + u"/Stary/minimize.bmp"_s)); // an existing scheme is kept

    QVERIFY(writeFile(root + u"/Inny/Kolory.ini"_s, bytesOf(builtInSchemeRecord())));
    QVERIFY(QFile::setPermissions(root, QFile::ReadOwner | QFile::ExeOwner));
    FileModesBind bind;
    save.name = QStringLiteral("Nowy");
    QString error;
    if (bind.active()) {
        QVERIFY(!saveScheme(save, &error));
        QVERIFY(!error.isEmpty());
    }
    QVERIFY(QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(!QFileInfo::exists(root + u"/Nowy"_s));
}

// The schemes that ship with the program are whole records of this
// system's form, with fonts that parse.
void TestSchemes::shippedSchemes()
{
    const QList<SchemeEntry> list = buildSchemeList(QStringLiteral(ZORVEX_SHIPPED_DATA "/Gfx/Schematy"),
                                                    QDateTime::currentDateTime());
    QVERIFY(list.size() > 1);
    for (qsizetype i = 1; i < list.size(); ++i) {
        const QString& record = list[i].record;
        QCOMPARE(record.count(kListSeparator) + 1, kSchemeFields);
        for (int font = 32; font <= 34; ++font)
            QVERIFY2(FontValue::parse(schemeField(record, font)), qPrintable(list[i].name));
        MainWindowSettings s = defaults();
        applySchemeRecord(record, s);
        QCOMPARE(s.markingPrecedence, u"1234"_s);
        QVERIFY(!list[i].version.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestSchemes)
#include "tst_schemes.moc"
