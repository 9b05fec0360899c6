#include "ui/net/PingService.h"

#include "core/common/AtomicFile.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/net/PingSettings.h"
#include "core/net/SpeakerSignals.h"
#include "platform/net/IcmpPinger.h"
#include "ui/app/TrayIcon.h"
#include "ui/common/SoundFileChooser.h"
#include "ui/net/NetSounds.h"
#include "ui/net/PingPage.h"
#include "ui/net/StatusPopup.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHostInfo>
#include <QTemporaryDir>
#include <QUrl>

namespace zorvex {

class PingService::PopupHide : public IntervalService {
public:
    explicit PopupHide(PingService& s)
        : m_s(s)
    {
    }
    Interval interval() const override
    {
        return Interval::seconds(m_s.m_s.settings.notifyAutoHide && m_s.m_popup->isVisible(), m_s.m_s.settings.notifyHideSeconds);
    }
    void runInterval(const QDateTime&) override { m_s.m_popup->hide(); }

private:
    PingService& m_s;
};

PingService::PingService(Services services, QObject* parent)
    : QObject(parent)
    , m_s(std::move(services))
    , m_pinger(std::make_unique<IcmpPinger>())
    , m_popupHide(std::make_unique<PopupHide>(*this))
{
    m_hostsLoaded = loadPingHosts(m_s.paths.path(PathId::Ping), &m_hosts);
    m_popup = new StatusPopup(QStringLiteral("PingNotification"));
    m_page = new PingPage(*this, m_s.settings);
    // The Tools window may go first at the end.
    connect(m_page, &QObject::destroyed, this, [this] { m_page = nullptr; });
    m_page->soundChooser()->setCallbacks(
        soundCallbacks(m_page, m_s.paths, m_s.players, BassPlaySet::Ping, QStringLiteral("Zorvex - Ping"), m_s.prompts));
    if (m_s.players) {
        connect(&m_s.players->player(BassPlaySet::Ping), &BassPlay::stopped, this, [this] {
            if (m_page)
                m_page->soundChooser()->testEnded();
        });
    }
    connect(m_pinger.get(), &IcmpPinger::finished, this, &PingService::answered);
}

PingService::~PingService()
{
    if (m_lookup >= 0)
        QHostInfo::abortHostLookup(m_lookup);
    m_pinger.reset();
    delete m_popup;
    if (m_page && !m_page->parent())
        delete m_page;
}

IntervalService& PingService::popupHide()
{
    return *m_popupHide;
}

void PingService::setHosts(const QList<PingHost>& hosts)
{
    m_hosts = hosts;
    m_hostsLoaded = true;
    emit hostsChanged();
}

bool PingService::save() const
{
    if (!m_hostsLoaded)
        return false;
    return savePingHosts(m_s.paths.path(PathId::Ping), m_hosts);
}

bool PingService::checkAddedHosts()
{
    if (m_running)
        return false;
    m_running = true;
    m_scanning = false;
    m_before = m_hosts;
    if (intervalRestarted)
        intervalRestarted();
    if (busyChanged)
        busyChanged(true);
    m_changes.clear();
    m_index = -1;
    if (m_page)
        m_page->setRunning(true);
    next();
    return true;
}

bool PingService::scanRange(const QString& start, const QString& end)
{
    if (m_running)
        return false;
    const QStringList addresses = pingRange(start, end);
    if (addresses.isEmpty())
        return false;
    QStringList current;
    for (const PingHost& h : std::as_const(m_range))
        current << h.ip;
    if (current != addresses) {
        m_range.clear();
        for (const QString& ip : addresses)
            m_range << PingHost{-1, ip, QString()};
    }
    m_running = true;
    m_scanning = true;
    m_before = m_range;
    if (busyChanged)
        busyChanged(true);
    m_rangeChanges.clear();
    m_index = -1;
    if (m_page)
        m_page->setRunning(true);
    next();
    return true;
}

void PingService::next()
{
    QList<PingHost>& list = m_scanning ? m_range : m_hosts;
    ++m_index;
    if (m_index >= list.size()) {
        finishRun(true);
        return;
    }
    m_pinger->ping(list.at(m_index).ip, m_s.settings.timeoutMs);
}

void PingService::answered(bool up, bool failed)
{
    if (!m_running)
        return;
    if (failed) { // no right to send: the run ends, nothing is compared
        finishRun(false);
        return;
    }
    QList<PingHost>& list = m_scanning ? m_range : m_hosts;
    if (m_index < 0 || m_index >= list.size()) {
        finishRun(false);
        return;
    }
    list[m_index].status = up ? 1 : 0;
    if (m_page)
        m_page->refresh();
    if (m_scanning && up && m_s.settings.lookUpNames) {
        // The name is looked up without waiting; the scan goes on after.
        const QString ip = list.at(m_index).ip;
        const int index = m_index;
        m_lookup = QHostInfo::lookupHost(ip, this, [this, index, ip](const QHostInfo& info) {
            m_lookup = -1;
            if (!m_running || index >= m_range.size() || m_range.at(index).ip != ip)
                return;
            const QString name = info.error() == QHostInfo::NoError && info.hostName() != ip ? info.hostName() : QString();
            m_range[index].name = name;
            if (m_page)
                m_page->refresh();
            next();
        });
        return;
    }
    next();
}

void PingService::finishRun(bool completed)
{
    m_running = false;
    if (busyChanged)
        busyChanged(false);
    if (m_page)
        m_page->setRunning(false);
    if (m_page)
        m_page->refresh();
    if (completed) {
        if (m_scanning) {
            m_rangeChanges = pingChanges(m_before, m_range);
        } else {
            m_changes = pingChanges(m_before, m_hosts);
            if (m_s.settings.autoCheck || m_s.settings.checkAtStart)
                announce();
        }
    }
    emit runFinished();
}

void PingService::announce()
{
    if (m_changes.isEmpty())
        return;
    const PingSettings& s = m_s.settings;
    if (s.notify) {
        QList<QPair<QString, QString>> rows;
        for (const PingChange& c : std::as_const(m_changes))
            rows.append({c.up ? QStringLiteral("network-transmit-receive") : QStringLiteral("network-offline"), c.label});
        m_popup->showRows(rows);
        if (popupShown)
            popupShown();
    }
    SoundFileChooser* chooser = m_page ? m_page->soundChooser() : nullptr;
    QString toPlay;
    if (s.playSound && chooser && QFileInfo(chooser->resolvedPath()).isFile()) {
        // As if "Testuj" were pressed; a test already playing is left alone.
        if (!chooser->testRunning())
            chooser->pressTest();
    } else if (s.speakerSignal) {
        if (!m_speakerDir)
            m_speakerDir = std::make_unique<QTemporaryDir>();
        const QString file = m_speakerDir->filePath(QStringLiteral("sygnal.wav"));
        if (m_speakerDir->isValid() && writeFileAtomically(file, speakerSignalWav(s.speakerSignalNumber)))
            toPlay = file;
    }
    if (!toPlay.isEmpty() && m_s.players) {
        m_s.players->player(BassPlaySet::Ping).setFileName(toPlay);
        m_s.players->playFile(BassPlaySet::Ping);
    }
    if (s.balloon && m_s.tray)
        m_s.tray->showBalloon(QStringLiteral("Ping"), pingBalloonText(m_changes), QSystemTrayIcon::Information,
                              s.balloonAutoHide ? s.balloonHideSeconds * 1000 : 0, BalloonSource::Ping);
}

QString PingService::explore(const PingHost& host)
{
    if (host.status != 1 || m_running) // only a host found up, and not during a run
        return {};
    if (!QDesktopServices::openUrl(QUrl(QStringLiteral("smb://") + host.ip + QLatin1Char('/'))))
        return QStringLiteral("Nie można otworzyć udostępnionych folderów komputera ") + host.ip;
    return {};
}

QString PingService::checkAction()
{
    if (m_hosts.isEmpty())
        return QStringLiteral("Lista Dodanych IP jest pusta.");
    return checkAddedHosts() ? QString() : QStringLiteral("Sprawdzanie komputerów już trwa.");
}

void PingService::runAtStart(const QDateTime&)
{
    if (m_s.settings.checkAtStart && !m_hosts.isEmpty())
        checkAddedHosts();
}

Interval PingService::interval() const
{
    return Interval::minutes(m_s.settings.autoCheck, m_s.settings.autoCheckMinutes);
}

void PingService::runInterval(const QDateTime&)
{
    checkAddedHosts();
}

} // namespace zorvex
