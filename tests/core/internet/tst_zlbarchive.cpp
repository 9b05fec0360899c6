#include "core/common/Cp1250.h"
#include "core/internet/ZlbArchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <zlib.h>

#include <functional>
#include <optional>

namespace zorvex {
namespace {

using Error = ZlbArchive::Error;

QString corruptText()
{
    return QStringLiteral("Wybrany plik jest uszkodzony! Jeśli był pobrany z internetu, ściągnij go ponownie!");
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray out(size, Qt::Uninitialized);
    QRandomGenerator gen(seed);
    for (qsizetype i = 0; i < size; ++i)
        out[i] = char(gen.generate() & 0xFF);
    return out;
}

// Compresses well, like the INI files and lists the archives mostly carry.
QByteArray textBytes(qsizetype size, int seed = 0)
{
    static const char* const kWords[] = {"Imieniny", "Sentencja", "Pogoda", "Alarm", "=", "1\r\n", "Kolor_Uro",
                                         "[Ustawienia]\r\n", "PozycjaX", "0\r\n"};
    QByteArray out;
    out.reserve(size + 32);
    QRandomGenerator gen{quint32(seed)};
    while (out.size() < size)
        out += QByteArray(kWords[gen.bounded(10)]) + ' ';
    out.truncate(size);
    return out;
}

quint32 crcOf(QByteArrayView data)
{
    return quint32(crc32(0L, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size())));
}

QByteArray zlibStream(const QByteArray& data)
{
    uLongf size = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.constData()),
              uLong(data.size()), 6);
    out.resize(qsizetype(size));
    return out;
}

QByteArray inflateAll(const QByteArray& stream, qsizetype size)
{
    QByteArray out(size, '\0');
    uLongf length = uLongf(size);
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(stream.constData()),
                   uLong(stream.size()))
        != Z_OK)
        return {};
    out.resize(qsizetype(length));
    return out;
}

