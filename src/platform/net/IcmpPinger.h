#pragma once

#include <QHostAddress>
#include <QObject>
#include <QProcess>
#include <QTimer>

class QSocketNotifier;

namespace zorvex {

// One ICMP echo at a time, answered from the event loop. Our own echo over
// a Linux datagram ICMP socket where net.ipv4.ping_group_range allows it,
// over a raw socket when the process may open one, otherwise the system
// `ping` started with an argument list. Replies count only from the address
// asked, with our identifier and sequence number.
class IcmpPinger : public QObject {
    Q_OBJECT
public:
    enum class Method { Automatic, Datagram, Raw, Program };

    explicit IcmpPinger(QObject* parent = nullptr);
    ~IcmpPinger() override;

    // Tests force one; Automatic tries them in the order above.
    void setMethod(Method method);
    // What the pings use now (after the first one, for Automatic).
    Method method() const { return m_using; }

    // finished() follows once. An address that is not IPv4 is simply down.
    void ping(const QString& ip, int timeoutMs);
    void cancel();
    bool busy() const { return m_busy; }

signals:
    // `failed`: nothing could be sent (no right to, no ping program): the
    // run ends.
    void finished(bool up, bool failed);

private:
    bool openSocket();
    void closeSocket();
    void readReplies();
    void pingWithProgram(const QString& ip, int timeoutMs);
    void done(bool up, bool failed);

    Method m_method = Method::Automatic;
    Method m_using = Method::Automatic;
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QProcess* m_process = nullptr;
    QTimer m_timeout;
    QHostAddress m_target;
    quint16 m_identifier = 0;
    quint16 m_sequence = 0;
    bool m_busy = false;
};

} // namespace zorvex
