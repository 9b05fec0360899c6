#include "app/Application.h"
#include "core/media/RadioStations.h"
#include "ui/media/RadioService.h"
#include "app/ShellServices.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "core/app/ProcessPriority.h"
#include "core/common/PathTable.h"
#include "core/internet/AddonPackage.h"
#include "core/internet/ServiceAnswer.h"
#include "platform/System.h"
#include "platform/internet/DesktopIntegration.h"
#include "platform/internet/DesktopProxy.h"
#include "platform/internet/InternetCheck.h"
#include "platform/internet/MachineId.h"
#include "platform/internet/ProgramLaunch.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/common/Messages.h"
#include "ui/internet/InternetService.h"
#include "ui/internet/OtherPagePanel.h"

#include <QCoreApplication>
#include <QTimer>

namespace zorvex {

// The network access, the service client, the data and program updates, the
// settings backup, the file types and autostart entry, and add-ons: the
// page "Inne" and whatever is handed to the program.
void Application::installInternet()
{
    LoopRegistry& loop = m_loop->services();
    const QString program = QCoreApplication::applicationFilePath();

    // The launchers start the program on the data folder it was started
    // on, when that was chosen by hand.
    QStringList command{program};
    if (!m_state.explicitDataDir.isEmpty())
        command << QStringLiteral("--data-dir") << m_paths.dataFolder();
    m_desktop = std::make_unique<XdgDesktopIntegration>(command, XdgDesktopIntegration::environmentPlaces());
    m_interfaces = std::make_unique<SystemInterfaceProbe>();
    m_desktopProxy = std::make_unique<LinuxDesktopProxy>();

    InternetContext context{m_clock,
                            m_paths,
                            m_settings,
                            *m_store,
                            *m_desktop,
                            *m_interfaces,
                            *m_desktopProxy,
                            *m_prompts,
                            machineToken(readMachineId()),
                            program,
                            programInstalledBySystem(executableFolder()),
                            findUpdaterProgram(executableFolder())};
    m_internet = std::make_unique<InternetService>(std::move(context));
    InternetService& internet = *m_internet;
    internet.toolsWindow = [this] { return m_tools.get(); };
    internet.saveSettings = [this] { m_shell->saveSettings(); };
    internet.armUpdateRetry = [this] { m_loop->armUpdateRetry(); };
    internet.dropUpdateRetry = [this] { m_loop->dropUpdateRetry(); };
    internet.restartAfterRestore = [this, program] {
        // The restored files must stay as they are: the shutdown saves
        // nothing. The new process waits for this one's lock.
        m_restoredBackup = true;
        startProgramAgain(program, m_paths.dataFolder());
        requestQuit();
    };
    internet.closeProgram = [this] { requestQuit(); };
    internet.applyAddonItem = [this](const AddonItem& item) {
        const auto it = m_addonChoosers.find(int(item.category));
        if (it != m_addonChoosers.end())
            it->second(item.name);
    };
    internet.addonsInstalled = [this] { m_main->showMainWindow(); };
    // A stream address handed over joins the radio's favourites, written at
    // once: the settings are saved at exit only while the Tools window is
    // open, and the address must not be lost with the session.
    internet.addRadioStation = [this](const QString& record) {
        if (m_radio && m_radio->addFavourite(parseStationLine(record)))
            m_radio->save();
    };
    // The radio, weather and map lists are read afresh by their features
    // each time they are used, so a replaced list needs no reload here; nor
    // does an installed set, which its page offers from its folder.
    connect(&internet, &InternetService::activityChanged, this,
            [this](bool active) { m_priority->setBusy(kBusyInternet, active); });

    m_tools->setPageContent(page::Other, internet.otherPagePanel());
    loop.addStartup(StartupTasks::UpdateCheckAtStart, internet);
    loop.setRetry(RetryTask::UpdateCheck, internet);
    loop.addShutdown(ShutdownStepId::AbortNetworkWork, internet);
    registerAction(QStringLiteral("update-check"), [this] {
        m_internet->checkForUpdates();
        return QString();
    });
    // A picture run leaves the desktop's files as they are.
    if (!m_state.pictureRun)
        internet.startup();
}

void Application::registerAddonChooser(int category, std::function<void(const QString& name)> choose)
{
    m_addonChoosers[category] = std::move(choose);
}

void Application::dispatchInstallText(const QString& text, bool assumeYes)
{
    m_internet->handOver(text, assumeYes);
}

} // namespace zorvex
