#pragma once

#include <QDate>
#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace zorvex {

enum class StatusWindow { Ping, Mail };

// "Synchronizuj automatycznie przy uruchomieniu Zorvex" wins over
// "Synchronizuj automatycznie raz dziennie".
enum class TimeSyncMode { Off, AtStart, Daily };

// Where the position marker of the "Położenie" page is drawn from: the
// screen picture's top-left corner, the main window and the work area.
struct MarkerLayout {
    QPoint picture;
    QRect window;
    QSize workArea;
};

// Everything the main loop and the shutdown reach outside themselves. Each
// action is one step of a tick, the day change or the shutdown; each query
// is an option or a state a rule needs. Every method has a harmless default,
// so a feature that does not exist yet is simply absent, and a feature that
// arrives later overrides its methods without moving anything in the order.
// Methods are listed in the order the loop first calls them.
class ShellHooks {
public:
    virtual ~ShellHooks() = default;

    // --- Windows ---
    virtual bool toolsWindowExists() const { return false; }
    virtual bool toolsWindowShowing() const { return false; }

    // --- 100 ms tick ---
    virtual void evaluateAlarms() {}

    // --- 800 ms tick ---
    virtual void refreshForegroundFlag() {}
    virtual QRect workArea() const { return {}; }
    virtual void relayoutMainWindow() {}
    virtual void closeDriveTray(const QString& /*drive*/) {}
    // Called on a change of day, hour or minute.
    virtual void updateDayFacts() {}
    virtual void redrawMonth() {}
    // The chime keeps its own once-per-hour guard; it is asked every tick.
    virtual void checkChime() {}

    virtual bool wallpaperTimerOn() const { return false; } // changer and its interval option
    virtual int wallpaperIntervalMinutes() const { return 0; }
    virtual bool wallpaperCpuLimitOn() const { return false; }
    virtual int wallpaperCpuLimit() const { return 100; }
    virtual int cpuPercent() const { return 0; }
    virtual void changeWallpaper() {}

    virtual bool pingAutoCheckOn() const { return false; }
    virtual int pingAutoCheckMinutes() const { return 0; }
    virtual void checkPingHosts() {}

    virtual bool mailAutoCheckOn() const { return false; }
    virtual int mailAutoCheckMinutes() const { return 0; }
    virtual void checkMail() {}

    virtual bool statusAutoHideOn(StatusWindow) const { return false; }
    virtual int statusAutoHideSeconds(StatusWindow) const { return 0; }
    virtual bool statusWindowShowing(StatusWindow) const { return false; }
    virtual void hideStatusWindow(StatusWindow) {}

    virtual bool autosaveOn() const { return false; }
    virtual int autosaveMinutes() const { return 10; }
    virtual void autosave() {}

    // The weather icon is shown and its automatic refresh is on.
    virtual bool weatherAutoRefreshOn() const { return false; }
    virtual int weatherAutoRefreshHours() const { return 0; }
    // The refresh command is enabled (no refresh is running).
    virtual bool weatherRefreshAvailable() const { return false; }
    virtual void refreshWeather() {}

    // Empties the slot a second start writes into; the last writer wins.
    virtual QString takeReceivedPath() { return {}; }
    virtual void installReceivedFile(const QString& /*path*/) {}

    virtual void checkRecordingSplit() {}

    // --- Day change ---
    // Whether a new day schedules the delayed weather refresh.
    virtual bool weatherMidnightRefreshOn() const { return false; }
    virtual void showTodaysMonth() {}
    virtual void rebuildScrollingText() {}
    virtual void startUptimeDay() {}
    virtual void rebuildWeatherDays() {}
    virtual bool mouseOdometerOn() const { return false; }
    // Adds the distance counted so far to the day's stored value and resets it.
    virtual void commitMouseDistance(const QDate& /*day*/) {}
    virtual bool trafficStatisticOn() const { return false; }
    // Adds the byte counts to the day's totals and resets the counters.
    virtual void commitTraffic(const QDate& /*day*/) {}
    virtual void resetRemindersShownToday() {}
    virtual void evaluateReminders() {}
    virtual void refreshMailCheckCaption() {}

    // --- 1000 ms tick ---
    virtual bool uptimePageShowing() const { return false; }
    virtual void refreshUptimePage() {}
    virtual void sampleCpu() {}

    // --- 50 ms tick ---
    virtual void setOpacity(int /*alpha*/) {}
    virtual void hideMainWindow() {}
    virtual void switchAlphaBlendingOff() {}
    virtual void setClockText(const QString& /*hhmmss*/) {}
    virtual void zodiacDailyRefresh() {}
    virtual void sampleMouse() {}
    virtual void sampleMemory() {}
    virtual bool freeSpaceCardShowing() const { return false; }
    virtual void refreshFreeSpaceCard() {}

    // One-shot start-up tasks.
    virtual bool pingAtStartOn() const { return false; }
    virtual int pingHostCount() const { return 0; }
    virtual bool mailAtStartOn() const { return false; }
    virtual int mailAccountCount() const { return 0; }
    virtual TimeSyncMode timeSyncMode() const { return TimeSyncMode::Off; }
    virtual QDate lastTimeSyncDate() const { return {}; }
    virtual bool timeSyncAvailable() const { return false; }
    virtual void synchroniseTime(bool /*daily*/) {}
    virtual bool updateAutoCheckOn() const { return false; }
    virtual bool updateCheckWeekly() const { return false; } // AktualizacjaCoIle other than 0
    virtual QDateTime lastUpdateCheck() const { return {}; }
    virtual bool updateCheckAvailable() const { return false; }
    virtual void checkForUpdates() {}
    virtual bool playlistResumeOn() const { return false; }
    virtual int playlistCount() const { return 0; }
    virtual void resumePlaylist() {}
    virtual bool trayIconProtectOn() const { return false; }
    virtual bool trayIconShown() const { return false; } // tray mode other than "Brak ikony"
    virtual void protectTrayIcon() {}
    virtual bool radioAutoplayOn() const { return false; }
    virtual bool rememberedStationPresent() const { return false; }
    virtual void autoplayRadio() {}
    virtual void prepareStatusWindow(StatusWindow) {}
    virtual bool reminderWindowsExist() const { return false; }

    // The "Położenie" page is showing in the own-position mode.
    virtual bool positionMarkerShowing() const { return false; }
    virtual MarkerLayout markerLayout() const { return {}; }
    virtual void movePositionMarker(const QPoint& /*topLeft*/) {}

    // --- 200 ms tick ---
    virtual void toggleScrollLock() {}

    // --- Shutdown ---
    virtual void markClosing() {}
    virtual void unloadSchemeFonts() {}
    virtual void stopTimers() {}
    virtual bool playlistPlaying() const { return false; }
    virtual void savePlaylistResumePoint() {}
    virtual void saveSettings() {}
    virtual void closeSecondaryWindows() {}
    virtual void deleteAutosave() {}
    virtual void writeExitValues() {}
    virtual void abortNetworkWork() {} // downloads, HTTP and POP3 connections
    virtual void unregisterHotKeys() {}
    virtual void stopRecording() {}
    virtual void endApplication() {}
};

} // namespace zorvex
