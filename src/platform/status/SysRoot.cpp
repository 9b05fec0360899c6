#include "platform/status/SysRoot.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace zorvex {

bool readSmallFile(const QString& path, QByteArray* out, qsizetype maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    out->resize(qMin<qsizetype>(4096, maxBytes));
    qsizetype used = 0;
    bool ok = true;
    for (;;) {
        if (used == out->size()) {
            if (out->size() >= maxBytes)
                break;
            out->resize(qMin(out->size() * 2, maxBytes));
        }
        const ssize_t n = ::read(fd, out->data() + used, size_t(out->size() - used));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        if (n == 0)
            break;
        used += n;
    }
    ::close(fd);
    out->resize(used);
    return ok;
}

SysRoot::SysRoot(QString root)
    : m_root(std::move(root))
{
    while (m_root.endsWith(QLatin1Char('/')))
        m_root.chop(1);
}

SysRoot SysRoot::fromEnvironment()
{
    return SysRoot(qEnvironmentVariable("ZORVEX_SYSROOT"));
}

QString SysRoot::path(const QString& absolute) const
{
    return m_root + absolute;
}

bool SysRoot::read(const QString& absolute, QByteArray* out, qsizetype maxBytes) const
{
    return readSmallFile(path(absolute), out, maxBytes);
}

QByteArray SysRoot::readLine(const QString& absolute) const
{
    QByteArray bytes;
    if (!read(absolute, &bytes, 4096))
        return {};
    const qsizetype nl = bytes.indexOf('\n');
    return (nl < 0 ? bytes : bytes.left(nl)).trimmed();
}

} // namespace zorvex
