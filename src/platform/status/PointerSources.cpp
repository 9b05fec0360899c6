#include "platform/status/PointerSources.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace zorvex {

X11PointerSource::X11PointerSource(xcb_connection_t* connection, int screen)
    : m_connection(connection)
{
    if (!m_connection || xcb_connection_has_error(m_connection) != 0)
        return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screen && it.rem > 1; ++i)
        xcb_screen_next(&it);
    if (it.rem > 0)
        m_root = it.data->root;
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
