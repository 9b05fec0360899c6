#include "app/PrintCommand.h"

#include "core/app/CommandLine.h"
#include "core/app/DataFolder.h"
#include "core/app/PrintQueries.h"
#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/app/StartupData.h"
#include "core/common/PathTable.h"
#include "platform/System.h"
#include "platform/SystemServices.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace zorvex {
namespace {

void write(std::FILE* to, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
    std::fflush(to);
}

// The user's data folder, or, before the first start has filled it, the
// installed data it would be filled from: read as it is, never seeded.
QString readableDataFolder(const ProgramOptions& opts)
{
    DataFolderInputs in;
    in.commandLine = opts.dataDir;
    in.environment = qEnvironmentVariable("ZORVEX_DATA_DIR");
    in.executableFolder = executableFolder();
    in.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    in.home = qEnvironmentVariable("HOME");
    const DataFolderChoice choice = chooseDataFolder(in);
    const auto holdsData = [](const QString& folder) {
        return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("Imieniny.ini")));
    };
    if (!choice.seed || holdsData(choice.folder))
        return choice.folder;
    for (const QString& installed : installedDataFolders()) {
        if (holdsData(installed))
            return QDir(installed).absolutePath() + QLatin1Char('/');
    }
    return choice.folder;
}

} // namespace

int runPrintCommand(const ProgramOptions& opts)
{
    const QString folder = readableDataFolder(opts);
    // The first sentence file: a query gives the same answer every time.
    const QString sentence = resolveSentencePath(folder, [](int) { return 0; });
    const PathTable paths(folder, profileNameFor(LinuxSystemServices().loginName()), sentence);
    if (const QString missing = missingRequiredFile(paths); !missing.isEmpty()) {
        write(stderr, (missingFileMessage(missing) + QLatin1Char('\n')).toLocal8Bit());
        return 1;
    }
    Settings settings;
    const SettingsStore store(paths.path(PathId::Ustawienia), probeDecimalSeparators(QLocale::system()).decimal);
    if (store.exists())
        store.load(settings);
    const QDate today = QDate::currentDate();
    const QDate date = opts.date.isEmpty() ? today : QDate::fromString(opts.date, Qt::ISODate);

    QByteArray out;
    if (opts.print == QLatin1String("today")) {
        const DayReport report = dayReport(paths, date);
        out = opts.json ? dayReportJson(report) : dayReportText(report).toUtf8();
    } else if (opts.print == QLatin1String("upcoming")) {
        const QList<UpcomingEntry> entries = upcomingReport(paths, settings, date);
        out = opts.json ? upcomingJson(entries) : upcomingText(entries).toUtf8();
    } else {
        out = monthText(paths, settings, date, today).toUtf8();
    }
    write(stdout, out);
    return 0;
}

} // namespace zorvex
