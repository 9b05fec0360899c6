#pragma once

#include "core/internet/AddonPackage.h"
#include "core/internet/UpdateStamps.h"
#include "core/shell/LoopServices.h"
#include "ui/internet/OtherPagePanel.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace zorvex {

class Prompts;

class AddonInstaller;
class AssociationsDialog;
class Clock;
class DesktopIntegration;
class DesktopProxySource;
class FileDownloader;
class InstallDispatcher;
class InterfaceProbe;
class NetworkAccess;
class PathTable;
class ProgramUpdate;
class ProxyDialog;
class ServiceClient;
class SettingsStore;
class TextRequestClient;
class UpdateCheck;
class UpdateProgressWindow;
struct Settings;

// What the internet features are given by the program.
struct InternetContext {
    const Clock& clock;
    const PathTable& paths;
    Settings& settings;
    const SettingsStore& store;       // keys written at once
    DesktopIntegration& desktop;
    const InterfaceProbe& interfaces;
    DesktopProxySource& desktopProxy;
    Prompts& prompts;
    QString machineToken;             // machineToken(readMachineId())
    QString programPath;              // started again after an update
    bool installedBySystem = false;   // programInstalledBySystem()
    QString updaterProgram;           // findUpdaterProgram(); empty: none
};

// The internet features as the running program has them: the one network
// access with its proxy, the service client, the data and program update
// checks, the settings backup and its restore, the file associations and
// autostart, add-on installation and the dispatcher of files handed to the
// program. Every request ends on the event loop; messages are windows that
// wait for nobody.
class InternetService : public QObject, public StartupService, public RetryService, public ShutdownService {
    Q_OBJECT
public:
    explicit InternetService(InternetContext context, QObject* parent = nullptr);
    ~InternetService() override;

    // The part of the page "Inne" this service owns.
    OtherPagePanel* otherPagePanel() const { return m_panel; }
    NetworkAccess& network() const { return *m_network; }
    const ServiceClient& service() const { return *m_service; }

    // --- steps the program calls ---
    // At start, once the settings are loaded: the proxy, the stored stamps,
    // the file associations and the autostart entry.
    void startup();
    // Once after the start-up fade-in: the automatic check when it is due.
    bool readyAtStart() const override { return true; }
    void runAtStart(const QDateTime& now) override;
    // The retry of a failed automatic check, armed with the main loop.
    bool retryAvailable() const override;
    void retry(const QDateTime& now) override;
    // "Sprawdź czy jest aktualizacja" and --action update-check.
    void checkForUpdates();
    bool updateCheckRunning() const;
    // InstalujPlik: a file or address handed to the program (command line,
    // a second start, a "zvx:" link). `assumeYes` is --yes.
    void handOver(const QString& text, bool assumeYes = false);
    // At the orderly shutdown: downloads cancelled, requests dropped.
    void shutdown();
    void shutdownStep(ShutdownStepId step, const QDate& today) override;

    // --- what the page's controls do ---
    void createBackup();             // asks where, then backupTo()
    void restoreFromDialog();        // asks which, then restoreBackup()
    bool backupTo(const QString& target);
    void restoreBackup(const QString& path);
    void openProxyDialog();
    void openAssociations();
    void resetUpdateState();
    void setAutostart(bool on);

    // --- what the program answers ---
    std::function<QWidget*()> toolsWindow = [] { return nullptr; };
    // The main loop's retry of the automatic check.
    std::function<void()> armUpdateRetry = [] {};
    std::function<void()> dropUpdateRetry = [] {};
    // The settings save pass.
    std::function<void()> saveSettings = [] {};
    // After a restore: mark the shutdown to skip its saves, start the
    // program again on the same data folder (startProgramAgain), and run the
    // orderly shutdown.
    std::function<void()> restartAfterRestore = [] {};
    // After the updater has started: close the program the normal way.
    std::function<void()> closeProgram = [] {};
    // A stream address for the radio favourites (name, separator, address).
    std::function<void(const QString& record)> addRadioStation = [](const QString&) {};
    // A list file was replaced by the update: its owner reloads it.
    std::function<void(UpdateList list)> listReplaced = [](UpdateList) {};
    // Installed add-ons: choose and apply a set, a composition; then every
    // chooser reads its folders again and the main window comes forward.
    std::function<void(const AddonItem& item)> applyAddonItem = [](const AddonItem&) {};
    std::function<void(const QString& compositionLine)> applyComposition = [](const QString&) {};
    std::function<void()> addonsInstalled = [] {};

signals:
    // Network or install activity began or ended (the priority stays raised
    // meanwhile).
    void activityChanged(bool active);

private:
    void updateCaption();
    void setInstalling(bool on);
    void downloadPackage(const QString& url, bool assumeYes);
    void writeCheckDate();

    InternetContext m_context;
    std::unique_ptr<NetworkAccess> m_network;
    std::unique_ptr<ServiceClient> m_service;
    std::unique_ptr<TextRequestClient> m_updateClient;
    std::unique_ptr<FileDownloader> m_updateDownloader;
    std::unique_ptr<FileDownloader> m_packageDownloader;
    std::unique_ptr<UpdateCheck> m_updateCheck;
    std::unique_ptr<ProgramUpdate> m_programUpdate;
    std::unique_ptr<AddonInstaller> m_installer;
    std::unique_ptr<InstallDispatcher> m_dispatcher;
    QPointer<OtherPagePanel> m_panel; // the Tools window owns it once placed
    QPointer<UpdateProgressWindow> m_progress;
    QPointer<ProxyDialog> m_proxyDialog;
    QPointer<AssociationsDialog> m_associations;
    QString m_backupFolder; // where the last backup went, for this run
    bool m_installing = false;
    bool m_networkActive = false;
};

} // namespace zorvex
