#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace zorvex {

// What a request brought back. A failure (no connection, an HTTP error, a
// time-out, an answer beyond any list's size) has `ok` false and `error` in
// words; nothing of such an answer is used.
struct HttpAnswer {
    bool ok = false;
    int status = 0; // the HTTP status when one came
    QByteArray body;
    QString error;
};

using HttpDone = std::function<void(const HttpAnswer&)>;

// One request client of a feature. A client runs one request at a time:
// starting another, or abort(), drops the running one, whose callback then
// never comes. Callbacks arrive on the interface thread, never from inside
// post() or get().
class TextRequestClient {
public:
    virtual ~TextRequestClient() = default;
    // POST with an empty body.
    virtual void post(const QString& url, HttpDone done) = 0;
    virtual void get(const QString& url, HttpDone done) = 0;
    virtual void abort() = 0;
    virtual bool busy() const = 0;
};

// A background download of one address into one file. The file appears only
// once the download is complete; a cancelled or failed download leaves no
// partial file behind. Only one download runs at a time per downloader.
class FileDownloader {
public:
    struct Events {
        // The size the server announced (-1 when it did not), bytes so far.
        std::function<void(qint64 total, qint64 done)> progress;
        std::function<void(const QString& path, qint64 size)> done;
        std::function<void(const QString& error)> failed;
    };

    virtual ~FileDownloader() = default;
    virtual void start(const QString& url, const QString& path, Events events) = 0;
    // Stops the running download without any event.
    virtual void cancel() = 0;
    virtual bool busy() const = 0;
};

} // namespace zorvex
