#include "platform/desktop/GlobalHotKeys.h"

#include "platform/desktop/PortalHotKeys.h"
#include "platform/desktop/X11HotKeys.h"

namespace zorvex {

bool isWaylandSession()
{
    return qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

std::unique_ptr<GlobalHotKeys> makeGlobalHotKeys()
{
    if (isWaylandSession())
        return std::make_unique<PortalHotKeys>(QDBusConnection::sessionBus());
    return std::make_unique<X11HotKeys>();
}

} // namespace zorvex
