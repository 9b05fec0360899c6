#pragma once

#include "HttpRequest.h"
#include "ServiceAnswers.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

namespace zorvex::sim {

// How an answer leaves the simulator.
enum class Delivery {
    Whole,     // at once
    Drip,      // one byte per drip interval
    Stall,     // never
    Oversized, // the answer, then more of the same up to a size
};

struct Reply {
    Answer answer;
    Delivery delivery = Delivery::Whole;
    qint64 oversizeBytes = 0;
};

// One client connection: reads requests one after another (keep-alive),
// hands each to the simulator and sends back what it decides.
class HttpConnection : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<Reply(const HttpRequest&)>;
    using BadHandler = std::function<void(const QByteArray& head, int status)>;

    HttpConnection(QTcpSocket* socket, Handler handler, BadHandler bad, int dripMs);

private:
    void readMore();
    void processNext();
    void send(const Reply& reply, bool keepAlive);
    void wrote();
    void dripOne();
    void finished();

    QPointer<QTcpSocket> m_socket;
    Handler m_handler;
    BadHandler m_bad;
    HttpRequestReader m_reader;
    QByteArray m_buffer;
    bool m_busy = false;
    bool m_keepAlive = true;

    QTimer m_drip;
    QByteArray m_dripBytes;
    qsizetype m_dripAt = 0;

    QByteArray m_filler;
    qint64 m_fillerLeft = 0;
};

} // namespace zorvex::sim
