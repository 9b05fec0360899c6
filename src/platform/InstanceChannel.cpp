#include "platform/InstanceChannel.h"

#include "platform/InstanceLock.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <memory>

namespace zorvex {
namespace {

// The sender writes one zero-terminated UTF-8 text and waits for a zero
// byte. An empty text asks the running instance to show itself.
constexpr qsizetype kMaxMessage = 64 * 1024;

} // namespace

InstanceServer::InstanceServer(QString name, QObject* parent)
    : QObject(parent)
    , m_name(std::move(name))
{
}

InstanceServer::~InstanceServer()
{
    close();
}

QString InstanceServer::defaultName()
{
    return InstanceLock::runtimeFolder() + QStringLiteral("/instance.sock");
}

bool InstanceServer::listen()
{
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::onNewConnection);
    }
    if (m_server->isListening())
        return true;
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

bool InstanceServer::listening() const
{
    return m_server && m_server->isListening();
}

void InstanceServer::close()
{
    if (m_server && m_server->isListening())
        m_server->close();
}

void InstanceServer::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (buffer->size() > kMaxMessage) {
                socket->abort();
                return;
            }
            const qsizetype end = buffer->indexOf('\0');
            if (end < 0)
                return;
            const QString text = QString::fromUtf8(buffer->left(end));
            socket->write(QByteArray(1, '\0'));
            socket->flush();
            socket->disconnectFromServer();
            if (text.isEmpty())
                emit showRequested();
            else
                emit received(text);
        });
    }
}

bool sendToRunningInstance(const QString& text, const QString& name, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(name);
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
        socket.abort();
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    QByteArray payload = text.toUtf8();
    payload.append('\0');
    socket.write(payload);
    if (!socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
        return false;
    if (!socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
        return false;
    return socket.read(1) == QByteArray(1, '\0');
}

bool sendShowRequest(const QString& name, int timeoutMs)
{
    return sendToRunningInstance(QString(), name, timeoutMs);
}

} // namespace zorvex
