#include "ui/desktop/DiscService.h"

#include "core/common/PathTable.h"
#include "core/desktop/DiscMount.h"
#include "core/desktop/DiscSettings.h"
#include "core/media/PlaylistFiles.h"
#include "platform/desktop/DriveTrays.h"
#include "platform/desktop/GlobalHotKeys.h"
#include "ui/common/Messages.h"
#include "ui/desktop/DiscCatalogueWindow.h"
#include "ui/desktop/DiscDrivesPage.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace zorvex {
namespace {

QString driveLetters(const QList<OpticalDrive>& drives)
{
    QString letters;
    for (const OpticalDrive& d : drives)
        letters += d.letter;
    return letters;
}

} // namespace

DiscService::DiscService(const PathTable& paths, DiscCatalogueSettings& settings, DriveTrays& trays,
                         GlobalHotKeys& hotKeys, Prompts& prompts, QObject* parent)
    : QObject(parent)
    , m_paths(paths)
    , m_settings(settings)
    , m_trays(trays)
    , m_hotKeys(hotKeys)
    , m_prompts(prompts)
    , m_page(new DiscDrivesPage)
{
    const DriveHotKeyFile file = loadDriveHotKeys(m_paths.path(PathId::Cd));
    m_table = file.lines;
    m_tableMayReplace = file.mayReplace;
    const QList<OpticalDrive> drives = m_trays.drives();
    resetMissingDrives(m_table, driveLetters(drives));
    m_page->setDrives(drives, m_table);
    m_page->setHotKeysAvailable(m_hotKeys.available());

    connect(m_page, &DiscDrivesPage::lineChanged, this, [this](const DriveHotKeyLine& line) {
        m_table[size_t(line.letter.unicode() - u'A')] = line;
        registerTrayHotKeys();
    });
    connect(m_page, &DiscDrivesPage::refreshRequested, this, [this] {
        QMap<QChar, QString> labels;
        for (const OpticalDrive& d : m_trays.drives())
            labels.insert(d.letter, m_trays.discLabel(d.letter));
        m_page->setDriveNames(labels);
    });
    connect(&m_hotKeys, &GlobalHotKeys::pressed, this, &DiscService::onHotKey);
    connect(&m_hotKeys, &GlobalHotKeys::availableChanged, this,
            [this] { m_page->setHotKeysAvailable(m_hotKeys.available()); });
    connect(&m_hotKeys, &GlobalHotKeys::refused, m_page, &DiscDrivesPage::showRefused);

    m_searchRefresh.setInterval(100);
    connect(&m_searchRefresh, &QTimer::timeout, this, [this] {
        if (m_scanState && m_search)
            m_search->setFolder(m_scanState->currentFolder());
    });
    registerTrayHotKeys();
}

DiscService::~DiscService()
{
    if (m_scanThread) {
        m_scanState->cancel();
        m_scanThread->wait();
        delete m_scanThread;
    }
    if (m_page && !m_page->parent())
        delete m_page;
}

void DiscService::setDelayedClose(std::function<void(const QString&, int)> arm, std::function<bool()> pending)
{
    m_armClose = std::move(arm);
    m_closePending = std::move(pending);
}

// --- tray hot keys -----------------------------------------------------------

void DiscService::registerTrayHotKeys()
{
    m_page->showRefused(m_hotKeys.setHotKeys(registeredCombos(m_table)));
}

void DiscService::onHotKey(HotKeyCombo combo)
{
    const bool pending = m_closePending && m_closePending();
    for (const TrayMove& move : movesForHotKey(m_table, combo, pending)) {
        m_trays.moveTray(move.letter, move.open);
        if (move.armDelay > 0 && m_armClose)
            m_armClose(QString(move.letter), move.armDelay);
    }
}

void DiscService::saveHotKeys()
{
    if (m_tableMayReplace)
        saveDriveHotKeys(m_paths.path(PathId::Cd), m_table);
}

QString DiscService::moveFirstTray(bool open)
{
    const QList<OpticalDrive> drives = m_trays.drives();
    if (drives.isEmpty())
        return QStringLiteral("Brak napędu CD/DVD.");
    m_trays.moveTray(drives.first().letter, open);
    return {};
}

void DiscService::closeDriveTray(const QString& drive)
{
    if (!drive.isEmpty())
        m_trays.moveTray(drive.front(), false);
}

void DiscService::shutdownStep(ShutdownStepId step, const QDate&)
{
    if (step == ShutdownStepId::UnregisterHotKeys)
        m_hotKeys.setHotKeys({});
}

// --- the "Klony" window --------------------------------------------------------

void DiscService::chooseDefaultProgram()
{
    const QFileInfo stored(m_settings.program);
    if (!m_settings.program.isEmpty() && (stored.isFile() || !QStandardPaths::findExecutable(m_settings.program).isEmpty()))
        return;
    // Where nothing usable is stored, the system's own ways of mounting.
    for (const char* name : {"udisksctl", "cdemu"}) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(name));
        if (!found.isEmpty()) {
            m_settings.program = found;
            return;
        }
    }
}

