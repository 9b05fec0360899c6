#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace zorvex {

class BassPlay;
class BassPlaySet;
class Playlist;

enum class PlayerState { Stopped, Playing, Paused };

// The music player over the playlist: play, pause, stop, previous, next, in
// list order or at random with a history, the seek bar, the volume. It
// plays through the music instance of the playback set. Starting an entry
// never waits for its decoder: the answer comes from the event loop, and
// only the newest request's answer counts. Missing and undecodable files
// are passed over, driven by those answers, at most once each per pass: a
// pass in which nothing starts stops the player.
class MusicPlayer : public QObject {
    Q_OBJECT
public:
    static constexpr int kHistoryLimit = 50;

    using FileTest = std::function<bool(const QString&)>;
    // A whole number from 0 to n - 1.
    using Random = std::function<int(int n)>;

    MusicPlayer(BassPlaySet& players, Playlist& list, FileTest exists, Random random, QObject* parent = nullptr);
    ~MusicPlayer() override;

    // The entry a press of Play starts: the first selected one, else the
    // current one, else the first.
    int chosenIndex() const;

    // Plays the chosen entry; resumes when paused on it.
    void play();
    void playIndex(int index);
    // Pauses, or resumes when paused.
    void pause();
    void playPause();
    void stop();
    void next();
    void previous();

    // The seek bar was let go at `seconds` (also Left/Right: ±5 s).
    void seek(int seconds);
    // Moves the bar while paused; the start when play resumes.
    void setBarPosition(int seconds);
    // 0 to 100: the channel's while playing, else `waveVolume`, if set.
    void setVolume(int percent);
    int volume() const { return m_volume; }

    bool random() const { return m_random; }
    // Either way the history starts afresh.
    void setRandom(bool on);
    void clearHistory();

    // The 100 ms tick of the Tools window: the bar follows the position.
    void tick();

    // Start-up play: the entry `index` (0 when out of range) from `position`
    // seconds when that lies inside it.
    void autoPlay(int index, int position);
    // What is saved as AutoPlayNr and AutoPlayPoz.
    int resumeIndex() const;
    int resumePosition() const;

    PlayerState state() const;
    // An entry has been asked to start and its decoder has not answered.
    bool starting() const { return m_pass.request != 0; }
    bool paused() const { return m_paused; }
    bool barEnabled() const { return m_barEnabled; }
    int barPosition() const { return m_barPos; }
    int barMaximum() const { return m_barMax; }
    double position() const;
    double length() const;
    // The path the player shows (Edit18): the one playing, empty after the end.
    QString shownPath() const { return m_shownPath; }
    // "Odtwarzanie: " and the current entry's name while something plays
    // unpaused; empty otherwise.
    QString nowPlayingText() const;
    // Minutes and seconds shown, elapsed or remaining.
    QString timeText(bool elapsed) const;
    QString infoText() const;

    // Hooks of the features around it; each does nothing until set.
    std::function<void(int)> waveVolume;    // "GlosnoscWave"
    std::function<void()> started;          // a start: the panel may switch, the radio stop

signals:
    // Playing, paused or stopped, the current entry or the bar changed.
    void stateChanged();
    // The bar moved or its maximum changed.
    void timeChanged();
    // An entry got its length or size on playing.
    void entryUpdated(int index);
    // The shown path changed.
    void nowPlayingChanged();

private:
    void onStopped();
    // Starts `index`, passing over entries that cannot start; `forward` says
    // in which direction a failed entry is passed over.
    void startFrom(int index, bool forward);
    // Tries entries from `index` until one has been asked to start or the
    // pass has run out.
    void tryFrom(int index);
    // Asks the component to start `index`; false when its file is missing.
    bool requestEntry(int index);
    void onFileStarted(quint64 request, bool ok);
    void completeEntry(int index, bool resuming);
    // Nothing of the pass started.
    void endPass(int index);
    void closeMusic();
    int nextIndex(bool* ok);
    int previousIndex(bool* ok);
    int randomPick();
    bool inHistory(const QString& path) const;
    bool anyExisting() const;
    void setBar(int position, int maximum);
    void select(int index);
    BassPlay& music() const;

    BassPlaySet& m_players;
    Playlist& m_list;
    FileTest m_exists;
    Random m_randomBelow;

    bool m_paused = false;
    int m_pausedEntry = -1;
    double m_pausedPosition = 0;
    bool m_resumeMark = false;
    bool m_stopMark = false;
    bool m_random = false;
    std::vector<std::pair<QString, int>> m_history; // oldest first
    int m_backSteps = 0;
    int m_volume = 100;
    int m_barPos = 0;
    int m_barMax = 0;
    bool m_barEnabled = false;
    QString m_shownPath;
    int m_emptyEnds = 0; // ends in a row of entries that played nothing

    struct Pass {
        bool active = false;
        bool forward = true;
        int triesLeft = 0;
        quint64 request = 0; // the start waited for, 0 for none
        int index = -1;
        bool resuming = false;
    };
    Pass m_pass;
    // The start-up position, applied when its entry starts.
    int m_autoSeekIndex = -1;
    int m_autoSeekPosition = 0;
};

} // namespace zorvex
