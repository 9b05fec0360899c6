#include "ui/app/Application.h"

#include "core/app/Autosave.h"
#include "core/app/CommandLine.h"
#include "core/app/DataFolder.h"
#include "core/common/IniFile.h"
#include "platform/InstanceChannel.h"
#include "platform/InstanceLock.h"
#include "platform/SignalWatcher.h"
#include "platform/System.h"
#include "ui/app/MainWindow.h"
#include "ui/app/Messages.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QRandomGenerator>

#include <cstdio>

namespace zorvex {
namespace {

// Until the uptime log, mouse odometer and traffic monitor run, the record
// carries the start of this run and zero counters.
class StartOnlySource : public AutosaveSource {
public:
    explicit StartOnlySource(DayTime start)
        : m_start(start)
    {
    }
    DayTime sessionStart() const override { return m_start; }
    qint64 mouseToday() const override { return 0; }
    qint64 receivedToday() const override { return 0; }
    qint64 sentToday() const override { return 0; }

private:
    DayTime m_start;
};

// No counting feature runs yet, so a recovered record has nowhere to go.
class NoCountersSink : public AutosaveSink {
public:
    bool uptimeLogOn() const override { return false; }
    void recordInterruptedSession(DayTime, DayTime) override {}
    bool mouseOdometerOn() const override { return false; }
    void addMouseToday(qint64) override {}
    bool trafficOn() const override { return false; }
    void addTrafficToday(qint64, qint64) override {}
};

void say(const QString& line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

// ZORVEX_REPORT_STARTUP set to the launch time in epoch milliseconds (or to
// anything, to count from the start of this run) reports how long the start
// took until the settings were loaded.
void reportStartup(const QDateTime& startedAt)
{
    const QByteArray value = qgetenv("ZORVEX_REPORT_STARTUP");
    if (value.isEmpty())
        return;
    bool ok = false;
    const qint64 launch = value.toLongLong(&ok);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 elapsed = ok && launch > 0 ? now - launch : now - startedAt.toMSecsSinceEpoch();
    say(QStringLiteral("Ustawienia wczytane po %1 ms").arg(elapsed));
}

QString resolveFontName(const QString& name)
{
    if (QFontDatabase::families().contains(name, Qt::CaseInsensitive))
        return name;
    return QStringLiteral("Tahoma");
}

} // namespace

Application::Application() = default;

Application::~Application() = default;

QString Application::takePendingCommandLinePath()
{
    return std::exchange(m_state.pendingCommandLinePath, QString());
}

QString Application::takeReceivedPath()
{
    return std::exchange(m_state.receivedPath, QString());
}

int Application::run(const QStringList& arguments)
{
    const ProgramOptions opts = parseProgramOptions(arguments.mid(1));
    if (!opts.error.isEmpty()) {
        say(opts.error);
        return 2;
    }
    const FileExists exists = [](const QString& p) { return QFileInfo::exists(p); };

    // 1. The instance marker; a second start with something to hand over
    // gives it to the running instance and ends at once.
    // Nobody can answer a message box without a screen: say it on stderr.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        setMessageBoxesSilent(true);

    m_lock = std::make_unique<InstanceLock>();
    m_state.anotherInstanceRunning = !m_lock->tryAcquire();
    if (m_state.anotherInstanceRunning && shouldHandOff(opts.arguments, exists)) {
        QString arg = opts.arguments.front();
        if (!containsHttp(arg))
            arg = QFileInfo(arg).absoluteFilePath();
        sendToRunningInstance(arg);
        return 0;
    }
    m_state.startedAt = QDateTime::currentDateTime();

    // 5. Data folder, sentence file, chime sets, profile and paths.
    DataFolderInputs in;
    in.commandLine = opts.dataDir;
    in.environment = qEnvironmentVariable("ZORVEX_DATA_DIR");
    in.executableFolder = executableFolder();
    in.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    in.home = qEnvironmentVariable("HOME");
    const DataFolderChoice folder = chooseDataFolder(in);
    if (folder.seed)
        seedDataFolder(folder.folder, installedDataFolders());
    const QString sentence = resolveSentencePath(
        folder.folder, [](int n) { return int(QRandomGenerator::global()->bounded(n)); });
    m_state.chimeSets = discoverChimeSets(folder.folder);

    // 7. The file to open later, the profile, per-profile paths, migrations.
    m_state.pendingCommandLinePath = pendingCommandLinePath(opts.arguments, exists);
    m_paths = PathTable(folder.folder, profileNameFor(loginName()), sentence);
    migrateLegacyFiles(m_paths);

    // 8. The single-instance decision, with the one-shot permission that a
    // restored backup leaves in "Ruch.ini".
    bool readable = false;
    const IniFile ruch = IniFile::load(m_paths.path(PathId::Ruch), &readable);
    const bool blokuj = readable ? ruch.readBool(QStringLiteral("Vuzuvured"), QStringLiteral("Blokuj"), true) : true;
    const InstanceOutcome outcome = decideInstance(m_state.anotherInstanceRunning, blokuj);
    if (outcome.consumePermission) {
        IniFile again = IniFile::load(m_paths.path(PathId::Ruch));
        again.writeBool(QStringLiteral("Vuzuvured"), QStringLiteral("Blokuj"), true);
        again.save(m_paths.path(PathId::Ruch));
    }
    if (outcome.decision == InstanceDecision::ExitSilently)
        return 0;
    // This process is the registered instance now: it receives hand-offs,
    // and takes the lock as soon as an older instance lets it go.
    m_server = new InstanceServer(InstanceServer::defaultName(), this);
    m_server->listen();
    connect(m_server, &InstanceServer::received, this, [this](const QString& text) {
        m_state.receivedPath = text; // a later one overwrites an earlier one
    });

    // 9. Decimal separators.
    m_state.separators = probeDecimalSeparators(QLocale::system());

    // 10. Required data.
    if (const QString missing = missingRequiredFile(m_paths); !missing.isEmpty()) {
        showError(missingFileMessage(missing));
        return 1;
    }

    // 12. Settings, with the default file on a first run.
    m_store = std::make_unique<SettingsStore>(m_paths.path(PathId::Ustawienia), m_state.separators.decimal);
    if (!m_store->exists()) {
        FirstRunContext ctx;
        ctx.dataFolder = m_paths.dataFolder();
        ctx.mailProgram = defaultMailProgram();
        ctx.timeServer = QStringLiteral("pl.pool.ntp.org");
        ctx.decimalSeparator = m_state.separators.decimal;
        m_store->writeFirstRunDefaults(ctx);
    }
    m_store->load(m_settings, resolveFontName);
    reportStartup(m_state.startedAt);

    // The main window, then what the Tools window does when it is created:
    // recover an autosave record and start the autosave interval.
    auto* window = new MainWindow(m_paths);
    m_mainWindow = window;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(window, &MainWindow::activated, this, [this] {
        if (const QString path = takePendingCommandLinePath(); !path.isEmpty())
            dispatchInstallText(path);
    });
    if (m_settings.tools.autoSave) {
        NoCountersSink sink;
        recoverAutosave(m_paths.path(PathId::Autozapis), sink);
    }
    connect(&m_autosaveTimer, &QTimer::timeout, this, &Application::autosave);
    m_autosaveTimer.start(m_settings.tools.autoSaveMin * 60 * 1000);

    // A second start's text is taken within one 800 ms period.
    connect(&m_handOffTimer, &QTimer::timeout, this, [this] {
        if (!m_lock->held())
            m_lock->tryAcquire();
        if (const QString text = takeReceivedPath(); !text.isEmpty())
            dispatchInstallText(text);
    });
    m_handOffTimer.start(800);

    m_signals = new SignalWatcher(this);
    connect(m_signals, &SignalWatcher::terminationRequested, qApp, &QCoreApplication::quit);

    if (!opts.screenshot.isEmpty()) {
        setMessageBoxesSilent(true);
        window->adjustSize();
        const bool ok = window->grab().save(opts.screenshot, "PNG");
        say(ok ? QStringLiteral("Obraz okna zapisano w pliku %1").arg(opts.screenshot)
               : QStringLiteral("Nie można zapisać pliku %1").arg(opts.screenshot));
        shutdown();
        return ok ? 0 : 1;
    }

    trimWorkingSet();
    window->show();
    if (isUpdatedArgument(opts.arguments)) {
        askYesNo(QStringLiteral("Zorvex - Aktualizacja"),
                 QStringLiteral("Aktualizacja zakończona pomyślnie. Czy chcesz obejrzeć listę zmian?"), window, true);
    }
    const int code = qApp->exec();
    shutdown();
    return code;
}

void Application::dispatchInstallText(const QString& text)
{
    switch (classifyInstallText(text)) {
    case InstallKind::SettingsBackup:
        say(QStringLiteral("Kopia zapasowa ustawień do przywrócenia: ") + text);
        break;
    case InstallKind::AddonPackage:
        say(QStringLiteral("Dodatek do zainstalowania: ") + text);
        break;
    case InstallKind::RadioStream:
        say(QStringLiteral("Stacja radiowa: ") + text);
        break;
    case InstallKind::Ignored:
        break;
    }
}

void Application::autosave()
{
    if (!m_settings.tools.autoSave)
        return;
    StartOnlySource source(toDayTime(m_state.startedAt));
    writeAutosave(m_paths.path(PathId::Autozapis), source, toDayTime(QDateTime::currentDateTime()));
}

void Application::shutdown()
{
    // After a restored backup nothing is saved, so the restored files stay.
    if (m_restoredBackup)
        return;
    if (m_toolsShowing)
        m_store->save(m_settings);
    deleteAutosave(m_paths.path(PathId::Autozapis));
    ExitValues exit;
    if (m_mainWindow) {
        exit.positionX = m_mainWindow->x();
        exit.positionY = m_mainWindow->y();
    }
    m_store->writeExitValues(exit);
}

} // namespace zorvex
