#include "platform/audio/GstStream.h"

#include "core/media/Mp3Length.h"
#include "core/media/OggLength.h"
#include "core/media/PlaybackRules.h"
#include "platform/audio/PcmEncoder.h"

#include <gst/audio/audio.h>
#include <gst/gst.h>
#include <gst/tag/tag.h>

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace zorvex::gst {

namespace {

// A stream whose buffer is empty and whose sink has had nothing for this
// long is stalled.
constexpr qint64 kStallMs = 500;
// A download of known length up to this size is buffered whole, as its
// pre-buffer counts against the whole file.
constexpr qint64 kWholeDownload = 64 * 1024 * 1024;
constexpr int kDefaultKbps = 128;
constexpr int kPrerollMs = 5000;
constexpr int kPollMs = 10;

qint64 nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QString fromUtf8(const gchar* s)
{
    return s ? QString::fromUtf8(s) : QString();
}

// What the GStreamer threads and the owner's thread share.
struct Shared {
    bool network = false;
    GstElement* queue = nullptr; // the download buffer; not owned
    int bufferMs = 2000;

    std::atomic<bool> eos{false};
    std::atomic<bool> failed{false};
    std::atomic<bool> prerolled{false};
    std::atomic<bool> ogg{false};
    std::atomic<bool> asf{false};
    std::atomic<qint64> bytesIn{0};
    std::atomic<qint64> bytesOut{0};
    std::atomic<qint64> lastAudioMs{0};
    std::atomic<qint64> capacity{0};
    std::atomic<qint64> contentLength{-1};
    // Whether the server takes "Range:" requests; until its answer is in,
    // it is taken to.
    std::atomic<bool> ranges{true};
    std::atomic<int> bitrate{0}; // bits per second, from the stream's tags
    // The pages of a download of known size, as they come in.
    std::mutex oggMutex;
    OggLength oggLength;
    std::atomic<int> rate{0};
    std::atomic<int> channels{0};

    std::mutex mutex; // guards the fields below
    int errorCode = AudioError::None;
    QString statusLine;
    std::optional<QStringList> headers;
    QString title;
    QString metadata;
    QStringList oggComments;
    QStringList wmaTags;

    std::mutex callbackMutex;
    std::function<void(const QString&)> callback;

    // Told once whether a file opened in the background can play.
    std::mutex readyMutex;
    std::function<void(bool)> ready;

    void answerReady(bool ok)
    {
        std::lock_guard lock(readyMutex);
        if (auto r = std::exchange(ready, nullptr))
            r(ok);
    }
    void disarmReady()
    {
        std::lock_guard lock(readyMutex);
        ready = nullptr;
    }

    // The encoder is swapped under its lock and used outside it, so a slow
    // stop never holds up the streaming thread.
    struct Encoding {
        std::shared_ptr<PcmEncoder> encoder;
        std::shared_ptr<EncoderExit> exit;
    };
    std::shared_ptr<PcmEncoder> currentEncoder()
    {
        std::lock_guard lock(encoderMutex);
        return encoding.encoder;
    }
    Encoding exchangeEncoder(Encoding next)
    {
        std::lock_guard lock(encoderMutex);
        return std::exchange(encoding, std::move(next));
    }

private:
    std::mutex encoderMutex;
    Encoding encoding;
};

// An encoder let go finishes its file on a thread of its own, so neither the
// interface thread nor the streaming thread waits for its program.
void retire(Shared::Encoding done)
{
    if (!done.encoder)
        return;
    std::thread([done = std::move(done)]() mutable {
        done.encoder->stop();
        done.encoder.reset();
        if (done.exit)
            done.exit->done = true;
    }).detach();
}

void setCapacity(Shared* s, qint64 bytes)
{
    s->capacity = bytes;
    if (s->queue)
        g_object_set(s->queue, "max-size-bytes", guint(std::min<qint64>(bytes, G_MAXUINT)), nullptr);
}

// The buffer holds bufferMs of the stream at its rate; an unnamed rate is
// taken for a common one.
void setCapacityForRate(Shared* s, int kbps)
{
    setCapacity(s, std::max<qint64>(8192, qint64(s->bufferMs) * (kbps > 0 ? kbps : kDefaultKbps) / 8));
}

int errorCodeOf(const GError* err, guint httpStatus)
{
    if (httpStatus >= 300)
        return AudioError::FileOpen;
    const QString text = fromUtf8(err->message).toLower();
    if (text.contains(u"timed out"_s) || text.contains(u"timeout"_s))
        return AudioError::Timeout;
    if (err->domain == GST_RESOURCE_ERROR)
        return AudioError::FileOpen;
    // Data that is not sound, or sound no installed decoder reads.
    if (err->domain == GST_STREAM_ERROR
        || (err->domain == GST_CORE_ERROR && err->code == GST_CORE_ERROR_MISSING_PLUGIN))
        return AudioError::FileFormat;
    return AudioError::Unknown;
}

void onError(Shared* s, GstMessage* msg)
{
    GError* err = nullptr;
    gchar* debug = nullptr;
    gst_message_parse_error(msg, &err, &debug);
    const GstStructure* details = nullptr;
    gst_message_parse_error_details(msg, &details);
    guint status = 0;
    if (details)
        gst_structure_get_uint(details, "http-status-code", &status);
    {
        std::lock_guard lock(s->mutex);
        // The first error is the cause; those after it follow from it.
        if (!s->failed) {
            s->errorCode = errorCodeOf(err, status);
            if (status > 0)
                s->statusLine = QString::number(status) + u' ' + fromUtf8(err->message);
        }
    }
    s->failed = true;
    g_clear_error(&err);
    g_free(debug);
}

void onHeaders(Shared* s, const GstStructure* message)
{
    guint status = 0;
    gst_structure_get_uint(message, "http-status-code", &status);
    if (status < 200 || status >= 300)
        return; // a redirect, or a refusal the error reports
    const GValue* value = gst_structure_get_value(message, "response-headers");
    if (!value || !GST_VALUE_HOLDS_STRUCTURE(value))
        return;
    const GstStructure* response = gst_value_get_structure(value);

    QStringList lines;
    qint64 length = -1;
    int kbps = 0;
    // A server that does not say it takes ranges is taken not to: many
    // small ones answer a "Range:" request with the whole file.
    bool acceptsRanges = false;
    const int fields = gst_structure_n_fields(response);
    for (int i = 0; i < fields; ++i) {
        const gchar* name = gst_structure_nth_field_name(response, guint(i));
        const GValue* v = gst_structure_get_value(response, name);
        QStringList values;
        if (G_VALUE_HOLDS_STRING(v)) {
            values << fromUtf8(g_value_get_string(v));
        } else if (GST_VALUE_HOLDS_ARRAY(v)) {
            for (guint k = 0; k < gst_value_array_get_size(v); ++k) {
                const GValue* item = gst_value_array_get_value(v, k);
                if (G_VALUE_HOLDS_STRING(item))
                    values << fromUtf8(g_value_get_string(item));
            }
        }
        const QString key = fromUtf8(name);
        for (const QString& one : std::as_const(values)) {
            lines << key + u": "_s + one;
            if (key.compare(u"Content-Length"_s, Qt::CaseInsensitive) == 0)
                length = one.trimmed().toLongLong();
            else if (key.compare(u"Accept-Ranges"_s, Qt::CaseInsensitive) == 0)
                acceptsRanges = one.contains(u"bytes"_s, Qt::CaseInsensitive);
            else if (key.compare(u"icy-br"_s, Qt::CaseInsensitive) == 0)
                kbps = one.section(u',', 0, 0).trimmed().toInt();
        }
    }
    {
        std::lock_guard lock(s->mutex);
        s->headers = lines;
    }
    s->ranges = acceptsRanges;
    // The stream's rate is known only from the server's word.
    s->contentLength = length;
    if (length > 0 && length <= kWholeDownload)
        setCapacity(s, length);
    else
        setCapacityForRate(s, kbps);
}

// Radio programs read Ogg comments with lower-case names ("title="), as
// stream encoders write them.
QStringList vorbisComments(const GstTagList* tags)
{
    QStringList out;
    const int n = gst_tag_list_n_tags(tags);
    for (int i = 0; i < n; ++i) {
        const gchar* tag = gst_tag_list_nth_tag_name(tags, guint(i));
        GList* comments = gst_tag_to_vorbis_comments(tags, tag);
        for (GList* l = comments; l; l = l->next) {
            const QString c = fromUtf8(static_cast<const gchar*>(l->data));
            const qsizetype eq = c.indexOf(u'=');
            out << (eq > 0 ? c.left(eq).toLower() + c.mid(eq) : c);
        }
        g_list_free_full(comments, g_free);
    }
    return out;
}

QStringList wmaTags(const GstTagList* tags)
{
    QStringList out;
    guint bitrate = 0;
    if (gst_tag_list_get_uint(tags, GST_TAG_BITRATE, &bitrate)
        || gst_tag_list_get_uint(tags, GST_TAG_NOMINAL_BITRATE, &bitrate))
        out << u"Bitrate : "_s + QString::number(bitrate);
    gchar* text = nullptr;
    if (gst_tag_list_get_string(tags, GST_TAG_TITLE, &text))
        out << u"Title : "_s + fromUtf8(text);
    g_free(std::exchange(text, nullptr));
    if (gst_tag_list_get_string(tags, GST_TAG_ARTIST, &text))
        out << u"Author : "_s + fromUtf8(text);
    g_free(text);
    return out;
}

void onTags(Shared* s, GstMessage* msg)
{
    GstTagList* tags = nullptr;
    gst_message_parse_tag(msg, &tags);
    guint bitrate = 0;
    if ((gst_tag_list_get_uint(tags, GST_TAG_NOMINAL_BITRATE, &bitrate)
         || gst_tag_list_get_uint(tags, GST_TAG_BITRATE, &bitrate))
        && bitrate > 0 && bitrate < guint(std::numeric_limits<int>::max()))
        s->bitrate = int(bitrate);
    gchar* raw = nullptr;
    const QString title = gst_tag_list_get_string(tags, GST_TAG_TITLE, &raw) ? fromUtf8(raw) : QString();
    g_free(raw);

    QString metadata;
    {
        std::lock_guard lock(s->mutex);
        if (s->ogg) {
            const QStringList comments = vorbisComments(tags);
            if (!comments.isEmpty())
                s->oggComments = comments;
        }
        if (s->asf) {
            const QStringList wma = wmaTags(tags);
            if (!wma.isEmpty())
                s->wmaTags = wma;
        }
        // A stream's title comes again with every tag update downstream;
        // only a new one is news.
        if (s->network && !title.isEmpty() && title != s->title) {
            s->title = title;
            s->metadata = s->ogg || s->asf ? QString(u"title="_s + title) : QString(u"StreamTitle='"_s + title + u"';"_s);
            metadata = s->metadata;
        }
    }
    gst_tag_list_unref(tags);
    if (!metadata.isEmpty()) {
        std::lock_guard lock(s->callbackMutex);
        if (s->callback)
            s->callback(metadata);
    }
}

// Every message is handled on the thread that posts it, so nothing waits
// for a main loop; the owner reads the results from Shared.
GstBusSyncReply onMessage(GstBus*, GstMessage* msg, gpointer data)
{
    auto* s = static_cast<Shared*>(data);
    switch (GST_MESSAGE_TYPE(msg)) {
    case GST_MESSAGE_EOS:
        s->eos = true;
        break;
    case GST_MESSAGE_ERROR:
        onError(s, msg);
        s->answerReady(false);
        break;
    case GST_MESSAGE_ASYNC_DONE:
        s->prerolled = true;
        s->answerReady(!s->failed);
        break;
    case GST_MESSAGE_TAG:
        onTags(s, msg);
        break;
    case GST_MESSAGE_ELEMENT:
        if (const GstStructure* st = gst_message_get_structure(msg); st && gst_structure_has_name(st, "http-headers"))
            onHeaders(s, st);
        break;
    default:
        break;
    }
    return GST_BUS_DROP;
}

void onElementAdded(GstBin*, GstBin*, GstElement* element, gpointer data)
{
    auto* s = static_cast<Shared*>(data);
    GstElementFactory* factory = gst_element_get_factory(element);
    if (!factory)
        return;
    const gchar* name = gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory));
    if (g_str_equal(name, "oggdemux"))
        s->ogg = true;
    else if (g_str_equal(name, "asfdemux"))
        s->asf = true;
}

