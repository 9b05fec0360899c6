#pragma once

#include "core/app/MainLoopHooks.h"
#include "core/common/Clock.h"
#include "support/FakeClock.h"

#include <QSet>
#include <QStringList>

#include <initializer_list>
#include <stdexcept>
#include <utility>

namespace zorvex {

inline QStringList names(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* n : list)
        out << QString::fromUtf8(n);
    return out;
}

// Answers the loop's questions from plain fields and writes every action it
// is asked for, with its argument, to `calls`. An action named in `throwing`
// throws after being recorded.
class RecordingHooks : public ShellHooks {
public:
    QStringList calls;
    QSet<QString> throwing;
    const FakeClock* clock = nullptr;
    QList<QDateTime> autosaveTimes;
    QList<QDateTime> weatherRefreshTimes;

    bool tools = true;
    bool toolsShowing = false;
    QRect area{0, 0, 1920, 1040};
    bool wallpaperOn = false;
    int wallpaperMinutes = 1;
    bool cpuLimitOn = false;
    int cpuLimit = 50;
    int cpu = 0;
    bool pingOn = false;
    int pingMinutes = 1;
    bool mailOn = false;
    int mailMinutes = 1;
    bool hideOn[2] = {false, false};
    int hideSeconds[2] = {5, 5};
    bool statusShowing[2] = {false, false};
    bool autosaveEnabled = false;
    int autosaveMin = 10;
    bool weatherAuto = false;
    int weatherHours = 1;
    bool weatherAvailable = true;
    bool weatherMidnight = false;
    QString receivedSlot;
    bool mouseOn = false;
    bool trafficOn = false;
    bool uptimeShowing = false;
    bool freeSpaceShowing = false;
    bool pingAtStart = false;
    int pingHosts = 0;
    bool mailAtStart = false;
    int mailAccounts = 0;
    TimeSyncMode syncMode = TimeSyncMode::Off;
    QDate lastSync;
    bool syncAvailable = true;
    bool updateOn = false;
    bool updateWeekly = false;
    QDateTime lastUpdate;
    bool updateAvailable = true;
    bool resumeOn = false;
    int playlistEntries = 0;
    bool trayProtect = false;
    bool trayShown = true;
    bool radioOn = false;
    bool station = false;
    bool reminderWindows = false;
    bool markerShowing = false;
    MarkerLayout layout;
    bool playing = false;

    // Calls whose name (the text before "(") is one of `wanted`, in order.
    QStringList only(const QStringList& wanted) const
    {
        QStringList out;
        for (const QString& c : calls) {
            if (wanted.contains(c.section(QLatin1Char('('), 0, 0)))
                out << c;
        }
        return out;
    }
    QStringList only(std::initializer_list<const char*> wanted) const { return only(names(wanted)); }
    int count(const QString& name) const { return int(only(QStringList{name}).size()); }

