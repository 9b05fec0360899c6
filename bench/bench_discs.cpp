// Searching a tree of 20,000 files in 2,000 folders for disc images, against
// the plain recursive listing of the same tree by QDirIterator (the least
// any search must do), in the same run.
#include "core/desktop/DiscCatalogue.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zorvex;

namespace {

struct Tree {
    Tree()
    {
        for (int d = 0; d < 200; ++d)
            for (int s = 0; s < 10; ++s) {
                const QString folder = dir.filePath(QStringLiteral("g%1/s%2").arg(d).arg(s));
                QDir().mkpath(folder);
                for (int f = 0; f < 10; ++f) {
                    const char* ext = f == 0 ? ".iso" : f == 1 ? ".cue" : f == 2 ? ".bin" : ".txt";
                    QFile file(folder + QStringLiteral("/f%1").arg(f) + QLatin1String(ext));
                    file.open(QIODevice::WriteOnly);
                }
            }
    }
    QTemporaryDir dir;
};

Tree& tree()
{
    static Tree t;
    return t;
}

void BM_ScanImageFolders(benchmark::State& state)
{
    const QString root = tree().dir.path();
    for (auto _ : state) {
        DiscScanState scan;
        const QList<DiscRow> rows = scanImageFolders({root}, scan);
        benchmark::DoNotOptimize(rows.size());
    }
}
BENCHMARK(BM_ScanImageFolders)->Unit(benchmark::kMillisecond);

void BM_BaselineDirIterator(benchmark::State& state)
{
    const QString root = tree().dir.path();
    for (auto _ : state) {
        qsizetype n = 0;
        QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            ++n;
        }
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_BaselineDirIterator)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
