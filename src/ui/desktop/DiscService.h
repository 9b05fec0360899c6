#pragma once

#include "core/desktop/DiscCatalogue.h"
#include "core/desktop/DriveHotKeys.h"
#include "core/shell/LoopServices.h"
#include "ui/desktop/DiscDrivesPage.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class QThread;

namespace zorvex {

class Prompts;

class DiscCatalogueWindow;
class DiscSearchWindow;
class DriveTrays;
class GlobalHotKeys;
class PathTable;
struct DiscCatalogueSettings;

// Disc images and CD/DVD trays: the "Klony" window with its catalogue,
// folder list and mounting, the search off the interface thread, the page
// "Napędy CD/DVD" with the `CD_` file, and the tray hot keys with the
// delayed close the 800 ms tick completes.
class DiscService : public QObject, public DriveTrayService, public ShutdownService {
    Q_OBJECT
public:
    DiscService(const PathTable& paths, DiscCatalogueSettings& settings, DriveTrays& trays, GlobalHotKeys& hotKeys,
                Prompts& prompts, QObject* parent = nullptr);
    ~DiscService() override;

    DiscDrivesPage* page() const { return m_page.data(); }
    DiscCatalogueWindow* window() const { return m_window; } // null until first opened
    DiscSearchWindow* searchWindow() const { return m_search; }

    // The loop's delayed close: arm it, and whether one is pending.
    void setDelayedClose(std::function<void(const QString& drive, int seconds)> arm, std::function<bool()> pending);
    // Writes the section "Klony" (the window closed, an image was mounted).
    void setSettingsWriter(std::function<void()> write) { m_writeSettings = std::move(write); }

    // "Klony".
    void openCatalogue();
    void scan(const QStringList& folders);
    bool scanning() const { return m_scanThread != nullptr; }
    void cancelScan();
    void mount(int row);
    const QList<DiscRow>& rows() const { return m_rows; }
    const QStringList& folders() const { return m_folders; }

    // Replaces the program's hot keys by the configured ones.
    void registerTrayHotKeys();
    void onHotKey(HotKeyCombo combo);
    const DriveHotKeyTable& hotKeyTable() const { return m_table; }
    void saveHotKeys();

    // --action tray-open / tray-close: the first drive; the reason it
    // cannot, empty on success.
    QString moveFirstTray(bool open);

    void closeDriveTray(const QString& drive) override;
    void shutdownStep(ShutdownStepId step, const QDate& today) override;

signals:
    void scanFinished();

private:
    void createWindow();
    void addFolder(const QString& folder);
    void removeFolder(int index);
    void saveFolders();
    void finishScan(const QList<DiscRow>& rows);
    void chooseDefaultProgram();

    const PathTable& m_paths;
    DiscCatalogueSettings& m_settings;
    DriveTrays& m_trays;
    GlobalHotKeys& m_hotKeys;
    Prompts& m_prompts;
    QPointer<DiscDrivesPage> m_page; // given to the Tools window
    DiscCatalogueWindow* m_window = nullptr;
    DiscSearchWindow* m_search = nullptr;
    std::unique_ptr<QWidget> m_windowOwner;
    std::unique_ptr<QWidget> m_searchOwner;
    QList<DiscRow> m_rows;
    QStringList m_folders;
    bool m_foldersMayReplace = true;
    DriveHotKeyTable m_table;
    bool m_tableMayReplace = true;
    QThread* m_scanThread = nullptr;
    std::shared_ptr<DiscScanState> m_scanState;
    QTimer m_searchRefresh;
    std::function<void(const QString&, int)> m_armClose;
    std::function<bool()> m_closePending;
    std::function<void()> m_writeSettings;
};

} // namespace zorvex
