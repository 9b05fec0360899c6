#include "app/Application.h"

#include "app/ShellServices.h"
#include "core/app/CommandLine.h"
#include "core/app/DataFolder.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "core/app/RemoteCommands.h"
#include "core/common/AtomicFile.h"
#include "core/common/IniFile.h"
#include "core/media/BassPlaySet.h"
#include "ui/desktop/SchemeService.h"
#include "ui/media/MediaService.h"
#include "ui/media/RadioRecorder.h"
#include "ui/media/RadioService.h"
#include "platform/InstanceChannel.h"
#include "platform/InstanceLock.h"
#include "platform/ProcessPriority.h"
#include "platform/ShutdownWatcher.h"
#include "platform/SignalWatcher.h"
#include "platform/System.h"
#include "platform/SystemServices.h"
#include "platform/audio/LazyAudioLibrary.h"
#include "platform/internet/DesktopIntegration.h"
#include "platform/internet/DesktopProxy.h"
#include "platform/internet/InternetCheck.h"
#include "ui/app/ClockMenu.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/FullScreen.h"
#include "ui/app/MainWindow.h"
#include "ui/app/TrayIcon.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/calendar/CalendarView.h"
#include "ui/calendar/ZodiacController.h"
#include "ui/common/Fonts.h"
#include "ui/common/Messages.h"
#include "ui/desktop/DiscService.h"
#include "ui/desktop/IconLayoutService.h"
#include "platform/desktop/DriveTrays.h"
#include "platform/desktop/GlobalHotKeys.h"
#include "ui/internet/InternetService.h"
#include "ui/internet/MiscService.h"
#include "ui/internet/WeatherMapsService.h"
#include "ui/internet/WeatherService.h"
#include "ui/net/NetTools.h"
#include "ui/reminders/AlarmService.h"
#include "ui/reminders/ChimeService.h"
#include "ui/reminders/ReminderPages.h"
#include "ui/reminders/ReminderService.h"
#include "ui/wallpaper/WallpaperService.h"
#include "platform/wallpaper/WallpaperSetter.h"
#include "ui/status/GaugeArea.h"
#include "ui/status/LinuxStatusSources.h"
#include "ui/status/StatusService.h"
#include "ui/status/TransferChartWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QSessionManager>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace zorvex {
namespace {

Application* g_running = nullptr; // the instance whose main loop runs

void onProcessExit();

void say(const QString& line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

// When the program's libraries were loaded: the start of this run, as near
// as the program itself can tell.
const qint64 g_loadedAtMs = QDateTime::currentMSecsSinceEpoch();

// ZORVEX_REPORT_STARTUP set to the launch time in epoch milliseconds (or to
// anything else, to count from the start of this run) reports how long the
// start took until the settings were loaded and until the main window was
// shown. A value that is no launch time of the last hour counts as anything.
void reportStartup(const QString& what)
{
    const QByteArray value = qgetenv("ZORVEX_REPORT_STARTUP");
    if (value.isEmpty())
        return;
    constexpr qint64 kHourMs = 3600 * 1000;
    bool ok = false;
    const qint64 launch = value.toLongLong(&ok);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool launchTime = ok && launch <= now && now - launch < kHourMs;
    const qint64 elapsed = now - (launchTime ? launch : g_loadedAtMs);
    say(QStringLiteral("%1 po %2 ms").arg(what).arg(elapsed));
}

QStringList dataFilePaths(const PathTable& paths)
{
    QStringList out;
    for (int id = 0; id < int(PathId::Count); ++id)
        out << paths.path(PathId(id));
    return out;
}

QString resolveFontName(const QString& name)
{
    if (QFontDatabase::families().contains(name, Qt::CaseInsensitive))
        return name;
    return QStringLiteral("Tahoma");
}

void onProcessExit()
{
    if (g_running)
        g_running->shutdownOnExit();
}

} // namespace

Application::Application() = default;

Application::~Application()
{
    if (g_running == this)
        g_running = nullptr;
    if (m_server)
        m_server->close();
    m_lock.reset();
    // The calendar and the sign work on the main window's widgets: they go
    // first. The player goes before the page that shows it and the panel.
    m_recorder.reset();
    m_radio.reset();
    m_media.reset();
    // The embedded browser goes before the Tools window holding it.
    m_misc.reset();
    m_maps.reset();
    m_internet.reset();
    // The changer waits for a change still being composed.
    m_wallpaper.reset();
    m_net.reset();
    m_reminders.reset();
    m_chime.reset();
    m_alarms.reset();
    m_zodiac.reset();
    m_calendar.reset();
}

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

