#include "core/common/AtomicFile.h"
#include "core/common/Colour.h"
#include "core/common/IniFile.h"
#include "support/FileFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace zorvex {
namespace {

// A settings file as people and older versions leave it: a comment, a key
// outside any section, odd lines, quotes, a duplicate key and a duplicate
// section, Windows-1250 letters. LF endings; crlf() gives the other form.
const QByteArray kFixture =
    "; Zorvex - ustawienia\n"
    "Sierota=1\n"
    "[Vuzuvured]\n"
    "PozycjaX=120\n"
    "  PozycjaY = -5  \n"
    "Kolor_Uro=255\n"
    "Nazwa=\"Jan Kowalski\"\n"
    "Cytat='a b'\n"
    "Pol=\"abc\n"
    "Pusty=\n"
    "linia bez znaku\n"
    "=bez klucza\n"
    ";Zakomentowany=1\n"
    "PozycjaX=999\n"
    "D\x9fwi\xeak=\xa3\xf3" "d\x9f\n"
    "\n"
    "[Ustawienia]\n"
    "Ostatni=01.02.2023 10:20:30\n"
    "Ulamek=0,1847\n"
    "Kropka=0.25\n"
    "Wlaczony=2\n"
    "Wylaczony=0\n"
    "Zly=12abc\n"
    "Czcionka=Times%20New%20Roman|12|1|238\n"
    "[vuzuvured]\n"
    "Nowy=7\n"
    "PozycjaX=555\n";

QByteArray crlf(QByteArray lf)
{
    return lf.replace("\n", "\r\n");
}

// Replaces exactly one occurrence, so a test fails loudly when the fixture
// and the expectation drift apart.
QByteArray replacedOnce(const QByteArray& text, const QByteArray& before, const QByteArray& after)
{
    const qsizetype at = text.indexOf(before);
    if (at < 0 || text.indexOf(before, at + 1) >= 0)
        qFatal("fixture text not found exactly once: %s", before.constData());
    QByteArray out = text;
    return out.replace(at, before.size(), after);
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void readString_data();
    void readString();
    void typedReaders();
    void colours_data();
    void colours();
    void sectionsAndKeys();
    void untouchedFileIsKeptAsItWas();
    void rewriteChangesOnlyThatLine();
    void newKeyGoesToItsSection_data();
    void newKeyGoesToItsSection();
    void newSectionGoesToTheEnd();
    void writtenValuesReadBack();
    void deleting();
    void saveAndLoad();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void filesOfOtherEditors_data();
    void filesOfOtherEditors();
    void valuesBeyondWindows1250_data();
    void valuesBeyondWindows1250();
    void refusedFileReadsEmpty();
};

void TestIniFile::readString_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString def = QStringLiteral("<default>");
    const QString main = QStringLiteral("Vuzuvured");
    QTest::newRow("plain") << main << QStringLiteral("Kolor_Uro") << QStringLiteral("255");
    QTest::newRow("case of section and key") << QStringLiteral("VUZUVURED") << QStringLiteral("kolor_uro")
                                             << QStringLiteral("255");
    QTest::newRow("blanks around key and value") << main << QStringLiteral("PozycjaY") << QStringLiteral("-5");
    QTest::newRow("double quotes") << main << QStringLiteral("Nazwa") << QStringLiteral("Jan Kowalski");
    QTest::newRow("single quotes") << main << QStringLiteral("Cytat") << QStringLiteral("a b");
    QTest::newRow("unmatched quote") << main << QStringLiteral("Pol") << QStringLiteral("\"abc");
    QTest::newRow("empty value") << main << QStringLiteral("Pusty") << QString();
    QTest::newRow("first duplicate key wins") << main << QStringLiteral("PozycjaX") << QStringLiteral("120");
    QTest::newRow("Polish key, other case") << main << QStringLiteral("DŹWIĘK") << QStringLiteral("Łódź");
    QTest::newRow("missing key") << main << QStringLiteral("Brak") << def;
    QTest::newRow("missing section") << QStringLiteral("Brak") << QStringLiteral("PozycjaX") << def;
    QTest::newRow("line without equals sign") << main << QStringLiteral("linia bez znaku") << def;
    QTest::newRow("comment") << main << QStringLiteral("Zakomentowany") << def;
    QTest::newRow("key outside sections") << QString() << QStringLiteral("Sierota") << def;
    QTest::newRow("key of shadowed duplicate section") << main << QStringLiteral("Nowy") << def;
    QTest::newRow("other section") << QStringLiteral("ustawienia") << QStringLiteral("OSTATNI")
                                   << QStringLiteral("01.02.2023 10:20:30");
}

