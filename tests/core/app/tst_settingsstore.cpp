#include "core/app/SettingsStore.h"
#include "core/common/IniFile.h"
#include "support/FileFixture.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace zorvex {

using test::fileBytes;
using test::writeFile;

namespace {

// Every key of the model as "Section/Key" -> text, so two models can be
// compared key by key without listing the keys again here.
class DumpVisitor : public SettingsVisitor {
public:
    QMap<QString, QString> out;
    QString section;

    void put(const char* k, const QString& v) { out.insert(section + QLatin1Char('/') + QString::fromUtf8(k), v); }
    void boolean(const char* k, bool& v, bool) override { put(k, v ? QStringLiteral("1") : QStringLiteral("0")); }
    void integer(const char* k, int& v, int, int, int) override { put(k, QString::number(v)); }
    void colour(const char* k, int& v, int) override { put(k, QString::number(v)); }
    void text(const char* k, QString& v, const QString&) override { put(k, v); }
    void date(const char* k, DayTime& v, DayTime) override { put(k, QString::number(v, 'g', 17)); }
    void dateTime(const char* k, DayTime& v, DayTime) override { put(k, QString::number(v, 'g', 17)); }
    void real(const char* k, double& v, double) override { put(k, QString::number(v, 'g', 17)); }
    void font(const char* k, FontValue& v, const FontValue&) override { put(k, v.format()); }
};

QMap<QString, QString> dump(Settings& s)
{
    DumpVisitor d;
    for (SettingsSection* section : s.sections()) {
        d.section = QString::fromUtf8(section->name());
        section->visit(d);
    }
    return d.out;
}

// Gives every key a valid value of its own that differs from its default.
class NonDefaultVisitor : public SettingsVisitor {
public:
    int n = 0;

    void boolean(const char*, bool& v, bool def) override { v = !def; }
    void integer(const char* k, int& v, int def, int min, int max) override
    {
        ++n;
        const QByteArray key(k);
        if (key.startsWith('P') && key.size() <= 3)
            v = def % 3 + 1; // the panel orders must stay 1..3
        else if (min == INT_MIN && max == INT_MAX)
            v = def + 1000 + n;
        else
            v = def < max ? def + 1 : def - 1;
    }
    void colour(const char*, int& v, int def) override { v = (def + 4099 * ++n) & 0xFFFFFF; }
    void text(const char*, QString& v, const QString&) override { v = QStringLiteral("Wartość %1 | żółw").arg(++n); }
    void date(const char*, DayTime& v, DayTime) override { v = toDayTime(QDate(2024, 3, 1).addDays(++n)); }
    void dateTime(const char*, DayTime& v, DayTime) override
    {
        ++n;
        v = toDayTime(QDateTime(QDate(2024, 3, 1).addDays(n), QTime(10, 20, 30).addSecs(n)));
    }
    void real(const char*, double& v, double) override { v = 0.25 + ++n; }
    void font(const char*, FontValue& v, const FontValue&) override
    {
        v = FontValue {QStringLiteral("Times New Roman Ż"), 8 + ++n, FontValue::Italic | FontValue::Underline, 238};
    }
};

// Empty when `got` holds every key of `expected` with the same text.
QString firstDifference(const QMap<QString, QString>& expected, const QMap<QString, QString>& got)
{
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (got.value(it.key()) != it.value())
            return it.key() + QStringLiteral(": expected \"") + it.value() + QStringLiteral("\", got \"")
                + got.value(it.key()) + QLatin1Char('"');
    }
    return {};
}

Settings nonDefaultSettings()
{
    Settings s;
    NonDefaultVisitor v;
    for (SettingsSection* section : s.sections())
        section->visit(v);
    return s;
}

QString withFolder(QString text, const QString& folder)
{
    return text.replace(QLatin1Char('@'), folder);
}

