#pragma once

#include "core/shell/StatusValues.h"
#include "core/status/UptimeRuns.h"

#include <QByteArray>
#include <QPoint>
#include <QString>

#include <optional>
#include <vector>

namespace zorvex {

// What the statistics and gauges read from the system. The platform layer
// implements these over /proc, /sys, the login records and the window
// system; tests use fakes.

// Where the runs of the computer come from (the login records).
class UptimeRecordSource {
public:
    virtual ~UptimeRecordSource() = default;
    // The start and end lines in the record's order; nothing when the
    // record is missing or unreadable.
    virtual std::vector<UptimeEvent> read() = 0;
    // The file read, for the page that opens its folder.
    virtual QString location() const = 0;
};

// The pointer in virtual-screen coordinates (a monitor left of or above the
// primary one has negative ones).
class PointerSource {
public:
    virtual ~PointerSource() = default;
    // False where programs cannot see the pointer outside their own windows
    // (Wayland): nothing is counted there.
    virtual bool available() const = 0;
    virtual std::optional<QPoint> position() = 0;
};

// One row of the interface table.
struct NetInterfaceRow {
    int index = 0;           // the system's interface index
    QString name;            // also the description
    QByteArray mac;          // the physical address, empty when it has none
    quint64 received = 0;    // byte counters as the system keeps them
    quint64 sent = 0;
    std::optional<qint64> speed; // bits per second; nothing when unknown
    std::optional<quint32> ipv4; // host order; nothing without an address
};

class NetInterfaceSource {
public:
    virtual ~NetInterfaceSource() = default;
    // Nothing when the table cannot be read.
    virtual std::optional<std::vector<NetInterfaceRow>> read() = 0;
};

// Processor time since boot in any fixed unit: idle (with time waiting
// for input and output) and the total.
struct CpuTimes {
    quint64 idle = 0;
    quint64 total = 0;
};

class CpuTimesSource {
public:
    virtual ~CpuTimesSource() = default;
    virtual std::optional<CpuTimes> read() = 0;
};

struct MemoryStatus {
    MemoryFigures ram;
    MemoryFigures swap; // both 0 on a machine without swap
};

class MemorySource {
public:
    virtual ~MemorySource() = default;
    virtual std::optional<MemoryStatus> read() = 0;
};

// One drive of the free-space card.
struct DriveInfo {
    QString name;          // what the card writes for it (the mount point)
    bool removable = false;
    bool hasMedia = true;
    qint64 free = 0;       // bytes available to the user
    qint64 total = 0;
};

class DriveSource {
public:
    virtual ~DriveSource() = default;
    // The fixed drives, and the removable ones when `withRemovable`.
    virtual std::vector<DriveInfo> drives(bool withRemovable) = 0;
};

} // namespace zorvex