void TestIniFile::readString()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    for (const QByteArray& bytes : {kFixture, crlf(kFixture)}) {
        const IniFile ini = IniFile::fromBytes(bytes);
        QCOMPARE(ini.readString(section, key, QStringLiteral("<default>")), expected);
        QCOMPARE(ini.hasKey(section, key), expected != QStringLiteral("<default>"));
    }
}

void TestIniFile::typedReaders()
{
    const IniFile ini = IniFile::fromBytes(crlf(kFixture));
    const QString main = QStringLiteral("Vuzuvured");
    const QString opts = QStringLiteral("Ustawienia");

    QCOMPARE(ini.readInteger(main, QStringLiteral("PozycjaY"), 42), -5);
    QCOMPARE(ini.readInteger(main, QStringLiteral("Nazwa"), 42), 42);
    QCOMPARE(ini.readInteger(opts, QStringLiteral("Zly"), 42), 42);
    QCOMPARE(ini.readInteger(main, QStringLiteral("Pusty"), 42), 42);
    QCOMPARE(ini.readInt64(main, QStringLiteral("Brak"), -7), qint64(-7));

    QCOMPARE(ini.readBool(opts, QStringLiteral("Wlaczony"), false), true);
    QCOMPARE(ini.readBool(opts, QStringLiteral("Wylaczony"), true), false);
    QCOMPARE(ini.readBool(main, QStringLiteral("PozycjaY"), false), true);
    QCOMPARE(ini.readBool(main, QStringLiteral("Nazwa"), true), true);
    QCOMPARE(ini.readBool(main, QStringLiteral("Nazwa"), false), false);

    QCOMPARE(ini.readReal(opts, QStringLiteral("Ulamek"), -1), 0.1847);
    QCOMPARE(ini.readReal(opts, QStringLiteral("Kropka"), -1), 0.25);
    QCOMPARE(ini.readReal(main, QStringLiteral("Nazwa"), -1), -1.0);

    QCOMPARE(ini.readDateTime(opts, QStringLiteral("Ostatni"), -1),
             toDayTime(QDateTime(QDate(2023, 2, 1), QTime(10, 20, 30))));
    QCOMPARE(ini.readDateTime(main, QStringLiteral("Nazwa"), 7.0), 7.0);
    QCOMPARE(ini.readDateTime(main, QStringLiteral("Brak"), kNever), kNever);

    const auto font = ini.readFont(opts, QStringLiteral("Czcionka"));
    QVERIFY(font);
    QCOMPARE(font->name, QStringLiteral("Times New Roman"));
    QCOMPARE(font->size, 12);
    QCOMPARE(font->style, int(FontValue::Bold));
    QCOMPARE(font->charset, 238);
    QVERIFY(!ini.readFont(main, QStringLiteral("Nazwa")));
    QVERIFY(!ini.readFont(main, QStringLiteral("Brak")));
}

void TestIniFile::colours_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("stored");

    QTest::newRow("red") << 255 << 0 << 0 << QStringLiteral("255");
    QTest::newRow("green") << 0 << 255 << 0 << QStringLiteral("65280");
    QTest::newRow("blue") << 0 << 0 << 255 << QStringLiteral("16711680");
    QTest::newRow("mixed") << 1 << 2 << 3 << QStringLiteral("197121");
    QTest::newRow("white") << 255 << 255 << 255 << QStringLiteral("16777215");
}

void TestIniFile::colours()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(QString, stored);

    const Colour c = colourFromRgb(red, green, blue);
    IniFile ini;
    ini.writeInteger(QStringLiteral("Vuzuvured"), QStringLiteral("Kolor"), c);
    QCOMPARE(ini.readString(QStringLiteral("Vuzuvured"), QStringLiteral("Kolor")), stored);

    const Colour back = ini.readInteger(QStringLiteral("Vuzuvured"), QStringLiteral("Kolor"), -1);
    QCOMPARE(colourRed(back), red);
    QCOMPARE(colourGreen(back), green);
    QCOMPARE(colourBlue(back), blue);
    const quint32 rgb = quint32(red) << 16 | quint32(green) << 8 | quint32(blue);
    QCOMPARE(toArgb(back), 0xFF000000u | rgb);
    QCOMPARE(fromArgb(0x11000000u | rgb), c);
}

