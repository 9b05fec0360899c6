#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace zorvex {

// Error codes of a failed open. The numbers are those the rest of the
// program and its messages were written against.
namespace AudioError {
inline constexpr int None = 0;
inline constexpr int FileOpen = 2;     // missing file, refused connection, HTTP error
inline constexpr int BadUrl = 20;      // the address cannot be used
inline constexpr int Timeout = 40;     // the server did not answer in time
inline constexpr int FileFormat = 41;  // nothing playable in it
inline constexpr int Unknown = -1;
} // namespace AudioError

// What a channel is doing. Only Playing counts as playing: a stream waiting
// for data (Stalled) or a paused one does not.
enum class ChannelState { Stopped = 0, Playing = 1, Stalled = 2, Paused = 3 };

enum class FilePosition { Decoded = 0, Downloaded = 1, Total = 2 };

// Tag kinds. Each gives "name=value"-like texts, or nothing at all; Metadata
// gives the one current title text ("StreamTitle='…';").
enum class TagKind { Ogg = 2, Http = 3, Icy = 4, Metadata = 5, Wma = 8 };

// The end of one encoder's run: set once its program has exited, so its file
// is complete. Set from whichever thread saw the end.
struct EncoderExit {
    std::atomic<bool> done{false};
};

struct ChannelFacts {
    int sampleRate = 0;
    int channels = 0;
};

// Settings of every address opened.
struct NetworkOptions {
    int preBufferPercent = 15; // of the buffer, before the open returns
    int bufferMs = 2000;
    int timeoutMs = 5000;
    QString proxy; // "[user:password@]host[:port]", empty for none
    QString agent;
};

// One open sound: a file or an internet stream. Destroying it releases it
// (and stops its encoder).
class AudioStream {
public:
    virtual ~AudioStream() = default;

    virtual double lengthSeconds() const = 0;
    // Plays, or resumes where it stopped; false when it cannot.
    virtual bool play() = 0;
    virtual void pause() = 0;
    // Stops and rewinds to the start.
    virtual void stop() = 0;
    virtual ChannelState state() = 0;

    virtual double position() = 0;
    virtual bool seek(double seconds) = 0;
    // 0 to 100.
    virtual int volume() const = 0;
    virtual void setVolume(int percent) = 0;
    virtual ChannelFacts facts() = 0;
    // Bytes of the file or download; -1 when unknown.
    virtual qint64 filePosition(FilePosition which) = 0;
    virtual std::optional<QStringList> tags(TagKind kind) = 0;
    // Called with each new title text of a stream. It is called on one of
    // the library's threads, never the caller's; null removes it.
    virtual void setMetadataCallback(std::function<void(const QString&)> callback) = 0;

    // Starts the program `argv` (no shell) and feeds it what plays, as 16-bit
    // PCM after a WAV header, on its standard input. An encoder already
    // running is replaced without a gap: the sound goes on in the new one.
    // `exit` (may be null) is set once this encoder has ended, however it
    // ends. False when the program cannot be started.
    virtual bool startEncoder(const QStringList& argv, std::shared_ptr<EncoderExit> exit) = 0;
    // Running and still taking sound: false once its program has died.
    virtual bool encoderActive() = 0;
    // Closes the encoder's input and returns at once; the encoder finishes
    // its file by itself and then sets its exit.
    virtual void stopEncoder() = 0;
};

struct UrlOpen {
    std::unique_ptr<AudioStream> stream; // null on failure
    int error = AudioError::None;
    // The server's status line when it refused ("ICY 400 Server Full").
    QString statusLine;
};

// The sound output and the makers of streams; one per program.
class AudioLibrary {
public:
    virtual ~AudioLibrary() = default;

    // Starts the output at the desktop's master volume.
    virtual void startOutput() = 0;
    virtual void shutdownOutput() = 0;
    virtual bool outputStarted() const = 0;

    // Null when the file is missing or holds no sound that can be played.
    // May wait for the decoder: not for the interface thread.
    virtual std::unique_ptr<AudioStream> openFile(const QString& path) = 0;
    // Opens a file without waiting for its decoder. `ready` is called once,
    // possibly at once and possibly on one of the library's threads, with
    // whether the stream can play; not at all once the stream is destroyed.
    // Null, without a call, when the file cannot even be begun.
    virtual std::unique_ptr<AudioStream> openFileAsync(const QString& path, std::function<void(bool ok)> ready)
    {
        auto stream = openFile(path);
        if (stream)
            ready(true);
        return stream;
    }
    // Blocks until the stream has filled its pre-buffer, failed, or
    // `cancel` was set; meant to run on a worker thread and safe there.
    virtual UrlOpen openUrl(const QString& url, const NetworkOptions& options, const std::atomic<bool>& cancel) = 0;
};

} // namespace zorvex
