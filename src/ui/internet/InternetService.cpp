#include "ui/internet/InternetService.h"

#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/common/IniFile.h"
#include "core/common/PathTable.h"
#include "core/internet/AddonInstaller.h"
#include "core/internet/InstallDispatcher.h"
#include "core/internet/ProgramUpdate.h"
#include "core/internet/ProxySetting.h"
#include "core/internet/ServiceClient.h"
#include "core/internet/SettingsBackup.h"
#include "core/internet/UpdateCheck.h"
#include "platform/internet/DesktopIntegration.h"
#include "platform/internet/DesktopProxy.h"
#include "platform/internet/NetworkAccess.h"
#include "platform/internet/ProgramLaunch.h"
#include "ui/common/Messages.h"
#include "ui/internet/AssociationsDialog.h"
#include "ui/internet/InternetMessages.h"
#include "ui/internet/OtherPagePanel.h"
#include "ui/internet/ProxyDialog.h"
#include "ui/internet/UpdateProgressWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QUrl>

#include <unistd.h>

namespace zorvex {
namespace {

const QString kUpdateCaption = QStringLiteral("Zorvex - Aktualizacja");
const QString kBackupFilter = QStringLiteral("Kopia zapasowa ustawień (*.zvx)");

void warnWindow(Prompts& prompts, const QString& text)
{
    prompts.window(QMessageBox::Warning, QString::fromUtf8(kErrorCaption), text, false);
}

AskLater askLater(Prompts& prompts)
{
    return [&prompts](const QString& caption, const QString& text, std::function<void(bool)> answered) {
        prompts.askLater(caption, text, true, std::move(answered));
    };
}

} // namespace

InternetService::InternetService(InternetContext context, QObject* parent)
    : QObject(parent)
    , m_context(std::move(context))
    , m_network(std::make_unique<NetworkAccess>())
    , m_service(std::make_unique<ServiceClient>(m_context.settings.serwis, m_context.machineToken))
    , m_updateClient(m_network->createClient())
    , m_updateDownloader(m_network->createDownloader(true))
    , m_packageDownloader(m_network->createDownloader(false))
    , m_panel(new OtherPagePanel)
{
    Settings& s = m_context.settings;
    connect(m_network.get(), &NetworkAccess::activityChanged, this, [this](bool active) {
        const bool before = m_networkActive || m_installing;
        m_networkActive = active;
        if (before != (m_networkActive || m_installing))
            emit activityChanged(!before);
    });

    UpdateCheck::Hooks check;
    check.internetAvailable = [this](bool show) {
        return InternetAvailable(m_context.prompts, m_context.interfaces, m_context.settings.serwis.serviceBase, show);
    };
    check.serverProblem = [this](const QString& detail) { ShowServerProblem(m_context.prompts, detail); };
    check.information = [this](const QString& text) {
        m_context.prompts.window(QMessageBox::Information, kUpdateCaption, text, true);
    };
    check.buttonEnabled = [this](bool on) {
        if (m_panel)
            m_panel->checkButton()->setEnabled(on);
    };
    check.listReplaced = [this](UpdateList list) { listReplaced(list); };
    check.checkDateChanged = [this](DayTime) { writeCheckDate(); };
    check.lastCheckChanged = [this](DayTime) { updateCaption(); };
    check.programUpdateOffered = [this] { m_programUpdate->check(false); };
    check.armRetry = [this] { armUpdateRetry(); };
    check.dropRetry = [this] { dropUpdateRetry(); };
    m_updateCheck = std::make_unique<UpdateCheck>(m_context.clock, m_context.paths, *m_service, *m_updateClient, s.tools,
                                                  s.main, check);

    m_progress = new UpdateProgressWindow;
    ProgramUpdate::Hooks program;
    program.information = [this](const QString& caption, const QString& text) {
        m_context.prompts.window(QMessageBox::Information, caption, text, true);
    };
    program.ask = [this](const QString& text, std::function<void(bool)> answered) {
        m_context.prompts.askLater(QStringLiteral("Nowa wersja Zorvex"), text, true, std::move(answered));
    };
    program.serverProblem = [this](const QString& detail) { ShowServerProblem(m_context.prompts, detail); };
    program.progressVisible = [this](bool visible) {
        if (!m_progress)
            return;
        if (visible) {
            m_progress->show();
            m_progress->raise();
        } else {
            m_progress->hide();
        }
    };
    program.progress = [this](qint64 done, qint64 total) {
        if (m_progress)
            m_progress->showProgress(done, total);
    };
    program.startUpdater = [this](const QString&) {
        return launchUpdater(m_context.updaterProgram, m_context.paths.dataFolder(), m_context.programPath);
    };
    program.closeProgram = [this] { closeProgram(); };
    m_programUpdate = std::make_unique<ProgramUpdate>(m_context.paths.dataFolder(), *m_service, *m_updateClient,
                                                      *m_updateDownloader, m_context.installedBySystem, program);
    connect(m_progress, &UpdateProgressWindow::cancelled, this, [this] { m_programUpdate->cancel(); });

    AddonInstaller::Hooks addon;
    addon.ask = askLater(m_context.prompts);
    addon.information = [this](const QString& caption, const QString& text) {
        m_context.prompts.window(QMessageBox::Information, caption, text, true);
    };
    addon.error = [this](const QString& text) { warnWindow(m_context.prompts, text); };
    addon.busy = [this](bool on) { setInstalling(on); };
    addon.saveSettings = [this] { saveSettings(); };
    addon.applyItem = [this](const AddonItem& item) { applyAddonItem(item); };
    addon.applyComposition = [this](const QString& line) { applyComposition(line); };
    addon.installed = [this] { addonsInstalled(); };
    m_installer = std::make_unique<AddonInstaller>(m_context.paths, m_context.clock, addon);

    InstallDispatcher::Targets targets;
    targets.restoreBackup = [this](const QString& path) { restoreBackup(path); };
    targets.installAddon = [this](const QString& path, bool yes) { m_installer->install(path, yes); };
    targets.addRadioStation = [this](const QString& record) { addRadioStation(record); };
    targets.downloadPackage = [this](const QString& url, bool yes) { downloadPackage(url, yes); };
    m_dispatcher = std::make_unique<InstallDispatcher>(askLater(m_context.prompts), targets);

    connect(m_panel, &OtherPagePanel::checkRequested, this, &InternetService::checkForUpdates);
    connect(m_panel, &OtherPagePanel::resetRequested, this, &InternetService::resetUpdateState);
    connect(m_panel, &OtherPagePanel::backupRequested, this, &InternetService::createBackup);
    connect(m_panel, &OtherPagePanel::restoreRequested, this, &InternetService::restoreFromDialog);
    connect(m_panel, &OtherPagePanel::proxyRequested, this, &InternetService::openProxyDialog);
    connect(m_panel, &OtherPagePanel::associationsRequested, this, &InternetService::openAssociations);
    connect(m_panel, &OtherPagePanel::automaticChanged, this, [this](bool on, int howOften) {
        m_context.settings.tools.updateCheck = on;
        m_context.settings.tools.updateCheckWeekly = howOften;
    });
    connect(m_panel, &OtherPagePanel::autostartToggled, this, &InternetService::setAutostart);
}

InternetService::~InternetService()
{
    shutdown();
    delete m_progress;
    delete m_proxyDialog;
    delete m_associations;
    // The panel belongs to the Tools window once placed there.
    if (m_panel && !m_panel->parent())
        delete m_panel.data();
}

void InternetService::startup()
{
    Settings& s = m_context.settings;
    m_network->applyProxy(proxyUse(s.proxy));
    m_updateCheck->loadStamps();
    m_context.desktop.registerTypes(s.skojarzenia.openBackups, s.skojarzenia.openAddons);

    updateCaption();
    // The box shows whether the entry is there; the stored choice then
    // switches it on, and the entry follows the program when it moved.
    const bool wanted = s.autostart.autostart;
    m_context.desktop.refreshAutostart();
    if (wanted)
        setAutostart(true);
    if (m_panel) {
        const QSignalBlocker quietAutomatic(m_panel->automaticBox());
        const QSignalBlocker quietHowOften(m_panel->howOftenBox());
        const QSignalBlocker quietAutostart(m_panel->autostartBox());
        m_panel->automaticBox()->setChecked(s.tools.updateCheck);
        m_panel->howOftenBox()->setCurrentIndex(s.tools.updateCheckWeekly == 0 ? 0 : 1);
        m_panel->autostartBox()->setChecked(m_context.desktop.autostartEnabled());
    }
}

void InternetService::setAutostart(bool on)
{
    m_context.settings.autostart.autostart = on;
    if (on != m_context.desktop.autostartEnabled())
        m_context.desktop.setAutostart(on);
}

void InternetService::runAtStart(const QDateTime&)
{
    m_updateCheck->startupStep();
}

bool InternetService::retryAvailable() const
{
    return m_updateCheck->retryAvailable();
}

void InternetService::retry(const QDateTime&)
{
    m_updateCheck->retry();
}

void InternetService::shutdownStep(ShutdownStepId step, const QDate&)
{
    if (step == ShutdownStepId::AbortNetworkWork)
        shutdown();
}

void InternetService::checkForUpdates()
{
    m_updateCheck->run(false);
}

bool InternetService::updateCheckRunning() const
{
    return m_updateCheck->running() || m_programUpdate->running();
}

void InternetService::resetUpdateState()
{
    m_updateCheck->resetStamps();
}

void InternetService::writeCheckDate()
{
    const DayTime date = m_context.settings.tools.lastUpdateCheckDay;
    m_context.store.update([date](IniFile& ini) {
        ini.writeDate(QStringLiteral("Ustawienia"), QStringLiteral("AktualizacjaData"), date);
    });
}

void InternetService::updateCaption()
{
    if (m_panel)
        m_panel->updateGroup()->setTitle(lastCheckCaption(m_context.settings.main.lastDataCheck));
}

void InternetService::handOver(const QString& text, bool assumeYes)
{
    m_dispatcher->dispatch(text, assumeYes);
}

void InternetService::downloadPackage(const QString& url, bool assumeYes)
{
    if (!InternetAvailable(m_context.prompts, m_context.interfaces, url, true))
        return;
    QString name = QUrl(url).fileName();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name = QStringLiteral("dodatek.zvxd");
    const QString folder = QDir::temp().filePath(QStringLiteral("zorvex-dodatki-") + QString::number(::getuid()));
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    FileDownloader::Events events;
    events.done = [this, assumeYes](const QString& path, qint64) { m_dispatcher->dispatch(path, assumeYes); };
    events.failed = [this](const QString&) { ShowServerProblem(m_context.prompts); };
    m_packageDownloader->start(url, QDir(folder).filePath(name), std::move(events));
}

void InternetService::setInstalling(bool on)
{
    const bool before = m_networkActive || m_installing;
    m_installing = on;
    if (before != (m_networkActive || m_installing))
        emit activityChanged(!before);
}

void InternetService::shutdown()
{
    // Errors while closing connections are of no interest any more.
    if (m_programUpdate)
        m_programUpdate->cancel();
    if (m_updateCheck)
        m_updateCheck->abort();
    if (m_updateDownloader)
        m_updateDownloader->cancel();
    if (m_packageDownloader)
        m_packageDownloader->cancel();
    if (m_updateClient)
        m_updateClient->abort();
}

// ------------------------------------------------------------ settings backup

void InternetService::createBackup()
{
    QString folder = m_backupFolder.isEmpty() ? m_context.settings.tools.backupFolder : m_backupFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QFileDialog dialog(toolsWindow(), QString(), folder, kBackupFilter);
    dialog.setObjectName(QStringLiteral("SaveDialog2"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("zvx"));
    dialog.selectFile(QStringLiteral("Kopia zapasowa ustawień"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    backupTo(dialog.selectedFiles().front());
}

bool InternetService::backupTo(const QString& target)
{
    m_backupFolder = QFileInfo(target).absolutePath();
    const BackupResult r = writeSettingsBackup(
        target, m_context.paths.dataFolder(), m_context.paths.path(PathId::Ruch), [this] { saveSettings(); },
        [this](const QString& folder) {
            m_context.settings.tools.backupFolder = folder;
            m_context.store.update([folder](IniFile& ini) {
                ini.writeString(QStringLiteral("Ustawienia"), QStringLiteral("KopiaSci"), folder);
            });
        });
    if (!r.error.isEmpty())
        warnWindow(m_context.prompts, r.error);
    return r.ok;
}

void InternetService::restoreFromDialog()
{
    const QString path = QFileDialog::getOpenFileName(toolsWindow(), QStringLiteral("Wybierz plik kopii zapasowej ustawień"),
                                                      QString(), kBackupFilter);
    if (!path.isEmpty())
        restoreBackup(path);
}

void InternetService::restoreBackup(const QString& path)
{
    const RestoreCheck r = restoreSettingsBackup(path, m_context.paths.dataFolder());
    switch (r.result) {
    case BackupCheck::Damaged:
        warnWindow(m_context.prompts, r.error);
        return;
    case BackupCheck::NotBackup:
        m_context.prompts.window(QMessageBox::Information, QStringLiteral("Zorvex"), QString::fromUtf8(kNotABackupText),
                                 true);
        return;
    case BackupCheck::Backup:
        restartAfterRestore();
        return;
    }
}

// -------------------------------------------------------------------- dialogs

void InternetService::openProxyDialog()
{
    if (!m_proxyDialog) {
        m_proxyDialog = new ProxyDialog(m_context.settings.proxy, m_context.desktopProxy, m_context.settings.serwis.serviceBase,
                                        m_context.prompts);
        connect(m_proxyDialog, &ProxyDialog::applied, this,
                [this] { m_network->applyProxy(proxyUse(m_context.settings.proxy)); });
    }
    m_proxyDialog->openOver(toolsWindow());
}

void InternetService::openAssociations()
{
    if (!m_associations) {
        m_associations = new AssociationsDialog(m_context.settings.skojarzenia);
        connect(m_associations, &AssociationsDialog::changed, this, [this] {
            AssociationSettings& a = m_context.settings.skojarzenia;
            m_context.store.saveSection(a);
            m_context.desktop.registerTypes(a.openBackups, a.openAddons);
        });
    }
    m_associations->openOver(toolsWindow());
}

} // namespace zorvex