QString mList(const std::array<int, kMenuEntries>& m)
{
    QStringList out;
    for (int v : m)
        out << QString::number(v);
    return out.join(QLatin1Char(','));
}

QString triple(const std::array<int, 3>& a)
{
    return QStringLiteral("%1,%2,%3").arg(a[0]).arg(a[1]).arg(a[2]);
}

// "a,b,c" as P1=a, P2=b, P3=c lines; an empty field leaves its key out.
QByteArray orderLines(const char* prefix, const QString& values)
{
    QByteArray out;
    const QStringList v = values.split(QLatin1Char(','));
    for (int i = 0; i < v.size() && !values.isEmpty(); ++i) {
        if (!v[i].isEmpty())
            out += prefix + QByteArray::number(i + 1) + '=' + v[i].toLatin1() + "\r\n";
    }
    return out;
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstRunValues_data();
    void firstRunValues();
    void firstRunBytesAndPriority();
    void menuListNeedsM24_data();
    void menuListNeedsM24();
    void panelOrders_data();
    void panelOrders();
    void fonts_data();
    void fonts();
    void startMinimizedNeedsTrayIcon_data();
    void startMinimizedNeedsTrayIcon();
    void valueReading_data();
    void valueReading();
    void fileWithoutMainSectionIsValid();
    void missingOrBrokenFileGivesDefaults_data();
    void missingOrBrokenFileGivesDefaults();
    void unreadableFileIsNeverReplaced_data();
    void unreadableFileIsNeverReplaced();
    void refusedFileIsNeverReplaced_data();
    void refusedFileIsNeverReplaced();
    void fileOfAUtf8Editor();
    void pathsBeyondWindows1250Survive();
    void saveRoundTripsEveryKeyAndKeepsTheRest();
    void saveRunsListWriters();
    void sectionSaveLeavesTheRest();
    void exitWrites_data();
    void exitWrites();

private:
    // A fresh folder for every test and row; `m_path` is the settings file in it.
    std::optional<QTemporaryDir> m_tmp;
    QString m_path;
};

void TestSettingsStore::init()
{
    m_tmp.emplace();
    QVERIFY(m_tmp->isValid());
    m_path = m_tmp->filePath(QStringLiteral("Ustawienia_Jan.ini"));
}

void TestSettingsStore::cleanup()
{
    m_tmp.reset();
}

void TestSettingsStore::firstRunValues_data()
{
    // "@" is the data folder, with its trailing "/".
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    auto row = [](const char* section, const char* key, const char* value) {
        QTest::addRow("%s/%s", section, key)
            << QString::fromUtf8(section) << QString::fromUtf8(key) << QString::fromUtf8(value);
    };
    row("Vuzuvured", "BlendW", "255");
    row("Vuzuvured", "UruZmin", "0");
    row("Vuzuvured", "M1", "-1");
    row("Vuzuvured", "M24", "-1");
    row("Vuzuvured", "M43", "-1");
    row("Vuzuvured", "P3", "3");
    row("Vuzuvured", "Zakladka", "0|0|0|0|0|0|0|0|0|0|0");
    row("Vuzuvured", "OstPokCP", "30.12.1899");
    row("Vuzuvured", "Priorytet", "2");
    row("Vuzuvured", "OstatnioSpr", "30.12.1899 00:00:00");
    row("Vuzuvured", "PaskiCien", "1");
    row("Ustawienia", "Kolor", "15793151");
    row("Ustawienia", "AktualizacjaData", "30.12.1899");
    row("Ustawienia", "AutoSaveMin", "10");
    row("Tapeter", "ZmianaCzCM", "75");
    row("Tapeter", "SciDodaj", "");
    row("RuchMyszy", "Aktywny", "1");
    row("Siec", "Pobrane", "1");
    row("Alarm", "Dźwięk_n", "1");
    row("Alarm", "PlikGo", "@Godziny/Godzina.mp3");
    row("Alarm", "Dźwięk_vol", "100");
    row("Solenizant", "Aktywny", "0");
    row("Inne", "Stawka", "0,1847");
    row("Inne", "kW", "0,3");
    row("Prywatne", "Panel", "1");
    row("Klony", "PozFol", "-1");
    row("Klony", "Ost", "-1");
    row("M3U", "AutoPlayNr", "-1");
    row("Ping", "CzasLacz", "100");
    row("Ping", "SciDzwiek", "@Godziny/Ping.mp3");
    row("Ping", "Przedzial2", "0.0.0.255");
    row("Pogoda", "IkoData", "30.12.1899 00:00:00");
    row("Pogoda", "IkoTemp", "1");
    row("Pocz", "OknoW", "542");
    row("Pocz", "OknoK5", "57");
    row("Pocz", "Program", "xdg-email");
    row("Poczta", "SciDzwiek", "@Godziny/Poczta.mp3");
    row("Synchro", "Serwer", "pl.pool.ntp.org");
    row("Synchro", "Dzien", "30.12.1899");
    row("Synchro", "Skorygowano", "-1");
    row("Wiadomosci", "Wyb", "-1");
    row("Radio", "Lista2", "-1");
    row("WazneDatyPow", "H", "-1");
    row("WazneDatyPow", "PolazDni", "7");
}

