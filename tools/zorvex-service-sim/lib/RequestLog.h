#pragma once

#include <QFile>
#include <QHash>
#include <QString>
#include <QStringList>

namespace zorvex::sim {

// One line per request, tab-separated key=value fields in this order:
// method, target (as sent), endpoint (the service endpoint taken from `l=`,
// or the path for everything else), query (the endpoint's own query),
// status, fault (the fault applied, empty for none), user-agent,
// content-type, accept, cookie, body (its length in bytes).
struct LoggedRequest {
    QString method;
    QString target;
    QString endpoint;
    QString query;
    int status = 0;
    QString fault;
    QString userAgent;
    QString contentType;
    QString accept;
    QString cookie;
    qint64 bodyLength = 0;

    QString toLine() const;
};

// Reads a line of the log back into its fields; tests assert on these.
QHash<QString, QString> parseLogLine(QStringView line);

class RequestLog {
public:
    // Starts the file afresh; false when it cannot be written.
    bool open(const QString& path);
    bool isOpen() const { return m_file.isOpen(); }
    // Written and flushed before the answer goes out, so whoever has the
    // answer can already read its line.
    void append(const LoggedRequest& request);

private:
    QFile m_file;
};

} // namespace zorvex::sim