void put32(QByteArray& bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

quint32 get32(const QByteArray& bytes, qsizetype at)
{
    if (at < 0 || at + 4 > bytes.size())
        return 0xDEADBEEF;
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// An archive put together byte by byte, apart from the code under test, so
// that the reader is checked against the layout itself and can be fed what
// no writer would produce.
struct HandEntry {
    HandEntry(const QString& n, const QString& f, const QByteArray& c) : name(n), folder(f), content(c) {}

    QString name;
    QString folder;
    QByteArray content;
    bool compress = false;
    std::optional<quint32> originalSize;
    std::optional<quint32> storedSize;
    std::optional<quint32> offset;
    std::optional<quint32> crc;
    std::optional<quint8> rawFlag;
    std::function<void(QByteArray&)> damageBlock;
};

void putName(QByteArray& record, qsizetype at, const QString& name)
{
    const QByteArray bytes = toCp1250(name);
    record[at] = char(bytes.size());
    std::copy(bytes.cbegin(), bytes.cend(), record.begin() + at + 1);
}

QByteArray buildArchive(const QList<HandEntry>& entries, bool compressRegistry = true)
{
    QByteArray data;
    QByteArray registry;
    for (const HandEntry& e : entries) {
        QByteArray block = e.compress ? zlibStream(e.content) : e.content;
        QByteArray record(532, '\0');
        putName(record, 0, e.name);
        putName(record, 256, e.folder);
        put32(record, 512, e.originalSize.value_or(quint32(e.content.size())));
        put32(record, 516, e.storedSize.value_or(quint32(block.size())));
        put32(record, 520, e.offset.value_or(quint32(data.size())));
        put32(record, 524, e.crc.value_or(crcOf(e.content)));
        record[528] = char(e.rawFlag.value_or(e.compress ? 0 : 1));
        record[529] = char(e.compress ? 2 : 0);
        if (e.damageBlock)
            e.damageBlock(block);
        data += block;
        registry += record;
    }
    const QByteArray stored = compressRegistry ? zlibStream(registry) : registry;
    const QByteArray body = data + stored;
    QByteArray trailer(36, '\0');
    put32(trailer, 0, crcOf(body));
    put32(trailer, 4, quint32(entries.size()));
    put32(trailer, 8, 1);
    put32(trailer, 12, quint32(stored.size()));
    put32(trailer, 16, quint32(data.size()));
    put32(trailer, 20, compressRegistry ? 1 : 0);
    return body + trailer;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file below `root`, relative and sorted.
QStringList filesBelow(const QString& root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        out.append(QDir(root).relativeFilePath(it.next()));
    out.sort();
    return out;
}

class CurrentDir {
public:
    explicit CurrentDir(const QString& path) : m_old(QDir::currentPath()) { QDir::setCurrent(path); }
    ~CurrentDir() { QDir::setCurrent(m_old); }

private:
    QString m_old;
};

} // namespace

class TestZlbArchive : public QObject {
    Q_OBJECT

private slots:
    void init();

    void roundTrip_data();
    void roundTrip();
    void writesTheByteLayout();
    void readsHandMadeArchive_data();
    void readsHandMadeArchive();
    void emptyArchive();
    void savedFolderPath_data();
    void savedFolderPath();
    void foldersInTheList_data();
    void foldersInTheList();
    void largeFilesGoThroughTemporaryFile();

    void anyChangedByteBeforeTrailerIsCorrupt();
    void damagedTrailerFields_data();
    void damagedTrailerFields();
    void truncatedFile_data();
    void truncatedFile();
    void registryPointingOutside_data();
    void registryPointingOutside();
    void damagedEntry_data();
    void damagedEntry();
    void unsafePathsAreRefused_data();
    void unsafePathsAreRefused();
    void leadingSeparatorsAreDropped_data();
    void leadingSeparatorsAreDropped();
    void entryCountIsBounded_data();
    void entryCountIsBounded();
    void addRefusesMoreEntriesThanCanBeRead();

    void addingKeepsOldBlocks();
    void failedAddKeepsOldArchive();
    void addSkipsWhatItCannotStore_data();
    void addSkipsWhatItCannotStore();
    void findEntryIgnoresCase_data();
    void findEntryIgnoresCase();
    void operationErrors();
    void replaceQuestion_data();
    void replaceQuestion();
    void events();

    void packTool();

private:
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    // A small archive made by the code under test: a text and a random file.
    QByteArray smallArchive();

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestZlbArchive::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QByteArray TestZlbArchive::smallArchive()
{
    writeFile(path(QStringLiteral("src/tekst.ini")), textBytes(300));
    writeFile(path(QStringLiteral("src/losowe.bin")), randomBytes(40, 7));
    ZlbArchive a;
    a.setLevel(ZlbLevel::Maximum);
    if (!a.createArchive(path(QStringLiteral("small.zvxd")))
        || !a.addFiles({path(QStringLiteral("src/tekst.ini")), path(QStringLiteral("src/losowe.bin"))}))
        return {};
    a.closeArchive();
    return readFile(path(QStringLiteral("small.zvxd")));
}

// ------------------------------------------------------------ round trips

void TestZlbArchive::roundTrip_data()
{
    QTest::addColumn<bool>("savePaths");
    QTest::addColumn<bool>("extractWithPaths");
    QTest::addColumn<int>("level");

    QTest::newRow("paths saved and used, maximum") << true << true << int(ZlbLevel::Maximum);
    QTest::newRow("paths saved, extracted flat") << true << false << int(ZlbLevel::Default);
    QTest::newRow("no paths, fastest") << false << false << int(ZlbLevel::Fastest);
    QTest::newRow("no paths, extracted with paths") << false << true << int(ZlbLevel::Default);
    QTest::newRow("level none stores all raw") << true << true << int(ZlbLevel::None);
}

void TestZlbArchive::roundTrip()
{
    QFETCH(bool, savePaths);
    QFETCH(bool, extractWithPaths);
    QFETCH(int, level);

    // Relative name -> content; every file name differs so that flat
    // extraction has no clashes.
    QMap<QString, QByteArray> files;
    files[QStringLiteral("Gfx/Pogoda/Śnieg/żółć.txt")] = textBytes(50000, 1);
    files[QStringLiteral("Gfx/Pogoda/Śnieg/ĄĘ ŁÓDŹ.PNG")] = randomBytes(40000, 2);
    files[QStringLiteral("Godziny/Zegar ź/dźwięk.wav")] = textBytes(9000, 3);
    files[QStringLiteral("Ustawienia_Użytkownik.ini")] = textBytes(700, 4);
    files[QStringLiteral("pusty.txt")] = QByteArray();
    for (int i = 0; i < 40; ++i)
        files[QStringLiteral("Różne/plik %1 gęś.txt").arg(i)] = textBytes(100 + i * 37, 10 + i);
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        QVERIFY(writeFile(path(QStringLiteral("src/") + it.key()), it.value()));

    const QString archivePath = path(QStringLiteral("paczka.zvxd"));
    {
        const CurrentDir cd(path(QStringLiteral("src")));
        ZlbArchive a;
        a.setSavePaths(savePaths);
        a.setLevel(ZlbLevel(level));
        QStringList errors;
        a.setErrorHandler([&](const QString& m) { errors.append(m); });
        QVERIFY(a.createArchive(archivePath));
        QVERIFY2(a.addFiles(files.keys()), qPrintable(a.errorString()));
        QCOMPARE(errors, QStringList());
    }

    ZlbArchive b;
    b.setCheckCrc(true);
    b.setExtractWithPaths(extractWithPaths);
    QVERIFY2(b.openArchive(archivePath), qPrintable(b.errorString()));
    QCOMPARE(b.entryCount(), int(files.size()));

    QStringList expectedOnDisk;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString name = QFileInfo(it.key()).fileName();
        const QString fullName = savePaths ? QString(it.key()).replace(QLatin1Char('/'), QLatin1Char('\\')) : name;
        const int index = b.findEntry(fullName);
        QVERIFY2(index >= 0, qPrintable(fullName));
        const ZlbEntry e = *b.entry(index);
        QCOMPARE(e.fullName(), fullName);
        QCOMPARE(qsizetype(e.originalSize), it.value().size());
        QCOMPARE(e.crc, crcOf(it.value()));
        const bool compressible = it.value().size() > 0 && !it.key().endsWith(QLatin1String(".PNG"));
        const bool raw = !compressible || level == int(ZlbLevel::None);
        QCOMPARE(e.raw, raw);
        QCOMPARE(int(e.level), raw ? 0 : level);
        QCOMPARE(qsizetype(e.storedSize) < it.value().size(), !raw);

        QByteArray data;
        QVERIFY(b.extractToStream(index, &data));
        QCOMPARE(data, it.value());
        expectedOnDisk.append(savePaths && extractWithPaths ? it.key() : name);
    }

    const QString out = path(QStringLiteral("wynik"));
    QVERIFY2(b.extractAll(out), qPrintable(b.errorString()));
    expectedOnDisk.sort();
    QCOMPARE(filesBelow(out), expectedOnDisk);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString onDisk = savePaths && extractWithPaths ? it.key() : QFileInfo(it.key()).fileName();
        QCOMPARE(readFile(out + QLatin1Char('/') + onDisk), it.value());
    }
}

void TestZlbArchive::writesTheByteLayout()
{
    const QByteArray text = textBytes(4000);
    const QByteArray noise = randomBytes(300, 3);
    QVERIFY(writeFile(path(QStringLiteral("src/Dir/a.txt")), text));
    QVERIFY(writeFile(path(QStringLiteral("src/Dir/b.bin")), noise));
    {
        const CurrentDir cd(path(QStringLiteral("src")));
        ZlbArchive a;
        a.setSavePaths(true);
        QVERIFY(a.createArchive(path(QStringLiteral("a.zvxd"))));
        QVERIFY(a.addFiles({QStringLiteral("Dir/a.txt"), QStringLiteral("Dir/b.bin")}));
    }
    const QByteArray file = readFile(path(QStringLiteral("a.zvxd")));
    const qsizetype t = file.size() - 36;
    QCOMPARE(get32(file, t + 0), crcOf(file.left(t)));
    QCOMPARE(get32(file, t + 4), 2u);
    QCOMPARE(get32(file, t + 8), 1u);
    const quint32 registrySize = get32(file, t + 12);
    const quint32 registryOffset = get32(file, t + 16);
    QCOMPARE(get32(file, t + 20), 1u);
    QCOMPARE(file.mid(t + 24, 12), QByteArray(12, '\0'));
    QCOMPARE(qsizetype(registryOffset + registrySize), t);

    const QByteArray registry = inflateAll(file.mid(registryOffset, registrySize), 2 * 532);
    QCOMPARE(registry.size(), 2 * 532);
    const QByteArray first = registry.left(532);
    QCOMPARE(first.left(256), QByteArray("\x05" "a.txt") + QByteArray(250, '\0'));
    QCOMPARE(first.mid(256, 256), QByteArray("\x04" "Dir\\") + QByteArray(251, '\0'));
    QCOMPARE(get32(first, 512), quint32(text.size()));
    const quint32 firstStored = get32(first, 516);
    QCOMPARE(get32(first, 520), 0u);
    QCOMPARE(get32(first, 524), crcOf(text));
    QCOMPARE(first.mid(528, 4), QByteArray("\x00\x02\x00\x00", 4));
    QCOMPARE(inflateAll(file.left(firstStored), text.size()), text);

    const QByteArray second = registry.mid(532);
    QCOMPARE(get32(second, 512), 300u);
    QCOMPARE(get32(second, 516), 300u);
    QCOMPARE(get32(second, 520), firstStored);
    QCOMPARE(second.mid(528, 4), QByteArray("\x01\x00\x00\x00", 4));
    QCOMPARE(file.mid(firstStored, 300), noise);
    QCOMPARE(registryOffset, firstStored + 300);
}

void TestZlbArchive::readsHandMadeArchive_data()
{
    QTest::addColumn<bool>("compressedRegistry");
    QTest::newRow("registry as zlib stream") << true;
    QTest::newRow("registry raw") << false;
}

void TestZlbArchive::readsHandMadeArchive()
{
    QFETCH(bool, compressedRegistry);
    HandEntry packed{QStringLiteral("żółć.ini"), QStringLiteral("Gfx\\Pora dnia\\Świt\\"), textBytes(2000)};
    packed.compress = true;
    const HandEntry stored{QStringLiteral("Osoby.ini"), QString(), QByteArrayLiteral("[Osoby]\r\n")};
    QVERIFY(writeFile(path(QStringLiteral("r.zvxd")), buildArchive({packed, stored}, compressedRegistry)));

    ZlbArchive a;
    a.setCheckCrc(true);
    a.setExtractWithPaths(true);
    QVERIFY2(a.openArchive(path(QStringLiteral("r.zvxd"))), qPrintable(a.errorString()));
    QCOMPARE(a.entryCount(), 2);
    QCOMPARE(a.entry(0)->fullName(), QStringLiteral("Gfx\\Pora dnia\\Świt\\żółć.ini"));
    QCOMPARE(a.entry(1)->fullName(), QStringLiteral("Osoby.ini"));
    QVERIFY(a.extractAll(path(QStringLiteral("out"))));
    QCOMPARE(readFile(path(QStringLiteral("out/Gfx/Pora dnia/Świt/żółć.ini"))), packed.content);
    QCOMPARE(readFile(path(QStringLiteral("out/Osoby.ini"))), stored.content);
}

void TestZlbArchive::emptyArchive()
{
    const QString file = path(QStringLiteral("pusta.zvx"));
    ZlbArchive a;
    QVERIFY(a.createArchive(file));
    QVERIFY(a.isOpen());
    QCOMPARE(a.entryCount(), 0);
    a.closeArchive();

    // The file exists at once and is a complete archive.
    ZlbArchive b;
    QVERIFY2(b.openArchive(file), qPrintable(b.errorString()));
    QCOMPARE(b.entryCount(), 0);
    QVERIFY(b.extractAll(path(QStringLiteral("out"))));
    QCOMPARE(filesBelow(path(QStringLiteral("out"))), QStringList());

    const QByteArray before = readFile(file);
    ZlbArchive c;
    QVERIFY(!c.createArchive(file));
    QCOMPARE(c.error(), Error::FileExists);
    QCOMPARE(c.errorString(), QStringLiteral("File already exists"));
    QCOMPARE(readFile(file), before);
}

void TestZlbArchive::savedFolderPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("saved");

    QTest::newRow("relative") << QStringLiteral("Gfx/Pogoda") << QStringLiteral("Gfx\\Pogoda\\");
    QTest::newRow("absolute loses its root") << QStringLiteral("/home/ola/Dodatki") << QStringLiteral("home\\ola\\Dodatki\\");
    QTest::newRow("drive removed") << QStringLiteral("C:\\Gfx\\Zodiak\\") << QStringLiteral("Gfx\\Zodiak\\");
    QTest::newRow("current folder") << QStringLiteral(".") << QString();
    QTest::newRow("dots folded") << QStringLiteral("a/./b/../c") << QStringLiteral("a\\c\\");
    QTest::newRow("never climbs") << QStringLiteral("../../x") << QStringLiteral("x\\");
    QTest::newRow("doubled separators") << QStringLiteral("a//b\\\\c") << QStringLiteral("a\\b\\c\\");
}