void TestSettingsStore::firstRunValues()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const QString folder = m_tmp->path() + QLatin1Char('/');
    const SettingsStore store(m_path, QLatin1Char(','));
    QVERIFY(!store.exists());
    FirstRunContext ctx;
    ctx.dataFolder = folder;
    ctx.mailProgram = QStringLiteral("xdg-email");
    ctx.timeServer = QStringLiteral("pl.pool.ntp.org");
    ctx.decimalSeparator = QLatin1Char(',');
    QVERIFY(store.writeFirstRunDefaults(ctx));

    const IniFile ini = IniFile::load(store.path());
    QCOMPARE(ini.readString(section, key, QStringLiteral("<brak klucza>")), withFolder(expected, folder));
}

void TestSettingsStore::firstRunBytesAndPriority()
{
    const SettingsStore store(m_path);
    FirstRunContext ctx;
    ctx.dataFolder = m_tmp->path() + QLatin1Char('/');
    QVERIFY(store.writeFirstRunDefaults(ctx));

    const QByteArray bytes = fileBytes(store.path());
    // Keys with Polish letters are Windows-1250 bytes on disk.
    QVERIFY(bytes.contains("\r\nD\x9fwi\xeak=1\r\nD\x9fwi\xeak_r=1\r\n"));
    QVERIFY(bytes.contains("\r\nC1=\"\"\r\nC2=\"\"\r\n"));
    QVERIFY(bytes.contains("\r\nStawka=0.1847\r\n"));

    // The first run asks for low priority; a file without the key means automatic.
    Settings s;
    store.load(s);
    QCOMPARE(s.main.priority, 2);
    QCOMPARE(mList(s.main.menuEntries), mList(Settings().main.menuEntries));
    QVERIFY(
        store.update([](IniFile& ini) { ini.deleteKey(QStringLiteral("Vuzuvured"), QStringLiteral("Priorytet")); }));
    store.load(s);
    QCOMPARE(s.main.priority, 3);
}

void TestSettingsStore::menuListNeedsM24_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("reset");

    QTest::newRow("M24 missing, M1 set") << QByteArray("[Vuzuvured]\r\nM1=5\r\nM2=7\r\n[Tapeter]\r\nZmiana=1\r\n")
                                         << true;
    QTest::newRow("no Vuzuvured section") << QByteArray("[Tapeter]\r\nZmiana=1\r\n") << true;
    QTest::newRow("M24 present") << QByteArray("[Vuzuvured]\r\nM1=5\r\nM24=9\r\n[Tapeter]\r\nZmiana=1\r\n") << false;
}

