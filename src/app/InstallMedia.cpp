#include "app/Application.h"
#include "core/app/ContextMenuModel.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "core/common/IniFile.h"
#include "core/internet/AddonPackage.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/calendar/CalendarView.h"
#include "ui/common/QtColour.h"
#include "ui/media/MediaService.h"
#include "ui/media/PanelOptionsWindow.h"
#include "ui/media/PanelSkinList.h"
#include "ui/media/PlaybackPanel.h"
#include "ui/media/PlaylistPage.h"
#include "ui/media/RadioService.h"
#include "ui/reminders/ChimeService.h"

#include <QFormLayout>

namespace zorvex {

// The M3U manager and the music player: its Tools page, the playback panel
// of the main window, the menus' player commands, --action and MPRIS2.
void Application::installMedia()
{
    LoopRegistry& loop = m_loop->services();

    m_media = std::make_unique<MediaService>(m_paths, m_settings.m3u, m_settings.panelOdtwarzania, *m_players,
                                             *m_prompts);
    m_tools->setPageContent(page::Playlist, m_media->page());
    m_store->addListWriter([this] { m_media->save(); });
    loop.addStartup(StartupTasks::PlaylistAutoplay, *m_media);
    loop.addShutdown(ShutdownStepId::SavePlaylistResumePoint, *m_media);

    PlaybackPanel* panel = m_media->createPanel(m_main->playbackStrip());
    const auto tintPanel = [this, panel] { panel->setWindowColour(toQColor(m_settings.main.playbackPanelBackground)); };
    tintPanel();
    connect(m_calendar.get(), &CalendarView::coloursApplied, panel, tintPanel);
    connect(m_media.get(), &MediaService::openPageRequested, this, [this] { m_tools->openPage(page::Playlist); });
    // The skin list sits with the other add-on lists on "Wygląd".
    auto* skins = new PanelSkinList(m_settings.panelOdtwarzania,
                                    m_paths.inDataFolder(QStringLiteral("Gfx/Panel odtwarzania/")), m_clock,
                                    *m_prompts);
    if (auto* lookSets = m_tools->findChild<QFormLayout*>(QStringLiteral("LookSets")))
        lookSets->addRow(QStringLiteral("Skórka panelu odtwarzania:"), skins);
    else
        skins->setParent(m_tools.get()); // owned, though not shown
    connect(skins, &PanelSkinList::skinChosen, panel, [panel](const QString& file) {
        if (file.isEmpty())
            panel->setSkin(QImage());
        else
            panel->loadSkinFile(file);
    });
    // "Opcje panelu": TForm40, made on first use; the Tools window waits
    // while it is open.
    connect(m_tools.get(), &ToolsWindow::panelOptionsRequested, this, [this, panel, skins] {
        skins->reload();
        auto* window = m_main->findChild<PanelOptionsWindow*>();
        if (!window) {
            window = new PanelOptionsWindow(m_settings.panelOdtwarzania, m_main.get());
            window->setWindowFlag(Qt::Window);
            connect(window, &PanelOptionsWindow::changed, panel, &PlaybackPanel::settingsChanged);
            window->save = [this, window] {
                m_store->saveSection(m_settings.panelOdtwarzania);
                m_tools->setEnabled(true);
                window->setEnabled(true);
            };
        }
        window->load();
        m_tools->setEnabled(false);
        window->setEnabled(true);
        window->show();
        window->raise();
    });
    // A skin installed as an add-on is put on at once.
    registerAddonChooser(int(AddonCategory::PlaybackSkin), [this, panel, skins](const QString& name) {
        if (panel->loadSkinFile(m_paths.inDataFolder(QStringLiteral("Gfx/Panel odtwarzania/") + name + QStringLiteral("/skin.bmp"))))
            m_settings.panelOdtwarzania.skin = name;
        skins->reload();
    });
    connect(panel, &PlaybackPanel::rightPartChosen, this, [this] { m_store->saveSection(m_settings.panelOdtwarzania); });

    connect(m_main->contextMenu(), &ContextMenu::playerCommandChosen, m_media.get(), &MediaService::command);
    // The chime keeps quiet while the playlist plays, when so set.
    m_chime->playlistPlaying = [this] { return m_media->playing(); };

    const auto dayText = [this] {
        MusicSource music;
        const PlaylistEntry* e = m_media->playlist().currentEntry();
        music.entryValid = e != nullptr;
        music.title = e ? e->name : QString();
        music.fileOpen = !m_media->player().shownPath().isEmpty() && !m_media->player().paused();
        const RadioSource radio = m_radio ? m_radio->dayTextSource() : RadioSource();
        music.radioActive = m_radio && m_radio->state() != RadioState::Stopped;
        m_calendar->setMediaSources(radio, music);
    };
    connect(m_media.get(), &MediaService::nowPlayingChanged, this, dayText);
    m_mediaDayText = dayText;

    m_media->writeResumePoint = [this](int index, int position) {
        m_store->update([index, position](IniFile& ini) {
            ini.writeInteger(QStringLiteral("M3U"), QStringLiteral("AutoPlayNr"), index);
            ini.writeInteger(QStringLiteral("M3U"), QStringLiteral("AutoPlayPoz"), position);
        });
    };
    m_media->raiseWindow = [this] { m_main->showMainWindow(); };
    m_media->quitProgram = [this] { requestQuit(); };
    m_media->startMpris();

    const struct {
        const char* name;
        PlayerCommand command;
    } actions[] = {
        {"previous", PlayerCommand::Previous}, {"play", PlayerCommand::Play},   {"pause", PlayerCommand::Pause},
        {"stop", PlayerCommand::Stop},         {"next", PlayerCommand::Next},
    };
    for (const auto& a : actions) {
        const int command = int(a.command);
        registerAction(QLatin1String(a.name), [this, command] {
            if (m_media->playlist().isEmpty())
                return QStringLiteral("Lista odtwarzania jest pusta.");
            m_media->command(command);
            return QString();
        });
    }
    registerAction(QStringLiteral("play-pause"), [this] {
        if (m_media->playlist().isEmpty())
            return QStringLiteral("Lista odtwarzania jest pusta.");
        m_media->player().playPause();
        return QString();
    });
}

} // namespace zorvex
