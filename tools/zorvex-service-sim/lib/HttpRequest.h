#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

namespace zorvex::sim {

struct HttpRequest {
    QByteArray method;
    QByteArray target; // as sent: path and query
    QByteArray path;   // still percent-encoded
    QByteArray query;  // without the "?"
    QByteArray version;
    QList<QPair<QByteArray, QByteArray>> headers; // names in lower case
    QByteArray body;

    QByteArray header(const QByteArray& lowerName) const;
    bool keepAlive() const;
};

// Reads requests off a connection's bytes, one at a time. Enough of
// HTTP/1.1 for the clients we serve: Content-Length bodies, no chunked
// uploads, limits on the header block and the body.
class HttpRequestReader {
public:
    enum class State { NeedMore, Ready, Bad };

    static constexpr qsizetype kMaxHeaderBytes = 64 * 1024;
    static constexpr qsizetype kMaxBodyBytes = 1024 * 1024;

    // Looks at the front of `buffer`; on Ready the request is taken out of it.
    State read(QByteArray& buffer);
    const HttpRequest& request() const { return m_request; }
    // Status and reason for a Bad request.
    int errorStatus() const { return m_errorStatus; }
    const char* errorReason() const { return m_errorReason; }

private:
    State bad(int status, const char* reason);

    HttpRequest m_request;
    int m_errorStatus = 400;
    const char* m_errorReason = "Bad Request";
};

} // namespace zorvex::sim