void onPadAdded(GstElement*, GstPad* pad, gpointer data)
{
    GstCaps* caps = gst_pad_get_current_caps(pad);
    if (!caps)
        caps = gst_pad_query_caps(pad, nullptr);
    bool audio = false;
    if (caps && gst_caps_get_size(caps) > 0)
        audio = g_str_has_prefix(gst_structure_get_name(gst_caps_get_structure(caps, 0)), "audio/");
    if (caps)
        gst_caps_unref(caps);
    if (!audio)
        return;
    GstPad* sink = gst_element_get_static_pad(static_cast<GstElement*>(data), "sink");
    if (!gst_pad_is_linked(sink))
        gst_pad_link(pad, sink);
    gst_object_unref(sink);
}

qint64 bufferBytes(GstPadProbeInfo* info)
{
    if (GstBuffer* b = GST_PAD_PROBE_INFO_BUFFER(info); b && (info->type & GST_PAD_PROBE_TYPE_BUFFER))
        return qint64(gst_buffer_get_size(b));
    if (info->type & GST_PAD_PROBE_TYPE_BUFFER_LIST)
        return qint64(gst_buffer_list_calculate_size(GST_PAD_PROBE_INFO_BUFFER_LIST(info)));
    return 0;
}

// While the pipeline waits paused for the pre-buffer, the buffer's output is
// blocked; a serialized query from the source would wait behind it for ever
// and stop the download. The source needs no allocator from downstream, so
// the query is answered "none" at once.
GstPadProbeReturn skipAllocation(GstPad*, GstPadProbeInfo* info, gpointer)
{
    GstQuery* query = GST_PAD_PROBE_INFO_QUERY(info);
    return query && GST_QUERY_TYPE(query) == GST_QUERY_ALLOCATION ? GST_PAD_PROBE_DROP : GST_PAD_PROBE_OK;
}

