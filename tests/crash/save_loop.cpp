// Saves the settings file and a list file over and over, the way the
// program saves them, and prints the number of every finished round. The
// crash test kills it at random moments.
#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/common/AtomicFile.h"
#include "core/common/PathTable.h"
#include "core/reminders/ReminderFiles.h"

#include <QCoreApplication>

#include <cstdio>

using namespace zorvex;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const PathTable paths(QString::fromLocal8Bit(argv[1]), QStringLiteral("Test"), QString());
    const QString settingsFile = paths.path(PathId::Ustawienia);
    const QString listFile = paths.path(PathId::Prywatne);
    // As the one running instance does at start.
    removeStaleTemporaries({settingsFile, listFile});

    SettingsStore store(settingsFile);
    Settings s;
    s.resetToDefaults();
    if (store.exists())
        store.load(s);
    qulonglong round = s.main.zodiacSignSet.mid(5).toULongLong();
    for (;;) {
        ++round;
        const QString mark = QStringLiteral("round%1").arg(round);
        // The first and the last section carry the round; the length of
        // the file changes with it.
        s.main.zodiacSignSet = mark;
        s.serwis.serviceBase = mark + QString(int(round % 97), QLatin1Char('x'));
        if (!store.save(s))
            return 1;
        QStringList lines;
        for (qulonglong k = 0; k < round % 40 + 3; ++k)
            lines << QStringLiteral("%1 %2").arg(mark).arg(k);
        if (!PrivateFile::save(listFile, lines))
            return 1;
        std::printf("%llu\n", round);
        std::fflush(stdout);
    }
}
