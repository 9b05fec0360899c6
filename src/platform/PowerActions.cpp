#include "platform/PowerActions.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QProcess>
#include <QStandardPaths>

namespace zorvex {

namespace {

const QString kLogin1 = QStringLiteral("org.freedesktop.login1");

QString failure(PowerAction action, const QString& why)
{
    QString what;
    switch (action) {
    case PowerAction::PowerOff:
        what = QStringLiteral("Nie można wyłączyć komputera.");
        break;
    case PowerAction::Reboot:
        what = QStringLiteral("Nie można zrestartować komputera.");
        break;
    case PowerAction::Hibernate:
        what = QStringLiteral("Nie można przejść w stan hibernacji.");
        break;
    case PowerAction::Suspend:
        what = QStringLiteral("Nie można przejść w stan wstrzymania.");
        break;
    case PowerAction::LogOff:
        what = QStringLiteral("Nie można wylogować użytkownika.");
        break;
    case PowerAction::MonitorOff:
        what = QStringLiteral("Nie można wyłączyć monitora.");
        break;
    }
    return why.isEmpty() ? what : what + QLatin1Char('\n') + why;
}

// Empty on success, the bus's reason otherwise.
QString call(QDBusConnection bus, const QString& service, const QString& path, const QString& iface,
             const QString& method, const QVariantList& args = {})
{
    if (!bus.isConnected())
        return QStringLiteral("Brak połączenia z magistralą D-Bus.");
    QDBusInterface target(service, path, iface, bus);
    if (!target.isValid()) {
        const QString why = target.lastError().message();
        return why.isEmpty() ? QStringLiteral("Usługa %1 jest niedostępna.").arg(service) : why;
    }
    const QDBusMessage reply = target.callWithArgumentList(QDBus::Block, method, args);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        const QString why = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
        return why.isEmpty() ? QStringLiteral("Usługa nie odpowiedziała.") : why;
    }
    return {};
}

QString managerCall(const QString& method)
{
    // interactive = true lets polkit ask for a password where the policy wants one.
    return call(QDBusConnection::systemBus(), kLogin1, QStringLiteral("/org/freedesktop/login1"),
                QStringLiteral("org.freedesktop.login1.Manager"), method, {QVariant(true)});
}

QString logOff()
{
    QDBusConnection session = QDBusConnection::sessionBus();
    // GNOME, MATE and Cinnamon-style managers: mode 1 = without a confirmation dialog.
    if (call(session, QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
             QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Logout"), {QVariant(uint(1))})
            .isEmpty())
        return {};
    if (call(session, QStringLiteral("org.kde.Shutdown"), QStringLiteral("/Shutdown"), QStringLiteral("org.kde.Shutdown"),
             QStringLiteral("logout"))
            .isEmpty())
        return {};
    return call(QDBusConnection::systemBus(), kLogin1, QStringLiteral("/org/freedesktop/login1/session/auto"),
                QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("Terminate"));
}

QString monitorOff()
{
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return QStringLiteral("Wyłączanie monitora działa tylko w sesji X11.");
    const QString xset = QStandardPaths::findExecutable(QStringLiteral("xset"));
    if (xset.isEmpty())
        return QStringLiteral("Nie znaleziono programu \"xset\".");
    QProcess p;
    p.start(xset, {QStringLiteral("dpms"), QStringLiteral("force"), QStringLiteral("off")});
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(1000);
        return QStringLiteral("Program \"xset\" nie odpowiada.");
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        return err.isEmpty() ? QStringLiteral("Program \"xset\" zakończył się błędem.") : err;
    }
    return {};
}

} // namespace

QString SystemPowerActions::run(PowerAction action)
{
    QString why;
    switch (action) {
    case PowerAction::PowerOff:
        why = managerCall(QStringLiteral("PowerOff"));
        break;
    case PowerAction::Reboot:
        why = managerCall(QStringLiteral("Reboot"));
        break;
    case PowerAction::Hibernate:
        why = managerCall(QStringLiteral("Hibernate"));
        break;
    case PowerAction::Suspend:
        why = managerCall(QStringLiteral("Suspend"));
        break;
    case PowerAction::LogOff:
        why = logOff();
        break;
    case PowerAction::MonitorOff:
        why = monitorOff();
        break;
    }
    return why.isEmpty() ? QString() : failure(action, why);
}

} // namespace zorvex
