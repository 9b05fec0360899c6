// Reading the ID3v2 and ID3v1 tags of 1,000 MP3 files, as the playlist does
// when it names its entries, against TagLib reading the same files.
#include "core/media/Id3v1.h"
#include "core/media/Id3v2.h"

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

QByteArray be32(quint32 v)
{
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((v >> shift) & 0xFF));
    return out;
}

QByteArray frame(const char* id, const QByteArray& data)
{
    return QByteArray(id, 4) + be32(quint32(data.size())) + QByteArray(2, '\0') + data;
}

// A text frame's body: the Latin encoding byte, then the text.
QByteArray text(const QByteArray& s)
{
    return QByteArray(1, '\0') + s;
}

// A file as taggers leave it: text frames, a cover picture, padding, about
// 20 KB of audio and an ID3v1 tag.
QByteArray mp3(int n)
{
    const QByteArray number = QByteArray::number(n);
    const QByteArray frames = frame("TIT2", text("Title number " + number)) + frame("TPE1", text("Some Artist"))
        + frame("TALB", text("An Album Name")) + frame("TRCK", text(QByteArray::number(n % 20 + 1) + "/20"))
        + frame("TYER", text("2009")) + frame("TCON", text("(17)Rock")) + frame("COMM", text(QByteArray("eng\0A comment", 13)))
        + frame("TENC", text("Encoder 1.0")) + frame("TSSE", text("LAME 3.100"))
        + frame("APIC", QByteArray("\0image/jpeg\0\3\0", 14) + QByteArray(4096, 'j')) + QByteArray(1024, '\0');
    const quint32 size = quint32(frames.size());
    QByteArray header("ID3\3\0\0", 6);
    for (int shift = 21; shift >= 0; shift -= 7)
        header.append(static_cast<char>((size >> shift) & 0x7F));

    QByteArray audioFrame(417, '\0');
    audioFrame[0] = char(0xFF);
    audioFrame[1] = char(0xFB);
    audioFrame[2] = char(0x90);
    audioFrame[3] = char(0xC4);

    Id3v1 v1;
    v1.title = QStringLiteral("Title number %1").arg(n);
    v1.artist = QStringLiteral("Some Artist");
    v1.track = quint8(n % 20 + 1);
    v1.genre = 17;
    return header + frames + audioFrame.repeated(48) + v1.toBytes();
}

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
