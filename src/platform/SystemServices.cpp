#include "platform/SystemServices.h"

#include <QProcess>
#include <QStandardPaths>

#include <malloc.h>
#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace zorvex {

QString LinuxSystemServices::loginName() const
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

QString LinuxSystemServices::defaultMailProgram() const
{
    return QStringLiteral("xdg-email");
}

void LinuxSystemServices::trimWorkingSet()
{
    malloc_trim(0);
}

void LinuxSystemServices::playInformationSound()
{
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
