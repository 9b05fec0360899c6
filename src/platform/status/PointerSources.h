#pragma once

#include "core/status/StatusSources.h"

#include <cstdint>

struct xcb_connection_t;

namespace zorvex {

// The pointer on X11, asked of the root window over the application's own
// connection (one short round trip).
class X11PointerSource final : public PointerSource {
public:
    // `connection` stays the caller's; null (Wayland, no X server) means
    // unavailable.
    explicit X11PointerSource(xcb_connection_t* connection, int screen = 0);

    bool available() const override;
    std::optional<QPoint> position() override;

private:
    xcb_connection_t* m_connection;
    std::uint32_t m_root = 0;
};

// Where no global pointer position exists (Wayland).
class NoPointerSource final : public PointerSource {
public:
    bool available() const override { return false; }
    std::optional<QPoint> position() override { return std::nullopt; }
};

} // namespace zorvex