void TestIniFile::sectionsAndKeys()
{
    const IniFile ini = IniFile::fromBytes(kFixture);
    QCOMPARE(ini.sections(), (QStringList{QStringLiteral("Vuzuvured"), QStringLiteral("Ustawienia")}));
    QCOMPARE(ini.keys(QStringLiteral("vuzuvured")),
             (QStringList{QStringLiteral("PozycjaX"), QStringLiteral("PozycjaY"), QStringLiteral("Kolor_Uro"),
                          QStringLiteral("Nazwa"), QStringLiteral("Cytat"), QStringLiteral("Pol"),
                          QStringLiteral("Pusty"), QStringLiteral("Dźwięk")}));
    QVERIFY(ini.hasSection(QStringLiteral("USTAWIENIA")));
    QVERIFY(!ini.hasSection(QStringLiteral("Brak")));
    QVERIFY(ini.keys(QStringLiteral("Brak")).isEmpty());
}

void TestIniFile::untouchedFileIsKeptAsItWas()
{
    QCOMPARE(IniFile::fromBytes(crlf(kFixture)).toBytes(), crlf(kFixture));
    // LF files keep every line; only the line ends may change.
    QCOMPARE(IniFile::fromBytes(kFixture).toBytes().replace("\r\n", "\n"), kFixture);
    // A last line without a line end is still a line.
    QByteArray noEnd = crlf(kFixture);
    noEnd.chop(2);
    const IniFile ini = IniFile::fromBytes(noEnd);
    QCOMPARE(ini.readString(QStringLiteral("Ustawienia"), QStringLiteral("Wlaczony")), QStringLiteral("2"));
    QCOMPARE(ini.toBytes(), crlf(kFixture));
}

void TestIniFile::rewriteChangesOnlyThatLine()
{
    IniFile ini = IniFile::fromBytes(crlf(kFixture));
    ini.writeInteger(QStringLiteral("VUZUVURED"), QStringLiteral("pozycjax"), 130);
    // Writing the value a key already has leaves its line as it was.
    ini.writeInteger(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaY"), -5);
    ini.writeString(QStringLiteral("Ustawienia"), QStringLiteral("Ulamek"), QStringLiteral("0,5"));

    QByteArray expected = replacedOnce(crlf(kFixture), "PozycjaX=120", "PozycjaX=130");
    expected = replacedOnce(expected, "Ulamek=0,1847", "Ulamek=0,5");
    QCOMPARE(ini.toBytes(), expected);
}

void TestIniFile::newKeyGoesToItsSection_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QByteArray>("after");

    // Before the blank line that parts it from the next section.
    QTest::newRow("section followed by a blank line") << QStringLiteral("vuzuvured")
                                                      << QByteArray("D\x9fwi\xeak=\xa3\xf3" "d\x9f\r\n");
    QTest::newRow("section followed by a header") << QStringLiteral("USTAWIENIA")
                                                  << QByteArray("Czcionka=Times%20New%20Roman|12|1|238\r\n");
    QTest::newRow("last section") << QStringLiteral("Ustawienia2") << QByteArray();
}

void TestIniFile::newKeyGoesToItsSection()
{
    QFETCH(QString, section);
    QFETCH(QByteArray, after);

    QByteArray fixture = crlf(kFixture);
    if (after.isEmpty()) {
        // The last section of a file is a different case: nothing follows it.
        fixture += "\r\n[Ustawienia2]\r\nA=1\r\n";
        after = "A=1\r\n";
    }
    IniFile ini = IniFile::fromBytes(fixture);
    ini.writeString(section, QStringLiteral("Nowy Klucz"), QStringLiteral("Gęś"));
    QCOMPARE(ini.toBytes(), replacedOnce(fixture, after, after + "Nowy Klucz=G\xea\x9c\r\n"));
}

