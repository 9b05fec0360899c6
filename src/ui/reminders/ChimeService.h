#pragma once

#include "core/shell/LoopServices.h"

#include <QObject>

#include <functional>
#include <memory>

namespace zorvex {

class Prompts;

class BassPlaySet;
class Chime;
class ChimePage;
class Clock;
class FullScreenProbe;
class PathTable;
struct ChimeSettings;

// The hourly chime as the running program has it: the page, the check of
// every 800 ms tick, and the two players it sounds through.
class ChimeService : public QObject, public TickService {
    Q_OBJECT
public:
    // `fullScreen` answers the full-screen silence; it outlives the service.
    ChimeService(const Clock& clock, const PathTable& paths, BassPlaySet& players, ChimeSettings& settings,
                 FullScreenProbe& fullScreen, Prompts& prompts, QObject* parent = nullptr);
    ~ChimeService() override;

    ChimePage* page() const { return m_page; }
    // The 800 ms tick.
    void checkChime();
    void tick(TickStep step, const QDateTime& now) override;
    // Plays the chime of the current hour as it is set up now; the reason
    // when there is nothing to play.
    QString playTest();
    // Reads the set folders again (after an add-on was installed).
    void rescanSets();

    // The silencing conditions; each answers "no" until it is given.
    std::function<bool()> playlistPlaying = [] { return false; };
    std::function<bool()> radioActive = [] { return false; };
    // "Pobierz więcej dodatków".
    std::function<void()> openAddOns;

private:
    // Through the player `instance` at the chime's volume.
    void play(int instance, const QString& path);
    void applyVolume(int volume);

    const Clock& m_clock;
    const PathTable& m_paths;
    BassPlaySet& m_players;
    ChimeSettings& m_settings;
    std::unique_ptr<Chime> m_chime;
    ChimePage* m_page = nullptr; // owned by the Tools window once placed there
};

} // namespace zorvex
