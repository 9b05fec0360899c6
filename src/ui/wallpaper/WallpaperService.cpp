#include "ui/wallpaper/WallpaperService.h"

#include "core/common/PathTable.h"
#include "core/wallpaper/WallpaperSettings.h"
#include "platform/wallpaper/WallpaperSetter.h"
#include "ui/common/Messages.h"
#include "ui/wallpaper/FolderPicker.h"
#include "ui/wallpaper/WallpaperHistoryWindow.h"
#include "ui/wallpaper/WallpaperJob.h"
#include "ui/wallpaper/WallpaperPage.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace zorvex {

struct WallpaperService::Run {
    Trigger trigger;
    bool pickNew;
    QString output;
    bool spanned;
};

namespace {

WallpaperCanvas screensCanvas()
{
    QList<QRect> screens;
    for (QScreen* s : QGuiApplication::screens()) {
        const qreal dpr = s->devicePixelRatio();
        const QRect g = s->geometry();
        screens << QRect(QPoint(qRound(g.x() * dpr), qRound(g.y() * dpr)),
                         QSize(qRound(g.width() * dpr), qRound(g.height() * dpr)));
    }
    return wallpaperCanvas(screens);
}

} // namespace

WallpaperService::WallpaperService(const PathTable& paths, WallpaperSettings& settings,
                                   WallpaperHistorySettings& historySettings, WallpaperSetter& setter, Prompts& prompts,
                                   QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_historySettings(historySettings)
    , m_setter(setter)
    , m_prompts(prompts)
    , m_store(paths)
    // Two names in turn: a desktop that caches pictures by name sees a new
    // one, and never one half written.
    , m_pictures{paths.dataFolder() + paths.profile() + QStringLiteral(".png"),
                 paths.dataFolder() + paths.profile() + QStringLiteral("_2.png")}
    , m_schedule(settings, [this] { return m_cpuShown ? m_cpuShown() : QString(); },
                 [this] { change(Trigger::Timed); })
    , m_page(new WallpaperPage(settings))
    , m_random(QRandomGenerator::securelySeeded())
{
    m_worker.setMaxThreadCount(1);
    m_page->setFolders(m_store.loadFolders());
    connect(m_page, &WallpaperPage::foldersChanged, this, [this] { m_store.dropPool(); });
    connect(m_page, &WallpaperPage::scheduleChanged, this, [this] {
        if (m_restartSchedule)
            m_restartSchedule();
    });
    connect(m_page, &WallpaperPage::testRequested, this, [this] { change(Trigger::Interactive); });
    connect(m_page, &WallpaperPage::addFolderRequested, this, &WallpaperService::chooseFolder);
    connect(m_page, &WallpaperPage::historyRequested, this, &WallpaperService::openHistory);
}

void WallpaperService::warn(const QString& text)
{
    m_prompts.window(QMessageBox::Warning, QString::fromUtf8(kWallpaperCaption), text);
}

WallpaperService::~WallpaperService()
{
    m_worker.waitForDone();
    if (m_page && !m_page->parent())
        delete m_page;
    delete m_picker;
    delete m_history;
}

QStringList WallpaperService::folders() const
{
    return m_page ? m_page->folders() : m_store.loadFolders();
}

void WallpaperService::saveFolders() const
{
    if (m_page)
        m_store.saveFolders(m_page->folders());
}

QString WallpaperService::currentPicture() const
{
    // Two writes may share a modification time (the file system's clock is
    // coarse): the one this run wrote last is known.
    if (!m_written.isEmpty() && QFileInfo(m_written).isFile())
        return m_written;
    const QFileInfo a(m_pictures[0]);
    const QFileInfo b(m_pictures[1]);
    if (b.isFile() && (!a.isFile() || b.lastModified() > a.lastModified()))
        return m_pictures[1];
    return a.isFile() ? m_pictures[0] : QString();
}

QString WallpaperService::nextPicture(Trigger trigger) const
{
    const QString current = currentPicture();
    // At start the desktop is not told: the picture it points at is
    // replaced and shows the next time the desktop loads it.
    if (trigger == Trigger::AtStart)
        return current.isEmpty() ? m_pictures[0] : current;
    return current == m_pictures[0] ? m_pictures[1] : m_pictures[0];
}

WallpaperCanvas WallpaperService::canvas() const
{
    WallpaperCanvas c = m_canvas ? m_canvas() : screensCanvas();
    if (c.size.isEmpty() || c.monitors.isEmpty())
        c = wallpaperCanvas({QRect(0, 0, 1920, 1080)}); // no screen to ask
    return c;
}

QString WallpaperService::change(Trigger trigger)
{
    return start(trigger, true, {});
}

QString WallpaperService::showFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return {}; // a moved or deleted file: nothing to show
    return start(Trigger::Interactive, false, path);
}

