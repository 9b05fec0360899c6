#pragma once

#include <QString>

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
    bool held() const { return m_fd >= 0; }
    void release();

    // $XDG_RUNTIME_DIR/zorvex/instance.lock, or a private folder in /tmp.
    static QString defaultPath();
    static QString runtimeFolder();

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace zorvex