void TestZlbArchive::savedFolderPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, saved);
    QCOMPARE(zorvex::savedFolderPath(folder), saved);
}

void TestZlbArchive::foldersInTheList_data()
{
    QTest::addColumn<bool>("recurse");
    QTest::addColumn<bool>("savePaths");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("folders dropped") << false << true << QStringList{QStringLiteral("luźny.txt")};
    QTest::newRow("own files only without paths")
        << true << false << QStringList{QStringLiteral("a.txt"), QStringLiteral("luźny.txt")};
    QTest::newRow("whole tree with paths")
        << true << true
        << QStringList{QStringLiteral("dodatek\\a.txt"), QStringLiteral("dodatek\\Śnieg\\b.txt"),
                       QStringLiteral("dodatek\\Śnieg\\głęboko\\c.txt"), QStringLiteral("luźny.txt")};
}

void TestZlbArchive::foldersInTheList()
{
    QFETCH(bool, recurse);
    QFETCH(bool, savePaths);
    QFETCH(QStringList, names);

    QVERIFY(writeFile(path(QStringLiteral("src/dodatek/a.txt")), "a"));
    QVERIFY(writeFile(path(QStringLiteral("src/dodatek/Śnieg/b.txt")), "b"));
    QVERIFY(writeFile(path(QStringLiteral("src/dodatek/Śnieg/głęboko/c.txt")), "c"));
    QVERIFY(writeFile(path(QStringLiteral("src/luźny.txt")), "l"));
    // A link back up must not send the walk round for ever.
    QVERIFY(QFile::link(QStringLiteral(".."), path(QStringLiteral("src/dodatek/Śnieg/pętla"))));

    const CurrentDir cd(path(QStringLiteral("src")));
    ZlbArchive a;
    a.setRecurse(recurse);
    a.setSavePaths(savePaths);
    // Inside the folder being added, where it must not pack itself.
    QVERIFY(a.createArchive(path(QStringLiteral("src/dodatek/a.zvxd"))));
    QVERIFY(a.addFiles({QStringLiteral("dodatek"), QStringLiteral("luźny.txt")}));
    QStringList got;
    for (const ZlbEntry& e : a.entries())
        got.append(e.fullName());
    got.sort();
    QCOMPARE(got, names);
}

void TestZlbArchive::largeFilesGoThroughTemporaryFile()
{
    // Both above the in-memory limit: one shrinks, one cannot.
    const QByteArray text = textBytes(21 * 1024 * 1024, 5);
    const QByteArray noise = randomBytes(21 * 1024 * 1024, 6);
    QVERIFY(writeFile(path(QStringLiteral("src/duży.txt")), text));
    QVERIFY(writeFile(path(QStringLiteral("src/szum.bin")), noise));

    QDir().mkpath(path(QStringLiteral("arch")));
    ZlbArchive a;
    a.setCheckCrc(true);
    QVERIFY(a.createArchive(path(QStringLiteral("arch/duże.zvxd"))));
    QVERIFY2(a.addFiles({path(QStringLiteral("src/duży.txt")), path(QStringLiteral("src/szum.bin"))}),
             qPrintable(a.errorString()));
    QCOMPARE(filesBelow(path(QStringLiteral("arch"))), QStringList{QStringLiteral("duże.zvxd")});

    const ZlbEntry packed = *a.entry(0);
    QVERIFY(!packed.raw);
    QVERIFY(packed.storedSize < packed.originalSize);
    const ZlbEntry stored = *a.entry(1);
    QVERIFY(stored.raw);
    QCOMPARE(qsizetype(stored.storedSize), noise.size());
    QCOMPARE(stored.offset, packed.storedSize);

    QVERIFY(a.extractAll(path(QStringLiteral("out"))));
    QCOMPARE(readFile(path(QStringLiteral("out/duży.txt"))), text);
    QCOMPARE(readFile(path(QStringLiteral("out/szum.bin"))), noise);
}

// ------------------------------------------------------------ damage

