#include "app/Application.h"
#include "core/app/ContextMenuModel.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "core/internet/ProxySetting.h"
#include "core/media/BassPlaySet.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/media/MediaService.h"
#include "ui/media/PlaybackPanel.h"
#include "ui/media/RadioPage.h"
#include "ui/media/RadioRecorder.h"
#include "ui/media/RadioService.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace zorvex {

namespace {

// The proxy as the audio library takes it: "[user:password@]host[:port]".
QString streamProxy(const ProxySetting& setting)
{
    const ProxyUse use = proxyUse(setting);
    if (!use.on || use.host.isEmpty())
        return QString();
    QString out;
    if (!use.user.isEmpty())
        out = use.user + u':' + use.password + u'@';
    out += use.host;
    if (use.port > 0)
        out += u':' + QString::number(use.port);
    return out;
}

// The encoder: "lame" in the data folder, else the one on the PATH.
QString encoderProgram(const PathTable& paths)
{
    const QFileInfo shipped(paths.path(PathId::Lame));
    return shipped.isFile() && shipped.isExecutable() ? shipped.filePath() : QStringLiteral("lame");
}

} // namespace

// Internet radio: its Tools page, its half of the playback panel, the radio
// and favourites submenus, start-up play and --action.
void Application::installRadio()
{
    LoopRegistry& loop = m_loop->services();

    m_radio = std::make_unique<RadioService>(m_paths, m_settings.radio, m_settings.panelOdtwarzania, *m_players,
                                             *m_prompts);
    RadioService* radio = m_radio.get();
    m_tools->setPageContent(page::Radio, radio->page());
    m_store->addListWriter([radio] { radio->save(); });
    loop.addStartup(StartupTasks::RadioAutoplay, *radio);

    radio->proxy = [this] { return streamProxy(m_settings.proxy); };
    radio->stopMusic = [this] {
        if (m_media->playing())
            m_media->command(int(PlayerCommand::Stop));
    };
    radio->openWebPage = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
    radio->toolsWindow = m_tools.get();

    m_recorder = std::make_unique<RadioRecorder>(*radio, m_players->player(BassPlaySet::Radio), m_settings.radioRec,
                                                 encoderProgram(m_paths), m_clock);
    RadioRecorder* recorder = m_recorder.get();
    recorder->toolsWindow = m_tools.get();
    loop.addTick(TickStep::RecordingSplit, *recorder);
    loop.addShutdown(ShutdownStepId::StopRecording, *recorder);
    connect(recorder, &RadioRecorder::fileFinished, m_media.get(), &MediaService::addRecording);

    PlaybackPanel* panel = m_media->panel();
    m_media->radioView = [radio, recorder](PanelView& view) {
        radio->fillPanelView(view);
        recorder->fillPanelView(view);
    };
    m_media->radioMpris.active = [radio] { return radio->state() != RadioState::Stopped; };
    m_media->radioMpris.fill = [radio](MprisState& state) { radio->fillMpris(state); };
    m_media->radioMpris.command = [radio](int command) { radio->command(command); };
    if (panel) {
        radio->switchPanel = [panel] { panel->setMode(PlaybackPanel::Radio); };
        // The panel's buttons in their order: previous, play, pause, stop,
        // next; a stream has no pause, so it stops.
        connect(panel, &PlaybackPanel::radioCommand, radio, [radio](int button) {
            static const int commands[] = {int(RadioCommand::Previous), int(RadioCommand::Play),
                                           int(RadioCommand::Stop), int(RadioCommand::Stop),
                                           int(RadioCommand::Next)};
            if (button >= 0 && button < 5)
                radio->command(commands[button]);
        });
        connect(panel, &PlaybackPanel::radioVolumeRequested, radio, &RadioService::setVolume);
        connect(panel, &PlaybackPanel::openRadioPage, this, [this] { m_tools->openPage(page::Radio); });
    }
    connect(radio, &RadioService::changed, this, [this] {
        m_media->refreshPanel();
        if (m_mediaDayText)
            m_mediaDayText();
    });

    ContextMenu* menu = m_main->contextMenu();
    connect(menu, &ContextMenu::radioCommandChosen, radio, [radio, recorder](int command) {
        if (command == int(RadioCommand::Record))
            recorder->toggle();
        else
            radio->command(command);
    });
    connect(recorder, &RadioRecorder::changed, this, [this, menu, recorder] {
        menu->setRadioRecording(recorder->recording());
        m_media->refreshPanel();
    });
    connect(recorder, &RadioRecorder::secondChanged, this, [this] {
        if (m_settings.panelOdtwarzania.recordingTime)
            m_media->refreshPanel();
    });
    menu->setFavouritesProvider([radio] {
        // The submenu holds at most 101 stations.
        return radio->favourites().names().mid(0, 101);
    });
    connect(menu, &ContextMenu::favouriteStationChosen, radio, &RadioService::playFavourite);

    const struct {
        const char* name;
        RadioCommand command;
    } actions[] = {{"radio-play", RadioCommand::Play},
                   {"radio-stop", RadioCommand::Stop},
                   {"radio-next", RadioCommand::Next},
                   {"radio-previous", RadioCommand::Previous}};
    registerAction(QStringLiteral("radio-record"), [recorder] { return recorder->toggle(); });
    for (const auto& a : actions) {
        const int command = int(a.command);
        registerAction(QLatin1String(a.name), [radio, command] {
            if (command == int(RadioCommand::Play) && radio->selectedStation().url.isEmpty()) {
                // Nothing chosen yet: the first favourite.
                if (radio->favourites().count() == 0)
                    return QStringLiteral("Lista ulubionych stacji radiowych jest pusta.");
                radio->playFavourite(0);
                return QString();
            }
            radio->command(command);
            return QString();
        });
    }
}

} // namespace zorvex
