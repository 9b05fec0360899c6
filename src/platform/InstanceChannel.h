#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

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

signals:
    void received(const QString& text);
    // A second start that had nothing to hand over.
    void showRequested();

private:
    void onNewConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

// Sends `text` to the running instance; false when nobody took it. A holder
// that is just taking over may not listen yet, so connecting is retried
// until `timeoutMs` has passed.
bool sendToRunningInstance(const QString& text, const QString& name = InstanceServer::defaultName(),
                           int timeoutMs = 3000);
// Tells the running instance that another start was refused.
bool sendShowRequest(const QString& name = InstanceServer::defaultName(), int timeoutMs = 1000);

} // namespace zorvex
