#include "platform/audio/PulseMasterVolume.h"

#include <pulse/pulseaudio.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>

namespace zorvex {

namespace {

// Long enough for a local server, short enough that a hung one does not
// freeze the caller noticeably.
constexpr auto kTimeout = std::chrono::milliseconds(500);

// One short connection to the server, run on the caller's thread.
class Session {
public:
    Session()
        : m_loop(pa_mainloop_new())
    {
        if (m_loop)
            m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Zorvex");
    }
    ~Session()
    {
        if (m_context) {
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
        if (m_loop)
            pa_mainloop_free(m_loop);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool connect()
    {
        m_deadline = std::chrono::steady_clock::now() + kTimeout;
        if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return false;
        runUntil([this] {
            const pa_context_state_t s = pa_context_get_state(m_context);
            return s == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(s);
        });
        return pa_context_get_state(m_context) == PA_CONTEXT_READY;
    }

    pa_context* context() const { return m_context; }

    // Runs the operation to its end; false on time-out or failure.
    bool wait(pa_operation* op)
    {
        if (!op)
            return false;
        const bool done = runUntil([op] { return pa_operation_get_state(op) != PA_OPERATION_RUNNING; });
        if (!done)
            pa_operation_cancel(op);
        const bool ok = done && pa_operation_get_state(op) == PA_OPERATION_DONE;
        pa_operation_unref(op);
        return ok;
    }

private:
    template <class Done>
    bool runUntil(Done done)
    {
        while (!done()) {
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
                m_deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            if (pa_mainloop_prepare(m_loop, int(left.count())) < 0 || pa_mainloop_poll(m_loop) < 0
                || pa_mainloop_dispatch(m_loop) < 0)
                return false;
        }
        return true;
    }

    pa_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    std::chrono::steady_clock::time_point m_deadline;
};

struct SinkVolume {
    bool found = false;
    pa_cvolume volume{};
};

std::string defaultSink(Session& session)
{
    std::string name;
    pa_operation* op = pa_context_get_server_info(
        session.context(),
        [](pa_context*, const pa_server_info* info, void* data) {
            if (info && info->default_sink_name)
                *static_cast<std::string*>(data) = info->default_sink_name;
        },
        &name);
    return session.wait(op) ? name : std::string();
}

SinkVolume sinkVolume(Session& session, const std::string& sink)
{
    SinkVolume result;
    pa_operation* op = pa_context_get_sink_info_by_name(
        session.context(), sink.c_str(),
        [](pa_context*, const pa_sink_info* info, int eol, void* data) {
            if (eol == 0 && info) {
                auto* r = static_cast<SinkVolume*>(data);
                r->found = true;
                r->volume = info->volume;
            }
        },
        &result);
    if (!session.wait(op))
        result.found = false;
    return result;
}

struct DefaultSink {
    std::string name;
    pa_cvolume volume{};
};

// Connects and finds the default sink with its volume; empty when the server
// does not answer, names no sink or gives no valid volume for it.
std::optional<DefaultSink> connectToDefaultSink(Session& session)
{
    if (!session.connect())
        return std::nullopt;
    std::string name = defaultSink(session);
    if (name.empty())
        return std::nullopt;
    const SinkVolume v = sinkVolume(session, name);
    if (!v.found || !pa_cvolume_valid(&v.volume))
        return std::nullopt;
    return DefaultSink{std::move(name), v.volume};
}

} // namespace

std::optional<int> PulseMasterVolume::volume()
{
    Session session;
    const auto sink = connectToDefaultSink(session);
    if (!sink)
        return std::nullopt;
    const double level = double(pa_cvolume_avg(&sink->volume)) * 100.0 / double(PA_VOLUME_NORM);
    // The server allows boosting above 100 %; the program's scale ends there.
    return std::clamp(int(std::lround(level)), 0, 100);
}

bool PulseMasterVolume::setVolume(int percent)
{
    Session session;
    auto sink = connectToDefaultSink(session);
    if (!sink)
        return false;
    const auto level = pa_volume_t(std::lround(double(std::clamp(percent, 0, 100)) * PA_VOLUME_NORM / 100.0));
    pa_cvolume_set(&sink->volume, sink->volume.channels, level);
    bool ok = false;
    pa_operation* op = pa_context_set_sink_volume_by_name(
        session.context(), sink->name.c_str(), &sink->volume,
        [](pa_context*, int success, void* data) { *static_cast<bool*>(data) = success != 0; }, &ok);
    return session.wait(op) && ok;
}

} // namespace zorvex
