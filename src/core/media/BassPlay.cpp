#include "core/media/BassPlay.h"

#include "core/media/PlaybackRules.h"

#include <QFileInfo>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

namespace zorvex {

namespace {

// Only one address is opened at a time in the whole program.
bool g_urlSlotBusy = false;

} // namespace

struct BassPlay::PendingOpen {
    std::atomic<bool> cancel{false};
    UrlOpen result;
};

BassPlay::BassPlay(AudioLibrary& library, int tag, QObject* parent, PlaybackTiming timing)
    : QObject(parent)
    , m_library(library)
    , m_tag(tag)
    , m_timing(timing)
{
    m_endTimer.setInterval(m_timing.endPollMs);
    connect(&m_endTimer, &QTimer::timeout, this, &BassPlay::endPoll);
    m_passTimer.setSingleShot(true);
    m_passTimer.setInterval(m_timing.prebufferPassMs);
    connect(&m_passTimer, &QTimer::timeout, this, &BassPlay::prebufferPass);
    m_startTimer.setSingleShot(true);
    m_startTimer.setInterval(m_timing.fileStartMs);
    connect(&m_startTimer, &QTimer::timeout, this, [this] { fileAnswered(m_startRequest, false); });
}

BassPlay::~BassPlay()
{
    m_endTimer.stop();
    m_passTimer.stop();
    m_startTimer.stop();
    if (m_worker) {
        m_pending->cancel = true;
        disconnect(m_worker, nullptr, this, nullptr);
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
        g_urlSlotBusy = false;
    }
    // The stream goes first: its threads may still be handing titles to us.
    releaseChannel();
    m_playing = false;
    shutdownOutput();
}

void BassPlay::releaseChannel()
{
    m_stream.reset();
    ++m_generation;
}

void BassPlay::shutdownOutput()
{
    // Another sound may still be playing; its output stays.
    if (!m_othersPlaying || !m_othersPlaying())
        m_library.shutdownOutput();
}

bool BassPlay::openChannel(bool startOutput)
{
    if (startOutput)
        m_library.startOutput();
    if (!QFileInfo::exists(m_fileName))
        return false;
    // The previous channel is released, not only stopped, so repeated opens
    // (the playlist reads many lengths) do not pile up streams.
    releaseChannel();
    m_stream = m_library.openFile(m_fileName);
    m_channelSeconds = m_stream ? float(m_stream->lengthSeconds()) : 0.0f;
    m_channelError = 0;
    m_channelName = m_fileName;
    m_playing = true;
    return true;
}

void BassPlay::play(bool startOutput)
{
    if (openChannel(startOutput))
        startPlay();
}

void BassPlay::open(bool startOutput)
{
    if (!openChannel(startOutput))
        return;
    m_length = m_channelSeconds;
    m_endTimer.start();
}

quint64 BassPlay::startFile(bool startOutput, bool paused)
{
    abandonStart();
    m_endTimer.stop();
    releaseChannel();
    m_playing = false;
    const quint64 request = ++m_startRequest;
    m_starting = true;
    m_startPaused = paused;
    m_channelSeconds = 0;
    m_channelError = 0;
    m_channelName = m_fileName;
    if (startOutput)
        m_library.startOutput();
    if (QFileInfo::exists(m_fileName)) {
        // The answer may come from a decoder thread; it is handled on ours,
        // and dropped there when a newer request has come meanwhile.
        m_stream = m_library.openFileAsync(m_fileName, [this, request](bool ok) {
            QMetaObject::invokeMethod(this, [this, request, ok] { fileAnswered(request, ok); }, Qt::QueuedConnection);
        });
    }
    if (!m_stream)
        QMetaObject::invokeMethod(this, [this, request] { fileAnswered(request, false); }, Qt::QueuedConnection);
    else
        m_startTimer.start();
    return request;
}

void BassPlay::fileAnswered(quint64 request, bool ok)
{
    if (!m_starting || request != m_startRequest)
        return;
    m_starting = false;
    m_startTimer.stop();
    if (!ok || !m_stream) {
        releaseChannel();
        m_channelError = AudioError::FileFormat;
        emit fileStarted(this, request, false);
        return;
    }
    m_channelSeconds = float(m_stream->lengthSeconds());
    if (m_startPaused) {
        m_playing = true;
        m_length = m_channelSeconds;
        m_endTimer.start();
    } else {
        startPlay();
    }
    emit fileStarted(this, request, true);
}

void BassPlay::abandonStart()
{
    if (!m_starting)
        return;
    m_starting = false;
    m_startTimer.stop();
    releaseChannel();
}

void BassPlay::resume()
{
    m_playing = true;
    if (m_stream)
        m_stream->play();
}

void BassPlay::stop()
{
    if (!m_stream || m_stream->state() != ChannelState::Playing)
        return;
    m_endTimer.stop();
    if (m_stream->encoderActive()) {
        m_stream->stopEncoder();
        emit recordingStopped(this);
    }
    m_stream->stop();
    m_playing = false;
    releaseChannel();
    emit stopped(this);
}

void BassPlay::close()
{
    abandonOpen();
    abandonStart();
    // A closed channel fires no event, so its end poll goes too.
    m_endTimer.stop();
    if (m_stream)
        m_stream->stop();
    releaseChannel();
    m_playing = false;
    shutdownOutput();
}

void BassPlay::endPoll()
{
    if (m_stream && m_stream->state() == ChannelState::Playing)
        return;
    if (m_stream && m_stream->encoderActive()) {
        m_stream->stopEncoder();
        emit recordingStopped(this);
    }
    releaseChannel();
    m_playing = false;
    m_endTimer.stop();
    emit stopped(this);
}

double BassPlay::position()
{
    return m_stream ? m_stream->position() : 0.0;
}

void BassPlay::seek(double seconds)
{
    if (m_stream)
        m_stream->seek(seconds);
}

void BassPlay::setChannelVolume(int percent)
{
    if (m_stream)
        m_stream->setVolume(std::clamp(percent, 0, 100));
}

QString BassPlay::info()
{
    if (!m_stream)
        return {};
    const ChannelFacts facts = m_stream->facts();
    return channelInfoText(m_stream->filePosition(FilePosition::Total), m_channelSeconds, facts.sampleRate,
                           facts.channels);
}

std::optional<QStringList> BassPlay::tags(TagKind kind)
{
    return m_stream ? m_stream->tags(kind) : std::nullopt;
}

bool BassPlay::startEncoder(const QStringList& argv, std::shared_ptr<EncoderExit> exit)
{
    return m_stream && m_stream->startEncoder(argv, std::move(exit));
}

void BassPlay::stopEncoder()
{
    // Also an encoder that died: it is let go and its exit reported.
    if (m_stream)
        m_stream->stopEncoder();
}

bool BassPlay::encoderActive()
{
    return m_stream && m_stream->encoderActive();
}

void BassPlay::playUrl(bool startOutput, const QString& proxy)
{
    if (startOutput)
        m_library.startOutput();
    if (m_opening == Opening::Prebuffer) {
        // A new address replaces the one still filling its buffer.
        m_passTimer.stop();
        releaseChannel();
        finishOpen(u"error"_s);
    }
    // The slot is held while a worker opens an address, not while its buffer
    // fills.
    if (g_urlSlotBusy) {
        // Answered from the event loop like every other outcome.
        QTimer::singleShot(0, this, [this] { emit streamOpened(this, StreamOpenResult{u"error"_s, {}, {}}); });
        return;
    }
    g_urlSlotBusy = true;

    NetworkOptions options;
    options.proxy = proxy;
    options.agent = streamAgent();

    releaseChannel();
    m_channelSeconds = 0;
    m_channelError = 0;
    m_channelName = m_fileName;
    m_openAbandoned = false;
    m_opening = Opening::Worker;

    auto pending = std::make_shared<PendingOpen>();
    m_pending = pending;
    AudioLibrary* library = &m_library;
    const QString url = m_fileName;
    m_worker = QThread::create([pending, library, url, options] {
        // Nothing may escape the thread; a failure is a failed open.
        try {
            pending->result = library->openUrl(url, options, pending->cancel);
        } catch (...) {
            pending->result = UrlOpen{nullptr, AudioError::Unknown, {}};
        }
    });
    connect(m_worker, &QThread::finished, this, &BassPlay::workerFinished);
    m_worker->start();
}

void BassPlay::workerFinished()
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    g_urlSlotBusy = false;
    UrlOpen result = std::move(m_pending->result);
    m_pending.reset();

