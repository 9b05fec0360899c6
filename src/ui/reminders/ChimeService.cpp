#include "ui/reminders/ChimeService.h"

#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlay.h"
#include "core/media/BassPlaySet.h"
#include "core/reminders/Chime.h"
#include "core/reminders/ChimeSettings.h"
#include "platform/FullScreenProbe.h"
#include "ui/common/Messages.h"
#include "ui/reminders/ChimePage.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace zorvex {

ChimeService::ChimeService(const Clock& clock, const PathTable& paths, BassPlaySet& players,
                           ChimeSettings& settings, FullScreenProbe& fullScreen, Prompts& prompts,
                           QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_paths(paths)
    , m_players(players)
    , m_settings(settings)
    , m_chime(std::make_unique<Chime>(clock, settings))
{
    m_chime->playlistPlaying = [this] { return playlistPlaying && playlistPlaying(); };
    m_chime->radioActive = [this] { return radioActive && radioActive(); };
    m_chime->fullScreenInFront = [&fullScreen] { return fullScreen.fullScreenInFront(); };

    // The page's first showing reads the sets through rescanSets.
    m_page = new ChimePage(m_settings, prompts);
    ChimePage::Callbacks cb;
    cb.rescanSets = [this] {
        rescanSets();
        return m_chime->sets();
    };
    cb.setFolder = [this](const QString& folder) { return m_chime->setFolder(folder); };
    cb.chimeFolder = [this] { return m_paths.inDataFolder(QStringLiteral("Godziny")); };
    cb.chosenFile = [this] { return m_chime->chosenFile(); };
    cb.playSetFile = [this](const QString& path) { play(BassPlaySet::Chime, path); };
    cb.closeSetPlayer = [this] { m_players.closeFile(BassPlaySet::Chime); };
    cb.playFileTest = [this](const QString& path) { play(BassPlaySet::ChimeTest, path); };
    cb.closeFilePlayer = [this] { m_players.closeFile(BassPlaySet::ChimeTest); };
    cb.volumeChanged = [this](int volume) { applyVolume(volume); };
    cb.chooseFile = [this](const QString& caption, const QString& filter, const QString& start) {
        return QFileDialog::getOpenFileName(m_page, caption, start, filter);
    };
    cb.openFolder = [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };
    cb.openAddOns = [this] {
        if (openAddOns)
            openAddOns();
    };
    m_page->setCallbacks(std::move(cb));
    m_page->setFullScreenAvailable(fullScreen.available());

    connect(&m_players.player(BassPlaySet::Chime), &BassPlay::stopped, this, [this] {
        if (m_page->setTestRunning())
            m_page->setTestFileEnded();
        else
            m_players.closeFile(BassPlaySet::Chime);
    });
    connect(&m_players.player(BassPlaySet::ChimeTest), &BassPlay::stopped, this,
            [this] { m_page->fileTestEnded(); });
}

ChimeService::~ChimeService() = default;

void ChimeService::rescanSets()
{
    m_chime->setSets(m_paths.dataFolder(), discoverChimeSets(m_paths.dataFolder()));
}

void ChimeService::checkChime()
{
    const ChimeAction action = m_chime->check(m_page->fileTestRunning());
    switch (action.kind) {
    case ChimeAction::PlaySet:
        m_page->stopSetTest();
        play(BassPlaySet::Chime, action.path);
        break;
    case ChimeAction::PlayFile:
        m_page->pressFileTest();
        break;
    case ChimeAction::None: break;
    }
}

void ChimeService::play(int instance, const QString& path)
{
    BassPlay& p = m_players.player(instance);
    p.setFileName(path);
    p.setVolume(m_settings.volume);
    m_players.playFile(instance);
}

void ChimeService::applyVolume(int volume)
{
    for (int instance : {int(BassPlaySet::Chime), int(BassPlaySet::ChimeTest)}) {
        BassPlay& p = m_players.player(instance);
        p.setVolume(volume);
        if (p.isPlaying())
            p.setChannelVolume(volume);
    }
}

void ChimeService::tick(TickStep, const QDateTime&)
{
    checkChime();
}

QString ChimeService::playTest()
{
    const ChimeAction action = m_chime->preview(m_clock.now().time());
    if (action.kind == ChimeAction::None)
        return QString::fromUtf8("Dźwięk co godzinę jest wyłączony albo nie ma czego odtworzyć.");
    play(BassPlaySet::Chime, action.path);
    return {};
}

} // namespace zorvex
