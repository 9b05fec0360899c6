#pragma once

#include <QString>

namespace zorvex {

// Whether a network interface other than loopback is up: the machine can
// reach something beyond itself.
class InterfaceProbe {
public:
    virtual ~InterfaceProbe() = default;
    virtual bool anyNonLoopbackUp() const = 0;
};

class SystemInterfaceProbe : public InterfaceProbe {
public:
    bool anyNonLoopbackUp() const override;
};

// The internet counts as reachable when an interface other than loopback is
// up, or when the address asked for is on this machine itself (a service
// on loopback needs no network). No request is made.
bool internetReachable(const InterfaceProbe& probe, const QString& targetUrl);
bool isLoopbackUrl(const QString& url);

} // namespace zorvex
