#pragma once

#include "HttpRequest.h"
#include "SimData.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace zorvex::sim {

// Where things live below the simulator's base URL.
inline constexpr char kServicePath[] = "/serwis.php";     // + "?l=" + endpoint
inline constexpr char kShoutboxPath[] = "/shoutbox.php";  // + "?w=" + version + "&user_id=" + token
inline constexpr char kAddonsPath[] = "/dodatki.php";     // + "?id=" + tag + "&w=" + version

struct Answer {
    int status = 200;
    QByteArray reason = "OK";
    QByteArray contentType;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    // First field of the answer's marker or status line ("MIASTA",
    // "UPDATE", "POGODA"); empty for pages and files.
    QString marker;
    // The body is lines of text (an oversized answer repeats them).
    bool textLines = false;
};

struct Exchange {
    // The service endpoint as sent in `l=` (its own query split off), or
    // the path of any other request.
    QString endpoint;
    // The endpoint's own query: the part of `l=` after "?" and the other
    // parameters of the URL, which is where "&date=…" of an endpoint
    // arrives.
    QString query;
    Answer answer;
};

// Splits a service query ("l=pogoda.php?mid=1&date=2026.12.09", or the
// same with the whole endpoint percent-encoded) into endpoint and query.
// Empty endpoint when there is no `l`.
Exchange splitServiceQuery(QByteArrayView rawQuery);
// key=value pairs, percent-decoded ("+" is a space, as PHP reads them).
QList<QPair<QString, QString>> parseQuery(QStringView query);

// Every answer the simulator gives, without faults: the service endpoints,
// the pages, the files they point at and the add-on packages.
class ServiceAnswers {
public:
    ServiceAnswers(SimData data, QString baseUrl, QString updateNumber);

    void setBaseUrl(const QString& baseUrl) { m_baseUrl = baseUrl; }
    const QString& baseUrl() const { return m_baseUrl; }
    const SimData& data() const { return m_data; }

    Exchange exchange(const HttpRequest& request) const;

private:
    Answer service(const QByteArray& method, const QString& endpoint, const QString& query) const;
    Answer page(const QString& file, const QList<QPair<QString, QString>>& params) const;
    Answer file(const QString& path) const;
    Answer listAnswer(const QString& file, const QString& marker) const;
    QString expand(const QString& text, const QList<QPair<QString, QString>>& params) const;
    QString horoscope(const QString& sign) const;
    qint64 totalOfUpdateFiles(const QString& text) const;
    Answer indexPage() const;

    SimData m_data;
    QString m_baseUrl;
    QString m_updateNumber;
};

Answer errorAnswer(int status, const QByteArray& reason, const QString& detail = {});

} // namespace zorvex::sim
