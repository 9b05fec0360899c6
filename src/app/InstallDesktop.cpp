#include "app/Application.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "platform/desktop/DesktopIcons.h"
#include "platform/desktop/DriveTrays.h"
#include "platform/desktop/GlobalHotKeys.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/common/Messages.h"
#include "ui/desktop/DiscService.h"
#include "ui/desktop/IconLayoutService.h"

namespace zorvex {

// Desktop utilities: "Klony" with its catalogue and mounting, the page
// "Napędy CD/DVD" with the tray hot keys and their delayed close, and the
// desktop icon places of "Ikony pulpitu".
void Application::installDesktop()
{
    LoopRegistry& loop = m_loop->services();
    ContextMenu* menu = m_main->contextMenu();

    m_driveTrays = std::make_unique<LinuxDriveTrays>();
    m_hotKeys = makeGlobalHotKeys();
    m_discs = std::make_unique<DiscService>(m_paths, m_settings.klony, *m_driveTrays, *m_hotKeys, *m_prompts);
    DiscService* discs = m_discs.get();
    m_tools->setPageContent(page::DiscDrives, discs->page());
    discs->setDelayedClose([this](const QString& drive, int seconds) { m_loop->armTrayClose(drive, seconds); },
                           [this] { return m_loop->trayClosePending(); });
    discs->setSettingsWriter([this] { m_store->saveSection(m_settings.klony); });
    m_store->addListWriter([discs] { discs->saveHotKeys(); });
    loop.setDriveTrays(*discs);
    loop.addShutdown(ShutdownStepId::UnregisterHotKeys, *discs);
    connect(menu, &ContextMenu::clonesRequested, discs, &DiscService::openCatalogue);
    registerAction(QStringLiteral("tray-open"), [discs] { return discs->moveFirstTray(true); });
    registerAction(QStringLiteral("tray-close"), [discs] { return discs->moveFirstTray(false); });

    m_iconLayout = std::make_unique<IconLayoutService>(m_paths.path(PathId::Ikony), [] { return makeDesktopIcons(); });
    IconLayoutService* icons = m_iconLayout.get();
    connect(icons, &IconLayoutService::finished, this, [this](const QString& error) {
        if (!error.isEmpty())
            m_prompts->errorWindow(error);
    });
    const auto run = [this](const QString& why) {
        if (!why.isEmpty())
            m_prompts->window(QMessageBox::Information, QStringLiteral("Zorvex - Ikony pulpitu"), why);
        return why;
    };
    connect(menu, &ContextMenu::saveIconPositionsRequested, icons, [icons, run] { run(icons->save()); });
    connect(menu, &ContextMenu::restoreIconPositionsRequested, icons, [icons, run] { run(icons->restore()); });
    registerAction(QStringLiteral("save-icons"), [icons] { return icons->save(); });
    registerAction(QStringLiteral("restore-icons"), [icons] { return icons->restore(); });
}

} // namespace zorvex