void DiscService::createWindow()
{
    auto window = std::make_unique<DiscCatalogueWindow>(m_settings, m_prompts);
    m_window = window.get();
    m_windowOwner = std::move(window);
    auto search = std::make_unique<DiscSearchWindow>();
    m_search = search.get();
    m_searchOwner = std::move(search);

    const LoadedLines folders = loadListLines(m_paths.path(PathId::Klony2));
    m_folders = folders.lines;
    m_folders.removeAll(QString());
    m_foldersMayReplace = folders.mayReplace;
    m_rows = loadCatalogue(m_paths.path(PathId::Klony));
    if (m_settings.lastMounted >= m_rows.size())
        m_settings.lastMounted = -1;

    connect(m_window, &DiscCatalogueWindow::mountRequested, this, &DiscService::mount);
    connect(m_window, &DiscCatalogueWindow::programChosen, this, [this](const QString& program) {
        m_settings.program = program;
        m_window->setProgram(program);
    });
    connect(m_window, &DiscCatalogueWindow::folderAdded, this, &DiscService::addFolder);
    connect(m_window, &DiscCatalogueWindow::folderRemoved, this, &DiscService::removeFolder);
    connect(m_window, &DiscCatalogueWindow::folderSelected, this, [this](int index) { m_settings.selectedFolder = index; });
    connect(m_window, &DiscCatalogueWindow::searchRequested, this, &DiscService::scan);
    connect(m_window, &DiscCatalogueWindow::closed, this, [this] {
        if (m_writeSettings)
            m_writeSettings();
    });
    connect(m_search, &DiscSearchWindow::cancelRequested, this, &DiscService::cancelScan);
}

void DiscService::openCatalogue()
{
    if (!m_window)
        createWindow();
    chooseDefaultProgram();
    m_window->setProgram(m_settings.program);
    m_window->setFolders(m_folders, m_settings.selectedFolder);
    m_window->setRows(m_rows, m_settings.lastMounted);
    if (m_window->currentRow() < 0 && !m_rows.isEmpty())
        m_window->selectRow(m_settings.lastMounted >= 0 ? m_settings.lastMounted : 0);
    m_window->placeAndShow();
}

void DiscService::addFolder(const QString& folder)
{
    QString path = QDir::cleanPath(folder);
    if (path.isEmpty())
        return;
    int index = int(m_folders.indexOf(path));
    if (index < 0) {
        m_folders << path;
        index = int(m_folders.size()) - 1;
        saveFolders();
    }
    m_settings.selectedFolder = index;
    m_window->setFolders(m_folders, index);
}

void DiscService::removeFolder(int index)
{
    if (index < 0 || index >= m_folders.size())
        return;
    m_folders.removeAt(index);
    saveFolders();
    m_settings.selectedFolder = std::min(index, int(m_folders.size()) - 1);
    m_window->setFolders(m_folders, m_settings.selectedFolder);
}

void DiscService::saveFolders()
{
    // A list that could not be read is never written over from memory.
    if (m_foldersMayReplace)
        saveListLines(m_paths.path(PathId::Klony2), m_folders);
}

void DiscService::scan(const QStringList& folders)
{
    if (m_scanThread)
        return;
    if (!m_window)
        createWindow();
    m_rows.clear();
    m_settings.lastMounted = -1;
    m_window->setRows(m_rows, -1);
    m_window->setEnabled(false);
    m_scanState = std::make_shared<DiscScanState>();
    m_search->setFolder(QString());
    m_search->show();
    m_searchRefresh.start();

    auto result = std::make_shared<QList<DiscRow>>();
    std::shared_ptr<DiscScanState> state = m_scanState;
    m_scanThread = QThread::create([folders, state, result] { *result = scanImageFolders(folders, *state); });
    connect(m_scanThread, &QThread::finished, this, [this, result] {
        m_scanThread->deleteLater();
        m_scanThread = nullptr;
        finishScan(*result);
    });
    m_scanThread->start();
}

void DiscService::cancelScan()
{
    if (m_scanState)
        m_scanState->cancel();
    if (m_search)
        m_search->hide();
}

void DiscService::finishScan(const QList<DiscRow>& rows)
{
    m_searchRefresh.stop();
    m_search->hide();
    m_rows = rows;
    m_window->setEnabled(true);
    m_window->setRows(m_rows, -1);
    if (!m_rows.isEmpty())
        m_window->selectRow(0);
    saveCatalogue(m_paths.path(PathId::Klony), m_rows);
    emit scanFinished();
}

void DiscService::mount(int row)
{
    if (row < 0 || row >= m_rows.size() || m_rows[row].isHeader())
        return;
    const MountPlan plan = planMount(m_settings.program, m_rows[row].path);
    if (!plan.ok()) {
        m_prompts.window(QMessageBox::Warning, QLatin1String(kDiscCaption), plan.warning);
        return;
    }
    if (!QProcess::startDetached(plan.command.program, plan.command.arguments)) {
        m_prompts.window(QMessageBox::Warning, QLatin1String(kDiscCaption),
                         QStringLiteral("Nie można uruchomić programu: ") + plan.command.program);
        return;
    }
    m_settings.lastMounted = row;
    m_window->close();
}

} // namespace zorvex
