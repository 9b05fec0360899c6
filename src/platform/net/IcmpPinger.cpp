#include "platform/net/IcmpPinger.h"

#include "core/net/Icmp.h"

#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <utility>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zorvex {

IcmpPinger::IcmpPinger(QObject* parent)
    : QObject(parent)
    , m_identifier(quint16(QRandomGenerator::global()->bounded(1, 65535)))
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] { done(false, false); });
}

IcmpPinger::~IcmpPinger()
{
    cancel();
    closeSocket();
}

void IcmpPinger::setMethod(Method method)
{
    cancel();
    closeSocket();
    m_method = method;
    m_using = method;
}

bool IcmpPinger::openSocket()
{
    if (m_fd >= 0)
        return true;
    const auto tryOpen = [this](int type) {
        m_fd = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
        return m_fd >= 0;
    };
    if ((m_method == Method::Automatic || m_method == Method::Datagram) && tryOpen(SOCK_DGRAM))
        m_using = Method::Datagram;
    else if ((m_method == Method::Automatic || m_method == Method::Raw) && tryOpen(SOCK_RAW))
        m_using = Method::Raw;
    else
        return false;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &IcmpPinger::readReplies);
    return true;
}

void IcmpPinger::closeSocket()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void IcmpPinger::ping(const QString& ip, int timeoutMs)
{
    cancel();
    m_busy = true;
    m_target = QHostAddress(ip.trimmed());
    if (m_target.protocol() != QAbstractSocket::IPv4Protocol) {
        QMetaObject::invokeMethod(this, [this] { done(false, false); }, Qt::QueuedConnection);
        return;
    }
    if (m_method == Method::Program || !openSocket()) {
        m_using = Method::Program;
        pingWithProgram(ip.trimmed(), timeoutMs);
        return;
    }
    ++m_sequence;
    const QByteArray packet = icmpEchoRequest(m_identifier, m_sequence, QByteArrayLiteral("Zorvex ping 0123456789abcdef"));
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(m_target.toIPv4Address());
    m_timeout.start(timeoutMs);
    if (::sendto(m_fd, packet.constData(), size_t(packet.size()), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) < 0) {
        const int err = errno;
        // No right to send ends the run; a host the network cannot reach
        // is only down.
        const bool failed = err == EACCES || err == EPERM || err == EBADF || err == ENOTSOCK;
        QMetaObject::invokeMethod(this, [this, failed] { done(false, failed); }, Qt::QueuedConnection);
    }
}

void IcmpPinger::readReplies()
{
    char buffer[1500];
    while (m_fd >= 0) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t n = ::recvfrom(m_fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
        if (n < 0)
            return;
        if (!m_busy || ntohl(from.sin_addr.s_addr) != m_target.toIPv4Address())
            continue;
        const IcmpReply r = readIcmpReply(QByteArrayView(buffer, n), m_using == Method::Raw);
        // The kernel sets the identifier of a datagram socket itself and
        // hands it only that socket's replies.
        if (!r.echoReply || r.sequence != m_sequence || (m_using == Method::Raw && r.identifier != m_identifier))
            continue;
        done(true, false);
    }
}

void IcmpPinger::pingWithProgram(const QString& ip, int timeoutMs)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("ping"));
    if (program.isEmpty()) {
        QMetaObject::invokeMethod(this, [this] { done(false, true); }, Qt::QueuedConnection);
        return;
    }
    m_process = new QProcess(this);
    m_process->setProgram(program);
    m_process->setArguments({QStringLiteral("-n"), QStringLiteral("-q"), QStringLiteral("-c"), QStringLiteral("1"),
                             QStringLiteral("-W"), QString::number(std::max(timeoutMs, 1) / 1000.0, 'f', 3), ip});
    connect(m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        done(status == QProcess::NormalExit && code == 0, false);
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            done(false, true);
    });
    // The program's own time-out, with room to start it.
    m_timeout.start(timeoutMs + 2000);
    m_process->start();
}

void IcmpPinger::cancel()
{
    m_timeout.stop();
    if (m_process) {
        // Never waited for: it goes once it has ended.
        QProcess* process = std::exchange(m_process, nullptr);
        process->disconnect(this);
        if (process->state() == QProcess::NotRunning) {
            process->deleteLater();
        } else {
            connect(process, &QProcess::finished, process, &QObject::deleteLater);
            process->kill();
        }
    }
    m_busy = false;
}

void IcmpPinger::done(bool up, bool failed)
{
    if (!m_busy)
        return;
    cancel();
    emit finished(up, failed);
}

} // namespace zorvex
