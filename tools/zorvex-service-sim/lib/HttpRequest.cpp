#include "HttpRequest.h"

namespace zorvex::sim {

QByteArray HttpRequest::header(const QByteArray& lowerName) const
{
    for (const auto& h : headers) {
        if (h.first == lowerName)
            return h.second;
    }
    return {};
}

bool HttpRequest::keepAlive() const
{
    const QByteArray connection = header("connection").toLower();
    if (version == "HTTP/1.0")
        return connection.contains("keep-alive");
    return !connection.contains("close");
}

HttpRequestReader::State HttpRequestReader::bad(int status, const char* reason)
{
    m_errorStatus = status;
    m_errorReason = reason;
    return State::Bad;
}

HttpRequestReader::State HttpRequestReader::read(QByteArray& buffer)
{
    // Blank lines between requests are allowed before a request line.
    while (buffer.startsWith("\r\n"))
        buffer.remove(0, 2);

    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0) {
        if (buffer.size() > kMaxHeaderBytes)
            return bad(431, "Request Header Fields Too Large");
        return State::NeedMore;
    }
    if (end > kMaxHeaderBytes)
        return bad(431, "Request Header Fields Too Large");

    HttpRequest r;
    const QList<QByteArray> lines = buffer.left(end).split('\n');
    const QList<QByteArray> start = lines.first().trimmed().split(' ');
    if (start.size() != 3 || start[0].isEmpty() || !start[1].startsWith('/') || !start[2].startsWith("HTTP/1."))
        return bad(400, "Bad Request");
    r.method = start[0];
    r.target = start[1];
    r.version = start[2];
    const qsizetype q = r.target.indexOf('?');
    r.path = q < 0 ? r.target : r.target.left(q);
    r.query = q < 0 ? QByteArray() : r.target.mid(q + 1);

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            return bad(400, "Bad Request");
        r.headers.append({line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed()});
    }

    if (!r.header("transfer-encoding").isEmpty())
        return bad(501, "Not Implemented");
    qint64 length = 0;
    const QByteArray lengthText = r.header("content-length");
    if (!lengthText.isEmpty()) {
        bool ok = false;
        length = lengthText.toLongLong(&ok);
        if (!ok || length < 0)
            return bad(400, "Bad Request");
        if (length > kMaxBodyBytes)
            return bad(413, "Content Too Large");
    }
    const qsizetype bodyStart = end + 4;
    if (buffer.size() - bodyStart < length)
        return State::NeedMore;
    r.body = buffer.mid(bodyStart, length);
    buffer.remove(0, bodyStart + length);
    m_request = std::move(r);
    return State::Ready;
}

} // namespace zorvex::sim
