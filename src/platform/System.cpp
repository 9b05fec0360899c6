#include "platform/System.h"

#include "core/media/PlaybackRules.h"
#include "platform/ShareFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <malloc.h>
#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace zorvex {

QString loginName()
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size < 1024)
        size = 16384;
    std::vector<char> buf(static_cast<size_t>(size));
    passwd pw{};
    passwd* result = nullptr;
    if (getpwuid_r(geteuid(), &pw, buf.data(), buf.size(), &result) == 0 && result && result->pw_name
        && *result->pw_name)
        return QString::fromLocal8Bit(result->pw_name);
    return qEnvironmentVariable("USER");
}

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

QString defaultMailProgram()
{
    return QStringLiteral("xdg-email");
}

void trimWorkingSet()
{
    malloc_trim(0);
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
