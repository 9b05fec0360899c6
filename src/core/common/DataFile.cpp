#include "core/common/DataFile.h"

#include "core/common/Cp1250.h"
#include "core/common/Notice.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Qt's file classes block on a FIFO and cannot tell a regular file from one
// before opening it, so this one place opens files itself.

namespace zorvex {
namespace {

class OpenFile {
public:
    explicit OpenFile(const QString& path)
    {
        const QByteArray name = QFile::encodeName(path);
        // O_NONBLOCK: opening a FIFO without a writer would wait for ever.
        do
            m_fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        while (m_fd < 0 && errno == EINTR);
        if (m_fd < 0) {
            m_status = errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing : FileReadStatus::Unreadable;
            return;
        }
        struct stat st {};
        if (::fstat(m_fd, &st) != 0) {
            m_status = FileReadStatus::Unreadable;
        } else if (!S_ISREG(st.st_mode)) {
            m_status = FileReadStatus::NotAFile;
        } else {
            m_status = FileReadStatus::Read;
            m_size = st.st_size;
        }
    }
    ~OpenFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    FileReadStatus status() const { return m_status; }
    qint64 size() const { return m_size; }

    // Reads up to `max` bytes; false on a read error.
    bool readUpTo(qint64 max, QByteArray* out) const
    {
        out->clear();
        out->reserve(qsizetype(std::min<qint64>(std::max<qint64>(m_size, 0), max)));
        char buffer[64 * 1024];
        while (out->size() < max) {
            const size_t want = size_t(std::min<qint64>(qint64(sizeof buffer), max - out->size()));
            const ssize_t n = ::read(m_fd, buffer, want);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return false;
            if (n == 0)
                break;
            out->append(buffer, qsizetype(n));
        }
        return true;
    }

private:
    int m_fd = -1;
    FileReadStatus m_status = FileReadStatus::Unreadable;
    qint64 m_size = 0;
};

void reportPassedOver(const QString& path, FileReadStatus status)
{
    if (status == FileReadStatus::NotAFile || status == FileReadStatus::TooLarge)
        noticeOnce(fileReadProblem(path, status) + QStringLiteral(" Pozostaje bez zmian."));
}

} // namespace

FileStamp fileStamp(const QString& path)
{
    FileStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.regular = true;
    stamp.size = qint64(st.st_size);
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + qint64(st.st_mtim.tv_nsec);
    stamp.changedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + qint64(st.st_ctim.tv_nsec);
    stamp.inode = quint64(st.st_ino);
    stamp.device = quint64(st.st_dev);
    return stamp;
}

FileRead readDataFile(const QString& path)
{
    FileRead r;
    const OpenFile file(path);
    r.status = file.status();
    constexpr qint64 limit = kMaxDataFileSize;
    if (r.status == FileReadStatus::Read && file.size() > limit)
        r.status = FileReadStatus::TooLarge;
    if (r.status == FileReadStatus::Read) {
        // One byte more than allowed tells a file that grew meanwhile.
        if (!file.readUpTo(limit + 1, &r.bytes))
            r.status = FileReadStatus::Unreadable;
        else if (r.bytes.size() > limit)
            r.status = FileReadStatus::TooLarge;
    }
    if (r.status != FileReadStatus::Read)
        r.bytes.clear();
    reportPassedOver(path, r.status);
    return r;
}

TextFileRead readTextFile(const QString& path)
{
    const FileRead raw = readDataFile(path);
    return TextFileRead{raw.status, decodeFileText(raw.bytes)};
}

QString readFirstLine(const QString& path, qint64 maxBytes)
{
    const OpenFile file(path);
    QByteArray bytes;
    if (file.status() != FileReadStatus::Read || !file.readUpTo(maxBytes, &bytes))
        return {};
    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
        ++end;
    bytes.truncate(end);
    return decodeFileText(bytes);
}

bool mayReplaceAfterLoad(bool loaded, const QString& path)
{
    // A dangling link counts as nothing there: writing creates its target.
    return loaded || !QFileInfo::exists(path);
}

QString fileReadProblem(const QString& path, FileReadStatus status)
{
    switch (status) {
    case FileReadStatus::Read:
        return {};
    case FileReadStatus::Missing:
        return QStringLiteral("Plik nie istnieje: %1").arg(path);
    case FileReadStatus::Unreadable:
        return QStringLiteral("Nie można odczytać pliku \"%1\".").arg(path);
    case FileReadStatus::NotAFile:
        return QStringLiteral("Nie można odczytać pliku \"%1\": to nie jest zwykły plik.").arg(path);
    case FileReadStatus::TooLarge:
        return QStringLiteral("Nie można odczytać pliku \"%1\": jest większy niż %2 MB.")
            .arg(path)
            .arg(kMaxDataFileSize / (1024 * 1024));
    }
    return {};
}

} // namespace zorvex
