#include "platform/ShutdownWatcher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace zorvex {
namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

ShutdownWatcher::ShutdownWatcher(QObject* parent)
    : ShutdownWatcher(QDBusConnection::systemBus(), parent)
{
}

ShutdownWatcher::ShutdownWatcher(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    if (!m_bus.isConnected())
        return;
    m_watching = m_bus.connect(kService, kPath, kManager, QStringLiteral("PrepareForShutdown"), this,
                               SLOT(onPrepareForShutdown(bool)));
    if (m_watching)
        takeDelayLock();
}

void ShutdownWatcher::takeDelayLock()
{
    // Asked without waiting: the answer (or its absence) must not hold up
    // the start.
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kManager, QStringLiteral("Inhibit"));
    call << QStringLiteral("shutdown") << QStringLiteral("Zorvex")
         << QString::fromUtf8("Zapisywanie ustawień i liczników") << QStringLiteral("delay");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *w;
        if (reply.isValid())
            m_delayLock = reply.value();
        w->deleteLater();
    });
}

void ShutdownWatcher::release()
{
    m_delayLock = QDBusUnixFileDescriptor();
}

void ShutdownWatcher::onPrepareForShutdown(bool starting)
{
    // False: a shutdown that was called off.
    if (starting)
        emit shutdownPreparing();
    else if (!m_delayLock.isValid())
        takeDelayLock();
}

} // namespace zorvex
