#pragma once

// Request clients and downloaders that answer from the test: every request
// waits until the test delivers it, as a real answer comes later.

#include "core/internet/HttpTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <optional>

namespace zorvex::test {

class FakeRequestClient : public TextRequestClient {
public:
    // Answers a request; unset means every request fails.
    std::function<HttpAnswer(const QString& method, const QString& url)> server;
    QStringList log; // "POST url", "GET url"

    void post(const QString& url, HttpDone done) override { begin(QStringLiteral("POST"), url, std::move(done)); }
    void get(const QString& url, HttpDone done) override { begin(QStringLiteral("GET"), url, std::move(done)); }
    void abort() override { m_pending.reset(); }
    bool busy() const override { return m_pending.has_value(); }

    // Answers the waiting request; false when none waits.
    bool deliverOne()
    {
        if (!m_pending)
            return false;
        Pending p = std::move(*m_pending);
        m_pending.reset();
        HttpAnswer a;
        if (server)
            a = server(p.method, p.url);
        else
            a.error = QStringLiteral("no server");
        p.done(a);
        return true;
    }
    // Answers until nothing waits any more.
    void deliverAll()
    {
        while (deliverOne()) {
        }
    }

    static HttpAnswer ok(const QByteArray& body)
    {
        HttpAnswer a;
        a.ok = true;
        a.status = 200;
        a.body = body;
        return a;
    }
    static HttpAnswer failure(const QString& error = QStringLiteral("HTTP 500 Internal Server Error"))
    {
        HttpAnswer a;
        a.status = 500;
        a.error = error;
        return a;
    }

private:
    struct Pending {
        QString method;
        QString url;
        HttpDone done;
    };
    void begin(const QString& method, const QString& url, HttpDone done)
    {
        log << method + QLatin1Char(' ') + url;
        m_pending = Pending{method, url, std::move(done)};
    }
    std::optional<Pending> m_pending;
};

class FakeDownloader : public FileDownloader {
public:
    // The file's bytes for an address; nothing makes the download fail.
    std::function<std::optional<QByteArray>(const QString& url)> server;
    QStringList log;

    void start(const QString& url, const QString& path, Events events) override
    {
        log << url + QStringLiteral(" -> ") + path;
        m_pending = Pending{url, path, std::move(events)};
    }
    void cancel() override { m_pending.reset(); }
    bool busy() const override { return m_pending.has_value(); }

    bool deliverOne()
    {
        if (!m_pending)
            return false;
        Pending p = std::move(*m_pending);
        m_pending.reset();
        const std::optional<QByteArray> bytes = server ? server(p.url) : std::nullopt;
        if (!bytes) {
            if (p.events.failed)
                p.events.failed(QStringLiteral("HTTP 404 Not Found"));
            return true;
        }
        if (p.events.progress)
            p.events.progress(bytes->size(), bytes->size());
        QFile f(p.path);
        if (!f.open(QIODevice::WriteOnly) || f.write(*bytes) != bytes->size()) {
            if (p.events.failed)
                p.events.failed(f.errorString());
            return true;
        }
        f.close();
        if (p.events.done)
            p.events.done(p.path, bytes->size());
        return true;
    }
    void deliverAll()
    {
        while (deliverOne()) {
        }
    }

private:
    struct Pending {
        QString url;
        QString path;
        Events events;
    };
    std::optional<Pending> m_pending;
};

} // namespace zorvex::test