void TestSettingsStore::menuListNeedsM24()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, reset);

    QVERIFY(writeFile(m_path, content));
    Settings s;
    SettingsStore(m_path).load(s);

    if (!reset) {
        QCOMPARE(s.main.menuEntries[0], 5);
        QCOMPARE(s.main.menuEntries[1], -1);
        QCOMPARE(s.main.menuEntries[23], 9);
        QCOMPARE(fileBytes(m_path), content);
        return;
    }
    QCOMPARE(mList(s.main.menuEntries), mList(Settings().main.menuEntries));
    const IniFile ini = IniFile::load(m_path);
    for (int i = 1; i <= kMenuEntries; ++i)
        QCOMPARE(ini.readString(QStringLiteral("Vuzuvured"), QStringLiteral("M%1").arg(i)), QStringLiteral("-1"));
    QCOMPARE(ini.readString(QStringLiteral("Tapeter"), QStringLiteral("Zmiana")), QStringLiteral("1"));
}

void TestSettingsStore::panelOrders_data()
{
    QTest::addColumn<QString>("p");
    QTest::addColumn<QString>("pg");
    QTest::addColumn<QString>("expectedP");
    QTest::addColumn<QString>("expectedPG");

    auto s = [](const char* t) { return QString::fromLatin1(t); };
    QTest::newRow("repeats in range are kept") << s("3,3,1") << s("2,2,2") << s("3,3,1") << s("2,2,2");
    QTest::newRow("P2=4 resets P only") << s("3,4,1") << s("3,1,2") << s("1,2,3") << s("3,1,2");
    QTest::newRow("P1=0 resets P") << s("0,2,3") << s("") << s("1,2,3") << s("1,2,3");
    QTest::newRow("missing P3 reads 3") << s("2,1,") << s("") << s("2,1,3") << s("1,2,3");
    QTest::newRow("PG2=4 resets PG only") << s("3,3,1") << s("3,4,1") << s("3,3,1") << s("1,2,3");
    QTest::newRow("PG3=-1 resets PG") << s("") << s("2,1,-1") << s("1,2,3") << s("1,2,3");
}

void TestSettingsStore::panelOrders()
{
    QFETCH(QString, p);
    QFETCH(QString, pg);
    QFETCH(QString, expectedP);
    QFETCH(QString, expectedPG);

    QVERIFY(writeFile(m_path, "[Vuzuvured]\r\nM24=-1\r\n" + orderLines("P", p) + orderLines("PG", pg)));
    Settings s;
    SettingsStore(m_path).load(s);
    QCOMPARE(triple(s.main.infoRows), expectedP);
    QCOMPARE(triple(s.main.panelOrder), expectedPG);
}

void TestSettingsStore::fonts_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("resolve");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("charset");

    const QString tahoma = QStringLiteral("Tahoma");
    QTest::newRow("four fields") << QByteArray("Arial|12|3|238") << false << QStringLiteral("Arial") << 12 << 3 << 238;
    QTest::newRow("encoded name") << QByteArray("Times%20New%20Roman|9|0|238") << false
                                  << QStringLiteral("Times New Roman") << 9 << 0 << 238;
    QTest::newRow("missing numbers") << QByteArray("Arial|||") << false << QStringLiteral("Arial") << 10 << 0 << 1;
    QTest::newRow("two separators: built-in font") << QByteArray("Arial|12|3") << false << tahoma << 11 << 1 << 238;
    QTest::newRow("four separators: built-in font")
        << QByteArray("Arial|12|3|238|0") << false << tahoma << 11 << 1 << 238;
    QTest::newRow("font not installed") << QByteArray("Nieznana|12|2|238") << true << tahoma << 12 << 2 << 238;
}

