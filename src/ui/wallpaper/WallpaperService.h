#pragma once

#include "core/wallpaper/WallpaperLayout.h"
#include "core/wallpaper/WallpaperPool.h"
#include "core/wallpaper/WallpaperSchedule.h"
#include "core/wallpaper/WallpaperStore.h"
#include "ui/wallpaper/WallpaperPage.h"

#include <QObject>
#include <QPointer>
#include <QRandomGenerator>
#include <QString>
#include <QThreadPool>

#include <functional>
#include <memory>

namespace zorvex {

class Prompts;

class FolderPicker;
class PathTable;
class WallpaperHistoryWindow;
class WallpaperSetter;
struct WallpaperHistorySettings;
struct WallpaperSettings;
struct WallpaperOutcome;

// The wallpaper changer: owns the "Tapeter" page, the folder picker and the
// history window, keeps the folder list, and runs one change at a time off
// the interface thread, handing the finished picture to the desktop's
// setter. Changes at start and on the timer are silent; "Testuj", the
// command and the history window report their problems in windows that
// wait for nobody.
class WallpaperService : public QObject {
    Q_OBJECT
public:
    enum class Trigger {
        AtStart,     // composed and stored; the running desktop is left alone
        Timed,       // silent
        Interactive, // "Testuj", "Zmień tapetę", --action change-wallpaper
    };

    WallpaperService(const PathTable& paths, WallpaperSettings& settings, WallpaperHistorySettings& historySettings,
                     WallpaperSetter& setter, Prompts& prompts, QObject* parent = nullptr);
    ~WallpaperService() override;

    WallpaperPage* page() const { return m_page; }
    // The timed change, for the loop's wallpaper interval.
    IntervalService& schedule() { return m_schedule; }

    // The CPU use the gauges show ("45"); none means no limit can act.
    void setCpuSource(std::function<QString()> source) { m_cpuShown = std::move(source); }
    // Reports the change's work to the automatic process priority.
    void setBusyReporter(std::function<void(bool busy)> report) { m_reportBusy = std::move(report); }
    // The interval counts anew from now (switched on, or edited).
    void setScheduleRestart(std::function<void()> restart) { m_restartSchedule = std::move(restart); }
    // The monitors' places; the screens' by default.
    void setCanvasSource(std::function<WallpaperCanvas()> source) { m_canvas = std::move(source); }
    // Writes SciDodaj to the settings file at once.
    void setLastFolderWriter(std::function<void()> write) { m_writeLastFolder = std::move(write); }
    // Tests draw with their own numbers.
    void setPicker(PickBelow pick) { m_pick = std::move(pick); }
    void setDialogParent(QWidget* parent) { m_dialogParent = parent; }

    // A new wallpaper from the pool. Returns why it could not start (busy,
    // no folders; interactive runs also show it), empty when it started; the
    // outcome comes with finished().
    QString change(Trigger trigger);
    // One picture alone over the screen, for the history window; the history
    // stays as it is.
    QString showFile(const QString& path);
    // The change at start, when the changer is active.
    void changeAtStart();

    // The list writer: the folder list to its file.
    void saveFolders() const;
    QStringList folders() const;
    bool busy() const { return m_busy; }
    // Where the last composed picture was written.
    QString currentPicture() const;

    void openHistory();
    void chooseFolder();

signals:
    // A change ended: empty when the picture was composed and set (or, at
    // start, stored), else what went wrong.
    void finished(const QString& problem);
    // The history window closed: its options (TapeterOst) are to be stored.
    void historyClosed();

private:
    void warn(const QString& text);
    struct Run;
    QString start(Trigger trigger, bool pickNew, const QString& file);
    void jobDone(const Run& run, const WallpaperOutcome& outcome);
    void end(const Run& run, const QString& problem);
    QString nextPicture(Trigger trigger) const;
    WallpaperCanvas canvas() const;

    WallpaperSettings& m_settings;
    WallpaperHistorySettings& m_historySettings;
    WallpaperSetter& m_setter;
    Prompts& m_prompts;
    WallpaperStore m_store;
    QString m_pictures[2];
    QString m_written; // the picture this run wrote last
    WallpaperSchedule m_schedule;
    QPointer<WallpaperPage> m_page; // lives on the Tools window once placed there
    QPointer<QWidget> m_dialogParent;
    FolderPicker* m_picker = nullptr;
    WallpaperHistoryWindow* m_history = nullptr;
    std::function<QString()> m_cpuShown;
    std::function<void(bool)> m_reportBusy;
    std::function<void()> m_restartSchedule;
    std::function<WallpaperCanvas()> m_canvas;
    std::function<void()> m_writeLastFolder;
    PickBelow m_pick;
    QRandomGenerator m_random;
    bool m_busy = false;
    QThreadPool m_worker;
};

} // namespace zorvex
