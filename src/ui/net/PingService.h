#pragma once

#include "core/net/PingHosts.h"
#include "core/shell/LoopServices.h"

#include <QObject>

#include <functional>
#include <memory>

class QTemporaryDir;

namespace zorvex {

class Prompts;

class BassPlaySet;
class IcmpPinger;
class PathTable;
class PingPage;
class StatusPopup;
class TrayIcon;
struct PingSettings;

// The ping monitor as the running program has it: the added hosts and
// their file, the range scan, the checks (by hand, at start, on the
// interval) one echo after another without waiting, and the announcements.
class PingService : public QObject, public StartupService, public IntervalService {
    Q_OBJECT
public:
    struct Services {
        const PathTable& paths;
        PingSettings& settings;
        Prompts& prompts;
        BassPlaySet* players = nullptr;
        TrayIcon* tray = nullptr;
    };

    explicit PingService(Services services, QObject* parent = nullptr);
    ~PingService() override;

    Prompts& prompts() const { return m_s.prompts; }

    PingPage* page() const { return m_page; }
    StatusPopup* popup() const { return m_popup; }
    IcmpPinger& pinger() { return *m_pinger; }

    const QList<PingHost>& hosts() const { return m_hosts; }
    void setHosts(const QList<PingHost>& hosts);
    const QList<PingHost>& range() const { return m_range; }
    bool save() const;

    // CheckAddedHosts; false while a run goes on.
    bool checkAddedHosts();
    // ScanRange over the page's start and end addresses.
    bool scanRange(const QString& start, const QString& end);
    bool running() const { return m_running; }
    const QList<PingChange>& changes() const { return m_changes; }
    const QList<PingChange>& rangeChanges() const { return m_rangeChanges; }
    // "Eksploruj": the host's shared folders in the file manager (smb://).
    QString explore(const PingHost& host);
    // The "--action ping" answer.
    QString checkAction();

    bool readyAtStart() const override { return true; }
    void runAtStart(const QDateTime& now) override;
    Interval interval() const override;
    void runInterval(const QDateTime& now) override;
    IntervalService& popupHide();
    std::function<void()> popupShown;
    // Tells the process priority that network work starts or ends.
    std::function<void(bool busy)> busyChanged;
    // A check started by hand starts the automatic interval anew.
    std::function<void()> intervalRestarted;

signals:
    void runFinished();
    void hostsChanged();

private:
    class PopupHide;
    void next();
    void answered(bool up, bool failed);
    void finishRun(bool completed);
    void announce();

    Services m_s;
    std::unique_ptr<IcmpPinger> m_pinger;
    std::unique_ptr<PopupHide> m_popupHide;
    std::unique_ptr<QTemporaryDir> m_speakerDir;
    QList<PingHost> m_hosts;
    bool m_hostsLoaded = true;
    QList<PingHost> m_range;
    QList<PingHost> m_before;
    QList<PingChange> m_changes;
    QList<PingChange> m_rangeChanges;
    bool m_running = false;
    bool m_scanning = false; // the run is the range scan
    int m_index = -1;
    int m_lookup = -1;
    PingPage* m_page = nullptr;
    StatusPopup* m_popup = nullptr;
};

} // namespace zorvex