// A server without ranges cannot send a part of the file, and asking it for
// one ends the download (a demuxer looks for the length at the end of an Ogg
// file that way). Where it cannot seek, it is told so, and its seeks go no
// further.
GstPadProbeReturn withoutRanges(GstPad*, GstPadProbeInfo* info, gpointer data)
{
    auto* s = static_cast<Shared*>(data);
    if (s->ranges)
        return GST_PAD_PROBE_OK;
    if (info->type & GST_PAD_PROBE_TYPE_QUERY_UPSTREAM) {
        GstQuery* query = GST_PAD_PROBE_INFO_QUERY(info);
        if (!query || GST_QUERY_TYPE(query) != GST_QUERY_SEEKING)
            return GST_PAD_PROBE_OK;
        GstFormat format = GST_FORMAT_UNDEFINED;
        gst_query_parse_seeking(query, &format, nullptr, nullptr, nullptr);
        gst_query_set_seeking(query, format, FALSE, 0, -1);
        return GST_PAD_PROBE_HANDLED;
    }
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    return event && GST_EVENT_TYPE(event) == GST_EVENT_SEEK ? GST_PAD_PROBE_DROP : GST_PAD_PROBE_OK;
}

void feedOggLength(Shared* s, GstBuffer* buffer)
{
    GstMapInfo map;
    if (!gst_buffer_map(buffer, &map, GST_MAP_READ))
        return;
    {
        std::lock_guard lock(s->oggMutex);
        s->oggLength.feed(QByteArrayView(reinterpret_cast<const char*>(map.data), qsizetype(map.size)));
    }
    gst_buffer_unmap(buffer, &map);
}

