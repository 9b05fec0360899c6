// Reading the ID3v2 and ID3v1 tags of 1,000 MP3 files, as the playlist does
// when it names its entries, against TagLib reading the same files.
#include "core/media/Id3v1.h"
#include "core/media/Id3v2.h"
#include "TaggedMp3.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#ifdef ZORVEX_HAVE_TAGLIB
#include <id3v1tag.h>
#include <id3v2tag.h>
#include <mpegfile.h>
#endif

#include <string>
#include <vector>

using namespace zorvex;

namespace {

constexpr int kFiles = 1000;
using bench::mp3;

struct Files {
    QTemporaryDir dir;
    std::vector<QString> paths;
    std::vector<std::string> native;

    Files()
    {
        for (int n = 0; n < kFiles; ++n) {
            const QString path = dir.filePath(QStringLiteral("%1.mp3").arg(n, 4, 10, QLatin1Char('0')));
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly) || f.write(mp3(n)) < 0)
                qFatal("cannot write the benchmark files");
            paths.push_back(path);
            native.push_back(QFile::encodeName(path).toStdString());
        }
    }
};

const Files& files()
{
    static const Files f;
    return f;
}

void BM_ZorvexId3(benchmark::State& state)
{
    const Files& f = files();
    for (auto _ : state) {
        for (const QString& path : f.paths) {
            Id3v2 v2;
            Id3v1 v1;
            if (!v2.read(path) || !v1.read(path) || v2.title.isEmpty() || v1.title.isEmpty()) {
                state.SkipWithError("a file was not read");
                return;
            }
            benchmark::DoNotOptimize(v2.title.size() + v2.artist.size() + v1.title.size() + v1.artist.size());
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_ZorvexId3)->Unit(benchmark::kMillisecond);

#ifdef ZORVEX_HAVE_TAGLIB
void BM_TagLibId3(benchmark::State& state)
{
    const Files& f = files();
    for (auto _ : state) {
        for (const std::string& path : f.native) {
            // No audio properties: only the tags, like the reader above.
            TagLib::MPEG::File file(path.c_str(), false);
            TagLib::ID3v2::Tag* v2 = file.ID3v2Tag();
            TagLib::ID3v1::Tag* v1 = file.ID3v1Tag();
            if (!v2 || !v1 || v2->title().isEmpty() || v1->title().isEmpty()) {
                state.SkipWithError("a file was not read");
                return;
            }
            benchmark::DoNotOptimize(v2->title().size() + v2->artist().size() + v1->title().size()
                                     + v1->artist().size());
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_TagLibId3)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
