#include "ui/media/MediaService.h"

#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/media/MediaSettings.h"
#include "core/media/PlaylistFiles.h"
#include "core/media/TrackInfo.h"
#include "core/media/TrackScanner.h"
#include "ui/media/PlaybackPanel.h"
#include "ui/media/PlaylistPage.h"

#include <QFileInfo>
#include <QUrl>

#include <cmath>
#include <random>

namespace zorvex {

MediaService::MediaService(const PathTable& paths, PlaylistSettings& settings, PlaybackPanelSettings& panelSettings,
                           BassPlaySet& players, Prompts& prompts, QObject* parent)
    : QObject(parent)
    , m_paths(paths)
    , m_settings(settings)
    , m_panelSettings(panelSettings)
    , m_players(players)
{
    auto rng = std::make_shared<std::mt19937>(std::random_device{}());
    m_player = std::make_unique<MusicPlayer>(
        players, m_list, [](const QString& p) { return QFileInfo(p).isFile(); },
        [rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(*rng); });
    m_player->waveVolume = [this](int v) {
        if (m_panelSettings.waveVolume && waveVolume)
            waveVolume(v);
    };
    m_player->started = [this] {
        if (m_panelSettings.switchPanel && m_panel)
            m_panel->setMode(PlaybackPanel::Player);
    };

    const LoadedLines list = loadListLines(paths.path(PathId::M3u1));
    m_listLoaded = list.mayReplace;
    m_list.append(entriesOfLines(list.lines));
    const LoadedLines folders = loadListLines(paths.path(PathId::M3u2));
    m_foldersLoaded = folders.mayReplace;
    m_folders = folders.lines;

    m_page = new PlaylistPage(m_list, *m_player, m_settings, prompts);
    m_page->setTargetFolders(m_folders);
    // A new order of rows is kept at once, like the rows themselves.
    connect(m_page.data(), &PlaylistPage::rowsMoved, this, [this] {
        if (m_listLoaded)
            saveListLines(m_paths.path(PathId::M3u1), linesOfEntries(m_list.entries()));
    });
    connect(m_player.get(), &MusicPlayer::stateChanged, this, &MediaService::publishState);
    connect(m_player.get(), &MusicPlayer::timeChanged, this, &MediaService::publishState);
    connect(m_player.get(), &MusicPlayer::nowPlayingChanged, this, [this] {
        publishState();
        emit nowPlayingChanged();
    });

    // The bar follows the position ten times a second while something plays;
    // an idle player costs no wake-ups.
    m_tick.setInterval(100);
    connect(&m_tick, &QTimer::timeout, this, &MediaService::tick);
    connect(m_player.get(), &MusicPlayer::stateChanged, this, [this] {
        if (m_player->state() == PlayerState::Stopped && !m_player->barEnabled())
            m_tick.stop();
        else if (!m_tick.isActive())
            m_tick.start();
    });
}

MediaService::~MediaService()
{
    m_tick.stop();
}

PlaylistPage* MediaService::page() const
{
    return m_page.data();
}

PlaybackPanel* MediaService::createPanel(QWidget* strip)
{
    m_panel = new PlaybackPanel(m_panelSettings, strip);
    m_panel->move(0, 0);
    if (!m_panelSettings.skin.isEmpty() && m_panelSettings.skin != QStringLiteral("Domyślny"))
        m_panel->loadSkinFile(m_paths.dataFolder() + QLatin1String("Gfx/Panel odtwarzania/") + m_panelSettings.skin
                              + QLatin1String("/skin.bmp"));
    connect(m_panel, &PlaybackPanel::playerCommand, this, &MediaService::command);
    connect(m_panel, &PlaybackPanel::seekRequested, m_player.get(), &MusicPlayer::seek);
    connect(m_panel, &PlaybackPanel::volumeRequested, this, [this](int v) {
        m_player->setVolume(v);
        m_settings.volume = v;
        if (m_page)
            m_page->refreshPlayer();
    });
    connect(m_panel, &PlaybackPanel::openPlayerPage, this, &MediaService::openPageRequested);
    m_panel->show();
    publishState();
    return m_panel;
}

void MediaService::command(int c)
{
    switch (c) {
    case 0: m_player->previous(); break;
    case 1: m_player->play(); break;
    case 2: m_player->pause(); break;
    case 3: m_player->stop(); break;
    case 4: m_player->next(); break;
    default: break;
    }
}

void MediaService::addRecording(const QString& path)
{
    m_list.append(TrackScanner::entryFor(path, true));
    if (m_page)
        m_page->refreshList();
}

bool MediaService::playing() const
{
    return m_player->state() == PlayerState::Playing;
}

void MediaService::tick()
{
    m_player->tick();
}

void MediaService::publishState()
{
    if (m_panel) {
        PanelView v;
        v.paused = m_player->paused();
        v.seekEnabled = m_player->barEnabled();
        v.seekPosition = m_player->barPosition();
        v.seekMaximum = m_player->barMaximum();
        v.volume = m_player->volume();
        if (radioView)
            radioView(v);
        m_panel->setView(v);
    }
    if (!m_mpris)
        return;
    MprisState s;
    if (radioActive() && radioMpris.fill) {
        radioMpris.fill(s);
        m_mpris->update(s);
        return;
    }
    switch (m_player->state()) {
    case PlayerState::Playing: s.status = MprisState::Playing; break;
    case PlayerState::Paused: s.status = MprisState::Paused; break;
    case PlayerState::Stopped: s.status = MprisState::Stopped; break;
    }
    const PlaylistEntry* e = m_list.currentEntry();
    if (e && s.status != MprisState::Stopped) {
        const TrackTags tags = trackTags(e->path);
        s.title = tags.title.isEmpty() ? e->name : tags.title;
        s.artist = tags.artist;
        s.url = QUrl::fromLocalFile(e->path).toString();
        s.lengthUs = qint64(m_player->barMaximum()) * 1000000;
        s.track = m_list.current();
    }
    s.volume = m_player->volume() / 100.0;
    const bool any = !m_list.isEmpty();
    s.canGoNext = s.canGoPrevious = s.canPlay = any;
    s.canPause = s.status == MprisState::Playing;
    s.canSeek = m_player->barEnabled();
    m_mpris->update(s);
}

bool MediaService::startMpris()
{
    m_mpris = std::make_unique<MprisService>(static_cast<MprisControl&>(*this));
    if (!m_mpris->start()) {
        m_mpris.reset();
        return false;
    }
    publishState();
    return true;
}

void MediaService::save()
{
    // A file that was there but not read whole is never replaced from memory.
    if (m_listLoaded)
        saveListLines(m_paths.path(PathId::M3u1), linesOfEntries(m_list.entries()));
    if (m_foldersLoaded)
        saveListLines(m_paths.path(PathId::M3u2), m_page ? m_page->targetFolders() : m_folders);
}

void MediaService::runAtStart(const QDateTime&)
{
    if (m_settings.autoPlay && !m_list.isEmpty())
        m_player->autoPlay(m_settings.autoPlayIndex, m_settings.autoPlayPosition);
}

void MediaService::shutdownStep(ShutdownStepId step, const QDate&)
{
    if (step != ShutdownStepId::SavePlaylistResumePoint)
        return;
    m_settings.autoPlayIndex = m_player->resumeIndex();
    m_settings.autoPlayPosition = m_player->resumePosition();
    // The full save at exit runs only while the Tools window shows; the
    // place to go on from, and the lengths playing found, are kept anyway.
    if (writeResumePoint)
        writeResumePoint(m_settings.autoPlayIndex, m_settings.autoPlayPosition);
    save();
}

void MediaService::mprisCommand(int c)
{
    if (!radioActive() || !radioMpris.command) {
        command(c);
        return;
    }
    // A stream has no pause: pause stops it, like the panel's button.
    static const int radio[] = {0, 1, 2, 2, 3}; // RadioCommand
    if (c >= 0 && c < 5)
        radioMpris.command(radio[c]);
}

void MediaService::playPause()
{
    if (radioActive())
        mprisCommand(3);
    else
        m_player->playPause();
}

void MediaService::pause()
{
    if (radioActive()) {
        mprisCommand(2);
        return;
    }
    if (m_player->state() == PlayerState::Playing)
        m_player->pause();
}

void MediaService::seekBy(qint64 offsetUs)
{
    const qint64 target = qint64(std::llround(m_player->position() * 1e6)) + offsetUs;
    m_player->seek(int(std::max<qint64>(0, target) / 1000000));
    if (m_mpris)
        m_mpris->seeked(positionUs());
}

void MediaService::setPosition(int track, qint64 positionUs)
{
    if (track != m_list.current())
        return;
    m_player->seek(int(positionUs / 1000000));
    if (m_mpris)
        m_mpris->seeked(this->positionUs());
}

void MediaService::setVolume(double volume)
{
    const int v = int(std::lround(volume * 100));
    m_player->setVolume(v);
    m_settings.volume = m_player->volume();
    if (m_page)
        m_page->refreshPlayer();
    publishState();
}

qint64 MediaService::positionUs()
{
    return qint64(std::llround(m_player->position() * 1e6));
}

void MediaService::raise()
{
    if (raiseWindow)
        raiseWindow();
}

void MediaService::quit()
{
    if (quitProgram)
        quitProgram();
}

} // namespace zorvex