// An Ogg file tells its length only on its last page, which a download that
// cannot seek reaches last: the pages are followed as they arrive.
GstPadProbeReturn followOggPages(GstPad*, GstPadProbeInfo* info, gpointer data)
{
    auto* s = static_cast<Shared*>(data);
    if (s->contentLength <= 0)
        return GST_PAD_PROBE_OK; // a radio, which has no length
    if (info->type & GST_PAD_PROBE_TYPE_BUFFER) {
        if (GstBuffer* b = GST_PAD_PROBE_INFO_BUFFER(info))
            feedOggLength(s, b);
    } else if (info->type & GST_PAD_PROBE_TYPE_BUFFER_LIST) {
        GstBufferList* list = GST_PAD_PROBE_INFO_BUFFER_LIST(info);
        for (guint i = 0; i < gst_buffer_list_length(list); ++i)
            feedOggLength(s, gst_buffer_list_get(list, i));
    }
    return GST_PAD_PROBE_OK;
}

GstPadProbeReturn countBytes(GstPad*, GstPadProbeInfo* info, gpointer counter)
{
    static_cast<std::atomic<qint64>*>(counter)->fetch_add(bufferBytes(info));
    return GST_PAD_PROBE_OK;
}

// The decoded sound, 16-bit PCM, before the volume: its format, the sign of
// life a stall is measured by, and the encoder's input.
GstPadProbeReturn onPcm(GstPad*, GstPadProbeInfo* info, gpointer data)
{
    auto* s = static_cast<Shared*>(data);
    if (info->type & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM) {
        GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) == GST_EVENT_CAPS) {
            GstCaps* caps = nullptr;
            gst_event_parse_caps(event, &caps);
            GstAudioInfo ai;
            if (caps && gst_audio_info_from_caps(&ai, caps)) {
                s->rate = GST_AUDIO_INFO_RATE(&ai);
                s->channels = GST_AUDIO_INFO_CHANNELS(&ai);
            }
        }
        return GST_PAD_PROBE_OK;
    }
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    if (!buffer)
        return GST_PAD_PROBE_OK;
    s->lastAudioMs = nowMs();
    if (const std::shared_ptr<PcmEncoder> encoder = s->currentEncoder()) {
        GstMapInfo map;
        if (gst_buffer_map(buffer, &map, GST_MAP_READ)) {
            encoder->push(reinterpret_cast<const char*>(map.data), qsizetype(map.size), s->rate, s->channels);
            gst_buffer_unmap(buffer, &map);
        }
    }
    return GST_PAD_PROBE_OK;
}

void keepTime(GstElement* element)
{
    GstElementFactory* factory = gst_element_get_factory(element);
    if (factory && g_str_equal(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)), "fakesink"))
        g_object_set(element, "sync", TRUE, nullptr);
}

// The sink named by ZORVEX_AUDIO_SINK, else the desktop's default. A fake
// sink is made to keep time, or every sound would end at once.
GstElement* makeSink()
{
    QByteArray description = qgetenv("ZORVEX_AUDIO_SINK").trimmed();
    if (description.isEmpty())
        description = "autoaudiosink";
    GstElement* sink = nullptr;
    if (description.contains(' ') || description.contains('=') || description.contains('!')) {
        GError* err = nullptr;
        sink = gst_parse_bin_from_description(description.constData(), TRUE, &err);
        g_clear_error(&err);
        if (sink) {
            GstIterator* it = gst_bin_iterate_recurse(GST_BIN(sink));
            GValue item = G_VALUE_INIT;
            while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
                keepTime(GST_ELEMENT(g_value_get_object(&item)));
                g_value_reset(&item);
            }
            g_value_unset(&item);
            gst_iterator_free(it);
        }
    } else {
        sink = gst_element_factory_make(description.constData(), nullptr);
        if (sink)
            keepTime(sink);
    }
    if (!sink)
        sink = gst_element_factory_make("autoaudiosink", nullptr);
    return sink;
}

