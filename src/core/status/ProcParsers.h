#pragma once

#include "core/status/StatusSources.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace zorvex {

// The text formats of /proc, read by the platform layer and parsed here.

// The aggregate "cpu" line of /proc/stat: idle is idle + iowait; the total
// is user + nice + system + idle + iowait + irq + softirq + steal (guest
// time is already inside user and nice).
std::optional<CpuTimes> parseProcStat(QByteArrayView text);

// MemTotal and MemAvailable (older kernels without it: MemFree + Buffers +
// Cached), SwapTotal and SwapFree, in bytes.
std::optional<MemoryStatus> parseMeminfo(QByteArrayView text);

struct NetDevCounters {
    QString name;
    quint64 received = 0;
    quint64 sent = 0;
};
// The rows of /proc/net/dev (64-bit byte counters); nothing when the text
// has no header.
std::optional<std::vector<NetDevCounters>> parseNetDev(QByteArrayView text);

struct MountEntry {
    QString device;
    QString mountPoint;
    QString type;
};
// The lines of a mount table (/proc/self/mounts), with the octal escapes of
// blanks and other bytes undone.
std::vector<MountEntry> parseMounts(QByteArrayView text);

// Network and FUSE file systems can block whoever asks them for their size
// when their server or daemon is gone, so they are never asked.
bool isNetworkOrFuse(const QString& type);
// The drives of the free-space card: file systems on a block device
// ("/dev/..."), not network, not FUSE, not loop-mounted images, each device
// once (the first mount point it has).
std::vector<MountEntry> localDriveMounts(const std::vector<MountEntry>& mounts);

} // namespace zorvex
