#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zorvex {

InstanceLock::InstanceLock(QString path)
    : m_path(std::move(path))
{
}

InstanceLock::~InstanceLock()
{
    release();
}

QString InstanceLock::runtimeFolder()
{
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QDir(base).exists())
        base = QDir::tempPath() + QStringLiteral("/zorvex-") + QString::number(getuid());
    const QString folder = base + QStringLiteral("/zorvex");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

QString InstanceLock::defaultPath()
{
    return runtimeFolder() + QStringLiteral("/instance.lock");
}

bool InstanceLock::tryAcquire()
{
    if (m_fd >= 0)
        return true;
    const QByteArray native = QFile::encodeName(m_path);
    const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void InstanceLock::acquireWhenFree(std::function<void()> acquired)
{
    if (m_fd >= 0 || m_waiting)
        return;
    m_waiting = true;
    const QByteArray native = QFile::encodeName(m_path);
    const std::weak_ptr<int> alive = m_alive;
    std::thread([this, native, alive, acquired = std::move(acquired)] {
        const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return;
        int rc = 0;
        while ((rc = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        QCoreApplication* app = QCoreApplication::instance();
        if (rc != 0 || !app) {
            ::close(fd);
            return;
        }
        QMetaObject::invokeMethod(
            app,
            [this, fd, alive, acquired] {
                if (alive.expired() || m_fd >= 0) {
                    ::close(fd);
                    return;
                }
                m_waiting = false;
                m_fd = fd;
                if (acquired)
                    acquired();
            },
            Qt::QueuedConnection);
    }).detach();
}

void InstanceLock::release()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace zorvex
