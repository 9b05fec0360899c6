#pragma once

#include "core/net/HostPort.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace zorvex {

// One SNTP exchange over the network. The request is built only when the
// server's address is known and the datagram is about to leave, so the time
// a name lookup takes never counts as network delay. Every datagram that
// comes back from the server's own address and port goes to `received`
// until stop(); when the time-out passes first, or the request cannot be
// sent, `failed` gets the reason (empty for the time-out). Nothing waits.
class SntpTransport {
public:
    virtual ~SntpTransport() = default;
    virtual void exchange(const HostPort& server, int timeoutMs, std::function<QByteArray()> makeRequest,
                          std::function<void(const QByteArray&)> received,
                          std::function<void(const QString& error)> failed) = 0;
    virtual void stop() = 0;
};

// Moves the system clock. Injected, so that no test can reach the real
// clock. Answers once, later, from the event loop.
class SystemTimeSetter {
public:
    enum class Result {
        Set,
        NetworkTimeOn, // the system keeps the clock by itself (NTP on)
        Refused,       // not allowed (polkit said no)
        Failed,        // no time service, or another error
    };
    virtual ~SystemTimeSetter() = default;
    // Moves the clock by `offsetMs` from wherever it is when the request
    // arrives, so the time the request travels adds no error.
    virtual void adjustBy(qint64 offsetMs, std::function<void(Result, const QString& detail)> done) = 0;
};

} // namespace zorvex
