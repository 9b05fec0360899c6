#pragma once

#include "platform/FullScreenProbe.h"

#include <cstdint>

struct xcb_connection_t;

namespace zorvex {

// On X11: the window the window manager names active (_NET_ACTIVE_WINDOW of
// the root) is full-screen when its _NET_WM_STATE holds
// _NET_WM_STATE_FULLSCREEN, which is how programs ask for the whole screen.
// Two short questions to the X server, asked only at a full hour.
class X11FullScreenProbe final : public FullScreenProbe {
public:
    // `connection` stays the caller's (the application's own); the root is
    // that of `screen`.
    explicit X11FullScreenProbe(xcb_connection_t* connection, int screen = 0);

    bool available() const override;
    bool fullScreenInFront() override;

private:
    std::uint32_t atom(const char* name) const;
    // The active window, or 0.
    std::uint32_t activeWindow() const;

    xcb_connection_t* m_connection;
    std::uint32_t m_root = 0;
    std::uint32_t m_activeAtom = 0;
    std::uint32_t m_stateAtom = 0;
    std::uint32_t m_fullScreenAtom = 0;
};

} // namespace zorvex
