#include "platform/X11FullScreenProbe.h"

#include "platform/X11Root.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace zorvex {
namespace {

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// The 32-bit items of a window's property, or nothing when it is missing,
// of another type, or the window is gone.
Reply<xcb_get_property_reply_t> property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    // 1024 items are far more than any window state holds.
    const xcb_get_property_cookie_t cookie = xcb_get_property(c, 0, window, name, type, 0, 1024);
    // A window gone meanwhile answers with an error, taken here so that it
    // does not reach the application's own event queue.
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, &error));
    std::free(error);
    if (!reply || reply->type != type || reply->format != 32)
        return nullptr;
    return reply;
}

} // namespace

X11FullScreenProbe::X11FullScreenProbe(xcb_connection_t* connection, int screen)
    : m_connection(connection)
{
    if (!available())
        return;
    m_root = x11RootWindow(m_connection, screen);
    m_activeAtom = atom("_NET_ACTIVE_WINDOW");
    m_stateAtom = atom("_NET_WM_STATE");
    m_fullScreenAtom = atom("_NET_WM_STATE_FULLSCREEN");
}

bool X11FullScreenProbe::available() const
{
    return m_connection && xcb_connection_has_error(m_connection) == 0;
}

std::uint32_t X11FullScreenProbe::atom(const char* name) const
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name);
    xcb_generic_error_t* error = nullptr;
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, cookie, &error));
    std::free(error);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::uint32_t X11FullScreenProbe::activeWindow() const
{
    const auto reply = property(m_connection, m_root, m_activeAtom, XCB_ATOM_WINDOW);
    if (!reply || xcb_get_property_value_length(reply.get()) < int(sizeof(xcb_window_t)))
        return XCB_WINDOW_NONE;
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

bool X11FullScreenProbe::fullScreenInFront()
{
    if (!available() || m_root == XCB_WINDOW_NONE || m_fullScreenAtom == XCB_ATOM_NONE)
        return false;
    const xcb_window_t window = activeWindow();
    if (window == XCB_WINDOW_NONE)
        return false;
    const auto reply = property(m_connection, window, m_stateAtom, XCB_ATOM_ATOM);
    if (!reply)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == m_fullScreenAtom)
            return true;
    }
    return false;
}

} // namespace zorvex