    bool toolsWindowExists() const override { return tools; }
    bool toolsWindowShowing() const override { return toolsShowing; }
    void evaluateAlarms() override { rec(QStringLiteral("evaluateAlarms")); }
    void refreshForegroundFlag() override { rec(QStringLiteral("refreshForegroundFlag")); }
    QRect workArea() const override { return area; }
    void relayoutMainWindow() override { rec(QStringLiteral("relayoutMainWindow")); }
    void closeDriveTray(const QString& drive) override { rec(QStringLiteral("closeDriveTray(%1)").arg(drive)); }
    void updateDayFacts() override { rec(QStringLiteral("updateDayFacts")); }
    void redrawMonth() override { rec(QStringLiteral("redrawMonth")); }
    void checkChime() override { rec(QStringLiteral("checkChime")); }
    bool wallpaperTimerOn() const override { return wallpaperOn; }
    int wallpaperIntervalMinutes() const override { return wallpaperMinutes; }
    bool wallpaperCpuLimitOn() const override { return cpuLimitOn; }
    int wallpaperCpuLimit() const override { return cpuLimit; }
    int cpuPercent() const override { return cpu; }
    void changeWallpaper() override { rec(QStringLiteral("changeWallpaper")); }
    bool pingAutoCheckOn() const override { return pingOn; }
    int pingAutoCheckMinutes() const override { return pingMinutes; }
    void checkPingHosts() override { rec(QStringLiteral("checkPingHosts")); }
    bool mailAutoCheckOn() const override { return mailOn; }
    int mailAutoCheckMinutes() const override { return mailMinutes; }
    void checkMail() override { rec(QStringLiteral("checkMail")); }
    bool statusAutoHideOn(StatusWindow w) const override { return hideOn[int(w)]; }
    int statusAutoHideSeconds(StatusWindow w) const override { return hideSeconds[int(w)]; }
    bool statusWindowShowing(StatusWindow w) const override { return statusShowing[int(w)]; }
    void hideStatusWindow(StatusWindow w) override { rec(QStringLiteral("hideStatusWindow(%1)").arg(name(w))); }
    bool autosaveOn() const override { return autosaveEnabled; }
    int autosaveMinutes() const override { return autosaveMin; }
    void autosave() override
    {
        if (clock)
            autosaveTimes << clock->now();
        rec(QStringLiteral("autosave"));
    }
    bool weatherAutoRefreshOn() const override { return weatherAuto; }
    int weatherAutoRefreshHours() const override { return weatherHours; }
    bool weatherRefreshAvailable() const override { return weatherAvailable; }
    void refreshWeather() override
    {
        if (clock)
            weatherRefreshTimes << clock->now();
        rec(QStringLiteral("refreshWeather"));
    }
    QString takeReceivedPath() override { return std::exchange(receivedSlot, QString()); }
    void installReceivedFile(const QString& path) override { rec(QStringLiteral("installReceivedFile(%1)").arg(path)); }
    void checkRecordingSplit() override { rec(QStringLiteral("checkRecordingSplit")); }
    bool weatherMidnightRefreshOn() const override { return weatherMidnight; }
    void showTodaysMonth() override { rec(QStringLiteral("showTodaysMonth")); }
    void rebuildScrollingText() override { rec(QStringLiteral("rebuildScrollingText")); }
    void startUptimeDay() override { rec(QStringLiteral("startUptimeDay")); }
    void rebuildWeatherDays() override { rec(QStringLiteral("rebuildWeatherDays")); }
    bool mouseOdometerOn() const override { return mouseOn; }
    void commitMouseDistance(const QDate& day) override { rec(QStringLiteral("commitMouseDistance(%1)").arg(iso(day))); }
    bool trafficStatisticOn() const override { return trafficOn; }
    void commitTraffic(const QDate& day) override { rec(QStringLiteral("commitTraffic(%1)").arg(iso(day))); }
    void resetRemindersShownToday() override { rec(QStringLiteral("resetRemindersShownToday")); }
    void evaluateReminders() override { rec(QStringLiteral("evaluateReminders")); }
    void refreshMailCheckCaption() override { rec(QStringLiteral("refreshMailCheckCaption")); }
    bool uptimePageShowing() const override { return uptimeShowing; }
    void refreshUptimePage() override { rec(QStringLiteral("refreshUptimePage")); }
    void sampleCpu() override { rec(QStringLiteral("sampleCpu")); }
    void setOpacity(int alpha) override { rec(QStringLiteral("setOpacity(%1)").arg(alpha)); }
    void hideMainWindow() override { rec(QStringLiteral("hideMainWindow")); }
    void switchAlphaBlendingOff() override { rec(QStringLiteral("switchAlphaBlendingOff")); }
    void setClockText(const QString& text) override { rec(QStringLiteral("setClockText(%1)").arg(text)); }
    void zodiacDailyRefresh() override { rec(QStringLiteral("zodiacDailyRefresh")); }
    void sampleMouse() override { rec(QStringLiteral("sampleMouse")); }
    void sampleMemory() override { rec(QStringLiteral("sampleMemory")); }
    bool freeSpaceCardShowing() const override { return freeSpaceShowing; }
    void refreshFreeSpaceCard() override { rec(QStringLiteral("refreshFreeSpaceCard")); }
    bool pingAtStartOn() const override { return pingAtStart; }
    int pingHostCount() const override { return pingHosts; }
    bool mailAtStartOn() const override { return mailAtStart; }
    int mailAccountCount() const override { return mailAccounts; }
    TimeSyncMode timeSyncMode() const override { return syncMode; }
    QDate lastTimeSyncDate() const override { return lastSync; }
    bool timeSyncAvailable() const override { return syncAvailable; }
    void synchroniseTime(bool daily) override
    {
        rec(daily ? QStringLiteral("synchroniseTime(daily)") : QStringLiteral("synchroniseTime(now)"));
    }
    bool updateAutoCheckOn() const override { return updateOn; }
    bool updateCheckWeekly() const override { return updateWeekly; }
    QDateTime lastUpdateCheck() const override { return lastUpdate; }
    bool updateCheckAvailable() const override { return updateAvailable; }
    void checkForUpdates() override { rec(QStringLiteral("checkForUpdates")); }
    bool playlistResumeOn() const override { return resumeOn; }
    int playlistCount() const override { return playlistEntries; }
    void resumePlaylist() override { rec(QStringLiteral("resumePlaylist")); }
    bool trayIconProtectOn() const override { return trayProtect; }
    bool trayIconShown() const override { return trayShown; }
    void protectTrayIcon() override { rec(QStringLiteral("protectTrayIcon")); }
    bool radioAutoplayOn() const override { return radioOn; }
    bool rememberedStationPresent() const override { return station; }
    void autoplayRadio() override { rec(QStringLiteral("autoplayRadio")); }
    void prepareStatusWindow(StatusWindow w) override { rec(QStringLiteral("prepareStatusWindow(%1)").arg(name(w))); }
    bool reminderWindowsExist() const override { return reminderWindows; }
    bool positionMarkerShowing() const override { return markerShowing; }
    MarkerLayout markerLayout() const override { return layout; }
    void movePositionMarker(const QPoint& p) override
    {
        rec(QStringLiteral("movePositionMarker(%1,%2)").arg(p.x()).arg(p.y()));
    }
    void toggleScrollLock() override { rec(QStringLiteral("toggleScrollLock")); }
    void markClosing() override { rec(QStringLiteral("markClosing")); }
    void unloadSchemeFonts() override { rec(QStringLiteral("unloadSchemeFonts")); }
    void stopTimers() override { rec(QStringLiteral("stopTimers")); }
    bool playlistPlaying() const override { return playing; }
    void savePlaylistResumePoint() override { rec(QStringLiteral("savePlaylistResumePoint")); }
    void saveSettings() override { rec(QStringLiteral("saveSettings")); }
    void closeSecondaryWindows() override { rec(QStringLiteral("closeSecondaryWindows")); }
    void deleteAutosave() override { rec(QStringLiteral("deleteAutosave")); }
    void writeExitValues() override { rec(QStringLiteral("writeExitValues")); }
    void abortNetworkWork() override { rec(QStringLiteral("abortNetworkWork")); }
    void unregisterHotKeys() override { rec(QStringLiteral("unregisterHotKeys")); }
    void stopRecording() override { rec(QStringLiteral("stopRecording")); }
    void endApplication() override { rec(QStringLiteral("endApplication")); }

private:
    static QString name(StatusWindow w) { return w == StatusWindow::Ping ? QStringLiteral("ping") : QStringLiteral("mail"); }
    static QString iso(const QDate& d) { return d.toString(Qt::ISODate); }
    void rec(const QString& call)
    {
        calls << call;
        if (throwing.contains(call.section(QLatin1Char('('), 0, 0)))
            throw std::runtime_error("awaria " + call.toStdString());
    }
};

} // namespace zorvex
