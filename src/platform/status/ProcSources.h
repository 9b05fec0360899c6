#pragma once

#include "core/status/StatusSources.h"
#include "platform/status/SysRoot.h"

#include <QHash>

#include <functional>

namespace zorvex {

// /proc/stat's aggregate cpu line.
class LinuxCpuTimesSource final : public CpuTimesSource {
public:
    explicit LinuxCpuTimesSource(SysRoot root = SysRoot::fromEnvironment());
    std::optional<CpuTimes> read() override;

private:
    SysRoot m_root;
    QByteArray m_buffer;
};

// /proc/meminfo.
class LinuxMemorySource final : public MemorySource {
public:
    explicit LinuxMemorySource(SysRoot root = SysRoot::fromEnvironment());
    std::optional<MemoryStatus> read() override;

private:
    SysRoot m_root;
    QByteArray m_buffer;
};

// IPv4 addresses by interface name.
class Ipv4AddressSource {
public:
    virtual ~Ipv4AddressSource() = default;
    virtual QHash<QString, quint32> read() = 0;
};

// The system's addresses (getifaddrs); the first IPv4 address of each.
class SystemIpv4Addresses final : public Ipv4AddressSource {
public:
    QHash<QString, quint32> read() override;
};

class FixedIpv4Addresses final : public Ipv4AddressSource {
public:
    QHash<QString, quint32> addresses;
    QHash<QString, quint32> read() override { return addresses; }
};

// /proc/net/dev for the counters, /sys/class/net/IF/{ifindex,address,speed}
// for the index, physical address and speed, sorted by index.
class LinuxNetInterfaceSource final : public NetInterfaceSource {
public:
    LinuxNetInterfaceSource(Ipv4AddressSource& addresses, SysRoot root = SysRoot::fromEnvironment());
    std::optional<std::vector<NetInterfaceRow>> read() override;

private:
    Ipv4AddressSource& m_addresses;
    SysRoot m_root;
    QByteArray m_buffer;
};

// The free and total bytes of a mounted file system (statvfs).
struct FsSpace {
    qint64 free = 0;
    qint64 total = 0;
};
using FsSpaceProbe = std::function<std::optional<FsSpace>(const QString& mountPoint)>;
std::optional<FsSpace> statvfsSpace(const QString& mountPoint);

// The drives of the mount table under the root (/proc/self/mounts): local
// block-device file systems only, each device once; network and FUSE file
// systems are never asked for anything. Removable and media presence come
// from /sys/block; no block device is opened. The sizes are asked of the
// mount points themselves, also when the table comes from a recorded tree.
class LinuxDriveSource final : public DriveSource {
public:
    explicit LinuxDriveSource(SysRoot root = SysRoot::fromEnvironment(), FsSpaceProbe space = statvfsSpace);
    std::vector<DriveInfo> drives(bool withRemovable) override;

    struct BlockInfo {
        bool removable = false;
        bool hasMedia = true;
    };
    // For "sdb1" the disk "sdb" holding it.
    BlockInfo blockInfo(const QString& deviceName) const;

private:
    SysRoot m_root;
    FsSpaceProbe m_space;
};

} // namespace zorvex
