// Adding a folder of 10,000 tagged MP3 files to the playlist (walking it,
// naming each file from its tags and reading its length from its headers)
// against TagLib reading the same tags and lengths; and loading, sorting and
// de-duplicating a 20,000-entry playlist store, against the pairwise
// de-duplication of old.
#include "TaggedMp3.h"
#include "core/media/Playlist.h"
#include "core/media/PlaylistFiles.h"
#include "core/media/TrackScanner.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#ifdef ZORVEX_HAVE_TAGLIB
#include <fileref.h>
#include <tag.h>
#endif

using namespace zorvex;

namespace {

constexpr int kFiles = 10000;
constexpr int kEntries = 20000;

struct Folder {
    QTemporaryDir dir;
    Folder()
    {
        for (int n = 0; n < kFiles; ++n) {
            const QString sub = dir.filePath(QStringLiteral("Album %1").arg(n / 100, 3, 10, QLatin1Char('0')));
            QDir().mkpath(sub);
            QFile f(sub + QStringLiteral("/%1.mp3").arg(n, 5, 10, QLatin1Char('0')));
            if (!f.open(QIODevice::WriteOnly) || f.write(bench::mp3(n)) < 0)
                qFatal("cannot write the benchmark files");
        }
    }
};

const Folder& folder()
{
    static const Folder f;
    return f;
}

struct Store {
    QTemporaryDir dir;
    QString path;
    Store()
    {
        QList<PlaylistEntry> entries;
        for (int i = 0; i < kEntries; ++i) {
            // One entry in twenty names a file listed before.
            const int n = i % 20 == 19 ? i / 2 : i;
            entries.append({QStringLiteral("/home/ja/Muzyka/Wykonawca %1/Album/%2 Utwór.mp3").arg(n % 300).arg(n),
                            QStringLiteral("Wykonawca %1 - Utwór numer %2").arg((n * 7919) % 1000).arg(n),
                            QString::number(120 + n % 300), QString::number(3000000 + n)});
        }
        path = dir.filePath(QStringLiteral("M3U1_bench.ini"));
        saveListLines(path, linesOfEntries(entries));
    }
};

const Store& store()
{
    static const Store s;
    return s;
}

void BM_ZorvexAddFolder(benchmark::State& state)
{
    const QString root = folder().dir.path();
    for (auto _ : state) {
        const QList<PlaylistEntry> got = TrackScanner::scan({root}, true);
        if (got.size() != kFiles || got.first().seconds == QLatin1String("-1")) {
            state.SkipWithError("the folder was not read");
            return;
        }
        benchmark::DoNotOptimize(got.size());
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_ZorvexAddFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

#ifdef ZORVEX_HAVE_TAGLIB
void BM_TagLibAddFolder(benchmark::State& state)
{
    const QString root = folder().dir.path();
    for (auto _ : state) {
        int count = 0;
        QDirIterator it(root, {QStringLiteral("*.mp3")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QByteArray path = QFile::encodeName(it.next());
            TagLib::FileRef file(path.constData(), true, TagLib::AudioProperties::Fast);
            if (file.isNull() || !file.tag() || !file.audioProperties()) {
                state.SkipWithError("a file was not read");
                return;
            }
            benchmark::DoNotOptimize(file.tag()->title().size() + file.tag()->artist().size()
                                     + file.audioProperties()->lengthInSeconds());
            ++count;
        }
        if (count != kFiles) {
            state.SkipWithError("the folder was not read");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_TagLibAddFolder)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

void BM_LoadSortDedupe(benchmark::State& state)
{
    const QString path = store().path;
    for (auto _ : state) {
        Playlist list;
        list.append(entriesOfLines(loadListLines(path).lines));
        list.sort(PlaylistSortKey::Name, false);
        const int removed = list.removeDuplicates();
        if (list.size() + removed != kEntries || removed == 0) {
            state.SkipWithError("the store was not read");
            return;
        }
        benchmark::DoNotOptimize(list.size());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_LoadSortDedupe)->Unit(benchmark::kMillisecond);

// The baseline: the same load and sort, then each entry compared with every
// later one, as the manager first did it.
void BM_LoadSortPairwiseDedupe(benchmark::State& state)
{
    const QString path = store().path;
    for (auto _ : state) {
        Playlist list;
        list.append(entriesOfLines(loadListLines(path).lines));
        list.sort(PlaylistSortKey::Name, false);
        QList<PlaylistEntry> entries = list.entries();
        for (qsizetype i = 0; i < entries.size(); ++i)
            for (qsizetype j = entries.size() - 1; j > i; --j)
                if (entries[j].path == entries[i].path)
                    entries.removeAt(j);
        benchmark::DoNotOptimize(entries.size());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_LoadSortPairwiseDedupe)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
