#include "app/Application.h"
#include "app/ShellServices.h"
#include "core/app/MainLoop.h"
#include "core/app/ProcessPriority.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "platform/ProcessPriority.h"
#include "platform/audio/GstAudioLibrary.h"
#include "platform/audio/LazyAudioLibrary.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/PageIcons.h"
#include "ui/app/tools/ToolsWindow.h"

#include <QTimer>

namespace zorvex {

// The shell: the sound players every feature shares, the two windows, the
// process priority, the autosave record and the main loop with the shell's
// own steps.
void Application::installShell()
{
    // Every sound of the program goes through the eight players; the sound
    // library itself starts with the first sound.
    m_audio = std::make_unique<LazyAudioLibrary>([] { return std::make_unique<GstAudioLibrary>(); });
    m_players = std::make_unique<BassPlaySet>(*m_audio);

    m_main = std::make_unique<MainWindow>(m_paths, m_settings, m_settings.tray, *m_prompts);
    m_main->setSettingsStore(m_store.get());
    m_main->setSystemServices(&m_system);
    m_main->contextMenu()->setPageIconProvider(pageCodeIcon);

    // What the Tools window does when it is created: the process priority
    // and the autosave interval; the statistics take over a record left by a
    // crash (installStatus).
    m_tools = std::make_unique<ToolsWindow>(m_settings);
    m_tools->setMainWindow(m_main.get());
    m_prioritySetter = std::make_unique<LinuxPrioritySetter>();
    m_priority = std::make_unique<ProcessPriority>(*m_prioritySetter);
    m_priority->setMode(m_settings.main.priority);

    ShellServices::Links links;
    links.stopTimers = [this] {
        for (QTimer& t : m_timers)
            t.stop();
    };
    links.takeReceivedPath = [this] { return takeReceivedPath(); };
    // Out of the tick that takes it: installing may ask the user.
    links.install = [this](const QString& text) {
        QTimer::singleShot(0, this, [this, text] { dispatchInstallText(text); });
    };
    m_shell = std::make_unique<ShellServices>(m_settings, m_paths, *m_store, m_system, *m_main, *m_tools, m_state.startedAt,
                                              std::move(links));
    m_loop = std::make_unique<MainLoop>(m_clock, *m_shell);
    LoopRegistry& loop = m_loop->services();
    loop.setInterval(IntervalTask::Autosave, *m_shell);
    loop.addStartup(StartupTasks::TrayIconProtection, *m_shell);
    for (ShutdownStepId step : {ShutdownStepId::MarkClosing, ShutdownStepId::StopTimers, ShutdownStepId::SaveSettings,
                                ShutdownStepId::DeleteAutosave, ShutdownStepId::WriteExitValues})
        loop.addShutdown(step, *m_shell);
}

} // namespace zorvex