void TestZlbArchive::anyChangedByteBeforeTrailerIsCorrupt()
{
    const QByteArray good = smallArchive();
    QVERIFY(!good.isEmpty());
    const QString file = path(QStringLiteral("zmieniony.zvxd"));
    for (qsizetype i = 0; i < good.size() - 36; ++i) {
        QByteArray bad = good;
        bad[i] = char(bad[i] ^ 0x20);
        QVERIFY(writeFile(file, bad));
        ZlbArchive a;
        QVERIFY2(!a.openArchive(file), qPrintable(QString::number(i)));
        QCOMPARE(a.error(), Error::Corrupt);
        QCOMPARE(a.errorString(), corruptText());
        QVERIFY(!a.isOpen());
    }
}

void TestZlbArchive::damagedTrailerFields_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<qint64>("delta");
    QTest::addColumn<int>("error");

    const int corrupt = int(Error::Corrupt);
    const int unreadable = int(Error::RegistryUnreadable);
    QTest::newRow("crc") << 0 << qint64(1) << corrupt;
    QTest::newRow("one entry more") << 4 << qint64(1) << unreadable;
    QTest::newRow("one entry less") << 4 << qint64(-1) << unreadable;
    QTest::newRow("absurd count") << 4 << qint64(0x7FFFFFF0) << corrupt;
    QTest::newRow("format mark") << 8 << qint64(1) << corrupt;
    QTest::newRow("registry size +1") << 12 << qint64(1) << corrupt;
    QTest::newRow("registry size -1") << 12 << qint64(-1) << corrupt;
    QTest::newRow("registry size huge") << 12 << qint64(0x7FFFFFF0) << corrupt;
    QTest::newRow("registry offset -1") << 16 << qint64(-1) << corrupt;
    QTest::newRow("registry offset huge") << 16 << qint64(0x7FFFFFF0) << corrupt;
    QTest::newRow("registry said raw") << 20 << qint64(-1) << corrupt;
    QTest::newRow("registry flag 2") << 20 << qint64(1) << corrupt;
}

void TestZlbArchive::damagedTrailerFields()
{
    QFETCH(int, field);
    QFETCH(qint64, delta);
    QFETCH(int, error);

    QByteArray bytes = smallArchive();
    QVERIFY(!bytes.isEmpty());
    const qsizetype at = bytes.size() - 36 + field;
    put32(bytes, at, quint32(get32(bytes, at) + delta));
    QVERIFY(writeFile(path(QStringLiteral("t.zvxd")), bytes));

    ZlbArchive a;
    QVERIFY(!a.openArchive(path(QStringLiteral("t.zvxd"))));
    QCOMPARE(int(a.error()), error);
    QVERIFY(!a.isOpen());
}

namespace {

// A registry of empty entries costs the file almost nothing (they compress
// a thousandfold), so only a limit on the count keeps them out of memory.
QByteArray emptyEntriesArchive(qint64 count)
{
    const QByteArray registry(count * 532, '\0');
    const QByteArray stored = zlibStream(registry);
    QByteArray trailer(36, '\0');
    put32(trailer, 0, crcOf(stored));
    put32(trailer, 4, quint32(count));
    put32(trailer, 8, 1);
    put32(trailer, 12, quint32(stored.size()));
    put32(trailer, 16, 0);
    put32(trailer, 20, 1);
    return stored + trailer;
}

} // namespace

void TestZlbArchive::entryCountIsBounded_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<bool>("opens");
    QTest::newRow("at the limit") << qint64(65536) << true;
    QTest::newRow("one beyond") << qint64(65537) << false;
}

void TestZlbArchive::entryCountIsBounded()
{
    QFETCH(qint64, count);
    QFETCH(bool, opens);
    QVERIFY(writeFile(path(QStringLiteral("puste.zvxd")), emptyEntriesArchive(count)));
    ZlbArchive a;
    QCOMPARE(a.openArchive(path(QStringLiteral("puste.zvxd"))), opens);
    if (opens) {
        QCOMPARE(qint64(a.entryCount()), count);
    } else {
        QCOMPARE(a.error(), Error::Corrupt);
        QCOMPARE(a.errorString(), corruptText());
        QCOMPARE(a.entries().size(), size_t(0));
    }
}

void TestZlbArchive::addRefusesMoreEntriesThanCanBeRead()
{
    // The same empty file over and over: each is reported and added again.
    QVERIFY(writeFile(path(QStringLiteral("src/pusty.txt")), {}));
    QVERIFY(writeFile(path(QStringLiteral("src/drugi.txt")), "x"));
    const QString archive = path(QStringLiteral("duże.zvxd"));
    ZlbArchive a;
    QVERIFY(a.createArchive(archive));
    QVERIFY(a.addFiles({path(QStringLiteral("src/drugi.txt"))}));
    QVERIFY(a.addFiles(QStringList(65535, path(QStringLiteral("src/pusty.txt")))));
    QCOMPARE(a.entryCount(), 65536);
    const QByteArray full = readFile(archive);
    QVERIFY(!a.addFiles({path(QStringLiteral("src/pusty.txt"))}));
    QCOMPARE(a.error(), Error::TooLarge);
    QCOMPARE(a.errorString(), QStringLiteral("Archiwum nie może zawierać więcej niż 65536 plików: ") + archive);
    QCOMPARE(readFile(archive), full);
}

void TestZlbArchive::truncatedFile_data()
{
    QTest::addColumn<int>("keep"); // bytes kept; negative: all but that many; 0x7FFF: half
    QTest::newRow("empty file") << 0;
    QTest::newRow("one byte") << 1;
    QTest::newRow("shorter than a trailer") << 35;
    QTest::newRow("just a trailer's length") << 36;
    QTest::newRow("half") << 0x7FFF;
    QTest::newRow("last byte missing") << -1;
    QTest::newRow("trailer missing") << -36;
}

void TestZlbArchive::truncatedFile()
{
    QFETCH(int, keep);
    const QByteArray good = smallArchive();
    QVERIFY(good.size() > 2 * 36);
    const qsizetype length = keep == 0x7FFF ? good.size() / 2 : keep >= 0 ? keep : good.size() + keep;
    QVERIFY(writeFile(path(QStringLiteral("krótki.zvxd")), good.left(length)));

    ZlbArchive a;
    QVERIFY(!a.openArchive(path(QStringLiteral("krótki.zvxd"))));
    QCOMPARE(a.error(), Error::Corrupt);
    QCOMPARE(a.errorString(), corruptText());
}

void TestZlbArchive::registryPointingOutside_data()
{
    QTest::addColumn<int>("damage");
    QTest::addColumn<int>("error");

    QTest::newRow("block offset beyond the data") << 0 << int(Error::Corrupt);
    QTest::newRow("stored size beyond the data") << 1 << int(Error::Corrupt);
    QTest::newRow("raw block shorter than the file") << 2 << int(Error::Corrupt);
    QTest::newRow("raw flag neither 0 nor 1") << 3 << int(Error::Corrupt);
    QTest::newRow("registry not a zlib stream") << 4 << int(Error::RegistryUnreadable);
}

