#include "ui/net/TimeSyncService.h"

#include "core/app/SettingsStore.h"
#include "core/app/StartupTasks.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/common/IniFile.h"
#include "core/common/PathTable.h"
#include "core/net/HostPort.h"
#include "core/net/TimeSyncSettings.h"
#include "ui/common/Messages.h"
#include "ui/internet/InternetMessages.h"
#include "ui/net/TimeSyncPage.h"

namespace zorvex {
namespace {

constexpr char kCaption[] = "Zorvex - Synchronizacja czasu";

QStringList serverList(const QString& path)
{
    QStringList servers;
    const TextFileRead file = readTextFile(path);
    for (const QString& line : file.text.split(QLatin1Char('\n'))) {
        const QString s = line.trimmed();
        if (!s.isEmpty() && !servers.contains(s))
            servers << s;
    }
    return servers;
}

} // namespace

TimeSyncService::TimeSyncService(Services services, QObject* parent)
    : QObject(parent)
    , m_s(std::move(services))
    , m_sync(m_s.clock, m_s.transport, m_s.clockSetter)
{
    m_page = new TimeSyncPage(m_s.settings);
    // The Tools window may go first at the end.
    connect(m_page, &QObject::destroyed, this, [this] { m_page = nullptr; });
    if (m_page)
        m_page->setServerList(serverList(m_s.paths.path(PathId::Synchro)));
    connect(m_page, &TimeSyncPage::synchronizeRequested, this, [this] { synchronizeNow(); });
}

TimeSyncService::~TimeSyncService()
{
    m_sync.cancel();
    if (m_page && !m_page->parent())
        delete m_page;
}

QString TimeSyncService::synchronizeNow()
{
    if (running())
        return QStringLiteral("Synchronizacja czasu już trwa.");
    const QString server = m_s.settings.server;
    if (!synchronize(server, true, false))
        return QStringLiteral("Nie rozpoczęto synchronizacji czasu.");
    return {};
}

bool TimeSyncService::synchronize(const QString& server, bool interactive, bool daily)
{
    if (running())
        return false;
    const auto target = parseHostPort(server, kSntpPort);
    if (!target) {
        if (interactive)
            m_s.prompts.window(QMessageBox::Warning, QString::fromUtf8(kCaption),
                               QStringLiteral("Niepoprawna nazwa serwera czasu: ") + server.trimmed());
        return false;
    }
    // A silent run stopped here arms no retry.
    if (!InternetAvailable(m_s.prompts, m_s.interfaces, QStringLiteral("http://") + target->host + QLatin1Char('/'), interactive))
        return false;
    if (m_page)
        m_page->setRunning(true);
    if (busyChanged)
        busyChanged(true);
    m_sync.start(server, [this, interactive, daily](const TimeSyncOutcome& o) { done(o, interactive, daily); });
    return true;
}

void TimeSyncService::done(const TimeSyncOutcome& o, bool interactive, bool daily)
{
    if (busyChanged)
        busyChanged(false);
    if (m_page)
        m_page->setRunning(false);
    if (o.kind == TimeSyncOutcome::Synchronised) {
        m_backoff.succeeded();
        TimeSyncSettings& s = m_s.settings;
        s.lastSync = toDayTime(o.time);
        s.lastCorrection = o.correctionSeconds;
        if (daily)
            s.lastDailySync = toDayTime(o.time.date());
        // Written at once; a write error is not worth a message.
        m_s.store.update([&s, daily](IniFile& ini) {
            ini.writeDateTime(QStringLiteral("Synchro"), QStringLiteral("Ostatnio"), s.lastSync);
            ini.writeInteger(QStringLiteral("Synchro"), QStringLiteral("Skorygowano"), s.lastCorrection);
            if (daily)
                ini.writeDate(QStringLiteral("Synchro"), QStringLiteral("Dzien"), s.lastDailySync);
        });
        if (m_page)
            m_page->showLastSync();
    } else if (interactive) {
        reportFailure(o);
    } else if (o.retryLater()) {
        m_backoff.failed(m_s.clock.now());
        if (m_s.armRetry)
            m_s.armRetry();
    }
    emit finished(o);
}

void TimeSyncService::reportFailure(const TimeSyncOutcome& o)
{
    const QString caption = QString::fromUtf8(kCaption);
    switch (o.kind) {
    case TimeSyncOutcome::NetworkTimeOn:
        m_s.prompts.window(QMessageBox::Information, caption,
                           QStringLiteral("Zegar systemowy jest już synchronizowany automatycznie przez system "
                                         "(NTP), więc Zorvex go nie zmienia."));
        break;
    case TimeSyncOutcome::ClockRefused:
        m_s.prompts.window(QMessageBox::Warning, caption,
                           QStringLiteral("System nie pozwolił ustawić zegara (brak uprawnień)."));
        break;
    case TimeSyncOutcome::ClockFailed:
        m_s.prompts.window(QMessageBox::Warning, caption,
                           QStringLiteral("Nie udało się ustawić zegara systemowego.\n\n") + o.detail);
        break;
    case TimeSyncOutcome::Cancelled: break;
    default: ShowServerProblem(m_s.prompts); break;
    }
}

void TimeSyncService::runAtStart(const QDateTime& now)
{
    switch (timeSyncAtStart(m_s.settings.mode(), dateOf(m_s.settings.lastDailySync), now.date())) {
    case TimeSyncRun::Now: synchronize(m_s.settings.server, false, false); break;
    case TimeSyncRun::Daily: synchronize(m_s.settings.server, false, true); break;
    case TimeSyncRun::None: break;
    }
}

void TimeSyncService::retry(const QDateTime& now)
{
    if (!m_backoff.due(now)) {
        // Not yet: the loop asks again 30 seconds later.
        if (m_s.armRetry)
            m_s.armRetry();
        return;
    }
    switch (m_s.settings.mode()) {
    case TimeSyncMode::AtStart: synchronize(m_s.settings.server, false, false); break;
    case TimeSyncMode::Daily: synchronize(m_s.settings.server, false, true); break;
    case TimeSyncMode::Off: break;
    }
}

} // namespace zorvex
