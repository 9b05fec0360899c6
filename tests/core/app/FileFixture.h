#pragma once

// Small helpers for tests that build data folders on disk.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace zorvex::test {

// Writes `bytes` to `path`, creating the folders on the way.
inline bool writeFile(const QString& path, const QByteArray& bytes = QByteArray())
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Makes a file unreadable for this process while it lives. File modes do not
// bind root, so root also gives up the capabilities that bypass them (for
// this thread only, and takes them back at the end). `active()` is false when
// neither works; the caller then skips.
class UnreadableFile {
public:
    explicit UnreadableFile(QString path)
        : m_path(std::move(path))
        , m_permissions(QFile::permissions(m_path))
    {
        QFile::setPermissions(m_path, QFileDevice::Permissions());
        if (readable() && dropFileCapabilities())
            m_dropped = true;
        m_active = !readable();
    }
    ~UnreadableFile()
    {
        if (m_dropped)
            syscall(SYS_capset, &m_header, m_saved);
        QFile::setPermissions(m_path, m_permissions);
    }
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

    bool active() const { return m_active; }

private:
    bool readable() const
    {
        QFile f(m_path);
        return f.open(QIODevice::ReadOnly);
    }
    bool dropFileCapabilities()
    {
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return false;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        return syscall(SYS_capset, &m_header, lowered) == 0;
    }

    QString m_path;
    QFileDevice::Permissions m_permissions;
    __user_cap_header_struct m_header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] = {};
    bool m_dropped = false;
    bool m_active = false;
};

} // namespace zorvex::test
