// Reading the lengths of 1,000 MP3 files, as the playlist does when files
// are added: the frame-header parser on its own, through the audio library's
// file open, and the decoder's preroll that other formats need, for scale.
#include "core/media/Mp3Length.h"
#include "platform/audio/GstAudioLibrary.h"
#include "platform/audio/MasterVolume.h"
#include "support/FakeMasterVolume.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace zorvex;

namespace {

constexpr int kFiles = 1000;
constexpr int kFrames = 300; // about 8 s at 128 kbps, 48 kHz

enum class Layout { CbrInfo, VbrXing, CbrPlain, VbrPlain };

QByteArray be32(quint32 v)
{
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((v >> shift) & 0xFF));
    return out;
}

// MPEG 1 layer III at 48 kHz: 144 × kbps / 48 bytes a frame, no padding.
QByteArray frame(int bitrateIndex, int bytes)
{
    const quint32 h = 0xFFFB0000u | (quint32(bitrateIndex) << 12) | (1u << 10);
    return be32(h) + QByteArray(bytes - 4, '\x55');
}

QByteArray id3v2()
{
    const QByteArray body = QByteArray("TIT2\0\0\0\x0B\0\0\0Some title", 21) + QByteArray(4096, 'j');
    const auto size = quint32(body.size());
    QByteArray h("ID3\3\0\0", 6);
    for (int shift = 21; shift >= 0; shift -= 7)
        h.append(char((size >> shift) & 0x7F));
    return h + body;
}

QByteArray mp3(Layout layout)
{
    QByteArray out = id3v2();
    if (layout == Layout::CbrInfo || layout == Layout::VbrXing) {
        QByteArray tag = frame(9, 384);
        tag.replace(36, 12, QByteArray(QByteArray(layout == Layout::CbrInfo ? "Info" : "Xing") + be32(1) + be32(kFrames)));
        out += tag;
    }
    for (int i = 0; i < kFrames; ++i) {
        const bool vbr = layout == Layout::VbrXing || layout == Layout::VbrPlain;
        if (vbr && i % 3 == 1)
            out += frame(11, 576); // 192 kbps
        else if (vbr && i % 3 == 2)
            out += frame(5, 192); // 64 kbps
        else
            out += frame(9, 384); // 128 kbps
    }
    return out + QByteArray("TAG") + QByteArray(125, ' ');
}

struct Folder {
    QTemporaryDir dir;
    std::vector<QString> paths;
};

// ZORVEX_BENCH_MP3_DIR keeps the VBR folder there, for reference tools to
// read the same files (bench/compare.sh).
const Folder& folder(Layout layout)
{
    static std::unique_ptr<Folder> folders[4];
    auto& f = folders[int(layout)];
    if (!f) {
        f = std::make_unique<Folder>();
        const QString kept = qEnvironmentVariable("ZORVEX_BENCH_MP3_DIR");
        const QDir dir(layout == Layout::VbrXing && !kept.isEmpty() ? kept : f->dir.path());
        const QByteArray bytes = mp3(layout);
        for (int i = 0; i < kFiles; ++i) {
            const QString path = dir.filePath(QStringLiteral("utwor%1.mp3").arg(i));
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
            f->paths.push_back(path);
        }
    }
    return *f;
}

void BM_ParseLengths(benchmark::State& state)
{
    const Folder& f = folder(Layout(state.range(0)));
    double total = 0;
    for (auto _ : state) {
        total = 0;
        for (const QString& path : f.paths)
            if (const auto facts = readMp3Facts(path))
                total += facts->seconds;
        benchmark::DoNotOptimize(total);
    }
    state.counters["files"] = kFiles;
    state.counters["seconds_each"] = total / kFiles;
}
BENCHMARK(BM_ParseLengths)->Arg(int(Layout::CbrInfo))->Arg(int(Layout::VbrXing))->Arg(int(Layout::CbrPlain))
    ->Arg(int(Layout::VbrPlain))->Unit(benchmark::kMillisecond);

// The playlist's way: open through the library, read the length, release.
void BM_LibraryOpen(benchmark::State& state)
{
    const Folder& f = folder(Layout::VbrXing);
    GstAudioLibrary library(std::make_shared<FakeMasterVolume>());
    for (auto _ : state) {
        double total = 0;
        for (const QString& path : f.paths)
            if (auto stream = library.openFile(path))
                total += stream->lengthSeconds();
        benchmark::DoNotOptimize(total);
    }
    state.counters["files"] = kFiles;
}
BENCHMARK(BM_LibraryOpen)->Unit(benchmark::kMillisecond);

// What one length costs when the decoder has to find it (WAV here); the
// parser spares MP3 files this.
void BM_DecoderLength(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    {
        const int rate = 44100;
        QByteArray pcm(rate * 4 * 8, '\0');
        auto le = [](quint32 v, int n) {
            QByteArray b(n, '\0');
            for (int i = 0; i < n; ++i)
                b[i] = char((v >> (8 * i)) & 0xFF);
            return b;
        };
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("RIFF" + le(quint32(36 + pcm.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(2, 2)
                       + le(rate, 4) + le(rate * 4, 4) + le(4, 2) + le(16, 2) + "data" + le(quint32(pcm.size()), 4)
                       + pcm);
    }
    qputenv("ZORVEX_AUDIO_SINK", "fakesink");
    GstAudioLibrary library(std::make_shared<FakeMasterVolume>());
    for (auto _ : state) {
        auto stream = library.openFile(path);
        benchmark::DoNotOptimize(stream ? stream->lengthSeconds() : 0.0);
    }
}
BENCHMARK(BM_DecoderLength)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
