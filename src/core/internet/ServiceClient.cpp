#include "core/internet/ServiceClient.h"

#include "core/internet/ServiceAnswer.h"
#include "core/internet/ServiceSettings.h"
#include "core/internet/ServiceVersion.h"

namespace zorvex {

ServiceClient::ServiceClient(const ServiceSettings& settings, QString token)
    : m_settings(settings)
    , m_token(std::move(token))
{
}

QString ServiceClient::endpointUrl(const QString& endpoint) const
{
    return m_settings.serviceBase + endpoint;
}

QString ServiceClient::weatherUrl(const QString& cityId, const QDate& date) const
{
    if (!isPlainUrlPart(cityId) || !date.isValid())
        return {};
    return endpointUrl(QStringLiteral("pogoda.php?mid=") + cityId + QStringLiteral("&date=")
                       + date.toString(QStringLiteral("yyyy.MM.dd")));
}

QString ServiceClient::pageUrl(const QString& script, int sign) const
{
    if (!isPlainUrlPart(script))
        return {};
    QString url = endpointUrl(script + QStringLiteral("?user_id=") + m_token);
    if (sign > 0)
        url += QStringLiteral("&znak=z") + QString::number(sign);
    return url;
}

QString ServiceClient::shoutboxUrl() const
{
    return m_settings.shoutboxBase + QLatin1String(kServiceVersionText) + QStringLiteral("&user_id=") + m_token;
}

QString ServiceClient::addonsPageUrl(int tag) const
{
    return m_settings.addonsBase + QString::number(tag) + QStringLiteral("&w=") + QLatin1String(kServiceVersionText);
}

QString ServiceClient::addonsForumUrl() const
{
    return m_settings.addonsBase;
}

void ServiceClient::requestList(TextRequestClient& client, const ServiceList& list, ListDone done) const
{
    const QString marker = QString::fromLatin1(list.marker);
    client.post(endpointUrl(QString::fromLatin1(list.endpoint)), [marker, done = std::move(done)](const HttpAnswer& a) {
        if (!a.ok) {
            done(std::nullopt, a.error);
            return;
        }
        done(listAnswer(cleanAnswer(a.body), marker), QString());
    });
}

} // namespace zorvex
