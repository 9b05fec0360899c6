#pragma once

#include "core/shell/LoopServices.h"

#include <QDateTime>

#include <functional>

namespace zorvex {

class AutosaveSource;
class MainWindow;
class PathTable;
class SettingsStore;
class SystemServices;
class ToolsWindow;
struct Settings;

// The shell's own part of the main loop: its two windows, the clock label
// and the fade-in, the hand-off slot, the autosave record, the tray icon's
// protection at start, and the steps of the shutdown that belong to no
// feature (marking the close, the timers, the settings save, the exit
// values, the end).
class ShellServices : public ShellSurface, public IntervalService, public StartupService, public ShutdownService {
public:
    struct Links {
        std::function<void()> stopTimers;
        std::function<QString()> takeReceivedPath;
        // Installs what a second start handed over, outside the tick.
        std::function<void(const QString&)> install;
    };

    ShellServices(Settings& settings, const PathTable& paths, SettingsStore& store, SystemServices& system,
                  MainWindow& main, ToolsWindow& tools, const QDateTime& startedAt, Links links);

    bool closing() const { return m_closing; }
    // The day's counters the autosave record carries; without one the record
    // holds the start of this run and zero counters.
    void setAutosaveSource(const AutosaveSource* source) { m_autosaveSource = source; }

    // The settings save pass: the Tools window's controls into the model,
    // the model and the list files into their files.
    void saveSettings();
    void writeAutosave();

    // ShellSurface
    bool toolsWindowExists() const override;
    bool toolsWindowShowing() const override;
    void refreshForegroundFlag() override;
    QRect workArea() const override;
    void relayoutMainWindow() override;
    void setOpacity(int alpha) override;
    void hideMainWindow() override;
    void switchAlphaBlendingOff() override;
    void setClockText(const QString& hhmmss) override;
    bool positionMarkerShowing() const override;
    MarkerLayout markerLayout() const override;
    void movePositionMarker(const QPoint& topLeft) override;
    QString takeReceivedPath() override;
    void installReceivedFile(const QString& path) override;

    // The autosave record, on its interval.
    Interval interval() const override;
    void runInterval(const QDateTime& now) override;

    // The tray icon's protection once the window has faded in.
    bool readyAtStart() const override { return true; }
    void runAtStart(const QDateTime& now) override;

    void shutdownStep(ShutdownStepId step, const QDate& today) override;

private:
    Settings& m_settings;
    const PathTable& m_paths;
    SettingsStore& m_store;
    SystemServices& m_system;
    MainWindow& m_main;
    ToolsWindow& m_tools;
    QDateTime m_startedAt;
    Links m_links;
    const AutosaveSource* m_autosaveSource = nullptr;
    bool m_closing = false;
};

} // namespace zorvex
