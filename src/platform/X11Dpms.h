#pragma once

#include <optional>

typedef struct xcb_connection_t xcb_connection_t;

namespace zorvex {

// Whether the X server's DPMS has put the monitor to standby, suspend or
// off; nothing when the server has no DPMS (or the build has no xcb-dpms).
bool x11DpmsAvailable(xcb_connection_t* connection);
std::optional<bool> x11MonitorOff(xcb_connection_t* connection);

} // namespace zorvex