    // Nobody can answer a message box without a screen: say it on stderr.
    if (QGuiApplication::platformName() == QLatin1String("offscreen") || !opts.screenshot.isEmpty())
        m_prompts = std::make_unique<QuietPrompts>();
    else
        m_prompts = std::make_unique<BoxPrompts>();
    // A picture run shows the files as they are and leaves every one of them
    // as it was.
    if (!opts.screenshot.isEmpty())
        setFileChangesSuspended(true);

    // The instance marker; a second start with something to hand over
    // gives it to the running instance and ends at once.
    m_lock = std::make_unique<InstanceLock>();
    m_state.anotherInstanceRunning = !m_lock->tryAcquire();
    if (m_state.anotherInstanceRunning && opts.screenshot.isEmpty() && shouldHandOff(opts.arguments, exists)) {
        QString arg = opts.arguments.front();
        if (!containsHttp(arg))
            arg = QFileInfo(arg).absoluteFilePath();
        if (!sendToRunningInstance(arg)) {
            m_prompts->error(QStringLiteral("Nie udało się przekazać do uruchomionego programu Zorvex: ") + arg);
            return 1;
        }
        return 0;
    }
    const RemoteCommand command = remoteCommandOf(opts);
    if (m_state.anotherInstanceRunning && opts.screenshot.isEmpty() && command.kind != RemoteCommand::None)
        return sendRemoteCommand(command);
    // Asked with no instance running: carried out once start-up is done.
    if (command.kind != RemoteCommand::None && opts.screenshot.isEmpty())
        m_requests.append({command.encoded(), 0});
    m_state.startedAt = QDateTime::currentDateTime();
    // From here on a logout or `kill` ends the program in order; a signal that
    // comes before the main loop runs is handled as soon as it does.
    m_signals = new SignalWatcher(this);
    connect(m_signals, &SignalWatcher::terminationRequested, this, &Application::requestQuit);

    // Data folder, sentence file, profile and paths. A
    // per-user folder is filled from the installed data only while it has
    // no data yet, so sets the user deleted stay deleted.
    DataFolderInputs in;
    in.commandLine = opts.dataDir;
    in.environment = qEnvironmentVariable("ZORVEX_DATA_DIR");
    in.executableFolder = executableFolder();
    in.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    in.home = qEnvironmentVariable("HOME");
    const DataFolderChoice folder = chooseDataFolder(in);
    if (folder.seed && !QFileInfo::exists(folder.folder + QStringLiteral("Imieniny.ini")))
        seedDataFolder(folder.folder, installedDataFolders());
    const QString sentence = resolveSentencePath(
        folder.folder, [](int n) { return int(QRandomGenerator::global()->bounded(n)); });

    // The file to open later, the profile, per-profile paths, migrations.
    m_state.pendingCommandLinePath = pendingCommandLinePath(opts.arguments, exists);
    m_state.updatedStart = isUpdatedArgument(opts.arguments);
    m_state.explicitDataDir = opts.dataDir;
    m_state.assumeYes = opts.yes;
    m_state.pictureRun = !opts.screenshot.isEmpty();
    m_paths = PathTable(folder.folder, profileNameFor(m_system.loginName()), sentence);
    if (opts.screenshot.isEmpty())
        migrateLegacyFiles(m_paths);
    // A save killed at the wrong moment leaves its temporary copy beside the
    // file. Only the one instance may clear them: another one could be
    // saving right now.
    if (!m_state.anotherInstanceRunning)
        removeStaleTemporaries(dataFilePaths(m_paths));

