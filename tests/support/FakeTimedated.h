#pragma once

// A stand-in for systemd-timedated on a private D-Bus daemon started by the
// test: it records SetTime calls and answers as told, so the real clock is
// never reachable. Set DBUS_SYSTEM_BUS_ADDRESS to address() before the code
// under test first asks for the system bus.

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QProcess>

class FakeTimedated : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")
public:
    FakeTimedated() = default;
    ~FakeTimedated() override
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-timedated"));
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            if (!m_daemon.waitForFinished(3000))
                m_daemon.kill();
            m_daemon.waitForFinished(3000);
        }
    }

    // Starts the private bus and takes the name; false when either failed.
    bool start()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted(5000))
            return false;
        while (!m_daemon.canReadLine()) {
            if (!m_daemon.waitForReadyRead(5000))
                return false;
        }
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("fake-timedated"));
        return bus.isConnected() && bus.registerService(QStringLiteral("org.freedesktop.timedate1"))
            && bus.registerObject(QStringLiteral("/org/freedesktop/timedate1"), this, QDBusConnection::ExportAllSlots);
    }
    QString address() const { return m_address; }

    // Empty answers success; else the D-Bus error name to answer with.
    QString errorName;
    QList<qlonglong> calls;
    QList<bool> relative;

public slots:
    void SetTime(qlonglong usecUtc, bool isRelative, bool /*interactive*/)
    {
        calls << usecUtc;
        relative << isRelative;
        if (!errorName.isEmpty())
            sendErrorReply(errorName, QStringLiteral("refused by the test"));
    }

private:
    QProcess m_daemon;
    QString m_address;
};
