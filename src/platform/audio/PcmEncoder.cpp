#include "platform/audio/PcmEncoder.h"

#include <glib.h>

#include <QtEndian>

#include <chrono>
#include <vector>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zorvex {

namespace {

// About three minutes of CD sound; beyond that the encoder has stopped
// reading and more sound is dropped rather than held.
constexpr qsizetype kMaxQueued = 32 * 1024 * 1024;

QByteArray wavHeader(int sampleRate, int channels)
{
    // The length is unknown while recording; all-ones tells the encoder to
    // read until the input ends.
    constexpr quint32 kUnknown = 0xFFFFFFFFu;
    const quint16 blockAlign = quint16(channels * 2);
    QByteArray h;
    h.reserve(44);
    const auto u32 = [&h](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        h.append(b, 4);
    };
    const auto u16 = [&h](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        h.append(b, 2);
    };
    h.append("RIFF", 4);
    u32(kUnknown);
    h.append("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(quint16(channels));
    u32(quint32(sampleRate));
    u32(quint32(sampleRate) * blockAlign);
    u16(blockAlign);
    u16(16);
    h.append("data", 4);
    u32(kUnknown);
    return h;
}

} // namespace

PcmEncoder::~PcmEncoder()
{
    stop();
}

bool PcmEncoder::start(const QStringList& argv)
{
    if (argv.isEmpty() || m_pid > 0)
        return false;
    std::vector<QByteArray> encoded;
    std::vector<char*> args;
    for (const QString& a : argv)
        encoded.push_back(a.toLocal8Bit());
    for (QByteArray& a : encoded)
        args.push_back(a.data());
    args.push_back(nullptr);

    GPid pid = 0;
    gint input = -1;
    GError* error = nullptr;
    const auto flags = GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDOUT_TO_DEV_NULL
                                   | G_SPAWN_STDERR_TO_DEV_NULL);
    if (!g_spawn_async_with_pipes(nullptr, args.data(), nullptr, flags, nullptr, nullptr, &pid, &input, nullptr,
                                  nullptr, &error)) {
        g_clear_error(&error);
        return false;
    }
    // Another child started later must not hold the input open, or the
    // encoder would never see its end.
    fcntl(input, F_SETFD, FD_CLOEXEC);
    fcntl(input, F_SETFL, fcntl(input, F_GETFL) | O_NONBLOCK);
    m_pid = pid;
    m_fd = input;
    m_closing = false;
    m_headerDone = false;
    m_writerDone = false;
    m_abort = false;
    m_broken = false;
    m_queue.clear();
    m_queued = 0;
    m_writer = std::thread(&PcmEncoder::writeLoop, this);
    return true;
}

void PcmEncoder::push(const char* data, qsizetype size, int sampleRate, int channels)
{
    if (size <= 0 || m_broken)
        return;
    std::lock_guard lock(m_mutex);
    if (m_pid <= 0 || m_closing || m_queued > kMaxQueued)
        return;
    if (!m_headerDone) {
        if (sampleRate <= 0 || channels <= 0)
            return;
        QByteArray header = wavHeader(sampleRate, channels);
        m_queued += header.size();
        m_queue.push_back(std::move(header));
        m_headerDone = true;
    }
    m_queue.emplace_back(data, size);
    m_queued += size;
    m_wake.notify_one();
}

bool PcmEncoder::exited()
{
    if (m_pid <= 0)
        return true;
    int status = 0;
    const pid_t r = waitpid(m_pid, &status, WNOHANG);
    if (r == m_pid || (r < 0 && errno == ECHILD)) {
        m_pid = -1;
        return true;
    }
    return false;
}

bool PcmEncoder::active()
{
    if (m_pid <= 0 || m_broken)
        return false;
    {
        std::lock_guard lock(m_mutex);
        if (m_closing)
            return false;
    }
    return !exited();
}

bool PcmEncoder::writeAll(const char* data, qsizetype size)
{
    while (size > 0) {
        if (m_abort)
            return false;
        const ssize_t n = ::write(m_fd, data, size_t(size));
        if (n > 0) {
            data += n;
            size -= n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd p{m_fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
            continue;
        }
        return false; // EPIPE: the encoder has gone
    }
    return true;
}

void PcmEncoder::writeLoop()
{
    // A vanished encoder must give EPIPE here, not kill the program.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);

    for (;;) {
        QByteArray chunk;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return !m_queue.empty() || m_closing || m_abort; });
            if (m_abort || (m_queue.empty() && m_closing))
                break;
            chunk = std::move(m_queue.front());
            m_queue.pop_front();
            m_queued -= chunk.size();
        }
        if (!m_broken && !writeAll(chunk.constData(), chunk.size())) {
            m_broken = true;
            std::lock_guard lock(m_mutex);
            m_queue.clear();
            m_queued = 0;
        }
    }
    ::close(m_fd);
    // Takes the SIGPIPE a broken pipe left pending, if any.
    const timespec none{0, 0};
    while (sigtimedwait(&pipeSignal, nullptr, &none) > 0) {
    }
    std::lock_guard lock(m_mutex);
    m_writerDone = true;
    m_writerFinished.notify_all();
}

void PcmEncoder::stop(int waitMs)
{
    if (!m_writer.joinable())
        return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    {
        std::unique_lock lock(m_mutex);
        m_closing = true;
        m_wake.notify_one();
        if (!m_writerFinished.wait_until(lock, deadline, [this] { return m_writerDone; })) {
            m_abort = true;
            m_wake.notify_one();
        }
    }
    m_writer.join();
    m_fd = -1;
    while (!exited() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
}

} // namespace zorvex