bool isMpegName(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"mp3"_s || suffix == u"mp2"_s || suffix == u"mp1"_s || suffix == u"mpga"_s;
}

class GstStream final : public AudioStream {
public:
    explicit GstStream(bool network)
        : m_shared(std::make_unique<Shared>())
    {
        m_shared->network = network;
    }

    ~GstStream() override
    {
        // No answer may reach an owner that is going away.
        m_shared->disarmReady();
        stopEncoder();
        {
            std::lock_guard lock(m_shared->callbackMutex);
            m_shared->callback = nullptr;
        }
        if (m_pipeline) {
            gst_element_set_state(m_pipeline, GST_STATE_NULL);
            GstBus* bus = gst_element_get_bus(m_pipeline);
            gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
            gst_object_unref(bus);
            gst_object_unref(m_pipeline);
        }
    }

    GstStream(const GstStream&) = delete;
    GstStream& operator=(const GstStream&) = delete;

    // A file is only looked at here; its pipeline is built when it is first
    // played, sought or asked about, so reading lengths stays cheap.
    bool openFile(const QString& path)
    {
        m_path = path;
        m_fileSize = QFileInfo(path).size();
        if (isMpegName(path)) {
            m_mp3 = readMp3Facts(path);
            if (m_mp3) {
                m_length = m_mp3->seconds;
                return true;
            }
        }
        if (!ensurePipeline() || !preroll())
            return false;
        gint64 duration = 0;
        if (gst_element_query_duration(m_pipeline, GST_FORMAT_TIME, &duration) && duration > 0)
            m_length = double(duration) / GST_SECOND;
        // Until it plays it holds no output.
        gst_element_set_state(m_pipeline, GST_STATE_READY);
        m_shared->prerolled = false;
        return true;
    }

    // Starts the preroll and returns at once; the bus tells `ready` whether
    // the file decodes. False when no pipeline could be built.
    bool beginOpenFile(const QString& path, std::function<void(bool)> ready)
    {
        m_path = path;
        m_fileSize = QFileInfo(path).size();
        if (isMpegName(path)) {
            m_mp3 = readMp3Facts(path);
            if (m_mp3)
                m_length = m_mp3->seconds;
        }
        if (!ensurePipeline())
            return false;
        {
            std::lock_guard lock(m_shared->readyMutex);
            m_shared->ready = std::move(ready);
        }
        switch (gst_element_set_state(m_pipeline, GST_STATE_PAUSED)) {
        case GST_STATE_CHANGE_FAILURE:
            m_shared->failed = true;
            m_shared->answerReady(false);
            break;
        case GST_STATE_CHANGE_ASYNC:
            break; // the bus answers
        default:
            m_shared->prerolled = true;
            m_shared->answerReady(!m_shared->failed);
            break;
        }
        return true;
    }

    // Builds the pipeline of an address; `error` tells why it could not.
    bool buildNet(const QString& url, const NetworkOptions& options, int* error)
    {
        m_shared->bufferMs = options.bufferMs;
        const QUrl u(url, QUrl::StrictMode);
        const QString scheme = u.scheme().toLower();
        GstElement* source = nullptr;
        if (!u.isValid() || scheme.isEmpty() || u.host().isEmpty()) {
            *error = AudioError::BadUrl;
            return false;
        }
        if (scheme == u"http"_s || scheme == u"https"_s) {
            source = gst_element_factory_make("souphttpsrc", nullptr);
            if (!source) {
                *error = AudioError::Unknown;
                return false;
            }
            const QByteArray location = u.toEncoded();
            // Our own deadline reports the time-out; the source's is a
            // little later so that it does not race it with another error.
            g_object_set(source, "location", location.constData(), "iradio-mode", TRUE, "automatic-redirect", TRUE,
                         "retries", 0, "timeout", guint((options.timeoutMs + 999) / 1000 + 2), nullptr);
            if (!options.agent.isEmpty())
                g_object_set(source, "user-agent", options.agent.toUtf8().constData(), nullptr);
            const ProxyParts proxy = splitProxyText(options.proxy);
            if (!proxy.host.isEmpty()) {
                QString address = u"http://"_s + proxy.host;
                if (proxy.port > 0)
                    address += u':' + QString::number(proxy.port);
                g_object_set(source, "proxy", address.toUtf8().constData(), nullptr);
                if (!proxy.user.isEmpty())
                    g_object_set(source, "proxy-id", proxy.user.toUtf8().constData(), "proxy-pw",
                                 proxy.password.toUtf8().constData(), nullptr);
            }
        } else {
            source = gst_element_make_from_uri(GST_URI_SRC, u.toEncoded().constData(), nullptr, nullptr);
            if (!source) {
                *error = AudioError::BadUrl;
                return false;
            }
        }
        if (!buildPipeline(source)) {
            *error = AudioError::Unknown;
            return false;
        }
        return true;
    }

