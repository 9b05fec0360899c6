#include "platform/System.h"

#include "core/media/PlaybackRules.h"
#include "platform/ShareFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zorvex {

QString executableFolder()
{
    const QString dir = QCoreApplication::applicationDirPath();
    if (!dir.isEmpty())
        return dir;
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

QStringList installedDataFolders()
{
    QStringList out;
    const QString exe = executableFolder();
    if (!exe.isEmpty())
        out << QDir::cleanPath(exe + QStringLiteral("/../share/zorvex"));
    out << configuredShareFolder();
    out.removeDuplicates();
    return out;
}

bool isRunnableProgram(const QString& path)
{
    if (!path.contains(QLatin1Char('/')))
        return !QStandardPaths::findExecutable(path).isEmpty();
    const QFileInfo fi(path);
    return fi.isFile() && fi.isExecutable();
}

QStringList splitProgramCommand(const QString& line)
{
    return splitCommandLine(line, isRunnableProgram);
}

QString quotedProgramPath(const QString& path)
{
    if (!path.contains(QLatin1Char(' ')) || path.startsWith(QLatin1Char('"')))
        return path;
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace zorvex
