#pragma once

#include "core/app/PathTable.h"
#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/app/StartupData.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QWidget;

namespace zorvex {

class InstanceLock;
class InstanceServer;
class SignalWatcher;

// The process-wide start-up state.
struct StartupState {
    bool anotherInstanceRunning = false;
    QString pendingCommandLinePath;
    QString receivedPath; // the latest text handed over by a second start
    ChimeSets chimeSets;
    DecimalSeparators separators;
    QDateTime startedAt;
};

// Runs the program: the start-up decisions in their fixed order, the main
// loop, and the orderly shutdown.
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

private:
    void dispatchInstallText(const QString& text);
    void autosave();
    void shutdown();

    StartupState m_state;
    PathTable m_paths;
    Settings m_settings;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<InstanceLock> m_lock;
    InstanceServer* m_server = nullptr;
    SignalWatcher* m_signals = nullptr;
    QPointer<QWidget> m_mainWindow;
    QTimer m_handOffTimer;
    QTimer m_autosaveTimer;
    bool m_toolsShowing = false;
    bool m_restoredBackup = false;
};

} // namespace zorvex
