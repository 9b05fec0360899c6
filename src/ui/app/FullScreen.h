#pragma once

#include "platform/FullScreenProbe.h"

#include <memory>

namespace zorvex {

// The probe this desktop allows: on X11 it asks over the application's own
// connection to the server; elsewhere it cannot tell.
std::unique_ptr<FullScreenProbe> makeFullScreenProbe();

} // namespace zorvex
