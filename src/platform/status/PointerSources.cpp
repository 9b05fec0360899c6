#include "platform/status/PointerSources.h"

#include "platform/X11Root.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace zorvex {

X11PointerSource::X11PointerSource(xcb_connection_t* connection, int screen)
    : m_connection(connection)
{
    if (!m_connection || xcb_connection_has_error(m_connection) != 0)
        return;
    m_root = x11RootWindow(m_connection, screen);
}

bool X11PointerSource::available() const
{
    return m_connection && m_root != 0 && xcb_connection_has_error(m_connection) == 0;
}

std::optional<QPoint> X11PointerSource::position()
{
    if (!available())
        return std::nullopt;
    xcb_generic_error_t* error = nullptr;
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(m_connection, xcb_query_pointer(m_connection, m_root), &error);
    std::free(error);
    if (!reply)
        return std::nullopt;
    const QPoint p(reply->root_x, reply->root_y);
    std::free(reply);
    return p;
}

} // namespace zorvex
