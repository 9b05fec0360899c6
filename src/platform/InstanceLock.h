#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace zorvex {

// The per-user marker of a running instance: an flock'ed file in the
// runtime folder. The lock dies with the process, so a crash never leaves a
// stale marker behind.
class InstanceLock {
public:
    explicit InstanceLock(QString path = defaultPath());
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process holds the lock (now or already).
    bool tryAcquire();
    // Takes the lock the moment its holder lets it go (a thread waits for
    // it); `acquired` then runs on the main thread. For an instance that was
    // let in beside a running one, so no third start slips in between.
    void acquireWhenFree(std::function<void()> acquired);
    bool held() const { return m_fd >= 0; }
    void release();

    // $XDG_RUNTIME_DIR/zorvex/instance.lock, or a private folder in /tmp.
    static QString defaultPath();
    static QString runtimeFolder();

private:
    QString m_path;
    int m_fd = -1;
    bool m_waiting = false;
    // Gone with the lock, so a late waiter knows nobody wants its lock.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

} // namespace zorvex