    // The single-instance decision, with the one-shot permission that a
    // restored backup leaves in "Ruch.ini". A picture run never competes.
    if (opts.screenshot.isEmpty()) {
        bool readable = false;
        IniFile ruch = IniFile::load(m_paths.path(PathId::Ruch), &readable);
        const bool blokuj =
            readable ? ruch.readBool(QStringLiteral("Vuzuvured"), QStringLiteral("Blokuj"), true) : true;
        const InstanceOutcome outcome = decideInstance(m_state.anotherInstanceRunning, blokuj);
        if (outcome.consumePermission) {
            // Only a file that was read can hold the permission: it goes back
            // as read, with the permission used up.
            ruch.writeBool(QStringLiteral("Vuzuvured"), QStringLiteral("Blokuj"), true);
            ruch.save(m_paths.path(PathId::Ruch));
        }
        if (outcome.decision == InstanceDecision::ExitSilently) {
            // Where there is no tray, the running window shows itself: the
            // way back to a window that was minimized.
            sendShowRequest();
            return 0;
        }
        // This process is the registered instance now. It receives
        // hand-offs while it holds the lock; one let in by the permission
        // takes the lock (and the channel) as soon as the older one lets go.
        m_server = new InstanceServer(InstanceServer::defaultName(), this);
        connect(m_server, &InstanceServer::received, this, [this](const QString& text) {
            m_state.receivedPath = text; // a later one overwrites an earlier one
        });
        connect(m_server, &InstanceServer::requestReceived, this, [this](const QString& text, quint64 ticket) {
            m_requests.append({text, ticket});
        });
        connect(m_server, &InstanceServer::showRequested, this, [this] {
            if (m_main)
                m_main->secondStartSeen();
        });
        takeOverChannel();
        if (!m_lock->held())
            m_lock->acquireWhenFree([this] { takeOverChannel(); });
    }

    // Decimal separators.
    m_state.separators = probeDecimalSeparators(QLocale::system());

    // Required data.
    if (const QString missing = missingRequiredFile(m_paths); !missing.isEmpty()) {
        m_prompts->error(missingFileMessage(missing));
        return 1;
    }

    // Settings, with the default file on a first run.
    registerTahoma();
    m_store = std::make_unique<SettingsStore>(m_paths.path(PathId::Ustawienia), m_state.separators.decimal);
    if (!m_store->exists()) {
        FirstRunContext ctx;
        ctx.dataFolder = m_paths.dataFolder();
        ctx.mailProgram = m_system.defaultMailProgram();
        ctx.timeServer = QStringLiteral("pl.pool.ntp.org");
        ctx.decimalSeparator = m_state.separators.decimal;
        m_store->writeFirstRunDefaults(ctx);
    }
    m_store->load(m_settings, resolveFontName);
    reportStartup(QStringLiteral("Ustawienia wczytane"));

    createWindows();
    connectWindows();

    if (!opts.screenshot.isEmpty()) {
        const int code = screenshot(opts.screenshot, opts.page);
        m_restoredBackup = true; // a picture run leaves every file as it was
        shutdown();
        return code;
    }

    watchSessionEnd();
    startTimers();
    m_system.trimWorkingSet();
    // The window fades in from nothing once it is first shown.
    m_main->setOpacityLevel(0);
    m_main->show();
    if (m_state.updatedStart) {
        // Asked from the running loop and without a loop of its own, so the
        // timers run and a signal meanwhile ends the program as usual.
        QTimer::singleShot(0, this, [this] {
            m_prompts->askLater(QStringLiteral("Zorvex - Aktualizacja"),
                          QStringLiteral("Aktualizacja zakończona pomyślnie. Czy chcesz obejrzeć listę zmian?"), true,
                          [this](bool yes) {
                              if (yes)
                                  m_main->contextMenu()->showAbout();
                          });
        });
    }
    const int code = m_quitRequested ? 0 : qApp->exec();
    shutdown();
    return code;
}

void Application::requestQuit()
{
    // Remembered as well: a quit before the main loop runs would be lost.
    m_quitRequested = true;
    qApp->quit();
}

void Application::endSession()
{
    shutdown();
    if (m_shutdownWatcher)
        m_shutdownWatcher->release();
    requestQuit();
}

void Application::watchSessionEnd()
{
    // The session manager asks for the data before logging out.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { endSession(); });
    // The system is going down (logind), which may end us without a signal.
    m_shutdownWatcher = new ShutdownWatcher(this);
    connect(m_shutdownWatcher, &ShutdownWatcher::shutdownPreparing, this, &Application::endSession);
    // Qt ends the process with exit() when the connection to the X server
    // or the Wayland compositor breaks; the save still runs on the way out.
    g_running = this;
    static const bool registered = std::atexit(onProcessExit) == 0;
    Q_UNUSED(registered);
}

void Application::shutdownOnExit()
{
    // Only from the main thread, whose windows and files these are.
    if (QThread::currentThread() != thread())
        return;
    say(QStringLiteral("Połączenie z ekranem przerwane: zapisywanie przed zakończeniem"));
    shutdown();
}