void TestSettingsStore::fonts()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, resolve);
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(int, style);
    QFETCH(int, charset);

    QVERIFY(writeFile(m_path, "[Vuzuvured]\r\nM24=-1\r\nFont1=" + value + "\r\n"));
    Settings s;
    SettingsStore::FontResolver resolver;
    if (resolve) {
        resolver = [](const QString& n) { return n == QLatin1String("Nieznana") ? QStringLiteral("Tahoma") : n; };
    }
    SettingsStore(m_path).load(s, resolver);
    QCOMPARE(s.main.clockFont.name, name);
    QCOMPARE(s.main.clockFont.size, size);
    QCOMPARE(s.main.clockFont.style, style);
    QCOMPARE(s.main.clockFont.charset, charset);
}

void TestSettingsStore::startMinimizedNeedsTrayIcon_data()
{
    QTest::addColumn<int>("trayIcon");
    QTest::addColumn<int>("uruZmin");
    QTest::addColumn<bool>("expected");

    QTest::newRow("no tray icon: starts visible") << 4 << 1 << false;
    QTest::newRow("free RAM icon: starts minimized") << 2 << 1 << true;
    QTest::newRow("transfer icon: starts minimized") << 5 << 1 << true;
    QTest::newRow("not asked") << 4 << 0 << false;
}

void TestSettingsStore::startMinimizedNeedsTrayIcon()
{
    QFETCH(int, trayIcon);
    QFETCH(int, uruZmin);
    QFETCH(bool, expected);

    QVERIFY(writeFile(m_path,
        QStringLiteral("[Vuzuvured]\r\nM24=-1\r\nKolor_TN=%1\r\nUruZmin=%2\r\n")
            .arg(trayIcon)
            .arg(uruZmin)
            .toLatin1()));
    Settings s;
    SettingsStore(m_path).load(s);
    QCOMPARE(s.main.startMinimized, expected);
    QCOMPARE(s.main.trayIconKind, trayIcon);
}

void TestSettingsStore::valueReading_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    auto row = [](const char* tag, const char* section, const char* line, const char* key, const char* expected) {
        QTest::newRow(tag) << QString::fromLatin1(section) << QByteArray(line) << QString::fromLatin1(key)
                           << QString::fromUtf8(expected);
    };
    row("integer that is not a number", "Vuzuvured", "Priorytet=niski", "Priorytet", "3");
    row("key names ignore case", "Vuzuvured", "priorytet=1", "Priorytet", "1");
    row("any non-zero integer is true", "Vuzuvured", "NaWierzchu=2", "NaWierzchu", "1");
    row("boolean that is not a number", "Vuzuvured", "Wykres=tak", "Wykres", "1");
    row("colour", "Vuzuvured", "Kolor_Uro=255", "Kolor_Uro", "255");
    row("checked date-time that does not parse", "Vuzuvured", "OstatnioSpr=wczoraj", "OstatnioSpr", "0");
    row("date-time", "Vuzuvured", "OstatnioSpr=15.03.2024 12:00:00", "OstatnioSpr", "45366.5");
    row("date", "Vuzuvured", "OstPokCP=01.01.2024", "OstPokCP", "45292");
    row("Windows-1250 text", "Vuzuvured",
        "Schemat_Nazwa=\xa3\xf3"
        "d\x9f",
        "Schemat_Nazwa",
        "\xc5\x81\xc3\xb3"
        "d\xc5\xba");
    row("Tools window boolean", "Ustawienia", "AutoSave=0", "AutoSave", "0");
}

void TestSettingsStore::valueReading()
{
    QFETCH(QString, section);
    QFETCH(QByteArray, line);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    QByteArray content = "[Vuzuvured]\r\nM24=-1\r\n";
    if (section != QLatin1String("Vuzuvured"))
        content += "[" + section.toLatin1() + "]\r\n";
    QVERIFY(writeFile(m_path, content + line + "\r\n"));
    Settings s;
    SettingsStore(m_path).load(s);
    QCOMPARE(dump(s).value(section + QLatin1Char('/') + key), expected);
}