void WallpaperService::changeAtStart()
{
    if (m_settings.active)
        change(Trigger::AtStart);
}

QString WallpaperService::start(Trigger trigger, bool pickNew, const QString& file)
{
    // Refused at once, so a script asking for the change hears why.
    QString refusal;
    if (m_busy)
        refusal = QStringLiteral("Tapeta jest właśnie zmieniana.");
    else if (folders().isEmpty())
        refusal = QStringLiteral("Nie zostały dodane katalogi z tapetami.");
    if (!refusal.isEmpty()) {
        if (trigger == Trigger::Interactive)
            warn(refusal);
        return refusal;
    }
    WallpaperJob job{m_store, folders(), m_settings, canvas(), pickNew, file, nextPicture(trigger), {}};
    if (m_pick)
        job.pick = m_pick;
    else
        job.pick = [random = &m_random](int bound) { return int(random->bounded(bound)); };
    const Run run{trigger, pickNew, job.output, job.canvas.monitors.size() > 1};
    m_busy = true;
    if (m_reportBusy)
        m_reportBusy(true);
    m_worker.start([this, job = std::move(job), run] {
        const WallpaperOutcome outcome = runWallpaperJob(job);
        QMetaObject::invokeMethod(this, [this, run, outcome] { jobDone(run, outcome); }, Qt::QueuedConnection);
    });
    return {};
}

void WallpaperService::jobDone(const Run& run, const WallpaperOutcome& outcome)
{
    if (!outcome.warning.isEmpty()) {
        if (run.trigger == Trigger::Interactive)
            warn(outcome.warning);
        return end(run, outcome.warning);
    }
    if (m_history && run.pickNew)
        m_history->reload();
    if (!outcome.written)
        return end(run, run.pickNew ? QStringLiteral("Nie udało się zapisać tapety.") : QString());
    m_written = run.output;
    if (run.trigger == Trigger::AtStart)
        return end(run, {});
    m_setter.setWallpaper(run.output, run.spanned, [this, run](const QString& error) {
        if (!error.isEmpty() && run.trigger == Trigger::Interactive)
            warn(error);
        end(run, error);
    });
}

void WallpaperService::end(const Run&, const QString& problem)
{
    m_busy = false;
    if (m_reportBusy)
        m_reportBusy(false);
    emit finished(problem);
}

void WallpaperService::chooseFolder()
{
    if (!m_picker)
        m_picker = new FolderPicker(m_dialogParent);
    m_picker->start(m_settings.lastAddedDir);
    // The picker keeps the Tools window disabled while it is open.
    if (m_picker->exec() != QDialog::Accepted || !m_page)
        return;
    const QString folder = m_picker->chosen();
    m_settings.lastAddedDir = folder;
    if (m_writeLastFolder)
        m_writeLastFolder();
    m_page->addFolder(folder);
    m_store.dropPool();
}

void WallpaperService::openHistory()
{
    if (!m_history) {
        m_history = new WallpaperHistoryWindow(m_store, m_historySettings, m_prompts, m_dialogParent);
        connect(m_history, &WallpaperHistoryWindow::showRequested, this, [this](const QString& path) {
            showFile(path);
        });
        connect(m_history, &WallpaperHistoryWindow::closed, this, &WallpaperService::historyClosed);
    }
    m_history->reload();
    m_history->openModal();
}

} // namespace zorvex
