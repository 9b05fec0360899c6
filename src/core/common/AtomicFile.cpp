#include "core/common/AtomicFile.h"

#include "core/common/DataFile.h"
#include "core/common/Notice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Qt's save file names its temporaries in its own way and cannot fall back to
// an in-place write without truncating first, so the writer is our own.

namespace zorvex {
namespace {

std::atomic<bool> g_suspended{false};

const QString kTemporaryInfix = QStringLiteral(".zorvex-");
constexpr int kTemporaryLetters = 6;
constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

QString systemError(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = EIO;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

QString temporaryName(const QString& target)
{
    QString name = target + kTemporaryInfix;
    for (int i = 0; i < kTemporaryLetters; ++i)
        name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))]);
    return name;
}

// Writes over the file itself: used only when its folder takes no new file.
bool rewriteInPlace(const QString& target, const QByteArray& bytes, QString* error)
{
    const QByteArray native = QFile::encodeName(target);
    // Non-blocking, and refused unless a regular file: never wait on a FIFO.
    const int fd = ::open(native.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(error, systemError(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(error, QStringLiteral("to nie jest zwykły plik"));
    }
    // Written first, cut to size afterwards: a failure part way leaves the
    // rest of the old text rather than nothing.
    const bool ok = writeAll(fd, bytes) && ::ftruncate(fd, off_t(bytes.size())) == 0 && ::fsync(fd) == 0;
    const int err = errno;
    ::close(fd);
    if (!ok)
        return fail(error, systemError(err));
    noticeOnce(QStringLiteral("W folderze \"%1\" nie można utworzyć pliku tymczasowego; pliki są zapisywane "
                              "bezpośrednio, bez zabezpieczenia przed przerwaniem zapisu.")
                   .arg(QFileInfo(target).absolutePath()));
    return true;
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    if (g_suspended)
        return true;
    // A symbolic link stays a link: the file it points to is replaced.
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const QByteArray nativeTarget = QFile::encodeName(target);

    struct stat old {};
    const bool exists = ::stat(nativeTarget.constData(), &old) == 0;
    // A file the user made read-only stays as it is.
    if (exists && ::access(nativeTarget.constData(), W_OK) != 0)
        return fail(error, systemError(errno));

    QString temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryName(target);
        fd = ::open(QFile::encodeName(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        const int err = errno;
        if ((err == EACCES || err == EPERM) && exists && S_ISREG(old.st_mode))
            return rewriteInPlace(target, bytes, error);
        return fail(error, systemError(err));
    }
    const QByteArray nativeTemporary = QFile::encodeName(temporary);
    // The new file keeps the old one's owner and permissions where it may.
    if (exists) {
        [[maybe_unused]] const int owner = ::fchown(fd, old.st_uid, old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
    }
    int err = 0;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(nativeTemporary.constData(), nativeTarget.constData()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(nativeTemporary.constData());
        return fail(error, systemError(err));
    }
    syncFolder(QFileInfo(target).absolutePath());
    return true;
}

bool readWholeFile(const QString& path, QByteArray* out)
{
    FileRead r = readDataFile(path);
    *out = std::move(r.bytes);
    return r.read();
}

bool isTemporaryOf(const QString& name, const QString& of)
{
    if (name.size() != of.size() + kTemporaryInfix.size() + kTemporaryLetters || !name.startsWith(of)
        || QStringView(name).mid(of.size(), kTemporaryInfix.size()) != kTemporaryInfix)
        return false;
    for (const QChar c : QStringView(name).last(kTemporaryLetters)) {
        const char16_t u = c.unicode();
        if (!((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9')))
            return false;
    }
    return true;
}

int removeStaleTemporaries(const QStringList& files)
{
    // Each folder is listed once, whatever number of files it holds.
    QHash<QString, QSet<QString>> namesByFolder;
    for (const QString& f : files) {
        const QFileInfo info(f);
        namesByFolder[info.absolutePath()].insert(info.fileName());
    }
    int removed = 0;
    for (auto it = namesByFolder.cbegin(); it != namesByFolder.cend(); ++it) {
        const QDir folder(it.key());
        const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
        for (const QString& entry : entries) {
            const qsizetype cut = entry.size() - kTemporaryInfix.size() - kTemporaryLetters;
            if (cut <= 0 || !it.value().contains(entry.left(cut)) || !isTemporaryOf(entry, entry.left(cut)))
                continue;
            const QString path = folder.filePath(entry);
            struct stat st {};
            if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode) && removeDataFile(path))
                ++removed;
        }
    }
    return removed;
}

bool removeDataFile(const QString& path)
{
    if (g_suspended)
        return true;
    return ::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT;
}

void setFileChangesSuspended(bool suspended)
{
    g_suspended = suspended;
}

bool fileChangesSuspended()
{
    return g_suspended;
}

} // namespace zorvex
