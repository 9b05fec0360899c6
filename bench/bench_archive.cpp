// Packing and unpacking 100 MB of mixed files (text that compresses, random
// bytes that do not, one file above the in-memory limit) with the package
// archive, against plain zlib at the same level doing the same reads and
// writes. The gap is what the archive itself costs: its CRC-32, the raw
// fallback, the registry and the checks.
#include "core/internet/ZlbArchive.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <zlib.h>

using namespace zorvex;

namespace {

constexpr qint64 kMiB = 1024 * 1024;

QByteArray textFile(qint64 size, quint32 seed)
{
    static const char* const kWords[] = {
        "Imieniny", "Sentencja", "dnia", "Pogoda", "Kraków", "Łódź", "Gdańsk", "alarm", "przypomnienie",
        "urodziny", "=", "1", "0", "[Ustawienia]", "PozycjaX", "Kolor_Uro", "wschód", "zachód", "słońca",
        "poniedziałek", "wtorek", "środa", "czwartek", "piątek", "sobota", "niedziela", "\r\n"};
    constexpr int kCount = int(sizeof(kWords) / sizeof(kWords[0]));
    QRandomGenerator gen(seed);
    QByteArray out;
    out.reserve(size + 32);
    while (out.size() < size) {
        out += kWords[gen.bounded(kCount)];
        out += ' ';
        if (gen.bounded(8) == 0)
            out += QByteArray::number(gen.bounded(100000));
    }
    out.truncate(size);
    return out;
}

QByteArray randomFile(qint64 size, quint32 seed)
{
    QByteArray out(size, Qt::Uninitialized);
    QRandomGenerator gen(seed);
    gen.fillRange(reinterpret_cast<quint32*>(out.data()), size / 4);
    return out;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// The files, made once: 70 MB of text (one of 24 MB) and 30 MB of noise.
struct Corpus {
    QTemporaryDir dir;
    QStringList files;
    qint64 bytes = 0;

    Corpus()
    {
        QDir().mkpath(dir.filePath(QStringLiteral("src")));
        const auto add = [&](const QString& name, const QByteArray& data) {
            const QString path = dir.filePath(QStringLiteral("src/") + name);
            writeFile(path, data);
            files.append(path);
            bytes += data.size();
        };
        add(QStringLiteral("duży dziennik.txt"), textFile(24 * kMiB, 1));
        for (int i = 0; i < 46; ++i)
            add(QStringLiteral("tekst %1.ini").arg(i), textFile(kMiB, 100 + i));
        for (int i = 0; i < 15; ++i)
            add(QStringLiteral("obraz %1.png").arg(i), randomFile(2 * kMiB, 200 + i));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
};

const Corpus& corpus()
{
    static const Corpus c;
    return c;
}

int zlibLevelOf(int level)
{
    return zorvex::zlibLevel(ZlbLevel(level));
}

QString archiveFor(int level)
{
    return corpus().path(QStringLiteral("paczka-%1.zvxd").arg(level));
}

bool createArchive(const QString& path, int level)
{
    QFile::remove(path);
    ZlbArchive a;
    a.setLevel(ZlbLevel(level));
    return a.createArchive(path) && a.addFiles(corpus().files);
}

void BM_ArchiveCreate(benchmark::State& state)
{
    const int level = int(state.range(0));
    const QString path = archiveFor(level);
    for (auto _ : state) {
        if (!createArchive(path, level)) {
            state.SkipWithError("archive not written");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * corpus().bytes);
    state.counters["ratio"] = double(QFileInfo(path).size()) / double(corpus().bytes);
}

void BM_ArchiveExtract(benchmark::State& state)
{
    const int level = int(state.range(0));
    const QString path = archiveFor(level);
    if (!QFileInfo::exists(path) && !createArchive(path, level)) {
        state.SkipWithError("archive not written");
        return;
    }
    const QString out = corpus().path(QStringLiteral("wynik"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(out).removeRecursively();
        state.ResumeTiming();
        ZlbArchive a;
        a.setCheckCrc(true);
        if (!a.openArchive(path) || !a.extractAll(out)) {
            state.SkipWithError("archive not extracted");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * corpus().bytes);
}

// Plain zlib: each file read whole, compressed at the same level into
// memory, its stream appended to one file written the same safe way.
QList<qint64> zlibPack(const QString& path, int level)
{
    QList<qint64> sizes;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return {};
    for (const QString& name : corpus().files) {
        QFile in(name);
        if (!in.open(QIODevice::ReadOnly))
            return {};
        const QByteArray data = in.readAll();
        uLongf size = compressBound(uLong(data.size()));
        QByteArray packed(qsizetype(size), Qt::Uninitialized);
        compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(data.constData()),
                  uLong(data.size()), zlibLevelOf(level));
        out.write(packed.constData(), qint64(size));
        sizes.append(qint64(size));
    }
    return out.commit() ? sizes : QList<qint64>();
}

void BM_ZlibCompress(benchmark::State& state)
{
    const int level = int(state.range(0));
    const QString path = corpus().path(QStringLiteral("zlib-%1.bin").arg(level));
    for (auto _ : state) {
        if (zlibPack(path, level).isEmpty()) {
            state.SkipWithError("zlib output not written");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * corpus().bytes);
    state.counters["ratio"] = double(QFileInfo(path).size()) / double(corpus().bytes);
}

// Plain zlib back: each stream read, inflated whole in memory and written to
// its own file the same safe way.
void BM_ZlibDecompress(benchmark::State& state)
{
    const int level = int(state.range(0));
    const QString path = corpus().path(QStringLiteral("zlib-%1.bin").arg(level));
    const QList<qint64> sizes = zlibPack(path, level);
    if (sizes.isEmpty()) {
        state.SkipWithError("zlib output not written");
        return;
    }
    const QString out = corpus().path(QStringLiteral("wynik-zlib"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        state.ResumeTiming();
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly)) {
            state.SkipWithError("zlib output not readable");
            return;
        }
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            const QByteArray packed = in.read(sizes[i]);
            const QString name = QFileInfo(corpus().files[i]).fileName();
            uLongf size = uLongf(QFileInfo(corpus().files[i]).size());
            QByteArray data(qsizetype(size), Qt::Uninitialized);
            uncompress(reinterpret_cast<Bytef*>(data.data()), &size,
                       reinterpret_cast<const Bytef*>(packed.constData()), uLong(packed.size()));
            QSaveFile file(out + QLatin1Char('/') + name);
            if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
                state.SkipWithError("file not written");
                return;
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * corpus().bytes);
}

// Levels as the archive numbers them: 2 default (zlib 6), 3 maximum (zlib 9,
// what the program uses).
BENCHMARK(BM_ArchiveCreate)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZlibCompress)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ArchiveExtract)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZlibDecompress)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
