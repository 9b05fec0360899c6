#include "ui/internet/WeatherMapsService.h"

#include "core/app/Settings.h"
#include "core/common/Clock.h"
#include "core/common/LineFile.h"
#include "core/common/PathTable.h"
#include "platform/internet/NetworkAccess.h"
#include "ui/common/Messages.h"
#include "ui/internet/InternetMessages.h"
#include "ui/internet/WeatherMapsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>

namespace zorvex {

namespace {
const char kDownloadName[] = "pogoda.tmp";
}

WeatherMapsService::WeatherMapsService(WeatherMapsContext context, QObject* parent)
    : QObject(parent)
    , m_context(std::move(context))
    , m_page(new WeatherMapsPage)
    , m_downloader(m_context.network.createDownloader(false))
    , m_cache(m_context.cacheFolder)
{
    linkDialog = [this](bool change, const QString& name, const QString& link) {
        MapLinkDialog dialog(change, name, link, m_page ? m_page->window() : nullptr);
        LinkAnswer a;
        // The Tools window stays disabled while the dialog is open (modal).
        a.accepted = dialog.exec() == QDialog::Accepted;
        a.name = dialog.name();
        a.link = dialog.link();
        return a;
    };

    WeatherMapsPage* p = m_page;
    connect(p->standardAction(), &QAction::triggered, this, [this] { chooseList(List::Standard); });
    connect(p->userAction(), &QAction::triggered, this, [this] { chooseList(List::User); });
    connect(p->showButton(), &QPushButton::clicked, this, &WeatherMapsService::showMap);
    connect(p->cancelButton(), &QPushButton::clicked, this, &WeatherMapsService::cancel);
    connect(p->addButton(), &QPushButton::clicked, this, &WeatherMapsService::addLink);
    connect(p->changeButton(), &QPushButton::clicked, this, &WeatherMapsService::changeLink);
    connect(p->removeButton(), &QPushButton::clicked, this, &WeatherMapsService::removeLink);
    connect(p->mapBox(), &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_list != List::None)
            selection(m_list) = std::max(index, 0);
    });
    connect(p->fitBox(), &QCheckBox::toggled, this, [this](bool on) {
        m_context.settings.pogoda.fitMapToView = on;
        m_page->view()->setFitted(on);
    });
    {
        const QSignalBlocker block(p->fitBox());
        p->fitBox()->setChecked(m_context.settings.pogoda.fitMapToView);
        p->view()->setFitted(m_context.settings.pogoda.fitMapToView);
    }
    const int stored = m_context.settings.pogoda.mapList;
    m_list = stored == 1 ? List::Standard : stored == 2 ? List::User : List::None;
    reloadLists();
}

WeatherMapsService::~WeatherMapsService()
{
    if (m_downloader)
        m_downloader->cancel();
    if (m_page && !m_page->parent())
        delete m_page;
}

int& WeatherMapsService::selection(List list)
{
    return list == List::User ? m_context.settings.pogoda.userMapIndex : m_context.settings.pogoda.standardMapIndex;
}

const QList<WeatherMap>& WeatherMapsService::maps(List list) const
{
    static const QList<WeatherMap> none;
    return list == List::Standard ? m_standard : list == List::User ? m_user : none;
}

void WeatherMapsService::reloadLists()
{
    const QList<WeatherMap> before = m_standard;
    m_standard = parseMapList(loadLineFile(m_context.paths.path(PathId::Pogoda2)));
    if (!before.isEmpty())
        m_context.settings.pogoda.standardMapIndex = std::max(0, selectionAfterReplace(before, m_context.settings.pogoda.standardMapIndex, m_standard));
    bool ok = true;
    bool replace = true;
    m_user = parseMapList(loadLineFile(m_context.paths.path(PathId::Pogoda1), &ok, &replace));
    m_userReplaceable = replace;
    fillBox();
}

void WeatherMapsService::chooseList(List list)
{
    m_list = list;
    m_context.settings.pogoda.mapList = list == List::Standard ? 1 : 2;
    fillBox();
}

void WeatherMapsService::fillBox()
{
    QComboBox* box = m_page->mapBox();
    const QSignalBlocker block(box);
    box->clear();
    m_page->showUserControls(m_list == List::User);
    if (m_list == List::None)
        return;
    for (const WeatherMap& m : maps(m_list))
        box->addItem(m.name);
    const int count = box->count();
    box->setCurrentIndex(count == 0 ? -1 : std::clamp(selection(m_list), 0, count - 1));
}

