#include "core/internet/UpdateCheck.h"

#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/internet/ServiceAnswer.h"
#include "core/settings/MainWindowSettings.h"
#include "core/settings/ToolsSettings.h"

namespace zorvex {
namespace {

const UpdateListInfo& infoOf(UpdateList list)
{
    for (const UpdateListInfo& info : updateLists()) {
        if (info.list == list)
            return info;
    }
    return updateLists().front();
}

} // namespace

UpdateCheck::UpdateCheck(const Clock& clock, const PathTable& paths, const ServiceClient& service,
                         TextRequestClient& client, ToolsSettings& tools, MainWindowSettings& main, Hooks hooks)
    : m_clock(clock)
    , m_paths(paths)
    , m_service(service)
    , m_client(client)
    , m_tools(tools)
    , m_main(main)
    , m_hooks(std::move(hooks))
{
}

void UpdateCheck::loadStamps()
{
    m_stored = loadStampLine(m_paths.path(PathId::Profile), m_main.oldDataListState);
}

void UpdateCheck::resetStamps()
{
    m_stored = QString::fromLatin1(kEmptyStampLine);
    storeStampLine(m_paths.path(PathId::Profile), m_stored);
}

void UpdateCheck::run(bool silent)
{
    if (m_running)
        return;
    if (!silent)
        m_hooks.dropRetry();
    m_silent = silent;
    if (!m_hooks.internetAvailable(!silent)) {
        if (silent)
            m_hooks.armRetry();
        return;
    }
    m_running = true;
    m_answer.clear();
    m_pending.clear();
    m_updated.clear();
    m_hooks.buttonEnabled(false);
    const int generation = ++m_generation;
    m_client.post(m_service.endpointUrl(QString::fromLatin1(kStampEndpoint)), [this, generation](const HttpAnswer& a) {
        if (generation == m_generation)
            onStamps(a);
    });
}

void UpdateCheck::onStamps(const HttpAnswer& answer)
{
    if (!answer.ok) {
        if (m_silent)
            m_hooks.armRetry();
        else
            m_hooks.serverProblem(answer.error);
        stop();
        return;
    }
    const std::optional<QStringList> stamps = findStampLine(cleanAnswer(answer.body));
    if (!stamps) {
        if (!m_silent)
            m_hooks.serverProblem(QString());
        stop();
        return;
    }
    m_answer = *stamps;
    const QStringList stored = m_stored.split(QLatin1Char('|'));
    for (const UpdateListInfo& info : updateLists()) {
        if (m_answer.value(info.field - 1) != stored.value(info.field - 1))
            m_pending << info.list;
    }
    fetchNext();
}

void UpdateCheck::fetchNext()
{
    if (m_pending.isEmpty()) {
        finish();
        return;
    }
    const UpdateList list = m_pending.takeFirst();
    const UpdateListInfo& info = infoOf(list);
    const int generation = m_generation;
    m_service.requestList(m_client, info.service,
                          [this, generation, list](std::optional<QStringList> lines, const QString&) {
                              if (generation != m_generation)
                                  return;
                              // A failed or empty answer leaves the list and
                              // its stamp as they were, for the next check.
                              if (lines && writeListFile(m_paths.path(infoOf(list).file), *lines)) {
                                  m_updated << list;
                                  m_hooks.listReplaced(list);
                              }
                              fetchNext();
                          });
}

void UpdateCheck::finish()
{
    const QDateTime now = m_clock.now();
    m_tools.lastUpdateCheckDay = toDayTime(now.date());
    m_hooks.checkDateChanged(m_tools.lastUpdateCheckDay);

    const bool offered = programUpdateOffered(m_answer);
    if (!m_updated.isEmpty()) {
        m_stored = mergedStampLine(m_stored, m_answer, m_updated);
        storeStampLine(m_paths.path(PathId::Profile), m_stored);
    }
    m_main.lastDataCheck = toDayTime(now);
    m_hooks.lastCheckChanged(m_main.lastDataCheck);
    if (!m_updated.isEmpty())
        m_hooks.information(updateSummary(m_updated));
    else if (!m_silent && !offered)
        m_hooks.information(QStringLiteral("Aktualizacja nie jest wymagana, ponieważ posiadasz najnowsze dane"));
    stop();
    if (offered)
        m_hooks.programUpdateOffered();
}

void UpdateCheck::stop()
{
    m_running = false;
    m_hooks.buttonEnabled(true);
}

bool UpdateCheck::dueAtStart() const
{
    return m_tools.updateCheck
        && automaticCheckDue(m_tools.updateCheckWeekly, m_tools.lastUpdateCheckDay, m_clock.now().date());
}

void UpdateCheck::startupStep()
{
    if (dueAtStart())
        run(true);
}

bool UpdateCheck::retryAvailable() const
{
    return !m_running && m_tools.updateCheck;
}

void UpdateCheck::abort()
{
    if (!m_running)
        return;
    ++m_generation;
    m_client.abort();
    m_running = false;
}

} // namespace zorvex
