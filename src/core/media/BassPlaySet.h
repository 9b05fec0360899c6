#pragma once

#include "core/media/BassPlay.h"

#include <QObject>

#include <array>
#include <memory>

namespace zorvex {

// The eight playback components of the Tools window, one per source of
// sound, and the operations every sound is started through. They share one
// output: the first sound that begins while nothing plays starts it, and
// closing the last one shuts it down.
class BassPlaySet : public QObject {
    Q_OBJECT

public:
    static constexpr int kCount = 8;
    enum Instance {
        Chime = 1,     // the hourly chime
        ChimeTest = 2, // the chime page's test button
        Alarm = 3,     // alarm sound and its test
        Music = 4,     // the music player
        Ping = 5,      // ping alert and its test
        Mail = 6,      // new-mail sound and its test
        Radio = 7,     // internet radio and its recording
        Lengths = 8,   // reads file lengths for the playlist
    };

    explicit BassPlaySet(AudioLibrary& library, QObject* parent = nullptr, PlaybackTiming timing = {});
    ~BassPlaySet() override;

    // Instance 1 to 8.
    BassPlay& player(int instance);

    bool anyPlaying() const;
    // Stops the instance if it plays, then plays its file, starting the
    // output when nothing else plays. Returns at once: the decoder opens the
    // file in the background, and a file that does not start fires no event
    // but gives the output back.
    void playFile(int instance);
    // The same, opening the file without playing it.
    void openFile(int instance);
    // The same without waiting for the decoder: the outcome comes by the
    // instance's fileStarted().
    quint64 startFile(int instance, bool paused);
    // The same for an internet stream; the outcome comes by the instance's
    // streamOpened(), its progress by statusText().
    void playStream(int instance, const QString& proxy);
    // Stops the instance if it plays and, when no other instance plays,
    // closes it, which shuts the output down.
    void closeFile(int instance);

private:
    void stopIfPlaying(BassPlay& p);
    // Whether an instance other than `except` plays.
    bool playingBesides(const BassPlay* except) const;

    void fileStarted(BassPlay* p, quint64 request, bool ok);

    AudioLibrary& m_library;
    std::array<std::unique_ptr<BassPlay>, kCount> m_players;
    // The start each instance's playFile() is waiting for; 0 for none.
    std::array<quint64, kCount> m_soundStarts{};
};

} // namespace zorvex
