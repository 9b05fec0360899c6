// zorvex-updater: applies a downloaded program update. The program writes
// "update.tmp" into its data folder, starts this tool and closes; the tool
// waits for it to end, renames every downloaded file into place and starts
// the program again with "updated".

#include "core/internet/UpdateApply.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdio>

namespace {

void say(const QString& text)
{
    std::fprintf(stderr, "zorvex-updater: %s\n", text.toLocal8Bit().constData());
}

// A process that has ended but was not yet reaped by its parent counts as
// gone: its files are closed.
bool zombie(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/") + QString::number(pid) + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.read(4096);
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && close + 2 < text.size() && text[close + 2] == 'Z';
}

bool running(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM) && !zombie(pid);
}

int usage()
{
    std::fprintf(stderr, "Użycie: zorvex-updater --data-dir FOLDER [--wait-pid PID] [--restart PROGRAM]\n"
                         "Zastępuje pliki programu pobranymi (lista update.tmp w folderze danych).\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString dataDir;
    QString restart;
    qint64 pid = 0;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--data-dir") && hasValue)
            dataDir = args[++i];
        else if (a == QLatin1String("--wait-pid") && hasValue)
            pid = args[++i].toLongLong();
        else if (a == QLatin1String("--restart") && hasValue)
            restart = args[++i];
        else
            return usage();
    }
    if (dataDir.isEmpty())
        return usage();

    // The program saves its settings as it closes; files are replaced only
    // once it has gone.
    const QDeadlineTimer deadline(60 * 1000);
    while (running(pid)) {
        if (deadline.hasExpired()) {
            say(QStringLiteral("program nadal działa, aktualizacja nie została zastosowana"));
            return 3;
        }
        QThread::msleep(100);
    }

    QStringList problems;
    const bool ok = zorvex::applyProgramUpdate(dataDir, &problems);
    for (const QString& p : std::as_const(problems))
        say(p);
    if (!restart.isEmpty()) {
        QStringList again{QStringLiteral("--data-dir"), dataDir};
        // Only a complete update is announced as done.
        if (ok)
            again << QStringLiteral("updated");
        QProcess::startDetached(restart, again, dataDir);
    }
    return ok ? 0 : 1;
}
