#include "core/desktop/DiscMount.h"

#include "core/common/Text.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace zorvex {

MountPlan planMount(const QString& program, const QString& image)
{
    const QString choose = QStringLiteral("Musisz wskazać ścieżkę do programu DAEMON Tools lub Alcohol 120%");
    MountPlan plan;
    if (program.trimmed().isEmpty()) {
        plan.warning = choose;
        return plan;
    }
    QString executable = program;
    if (!program.contains(QLatin1Char('/')))
        executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty() || !QFileInfo(executable).isFile()) {
        plan.warning = QStringLiteral("Plik nie istnieje: ") + program + QStringLiteral("\r\n") + choose;
        return plan;
    }
    const QFileInfo imageInfo(image);
    if (!imageInfo.isFile()) {
        plan.warning = QStringLiteral("Nie ma pliku: ") + image;
        return plan;
    }
    // An absolute path never starts with "-", so no program takes it for an
    // option of its own.
    const QString file = imageInfo.absoluteFilePath();
    const QString name = PolishUpper(QFileInfo(executable).fileName());
    plan.command.program = executable;
    if (name == QLatin1String("DAEMON.EXE"))
        plan.command.arguments = {QStringLiteral("-lang"), QStringLiteral("1033"), QStringLiteral("-mount"),
                                  QStringLiteral("0,") + file};
    else if (name == QLatin1String("AXCMD.EXE"))
        plan.command.arguments = {QStringLiteral("1:"), QStringLiteral("/M:") + file};
    else if (name == QLatin1String("UDISKSCTL"))
        plan.command.arguments = {QStringLiteral("loop-setup"), QStringLiteral("-f"), file};
    else if (name == QLatin1String("CDEMU"))
        plan.command.arguments = {QStringLiteral("load"), QStringLiteral("0"), file};
    else
        plan.warning = QStringLiteral("Nieznany program do montowania obrazów: ") + QFileInfo(executable).fileName()
                       + QStringLiteral("\r\nObsługiwane są: udisksctl, cdemu, Daemon.exe i AxCmd.exe");
    return plan;
}

} // namespace zorvex
