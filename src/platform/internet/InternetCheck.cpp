#include "platform/internet/InternetCheck.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QUrl>

namespace zorvex {

bool SystemInterfaceProbe::anyNonLoopbackUp() const
{
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if ((flags & QNetworkInterface::IsUp) && (flags & QNetworkInterface::IsRunning)
            && !(flags & QNetworkInterface::IsLoopBack))
            return true;
    }
    return false;
}

bool isLoopbackUrl(const QString& url)
{
    const QString host = QUrl(url).host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

bool internetReachable(const InterfaceProbe& probe, const QString& targetUrl)
{
    return isLoopbackUrl(targetUrl) || probe.anyNonLoopbackUp();
}

} // namespace zorvex
