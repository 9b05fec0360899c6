#include "platform/net/UdpSntpTransport.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace zorvex {

UdpSntpTransport::UdpSntpTransport(QObject* parent)
    : QObject(parent)
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] { fail(QString()); });
}

UdpSntpTransport::~UdpSntpTransport()
{
    stop();
}

void UdpSntpTransport::exchange(const HostPort& server, int timeoutMs, std::function<QByteArray()> makeRequest,
                                std::function<void(const QByteArray&)> received,
                                std::function<void(const QString& error)> failed)
{
    stop();
    m_makeRequest = std::move(makeRequest);
    m_received = std::move(received);
    m_failed = std::move(failed);
    m_port = server.port;
    m_timeout.start(timeoutMs);
    QHostAddress literal;
    if (literal.setAddress(server.host)) {
        // Sent from the event loop, so `failed` never runs inside exchange().
        const quint64 generation = m_generation;
        QTimer::singleShot(0, this, [this, literal, generation] {
            if (generation == m_generation)
                send(literal);
        });
        return;
    }
    const quint64 generation = m_generation;
    m_lookup = QHostInfo::lookupHost(server.host, this, [this, generation](const QHostInfo& info) {
        if (generation != m_generation)
            return;
        m_lookup = -1;
        if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
            fail(info.errorString());
            return;
        }
        QHostAddress chosen = info.addresses().constFirst();
        for (const QHostAddress& a : info.addresses()) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                chosen = a;
                break;
            }
        }
        send(chosen);
    });
}

void UdpSntpTransport::send(const QHostAddress& address)
{
    m_address = address;
    m_socket = new QUdpSocket(this);
    connect(m_socket, &QUdpSocket::readyRead, this, &UdpSntpTransport::readPending);
    const bool v6 = address.protocol() == QAbstractSocket::IPv6Protocol;
    if (!m_socket->bind(v6 ? QHostAddress::AnyIPv6 : QHostAddress::AnyIPv4, 0)) {
        fail(m_socket->errorString());
        return;
    }
    const QByteArray request = m_makeRequest();
    if (m_socket->writeDatagram(request, address, m_port) != request.size())
        fail(m_socket->errorString());
}

void UdpSntpTransport::readPending()
{
    const quint64 generation = m_generation;
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket->receiveDatagram(1024);
        QHostAddress from = d.senderAddress();
        bool mapped = false;
        const quint32 v4 = from.toIPv4Address(&mapped);
        if (mapped)
            from = QHostAddress(v4);
        if (from != m_address || d.senderPort() != m_port)
            continue;
        auto received = m_received;
        received(d.data());
        if (generation != m_generation)
            return; // stopped or replaced by the handler
    }
}

void UdpSntpTransport::fail(const QString& error)
{
    auto failed = std::move(m_failed);
    stop();
    if (failed)
        failed(error);
}

void UdpSntpTransport::stop()
{
    ++m_generation;
    m_timeout.stop();
    if (m_lookup >= 0) {
        QHostInfo::abortHostLookup(m_lookup);
        m_lookup = -1;
    }
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->deleteLater();
        m_socket = nullptr;
    }
    m_received = nullptr;
    m_failed = nullptr;
}

} // namespace zorvex