void Application::takeOverChannel()
{
    if (!m_server || m_server->listening() || m_shutDown)
        return;
    if (m_lock->held() || m_lock->tryAcquire())
        m_server->listen();
}

void Application::createWindows()
{
    installShell();
    installStatus();
    installReminders();
    installCalendar();
    installInternet();
    installWeather();
    installWallpaper();
    // The gauge colours and their shading are edited with the calendar's.
    connect(m_calendar.get(), &CalendarView::coloursApplied, m_gauges, [this] {
        m_status->applyOptions();
        m_gauges->relayout();
    });
    installNet();
    installMedia();
    installRadio();
    installSchemes();
    installDesktop();
    installRemoteControl();
    m_loop->toolsWindowCreated();
}

void Application::connectWindows()
{
    MainWindow* main = m_main.get();
    ToolsWindow* tools = m_tools.get();

    connect(main, &MainWindow::activated, this, [this] {
        if (!m_shownOnce) {
            m_shownOnce = true;
            reportStartup(QStringLiteral("Okno pokazane"));
            m_calendar->applyColours();
            FadeInSettings fade;
            fade.translucent = m_settings.main.translucent;
            fade.level = m_settings.main.opacity;
            // Without a tray icon the start keeps the window in sight.
            fade.startMinimised = m_settings.main.startMinimized && hasTrayIcon(m_settings.main.trayIconKind);
            m_loop->mainWindowShown(fade);
        }
        if (const QString path = takePendingCommandLinePath(); !path.isEmpty())
            dispatchInstallText(path, m_state.assumeYes);
    });

    ContextMenu* menu = main->contextMenu();
    connect(menu, &ContextMenu::toolsRequested, tools, &ToolsWindow::open);
    connect(menu, &ContextMenu::pageCodeChosen, this, &Application::openPageCode);
    connect(menu, &ContextMenu::quitRequested, qApp, &QCoreApplication::quit);
    connect(main->clockMenu(), &ClockMenu::pageCodeChosen, this, &Application::openPageCode);
    connect(tools, &ToolsWindow::commandRequested, this, &Application::runCommand);

    // Every change on the Tools pages applies at once.
    connect(tools, &ToolsWindow::placementChanged, main, &MainWindow::applyPlacement);
    connect(tools, &ToolsWindow::topMostChanged, main, &MainWindow::applyTopMost);
    connect(tools, &ToolsWindow::layoutChanged, main, [this, main] {
        main->relayout();
        main->applyPlacement();
        m_calendar->redrawCalendar(false);
    });
    connect(tools, &ToolsWindow::minimizeOptionsChanged, main, &MainWindow::applySettings);
    connect(tools, &ToolsWindow::monthArrowsChanged, main, [this, main] {
        main->applySettings();
        m_calendar->monthArrowsChanged();
    });
    connect(tools, &ToolsWindow::scrollSpeedChanged, this, [this] { m_calendar->applyScrollSpeed(); });
    connect(tools, &ToolsWindow::scrollingTextChoiceRequested, this,
            [this] { m_calendar->openVisibleTextsDialog(m_tools.get()); });
    connect(main, &MainWindow::reapplyLookRequested, this, [this] { m_calendar->applyColours(); });
    // The add commands lead to the pages of the reminder and alarm features.
    connect(m_calendar.get(), &CalendarView::addRequested, this,
            [this](AddCommand command, int pageCode, const QDate& date) {
                ReminderPages* pages = m_reminders->pages();
                switch (command) {
                case AddCommand::Alarm: m_alarms->beginAdd(date); break;
                case AddCommand::Birthday: pages->addBirthday(date); break;
                case AddCommand::NameDay: pages->addNameDay(date); break;
                case AddCommand::ImportantDay: pages->addImportantDay(date); break;
                case AddCommand::PrivateDay: pages->addPrivateDay(date); break;
                case AddCommand::Anniversary: pages->addAnniversary(date); break;
                }
                m_tools->openPage(pageCode);
            });
    connect(m_calendar.get(), &CalendarView::dayEntryChosen, this, [this](int group, int index, int pageCode) {
        m_tools->openPage(pageCode);
        m_reminders->pages()->selectEntry(group, index);
    });
    connect(tools, &ToolsWindow::opacityChanged, main, [this, main] {
        const int target = m_settings.main.translucent ? m_settings.main.opacity : 255;
        m_loop->fadeIn().jumpTo(target);
        main->setOpacityLevel(target);
    });
    connect(tools, &ToolsWindow::trayChanged, main, [main] {
        main->applySettings();
        main->trayIcon()->applySettings();
    });
    connect(tools, &ToolsWindow::trayOptionsChanged, main, [main] { main->trayIcon()->applySettings(); });
    connect(tools, &ToolsWindow::menuListChanged, main, [this, main] {
        main->contextMenu()->applySettings(m_settings.main);
    });
    connect(tools, &ToolsWindow::trayHintEditorRequested, main, &MainWindow::openTrayHintEditor);
    connect(tools, &ToolsWindow::priorityChanged, this, [this] { m_priority->setMode(m_settings.main.priority); });
    connect(tools, &ToolsWindow::closed, this, [this] { m_shell->saveSettings(); });
}

