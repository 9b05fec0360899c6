#include "HttpConnection.h"

namespace zorvex::sim {
namespace {

constexpr qint64 kWriteAhead = 256 * 1024;

QByteArray head(const Answer& a, qint64 length, bool keepAlive)
{
    QByteArray h = "HTTP/1.1 " + QByteArray::number(a.status) + ' ' + a.reason + "\r\n";
    h += "Server: zorvex-service-sim\r\n";
    if (!a.contentType.isEmpty())
        h += "Content-Type: " + a.contentType + "\r\n";
    h += "Content-Length: " + QByteArray::number(length) + "\r\n";
    for (const auto& extra : a.headers)
        h += extra.first + ": " + extra.second + "\r\n";
    h += keepAlive ? "Connection: keep-alive\r\n" : "Connection: close\r\n";
    h += "\r\n";
    return h;
}

// What an oversized answer goes on with: its own data lines over and over
// (so a client without a size limit takes in a huge list), or zero bytes.
QByteArray fillerFor(const Answer& a)
{
    QByteArray unit;
    if (a.textLines) {
        const QList<QByteArray> lines = a.body.split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i) {
            if (!lines[i].isEmpty())
                unit += lines[i] + '\n';
        }
    }
    if (unit.isEmpty())
        unit = QByteArray(4096, '\0');
    QByteArray block;
    while (block.size() < 64 * 1024)
        block += unit;
    return block;
}

} // namespace

HttpConnection::HttpConnection(QTcpSocket* socket, Handler handler, BadHandler bad, int dripMs)
    : QObject(socket)
    , m_socket(socket)
    , m_handler(std::move(handler))
    , m_bad(std::move(bad))
{
    m_drip.setInterval(dripMs);
    connect(&m_drip, &QTimer::timeout, this, &HttpConnection::dripOne);
    connect(socket, &QTcpSocket::readyRead, this, &HttpConnection::readMore);
    connect(socket, &QTcpSocket::bytesWritten, this, &HttpConnection::wrote);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void HttpConnection::readMore()
{
    m_buffer += m_socket->readAll();
    if (!m_busy)
        processNext();
}

void HttpConnection::processNext()
{
    if (!m_socket || m_busy)
        return;
    const QByteArray before = m_buffer.left(512);
    switch (m_reader.read(m_buffer)) {
    case HttpRequestReader::State::NeedMore:
        return;
    case HttpRequestReader::State::Bad: {
        m_bad(before, m_reader.errorStatus());
        m_buffer.clear();
        Reply r;
        r.answer = errorAnswer(m_reader.errorStatus(), m_reader.errorReason());
        send(r, false);
        return;
    }
    case HttpRequestReader::State::Ready:
        break;
    }
    const HttpRequest request = m_reader.request();
    send(m_handler(request), request.keepAlive());
}

void HttpConnection::send(const Reply& reply, bool keepAlive)
{
    m_busy = true;
    m_keepAlive = keepAlive;
    const Answer& a = reply.answer;
    switch (reply.delivery) {
    case Delivery::Stall:
        // Stays busy: later requests on this connection are never read.
        return;
    case Delivery::Drip:
        m_dripBytes = head(a, a.body.size(), keepAlive) + a.body;
        m_dripAt = 0;
        m_drip.start();
        dripOne();
        return;
    case Delivery::Oversized: {
        const qint64 total = std::max<qint64>(reply.oversizeBytes, a.body.size());
        m_filler = fillerFor(a);
        m_fillerLeft = total - a.body.size();
        m_socket->write(head(a, total, keepAlive) + a.body);
        wrote();
        return;
    }
    case Delivery::Whole:
        m_socket->write(head(a, a.body.size(), keepAlive) + a.body);
        return;
    }
}

void HttpConnection::wrote()
{
    if (!m_socket || !m_busy || m_drip.isActive())
        return;
    while (m_fillerLeft > 0 && m_socket->bytesToWrite() < kWriteAhead) {
        const qint64 n = std::min<qint64>(m_fillerLeft, m_filler.size());
        m_socket->write(m_filler.constData(), n);
        m_fillerLeft -= n;
    }
    if (m_fillerLeft == 0 && m_socket->bytesToWrite() == 0)
        finished();
}

void HttpConnection::dripOne()
{
    if (!m_socket)
        return;
    if (m_dripAt < m_dripBytes.size()) {
        m_socket->write(m_dripBytes.constData() + m_dripAt, 1);
        ++m_dripAt;
        m_socket->flush();
    }
    if (m_dripAt >= m_dripBytes.size()) {
        m_drip.stop();
        m_dripBytes.clear();
        if (m_socket->bytesToWrite() == 0)
            finished();
    }
}

void HttpConnection::finished()
{
    m_busy = false;
    if (!m_keepAlive) {
        m_socket->disconnectFromHost();
        return;
    }
    processNext();
}

} // namespace zorvex::sim
