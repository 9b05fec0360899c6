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
// byte. An empty text asks the running instance to show itself. A text that
// begins with the request mark waits until the instance has carried it out;
// the answer is the reason of a failure (empty on success), zero-terminated.
constexpr qsizetype kMaxMessage = 64 * 1024;
constexpr char kRequestMark = '\x01';

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
            if (buffer->startsWith(kRequestMark)) {
                const QString text = QString::fromUtf8(buffer->mid(1, end - 1));
                const quint64 ticket = m_nextTicket++;
                m_waiting.insert(ticket, socket);
                disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
                emit requestReceived(text, ticket);
                return;
            }
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

void InstanceServer::reply(quint64 ticket, const QString& error)
{
    const QPointer<QLocalSocket> socket = m_waiting.take(ticket);
    if (!socket)
        return;
    QByteArray answer = error.toUtf8();
    answer.append('\0');
    socket->write(answer);
    socket->flush();
    socket->disconnectFromServer();
}

namespace {

// Connects, retrying while a holder takes over the channel, and writes the
// message; null when nobody takes it in time.
std::unique_ptr<QLocalSocket> deliver(const QByteArray& message, const QString& name, const QDeadlineTimer& deadline)
{
    auto socket = std::make_unique<QLocalSocket>();
    for (;;) {
        socket->connectToServer(name);
        if (socket->waitForConnected(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
        socket->abort();
        if (deadline.hasExpired())
            return nullptr;
        QThread::msleep(100);
    }
    socket->write(message);
    if (!socket->waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
        return nullptr;
    return socket;
}

} // namespace

std::optional<QString> sendRequest(const QString& text, const QString& name, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QByteArray message(1, kRequestMark);
    message += text.toUtf8();
    message.append('\0');
    const auto socket = deliver(message, name, deadline);
    if (!socket)
        return std::nullopt;
    QByteArray answer;
    while (!answer.contains('\0')) {
        if (!socket->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            return std::nullopt;
        answer += socket->readAll();
        if (answer.size() > kMaxMessage)
            return std::nullopt;
    }
    return QString::fromUtf8(answer.left(answer.indexOf('\0')));
}

bool sendToRunningInstance(const QString& text, const QString& name, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QByteArray payload = text.toUtf8();
    payload.append('\0');
    const auto socket = deliver(payload, name, deadline);
    if (!socket || !socket->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
        return false;
    return socket->read(1) == QByteArray(1, '\0');
}

bool sendShowRequest(const QString& name, int timeoutMs)
{
    return sendToRunningInstance(QString(), name, timeoutMs);
}

} // namespace zorvex
