#include "platform/X11Dpms.h"

#include <xcb/xcb.h>
#if ZORVEX_HAVE_DPMS
#include <xcb/dpms.h>
#endif

#include <cstdlib>

namespace zorvex {

bool x11DpmsAvailable(xcb_connection_t* connection)
{
#if ZORVEX_HAVE_DPMS
    if (!connection || xcb_connection_has_error(connection))
        return false;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(connection, &xcb_dpms_id);
    return ext && ext->present;
#else
    (void)connection;
    return false;
#endif
}

std::optional<bool> x11MonitorOff(xcb_connection_t* connection)
{
#if ZORVEX_HAVE_DPMS
    if (!x11DpmsAvailable(connection))
        return std::nullopt;
    xcb_generic_error_t* error = nullptr;
    xcb_dpms_info_reply_t* reply = xcb_dpms_info_reply(connection, xcb_dpms_info(connection), &error);
    std::free(error);
    if (!reply)
        return std::nullopt;
    const bool off = reply->state && reply->power_level != XCB_DPMS_DPMS_MODE_ON;
    std::free(reply);
    return off;
#else
    (void)connection;
    return std::nullopt;
#endif
}

} // namespace zorvex
