#pragma once

#include "core/net/Pop3Session.h"

#include <QObject>
#include <QSslSocket>
#include <QTimer>

#include <memory>

namespace zorvex {

// Runs one Pop3Session over a socket without waiting: plain TCP (with STLS
// when the server offers it), or TLS from the start. Certificates and the
// host name are checked; a server the system does not trust is accepted
// only when its certificate's SHA-256 matches the one the account chose to
// trust, and otherwise the session ends before the password is sent. Every
// read has a time-out.
class Pop3Connection : public QObject {
    Q_OBJECT
public:
    struct Target {
        QString host;
        quint16 port = 110;
        bool implicitTls = false;
        QString trustedSha256; // hex, empty: the system's trust only
    };

    explicit Pop3Connection(QObject* parent = nullptr);
    ~Pop3Connection() override;

    void setReadTimeoutMs(int ms) { m_timeoutMs = ms; }
    // Starts; finished() comes once, from the event loop.
    void run(const Target& target, std::unique_ptr<Pop3Session> session);
    // Ends the session now ("Anuluj"); finished() still comes.
    void cancel();
    bool running() const { return m_session && !m_session->done(); }
    const Pop3Session* session() const { return m_session.get(); }
    // The SHA-256 of the certificate the server showed in this run, hex;
    // empty when it showed none.
    QString peerSha256() const { return m_peerSha256; }

signals:
    void finished(const Pop3Session::Result& result);

private:
    void readAvailable();
    void flush();
    void socketError(QAbstractSocket::SocketError error);
    void sslErrors(const QList<QSslError>& errors);
    void end();

    QSslSocket* m_socket = nullptr;
    std::unique_ptr<Pop3Session> m_session;
    Target m_target;
    QTimer m_timeout;
    int m_timeoutMs = 120000;
    QString m_peerSha256;
    bool m_ended = true;
};

} // namespace zorvex