void TestZlbArchive::registryPointingOutside()
{
    QFETCH(int, damage);
    QFETCH(int, error);

    HandEntry first{QStringLiteral("a.txt"), QString(), textBytes(500)};
    HandEntry second{QStringLiteral("b.txt"), QString(), QByteArrayLiteral("zawartość")};
    switch (damage) {
    case 0: second.offset = 0xFFFFFF00u; break;
    case 1: second.storedSize = 0xFFFFFFFFu; break;
    case 2: second.originalSize = quint32(second.content.size() + 10); break;
    case 3: second.rawFlag = 7; break;
    default: break;
    }
    QByteArray bytes = buildArchive({first, second}, damage != 4);
    if (damage == 4)
        put32(bytes, bytes.size() - 36 + 20, 1); // raw entries announced as a stream
    QVERIFY(writeFile(path(QStringLiteral("z.zvxd")), bytes));

    ZlbArchive a;
    QVERIFY(!a.openArchive(path(QStringLiteral("z.zvxd"))));
    QCOMPARE(int(a.error()), error);
    QVERIFY(!a.isOpen());
}

void TestZlbArchive::damagedEntry_data()
{
    QTest::addColumn<int>("damage");
    QTest::addColumn<bool>("checkCrc");
    QTest::addColumn<QString>("fileError");   // empty: extraction succeeds
    QTest::addColumn<QString>("streamError"); // empty: extraction succeeds

    const QString broken = QStringLiteral("Plik (1) jest uszkodzony");
    const QString badCrc = QStringLiteral("Plik (1) jest uszkodzony (CRC)");
    QTest::newRow("wrong CRC, checked") << 0 << true << broken << badCrc;
    QTest::newRow("wrong CRC, not checked") << 0 << false << QString() << QString();
    QTest::newRow("broken stream") << 1 << false << broken << broken;
    QTest::newRow("stream shorter than its size") << 2 << true << broken << broken;
    QTest::newRow("absurd size, tiny stream") << 3 << true << broken << broken;
}

void TestZlbArchive::damagedEntry()
{
    QFETCH(int, damage);
    QFETCH(bool, checkCrc);
    QFETCH(QString, fileError);
    QFETCH(QString, streamError);

    HandEntry good{QStringLiteral("dobry.txt"), QString(), textBytes(800, 1)};
    good.compress = true;
    HandEntry bad{QStringLiteral("zły.txt"), QString(), textBytes(3000, 2)};
    bad.compress = true;
    switch (damage) {
    case 0: bad.crc = crcOf(bad.content) ^ 1; break;
    case 1: bad.damageBlock = [](QByteArray& b) { for (qsizetype i = 10; i < 40; ++i) b[i] = char(0xAA); }; break;
    case 2: bad.originalSize = quint32(bad.content.size() + 1); break;
    case 3: bad.originalSize = 0xFFFFFFF0u; break;
    }
    // Valid as a whole: only the entry is wrong.
    QVERIFY(writeFile(path(QStringLiteral("e.zvxd")), buildArchive({good, bad})));
    const QString out = path(QStringLiteral("out"));
    QVERIFY(writeFile(out + QStringLiteral("/zły.txt"), "stara wersja"));

    ZlbArchive a;
    a.setCheckCrc(checkCrc);
    QVERIFY(a.openArchive(path(QStringLiteral("e.zvxd"))));
    QByteArray data;
    QCOMPARE(a.extractToStream(1, &data), streamError.isEmpty());
    QCOMPARE(a.errorString(), streamError);
    QCOMPARE(a.extractAll(out), fileError.isEmpty());
    QCOMPARE(a.errorString(), fileError);
    QCOMPARE(readFile(out + QStringLiteral("/dobry.txt")), good.content);
    if (!fileError.isEmpty()) {
        // The file it would have replaced is still whole, and no half-written
        // one is left beside it.
        QCOMPARE(a.error(), Error::EntryCorrupt);
        QCOMPARE(readFile(out + QStringLiteral("/zły.txt")), QByteArray("stara wersja"));
        QCOMPARE(filesBelow(out), (QStringList{QStringLiteral("dobry.txt"), QStringLiteral("zły.txt")}));
    }
}

void TestZlbArchive::unsafePathsAreRefused_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("why");
    QTest::addColumn<bool>("folderOnly"); // harmless when folders are not used

    const QString climbs = QStringLiteral("wychodzi poza folder docelowy");
    const QString drive = QStringLiteral("zawiera dysk (\":\")");
    QTest::newRow("climbs") << QStringLiteral("..\\..\\") << QStringLiteral("zły.txt") << climbs << true;
    QTest::newRow("climbs from inside") << QStringLiteral("ok\\..\\..\\..\\") << QStringLiteral("zły.txt") << climbs
                                        << true;
    QTest::newRow("climbs with slashes") << QStringLiteral("../../") << QStringLiteral("zły.txt") << climbs << true;
    QTest::newRow("climbs after the root") << QStringLiteral("\\..\\") << QStringLiteral("zły.txt") << climbs << true;
    QTest::newRow("drive") << QStringLiteral("C:\\Windows\\") << QStringLiteral("zły.txt") << drive << true;
    QTest::newRow("drive-relative") << QStringLiteral("C:zły\\") << QStringLiteral("zły.txt") << drive << true;
    QTest::newRow("NUL cuts the path") << QStringLiteral("..") + QChar(0) + QStringLiteral("x\\")
                                       << QStringLiteral("zły.txt") << QStringLiteral("zawiera znaki sterujące")
                                       << true;
    QTest::newRow("name is ..") << QString() << QStringLiteral("..") << climbs << false;
    QTest::newRow("name climbs") << QString() << QStringLiteral("..\\..\\zły.txt") << climbs << false;
    QTest::newRow("name climbs with slashes") << QString() << QStringLiteral("../../zły.txt") << climbs << false;
    QTest::newRow("name holds a folder") << QString() << QStringLiteral("tmp/zły.txt")
                                         << QStringLiteral("nazwa pliku zawiera folder") << false;
    QTest::newRow("name with a newline") << QString() << QStringLiteral("zły\n.txt")
                                         << QStringLiteral("zawiera znaki sterujące") << false;
    QTest::newRow("empty name") << QStringLiteral("ok\\") << QString() << QStringLiteral("brak nazwy pliku") << false;
}

