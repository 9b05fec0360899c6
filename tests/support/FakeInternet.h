#pragma once

// Fakes of the desktop services the internet features use.

#include "platform/internet/DesktopIntegration.h"
#include "platform/internet/DesktopProxy.h"
#include "platform/internet/InternetCheck.h"

#include <QStringList>
#include <QTimer>

namespace zorvex::test {

class FakeDesktopIntegration : public DesktopIntegration {
public:
    QStringList calls; // "types 1 0", "autostart 1"
    bool autostart = false;

    void registerTypes(bool backups, bool addons) override
    {
        calls << QStringLiteral("types %1 %2").arg(int(backups)).arg(int(addons));
    }
    bool autostartEnabled() const override { return autostart; }
    void setAutostart(bool on) override
    {
        autostart = on;
        calls << QStringLiteral("autostart %1").arg(int(on));
    }
    void refreshAutostart() override {}
};

class FakeInterfaceProbe : public InterfaceProbe {
public:
    bool up = true;
    bool anyNonLoopbackUp() const override { return up; }
};

// Answers from the event loop, as the desktop's programs would.
class FakeDesktopProxy : public DesktopProxySource {
public:
    std::optional<DesktopProxyReading> reading;
    QStringList targets;

    void read(const QString& targetUrl, Done done) override
    {
        targets << targetUrl;
        QTimer::singleShot(0, [r = reading, done = std::move(done)] { done(r); });
    }
};

} // namespace zorvex::test
