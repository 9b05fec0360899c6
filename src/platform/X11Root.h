#pragma once

#include <xcb/xcb.h>

namespace zorvex {

// The root window of `screen` on an open connection, or 0.
inline xcb_window_t x11RootWindow(xcb_connection_t* connection, int screen)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen && it.rem > 1; ++i)
        xcb_screen_next(&it);
    return it.rem > 0 ? it.data->root : 0;
}

} // namespace zorvex
