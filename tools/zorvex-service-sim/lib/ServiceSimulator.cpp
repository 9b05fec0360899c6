#include "ServiceSimulator.h"

#include <QRandomGenerator>
#include <QTcpSocket>

namespace zorvex::sim {
namespace {

const QByteArray kCookieName = "ZVXSESJA";

QString headerText(const HttpRequest& r, const QByteArray& name)
{
    return QString::fromUtf8(r.header(name));
}

// Drops the lines whose first "|" field is the marker, as if the service
// had answered with something else before the data.
QByteArray withoutMarker(const QByteArray& body, const QString& marker)
{
    QByteArray out;
    const QList<QByteArray> lines = body.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray content = lines[i];
        content.replace("<br>", "");
        const QByteArray first = content.trimmed().split('|').first();
        if (QString::fromLatin1(first).compare(marker, Qt::CaseInsensitive) == 0)
            continue;
        out += lines[i];
        if (i + 1 < lines.size())
            out += '\n';
    }
    return out;
}

} // namespace

ServiceSimulator::ServiceSimulator(SimOptions options, QObject* parent)
    : QObject(parent)
    , m_options(std::move(options))
    , m_answers(SimData(m_options.dataFolder), QString(), m_options.updateNumber)
{
    m_cookieValue = QByteArray::number(QRandomGenerator::global()->generate64(), 16).toUpper();
    connect(&m_server, &QTcpServer::newConnection, this, &ServiceSimulator::accept);
}

bool ServiceSimulator::listen(quint16 port)
{
    if (!m_options.logFile.isEmpty() && !m_log.open(m_options.logFile)) {
        m_error = QStringLiteral("nie można zapisać dziennika ") + m_options.logFile;
        return false;
    }
    if (!m_server.listen(QHostAddress::LocalHost, port)) {
        m_error = m_server.errorString();
        return false;
    }
    m_answers.setBaseUrl(baseUrl());
    return true;
}

QString ServiceSimulator::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(port());
}

QString ServiceSimulator::serviceBaseUrl() const
{
    return baseUrl() + QLatin1String(kServicePath).mid(1) + QStringLiteral("?l=");
}

QString ServiceSimulator::shoutboxBaseUrl() const
{
    return baseUrl() + QLatin1String(kShoutboxPath).mid(1) + QStringLiteral("?w=");
}

QString ServiceSimulator::addonsBaseUrl() const
{
    return baseUrl() + QLatin1String(kAddonsPath).mid(1) + QStringLiteral("?id=");
}

void ServiceSimulator::accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        new HttpConnection(
            socket, [this](const HttpRequest& r) { return reply(r); },
            [this](const QByteArray& head, int status) { logBad(head, status); }, m_options.dripMs);
    }
}

Reply ServiceSimulator::reply(const HttpRequest& request)
{
    LoggedRequest log;
    log.method = QString::fromLatin1(request.method);
    log.target = QString::fromUtf8(request.target);
    log.userAgent = headerText(request, "user-agent");
    log.contentType = headerText(request, "content-type");
    log.accept = headerText(request, "accept");
    log.cookie = headerText(request, "cookie");
    log.bodyLength = request.body.size();

    Reply r;
    if (request.path.startsWith("/_sim/")) {
        r = control(request, log);
    } else {
        Exchange e = m_answers.exchange(request);
        log.endpoint = e.endpoint;
        log.query = e.query;
        r.answer = std::move(e.answer);
        applyFault(request, r, log);
    }
    log.status = r.delivery == Delivery::Stall ? 0 : r.answer.status;
    record(log);
    return r;
}

void ServiceSimulator::applyFault(const HttpRequest& request, Reply& r, LoggedRequest& log) const
{
    const FaultSetting& f = m_options.fault;
    if (!f.appliesTo(log.endpoint))
        return;
    switch (f.kind) {
    case FaultKind::None:
        return;
    case FaultKind::Http500:
        r.answer = errorAnswer(500, "Internal Server Error", QStringLiteral("Błąd serwera"));
        break;
    case FaultKind::NoMarker:
        // Pages and files have no marker: they come as they are.
        if (r.answer.marker.isEmpty())
            return;
        r.answer.body = withoutMarker(r.answer.body, r.answer.marker);
        break;
    case FaultKind::Stall:
        r.delivery = Delivery::Stall;
        break;
    case FaultKind::Drip:
        r.delivery = Delivery::Drip;
        break;
    case FaultKind::Oversized:
        r.delivery = Delivery::Oversized;
        r.oversizeBytes = m_options.oversizeBytes;
        break;
    case FaultKind::RedirectCookie: {
        const QByteArray cookie = request.header("cookie");
        if (cookie.contains(QByteArray(kCookieName + '=' + m_cookieValue)))
            return; // came back with the cookie: the real answer
        r.answer = errorAnswer(307, "Temporary Redirect", QStringLiteral("Przeniesiono tymczasowo"));
        r.answer.headers.append({"Location", m_answers.baseUrl().toUtf8() + request.target.mid(1)});
        r.answer.headers.append({"Set-Cookie", kCookieName + '=' + m_cookieValue + "; Path=/; HttpOnly"});
        break;
    }
    }
    log.fault = faultName(f.kind);
}

Reply ServiceSimulator::control(const HttpRequest& request, LoggedRequest& log)
{
    log.endpoint = QString::fromUtf8(request.path);
    log.query = QString::fromUtf8(request.query);
    Reply r;
    if (request.path != "/_sim/fault") {
        r.answer = errorAnswer(404, "Not Found");
        return r;
    }
    FaultSetting setting;
    bool ok = true;
    for (const auto& p : parseQuery(log.query)) {
        if (p.first == QLatin1String("kind")) {
            const auto kind = faultFromName(p.second);
            ok = ok && kind.has_value();
            setting.kind = kind.value_or(FaultKind::None);
        } else if (p.first == QLatin1String("endpoint") && !p.second.isEmpty()) {
            setting.endpoints.append(p.second);
        }
    }
    if (!ok) {
        r.answer = errorAnswer(400, "Bad Request", QStringLiteral("Rodzaje usterek: ") + faultNames().join(QStringLiteral(", ")));
        return r;
    }
    m_options.fault = setting;
    r.answer.contentType = "text/plain; charset=utf-8";
    r.answer.body = "OK " + faultName(setting.kind).toUtf8() + '\n';
    return r;
}

void ServiceSimulator::logBad(const QByteArray& head, int status)
{
    LoggedRequest log;
    const QList<QByteArray> start = head.left(head.indexOf('\r')).split(' ');
    log.method = QString::fromLatin1(start.value(0));
    log.target = QString::fromUtf8(start.value(1));
    log.status = status;
    record(log);
}

void ServiceSimulator::record(const LoggedRequest& request)
{
    m_log.append(request);
    emit requestLogged(request);
}

} // namespace zorvex::sim
