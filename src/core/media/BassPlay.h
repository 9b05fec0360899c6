#pragma once

#include "core/media/AudioLibrary.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace zorvex {

// What opening an internet stream gave. The tags are the ICY headers, the
// Ogg comments or the WMA tags, whichever the stream carries.
struct StreamOpenResult {
    QString errorText; // empty on success
    QStringList tags;
    QStringList headers; // HTTP headers
    bool ok() const { return errorText.isEmpty(); }
};

// Intervals of the component; tests shorten the pre-buffer passes.
struct PlaybackTiming {
    int endPollMs = 30;
    int prebufferPassMs = 50;
    int prebufferPasses = 200;
    // A file whose decoder has not answered by then does not start.
    int fileStartMs = 5000;
};

// The playback component: plays one sound file or internet stream, tells by
// stopped() when play has ended, and can hand what it plays to an encoder.
// Every sound of the program goes through one of these.
class BassPlay : public QObject {
    Q_OBJECT

public:
    // `tag` is the instance number the owner gives it.
    BassPlay(AudioLibrary& library, int tag, QObject* parent = nullptr, PlaybackTiming timing = {});
    ~BassPlay() override;

    int tag() const { return m_tag; }

    // File name or address to open next.
    QString fileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }
    // Seconds, copied from the channel when play starts.
    float length() const { return m_length; }
    // 0 to 100, applied when play starts; -1 keeps the library's level.
    int volume() const { return m_volume; }
    void setVolume(int volume) { m_volume = volume; }
    // The tag kind that holds the stream title: Metadata after an address
    // opened, Ogg when the stream carries Ogg comments instead; 0 before.
    int titleTagKind() const { return m_titleKind; }
    // Set when play starts, cleared at stop or end.
    bool isPlaying() const { return m_playing; }

    // The open channel.
    bool hasChannel() const { return m_stream != nullptr; }
    float channelSeconds() const { return m_channelSeconds; }
    int channelError() const { return m_channelError; }
    QString channelName() const { return m_channelName; }

    // Opens fileName and plays it. A missing file does nothing and fires no
    // event; `startOutput` starts the shared output first. Both this and
    // open() wait for the decoder's preroll (up to seconds), so the program's
    // own sounds go through startFile() instead.
    void play(bool startOutput);
    // Opens fileName ready to play; the caller seeks and resumes before the
    // next end poll, which would otherwise end it.
    void open(bool startOutput);
    void resume();
    // Opens fileName without waiting for its decoder and, once it can play,
    // plays it or, with `paused`, leaves it ready to be sought and resumed.
    // Returns at once with the request's number; fileStarted() tells the
    // outcome from the event loop. A newer request or close() abandons an
    // older one, whose outcome never comes.
    quint64 startFile(bool startOutput, bool paused);
    bool isStartingFile() const { return m_starting; }
    // Acts only while the channel is actively playing: stops the encoder
    // (recordingStopped()), stops and releases the channel, fires stopped().
    void stop();
    // Stops and releases the channel without an event and shuts the output
    // down unless another sound plays. An address being opened is abandoned;
    // its streamOpened() reports "error".
    void close();

    double position();
    void seek(double seconds);
    // Applies to the open channel; volume() is not changed.
    void setChannelVolume(int percent);
    // Bitrate, sample rate and channels of the open channel; empty without one.
    QString info();
    std::optional<QStringList> tags(TagKind kind);

    // See AudioStream; false without an open channel.
    bool startEncoder(const QStringList& argv, std::shared_ptr<EncoderExit> exit = {});
    void stopEncoder();
    bool encoderActive();

    // Opens fileName as an internet stream on a worker thread and fills the
    // pre-buffer, reporting progress through statusText(). Returns at once;
    // streamOpened() tells the outcome and, on success, play has begun. Only
    // one address is opened at a time in the whole program: a second request
    // meanwhile fails with "error".
    void playUrl(bool startOutput, const QString& proxy);
    bool isOpeningUrl() const { return m_opening != Opening::No; }

    // Tells whether any other sound plays, so that closing this one leaves
    // their output alone. Without it the output is shut down on close.
    void setOthersPlaying(std::function<bool()> othersPlaying) { m_othersPlaying = std::move(othersPlaying); }

signals:
    void stopped(zorvex::BassPlay* sender);
    void recordingStopped(zorvex::BassPlay* sender);
    void streamOpened(zorvex::BassPlay* sender, const zorvex::StreamOpenResult& result);
    // The outcome of startFile(): on success play has begun (or the file is
    // ready, when asked paused) and length() holds its length.
    void fileStarted(zorvex::BassPlay* sender, quint64 request, bool ok);
    // Progress of an address being opened, for the status label.
    void statusText(const QString& text);
    // A new title text of the playing stream, on the main thread.
    void metadata(const QString& text);

private:
    enum class Opening { No, Worker, Prebuffer };
    struct PendingOpen;

    // Opens fileName as the channel; false, doing nothing more, when the
    // file is missing.
    bool openChannel(bool startOutput);
    void releaseChannel();
    void startPlay();
    void endPoll();
    void shutdownOutput();
    void workerFinished();
    void prebufferPass();
    void finishPrebuffer();
    void finishOpen(const QString& errorText, QStringList tags = {}, QStringList headers = {});
    void abandonOpen();
    void fileAnswered(quint64 request, bool ok);
    void abandonStart();

    AudioLibrary& m_library;
    const int m_tag;
    const PlaybackTiming m_timing;

    std::unique_ptr<AudioStream> m_stream;
    float m_channelSeconds = 0;
    int m_channelError = 0;
    QString m_channelName;
    quint64 m_generation = 0; // tells a released channel's late titles apart

    QTimer m_endTimer;
    bool m_playing = false;
    QString m_fileName;
    float m_length = 0;
    int m_volume = -1;
    int m_titleKind = 0;

    Opening m_opening = Opening::No;
    std::shared_ptr<PendingOpen> m_pending;
    QThread* m_worker = nullptr;
    QTimer m_passTimer;
    int m_pass = 0;
    bool m_openAbandoned = false;

    bool m_starting = false;
    bool m_startPaused = false;
    quint64 m_startRequest = 0;
    QTimer m_startTimer;

    std::function<bool()> m_othersPlaying;
};

} // namespace zorvex

Q_DECLARE_METATYPE(zorvex::StreamOpenResult)
