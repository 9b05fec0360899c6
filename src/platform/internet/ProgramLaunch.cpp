#include "platform/internet/ProgramLaunch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <unistd.h>

namespace zorvex {

bool programInstalledBySystem(const QString& programFolder)
{
    const QString folder = QFileInfo(programFolder).canonicalFilePath();
    if (folder == QLatin1String("/usr") || folder.startsWith(QLatin1String("/usr/")))
        return true;
    return ::access(QFile::encodeName(folder).constData(), W_OK) != 0;
}

QString findUpdaterProgram(const QString& programFolder)
{
    const QString named = QProcessEnvironment::systemEnvironment().value(QStringLiteral("ZORVEX_UPDATER"));
    if (!named.isEmpty())
        return QFileInfo(named).isExecutable() ? named : QString();
    const QString beside = QDir(programFolder).filePath(QStringLiteral("zorvex-updater"));
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(QStringLiteral("zorvex-updater"));
}

bool launchUpdater(const QString& updater, const QString& dataFolder, const QString& program)
{
    if (updater.isEmpty())
        return false;
    return QProcess::startDetached(updater,
                                   {QStringLiteral("--data-dir"), dataFolder, QStringLiteral("--wait-pid"),
                                    QString::number(QCoreApplication::applicationPid()), QStringLiteral("--restart"),
                                    program},
                                   dataFolder);
}

bool startProgramAgain(const QString& program, const QString& dataFolder, const QStringList& extraArguments)
{
    return QProcess::startDetached(program, QStringList{QStringLiteral("--data-dir"), dataFolder} + extraArguments,
                                   dataFolder);
}

} // namespace zorvex
