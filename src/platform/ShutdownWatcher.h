#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>

namespace zorvex {

// The end of the session that comes without a signal to this process:
// logind announcing a shutdown or a restart on the system bus. While
// watching, the process holds a delay lock, so the system waits (a few
// seconds at most) until the program has saved. Without a system bus or
// without logind it stays silent.
class ShutdownWatcher : public QObject {
    Q_OBJECT
public:
    explicit ShutdownWatcher(QObject* parent = nullptr);
    ShutdownWatcher(QDBusConnection bus, QObject* parent = nullptr);

    bool watching() const { return m_watching; }
    // Lets the system go on; called once the program has saved.
    void release();

signals:
    void shutdownPreparing();

private slots:
    void onPrepareForShutdown(bool starting);

private:
    void takeDelayLock();

    QDBusConnection m_bus;
    QDBusUnixFileDescriptor m_delayLock;
    bool m_watching = false;
};

} // namespace zorvex