void TestSettingsStore::fileWithoutMainSectionIsValid()
{
    QVERIFY(writeFile(m_path, "[Ustawienia]\r\nAutoSaveMin=20\r\n[Tapeter]\r\nZmiana=1\r\n"));
    Settings s = nonDefaultSettings();
    SettingsStore(m_path).load(s);

    Settings defaults;
    defaults.tools.autoSaveMinutes = 20;
    defaults.tapeter.active = true;
    const QString diff = firstDifference(dump(defaults), dump(s));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestSettingsStore::missingOrBrokenFileGivesDefaults_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("missing") << false << QByteArray();
    QTest::newRow("empty") << true << QByteArray();
    QTest::newRow("not an INI file") << true << QByteArray("\x00\xff\x01 PNG\r\n=\r\n[\r\n", 15);
}

void TestSettingsStore::missingOrBrokenFileGivesDefaults()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, content);

    if (present)
        QVERIFY(writeFile(m_path, content));
    Settings s = nonDefaultSettings();
    SettingsStore(m_path).load(s);
    Settings defaults;
    const QString diff = firstDifference(dump(defaults), dump(s));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestSettingsStore::unreadableFileIsNeverReplaced_data()
{
    QTest::addColumn<QString>("pass");
    QTest::newRow("load") << QStringLiteral("load");
    QTest::newRow("save") << QStringLiteral("save");
    QTest::newRow("exit writes") << QStringLiteral("exit");
}

void TestSettingsStore::unreadableFileIsNeverReplaced()
{
    QFETCH(QString, pass);

    // A file the user cannot read (left by a start under another account, say)
    // in a folder the user can write. M24 is missing, so a load would reset
    // the menu list if it could.
    const QByteArray content = "[Vuzuvured]\r\nM1=5\r\nPozycjaX=3\r\n[Obcy]\r\nKlucz=1\r\n";
    QVERIFY(writeFile(m_path, content));
    const SettingsStore store(m_path);

    Settings s = nonDefaultSettings();
    bool written = false;
    {
        test::UnreadableFile unreadable(m_path);
        if (!unreadable.active())
            QSKIP("cannot make a file unreadable here");
        if (pass == QLatin1String("load"))
            store.load(s);
        else if (pass == QLatin1String("save"))
            written = store.save(s);
        else
            written = store.writeExitValues(ExitValues {10, 20, 1, QStringLiteral("Czarny")});
    }
    QCOMPARE(fileBytes(m_path), content);
    QVERIFY(!written);
    if (pass == QLatin1String("load")) {
        Settings defaults;
        const QString diff = firstDifference(dump(defaults), dump(s));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }
}

void TestSettingsStore::refusedFileIsNeverReplaced_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("pass");
    for (const char* what : {"FIFO", "folder", "too large"}) {
        for (const char* pass : {"load", "save", "exit"})
            QTest::addRow("%s, %s", what, pass) << QString::fromLatin1(what) << QString::fromLatin1(pass);
    }
}

// Something else in the settings file's place, or a file far beyond any real
// size: the start goes on with the defaults and no pass touches it.
void TestSettingsStore::refusedFileIsNeverReplaced()
{
    QFETCH(QString, what);
    QFETCH(QString, pass);

    if (what == QLatin1String("FIFO"))
        QVERIFY(test::makeFifo(m_path));
    else if (what == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(m_path));
    else
        QVERIFY(test::makeSparseFile(m_path, 200 * 1024 * 1024));
    const SettingsStore store(m_path);

    Settings s = nonDefaultSettings();
    bool written = false;
    if (pass == QLatin1String("load"))
        store.load(s); // M24 is missing: a readable file would get a menu list
    else if (pass == QLatin1String("save"))
        written = store.save(s);
    else
        written = store.writeExitValues(ExitValues {10, 20, 1, QStringLiteral("Czarny")});
    QVERIFY(!written);
    const QFileInfo after(m_path);
    QCOMPARE(after.isFile(), what == QLatin1String("too large"));
    QCOMPARE(after.isDir(), what == QLatin1String("folder"));
    if (what == QLatin1String("too large"))
        QCOMPARE(after.size(), 200 * 1024 * 1024);
    if (pass == QLatin1String("load")) {
        Settings defaults;
        const QString diff = firstDifference(dump(defaults), dump(s));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }
}

