#pragma once

#include "Fault.h"
#include "HttpConnection.h"
#include "RequestLog.h"
#include "ServiceAnswers.h"
#include "SimData.h"

#include <QObject>
#include <QTcpServer>

namespace zorvex::sim {

struct SimOptions {
    QString dataFolder = SimData::builtIn();
    QString logFile;          // empty: no log file
    FaultSetting fault;
    int dripMs = 100;         // pause between two bytes of a dripping answer
    qint64 oversizeBytes = qint64(40) * 1024 * 1024;
    QString updateNumber = QStringLiteral("29.86"); // the program update on offer
};

// The outside service on loopback: every endpoint, page and file of the
// service with its sample data, the fault switches and the request log.
// Usable in-process by tests as well as through the command-line tool.
class ServiceSimulator : public QObject {
    Q_OBJECT
public:
    explicit ServiceSimulator(SimOptions options, QObject* parent = nullptr);

    // Listens on 127.0.0.1; port 0 picks a free one. False with
    // errorString() when the port or the log file cannot be had.
    bool listen(quint16 port = 0);
    QString errorString() const { return m_error; }
    quint16 port() const { return m_server.serverPort(); }

    // "http://127.0.0.1:PORT/"
    QString baseUrl() const;
    // The three base URLs a client is configured with.
    QString serviceBaseUrl() const;  // … "serwis.php?l="
    QString shoutboxBaseUrl() const; // … "shoutbox.php?w="
    QString addonsBaseUrl() const;   // … "dodatki.php?id="

    // Also reachable while running: GET /_sim/fault?kind=K[&endpoint=E…]
    // ("kind=none" clears it).
    void setFault(const FaultSetting& fault) { m_options.fault = fault; }
    const FaultSetting& fault() const { return m_options.fault; }

signals:
    void requestLogged(const zorvex::sim::LoggedRequest& request);

private:
    void accept();
    Reply reply(const HttpRequest& request);
    Reply control(const HttpRequest& request, LoggedRequest& log);
    void applyFault(const HttpRequest& request, Reply& reply, LoggedRequest& log) const;
    void logBad(const QByteArray& head, int status);
    void record(const LoggedRequest& request);

    SimOptions m_options;
    QTcpServer m_server;
    ServiceAnswers m_answers;
    RequestLog m_log;
    QString m_error;
    QByteArray m_cookieValue;
};

} // namespace zorvex::sim
