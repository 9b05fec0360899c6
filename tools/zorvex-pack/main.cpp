// zorvex-pack: creates, lists, extracts and checks package archives (".zvxd"
// add-ons, ".zvx" settings backups) with the program's own archive code.

#include "core/internet/ZlbArchive.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>

namespace {

using zorvex::ZlbArchive;
using zorvex::ZlbEntry;
using zorvex::ZlbLevel;

enum Exit { Ok = 0, Failed = 1, Usage = 2 };

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

void complain(const QString& message)
{
    err() << QStringLiteral("zorvex-pack: ") << message << Qt::endl;
}

int usage()
{
    err() << QStringLiteral(
        "Użycie:\n"
        "  zorvex-pack create [--paths] [--level 0-3] ARCHIWUM PLIK...\n"
        "      tworzy archiwum z plików i folderów (--paths: z folderami;\n"
        "      --level: 0 bez kompresji, 1 najszybsza, 2 domyślna, 3 najlepsza, domyślnie 3)\n"
        "  zorvex-pack list ARCHIWUM\n"
        "  zorvex-pack extract ARCHIWUM FOLDER\n"
        "  zorvex-pack test ARCHIWUM\n")
          << Qt::flush;
    return Usage;
}

int create(const QStringList& args)
{
    ZlbArchive archive;
    archive.setLevel(ZlbLevel::Maximum);
    archive.setRecurse(true);
    QStringList names;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--paths")) {
            archive.setSavePaths(true);
        } else if (a == QLatin1String("--level")) {
            bool ok = false;
            const int level = i + 1 < args.size() ? args[++i].toInt(&ok) : -1;
            if (!ok || level < 0 || level > 3)
                return usage();
            archive.setLevel(static_cast<ZlbLevel>(level));
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage();
        } else {
            names.append(a);
        }
    }
    if (names.isEmpty())
        return usage();

    const QString path = names.takeFirst();
    bool problems = false;
    archive.setErrorHandler([&](const QString& message) {
        complain(message);
        problems = true;
    });
    if (!archive.createArchive(path)) {
        complain(archive.errorString());
        return Failed;
    }
    if (!archive.addFiles(names)) {
        complain(archive.errorString());
        // Only the empty archive made a moment ago is lost.
        archive.closeArchive();
        QFile::remove(path);
        return Failed;
    }
    return problems ? Failed : Ok;
}

QString method(const ZlbEntry& e)
{
    if (e.raw)
        return QStringLiteral("bez kompresji");
    return QStringLiteral("zlib %1").arg(e.level);
}

int list(const QString& path)
{
    ZlbArchive archive;
    if (!archive.openArchive(path)) {
        complain(archive.errorString());
        return Failed;
    }
    out() << QStringLiteral("%1 %2 %3 %4  %5\n")
                 .arg(QStringLiteral("Rozmiar"), 12)
                 .arg(QStringLiteral("Spakowany"), 12)
                 .arg(QStringLiteral("Metoda"), -13)
                 .arg(QStringLiteral("CRC-32"), -8)
                 .arg(QStringLiteral("Nazwa"));
    qint64 original = 0;
    qint64 stored = 0;
    for (const ZlbEntry& e : archive.entries()) {
        out() << QStringLiteral("%1 %2 %3 %4  %5\n")
                     .arg(e.originalSize, 12)
                     .arg(e.storedSize, 12)
                     .arg(method(e), -13)
                     .arg(e.crc, 8, 16, QLatin1Char('0'))
                     .arg(e.fullName());
        original += e.originalSize;
        stored += e.storedSize;
    }
    out() << QStringLiteral("%1 %2 plików: %3\n").arg(original, 12).arg(stored, 12).arg(archive.entries().size());
    out().flush();
    return Ok;
}

int extract(const QString& path, const QString& destination)
{
    ZlbArchive archive;
    archive.setCheckCrc(true);
    archive.setExtractWithPaths(true);
    if (!archive.openArchive(path) || !archive.extractAll(destination)) {
        complain(archive.errorString());
        return Failed;
    }
    return Ok;
}

int test(const QString& path)
{
    ZlbArchive archive;
    if (!archive.openArchive(path)) {
        complain(archive.errorString());
        return Failed;
    }
    int bad = 0;
    const int count = archive.entryCount();
    for (int i = 0; i < count; ++i) {
        if (!archive.testEntry(i)) {
            complain(archive.entries()[size_t(i)].fullName() + QStringLiteral(": ") + archive.errorString());
            ++bad;
        }
    }
    if (bad > 0) {
        complain(QStringLiteral("Uszkodzonych plików: %1 z %2").arg(bad).arg(count));
        return Failed;
    }
    out() << QStringLiteral("Archiwum jest w porządku, plików: %1\n").arg(count);
    out().flush();
    return Ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty())
        return usage();

    const QString command = args.takeFirst();
    if (command == QLatin1String("create"))
        return create(args);
    if (command == QLatin1String("list") && args.size() == 1)
        return list(args[0]);
    if (command == QLatin1String("extract") && args.size() == 2)
        return extract(args[0], args[1]);
    if (command == QLatin1String("test") && args.size() == 1)
        return test(args[0]);
    return usage();
}
