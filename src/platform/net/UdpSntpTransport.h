#pragma once

#include "core/net/SntpTransport.h"

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QUdpSocket;

namespace zorvex {

// SNTP over a QUdpSocket: the name is looked up without waiting, datagrams
// from any other address or port are dropped, one time-out covers the
// lookup and the answer.
class UdpSntpTransport : public QObject, public SntpTransport {
    Q_OBJECT
public:
    explicit UdpSntpTransport(QObject* parent = nullptr);
    ~UdpSntpTransport() override;

    void exchange(const HostPort& server, int timeoutMs, std::function<QByteArray()> makeRequest,
                  std::function<void(const QByteArray&)> received,
                  std::function<void(const QString& error)> failed) override;
    void stop() override;

private:
    void send(const QHostAddress& address);
    void readPending();
    void fail(const QString& error);

    QUdpSocket* m_socket = nullptr;
    QTimer m_timeout;
    int m_lookup = -1;
    QHostAddress m_address;
    quint16 m_port = 0;
    quint64 m_generation = 0;
    std::function<QByteArray()> m_makeRequest;
    std::function<void(const QByteArray&)> m_received;
    std::function<void(const QString&)> m_failed;
};

} // namespace zorvex