// Saved by an editor as UTF-8 with a byte order mark: the main section is
// read, saved into its place (no second one), and the file is Windows-1250
// again.
void TestSettingsStore::fileOfAUtf8Editor()
{
    QByteArray file = "\xEF\xBB\xBF[Vuzuvured]\r\nPozycjaX=120\r\nKolor_Uro=255\r\n";
    for (int i = 1; i <= kMenuEntries; ++i)
        file += "M" + QByteArray::number(i) + "=" + (i == 1 ? "5" : "-1") + "\r\n";
    file += QStringLiteral("[Alarm]\r\nDźwięk=2\r\nPlikGo=/muzyka/łąka.mp3\r\n").toUtf8();
    QVERIFY(writeFile(m_path, file));
    const SettingsStore store(m_path);

    Settings s;
    store.load(s);
    QCOMPARE(s.main.left, 120);
    QCOMPARE(s.main.birthdayColour, 255);
    QCOMPARE(s.main.menuEntries[0], 5);
    QCOMPARE(s.chime.mode, 2);
    QCOMPARE(s.chime.file, QStringLiteral("/muzyka/łąka.mp3"));

    QVERIFY(store.save(s));
    const QByteArray saved = fileBytes(m_path);
    QCOMPARE(saved.count("[Vuzuvured]"), 1);
    QVERIFY(saved.startsWith("[Vuzuvured]\r\nPozycjaX=120\r\n"));
    QVERIFY(saved.contains("D\x9fwi\xeak=2\r\nPlikGo=/muzyka/\xb3\xb9ka.mp3\r\n"));
    Settings again;
    store.load(again);
    const QString diff = firstDifference(dump(s), dump(again));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestSettingsStore::pathsBeyondWindows1250Survive()
{
    const SettingsStore store(m_path);
    Settings s;
    store.load(s);
    s.chime.file = QStringLiteral("/home/jan/Музыка/Годинник.mp3");
    s.tools.backupFolder = QStringLiteral("/media/Kopie zapasowe/żółw");
    QVERIFY(store.save(s));
    Settings back;
    store.load(back);
    QCOMPARE(back.chime.file, s.chime.file);
    QCOMPARE(back.tools.backupFolder, s.tools.backupFolder);
    // A Windows-1250 value is stored as ever.
    QVERIFY(fileBytes(m_path).contains("KopiaSci=/media/Kopie zapasowe/\xbf\xf3\xb3w\r\n"));
}

void TestSettingsStore::saveRoundTripsEveryKeyAndKeepsTheRest()
{
    const QByteArray foreign = "; Zorvex\r\n"
                               "[Vuzuvured]\r\n"
                               "Nieznany=abc\r\n"
                               "; uwaga do menu\r\n"
                               "M24=-1\r\n"
                               "\r\n"
                               "[Tapeter]\r\n"
                               "Zmiana=1\r\n"
                               "\r\n"
                               "[Obcy]\r\n"
                               "Klucz=Warto\x9c\xe6\r\n";
    QVERIFY(writeFile(m_path, foreign));
    const SettingsStore store(m_path, QLatin1Char(','));

    Settings saved = nonDefaultSettings();
    QVERIFY(store.save(saved));
    Settings loaded;
    store.load(loaded);

    // Every key was given a value of its own, so a key that is not written
    // or read back shows up here.
    Settings defaults;
    const QMap<QString, QString> defaultValues = dump(defaults);
    const QMap<QString, QString> expected = dump(saved);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(defaultValues.value(it.key()) != it.value(), qPrintable(it.key()));
    const QString diff = firstDifference(expected, dump(loaded));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));

    const QByteArray bytes = fileBytes(m_path);
    QVERIFY(bytes.startsWith("; Zorvex\r\n[Vuzuvured]\r\nNieznany=abc\r\n; uwaga do menu\r\n"));
    QVERIFY(bytes.contains("\r\n[Tapeter]\r\nZmiana=1\r\n"));
    QVERIFY(bytes.contains("\r\n[Obcy]\r\nKlucz=Warto\x9c\xe6\r\n"));
}