void Application::startTimers()
{
    static constexpr int kPeriods[4] = {100, 800, 1000, 50};
    for (int i = 0; i < 4; ++i) {
        m_timers[i].setInterval(kPeriods[i]);
        m_timers[i].setTimerType(i == 3 ? Qt::CoarseTimer : Qt::PreciseTimer);
    }
    // The alarm tick and the fast tick work only on a new second (or while
    // something moves): each comes again when it next has work, so the idle
    // program wakes about once a second instead of thirty times. The status
    // tick keeps its second, just after the same boundary, so the three
    // share one wake-up.
    m_timers[0].setSingleShot(true);
    m_timers[2].setSingleShot(true);
    m_timers[3].setSingleShot(true);
    connect(&m_timers[0], &QTimer::timeout, this, [this] {
        m_loop->secondTick();
        if (!m_loop->closing())
            m_timers[0].start(m_loop->nextSecondTickMs());
    });
    connect(&m_timers[1], &QTimer::timeout, this, [this] {
        // A second instance let in by the one-shot permission takes over the
        // marker and the channel once the old instance has gone.
        takeOverChannel();
        runRequests();
        m_loop->scheduleTick();
    });
    connect(&m_timers[2], &QTimer::timeout, this, [this] {
        m_loop->statusTick();
        // A tick a little early must not bring a second one at once: the
        // CPU sample measures the time between them.
        const int next = m_loop->nextSecondTickMs();
        if (!m_loop->closing())
            m_timers[2].start(next < 500 ? next + 1000 : next);
    });
    connect(&m_timers[3], &QTimer::timeout, this, [this] {
        m_loop->fastTick();
        const bool toolsShown = m_tools->isVisible();
        if (toolsShown)
            m_tools->showMainWindowPosition(m_main->frameGeometry(), m_main->workArea());
        if (!m_loop->closing()) {
            const int next = m_loop->nextFastTickMs();
            m_timers[3].setTimerType(next > MainLoop::kFastTickMs ? Qt::PreciseTimer : Qt::CoarseTimer);
            m_timers[3].start(toolsShown ? MainLoop::kFastTickMs : next);
        }
    });
    for (QTimer& t : m_timers)
        t.start();
}

int Application::screenshot(const QString& file, const QString& toolsPage)
{
    QWidget* target = m_main.get();
    if (!toolsPage.isEmpty()) {
        bool ok = false;
        const int code = toolsPage.toInt(&ok);
        if (!ok || !m_tools->openPage(code)) {
            say(QStringLiteral("Nieznany kod strony: ") + toolsPage);
            return 2;
        }
        target = m_tools.get();
    } else {
        m_main->setClockText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
        m_main->setOpacityLevel(255);
        m_main->show();
    }
    QCoreApplication::processEvents();
    const bool ok = target->grab().save(file, "PNG");
    say(ok ? QStringLiteral("Obraz okna zapisano w pliku %1").arg(file)
           : QStringLiteral("Nie można zapisać pliku %1").arg(file));
    return ok ? 0 : 1;
}

void Application::shutdown()
{
    if (m_shutDown || !m_loop)
        return;
    m_shutDown = true;
    if (g_running == this)
        g_running = nullptr;
    // A hand-off now would be taken and never installed: the sender waits
    // for the next instance instead, or says it was not delivered.
    if (m_server)
        m_server->close();
    for (const ShutdownFailure& f : m_loop->shutdown(m_restoredBackup))
        say(f.text());
    // The channel is closed before the lock goes, so the next holder's
    // socket is never removed by this one.
    if (m_lock)
        m_lock->release();
}

} // namespace zorvex