void TestIniFile::newSectionGoesToTheEnd()
{
    IniFile ini = IniFile::fromBytes(crlf(kFixture));
    ini.writeString(QStringLiteral("Nowa Sekcja"), QStringLiteral("Klucz"), QStringLiteral("Wartość"));
    ini.writeInteger(QStringLiteral("NOWA SEKCJA"), QStringLiteral("Drugi"), 2);
    QCOMPARE(ini.toBytes(), crlf(kFixture) + "\r\n[Nowa Sekcja]\r\nKlucz=Warto\x9c\xe6\r\nDrugi=2\r\n");

    IniFile empty;
    empty.writeBool(QStringLiteral("Czas"), QStringLiteral("Wlacz"), true);
    QCOMPARE(empty.toBytes(), QByteArray("[Czas]\r\nWlacz=1\r\n"));
}

void TestIniFile::writtenValuesReadBack()
{
    IniFile ini = IniFile::fromBytes(kFixture);
    const QString s = QStringLiteral("Inne");
    ini.writeReal(s, QStringLiteral("Stawka"), 0.1847, QLatin1Char(','));
    ini.writeReal(s, QStringLiteral("Kropka"), 1234.5, QLatin1Char('.'));
    ini.writeDateTime(s, QStringLiteral("Kiedy"), 45011.5);
    ini.writeDate(s, QStringLiteral("Dzien"), 45011.75);
    ini.writeDateTime(s, QStringLiteral("Nigdy"), kNever);
    FontValue font;
    font.name = QStringLiteral("Łódź & Co");
    font.size = 14;
    font.style = FontValue::Italic;
    font.charset = 238;
    ini.writeFont(s, QStringLiteral("Czcionka"), font);
    ini.writeString(s, QStringLiteral("Nazwa"), QStringLiteral("\"w cudzysłowie\""));

    const IniFile back = IniFile::fromBytes(ini.toBytes());
    QCOMPARE(back.readString(s, QStringLiteral("Stawka")), QStringLiteral("0,1847"));
    QCOMPARE(back.readReal(s, QStringLiteral("Stawka"), -1), 0.1847);
    QCOMPARE(back.readReal(s, QStringLiteral("Kropka"), -1), 1234.5);
    QCOMPARE(back.readString(s, QStringLiteral("Kiedy")), QStringLiteral("26.03.2023 12:00:00"));
    QCOMPARE(back.readDateTime(s, QStringLiteral("Kiedy"), -1), 45011.5);
    QCOMPARE(back.readString(s, QStringLiteral("Dzien")), QStringLiteral("26.03.2023"));
    QCOMPARE(back.readDateTime(s, QStringLiteral("Dzien"), -1), 45011.0);
    QCOMPARE(back.readDateTime(s, QStringLiteral("Nigdy"), -1), kNever);
    QCOMPARE(back.readFont(s, QStringLiteral("Czcionka")), std::optional<FontValue>(font));
    QCOMPARE(back.readString(s, QStringLiteral("Nazwa")), QStringLiteral("w cudzysłowie"));
}

