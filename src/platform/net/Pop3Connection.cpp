#include "platform/net/Pop3Connection.h"

#include <QCryptographicHash>
#include <QSslConfiguration>

namespace zorvex {

Pop3Connection::Pop3Connection(QObject* parent)
    : QObject(parent)
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        if (m_session)
            m_session->fail(Pop3Error::Timeout);
        end();
    });
}

Pop3Connection::~Pop3Connection()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
}

void Pop3Connection::run(const Target& target, std::unique_ptr<Pop3Session> session)
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
    }
    m_target = target;
    m_session = std::move(session);
    m_ended = false;
    m_peerSha256.clear();
    m_socket = new QSslSocket(this);
    m_socket->setPeerVerifyName(target.host);
    connect(m_socket, &QSslSocket::readyRead, this, &Pop3Connection::readAvailable);
    connect(m_socket, &QSslSocket::errorOccurred, this, &Pop3Connection::socketError);
    connect(m_socket, &QSslSocket::sslErrors, this, &Pop3Connection::sslErrors);
    connect(m_socket, &QSslSocket::encrypted, this, [this] {
        m_peerSha256 = QString::fromLatin1(m_socket->peerCertificate().digest(QCryptographicHash::Sha256).toHex());
        m_session->tlsStarted();
        flush();
        m_timeout.start(m_timeoutMs);
    });
    connect(m_socket, &QSslSocket::disconnected, this, [this] {
        readAvailable();
        if (m_session)
            m_session->connectionClosed();
        end();
    });
    m_timeout.start(m_timeoutMs);
    if (target.implicitTls)
        m_socket->connectToHostEncrypted(target.host, target.port);
    else
        m_socket->connectToHost(target.host, target.port);
}

void Pop3Connection::cancel()
{
    if (m_ended)
        return;
    m_session->fail(Pop3Error::Closed, QStringLiteral("Anulowano"));
    end();
}

void Pop3Connection::readAvailable()
{
    if (m_ended || !m_socket)
        return;
    // Before the handshake of STLS nothing more is read in the clear.
    if (m_session->wantsTls())
        return;
    const QByteArray bytes = m_socket->readAll();
    if (bytes.isEmpty())
        return;
    m_timeout.start(m_timeoutMs);
    m_session->received(bytes);
    if (m_session->wantsTls()) {
        m_socket->startClientEncryption();
        return;
    }
    flush();
    if (m_session->done())
        end();
}

void Pop3Connection::flush()
{
    const QByteArray out = m_session->takeOutput();
    if (!out.isEmpty())
        m_socket->write(out);
}

void Pop3Connection::sslErrors(const QList<QSslError>& errors)
{
    const QSslCertificate cert = m_socket->peerCertificate();
    m_peerSha256 = QString::fromLatin1(cert.digest(QCryptographicHash::Sha256).toHex());
    const QString trusted = m_target.trustedSha256.trimmed().remove(QLatin1Char(':')).toLower();
    if (!cert.isNull() && !trusted.isEmpty() && trusted == m_peerSha256) {
        m_socket->ignoreSslErrors(errors);
        return;
    }
    QStringList texts;
    for (const QSslError& e : errors)
        texts << e.errorString();
    m_session->fail(Pop3Error::Untrusted, texts.join(QStringLiteral("; ")));
    end();
}

void Pop3Connection::socketError(QAbstractSocket::SocketError error)
{
    if (m_ended)
        return;
    switch (error) {
    case QAbstractSocket::RemoteHostClosedError:
        readAvailable();
        m_session->connectionClosed();
        break;
    case QAbstractSocket::HostNotFoundError: m_session->fail(Pop3Error::HostNotFound, m_socket->errorString()); break;
    case QAbstractSocket::SocketTimeoutError: m_session->fail(Pop3Error::Timeout); break;
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError: m_session->fail(Pop3Error::Tls, m_socket->errorString()); break;
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::NetworkError: m_session->fail(Pop3Error::Refused, m_socket->errorString()); break;
    default: m_session->fail(Pop3Error::Server, m_socket->errorString()); break;
    }
    end();
}

void Pop3Connection::end()
{
    if (m_ended)
        return;
    m_ended = true;
    m_timeout.stop();
    if (m_socket) {
        m_socket->disconnect(this);
        if (m_session && m_session->done() && m_session->result().finished)
            m_socket->disconnectFromHost();
        else
            m_socket->abort();
        m_socket->deleteLater();
        m_socket = nullptr;
    }
    const Pop3Session::Result result = m_session->result();
    QMetaObject::invokeMethod(this, [this, result] { emit finished(result); }, Qt::QueuedConnection);
}

} // namespace zorvex