QString WeatherMapsService::selectedUrl() const
{
    const int index = m_page->mapBox()->currentIndex();
    const QList<WeatherMap>& list = maps(m_list);
    if (index < 0 || index >= list.size())
        return {};
    return expandMapTemplate(list[index].url, m_context.clock.now().date());
}

bool WeatherMapsService::downloading() const
{
    return m_downloader && m_downloader->busy();
}

void WeatherMapsService::showMap()
{
    const QString url = selectedUrl();
    if (url.isEmpty() || downloading())
        return;
    if (!InternetAvailable(m_context.prompts, m_context.interfaces, url, true))
        return;
    if (!isWebMapUrl(url)) {
        m_context.prompts.errorWindow(QString::fromUtf8("Adres mapki musi zaczynać się od http:// lub https://:\n") + url);
        return;
    }
    const QString type = mapPictureType(url);
    if (type.isEmpty()) {
        // No picture type it could decode: the previous picture stays.
        emit mapShown(false);
        return;
    }
    const QString cached = m_cache.lookup(url, m_context.clock.now());
    if (!cached.isEmpty()) {
        display(cached, type);
        return;
    }
    if (!QDir().mkpath(m_context.cacheFolder)) {
        m_context.prompts.errorWindow(QString::fromUtf8("Nie można utworzyć folderu na mapki: ")
                        + QDir::toNativeSeparators(m_context.cacheFolder));
        return;
    }
    const QString target = QDir(m_context.cacheFolder).filePath(QLatin1String(kDownloadName));
    m_page->setDownloading(true);
    FileDownloader::Events events;
    events.progress = [this](qint64 total, qint64 done) {
        if (!m_page)
            return;
        QProgressBar* bar = m_page->progress();
        // Large sizes are shown in KiB so they fit the bar's int range.
        const int shift = total > (1 << 30) ? 10 : 0;
        bar->setMaximum(total > 0 ? int(total >> shift) : 0);
        bar->setValue(int(done >> shift));
    };
    events.done = [this, url, type](const QString& path, qint64) {
        if (m_page)
            m_page->setDownloading(false);
        const QDateTime now = m_context.clock.now();
        if (m_cache.store(url, path, now))
            display(m_cache.lookup(url, now), type);
        else
            display(path, type);
    };
    events.failed = [this](const QString&) {
        if (m_page)
            m_page->setDownloading(false);
        ShowServerProblem(m_context.prompts);
        emit mapShown(false);
    };
    m_downloader->start(url, target, std::move(events));
}

void WeatherMapsService::display(const QString& file, const QString& type)
{
    QImageReader reader(file, type.mid(1).toLower().toLatin1());
    // A map is a picture of a screen or two, never hundreds of megapixels.
    reader.setAllocationLimit(256);
    const QImage picture = reader.read();
    m_page->view()->setPicture(picture);
    emit mapShown(!picture.isNull());
}

void WeatherMapsService::cancel()
{
    if (m_downloader)
        m_downloader->cancel();
    m_page->setDownloading(false);
}

void WeatherMapsService::addLink()
{
    if (m_list != List::User)
        return;
    const LinkAnswer a = linkDialog(false, QString(), QStringLiteral("http://"));
    if (!a.accepted || a.name.isEmpty() || a.link.isEmpty())
        return;
    m_user.append({a.name, a.link});
    m_context.settings.pogoda.userMapIndex = int(m_user.size()) - 1;
    fillBox();
}

void WeatherMapsService::changeLink()
{
    const int index = m_page->mapBox()->currentIndex();
    if (m_list != List::User || index < 0 || index >= m_user.size())
        return;
    const LinkAnswer a = linkDialog(true, m_user[index].name, m_user[index].url);
    if (!a.accepted || a.name.isEmpty() || a.link.isEmpty())
        return;
    m_user[index] = {a.name, a.link};
    fillBox();
}

void WeatherMapsService::removeLink()
{
    const int index = m_page->mapBox()->currentIndex();
    if (m_list != List::User || index < 0 || index >= m_user.size())
        return;
    if (!m_context.prompts.askYesNo(QString::fromUtf8("Zorvex"), QString::fromUtf8("Na pewno usunąć wybrany link z listy?"),
                                    m_page ? m_page->window() : nullptr))
        return;
    m_user.removeAt(index);
    m_context.settings.pogoda.userMapIndex = std::max(0, std::min(index, int(m_user.size()) - 1));
    fillBox();
}

void WeatherMapsService::save()
{
    // A list that could not be read whole is never written over.
    if (m_userReplaceable)
        saveLineFile(m_context.paths.path(PathId::Pogoda1), mapListLines(m_user));
}

} // namespace zorvex
