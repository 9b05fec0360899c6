#pragma once

#include <QByteArray>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include <sys/types.h>

namespace zorvex {

// An outside encoder fed on its standard input: a WAV header, then 16-bit
// PCM. Sound is queued by the streaming thread and written by a thread of
// its own, so a slow encoder never holds up playback.
class PcmEncoder {
public:
    PcmEncoder() = default;
    ~PcmEncoder();
    PcmEncoder(const PcmEncoder&) = delete;
    PcmEncoder& operator=(const PcmEncoder&) = delete;

    // Starts the program (argv[0] is looked up on the PATH when it has no
    // folder); false when it cannot be started.
    bool start(const QStringList& argv);
    // Queues interleaved signed 16-bit little-endian samples. The format of
    // the first call goes into the header. Safe from any thread.
    void push(const char* data, qsizetype size, int sampleRate, int channels);
    // Running and still taking sound.
    bool active();
    // Ends the input and waits up to `waitMs` for the encoder to finish its
    // file; one that does not is killed.
    void stop(int waitMs = 5000);

private:
    void writeLoop();
    bool writeAll(const char* data, qsizetype size);
    bool exited();

    pid_t m_pid = -1;
    int m_fd = -1;
    std::thread m_writer;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<QByteArray> m_queue;
    qsizetype m_queued = 0;
    bool m_closing = false;
    bool m_headerDone = false;
    bool m_writerDone = false;
    std::condition_variable m_writerFinished;
    std::atomic<bool> m_abort{false};
    std::atomic<bool> m_broken{false};
};

} // namespace zorvex