void TestZlbArchive::unsafePathsAreRefused()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, why);
    QFETCH(bool, folderOnly);

    const HandEntry good{QStringLiteral("dobry.txt"), QStringLiteral("ok\\"), QByteArrayLiteral("dobry")};
    const HandEntry bad{name, folder, QByteArrayLiteral("zły")};
    QVERIFY(writeFile(path(QStringLiteral("a/b/c/z.zvxd")), buildArchive({good, bad})));
    const QString dest = path(QStringLiteral("a/b/c/cel"));
    // The message names the entry (control characters shown as "?") and
    // says why, unlike the damage message.
    QString shown = folder + name;
    for (QChar& c : shown) {
        if (c.unicode() < 0x20)
            c = QLatin1Char('?');
    }
    const QString message = QStringLiteral("Plik (1) \"%1\" ma niebezpieczną nazwę: %2").arg(shown, why);

    for (const bool withPaths : {true, false}) {
        ZlbArchive a;
        a.setExtractWithPaths(withPaths);
        QVERIFY(a.openArchive(path(QStringLiteral("a/b/c/z.zvxd"))));
        const QString inOk = withPaths ? QStringLiteral("ok/") : QString();
        if (folderOnly && !withPaths) {
            // The folder is not used, so it cannot lead anywhere.
            QVERIFY2(a.extractAll(dest), qPrintable(a.errorString()));
            QCOMPARE(filesBelow(dest), (QStringList{QStringLiteral("dobry.txt"), QStringLiteral("zły.txt")}));
            QVERIFY(QDir(dest).removeRecursively());
            continue;
        }
        QVERIFY(!a.extractAll(dest));
        QCOMPARE(a.error(), Error::UnsafePath);
        QCOMPARE(a.errorString(), message);
        // Nothing at all was written, not even the harmless entry.
        QCOMPARE(filesBelow(m_dir->path()), QStringList{QStringLiteral("a/b/c/z.zvxd")});

        // Leaving the bad entry out lets the rest through.
        QVERIFY2(a.extractAll(dest, {bad.folder + bad.name}), qPrintable(a.errorString()));
        QCOMPARE(filesBelow(m_dir->path()),
                 (QStringList{QStringLiteral("a/b/c/cel/") + inOk + QStringLiteral("dobry.txt"),
                              QStringLiteral("a/b/c/z.zvxd")}));
        QVERIFY(QDir(dest).removeRecursively());
    }
}

void TestZlbArchive::leadingSeparatorsAreDropped_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("withPaths");
    QTest::addColumn<QString>("lands");

    // Old archives made from a drive path kept the root of the path.
    QTest::newRow("backslash, with paths") << QStringLiteral("\\Gfx\\Zodiak\\") << true
                                           << QStringLiteral("Gfx/Zodiak/baran.png");
    QTest::newRow("doubled, with paths") << QStringLiteral("\\\\Gfx\\") << true << QStringLiteral("Gfx/baran.png");
    QTest::newRow("slash, with paths") << QStringLiteral("/tmp/zły/") << true << QStringLiteral("tmp/zły/baran.png");
    QTest::newRow("backslash, without paths") << QStringLiteral("\\Gfx\\Zodiak\\") << false
                                              << QStringLiteral("baran.png");
}

void TestZlbArchive::leadingSeparatorsAreDropped()
{
    QFETCH(QString, folder);
    QFETCH(bool, withPaths);
    QFETCH(QString, lands);

    const HandEntry old{QStringLiteral("baran.png"), folder, QByteArrayLiteral("obrazek")};
    const HandEntry plain{QStringLiteral("Wersja.ini"), QString(), QByteArrayLiteral("1.0")};
    QVERIFY(writeFile(path(QStringLiteral("stare.zvxd")), buildArchive({old, plain})));
    ZlbArchive a;
    a.setCheckCrc(true);
    a.setExtractWithPaths(withPaths);
    QVERIFY(a.openArchive(path(QStringLiteral("stare.zvxd"))));
    const QString dest = path(QStringLiteral("cel"));
    QVERIFY2(a.extractAll(dest), qPrintable(a.errorString()));
    QStringList expected{lands, QStringLiteral("Wersja.ini")};
    expected.sort();
    QCOMPARE(filesBelow(dest), expected);
    QCOMPARE(readFile(dest + QLatin1Char('/') + lands), old.content);
}

// ------------------------------------------------------------ updating

void TestZlbArchive::addingKeepsOldBlocks()
{
    const QByteArray one = textBytes(5000, 1);
    const QByteArray two = randomBytes(3000, 2);
    const QByteArray three = textBytes(7000, 3);
    QVERIFY(writeFile(path(QStringLiteral("src/jeden.txt")), one));
    QVERIFY(writeFile(path(QStringLiteral("src/dwa.bin")), two));
    QVERIFY(writeFile(path(QStringLiteral("src/trzy.txt")), three));
    QVERIFY(writeFile(path(QStringLiteral("src/inny/JEDEN.TXT")), "inny"));

    const QString file = path(QStringLiteral("a.zvxd"));
    {
        ZlbArchive a;
        QVERIFY(a.createArchive(file));
        QVERIFY(a.addFiles({path(QStringLiteral("src/jeden.txt")), path(QStringLiteral("src/dwa.bin"))}));
    }
    const QByteArray before = readFile(file);
    const quint32 oldRegistryOffset = get32(before, before.size() - 36 + 16);

    ZlbArchive a;
    a.setCheckCrc(true);
    QVERIFY(a.openArchive(file));
    const std::vector<ZlbEntry> old = a.entries();
    QStringList problems;
    a.setErrorHandler([&](const QString& m) { problems.append(m); });
    QVERIFY(a.addFiles({path(QStringLiteral("src/trzy.txt")), path(QStringLiteral("src/inny/JEDEN.TXT"))}));
    // Same name in another letter case: reported, and stored all the same.
    QCOMPARE(problems, QStringList{QStringLiteral("JEDEN.TXT already exists in the archive")});

    const QByteArray after = readFile(file);
    QCOMPARE(after.left(oldRegistryOffset), before.left(oldRegistryOffset));
    QCOMPARE(a.entryCount(), 4);
    for (size_t i = 0; i < old.size(); ++i) {
        QCOMPARE(a.entries()[i].offset, old[i].offset);
        QCOMPARE(a.entries()[i].storedSize, old[i].storedSize);
        QCOMPARE(a.entries()[i].crc, old[i].crc);
        QCOMPARE(a.entries()[i].fullName(), old[i].fullName());
    }
    QCOMPARE(a.entries()[2].offset, oldRegistryOffset);
    QCOMPARE(a.findEntry(QStringLiteral("jeden.txt")), 0);

    const QList<QByteArray> contents{one, two, three, QByteArrayLiteral("inny")};
    for (int i = 0; i < 4; ++i) {
        QByteArray data;
        QVERIFY(a.extractToStream(i, &data));
        QCOMPARE(data, contents[i]);
    }
}

void TestZlbArchive::failedAddKeepsOldArchive()
{
    QVERIFY(writeFile(path(QStringLiteral("src/a.txt")), textBytes(2000)));
    QVERIFY(writeFile(path(QStringLiteral("src/b.txt")), textBytes(2000, 9)));
    QDir().mkpath(path(QStringLiteral("arch")));
    const QString file = path(QStringLiteral("arch/a.zvxd"));
    ZlbArchive a;
    QVERIFY(a.createArchive(file));
    QVERIFY(a.addFiles({path(QStringLiteral("src/a.txt"))}));

    // Changed on disk since it was opened: building on it would carry the
    // damage into the new archive under a fresh CRC.
    QByteArray changed = readFile(file);
    changed[5] = char(changed[5] ^ 1);
    QVERIFY(writeFile(file, changed));
    QVERIFY(!a.addFiles({path(QStringLiteral("src/b.txt"))}));
    QCOMPARE(a.error(), Error::Corrupt);
    QCOMPARE(readFile(file), changed);
    QCOMPARE(filesBelow(path(QStringLiteral("arch"))), QStringList{QStringLiteral("a.zvxd")});
}

