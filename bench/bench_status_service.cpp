// The whole statistics service on the main loop's ticks, as the program
// runs it with every statistic on, over the recorded /proc and /sys tree:
// the 1000 ms tick (uptime label, traffic, processor) and the 50 ms tick
// (pointer, memory), beside the same ticks with every statistic off (only
// the memory rows still sample) as the baseline.
#include "core/app/Settings.h"
#include "core/common/PathTable.h"
#include "platform/status/ProcSources.h"
#include "support/FakeClock.h"
#include "support/FakeStatusSources.h"
#include "ui/status/StatusService.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace zorvex;

namespace {

struct Rig {
    explicit Rig(bool on)
        : paths(dir.path() + QStringLiteral("/"), QStringLiteral("Jan"), dir.path() + QStringLiteral("/S.ini"))
        , root(QStringLiteral(ZORVEX_FIXTURES "/status/tree"))
        , interfaces(addresses, root)
        , cpu(root)
        , memory(root)
    {
        settings.czas.active = on;
        settings.ruchMyszy.active = on;
        settings.siec.active = on;
        settings.main.chartsActive = on;
        service = std::make_unique<StatusService>(clock, paths, settings,
                                                  StatusSourceSet{records, pointer, interfaces, cpu, memory, drives});
        service->start(paths.path(PathId::Autozapis), false);
    }

    QTemporaryDir dir;
    FakeClock clock;
    PathTable paths;
    Settings settings;
    SysRoot root;
    FixedIpv4Addresses addresses;
    FakeUptimeRecordSource records;
    FakePointerSource pointer;
    LinuxNetInterfaceSource interfaces;
    LinuxCpuTimesSource cpu;
    LinuxMemorySource memory;
    FakeDriveSource drives;
    std::unique_ptr<StatusService> service;
};

void statusTick(benchmark::State& state, bool on)
{
    Rig rig(on);
    for (auto _ : state) {
        rig.clock.advanceMs(1000);
        rig.service->tick(TickStep::UptimePage, rig.clock.now());
        rig.service->tick(TickStep::CpuSample, rig.clock.now());
    }
}

void fastTick(benchmark::State& state, bool on)
{
    Rig rig(on);
    int x = 0;
    for (auto _ : state) {
        rig.pointer.at = QPoint(++x % 1000, 0);
        rig.clock.advanceMs(50);
        rig.service->tick(TickStep::MouseSample, rig.clock.now());
        rig.service->tick(TickStep::MemorySample, rig.clock.now());
    }
}

void BM_StatusTickAllOn(benchmark::State& state) { statusTick(state, true); }
void BM_StatusTickAllOff(benchmark::State& state) { statusTick(state, false); }
void BM_FastTickAllOn(benchmark::State& state) { fastTick(state, true); }
void BM_FastTickAllOff(benchmark::State& state) { fastTick(state, false); }

} // namespace

BENCHMARK(BM_StatusTickAllOn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StatusTickAllOff)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FastTickAllOn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FastTickAllOff)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
