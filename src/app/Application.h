#pragma once

#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/app/StartupData.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "platform/SystemServices.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <array>
#include <functional>
#include <map>
#include <memory>

namespace zorvex {

class AlarmService;
class BassPlaySet;
class ChimeService;
class FullScreenProbe;
class GaugeArea;
class LazyAudioLibrary;
class LinuxStatusSources;
class MousePages;
class CalendarView;
class DiscService;
class DriveTrays;
class GlobalHotKeys;
class IconLayoutService;
class WeatherService;
class WeatherMapsService;
class MiscService;
class DesktopIntegration;
class DesktopProxySource;
class InterfaceProbe;
class InternetService;
class InstanceLock;
class InstanceServer;
class LinuxPrioritySetter;
class MainLoop;
class MainWindow;
class NetTools;
class MediaService;
class RadioService;
class RadioRecorder;
class ProcessPriority;
class Prompts;
class ReminderService;
class SchemeService;
class ShellServices;
class ShutdownWatcher;
class SignalWatcher;
class StatusService;
class TrafficPages;
class TransferChartWindow;
class UptimePages;
class ToolsWindow;
class WallpaperService;
class WallpaperSetter;
class ZodiacController;

struct ProgramOptions;
struct RemoteCommand;

// What --page or --action asks for, if anything.
RemoteCommand remoteCommandOf(const ProgramOptions& opts);
// Hands the command to the running instance and waits until it is carried
// out; the exit code: 0 done, 1 not delivered or refused (the reason on
// stderr).
int sendRemoteCommand(const RemoteCommand& command);

// The process-wide start-up state.
struct StartupState {
    bool anotherInstanceRunning = false;
    QString pendingCommandLinePath;
    QString receivedPath; // the latest text handed over by a second start
    DecimalSeparators separators;
    QDateTime startedAt;
    bool updatedStart = false; // started with "updated" by the updater
    QString explicitDataDir;   // --data-dir, for the launchers' command
    bool assumeYes = false;    // --yes, for the file on the command line
    bool pictureRun = false;   // --screenshot: no file outside changes
};

// Runs the program: the start-up decisions in their fixed order, the windows,
// the main loop's timers, and the orderly shutdown.
class Application : public QObject {
    Q_OBJECT
public:
    Application();
    ~Application() override;

    // Returns the process exit code.
    int run(const QStringList& arguments);

    const PathTable& paths() const { return m_paths; }
    Settings& settings() { return m_settings; }

    // Returns the text and clears it.
    QString takePendingCommandLinePath();
    QString takeReceivedPath();

    // The process is ending by exit() (the display connection broke):
    // the orderly shutdown runs, if it has not yet.
    void shutdownOnExit();

private:
    void createWindows();
    // One installer per feature: creates its services, places its pages and
    // registers its steps with the main loop.
    void installShell();
    void installReminders();
    void installCalendar();
    void installInternet();
    void installWeather();
    void installMiscPages();
    void installWallpaper();
    void installStatus();
    void installNet();
    void installMedia();
    void installRadio();
    void installSchemes();
    void installDesktop();
    void connectWindows();
    void startTimers();
    // Page codes and the commands of --page and --action: the same handlers
    // the menus call, registered by the installers (RemoteControl.cpp).
    void openPageCode(int code);
    void runCommand(int code);
    void registerCommand(int code, std::function<void()> handler);
    // A handler returns the reason it could not act, empty on success.
    void registerAction(const QString& name, std::function<QString()> handler);
    void installRemoteControl();
    // An installed add-on set is chosen by the feature whose chooser shows
    // its category (an AddonCategory).
    void registerAddonChooser(int category, std::function<void(const QString& name)> choose);
    // Runs what --page/--action asked, here or from a second start; from
    // the 800 ms timer, outside the loop's own tick.
    void runRequests();
    QString runRequest(const QString& text);
    void dispatchInstallText(const QString& text, bool assumeYes = false);
    int screenshot(const QString& file, const QString& toolsPage);
    void shutdown();
    void requestQuit();
    // The session ends without a signal: save as for "Zamknij", then quit.
    void endSession();
    void watchSessionEnd();
    // Holding the lock, listen on the channel; retried by the 800 ms tick.
    void takeOverChannel();

