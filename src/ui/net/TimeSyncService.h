#pragma once

#include "core/net/TimeSynchronizer.h"
#include "core/shell/LoopServices.h"

#include <QObject>

#include <functional>

namespace zorvex {

class Prompts;

class InterfaceProbe;
class PathTable;
class SettingsStore;
class TimeSyncPage;
struct TimeSyncSettings;

// Time synchronisation as the running program has it: the "Czas" page, the
// run at start, the silent retries and "Synchronizuj czas". Nothing waits:
// a run ends from the event loop and its messages wait for nobody.
class TimeSyncService : public QObject, public StartupService, public RetryService {
    Q_OBJECT
public:
    struct Services {
        const Clock& clock;
        const PathTable& paths;
        TimeSyncSettings& settings;
        const SettingsStore& store;
        const InterfaceProbe& interfaces;
        SntpTransport& transport;
        SystemTimeSetter& clockSetter;
        Prompts& prompts;
        // Arms the main loop's retry.
        std::function<void()> armRetry;
    };

    explicit TimeSyncService(Services services, QObject* parent = nullptr);
    ~TimeSyncService() override;

    TimeSyncPage* page() const { return m_page; }

    // SynchronizeTime. False when a run is going on already, the internet
    // check failed, or the server box holds no server.
    bool synchronize(const QString& server, bool interactive, bool daily);
    // "Synchronizuj teraz" and "Synchronizuj czas": the box's text, with
    // messages. The reason when nothing was started.
    QString synchronizeNow();
    bool running() const { return m_sync.running(); }
    void setTimeoutMs(int ms) { m_sync.setTimeoutMs(ms); }
    const RetryBackoff& backoff() const { return m_backoff; }
    // Tells the process priority that network work starts or ends.
    std::function<void(bool busy)> busyChanged;

    bool readyAtStart() const override { return true; }
    void runAtStart(const QDateTime& now) override;
    bool retryAvailable() const override { return !running(); }
    void retry(const QDateTime& now) override;

signals:
    void finished(const TimeSyncOutcome& outcome);

private:
    void done(const TimeSyncOutcome& o, bool interactive, bool daily);
    void reportFailure(const TimeSyncOutcome& o);

    Services m_s;
    TimeSynchronizer m_sync;
    RetryBackoff m_backoff;
    TimeSyncPage* m_page = nullptr; // owned by the Tools window once placed there
};

} // namespace zorvex
