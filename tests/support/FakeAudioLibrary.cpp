#include "support/FakeAudioLibrary.h"

#include <QFileInfo>

#include <algorithm>
#include <thread>

namespace zorvex {

FakeAudioStream::FakeAudioStream(FakeAudioLibrary* owner, QString name, double seconds)
    : m_owner(owner)
    , m_name(std::move(name))
    , m_seconds(seconds)
{
}

FakeAudioStream::~FakeAudioStream()
{
    if (m_encoderExit)
        m_encoderExit->done = true;
    m_owner->forget(this);
}

void FakeAudioStream::setFilePositions(qint64 decoded, qint64 downloaded, qint64 total)
{
    m_positions[0] = decoded;
    m_positions[1] = downloaded;
    m_positions[2] = total;
}

void FakeAudioStream::setTags(TagKind kind, std::optional<QStringList> tags)
{
    if (tags)
        m_tags[kind] = *tags;
    else
        m_tags.erase(kind);
}

void FakeAudioStream::sendMetadataFromThread(const QString& text)
{
    std::thread sender([this, text] {
        std::lock_guard lock(m_callbackMutex);
        if (m_callback)
            m_callback(text);
    });
    sender.join();
}

bool FakeAudioStream::play()
{
    ++m_playCalls;
    m_state = ChannelState::Playing;
    return true;
}

void FakeAudioStream::pause()
{
    if (m_state == ChannelState::Playing)
        m_state = ChannelState::Paused;
}

void FakeAudioStream::stop()
{
    ++m_stopCalls;
    m_state = ChannelState::Stopped;
    m_position = 0;
}

bool FakeAudioStream::seek(double seconds)
{
    m_position = std::clamp(seconds, 0.0, m_seconds);
    return true;
}

qint64 FakeAudioStream::filePosition(FilePosition which)
{
    return m_positions[int(which)];
}

std::optional<QStringList> FakeAudioStream::tags(TagKind kind)
{
    const auto it = m_tags.find(kind);
    if (it == m_tags.end())
        return std::nullopt;
    return it->second;
}

void FakeAudioStream::setMetadataCallback(std::function<void(const QString&)> callback)
{
    std::lock_guard lock(m_callbackMutex);
    m_callback = std::move(callback);
}

bool FakeAudioStream::startEncoder(const QStringList& argv, std::shared_ptr<EncoderExit> exit)
{
    if (m_refuseEncoder) {
        if (exit)
            exit->done = true;
        return false;
    }
    // A replaced encoder ends as the real one does.
    if (m_encoderExit)
        m_encoderExit->done = true;
    ++m_encoderStarts;
    m_encoderArguments = argv;
    m_encoderExit = std::move(exit);
    m_encoderActive = true;
    return true;
}

void FakeAudioStream::endEncoder()
{
    m_encoderActive = false;
    if (m_encoderExit)
        m_encoderExit->done = true;
}

void FakeAudioStream::stopEncoder()
{
    ++m_encoderStops;
    endEncoder();
    m_encoderExit.reset();
}

FakeAudioLibrary::~FakeAudioLibrary() = default;

void FakeAudioLibrary::setUrl(const QString& url, UrlScript script)
{
    std::lock_guard lock(m_mutex);
    m_urls[url] = std::move(script);
}

void FakeAudioLibrary::release()
{
    std::lock_guard lock(m_mutex);
    m_released = true;
    m_changed.notify_all();
}

bool FakeAudioLibrary::waiting()
{
    std::lock_guard lock(m_mutex);
    return m_waiting;
}

NetworkOptions FakeAudioLibrary::lastOptions()
{
    std::lock_guard lock(m_mutex);
    return m_lastOptions;
}

FakeAudioStream* FakeAudioLibrary::stream(const QString& name)
{
    std::lock_guard lock(m_mutex);
    for (auto it = m_streams.rbegin(); it != m_streams.rend(); ++it)
        if ((*it)->name() == name)
            return *it;
    return nullptr;
}

int FakeAudioLibrary::openStreams()
{
    std::lock_guard lock(m_mutex);
    return int(m_streams.size());
}

void FakeAudioLibrary::forget(FakeAudioStream* stream)
{
    std::lock_guard lock(m_mutex);
    std::erase(m_streams, stream);
    // A released stream is never answered.
    std::erase_if(m_heldOpens, [stream](const HeldOpen& h) { return h.stream == stream; });
}

int FakeAudioLibrary::answerFileOpens(const QString& path)
{
    std::vector<HeldOpen> due;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_heldOpens.begin(); it != m_heldOpens.end();) {
            if (path.isEmpty() || it->stream->name() == path) {
                due.push_back(std::move(*it));
                it = m_heldOpens.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (HeldOpen& h : due)
        h.ready(h.ok);
    return int(due.size());
}

int FakeAudioLibrary::heldFileOpens()
{
    std::lock_guard lock(m_mutex);
    return int(m_heldOpens.size());
}

std::unique_ptr<AudioStream> FakeAudioLibrary::openFileAsync(const QString& path, std::function<void(bool)> ready)
{
    ++m_openFileCalls;
    if (!QFileInfo(path).isFile())
        return nullptr;
    const bool ok = !m_undecodable.contains(path);
    auto stream = std::make_unique<FakeAudioStream>(this, path, m_lengths.value(path, 1.0));
    {
        std::lock_guard lock(m_mutex);
        m_streams.push_back(stream.get());
        if (m_holdFileOpens) {
            m_heldOpens.push_back(HeldOpen{stream.get(), std::move(ready), ok});
            return stream;
        }
    }
    ready(ok);
    return stream;
}

void FakeAudioLibrary::startOutput()
{
    ++m_startCalls;
    m_started = true;
}

void FakeAudioLibrary::shutdownOutput()
{
    ++m_shutdownCalls;
    m_started = false;
}

std::unique_ptr<AudioStream> FakeAudioLibrary::openFile(const QString& path)
{
    ++m_openFileCalls;
    if (!QFileInfo(path).isFile() || m_undecodable.contains(path))
        return nullptr;
    auto stream = std::make_unique<FakeAudioStream>(this, path, m_lengths.value(path, 1.0));
    std::lock_guard lock(m_mutex);
    m_streams.push_back(stream.get());
    return stream;
}

UrlOpen FakeAudioLibrary::openUrl(const QString& url, const NetworkOptions& options, const std::atomic<bool>& cancel)
{
    std::unique_lock lock(m_mutex);
    ++m_openUrlCalls;
    m_lastOptions = options;
    const UrlScript script = m_urls.value(url, UrlScript{AudioError::FileOpen, {}, 0, 0, 0, 0, {}, false});
    if (script.held) {
        m_waiting = true;
        // The cancel flag is polled: its owner does not know this lock.
        for (int i = 0; i < 3000 && !m_released && !cancel; ++i)
            m_changed.wait_for(lock, std::chrono::milliseconds(10));
        m_waiting = false;
        m_released = false;
    }
    if (cancel)
        return {nullptr, AudioError::Unknown, {}};
    if (script.error != AudioError::None)
        return {nullptr, script.error, script.statusLine};
    auto stream = std::make_unique<FakeAudioStream>(this, url, script.seconds);
    stream->setFilePositions(script.decoded, script.downloaded, script.total);
    for (const auto& [kind, tags] : script.tags)
        stream->setTags(kind, tags);
    m_streams.push_back(stream.get());
    return {std::move(stream), AudioError::None, {}};
}

} // namespace zorvex
