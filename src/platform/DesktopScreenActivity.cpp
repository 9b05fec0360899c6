#include "platform/DesktopScreenActivity.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include <unistd.h>

namespace zorvex {
namespace {

const QString kLogin1 = QStringLiteral("org.freedesktop.login1");
const QString kSessionInterface = QStringLiteral("org.freedesktop.login1.Session");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kLockedHint = QStringLiteral("LockedHint");

} // namespace

DesktopScreenActivity::DesktopScreenActivity(QDBusConnection systemBus, QDBusConnection sessionBus,
                                             MonitorProbe monitorOff, QObject* parent)
    : ScreenActivity(parent)
    , m_system(std::move(systemBus))
    , m_session(std::move(sessionBus))
    , m_monitorOff(std::move(monitorOff))
{
    if (m_session.isConnected()) {
        // KDE, Xfce, MATE and others speak the freedesktop name; GNOME its own.
        m_session.connect(QString(), QStringLiteral("/org/freedesktop/ScreenSaver"),
                          QStringLiteral("org.freedesktop.ScreenSaver"), QStringLiteral("ActiveChanged"), this,
                          SLOT(onSaverActive(bool)));
        m_session.connect(QString(), QStringLiteral("/org/gnome/ScreenSaver"), QStringLiteral("org.gnome.ScreenSaver"),
                          QStringLiteral("ActiveChanged"), this, SLOT(onSaverActive(bool)));
    }
    if (m_system.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(kLogin1, QStringLiteral("/org/freedesktop/login1"),
                                                           QStringLiteral("org.freedesktop.login1.Manager"),
                                                           QStringLiteral("GetSessionByPID"));
        call << quint32(::getpid());
        auto* watcher = new QDBusPendingCallWatcher(m_system.asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            const QDBusPendingReply<QDBusObjectPath> reply = *w;
            if (reply.isValid())
                watchSession(reply.value().path());
        });
    }
    if (m_monitorOff) {
        // Coarse: a blanked monitor may keep the line running a few seconds.
        m_monitorTimer.setTimerType(Qt::VeryCoarseTimer);
        m_monitorTimer.setInterval(kMonitorPollMs);
        connect(&m_monitorTimer, &QTimer::timeout, this, &DesktopScreenActivity::pollMonitor);
        m_monitorTimer.start();
    }
}

void DesktopScreenActivity::watchSession(const QString& path)
{
    if (path.isEmpty())
        return;
    m_sessionPath = path;
    m_system.connect(kLogin1, path, kProperties, QStringLiteral("PropertiesChanged"), this,
                     SLOT(onSessionProperties(QString, QVariantMap, QStringList)));
    askLockedHint();
}

void DesktopScreenActivity::askLockedHint()
{
    QDBusMessage get = QDBusMessage::createMethodCall(kLogin1, m_sessionPath, kProperties, QStringLiteral("Get"));
    get << kSessionInterface << kLockedHint;
    auto* watcher = new QDBusPendingCallWatcher(m_system.asyncCall(get), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *w;
        if (reply.isValid()) {
            const bool locked = reply.value().variant().toBool();
            change([locked](ScreenSignals& s) { s.locked = locked; });
        }
    });
}

void DesktopScreenActivity::onSessionProperties(const QString& interface, const QVariantMap& changed,
                                                const QStringList& invalidated)
{
    if (interface != kSessionInterface)
        return;
    if (const auto it = changed.constFind(kLockedHint); it != changed.constEnd()) {
        const bool locked = it->toBool();
        change([locked](ScreenSignals& s) { s.locked = locked; });
    } else if (invalidated.contains(kLockedHint)) {
        askLockedHint();
    }
}

void DesktopScreenActivity::onSaverActive(bool active)
{
    change([active](ScreenSignals& s) { s.saverActive = active; });
}

void DesktopScreenActivity::pollMonitor()
{
    const std::optional<bool> off = m_monitorOff();
    if (!off) {
        // No DPMS after all (the extension went away): stop asking.
        m_monitorTimer.stop();
        return;
    }
    change([off](ScreenSignals& s) { s.monitorOff = *off; });
}

void DesktopScreenActivity::change(const std::function<void(ScreenSignals&)>& edit)
{
    const bool before = m_signals.inUse();
    edit(m_signals);
    if (m_signals.inUse() != before)
        emit screenInUseChanged(m_signals.inUse());
}

} // namespace zorvex
