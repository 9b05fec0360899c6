#pragma once

#include "platform/ScreenActivity.h"

#include <QDBusConnection>
#include <QTimer>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace zorvex {

// The screen's state on a Linux desktop: logind's LockedHint of this
// session on the system bus, org.freedesktop.ScreenSaver (and GNOME's)
// ActiveChanged on the session bus, and the monitor's DPMS power level
// asked every few seconds through `monitorOff` (empty where there is no
// X11 DPMS). A source that is missing stays silent. Nothing here waits: the
// bus calls are asynchronous.
class DesktopScreenActivity : public ScreenActivity {
    Q_OBJECT
public:
    static constexpr int kMonitorPollMs = 5000;

    // Answers whether the monitor is off, or nothing when it cannot tell.
    using MonitorProbe = std::function<std::optional<bool>()>;

    DesktopScreenActivity(QDBusConnection systemBus, QDBusConnection sessionBus, MonitorProbe monitorOff,
                          QObject* parent = nullptr);

    bool screenInUse() const override { return m_signals.inUse(); }
    const ScreenSignals& screenSignals() const { return m_signals; }

private slots:
    void onSessionProperties(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
    void onSaverActive(bool active);

private:
    void watchSession(const QString& path);
    void askLockedHint();
    void pollMonitor();
    void change(const std::function<void(ScreenSignals&)>& edit);

    QDBusConnection m_system;
    QDBusConnection m_session;
    MonitorProbe m_monitorOff;
    QString m_sessionPath;
    ScreenSignals m_signals;
    QTimer m_monitorTimer;
};

} // namespace zorvex
