#pragma once

#include <QString>

#include <optional>

namespace zorvex {

struct HostPort {
    QString host;
    quint16 port = 0;
};

// The text of a server box: "host", "host:port", "[v6 address]:port" or a
// bare IPv6 address. Blanks around it are dropped. Nothing for an empty host
// or a port that is not a number from 1 to 65535.
std::optional<HostPort> parseHostPort(const QString& text, quint16 defaultPort);

} // namespace zorvex
