#pragma once

#include "core/media/MusicPlayer.h"
#include "core/media/Playlist.h"
#include "core/shell/LoopServices.h"
#include "platform/media/MprisService.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <memory>

namespace zorvex {

class Prompts;

class BassPlaySet;
class PathTable;
class PlaybackPanel;
struct PanelView;
class PlaylistPage;
struct PlaybackPanelSettings;
struct PlaylistSettings;

// The M3U manager and the music player as the running program has them:
// the playlist and its store, the player on the music instance, the Tools
// page, the main window's playback panel and the player on the session bus.
// Internet radio fills the panel's other half through radioView.
class MediaService : public QObject, public StartupService, public ShutdownService, private MprisControl {
    Q_OBJECT
public:
    MediaService(const PathTable& paths, PlaylistSettings& settings, PlaybackPanelSettings& panelSettings,
                 BassPlaySet& players, Prompts& prompts, QObject* parent = nullptr);
    ~MediaService() override;

    Playlist& playlist() { return m_list; }
    MusicPlayer& player() { return *m_player; }
    PlaylistPage* page() const;
    // The panel, once placed into the main window's strip.
    PlaybackPanel* createPanel(QWidget* strip);
    PlaybackPanel* panel() const { return m_panel; }

    // Writes the playlist and the folder lists (a list writer of the store).
    void save();
    // Publishes the player on the session bus; false without one.
    bool startMpris();
    MprisService* mpris() const { return m_mpris.get(); }

    // The five commands of the panel, the menus, --action and MPRIS, in the
    // PlayerCommand order: previous, play, pause, stop, next.
    void command(int command);

    bool playing() const;
    // Appends a finished recording to the playlist, named and measured.
    void addRecording(const QString& path);
    // Draws the panel anew, e.g. when the radio's side of it changed.
    void refreshPanel() { publishState(); }

    // Start-up play, and the resume point kept at exit.
    bool readyAtStart() const override { return true; }
    void runAtStart(const QDateTime& now) override;
    void shutdownStep(ShutdownStepId step, const QDate& today) override;

    // The hooks of the features around it; each does nothing until set.
    std::function<void()> raiseWindow;
    std::function<void()> quitProgram;
    std::function<void(int volume)> waveVolume;
    // Writes AutoPlayNr and AutoPlayPoz at exit.
    std::function<void(int index, int position)> writeResumePoint;
    // Fills the radio's side of the panel.
    std::function<void(PanelView& view)> radioView;
    // While the radio is on, MPRIS2 reports it and its transport acts on it.
    struct RadioHooks {
        std::function<bool()> active;
        std::function<void(MprisState& state)> fill;
        std::function<void(int command)> command; // RadioCommand
    };
    RadioHooks radioMpris;

signals:
    // The current entry's title changed, or playing started or stopped.
    void nowPlayingChanged();
    void openPageRequested();

private:
    void tick();
    void publishState();

    // MprisControl
    void play() override { mprisCommand(1); }
    void pause() override;
    void playPause() override;
    void stop() override { mprisCommand(3); }
    void next() override { mprisCommand(4); }
    void previous() override { mprisCommand(0); }
    bool radioActive() const { return radioMpris.active && radioMpris.active(); }
    // A PlayerCommand from the bus, to the radio while it is on.
    void mprisCommand(int command);
    void seekBy(qint64 offsetUs) override;
    void setPosition(int track, qint64 positionUs) override;
    void setVolume(double volume) override;
    qint64 positionUs() override;
    void raise() override;
    void quit() override;

    const PathTable& m_paths;
    PlaylistSettings& m_settings;
    PlaybackPanelSettings& m_panelSettings;
    BassPlaySet& m_players;
    Playlist m_list;
    std::unique_ptr<MusicPlayer> m_player;
    QPointer<PlaylistPage> m_page; // owned by the Tools window once placed
    PlaybackPanel* m_panel = nullptr;
    std::unique_ptr<MprisService> m_mpris;
    QStringList m_folders; // M3U2_
    bool m_listLoaded = true;
    bool m_foldersLoaded = true;
    QTimer m_tick;
};

} // namespace zorvex
