#include "platform/net/TimedatedTimeSetter.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace zorvex {

TimedatedTimeSetter::TimedatedTimeSetter(QObject* parent)
    : QObject(parent)
{
}

void TimedatedTimeSetter::adjustBy(qint64 offsetMs, std::function<void(Result, const QString& detail)> done)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        QMetaObject::invokeMethod(
            this, [done, error = bus.lastError().message()] { done(Result::Failed, error); }, Qt::QueuedConnection);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.timedate1"),
                                                       QStringLiteral("/org/freedesktop/timedate1"),
                                                       QStringLiteral("org.freedesktop.timedate1"),
                                                       QStringLiteral("SetTime"));
    // usec_utc, relative, interactive (polkit may ask for a password).
    call << qint64(offsetMs * 1000) << true << true;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 120000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [done](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<> reply = *w;
        if (!reply.isError()) {
            done(Result::Set, QString());
            return;
        }
        const QDBusError error = reply.error();
        const QString name = error.name();
        if (name == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"))
            done(Result::NetworkTimeOn, error.message());
        else if (error.type() == QDBusError::AccessDenied
                 || name == QLatin1String("org.freedesktop.PolicyKit1.Error.NotAuthorized")
                 || name == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"))
            done(Result::Refused, error.message());
        else
            done(Result::Failed, error.message());
    });
}

} // namespace zorvex