void TestSettingsStore::saveRunsListWriters()
{
    SettingsStore store(m_path);
    QStringList ran;
    store.addListWriter([&] { ran << QStringLiteral("Tapeter"); });
    store.addListWriter([&] { ran << QStringLiteral("RadioU"); });
    Settings s;
    QVERIFY(store.save(s));
    QCOMPARE(ran, QStringList({QStringLiteral("Tapeter"), QStringLiteral("RadioU")}));
}

// A window storing its own options must not write the rest of the model
// (the Tools pages may hold edits the user has not confirmed).
void TestSettingsStore::sectionSaveLeavesTheRest()
{
    QVERIFY(writeFile(m_path, "[Vuzuvured]\r\nKolor_B=255\r\n[WazneDatyPow]\r\nPokaz=0\r\nStary=1\r\n"));
    SettingsStore store(m_path);
    Settings s;
    s.main.background = 1;
    s.wazneDatyPow.showByItself = true;
    s.wazneDatyPow.x = 120;
    QVERIFY(store.saveSection(s.wazneDatyPow));
    const IniFile ini = IniFile::load(m_path);
    QCOMPARE(ini.readInteger(QStringLiteral("Vuzuvured"), QStringLiteral("Kolor_B"), 0), 255);
    QCOMPARE(ini.readBool(QStringLiteral("WazneDatyPow"), QStringLiteral("Pokaz"), false), true);
    QCOMPARE(ini.readInteger(QStringLiteral("WazneDatyPow"), QStringLiteral("X"), 0), 120);
    QCOMPARE(ini.readInteger(QStringLiteral("WazneDatyPow"), QStringLiteral("Stary"), 0), 1);
}

void TestSettingsStore::exitWrites_data()
{
    QTest::addColumn<bool>("featuresRunning");
    QTest::newRow("disc images and playback panel running") << true;
    QTest::newRow("only the window position") << false;
}

void TestSettingsStore::exitWrites()
{
    QFETCH(bool, featuresRunning);

    const QByteArray before = "; ustawienia\r\n"
                              "[Vuzuvured]\r\n"
                              "PozycjaX=1\r\n"
                              "Kolor_B=255\r\n"
                              "PozycjaY=2\r\n"
                              "[Klony]\r\n"
                              "Ost=7\r\n"
                              "X=5\r\n"
                              "[PanelOdtwarzania]\r\n"
                              "Wybrany=Stary\r\n";
    QVERIFY(writeFile(m_path, before));

    ExitValues v;
    v.positionX = 640;
    v.positionY = -10;
    if (featuresRunning) {
        v.lastDiscImage = 3;
        v.playbackChoice = QStringLiteral("Żółty");
    }
    QVERIFY(SettingsStore(m_path).writeExitValues(v));

    QByteArray expected = before;
    expected.replace("PozycjaX=1", "PozycjaX=640").replace("PozycjaY=2", "PozycjaY=-10");
    if (featuresRunning)
        expected.replace("Ost=7", "Ost=3").replace("Wybrany=Stary", "Wybrany=\xaf\xf3\xb3ty");
    QCOMPARE(fileBytes(m_path), expected);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestSettingsStore)
#include "tst_settingsstore.moc"
