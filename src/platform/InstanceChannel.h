#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class QLocalServer;
class QLocalSocket;

namespace zorvex {

// The local channel over which a second start hands its argument to the
// running instance. Only the holder of the instance lock listens on the
// channel's path, and it stops listening before it lets the lock go, so an
// ending instance never takes away the socket of the one after it.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QString name = defaultName(), QObject* parent = nullptr);
    ~InstanceServer() override;

    // Listens on the path; a socket left by a holder that crashed is
    // replaced. Call only while holding the instance lock.
    bool listen();
    bool listening() const;
    // Stops listening and removes the socket; call before releasing the lock.
    void close();

    static QString defaultName();

    // Answers a request: an empty `error` is success. The sender is waiting
    // for it; a request whose sender has gone is answered into nothing.
    void reply(quint64 ticket, const QString& error);

signals:
    void received(const QString& text);
    // A second start that had nothing to hand over.
    void showRequested();
    // A request that waits for its answer (see sendRequest); answered with
    // reply(ticket, …) once it has been carried out.
    void requestReceived(const QString& text, quint64 ticket);

private:
    void onNewConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
    QHash<quint64, QPointer<QLocalSocket>> m_waiting;
    quint64 m_nextTicket = 1;
};

// Sends `text` to the running instance; false when nobody took it. A holder
// that is just taking over may not listen yet, and a busy machine may keep
// it from answering for a while, so connecting is retried until `timeoutMs`
// has passed.
bool sendToRunningInstance(const QString& text, const QString& name = InstanceServer::defaultName(),
                           int timeoutMs = 10000);
// Sends a request and waits for the running instance to carry it out.
// Empty when nobody took it; otherwise the instance's answer, which is
// empty on success and the reason otherwise.
std::optional<QString> sendRequest(const QString& text, const QString& name = InstanceServer::defaultName(),
                                   int timeoutMs = 5000);
// Tells the running instance that another start was refused.
bool sendShowRequest(const QString& name = InstanceServer::defaultName(), int timeoutMs = 1000);

} // namespace zorvex
