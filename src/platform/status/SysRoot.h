#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace zorvex {

// The root under which /proc and /sys are read. Empty is the real system;
// ZORVEX_SYSROOT names a folder holding a recorded tree (proc/stat,
// proc/meminfo, proc/net/dev, proc/self/mounts, sys/class/net/..., sys/block/...)
// so checks and tests run on known figures.
class SysRoot {
public:
    explicit SysRoot(QString root = {});
    static SysRoot fromEnvironment();

    const QString& root() const { return m_root; }
    // `absolute` ("/proc/stat") under the root.
    QString path(const QString& absolute) const;

    // Reads a whole small file; /proc and /sys files report no size, so this
    // reads until the end, at most `maxBytes`. False when it cannot be read.
    bool read(const QString& absolute, QByteArray* out, qsizetype maxBytes = 1 << 20) const;
    // The file's first line, trimmed, or empty text.
    QByteArray readLine(const QString& absolute) const;

private:
    QString m_root;
};

// Reads a file with plain system calls (no buffering layer), as the
// samplers do every tick.
bool readSmallFile(const QString& path, QByteArray* out, qsizetype maxBytes = 1 << 20);

} // namespace zorvex
