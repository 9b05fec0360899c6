#include "app/Application.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "ui/app/ClockMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/net/NetTools.h"
#include "ui/net/TimeSyncPage.h"
#include "ui/net/TimeSyncService.h"

namespace zorvex {

// The network tools: time synchronisation with its page, start-up run and
// retries, the mail checker and the ping monitor.
void Application::installNet()
{
    LoopRegistry& loop = m_loop->services();
    m_net = std::make_unique<NetTools>(NetTools::Context{m_clock, m_paths, *m_store, m_settings.synchro});

    TimeSyncService& sync = m_net->timeSync();
    m_net->setArmTimeSyncRetry([this] { m_loop->armTimeSyncRetry(); });
    m_tools->setPageContent(page::Time, sync.page());
    loop.addStartup(StartupTasks::TimeSyncAtStart, sync);
    loop.setRetry(RetryTask::TimeSync, sync);
    connect(m_main->clockMenu(), &ClockMenu::syncTimeRequested, &sync, [&sync] { sync.synchronizeNow(); });
    registerAction(QStringLiteral("sync-time"), [&sync] { return sync.synchronizeNow(); });
}

} // namespace zorvex
