#pragma once

#include "core/calendar/DayText.h"
#include "core/media/RadioRules.h"
#include "core/media/RadioStations.h"
#include "core/media/BassPlay.h"
#include "core/shell/LoopServices.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace zorvex {

class Prompts;

class BassPlaySet;
class PathTable;
class RadioPage;
class StationWindow;
struct PlaybackPanelSettings;
struct PanelView;
struct MprisState;
struct RadioSettings;

enum class RadioState { Stopped, Playing, Error, Connecting, Disconnecting, Preparing };

// Internet radio: plays the chosen station on the radio's playback
// component, follows its titles, reconnects after failures, and keeps the
// favourites. Opening a stream runs on the component's worker thread and a
// playlist address is fetched asynchronously, so nothing here waits.
class RadioService : public QObject, public StartupService {
    Q_OBJECT
public:
    RadioService(const PathTable& paths, RadioSettings& settings, PlaybackPanelSettings& panelSettings,
                 BassPlaySet& players, Prompts& prompts, QObject* parent = nullptr);
    ~RadioService() override;

    Prompts& prompts() const { return m_prompts; }

    RadioPage* page() const;
    RadioState state() const { return m_state; }
    QString stateText() const;
    bool playing() const { return m_state == RadioState::Playing; }
    QString stationName() const;
    QString streamTitle() const;
    RadioSource dayTextSource() const;
    const RadioFavourites& favourites() const { return m_favourites; }
    // Adds a station line (a second instance's "http://" argument); false
    // when it is there already.
    bool addFavourite(const RadioStation& station);
    // Chooses favourite `index` on its tab and plays it.
    void playFavourite(int index);
    // The station selected on the visible tab.
    RadioStation selectedStation() const;

    // The menus' and the panel's commands, in the RadioCommand order:
    // previous, play, stop, next (record belongs to the recorder).
    void command(int command);
    void play();
    void stop();
    void step(int direction);
    void setVolume(int percent);
    int volume() const;
    // Fills what the panel shows of the radio.
    void fillPanelView(PanelView& view) const;
    // What MPRIS2 reports while the radio is on.
    void fillMpris(MprisState& state) const;

    // Writes the favourites (a list writer of the store).
    void save();
    // Plays the start station when so set (the first tick of the program).
    void playAtStart();
    bool readyAtStart() const override { return true; }
    void runAtStart(const QDateTime&) override { playAtStart(); }

    // The hooks of the features around it; each does nothing until set.
    std::function<QString()> proxy;
    std::function<void()> stopMusic;     // AutoStop: the player stops
    std::function<void()> switchPanel;   // ZmienPanel: the panel shows the radio
    std::function<void(const QString& url)> openWebPage;
    // The window the station window disables while it is shown.
    QWidget* toolsWindow = nullptr;
    StationWindow* stationWindow() const;

signals:
    // The state, the station or its title changed.
    void changed();
    void favouritesChanged();
    // The title rule found a new title.
    void titleChanged();
    // The stream is about to be let go; `byUser` for a stop or another
    // station, not for a lost connection that is tried again.
    void streamClosing(bool byUser);
    // A station began to play.
    void streamStarted();

private:
    void loadLists();
    void fillStations();
    void fillFavourites(int select);
    void fillAutoStations();
    void startStation(const QString& urlField, const QString& name);
    void openStream(const QString& url);
    void playlistFetched();
    void streamOpened(BassPlay* sender, const StreamOpenResult& result);
    void playerStopped();
    void applyText(const QString& text);
    void applyTitle(const QString& text);
    void setState(RadioState state, const QString& error = QString());
    void clearFields();
    void scheduleReconnect();
    void cancelReconnect();
    void tick();
    void closeStream(bool byUser);
    void openStationWindow(bool editing);
    void stationConfirmed(const RadioStation& station, bool editing);

    const PathTable& m_paths;
    RadioSettings& m_settings;
    PlaybackPanelSettings& m_panelSettings;
    BassPlaySet& m_players;
    Prompts& m_prompts;
    BassPlay& m_player;
    QPointer<RadioPage> m_page;
    RadioStationList m_list;
    QList<RadioStation> m_shown; // stations of the chosen category
    RadioFavourites m_favourites;
    bool m_favouritesLoaded = true;
    RadioAlternatives m_alternatives;

    RadioState m_state = RadioState::Stopped;
    QString m_error;
    QString m_url;
    QString m_name;
    QString m_queuedUrl;
    QString m_queuedName;
    bool m_busy = false;
    bool m_abort = false;
    bool m_reconnect = false;
    bool m_atStart = false;
    QElapsedTimer m_reconnectSince;
    QElapsedTimer m_playingSince;
    QTimer m_tick;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_playlistReply;
    QPointer<StationWindow> m_stationWindow;
};

} // namespace zorvex
