// Composing a wallpaper of 16 twelve-megapixel JPEGs into 1920 × 1080: the
// whole composition at high quality (decoding, our Lanczos3, drawing), the
// resampling alone, and Qt's own smooth scaling of the same pictures as the
// baseline. The pictures are made once in a temporary folder, or taken from
// the folder ZORVEX_BENCH_PICTURES names (the measuring script hands the same
// files to ImageMagick).
#include "core/wallpaper/Lanczos.h"
#include "ui/wallpaper/WallpaperComposer.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zorvex;

namespace {

QStringList pictures()
{
    static QTemporaryDir made;
    static QStringList files;
    if (!files.isEmpty())
        return files;
    const QString given = qEnvironmentVariable("ZORVEX_BENCH_PICTURES");
    if (!given.isEmpty()) {
        const QDir dir(given);
        for (const QString& name : dir.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
            files << dir.filePath(name);
        return files;
    }
    for (int i = 0; i < 16; ++i) {
        QImage image(4000, 3000, QImage::Format_RGB32);
        QPainter p(&image);
        QLinearGradient g(0, 0, 4000, 3000);
        g.setColorAt(0, QColor::fromHsv(i * 22, 200, 240));
        g.setColorAt(1, QColor::fromHsv((i * 22 + 120) % 360, 255, 60));
        p.fillRect(image.rect(), g);
        p.end();
        const QString path = made.filePath(QStringLiteral("%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
        image.save(path, "JPG", 90);
        files << path;
    }
    return files;
}

const WallpaperCanvas kScreen = wallpaperCanvas({QRect(0, 0, 1920, 1080)});

void BM_Compose16HighQuality(benchmark::State& state)
{
    const QStringList files = pictures();
    CompositionOptions o;
    o.mode = 3;
    o.highQuality = true;
    for (auto _ : state) {
        const Composition c = composeWallpaper(kScreen, files, o);
        benchmark::DoNotOptimize(c.image.constBits());
    }
}
BENCHMARK(BM_Compose16HighQuality)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Compose16LowQuality(benchmark::State& state)
{
    const QStringList files = pictures();
    CompositionOptions o;
    o.mode = 3;
    for (auto _ : state) {
        const Composition c = composeWallpaper(kScreen, files, o);
        benchmark::DoNotOptimize(c.image.constBits());
    }
}
BENCHMARK(BM_Compose16LowQuality)->Unit(benchmark::kMillisecond)->Iterations(3);

// Decoding only: what every composition pays before any scaling.
void BM_Decode16(benchmark::State& state)
{
    const QStringList files = pictures();
    for (auto _ : state)
        for (const QString& f : files) {
            const QImage image = QImageReader(f).read();
            benchmark::DoNotOptimize(image.constBits());
        }
}
BENCHMARK(BM_Decode16)->Unit(benchmark::kMillisecond)->Iterations(3);

// One decoded picture to its 480 × 270 cell: ours against Qt's smooth scaling.
void BM_ResampleOneLanczos3(benchmark::State& state)
{
    const QImage image = QImageReader(pictures().first()).read().convertToFormat(QImage::Format_RGB32);
    for (auto _ : state) {
        const QImage out = resampleHighQuality(image, QSize(480, 270));
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(BM_ResampleOneLanczos3)->Unit(benchmark::kMillisecond);

void BM_ResampleOneQtSmooth(benchmark::State& state)
{
    const QImage image = QImageReader(pictures().first()).read().convertToFormat(QImage::Format_RGB32);
    for (auto _ : state) {
        const QImage out = image.scaled(480, 270, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(BM_ResampleOneQtSmooth)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
