// CPU used by the whole process (all GStreamer threads) while one MP3 file
// plays through the pipeline into a sink that keeps real time. Needs lame to
// make the file. The sink is ZORVEX_AUDIO_SINK, "fakesink" unless set, so a
// desktop run can measure its real output too.
#include "platform/audio/GstAudioLibrary.h"
#include "platform/audio/MasterVolume.h"
#include "support/FakeMasterVolume.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <thread>

#include <sys/resource.h>

using namespace zorvex;

namespace {

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

QByteArray le(quint32 v, int n)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}

// Ten seconds of a chord, encoded at 128 kbps.
QString makeMp3(const QTemporaryDir& dir)
{
    const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
    if (lame.isEmpty())
        return {};
    const int rate = 44100;
    QByteArray pcm;
    pcm.reserve(rate * 4 * 10);
    for (int i = 0; i < rate * 10; ++i) {
        const double t = double(i) / rate;
        const auto v = qint16(std::lround(4000 * (std::sin(2 * M_PI * 440 * t) + std::sin(2 * M_PI * 554 * t))));
        pcm += le(quint16(v), 2) + le(quint16(v), 2);
    }
    const QString wav = dir.filePath(QStringLiteral("chord.wav"));
    QFile file(wav);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("RIFF" + le(quint32(36 + pcm.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(2, 2) + le(rate, 4)
               + le(rate * 4, 4) + le(4, 2) + le(16, 2) + "data" + le(quint32(pcm.size()), 4) + pcm);
    file.close();
    const QString mp3 = dir.filePath(QStringLiteral("chord.mp3"));
    QProcess p;
    p.start(lame, {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("128"), wav, mp3});
    return p.waitForFinished(60000) && p.exitCode() == 0 ? mp3 : QString();
}

void BM_PlayOneFile(benchmark::State& state)
{
    if (qEnvironmentVariableIsEmpty("ZORVEX_AUDIO_SINK"))
        qputenv("ZORVEX_AUDIO_SINK", "fakesink");
    QTemporaryDir dir;
    const QString mp3 = makeMp3(dir);
    if (mp3.isEmpty()) {
        state.SkipWithError("lame is not installed");
        return;
    }
    GstAudioLibrary library(std::make_shared<FakeMasterVolume>());
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        auto stream = library.openFile(mp3);
        if (!stream || !stream->play()) {
            state.SkipWithError("the file does not play");
            return;
        }
        // Past the start-up, then eight seconds of steady play.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const double c0 = cpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(8));
        cpu += cpuSeconds() - c0;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        stream->stop();
    }
    state.counters["cpu_percent_of_one_core"] = 100.0 * cpu / wall;
}
BENCHMARK(BM_PlayOneFile)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