    // Waits in the worker thread for the pre-buffer, a failure, the
    // time-out or the cancel; the error code, with the server's status line
    // when it refused.
    int waitOpen(const NetworkOptions& options, const std::atomic<bool>& cancel, QString* statusLine)
    {
        Shared* s = m_shared.get();
        if (gst_element_set_state(m_pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE && !s->failed)
            return AudioError::FileOpen;
        const qint64 deadline = nowMs() + options.timeoutMs;
        for (;;) {
            if (cancel)
                return AudioError::Unknown;
            if (s->failed) {
                std::lock_guard lock(s->mutex);
                *statusLine = s->statusLine;
                return s->errorCode;
            }
            if (s->prerolled) {
                const qint64 level = s->bytesIn - s->bytesOut;
                const qint64 length = s->contentLength;
                const bool whole = length > 0 && s->bytesIn >= length;
                if (whole || level * 100 >= s->capacity * options.preBufferPercent)
                    return opened();
            }
            if (nowMs() >= deadline) {
                // Data that came late still plays; a silent server does not.
                return s->prerolled ? opened() : AudioError::Timeout;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        }
    }

    // A download of known size (a file, not a radio) has a length: that of
    // its Ogg pages, else the decoder's, else its size over its bitrate.
    int opened()
    {
        const qint64 bytes = m_shared->contentLength;
        if (bytes <= 0)
            return AudioError::None;
        {
            std::lock_guard lock(m_shared->oggMutex);
            m_length = m_shared->oggLength.seconds(bytes);
        }
        if (m_length > 0)
            return AudioError::None;
        gint64 duration = 0;
        if (gst_element_query_duration(m_pipeline, GST_FORMAT_TIME, &duration) && duration > 0)
            m_length = double(duration) / GST_SECOND;
        else if (m_shared->bitrate > 0)
            m_length = double(bytes) * 8 / m_shared->bitrate;
        return AudioError::None;
    }

    double lengthSeconds() const override
    {
        // A file opened in the background learns its length once prerolled.
        if (m_length <= 0 && m_pipeline && !m_shared->network && m_shared->prerolled) {
            gint64 duration = 0;
            if (gst_element_query_duration(m_pipeline, GST_FORMAT_TIME, &duration) && duration > 0)
                m_length = double(duration) / GST_SECOND;
        }
        return m_length;
    }

    bool play() override
    {
        if (m_shared->failed || !ensurePipeline())
            return false;
        if (m_shared->eos) {
            // Ended: play again from the start.
            gst_element_set_state(m_pipeline, GST_STATE_READY);
            m_shared->eos = false;
            m_shared->prerolled = false;
        }
        if (gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
            m_shared->failed = true;
            return false;
        }
        m_target = ChannelState::Playing;
        m_playStartMs = nowMs();
        return true;
    }

    void pause() override
    {
        if (m_target != ChannelState::Playing || !m_pipeline)
            return;
        gst_element_set_state(m_pipeline, GST_STATE_PAUSED);
        m_target = ChannelState::Paused;
    }

    void stop() override
    {
        if (m_pipeline) {
            gst_element_set_state(m_pipeline, GST_STATE_READY);
            m_shared->prerolled = false;
            m_shared->eos = false;
        }
        m_target = ChannelState::Stopped;
    }

    ChannelState state() override
    {
        if (m_shared->failed || m_shared->eos)
            return ChannelState::Stopped;
        if (m_target == ChannelState::Playing && stalled())
            return ChannelState::Stalled;
        return m_target;
    }

    double position() override
    {
        if (!m_pipeline)
            return 0;
        gint64 pos = 0;
        if (!gst_element_query_position(m_pipeline, GST_FORMAT_TIME, &pos) || pos < 0)
            return 0;
        return double(pos) / GST_SECOND;
    }

    bool seek(double seconds) override
    {
        if (m_shared->failed || !ensurePipeline())
            return false;
        GstState current = GST_STATE_NULL;
        GstState pending = GST_STATE_VOID_PENDING;
        gst_element_get_state(m_pipeline, &current, &pending, 0);
        if (current < GST_STATE_PAUSED && pending == GST_STATE_VOID_PENDING && !preroll())
            return false;
        m_shared->eos = false;
        const auto at = gint64(std::max(0.0, seconds) * GST_SECOND);
        if (!gst_element_seek_simple(m_pipeline, GST_FORMAT_TIME,
                                     GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), at))
            return false;
        // The position reads back at once, as callers expect.
        if (m_target != ChannelState::Playing)
            gst_element_get_state(m_pipeline, nullptr, nullptr, 2 * GST_SECOND);
        return true;
    }

    int volume() const override { return m_volumeLevel; }

    void setVolume(int percent) override
    {
        m_volumeLevel = std::clamp(percent, 0, 100);
        if (m_volume)
            g_object_set(m_volume, "volume", m_volumeLevel / 100.0, nullptr);
    }

    ChannelFacts facts() override
    {
        ChannelFacts f{m_shared->rate, m_shared->channels};
        if (f.sampleRate == 0 && m_mp3)
            f = ChannelFacts{m_mp3->sampleRate, m_mp3->channels};
        return f;
    }

    qint64 filePosition(FilePosition which) override
    {
        const Shared& s = *m_shared;
        if (!s.network)
            return which == FilePosition::Decoded ? playedBytes(m_fileSize) : m_fileSize;
        const qint64 length = s.contentLength;
        const bool whole = length > 0 && length <= kWholeDownload;
        switch (which) {
        case FilePosition::Decoded:
            // A file held whole is where play has got to in it, as for a file
            // on disk: what the decoder has taken in but not played yet still
            // counts as buffered, which matters for a short file.
            return whole && m_length > 0 ? playedBytes(length) : s.bytesOut.load();
        case FilePosition::Downloaded:
            return s.bytesIn;
        case FilePosition::Total:
            return whole ? length : s.capacity.load();
        }
        return -1;
    }

    std::optional<QStringList> tags(TagKind kind) override
    {
        Shared& s = *m_shared;
        std::lock_guard lock(s.mutex);
        switch (kind) {
        case TagKind::Ogg:
            if (s.ogg && !s.oggComments.isEmpty())
                return s.oggComments;
            break;
        case TagKind::Http:
            if (s.network && s.headers)
                return s.headers;
            break;
        case TagKind::Icy:
            // The ICY names of a stream; Ogg streams carry their titles in
            // comments instead, so their headers do not count here.
            if (s.network && s.headers && !s.ogg) {
                for (const QString& h : std::as_const(*s.headers))
                    if (h.startsWith(u"icy-"_s, Qt::CaseInsensitive))
                        return s.headers;
            }
            break;
        case TagKind::Metadata:
            if (!s.metadata.isEmpty())
                return QStringList{s.metadata};
            break;
        case TagKind::Wma:
            if (s.asf && !s.wmaTags.isEmpty())
                return s.wmaTags;
            break;
        }
        return std::nullopt;
    }

    void setMetadataCallback(std::function<void(const QString&)> callback) override
    {
        std::lock_guard lock(m_shared->callbackMutex);
        m_shared->callback = std::move(callback);
    }

    bool startEncoder(const QStringList& argv, std::shared_ptr<EncoderExit> exit) override
    {
        auto encoder = std::make_shared<PcmEncoder>();
        if (argv.isEmpty() || !encoder->start(argv)) {
            if (exit)
                exit->done = true;
            return false;
        }
        retire(m_shared->exchangeEncoder({std::move(encoder), std::move(exit)}));
        return true;
    }

    bool encoderActive() override
    {
        const auto encoder = m_shared->currentEncoder();
        return encoder && encoder->active();
    }

    void stopEncoder() override
    {
        retire(m_shared->exchangeEncoder({}));
    }

private:
    // The bytes of a file of `size` that lie before the play position.
    qint64 playedBytes(qint64 size)
    {
        return m_length > 0 ? qint64(double(size) * std::min(1.0, position() / m_length)) : 0;
    }

    bool stalled() const
    {
        const Shared& s = *m_shared;
        if (!s.network || s.bytesIn > s.bytesOut)
            return false;
        return nowMs() - std::max<qint64>(s.lastAudioMs, m_playStartMs) > kStallMs;
    }

    bool ensurePipeline()
    {
        if (m_pipeline)
            return true;
        if (m_shared->network)
            return false;
        GstElement* source = gst_element_factory_make("filesrc", nullptr);
        if (!source)
            return false;
        g_object_set(source, "location", QFile::encodeName(m_path).constData(), nullptr);
        return buildPipeline(source);
    }

    bool preroll()
    {
        if (gst_element_set_state(m_pipeline, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE)
            return false;
        const GstStateChangeReturn r = gst_element_get_state(m_pipeline, nullptr, nullptr, kPrerollMs * GST_MSECOND);
        return !m_shared->failed && (r == GST_STATE_CHANGE_SUCCESS || r == GST_STATE_CHANGE_NO_PREROLL);
    }

    // source → [download buffer] → decodebin → audioconvert → S16 caps
    // → volume → audioconvert → audioresample → sink
    bool buildPipeline(GstElement* source)
    {
        Shared* s = m_shared.get();
        m_pipeline = gst_pipeline_new(nullptr);
        GstBus* bus = gst_element_get_bus(m_pipeline);
        gst_bus_set_sync_handler(bus, onMessage, s, nullptr);
        gst_object_unref(bus);
        g_signal_connect(m_pipeline, "deep-element-added", G_CALLBACK(onElementAdded), s);

        GstElement* decoder = gst_element_factory_make("decodebin", nullptr);
        GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
        GstElement* filter = gst_element_factory_make("capsfilter", nullptr);
        m_volume = gst_element_factory_make("volume", nullptr);
        GstElement* convert2 = gst_element_factory_make("audioconvert", nullptr);
        GstElement* resample = gst_element_factory_make("audioresample", nullptr);
        GstElement* sink = makeSink();
        GstElement* queue = s->network ? gst_element_factory_make("queue", nullptr) : nullptr;

        gst_bin_add(GST_BIN(m_pipeline), source);
        bool ok = decoder && convert && filter && m_volume && convert2 && resample && sink
            && (!s->network || queue);
        for (GstElement* e : {decoder, convert, filter, m_volume, convert2, resample, sink, queue})
            if (e)
                gst_bin_add(GST_BIN(m_pipeline), e);
        if (!ok) {
            s->failed = true;
            return false;
        }

        GstCaps* caps = gst_caps_from_string("audio/x-raw,format=S16LE,layout=interleaved");
        g_object_set(filter, "caps", caps, nullptr);
        gst_caps_unref(caps);
        g_object_set(m_volume, "volume", m_volumeLevel / 100.0, nullptr);

        if (queue) {
            s->queue = queue;
            g_object_set(queue, "max-size-buffers", 0u, "max-size-time", guint64(0), nullptr);
            setCapacityForRate(s, kDefaultKbps);
            // Sound waiting past the decoder does not count as buffered, so
            // the decoder may hold only a little of it.
            g_object_set(decoder, "max-size-bytes", 16u * 1024u, "max-size-buffers", 4u, nullptr);
            ok = gst_element_link_many(source, queue, decoder, nullptr);
            GstPad* in = gst_element_get_static_pad(queue, "sink");
            GstPad* out = gst_element_get_static_pad(queue, "src");
            const auto data = GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST);
            gst_pad_add_probe(in, data, countBytes, &s->bytesIn, nullptr);
            gst_pad_add_probe(in, data, followOggPages, s, nullptr);
            gst_pad_add_probe(in, GST_PAD_PROBE_TYPE_QUERY_DOWNSTREAM, skipAllocation, nullptr, nullptr);
            const auto upstream = GstPadProbeType(GST_PAD_PROBE_TYPE_QUERY_UPSTREAM | GST_PAD_PROBE_TYPE_EVENT_UPSTREAM);
            gst_pad_add_probe(in, upstream, withoutRanges, s, nullptr);
            gst_pad_add_probe(out, data, countBytes, &s->bytesOut, nullptr);
            gst_object_unref(in);
            gst_object_unref(out);
        } else {
            ok = gst_element_link(source, decoder);
        }
        ok = ok && gst_element_link_many(convert, filter, m_volume, convert2, resample, sink, nullptr);
        g_signal_connect(decoder, "pad-added", G_CALLBACK(onPadAdded), convert);

        GstPad* pcm = gst_element_get_static_pad(filter, "src");
        gst_pad_add_probe(pcm, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM), onPcm,
                          s, nullptr);
        gst_object_unref(pcm);
        if (!ok)
            s->failed = true;
        return ok;
    }

