#include "platform/internet/NetworkAccess.h"

#include "core/internet/ServiceVersion.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace zorvex {

namespace {

QNetworkRequest baseRequest(const QString& url, const char* accept)
{
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::UserAgentHeader, serviceUserAgent());
    request.setRawHeader("Accept", accept);
    // Redirects are followed, but never from https down to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    return request;
}

QString replyError(QNetworkReply* reply)
{
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() >= 400) {
        return QStringLiteral("HTTP ") + QString::number(status.toInt()) + QLatin1Char(' ')
            + reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
    }
    return reply->errorString();
}

} // namespace

// ------------------------------------------------------------ request client

class HttpRequestClient : public QObject, public TextRequestClient {
public:
    HttpRequestClient(NetworkAccess& access, int timeoutMs)
        : m_access(access)
        , m_timeoutMs(timeoutMs)
    {
        m_deadline.setSingleShot(true);
        connect(&m_deadline, &QTimer::timeout, this, [this] {
            fail(QStringLiteral("Serwer nie odpowiedział w ciągu ") + QString::number(m_timeoutMs / 1000)
                 + QStringLiteral(" s"));
        });
    }
    ~HttpRequestClient() override { abort(); }

    void post(const QString& url, HttpDone done) override
    {
        // A new request first closes whatever the client still holds.
        abort();
        QNetworkRequest request = baseRequest(url, "text/html, */*");
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("text/html"));
        begin(m_access.manager().post(request, QByteArray()), std::move(done));
    }

    void get(const QString& url, HttpDone done) override
    {
        abort();
        QNetworkRequest request = baseRequest(url, "text/html, */*");
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("text/html"));
        begin(m_access.manager().get(request), std::move(done));
    }

    void abort() override
    {
        if (!m_reply)
            return;
        QNetworkReply* reply = m_reply;
        m_reply = nullptr;
        m_done = nullptr;
        m_deadline.stop();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
        m_access.ended();
    }

    bool busy() const override { return m_reply != nullptr; }

private:
    void begin(QNetworkReply* reply, HttpDone done)
    {
        m_reply = reply;
        m_done = std::move(done);
        m_body.clear();
        m_access.started();
        m_deadline.start(m_timeoutMs);
        connect(reply, &QNetworkReply::readyRead, this, [this] {
            m_body += m_reply->readAll();
            if (m_body.size() > NetworkAccess::kMaxAnswerBytes)
                fail(QStringLiteral("Odpowiedź serwera jest zbyt duża"));
        });
        connect(reply, &QNetworkReply::finished, this, [this] { finish(); });
    }

    void finish()
    {
        HttpAnswer answer;
        answer.status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (m_reply->error() == QNetworkReply::NoError) {
            answer.ok = true;
            answer.body = m_body + m_reply->readAll();
        } else {
            answer.error = replyError(m_reply);
        }
        deliver(answer);
    }

    void fail(const QString& error)
    {
        HttpAnswer answer;
        answer.error = error;
        deliver(answer);
    }

    void deliver(const HttpAnswer& answer)
    {
        HttpDone done = std::move(m_done);
        abort();
        m_body.clear();
        if (done)
            done(answer);
    }

    NetworkAccess& m_access;
    int m_timeoutMs;
    QTimer m_deadline;
    QNetworkReply* m_reply = nullptr;
    HttpDone m_done;
    QByteArray m_body;
};

// ---------------------------------------------------------------- downloader

class HttpFileDownloader : public QObject, public FileDownloader {
public:
    HttpFileDownloader(NetworkAccess& access, bool alwaysFresh, int stallTimeoutMs)
        : m_access(access)
        , m_alwaysFresh(alwaysFresh)
        , m_stallTimeoutMs(stallTimeoutMs)
    {
    }
    ~HttpFileDownloader() override { cancel(); }

    void start(const QString& url, const QString& path, Events events) override
    {
        cancel();
        m_events = std::move(events);
        m_file = std::make_unique<QSaveFile>(path);
        // The file appears only once it is whole.
        if (!m_file->open(QIODevice::WriteOnly)) {
            const QString error = m_file->errorString();
            m_file.reset();
            // Reported from the event loop like every other outcome.
            QTimer::singleShot(0, this, [failed = m_events.failed, error] {
                if (failed)
                    failed(error);
            });
            return;
        }
        QNetworkRequest request = baseRequest(url, "*/*");
        request.setTransferTimeout(m_stallTimeoutMs);
        if (m_alwaysFresh) {
            request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
            request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
            request.setRawHeader("Cache-Control", "no-cache");
            request.setRawHeader("Pragma", "no-cache");
        }
        m_reply = m_access.manager().get(request);
        m_access.started();
        connect(m_reply, &QNetworkReply::readyRead, this, [this] {
            const QByteArray data = m_reply->readAll();
            if (m_file->write(data) != data.size())
                fail(m_file->errorString());
        });
        connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
            if (m_events.progress)
                m_events.progress(total, received);
        });
        connect(m_reply, &QNetworkReply::finished, this, [this] { finish(); });
    }

    void cancel() override
    {
        if (m_reply) {
            QNetworkReply* reply = m_reply;
            m_reply = nullptr;
            reply->disconnect(this);
            reply->abort();
            reply->deleteLater();
            m_access.ended();
        }
        if (m_file) {
            m_file->cancelWriting();
            m_file.reset();
        }
    }

    bool busy() const override { return m_reply != nullptr; }

private:
    void finish()
    {
        if (m_reply->error() != QNetworkReply::NoError) {
            fail(replyError(m_reply));
            return;
        }
        const QByteArray rest = m_reply->readAll();
        if (m_file->write(rest) != rest.size()) {
            fail(m_file->errorString());
            return;
        }
        const qint64 size = m_file->size();
        const QString path = m_file->fileName();
        if (!m_file->commit()) {
            fail(m_file->errorString());
            return;
        }
        m_file.reset();
        Events events = std::move(m_events);
        cancel();
        if (events.done)
            events.done(path, size);
    }

    void fail(const QString& error)
    {
        Events events = std::move(m_events);
        cancel();
        if (events.failed)
            events.failed(error);
    }

    NetworkAccess& m_access;
    bool m_alwaysFresh;
    int m_stallTimeoutMs;
    QNetworkReply* m_reply = nullptr;
    std::unique_ptr<QSaveFile> m_file;
    Events m_events;
};

// ------------------------------------------------------------------- access

NetworkAccess::NetworkAccess(QObject* parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
    applyProxy({});
}

NetworkAccess::~NetworkAccess() = default;

void NetworkAccess::applyProxy(const ProxyUse& proxy)
{
    m_proxy = proxy;
    if (!proxy.on) {
        m_manager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        return;
    }
    QNetworkProxy p(QNetworkProxy::HttpProxy, proxy.host, quint16(proxy.port), proxy.user, proxy.password);
    m_manager->setProxy(p);
}

std::unique_ptr<TextRequestClient> NetworkAccess::createClient(int timeoutMs)
{
    return std::make_unique<HttpRequestClient>(*this, timeoutMs);
}

std::unique_ptr<FileDownloader> NetworkAccess::createDownloader(bool alwaysFresh, int stallTimeoutMs)
{
    return std::make_unique<HttpFileDownloader>(*this, alwaysFresh, stallTimeoutMs);
}

void NetworkAccess::started()
{
    if (m_active++ == 0)
        emit activityChanged(true);
}

void NetworkAccess::ended()
{
    if (m_active > 0 && --m_active == 0)
        emit activityChanged(false);
}

} // namespace zorvex
