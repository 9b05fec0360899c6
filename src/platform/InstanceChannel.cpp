#include "platform/InstanceChannel.h"

#include "platform/InstanceLock.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <memory>

namespace zorvex {

InstanceServer::InstanceServer(QString name, QObject* parent)
    : QObject(parent)
    , m_name(std::move(name))
{
}

InstanceServer::~InstanceServer() = default;

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
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void InstanceServer::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The sender writes one zero-terminated UTF-8 text; answer with a
        // zero byte once it is taken.
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (buffer->size() > 64 * 1024) {
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
            emit received(text);
        });
    }
}

bool sendToRunningInstance(const QString& text, const QString& name, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray payload = text.toUtf8();
    payload.append('\0');
    socket.write(payload);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    if (!socket.waitForReadyRead(timeoutMs))
        return false;
    return socket.read(1) == QByteArray(1, '\0');
}

} // namespace zorvex