void TestIniFile::deleting()
{
    IniFile ini = IniFile::fromBytes(crlf(kFixture));
    ini.deleteKey(QStringLiteral("USTAWIENIA"), QStringLiteral("kropka"));
    ini.eraseSection(QStringLiteral("vuzuvured"));
    QVERIFY(!ini.hasSection(QStringLiteral("Vuzuvured")));
    QCOMPARE(ini.readInteger(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaX"), -1), -1);
    QCOMPARE(ini.toBytes(), QByteArray("; Zorvex - ustawienia\r\n"
                                       "Sierota=1\r\n"
                                       "[Ustawienia]\r\n"
                                       "Ostatni=01.02.2023 10:20:30\r\n"
                                       "Ulamek=0,1847\r\n"
                                       "Wlaczony=2\r\n"
                                       "Wylaczony=0\r\n"
                                       "Zly=12abc\r\n"
                                       "Czcionka=Times%20New%20Roman|12|1|238\r\n"));

    // A section written after being erased starts afresh.
    ini.writeInteger(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaX"), 5);
    QCOMPARE(ini.readInteger(QStringLiteral("vuzuvured"), QStringLiteral("pozycjax"), -1), 5);
    QCOMPARE(ini.keys(QStringLiteral("Vuzuvured")), QStringList{QStringLiteral("PozycjaX")});
}

void TestIniFile::saveAndLoad()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Ustawienia_Jan.ini"));

    bool ok = true;
    const IniFile missing = IniFile::load(path, &ok);
    QVERIFY(!ok);
    QVERIFY(missing.sections().isEmpty());

    QVERIFY(writeBytes(path, kFixture));
    IniFile ini = IniFile::load(path, &ok);
    QVERIFY(ok);
    ini.writeInteger(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaX"), 7);
    QString error;
    QVERIFY2(ini.save(path, &error), qPrintable(error));
    QCOMPARE(fileBytes(path), ini.toBytes());
    QCOMPARE(IniFile::load(path).readInteger(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaX"), -1), 7);
    // Nothing but the file itself is left in the folder.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Ustawienia_Jan.ini")});

    QByteArray read;
    QVERIFY(readWholeFile(path, &read));
    QCOMPARE(read, ini.toBytes());
    QVERIFY(!readWholeFile(dir.filePath(QStringLiteral("brak.ini")), &read));
}

void TestIniFile::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("folder does not exist") << QStringLiteral("missing folder");
    // With a writable file the file itself would be rewritten in place.
    QTest::newRow("read-only folder and file") << QStringLiteral("read-only folder");
    QTest::newRow("disk full while writing") << QStringLiteral("disk full");
}

void TestIniFile::failedSaveKeepsOldFile()
{
    QFETCH(QString, how);

    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString folder = tmp.filePath(QStringLiteral("dane"));
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + QStringLiteral("/Ustawienia_Jan.ini");
    const QByteArray old = crlf(kFixture);
    QVERIFY(writeBytes(path, old));

    IniFile ini = IniFile::fromBytes(old);
    // Big enough that writing it cannot fit under a small size limit.
    ini.writeString(QStringLiteral("Vuzuvured"), QStringLiteral("Duzy"), QString(256 * 1024, QLatin1Char('x')));

    bool saved = true;
    QString error;
    if (how == QStringLiteral("missing folder")) {
        path = folder + QStringLiteral("/brak/Ustawienia_Jan.ini");
        saved = ini.save(path, &error);
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/brak")));
        path = folder + QStringLiteral("/Ustawienia_Jan.ini");
    } else if (how == QStringLiteral("read-only folder")) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        test::FileModesBind modes;
        if (!modes.active())
            QSKIP("folder modes do not bind here");
        saved = ini.save(path, &error);
    } else {
        // A file size limit makes the write fail part way, as a full disk does.
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        struct sigaction previous = {};
        sigaction(SIGXFSZ, &ignore, &previous);
        rlimit oldLimit = {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
        rlimit small = oldLimit;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        saved = ini.save(path, &error);
        setrlimit(RLIMIT_FSIZE, &oldLimit);
        sigaction(SIGXFSZ, &previous, nullptr);
    }

    QVERIFY(!saved);
    QVERIFY(!error.isEmpty());
    QCOMPARE(fileBytes(path), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Ustawienia_Jan.ini")});
}

void TestIniFile::filesOfOtherEditors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("written");

    // Saved by an editor that puts a byte order mark first: the first
    // section is a section like any other.
    QTest::newRow("BOM before the first section")
        << QByteArray("\xEF\xBB\xBF[Vuzuvured]\r\nPozycjaX=120\r\n") << QStringLiteral("Vuzuvured")
        << QStringLiteral("PozycjaX") << QStringLiteral("120") << QByteArray("[Vuzuvured]\r\nPozycjaX=120\r\n");
    QTest::newRow("UTF-8 key with Polish letters")
        << QStringLiteral("[Alarm]\r\nDźwięk=1\r\nPlikGo=/muzyka/łąka.mp3\r\n").toUtf8() << QStringLiteral("alarm")
        << QStringLiteral("DŹWIĘK") << QStringLiteral("1")
        << QByteArray("[Alarm]\r\nD\x9fwi\xeak=1\r\nPlikGo=/muzyka/\xb3\xb9ka.mp3\r\n");
    QTest::newRow("BOM and UTF-8 name days")
        << QByteArray("\xEF\xBB\xBF") + QStringLiteral("[1]\r\n1=Mieczysławy\r\n").toUtf8() << QStringLiteral("1")
        << QStringLiteral("1") << QStringLiteral("Mieczysławy") << QByteArray("[1]\r\n1=Mieczys\xb3\x61wy\r\n");
    // Beyond Windows-1250: the value keeps its letters behind the UTF-8
    // mark; the line beside it goes back to Windows-1250.
    QTest::newRow("UTF-8 value beyond Windows-1250")
        << QStringLiteral("[Alarm]\r\nPlikGo=/home/jan/Музыка/a.mp3\r\nDźwięk=1\r\n").toUtf8()
        << QStringLiteral("Alarm") << QStringLiteral("PlikGo") << QStringLiteral("/home/jan/Музыка/a.mp3")
        << QByteArray("[Alarm]\r\nPlikGo=\xEF\xBB\xBF") + QStringLiteral("/home/jan/Музыка/a.mp3").toUtf8()
               + "\r\nD\x9fwi\xeak=1\r\n";
}

void TestIniFile::filesOfOtherEditors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, written);

    const IniFile ini = IniFile::fromBytes(bytes);
    QCOMPARE(ini.readString(section, key, QStringLiteral("<default>")), value);
    QCOMPARE(ini.sections().size(), 1);
    QCOMPARE(ini.toBytes(), written);
    // What is written back reads the same.
    QCOMPARE(IniFile::fromBytes(written).readString(section, key), value);

    // A key written to such a file joins its section instead of opening a
    // second one.
    IniFile changed = IniFile::fromBytes(bytes);
    changed.writeString(section, QStringLiteral("Nowy"), QStringLiteral("1"));
    QCOMPARE(changed.sections().size(), 1);
    QCOMPARE(changed.toBytes().count("["), 1);
}

void TestIniFile::valuesBeyondWindows1250_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("Polish path stays Windows-1250") << QStringLiteral("/home/jan/Muzyka/Dźwięki/żółw.mp3")
                                                    << QByteArray("/home/jan/Muzyka/D\x9fwi\xeaki/\xbf\xf3\xb3w.mp3");
    QTest::newRow("Cyrillic path") << QStringLiteral("/home/jan/Музыка/звон.mp3")
                                   << QByteArray("\xEF\xBB\xBF") + QStringLiteral("/home/jan/Музыка/звон.mp3").toUtf8();
    QTest::newRow("emoji") << QStringLiteral("/tmp/🔔.wav") << QByteArray("\xEF\xBB\xBF/tmp/\xF0\x9F\x94\x94.wav");
    // A Windows-1250 value that starts with the letters the mark reads as
    // is marked too, so that it is never taken for UTF-8.
    QTest::newRow("starts like the mark") << QStringLiteral("ď»żabc")
                                          << QByteArray("\xEF\xBB\xBF") + QStringLiteral("ď»żabc").toUtf8();
}

void TestIniFile::valuesBeyondWindows1250()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, stored);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ustawienia_Jan.ini"));
    // Alone, the marked value leaves a file that reads as UTF-8; beside a
    // Windows-1250 letter, one that does not. Both read it back.
    for (const bool polishKey : {false, true}) {
        IniFile ini;
        ini.writeString(QStringLiteral("Alarm"), QStringLiteral("PlikGo"), value);
        QCOMPARE(ini.readString(QStringLiteral("Alarm"), QStringLiteral("PlikGo")), value);
        QCOMPARE(ini.toBytes(), QByteArray("[Alarm]\r\nPlikGo=") + stored + "\r\n");
        if (polishKey)
            ini.writeString(QStringLiteral("Alarm"), QStringLiteral("Dźwięk"), QStringLiteral("1"));
        QVERIFY(ini.save(path));
        IniFile back = IniFile::load(path);
        QCOMPARE(back.readString(QStringLiteral("Alarm"), QStringLiteral("PlikGo")), value);
        // Written again unchanged, and the file stays as it was.
        back.writeString(QStringLiteral("Alarm"), QStringLiteral("PlikGo"), value);
        QCOMPARE(back.toBytes(), ini.toBytes());
    }
}

// A FIFO or a huge file in place of an INI file: nothing is read, nothing
// waits.
void TestIniFile::refusedFileReadsEmpty()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("Imieniny.ini"));
    const QString big = dir.filePath(QStringLiteral("Osoby.ini"));
    QVERIFY(test::makeFifo(fifo));
    QVERIFY(writeBytes(big, "[Osoby]\r\nIle=1\r\n"));
    QVERIFY(QFile(big).resize(kMaxDataFileSize + 1));

    for (const QString& path : {fifo, big}) {
        bool ok = true;
        FileReadStatus status = FileReadStatus::Read;
        const IniFile ini = IniFile::load(path, &ok, &status);
        QVERIFY(!ok);
        QCOMPARE(status, path == fifo ? FileReadStatus::NotAFile : FileReadStatus::TooLarge);
        QVERIFY(ini.sections().isEmpty());
    }
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestIniFile)
#include "tst_inifile.moc"
