#pragma once

// Small helpers for tests that build data folders on disk.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>

#include <cstdio>
#include <optional>

#include <linux/capability.h>
#include <sys/stat.h>
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

// Everything below `root` (hidden files too) by relative path, with its
// bytes; folders as "<dir>" when asked for. Comparing two of them shows
// whether anything was written, changed or removed.
inline QMap<QString, QByteArray> folderTree(const QString& root, bool withFolders = false)
{
    QMap<QString, QByteArray> out;
    const QDir::Filters filter = (withFolders ? QDir::AllEntries : QDir::Files) | QDir::Hidden | QDir::NoDotAndDotDot;
    QDirIterator it(root, filter, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.insert(QDir(root).relativeFilePath(path), QFileInfo(path).isDir() ? QByteArray("<dir>") : fileBytes(path));
    }
    return out;
}

// While it lives, file and folder modes bind this thread even for root: root
// gives up the capabilities that bypass them (for this thread only) and
// takes them back at the end. `active()` is false when that is not possible.
class FileModesBind {
public:
    FileModesBind()
    {
        if (::geteuid() != 0) {
            m_active = true;
            return;
        }
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        m_dropped = m_active = syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~FileModesBind()
    {
        if (m_dropped)
            syscall(SYS_capset, &m_header, m_saved);
    }
    FileModesBind(const FileModesBind&) = delete;
    FileModesBind& operator=(const FileModesBind&) = delete;

    bool active() const { return m_active; }

private:
    __user_cap_header_struct m_header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] = {};
    bool m_dropped = false;
    bool m_active = false;
};

// Makes a file unreadable for this process while it lives (see
// FileModesBind). `active()` is false when that does not work; the caller
// then skips.
class UnreadableFile {
public:
    explicit UnreadableFile(QString path)
        : m_path(std::move(path))
        , m_permissions(QFile::permissions(m_path))
    {
        QFile::setPermissions(m_path, QFileDevice::Permissions());
        if (readable())
            m_binding.emplace();
        m_active = !readable();
    }
    ~UnreadableFile()
    {
        m_binding.reset();
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

    QString m_path;
    QFileDevice::Permissions m_permissions;
    std::optional<FileModesBind> m_binding;
    bool m_active = false;
};

// Makes a FIFO at `path`: what a mistaken `mkfifo` leaves in place of a file.
inline bool makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// A file of `size` bytes that takes no room on disk.
inline bool makeSparseFile(const QString& path, qint64 size)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.resize(size);
}

// What this process writes to stderr while it lives.
class StderrCapture {
public:
    StderrCapture()
    {
        std::fflush(stderr);
        m_saved = ::dup(2);
        m_file = std::tmpfile();
        if (m_file)
            ::dup2(::fileno(m_file), 2);
    }
    ~StderrCapture()
    {
        restore();
        if (m_file)
            std::fclose(m_file);
    }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Everything written so far; stderr goes back to where it was.
    QByteArray text()
    {
        restore();
        QByteArray out;
        if (!m_file)
            return out;
        std::rewind(m_file);
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, m_file)) > 0)
            out.append(buffer, qsizetype(n));
        return out;
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
        m_saved = -1;
    }

    int m_saved = -1;
    std::FILE* m_file = nullptr;
};

} // namespace zorvex::test
