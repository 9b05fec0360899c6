#pragma once

#include "core/net/SntpTransport.h"

#include <QObject>

namespace zorvex {

// The system clock through systemd-timedated on the system bus
// (org.freedesktop.timedate1 SetTime, relative, which polkit allows or
// refuses). When the system keeps the clock by NTP itself, timedated
// refuses, and we say so instead of fighting it. The bus is the system bus,
// or DBUS_SYSTEM_BUS_ADDRESS when set, so a test can put a fake on a
// private bus.
class TimedatedTimeSetter : public QObject, public SystemTimeSetter {
    Q_OBJECT
public:
    explicit TimedatedTimeSetter(QObject* parent = nullptr);
    void adjustBy(qint64 offsetMs, std::function<void(Result, const QString& detail)> done) override;
};

} // namespace zorvex