void TestZlbArchive::addSkipsWhatItCannotStore_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("create");
    QTest::addColumn<QString>("message"); // %1: the path

    QTest::newRow("missing file") << QStringLiteral("brak.txt") << false << QStringLiteral("Unable to open file (%1)");
    QTest::newRow("name outside Windows-1250") << QStringLiteral("日本.txt") << true
                                               << QStringLiteral("Nazwy pliku nie da się zapisać w archiwum: %1");
    QTest::newRow("backslash in the name") << QStringLiteral("a\\b.txt") << true
                                           << QStringLiteral("Nazwy pliku nie da się zapisać w archiwum: %1");
    QTest::newRow("folder over 255 characters")
        << QString(100, QLatin1Char('d')) + QLatin1Char('/') + QString(100, QLatin1Char('e')) + QLatin1Char('/')
            + QString(60, QLatin1Char('f')) + QStringLiteral("/x.txt")
        << true << QStringLiteral("Nazwy pliku nie da się zapisać w archiwum: %1");
}

void TestZlbArchive::addSkipsWhatItCannotStore()
{
    QFETCH(QString, name);
    QFETCH(bool, create);
    QFETCH(QString, message);

    QVERIFY(writeFile(path(QStringLiteral("src/dobry.txt")), "dobry"));
    const QString badPath = path(QStringLiteral("src/") + name);
    if (create)
        QVERIFY(writeFile(badPath, "zły"));

    ZlbArchive a;
    a.setSavePaths(true);
    QStringList problems;
    a.setErrorHandler([&](const QString& m) { problems.append(m); });
    QVERIFY(a.createArchive(path(QStringLiteral("a.zvxd"))));
    QVERIFY(a.addFiles({badPath, path(QStringLiteral("src/dobry.txt"))}));
    QCOMPARE(problems, QStringList{message.arg(badPath)});
    QCOMPARE(a.entryCount(), 1);
    QCOMPARE(a.entry(0)->fileName, QStringLiteral("dobry.txt"));
}

void TestZlbArchive::findEntryIgnoresCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");

    QTest::newRow("exact") << QStringLiteral("Gfx\\Pogoda\\Śnieg\\ćma.png") << 0;
    QTest::newRow("Polish letters in other case") << QStringLiteral("GFX\\POGODA\\śNIEG\\ĆMA.PNG") << 0;
    QTest::newRow("slashes") << QStringLiteral("gfx/pogoda/śnieg/ćma.png") << 0;
    QTest::newRow("with a drive") << QStringLiteral("C:\\Gfx\\Pogoda\\Śnieg\\ćma.png") << 0;
    QTest::newRow("root entry") << QStringLiteral("osoby.INI") << 1;
    QTest::newRow("wrong folder") << QStringLiteral("Gfx\\Pogoda\\ćma.png") << -1;
    QTest::newRow("file name only") << QStringLiteral("ćma.png") << -1;
    QTest::newRow("letters without marks") << QStringLiteral("Gfx\\Pogoda\\Snieg\\cma.png") << -1;
}

void TestZlbArchive::findEntryIgnoresCase()
{
    QFETCH(QString, name);
    QFETCH(int, index);

    const HandEntry picture{QStringLiteral("ćma.png"), QStringLiteral("Gfx\\Pogoda\\Śnieg\\"), QByteArrayLiteral("png")};
    const HandEntry persons{QStringLiteral("Osoby.ini"), QString(), QByteArrayLiteral("[Osoby]")};
    QVERIFY(writeFile(path(QStringLiteral("f.zvxd")), buildArchive({picture, persons})));
    ZlbArchive a;
    QVERIFY(a.openArchive(path(QStringLiteral("f.zvxd"))));
    QCOMPARE(a.findEntry(name), index);

    QByteArray data;
    QCOMPARE(a.extractToStream(name, &data), index >= 0);
    if (index >= 0)
        QCOMPARE(data, index == 0 ? picture.content : persons.content);
    else
        QCOMPARE(a.errorString(), QStringLiteral("File not found in archive"));
}

void TestZlbArchive::operationErrors()
{
    const QString notOpen = QStringLiteral("No archive is currently open");
    ZlbArchive a;
    QByteArray data;
    const QList<std::pair<const char*, std::function<bool()>>> operations{
        {"entryCount", [&] { return a.entryCount() != 0; }},
        {"entry", [&] { return a.entry(0).has_value(); }},
        {"findEntry", [&] { return a.findEntry(QStringLiteral("x")) >= 0; }},
        {"addFiles", [&] { return a.addFiles({}); }},
        {"extractAll", [&] { return a.extractAll(path(QStringLiteral("out"))); }},
        {"extractToStream(index)", [&] { return a.extractToStream(0, &data); }},
        {"extractToStream(name)", [&] { return a.extractToStream(QStringLiteral("x"), &data); }},
        {"testEntry", [&] { return a.testEntry(0); }},
    };
    for (const auto& [what, run] : operations) {
        QVERIFY2(!run(), what);
        QCOMPARE(a.error(), Error::NotOpen);
        QCOMPARE(a.errorString(), notOpen);
    }

    QVERIFY(!a.openArchive(path(QStringLiteral("nie ma.zvxd"))));
    QCOMPARE(a.errorString(), QStringLiteral("Archive file not found"));
    QVERIFY(!a.openArchive(m_dir->path()));
    QCOMPARE(a.error(), Error::ArchiveNotFound);

    QVERIFY(writeFile(path(QStringLiteral("ok.zvxd")), buildArchive({{QStringLiteral("a"), {}, "a"}})));
    QVERIFY(a.openArchive(path(QStringLiteral("ok.zvxd"))));
    for (const int index : {-1, 1}) {
        QVERIFY(!a.entry(index));
        QCOMPARE(a.errorString(), QStringLiteral("Archive - Index out of bounds"));
        QVERIFY(!a.extractToStream(index, &data));
        QCOMPARE(a.error(), Error::IndexOutOfBounds);
    }

    // A failed open leaves nothing of the archive open before it.
    QVERIFY(writeFile(path(QStringLiteral("zły.zvxd")), "to nie jest archiwum, choć ma ponad 36 bajtów"));
    QVERIFY(!a.openArchive(path(QStringLiteral("zły.zvxd"))));
    QVERIFY(!a.isOpen());
    QCOMPARE(a.entryCount(), 0);
    QCOMPARE(a.error(), Error::NotOpen);

    // A destination that cannot be a folder.
    QVERIFY(writeFile(path(QStringLiteral("plik")), "x"));
    ZlbArchive b;
    b.setExtractWithPaths(true);
    QVERIFY(writeFile(path(QStringLiteral("p.zvxd")), buildArchive({{QStringLiteral("a"), QStringLiteral("d\\"), "a"}})));
    QVERIFY(b.openArchive(path(QStringLiteral("p.zvxd"))));
    QVERIFY(!b.extractAll(path(QStringLiteral("plik"))));
    QCOMPARE(b.errorString(), QStringLiteral("Unable to create destination path"));
}

