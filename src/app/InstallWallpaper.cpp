#include "app/Application.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "core/app/ProcessPriority.h"
#include "core/common/IniFile.h"
#include "platform/wallpaper/WallpaperSetter.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/status/StatusService.h"
#include "ui/wallpaper/WallpaperPage.h"
#include "ui/wallpaper/WallpaperService.h"

namespace zorvex {

// The wallpaper changer: its page, the timed change on the 800 ms tick, the
// change at start, "Zmień tapetę" (code 37) and --action change-wallpaper.
void Application::installWallpaper()
{
    m_wallpaperSetter = std::make_unique<DesktopWallpaperSetter>();
    m_wallpaper = std::make_unique<WallpaperService>(m_paths, m_settings.tapeter, m_settings.tapeterOst,
                                                     *m_wallpaperSetter, *m_prompts);
    WallpaperService* wallpaper = m_wallpaper.get();
    wallpaper->setDialogParent(m_tools.get());
    m_tools->setPageContent(page::Wallpaper, wallpaper->page());
    wallpaper->setBusyReporter([this](bool busy) { m_priority->setBusy(kBusyWallpaper, busy); });
    // The CPU limit compares with what the processor gauge shows.
    wallpaper->setCpuSource([this] {
        const std::optional<int> percent = m_status->cpuPercent();
        return percent ? QString::number(*percent) : QString();
    });
    wallpaper->setScheduleRestart([this] { m_loop->setReference(IntervalTask::Wallpaper, m_clock.now()); });
    wallpaper->setLastFolderWriter([this] {
        m_store->update([this](IniFile& ini) {
            ini.writeString(QStringLiteral("Tapeter"), QStringLiteral("SciDodaj"), m_settings.tapeter.lastAddedDir);
        });
    });
    m_store->addListWriter([this, wallpaper] {
        wallpaper->saveFolders();
        // A changer without folders is stored switched off.
        if (m_settings.tapeter.active && wallpaper->folders().isEmpty())
            m_store->update([](IniFile& ini) {
                ini.writeString(QStringLiteral("Tapeter"), QStringLiteral("Zmiana"), QStringLiteral("0"));
            });
    });
    connect(wallpaper, &WallpaperService::historyClosed, this,
            [this] { m_store->saveSection(m_settings.tapeterOst); });
    m_loop->services().setInterval(IntervalTask::Wallpaper, wallpaper->schedule());

    registerCommand(page::ChangeWallpaper, [wallpaper] { wallpaper->change(WallpaperService::Trigger::Interactive); });
    registerAction(QStringLiteral("change-wallpaper"),
                   [wallpaper] { return wallpaper->change(WallpaperService::Trigger::Interactive); });

    // The Tools window is being created: the change at start.
    wallpaper->changeAtStart();
}

} // namespace zorvex
