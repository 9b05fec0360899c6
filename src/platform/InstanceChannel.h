#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace zorvex {

// The local channel over which a second start hands its argument to the
// running instance.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QString name = defaultName(), QObject* parent = nullptr);
    ~InstanceServer() override;

    // Takes the channel over, also from an instance that still runs (the
    // newest instance is the one that receives).
    bool listen();

    static QString defaultName();

signals:
    void received(const QString& text);

private:
    void onNewConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

// Sends `text` to the running instance; false when nobody took it.
bool sendToRunningInstance(const QString& text, const QString& name = InstanceServer::defaultName(),
                           int timeoutMs = 3000);

} // namespace zorvex