void TestZlbArchive::replaceQuestion_data()
{
    QTest::addColumn<int>("handler"); // 0 none, 1 replace, 2 skip
    QTest::addColumn<bool>("replaced");
    QTest::newRow("no handler overwrites") << 0 << true;
    QTest::newRow("answered replace") << 1 << true;
    QTest::newRow("answered skip") << 2 << false;
}

void TestZlbArchive::replaceQuestion()
{
    QFETCH(int, handler);
    QFETCH(bool, replaced);

    const HandEntry present{QStringLiteral("Osoby.ini"), QString(), QByteArrayLiteral("nowe")};
    const HandEntry absent{QStringLiteral("Nowy.ini"), QString(), QByteArrayLiteral("nowy")};
    QVERIFY(writeFile(path(QStringLiteral("r.zvx")), buildArchive({present, absent})));
    const QString out = path(QStringLiteral("out"));
    QVERIFY(writeFile(out + QStringLiteral("/Osoby.ini"), "stare"));

    ZlbArchive a;
    QStringList asked;
    QStringList extracted;
    if (handler > 0) {
        a.setReplaceHandler([&](const QString& p) {
            asked.append(p);
            return handler == 1 ? ZlbArchive::ReplaceAnswer::Replace : ZlbArchive::ReplaceAnswer::Skip;
        });
    }
    a.setExtractedHandler([&](const QString& p) { extracted.append(QFileInfo(p).fileName()); });
    QVERIFY(a.openArchive(path(QStringLiteral("r.zvx"))));
    QVERIFY(a.extractAll(out));

    QCOMPARE(asked, handler > 0 ? QStringList{out + QStringLiteral("/Osoby.ini")} : QStringList());
    QCOMPARE(readFile(out + QStringLiteral("/Osoby.ini")), replaced ? QByteArray("nowe") : QByteArray("stare"));
    QCOMPARE(readFile(out + QStringLiteral("/Nowy.ini")), QByteArray("nowy"));
    QCOMPARE(extracted, replaced ? (QStringList{QStringLiteral("Osoby.ini"), QStringLiteral("Nowy.ini")})
                                 : QStringList{QStringLiteral("Nowy.ini")});
}

void TestZlbArchive::events()
{
    QVERIFY(writeFile(path(QStringLiteral("src/a.txt")), textBytes(100000)));
    QVERIFY(writeFile(path(QStringLiteral("src/b.bin")), randomBytes(50000, 4)));

    ZlbArchive a;
    QList<std::pair<QString, int>> progress;
    QStringList opened;
    a.setProgressHandler([&](const QString& what, int percent) { progress.append({what, percent}); });
    a.setOpenedHandler([&](const QString& p) { opened.append(p); });

    const QString file = path(QStringLiteral("a.zvxd"));
    QVERIFY(a.createArchive(file));
    progress.clear();
    QVERIFY(a.addFiles({path(QStringLiteral("src/a.txt")), path(QStringLiteral("src/b.bin"))}));
    QStringList activities;
    int last = -1;
    for (const auto& [what, percent] : progress) {
        if (!activities.contains(what)) {
            activities.append(what);
            last = -1;
        }
        QVERIFY2(percent >= last && percent <= 100, qPrintable(what));
        last = percent;
    }
    // Adding ends by reopening the new archive.
    QCOMPARE(activities, (QStringList{QStringLiteral("Updating a.txt"), QStringLiteral("Updating b.bin"),
                                      QStringLiteral("Writing archive registry"),
                                      QStringLiteral("Extracting archive registry")}));
    QCOMPARE(opened, (QStringList{file, file}));

    progress.clear();
    QVERIFY(a.extractAll(path(QStringLiteral("out"))));
    QCOMPARE(progress.first().first, QStringLiteral("Extracting a.txt"));
    QCOMPARE(progress.last(), std::make_pair(QStringLiteral("Extracting b.bin"), 100));
}

// ------------------------------------------------------------ the tool

void TestZlbArchive::packTool()
{
    QVERIFY(writeFile(path(QStringLiteral("src/Gfx/Zodiak/Baran/żółw.png")), randomBytes(5000, 1)));
    QVERIFY(writeFile(path(QStringLiteral("src/Godziny/Zegar/12.txt")), textBytes(9000)));

    const auto run = [&](const QStringList& args, QString* output = nullptr, QString* errors = nullptr) {
        QProcess p;
        p.setWorkingDirectory(path(QStringLiteral("src")));
        p.start(QStringLiteral(ZORVEX_PACK), args);
        if (!p.waitForFinished(60000))
            return -1;
        if (output)
            *output = QString::fromUtf8(p.readAllStandardOutput());
        if (errors)
            *errors = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    };

    const QString archive = path(QStringLiteral("dodatek.zvxd"));
    QCOMPARE(run({QStringLiteral("create"), QStringLiteral("--paths"), archive, QStringLiteral("Gfx"),
                  QStringLiteral("Godziny")}),
             0);
    QString output;
    QCOMPARE(run({QStringLiteral("list"), archive}, &output), 0);
    QVERIFY2(output.contains(QStringLiteral("Gfx\\Zodiak\\Baran\\żółw.png")), qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("Godziny\\Zegar\\12.txt")), qPrintable(output));
    QCOMPARE(run({QStringLiteral("test"), archive}), 0);
    QCOMPARE(run({QStringLiteral("extract"), archive, path(QStringLiteral("out"))}), 0);
    QCOMPARE(readFile(path(QStringLiteral("out/Godziny/Zegar/12.txt"))), textBytes(9000));

    QString errors;
    QCOMPARE(run({QStringLiteral("create"), archive, QStringLiteral("Gfx")}, nullptr, &errors), 1);
    QVERIFY2(errors.contains(QStringLiteral("File already exists")), qPrintable(errors));

    QByteArray bytes = readFile(archive);
    bytes[100] = char(bytes[100] ^ 1);
    QVERIFY(writeFile(path(QStringLiteral("zły.zvxd")), bytes));
    QCOMPARE(run({QStringLiteral("test"), path(QStringLiteral("zły.zvxd"))}, nullptr, &errors), 1);
    QVERIFY2(errors.contains(corruptText()), qPrintable(errors));

    // An entry whose data is broken under a CRC that was made to fit.
    HandEntry good{QStringLiteral("a.txt"), QString(), QByteArrayLiteral("a")};
    HandEntry bad{QStringLiteral("b.txt"), QString(), QByteArrayLiteral("b")};
    bad.crc = 12345;
    QVERIFY(writeFile(path(QStringLiteral("crc.zvxd")), buildArchive({good, bad})));
    QCOMPARE(run({QStringLiteral("test"), path(QStringLiteral("crc.zvxd"))}, nullptr, &errors), 1);
    QVERIFY2(errors.contains(QStringLiteral("b.txt: Plik (1) jest uszkodzony (CRC)")), qPrintable(errors));

    QCOMPARE(run({QStringLiteral("pack"), archive}), 2);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestZlbArchive)
#include "tst_zlbarchive.moc"
