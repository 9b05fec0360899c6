#pragma once

#include <QByteArray>
#include <QStringList>

namespace zorvex {

// The system's machine id (systemd's /etc/machine-id, else D-Bus's copy);
// empty when neither can be read.
QByteArray readMachineId(const QStringList& candidates = {QStringLiteral("/etc/machine-id"),
                                                          QStringLiteral("/var/lib/dbus/machine-id")});

} // namespace zorvex