    StartupState m_state;
    PathTable m_paths;
    Settings m_settings;
    SystemClock m_clock;
    LinuxSystemServices m_system;
    std::unique_ptr<Prompts> m_prompts; // boxes, or stderr only without a screen
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<InstanceLock> m_lock;
    std::unique_ptr<MainLoop> m_loop;
    std::unique_ptr<ShellServices> m_shell;
    std::unique_ptr<LinuxPrioritySetter> m_prioritySetter;
    std::unique_ptr<ProcessPriority> m_priority;
    std::unique_ptr<LazyAudioLibrary> m_audio;
    std::unique_ptr<BassPlaySet> m_players;
    std::unique_ptr<FullScreenProbe> m_fullScreen; // asked by the chime
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<ToolsWindow> m_tools;
    std::unique_ptr<CalendarView> m_calendar;
    std::unique_ptr<ZodiacController> m_zodiac;
    std::unique_ptr<AlarmService> m_alarms; // its page lives in the Tools window
    std::unique_ptr<ChimeService> m_chime;   // so does this one
    std::unique_ptr<ReminderService> m_reminders; // and its three pages
    std::unique_ptr<DesktopIntegration> m_desktop;
    std::unique_ptr<InterfaceProbe> m_interfaces;
    std::unique_ptr<DesktopProxySource> m_desktopProxy;
    std::unique_ptr<InternetService> m_internet; // part of the page "Inne"
    std::unique_ptr<WeatherService> m_weather;   // the page "Miasta"
    std::unique_ptr<WeatherMapsService> m_maps;  // the page "Mapy"
    std::unique_ptr<MiscService> m_misc;         // the pages "Różne" and "ShoutBox"
    std::unique_ptr<WallpaperSetter> m_wallpaperSetter;
    std::unique_ptr<WallpaperService> m_wallpaper; // its page too
    std::unique_ptr<LinuxStatusSources> m_statusSources;
    std::unique_ptr<StatusService> m_status; // its pages live in the Tools window
    UptimePages* m_uptimePages = nullptr;     // children of m_status
    MousePages* m_mousePages = nullptr;
    TrafficPages* m_trafficPages = nullptr;
    GaugeArea* m_gauges = nullptr; // in the main window's information panel
    std::unique_ptr<TransferChartWindow> m_transferChart;
    std::unique_ptr<NetTools> m_net;              // and the network pages
    std::unique_ptr<MediaService> m_media;        // the playlist page and the panel
    std::unique_ptr<RadioService> m_radio;        // the radio page and its half of the panel
    std::unique_ptr<RadioRecorder> m_recorder;    // recording the radio to MP3
    std::unique_ptr<SchemeService> m_schemes;     // on the pages "Kolory" and "Wygląd"
    std::function<void()> m_mediaDayText;         // the scrolling text's radio and music parts
    std::unique_ptr<DriveTrays> m_driveTrays;
    std::unique_ptr<GlobalHotKeys> m_hotKeys;
    std::unique_ptr<DiscService> m_discs;         // "Klony" and the page "Napędy CD/DVD"
    std::unique_ptr<IconLayoutService> m_iconLayout;
    InstanceServer* m_server = nullptr;
    SignalWatcher* m_signals = nullptr;
    ShutdownWatcher* m_shutdownWatcher = nullptr;
    // Timer1 (100 ms), Timer2 (800 ms), Timer3 (1000 ms), Timer4 (50 ms).
    std::array<QTimer, 4> m_timers;
    bool m_shownOnce = false;
    bool m_shutDown = false;
    bool m_restoredBackup = false;
    bool m_quitRequested = false;
    std::map<int, std::function<void()>> m_commands;
    std::map<QString, std::function<QString()>> m_actions;
    std::map<int, std::function<void(const QString&)>> m_addonChoosers;
    struct Request {
        QString text;
        quint64 ticket = 0; // 0: asked on this process's own command line
    };
    QList<Request> m_requests;
};

} // namespace zorvex
