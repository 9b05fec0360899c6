#include "core/status/ProcParsers.h"

#include <QSet>

#include <array>

namespace zorvex {
namespace {

// Fields of a line separated by blanks or tabs.
std::vector<QByteArrayView> words(QByteArrayView line)
{
    std::vector<QByteArrayView> out;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const qsizetype start = i;
        while (i < n && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            out.push_back(line.sliced(start, i - start));
    }
    return out;
}

std::optional<quint64> number(QByteArrayView w)
{
    bool ok = false;
    const quint64 v = w.toULongLong(&ok);
    return ok ? std::optional<quint64>(v) : std::nullopt;
}

template <typename F>
void forEachLine(QByteArrayView text, F&& f)
{
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        if (!f(text.sliced(start, end - start)))
            return;
        start = end + 1;
    }
}

// "\040" is a blank in a mount table field.
QString unescape(QByteArrayView field)
{
    QByteArray out;
    out.reserve(field.size());
    auto octal = [](char d) { return d >= '0' && d <= '7'; };
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) && octal(field[i + 2])
            && octal(field[i + 3])) {
            out += char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
            continue;
        }
        out += field[i];
    }
    return QString::fromUtf8(out);
}

} // namespace

std::optional<CpuTimes> parseProcStat(QByteArrayView text)
{
    std::optional<CpuTimes> result;
    forEachLine(text, [&](QByteArrayView line) {
        const auto w = words(line);
        if (w.empty() || w[0] != "cpu")
            return true;
        // user nice system idle iowait irq softirq steal: older kernels
        // have fewer, and the missing ones are 0.
        std::array<quint64, 8> v{};
        if (w.size() < 5)
            return false;
        for (std::size_t i = 0; i < v.size() && i + 1 < w.size(); ++i) {
            const auto n = number(w[i + 1]);
            if (!n)
                return false;
            v[i] = *n;
        }
        CpuTimes t;
        t.idle = v[3] + v[4];
        for (quint64 x : v)
            t.total += x;
        result = t;
        return false;
    });
    return result;
}

std::optional<MemoryStatus> parseMeminfo(QByteArrayView text)
{
    std::optional<quint64> total, available, freeMem, buffers, cached, swapTotal, swapFree;
    // Read every 50 ms: keys are matched without splitting the line, and
    // the reading stops once the four figures used are known.
    forEachLine(text, [&](QByteArrayView line) {
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return true;
        const QByteArrayView key = line.first(colon);
        std::optional<quint64>* slot = nullptr;
        if (key == "MemTotal")
            slot = &total;
        else if (key == "MemAvailable")
            slot = &available;
        else if (key == "MemFree")
            slot = &freeMem;
        else if (key == "Buffers")
            slot = &buffers;
        else if (key == "Cached")
            slot = &cached;
        else if (key == "SwapTotal")
            slot = &swapTotal;
        else if (key == "SwapFree")
            slot = &swapFree;
        if (!slot)
            return true;
        QByteArrayView value = line.sliced(colon + 1).trimmed();
        if (value.endsWith("kB"))
            value.chop(2);
        // Values are in kB.
        if (const auto n = number(value.trimmed()))
            *slot = *n * 1024;
        return !(total && available && swapTotal && swapFree);
    });
    if (!total)
        return std::nullopt;
    if (!available) {
        if (!freeMem)
            return std::nullopt;
        available = *freeMem + buffers.value_or(0) + cached.value_or(0);
    }
    MemoryStatus m;
    m.ram.total = qint64(*total);
    m.ram.available = qint64(qMin(*available, *total));
    m.swap.total = qint64(swapTotal.value_or(0));
    m.swap.available = qint64(qMin(swapFree.value_or(0), swapTotal.value_or(0)));
    return m;
}

std::optional<std::vector<NetDevCounters>> parseNetDev(QByteArrayView text)
{
    std::vector<NetDevCounters> rows;
    bool header = false;
    forEachLine(text, [&](QByteArrayView line) {
        const qsizetype colon = line.indexOf(':');
        if (line.contains('|')) {
            header = true;
            return true;
        }
        if (colon < 0)
            return true;
        const QByteArrayView name = line.first(colon).trimmed();
        // "eth0:123 ..." on old kernels: the counters may touch the colon.
        const auto w = words(line.sliced(colon + 1));
        if (name.isEmpty() || w.size() < 9)
            return true;
        const auto in = number(w[0]);
        const auto out = number(w[8]);
        if (!in || !out)
            return true;
        rows.push_back({QString::fromUtf8(name), *in, *out});
        return true;
    });
    if (!header)
        return std::nullopt;
    return rows;
}

std::vector<MountEntry> parseMounts(QByteArrayView text)
{
    std::vector<MountEntry> out;
    forEachLine(text, [&](QByteArrayView line) {
        const auto w = words(line);
        if (w.size() >= 3)
            out.push_back({unescape(w[0]), unescape(w[1]), unescape(w[2])});
        return true;
    });
    return out;
}

bool isNetworkOrFuse(const QString& type)
{
    static const QSet<QString> network = {
        QStringLiteral("nfs"),       QStringLiteral("nfs4"),    QStringLiteral("cifs"),
        QStringLiteral("smb3"),      QStringLiteral("smbfs"),   QStringLiteral("ncpfs"),
        QStringLiteral("9p"),        QStringLiteral("afs"),     QStringLiteral("ceph"),
        QStringLiteral("glusterfs"), QStringLiteral("lustre"),  QStringLiteral("davfs"),
        QStringLiteral("coda"),      QStringLiteral("gfs2"),    QStringLiteral("ocfs2"),
        QStringLiteral("sshfs"),     QStringLiteral("virtiofs"),
    };
    return type.startsWith(QLatin1String("fuse")) || network.contains(type);
}

std::vector<MountEntry> localDriveMounts(const std::vector<MountEntry>& mounts)
{
    std::vector<MountEntry> out;
    QSet<QString> devices;
    for (const MountEntry& m : mounts) {
        if (!m.device.startsWith(QLatin1String("/dev/")) || isNetworkOrFuse(m.type))
            continue;
        // Images mounted through a loop device (snaps, ISO files) and
        // compressed read-only images are not drives.
        if (m.device.startsWith(QLatin1String("/dev/loop")) || m.type == QLatin1String("squashfs"))
            continue;
        if (devices.contains(m.device))
            continue;
        devices.insert(m.device);
        out.push_back(m);
    }
    return out;
}

} // namespace zorvex