    if (m_openAbandoned) {
        finishOpen(u"error"_s);
        return;
    }
    m_stream = std::move(result.stream);
    m_channelError = urlErrorCode(result.error, serverStatusMark(result.statusLine));
    if (!m_stream) {
        finishOpen(urlErrorText(false, m_channelError));
        return;
    }
    m_channelSeconds = float(m_stream->lengthSeconds());
    m_opening = Opening::Prebuffer;
    m_pass = 0;
    prebufferPass();
}

void BassPlay::prebufferPass()
{
    if (m_opening != Opening::Prebuffer)
        return;
    // Emptying the name (the radio's stop) or closing ends the wait.
    if (m_fileName.isEmpty() || m_openAbandoned || !m_stream) {
        releaseChannel();
        finishOpen(u"error"_s);
        return;
    }
    const int fill = prebufferFill(m_stream->filePosition(FilePosition::Total),
                                   m_stream->filePosition(FilePosition::Downloaded),
                                   m_stream->filePosition(FilePosition::Decoded));
    if (fill > kPrebufferEnough) {
        finishPrebuffer();
        return;
    }
    emit statusText(prebufferText(fill));
    if (++m_pass >= m_timing.prebufferPasses) {
        finishPrebuffer(); // plays anyway after the last pass
        return;
    }
    m_passTimer.start();
}

