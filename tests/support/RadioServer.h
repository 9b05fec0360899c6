#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace zorvex::test {

// A radio server on 127.0.0.1, run by the test's own event loop: if the
// program's main thread blocked while a stream opened, nothing would be sent.
class RadioServer : public QObject {
public:
    enum class Mode { Stream, Refuse, Silent };

    RadioServer(Mode mode, QByteArray audio = {})
        : m_mode(mode)
        , m_audio(std::move(audio))
    {
        connect(&m_server, &QTcpServer::newConnection, this, &RadioServer::accept);
        m_server.listen(QHostAddress::LocalHost);
        m_timer.setInterval(50);
        connect(&m_timer, &QTimer::timeout, this, &RadioServer::send);
    }

    QString url() const
    {
        return QStringLiteral("http://127.0.0.1:") + QString::number(m_server.serverPort()) + QStringLiteral("/stream");
    }
    QByteArray request() const { return m_request; }

    // The answer's head; a stream gets the ICY names and the metadata
    // interval after it.
    QByteArray statusLine = "ICY 200 OK";
    // Bytes of sound sent before the server falls silent (or hangs up);
    // -1 sends for ever.
    qint64 limit = -1;
    bool hangUp = false;
    QList<QByteArray> titles;
    // An Ogg stream carries its titles in its comments: no ICY metadata.
    bool ogg = false;

private:
    static constexpr int kMetaInt = 8192;
    static constexpr int kPerTick = 800; // 16 000 bytes a second: 128 kbps

    void accept()
    {
        m_socket = m_server.nextPendingConnection();
        connect(m_socket, &QTcpSocket::readyRead, this, &RadioServer::read);
    }

    void read()
    {
        m_request += m_socket->readAll();
        if (!m_request.contains("\r\n\r\n") || m_answered)
            return;
        m_answered = true;
        if (m_mode == Mode::Silent)
            return;
        if (m_mode == Mode::Refuse) {
            m_socket->write(statusLine + "\r\n\r\n");
            m_socket->disconnectFromHost();
            return;
        }
        if (ogg)
            m_socket->write(statusLine + "\r\nContent-Type: application/ogg\r\nicy-name:Radio Testowe\r\n\r\n");
        else
            m_socket->write(statusLine
                            + "\r\nicy-name:Radio Testowe\r\nicy-br:128\r\ncontent-type:audio/mpeg\r\nicy-metaint:"
                            + QByteArray::number(kMetaInt) + "\r\n\r\n");
        for (int i = 0; i < 5; ++i)
            send();
        m_timer.start();
    }

    void send()
    {
        if (!m_socket || m_socket->state() != QAbstractSocket::ConnectedState) {
            m_timer.stop();
            return;
        }
        int left = kPerTick;
        while (left > 0) {
            if (limit >= 0 && m_sent >= limit) {
                m_timer.stop();
                if (hangUp)
                    m_socket->disconnectFromHost();
                return;
            }
            const int room = ogg ? left : kMetaInt - int(m_sent % kMetaInt);
            const int n = std::min({left, room, int(m_audio.size() - m_at)});
            m_socket->write(m_audio.constData() + m_at, n);
            m_at = (m_at + n) % m_audio.size();
            m_sent += n;
            left -= n;
            if (!ogg && m_sent % kMetaInt == 0)
                m_socket->write(metadataBlock(int(m_sent / kMetaInt)));
        }
    }

    // Two blocks (a second of sound) to each title.
    QByteArray metadataBlock(int block) const
    {
        if (titles.isEmpty())
            return QByteArray(1, '\0');
        const QByteArray text = "StreamTitle='" + titles[(block - 1) / 2 % titles.size()] + "';";
        const int units = int((text.size() + 15) / 16);
        return QByteArray(1, char(units)) + text + QByteArray(units * 16 - text.size(), '\0');
    }

    QTcpServer m_server;
    QTcpSocket* m_socket = nullptr;
    QTimer m_timer;
    Mode m_mode;
    QByteArray m_audio;
    QByteArray m_request;
    bool m_answered = false;
    qint64 m_sent = 0;
    qsizetype m_at = 0;
};

} // namespace zorvex::test