    std::unique_ptr<Shared> m_shared;
    GstElement* m_pipeline = nullptr;
    GstElement* m_volume = nullptr; // owned by the pipeline
    QString m_path;
    qint64 m_fileSize = 0;
    std::optional<Mp3Facts> m_mp3;
    mutable double m_length = 0;
    int m_volumeLevel = 100;
    ChannelState m_target = ChannelState::Stopped;
    qint64 m_playStartMs = 0;
};

} // namespace

bool init(QString* why)
{
    static std::once_flag once;
    static bool ok = false;
    static QString reason;
    std::call_once(once, [] {
        // Radio titles without a declared code page are most often
        // Windows-1250 here; valid UTF-8 is still taken as UTF-8.
        if (qEnvironmentVariableIsEmpty("GST_ICY_TAG_ENCODING"))
            qputenv("GST_ICY_TAG_ENCODING", "WINDOWS-1250");
        GError* err = nullptr;
        ok = gst_init_check(nullptr, nullptr, &err);
        if (!ok)
            reason = err ? fromUtf8(err->message) : u"GStreamer"_s;
        g_clear_error(&err);
    });
    if (!ok && why)
        *why = reason;
    return ok;
}

std::unique_ptr<AudioStream> openFileStream(const QString& path)
{
    if (!init(nullptr) || !QFileInfo(path).isFile())
        return nullptr;
    auto stream = std::make_unique<GstStream>(false);
    if (!stream->openFile(path))
        return nullptr;
    return stream;
}

std::unique_ptr<AudioStream> openFileStreamAsync(const QString& path, std::function<void(bool)> ready)
{
    if (!init(nullptr) || !QFileInfo(path).isFile())
        return nullptr;
    auto stream = std::make_unique<GstStream>(false);
    if (!stream->beginOpenFile(path, std::move(ready)))
        return nullptr;
    return stream;
}

UrlOpen openNetStream(const QString& url, const NetworkOptions& options, const std::atomic<bool>& cancel)
{
    if (!init(nullptr))
        return {nullptr, AudioError::Unknown, {}};
    auto stream = std::make_unique<GstStream>(true);
    int error = AudioError::None;
    if (!stream->buildNet(url, options, &error))
        return {nullptr, error, {}};
    QString statusLine;
    error = stream->waitOpen(options, cancel, &statusLine);
    if (error != AudioError::None)
        return {nullptr, error, statusLine};
    return {std::move(stream), AudioError::None, {}};
}

} // namespace zorvex::gst