void BassPlay::finishPrebuffer()
{
    m_titleKind = int(TagKind::Metadata);
    QStringList tags;
    QStringList headers;
    if (isWmaUrl(m_channelName)) {
        tags = m_stream->tags(TagKind::Wma).value_or(QStringList());
    } else if (const auto icy = m_stream->tags(TagKind::Icy)) {
        tags = *icy;
    } else if (const auto ogg = m_stream->tags(TagKind::Ogg)) {
        tags = *ogg;
        m_titleKind = int(TagKind::Ogg);
    }
    if (!isWmaUrl(m_channelName))
        headers = m_stream->tags(TagKind::Http).value_or(QStringList());

    // Titles arrive on a library thread; they are handed to the main thread
    // and dropped there if this channel has been released meanwhile.
    const quint64 generation = m_generation;
    m_stream->setMetadataCallback([this, generation](const QString& text) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, text] {
                if (generation == m_generation)
                    emit metadata(text);
            },
            Qt::QueuedConnection);
    });

    startPlay();
    finishOpen(QString(), tags, headers);
}

void BassPlay::startPlay()
{
    m_playing = true;
    if (m_volume != -1)
        setChannelVolume(m_volume);
    // A file that exists but holds no sound has no stream; it ends at the
    // next end poll.
    if (m_stream)
        m_stream->play();
    m_length = m_channelSeconds;
    m_endTimer.start();
}

void BassPlay::finishOpen(const QString& errorText, QStringList tags, QStringList headers)
{
    m_opening = Opening::No;
    m_openAbandoned = false;
    emit streamOpened(this, StreamOpenResult{errorText, std::move(tags), std::move(headers)});
}

void BassPlay::abandonOpen()
{
    if (m_opening == Opening::No)
        return;
    m_openAbandoned = true;
    if (m_pending)
        m_pending->cancel = true;
    // The outcome is still reported from the event loop: the worker's end,
    // or the next pre-buffer pass.
}

} // namespace zorvex
