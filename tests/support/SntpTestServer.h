#pragma once

// A small SNTP server on loopback for tests: answers every request at once
// in the way the test chose, with the server's time taken from a clock the
// test holds plus an offset.

#include "core/common/Clock.h"
#include "core/net/Sntp.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QDateTime>
#include <QtEndian>

#include <cstring>

class SntpTestServer : public QObject {
public:
    enum class Answer {
        Good,
        Silent,         // never answers
        TooShort,       // 47 bytes
        ClientMode,     // mode 3 instead of 4
        WrongOriginate, // an answer to some other request
        StaleThenGood,  // first a wrong originate, then the good answer
        Leap3,          // leap indicator "unsynchronised"
        Stratum16,
        ZeroTransmit,
        KissOfDeath,    // stratum 0, "RATE"
        Before2006,     // a server whose clock says 2005
        OtherPort,      // the answer comes from another port
    };

    explicit SntpTestServer(const zorvex::Clock& clock)
        : m_clock(clock)
    {
        m_socket.bind(QHostAddress::LocalHost, 0);
        m_other.bind(QHostAddress::LocalHost, 0);
        QObject::connect(&m_socket, &QUdpSocket::readyRead, this, [this] { serve(); });
    }

    quint16 port() const { return m_socket.localPort(); }
    QString hostPort() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }
    void setAnswer(Answer a) { m_answer = a; }
    void setOffsetMs(qint64 ms) { m_offsetMs = ms; }
    int requests() const { return m_requests; }

private:
    QByteArray packet(quint64 originate, qint64 serverMs, int mode = 4, int leap = 0, int stratum = 2) const
    {
        QByteArray p(zorvex::kSntpPacketSize, '\0');
        p[0] = char(leap << 6 | 3 << 3 | mode);
        p[1] = char(stratum);
        auto* d = reinterpret_cast<uchar*>(p.data());
        if (stratum == 0)
            std::memcpy(d + 12, "RATE", 4);
        const quint64 now = zorvex::ntpFromUnixMs(serverMs);
        qToBigEndian<quint64>(now, d + 16);      // reference
        qToBigEndian<quint64>(originate, d + 24);
        qToBigEndian<quint64>(now, d + 32);      // receive
        qToBigEndian<quint64>(now, d + 40);      // transmit
        return p;
    }

    void serve()
    {
        while (m_socket.hasPendingDatagrams()) {
            const QNetworkDatagram in = m_socket.receiveDatagram();
            ++m_requests;
            if (in.data().size() < zorvex::kSntpPacketSize)
                continue;
            const quint64 originate = qFromBigEndian<quint64>(reinterpret_cast<const uchar*>(in.data().constData()) + 40);
            const qint64 serverMs = m_clock.epochMs() + m_offsetMs;
            QByteArray out = packet(originate, serverMs);
            switch (m_answer) {
            case Answer::Good: break;
            case Answer::Silent: continue;
            case Answer::TooShort: out.chop(1); break;
            case Answer::ClientMode: out = packet(originate, serverMs, 3); break;
            case Answer::WrongOriginate: out = packet(originate + 1, serverMs); break;
            case Answer::StaleThenGood:
                m_socket.writeDatagram(packet(originate ^ 0xFFFF, serverMs), in.senderAddress(), in.senderPort());
                break;
            case Answer::Leap3: out = packet(originate, serverMs, 4, 3); break;
            case Answer::Stratum16: out = packet(originate, serverMs, 4, 0, 16); break;
            case Answer::ZeroTransmit: std::memset(out.data() + 40, 0, 8); break;
            case Answer::KissOfDeath: out = packet(originate, serverMs, 4, 0, 0); break;
            case Answer::Before2006:
                out = packet(originate, QDateTime(QDate(2005, 6, 1), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch());
                break;
            case Answer::OtherPort:
                m_other.writeDatagram(out, in.senderAddress(), in.senderPort());
                continue;
            }
            m_socket.writeDatagram(out, in.senderAddress(), in.senderPort());
        }
    }

    const zorvex::Clock& m_clock;
    QUdpSocket m_socket;
    QUdpSocket m_other;
    Answer m_answer = Answer::Good;
    qint64 m_offsetMs = 0;
    int m_requests = 0;
};
