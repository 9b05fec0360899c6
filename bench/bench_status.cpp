// The per-tick cost of the statistics' and gauges' samplers, reading the
// recorded /proc and /sys tree (tests/fixtures/status/tree, or the folder
// ZORVEX_SYSROOT names), each beside a bare read of the same files with
// std::ifstream as the baseline. The "Live" runs read this machine's own
// /proc and /sys.
#include "core/common/Clock.h"
#include "core/status/DiskCard.h"
#include "core/status/GaugePanel.h"
#include "core/status/MouseOdometer.h"
#include "core/status/TrafficMonitor.h"
#include "platform/status/ProcSources.h"
#include "support/FakeClock.h"
#include "support/FakeStatusSources.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace zorvex;

namespace {

QString treeRoot()
{
    const QString own = qEnvironmentVariable("ZORVEX_SYSROOT");
    return own.isEmpty() ? QStringLiteral(ZORVEX_FIXTURES "/status/tree") : own;
}

SysRoot recorded()
{
    return SysRoot(treeRoot());
}

// The baseline: each file opened, read whole into a string and closed.
std::size_t readWith(const std::vector<std::string>& files)
{
    std::size_t bytes = 0;
    for (const std::string& f : files) {
        std::ifstream in(f, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        bytes += s.str().size();
    }
    return bytes;
}

std::string under(const SysRoot& root, const char* path)
{
    return root.path(QString::fromLatin1(path)).toStdString();
}

void cpu(benchmark::State& state, const SysRoot& root)
{
    LinuxCpuTimesSource source(root);
    FakeMemorySource noMemory;
    GaugePanel panel(noMemory, source);
    for (auto _ : state)
        benchmark::DoNotOptimize(panel.sampleCpu());
}

void memory(benchmark::State& state, const SysRoot& root)
{
    LinuxMemorySource source(root);
    FakeCpuTimesSource cpuTimes;
    GaugePanel panel(source, cpuTimes);
    for (auto _ : state)
        benchmark::DoNotOptimize(panel.sampleMemory());
}

void traffic(benchmark::State& state, const SysRoot& root, Ipv4AddressSource& addresses)
{
    LinuxNetInterfaceSource source(addresses, root);
    SystemClock clock;
    TrafficMonitor monitor(clock, source);
    monitor.chooseAtStart(QString(), 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(monitor.sample());
}

std::vector<std::string> trafficFiles(const SysRoot& root)
{
    std::vector<std::string> files{under(root, "/proc/net/dev")};
    QByteArray dev;
    root.read(QStringLiteral("/proc/net/dev"), &dev);
    for (const QByteArray& line : dev.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || line.contains('|'))
            continue;
        const std::string dir = under(root, "/sys/class/net/") + line.left(colon).trimmed().toStdString();
        for (const char* f : {"/ifindex", "/address", "/speed"})
            files.push_back(dir + f);
    }
    return files;
}

void drives(benchmark::State& state, const SysRoot& root)
{
    // Each mount point of the recorded table is asked of the tree's own
    // folder, so every statvfs reaches a real file system.
    const QString here = root.root().isEmpty() ? QStringLiteral("/") : root.root();
    LinuxDriveSource source(root, [here](const QString& mountPoint) {
        return statvfsSpace(QFileInfo::exists(mountPoint) ? mountPoint : here);
    });
    DiskCardOptions options;
    options.removable = true;
    options.sum = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(buildDiskCard(source.drives(true), options));
}

void BM_CpuSample(benchmark::State& state) { cpu(state, recorded()); }
void BM_CpuBaselineIfstream(benchmark::State& state)
{
    const std::vector<std::string> files{under(recorded(), "/proc/stat")};
    for (auto _ : state)
        benchmark::DoNotOptimize(readWith(files));
}
void BM_MemorySample(benchmark::State& state) { memory(state, recorded()); }
void BM_MemoryBaselineIfstream(benchmark::State& state)
{
    const std::vector<std::string> files{under(recorded(), "/proc/meminfo")};
    for (auto _ : state)
        benchmark::DoNotOptimize(readWith(files));
}
void BM_TrafficSample(benchmark::State& state)
{
    FixedIpv4Addresses none;
    traffic(state, recorded(), none);
}
void BM_TrafficSampleWithGetifaddrs(benchmark::State& state)
{
    SystemIpv4Addresses system;
    traffic(state, recorded(), system);
}
void BM_TrafficBaselineIfstream(benchmark::State& state)
{
    const std::vector<std::string> files = trafficFiles(recorded());
    for (auto _ : state)
        benchmark::DoNotOptimize(readWith(files));
}
void BM_DriveScan(benchmark::State& state) { drives(state, recorded()); }
void BM_DriveBaselineIfstream(benchmark::State& state)
{
    const std::vector<std::string> files{under(recorded(), "/proc/self/mounts")};
    for (auto _ : state)
        benchmark::DoNotOptimize(readWith(files));
}
void BM_MouseSample(benchmark::State& state)
{
    QTemporaryDir dir;
    FakeClock clock;
    FakePointerSource pointer;
    MouseOdometer odometer(clock, pointer, dir.filePath(QStringLiteral("Ruch.ini")));
    odometer.begin();
    int x = 0;
    for (auto _ : state) {
        pointer.at = QPoint(++x & 1023, 0);
        odometer.sample();
    }
    benchmark::DoNotOptimize(odometer.travel());
}

void BM_LiveCpuSample(benchmark::State& state) { cpu(state, SysRoot()); }
void BM_LiveCpuBaselineIfstream(benchmark::State& state)
{
    const std::vector<std::string> files{"/proc/stat"};
    for (auto _ : state)
        benchmark::DoNotOptimize(readWith(files));
}
void BM_LiveMemorySample(benchmark::State& state) { memory(state, SysRoot()); }
void BM_LiveMemoryBaselineIfstream(benchmark::State& state)
{
    const std::vector<std::string> files{"/proc/meminfo"};
    for (auto _ : state)
        benchmark::DoNotOptimize(readWith(files));
}
void BM_LiveTrafficSample(benchmark::State& state)
{
    SystemIpv4Addresses system;
    traffic(state, SysRoot(), system);
}
void BM_LiveTrafficBaselineIfstream(benchmark::State& state)
{
    const std::vector<std::string> files = trafficFiles(SysRoot());
    for (auto _ : state)
        benchmark::DoNotOptimize(readWith(files));
}
void BM_LiveDriveScan(benchmark::State& state) { drives(state, SysRoot()); }

} // namespace

BENCHMARK(BM_CpuSample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CpuBaselineIfstream)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemorySample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemoryBaselineIfstream)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrafficSample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrafficSampleWithGetifaddrs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TrafficBaselineIfstream)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DriveScan)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DriveBaselineIfstream)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MouseSample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveCpuSample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveCpuBaselineIfstream)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveMemorySample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveMemoryBaselineIfstream)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveTrafficSample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveTrafficBaselineIfstream)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveDriveScan)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
