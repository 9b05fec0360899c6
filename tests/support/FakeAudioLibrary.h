#pragma once

#include "core/media/AudioLibrary.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

namespace zorvex {

class FakeAudioLibrary;

// A stream whose state the test sets; it never ends by itself.
class FakeAudioStream : public AudioStream {
public:
    FakeAudioStream(FakeAudioLibrary* owner, QString name, double seconds);
    ~FakeAudioStream() override;

    QString name() const { return m_name; }

    // What the test drives.
    void setState(ChannelState state) { m_state = state; }
    void finish() { m_state = ChannelState::Stopped; }
    void setFacts(ChannelFacts facts) { m_facts = facts; }
    void setFilePositions(qint64 decoded, qint64 downloaded, qint64 total);
    void setTags(TagKind kind, std::optional<QStringList> tags);
    // Hands a title to the callback from a thread of its own, as the real
    // library does, and waits until it has been handed over.
    void sendMetadataFromThread(const QString& text);
    int playCalls() const { return m_playCalls; }
    int stopCalls() const { return m_stopCalls; }
    // The arguments of the newest encoder, and their count so far.
    QStringList encoderArguments() const { return m_encoderArguments; }
    int encoderStarts() const { return m_encoderStarts; }
    int encoderStops() const { return m_encoderStops; }
    // The encoder's program cannot be started.
    void refuseEncoder(bool refuse) { m_refuseEncoder = refuse; }
    // The encoder ends by itself, as when its program fails.
    void endEncoder();

    double lengthSeconds() const override { return m_seconds; }
    bool play() override;
    void pause() override;
    void stop() override;
    ChannelState state() override { return m_state; }
    double position() override { return m_position; }
    bool seek(double seconds) override;
    int volume() const override { return m_volume; }
    void setVolume(int percent) override { m_volume = percent; }
    ChannelFacts facts() override { return m_facts; }
    qint64 filePosition(FilePosition which) override;
    std::optional<QStringList> tags(TagKind kind) override;
    void setMetadataCallback(std::function<void(const QString&)> callback) override;
    bool startEncoder(const QStringList& argv, std::shared_ptr<EncoderExit> exit) override;
    bool encoderActive() override { return m_encoderActive; }
    void stopEncoder() override;

private:
    FakeAudioLibrary* m_owner;
    QString m_name;
    double m_seconds;
    ChannelState m_state = ChannelState::Stopped;
    double m_position = 0;
    int m_volume = 100;
    ChannelFacts m_facts{44100, 2};
    qint64 m_positions[3] = {0, 0, 0};
    std::map<TagKind, QStringList> m_tags;
    std::mutex m_callbackMutex;
    std::function<void(const QString&)> m_callback;
    int m_playCalls = 0;
    int m_stopCalls = 0;
    QStringList m_encoderArguments;
    std::shared_ptr<EncoderExit> m_encoderExit;
    int m_encoderStarts = 0;
    bool m_refuseEncoder = false;
    bool m_encoderActive = false;
    int m_encoderStops = 0;
};

// The audio library as the tests see it: files and addresses answer as
// scripted, and every call is counted.
class FakeAudioLibrary : public AudioLibrary {
public:
    struct UrlScript {
        int error = AudioError::None;
        QString statusLine;
        double seconds = 0;
        qint64 decoded = 0;
        qint64 downloaded = 0;
        qint64 total = 0;
        std::map<TagKind, QStringList> tags;
        // The open waits until release() when set.
        bool held = false;
    };

    ~FakeAudioLibrary() override;

    void setFileLength(const QString& path, double seconds) { m_lengths[path] = seconds; }
    // The file is there but holds nothing the library can play.
    void setUndecodable(const QString& path) { m_undecodable.insert(path); }
    int openFileCalls() const { return m_openFileCalls; }
    // Files opened in the background answer at once unless held; held ones
    // wait for answerFileOpens(), so a test can choose the order.
    void holdFileOpens(bool hold) { m_holdFileOpens = hold; }
    // Answers the held opens of `path` (all when empty), oldest first;
    // returns how many it answered.
    int answerFileOpens(const QString& path = {});
    int heldFileOpens();
    void setUrl(const QString& url, UrlScript script);
    // Lets a held open go on.
    void release();
    // True once a worker is waiting in a held open.
    bool waiting();

    int startCalls() const { return m_startCalls; }
    int shutdownCalls() const { return m_shutdownCalls; }
    int openUrlCalls() const { return m_openUrlCalls; }
    NetworkOptions lastOptions();

    // The newest stream still open with that name, or null.
    FakeAudioStream* stream(const QString& name);
    int openStreams();

    void startOutput() override;
    void shutdownOutput() override;
    bool outputStarted() const override { return m_started; }
    std::unique_ptr<AudioStream> openFile(const QString& path) override;
    std::unique_ptr<AudioStream> openFileAsync(const QString& path, std::function<void(bool)> ready) override;
    UrlOpen openUrl(const QString& url, const NetworkOptions& options, const std::atomic<bool>& cancel) override;

private:
    friend class FakeAudioStream;
    void forget(FakeAudioStream* stream);

    bool m_started = false;
    int m_startCalls = 0;
    int m_shutdownCalls = 0;
    QHash<QString, double> m_lengths;
    QSet<QString> m_undecodable;
    int m_openFileCalls = 0;
    bool m_holdFileOpens = false;
    struct HeldOpen {
        FakeAudioStream* stream;
        std::function<void(bool)> ready;
        bool ok;
    };

    std::mutex m_mutex;
    std::condition_variable m_changed;
    QHash<QString, UrlScript> m_urls;
    std::vector<FakeAudioStream*> m_streams; // open ones, oldest first
    std::vector<HeldOpen> m_heldOpens;        // oldest first
    bool m_released = false;
    bool m_waiting = false;
    int m_openUrlCalls = 0;
    NetworkOptions m_lastOptions;
};

} // namespace zorvex
