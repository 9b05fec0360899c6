#include "platform/SystemSound.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QVariant>

namespace zorvex {

namespace {

// The GUI application's window system; read as a property so this layer
// needs no GUI library.
bool hasRealDisplay()
{
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    const QString platform = app->property("platformName").toString();
    return !platform.isEmpty() && platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

void playInformationSound()
{
    if (!hasRealDisplay())
        return;
    const QString player = QStandardPaths::findExecutable(QStringLiteral("canberra-gtk-play"));
    if (player.isEmpty())
        return;
    QProcess process;
    process.setProgram(player);
    process.setArguments({QStringLiteral("--id=dialog-information")});
    // Its complaints (no sound server, no theme) are of no use to the user.
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

} // namespace zorvex
