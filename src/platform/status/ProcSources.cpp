#include "platform/status/ProcSources.h"

#include "core/status/ProcParsers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <sys/statvfs.h>

namespace zorvex {

LinuxCpuTimesSource::LinuxCpuTimesSource(SysRoot root)
    : m_root(std::move(root))
{
}

std::optional<CpuTimes> LinuxCpuTimesSource::read()
{
    // The aggregate line comes first; a few KB hold it on any machine.
    if (!m_root.read(QStringLiteral("/proc/stat"), &m_buffer, 8192))
        return std::nullopt;
    return parseProcStat(m_buffer);
}

LinuxMemorySource::LinuxMemorySource(SysRoot root)
    : m_root(std::move(root))
{
}

std::optional<MemoryStatus> LinuxMemorySource::read()
{
    if (!m_root.read(QStringLiteral("/proc/meminfo"), &m_buffer, 64 * 1024))
        return std::nullopt;
    return parseMeminfo(m_buffer);
}

QHash<QString, quint32> SystemIpv4Addresses::read()
{
    QHash<QString, quint32> out;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return out;
    for (const ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET || !a->ifa_name)
            continue;
        const QString name = QString::fromUtf8(a->ifa_name);
        if (!out.contains(name)) {
            const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
            out.insert(name, ntohl(in->sin_addr.s_addr));
        }
    }
    freeifaddrs(list);
    return out;
}

namespace {

QByteArray parseMac(const QByteArray& text)
{
    QByteArray bytes;
    for (const QByteArray& part : text.split(':')) {
        bool ok = false;
        const uint v = part.toUInt(&ok, 16);
        if (!ok || v > 255)
            return {};
        bytes += char(v);
    }
    // An all-zero address (loopback) is no address.
    return bytes.count('\0') == bytes.size() ? QByteArray() : bytes;
}

} // namespace

LinuxNetInterfaceSource::LinuxNetInterfaceSource(Ipv4AddressSource& addresses, SysRoot root)
    : m_addresses(addresses)
    , m_root(std::move(root))
{
}

std::optional<std::vector<NetInterfaceRow>> LinuxNetInterfaceSource::read()
{
    if (!m_root.read(QStringLiteral("/proc/net/dev"), &m_buffer))
        return std::nullopt;
    const auto counters = parseNetDev(m_buffer);
    if (!counters)
        return std::nullopt;
    const QHash<QString, quint32> addresses = m_addresses.read();
    std::vector<NetInterfaceRow> rows;
    rows.reserve(counters->size());
    for (const NetDevCounters& c : *counters) {
        // Names come from the kernel's table; one with a path separator
        // could not name a folder of /sys/class/net.
        if (c.name.contains(QLatin1Char('/')) || c.name.startsWith(QLatin1Char('.')))
            continue;
        const QString dir = QStringLiteral("/sys/class/net/") + c.name;
        bool ok = false;
        const int index = m_root.readLine(dir + QStringLiteral("/ifindex")).toInt(&ok);
        if (!ok)
            continue; // gone between the two reads
        NetInterfaceRow row;
        row.index = index;
        row.name = c.name;
        row.mac = parseMac(m_root.readLine(dir + QStringLiteral("/address")));
        row.received = c.received;
        row.sent = c.sent;
        // Mb/s; a link that is down, or a wireless one, has no speed here.
        const qint64 mbps = m_root.readLine(dir + QStringLiteral("/speed")).toLongLong(&ok);
        if (ok && mbps >= 0)
            row.speed = mbps * 1000000;
        const auto a = addresses.constFind(c.name);
        if (a != addresses.constEnd())
            row.ipv4 = *a;
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end(), [](const NetInterfaceRow& a, const NetInterfaceRow& b) { return a.index < b.index; });
    return rows;
}

std::optional<FsSpace> statvfsSpace(const QString& mountPoint)
{
    struct statvfs s {};
    if (::statvfs(QFile::encodeName(mountPoint).constData(), &s) != 0)
        return std::nullopt;
    const qint64 unit = s.f_frsize ? qint64(s.f_frsize) : qint64(s.f_bsize);
    return FsSpace{qint64(s.f_bavail) * unit, qint64(s.f_blocks) * unit};
}

LinuxDriveSource::LinuxDriveSource(SysRoot root, FsSpaceProbe space)
    : m_root(std::move(root))
    , m_space(std::move(space))
{
}

LinuxDriveSource::BlockInfo LinuxDriveSource::blockInfo(const QString& deviceName) const
{
    BlockInfo info;
    if (deviceName.isEmpty() || deviceName.contains(QLatin1Char('/')))
        return info;
    QString disk;
    if (QFileInfo::exists(m_root.path(QStringLiteral("/sys/block/") + deviceName))) {
        disk = deviceName;
    } else {
        // A partition is a folder inside its disk's folder.
        const QDir block(m_root.path(QStringLiteral("/sys/block")));
        for (const QString& d : block.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
            if (QFileInfo::exists(block.filePath(d + QLatin1Char('/') + deviceName))) {
                disk = d;
                break;
            }
        }
    }
    if (disk.isEmpty())
        return info;
    const QString base = QStringLiteral("/sys/block/") + disk;
    info.removable = m_root.readLine(base + QStringLiteral("/removable")) == "1";
    bool ok = false;
    const qint64 sectors = m_root.readLine(base + QStringLiteral("/size")).toLongLong(&ok);
    info.hasMedia = !ok || sectors > 0;
    return info;
}

std::vector<DriveInfo> LinuxDriveSource::drives(bool withRemovable)
{
    std::vector<DriveInfo> out;
    QByteArray table;
    if (!m_root.read(QStringLiteral("/proc/self/mounts"), &table))
        return out;
    for (const MountEntry& m : localDriveMounts(parseMounts(table))) {
        QString device = m.device;
        // /dev/mapper/* and /dev/disk/by-* are links to the kernel's name;
        // following a link reads no device.
        if (m_root.root().isEmpty()) {
            const QString target = QFileInfo(device).canonicalFilePath();
            if (!target.isEmpty())
                device = target;
        }
        const BlockInfo b = blockInfo(device.mid(device.lastIndexOf(QLatin1Char('/')) + 1));
        if (b.removable && !withRemovable)
            continue;
        DriveInfo d;
        d.name = m.mountPoint;
        d.removable = b.removable;
        d.hasMedia = b.hasMedia;
        if (d.hasMedia) {
            if (const auto space = m_space(m.mountPoint)) {
                d.free = space->free;
                d.total = space->total;
            }
        }
        out.push_back(std::move(d));
    }
    return out;
}

} // namespace zorvex
