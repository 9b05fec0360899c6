#include "ui/calendar/ScreenWatch.h"

#include "platform/DesktopScreenActivity.h"
#include "platform/X11Dpms.h"

#include <QGuiApplication>

namespace zorvex {

ScreenActivity* makeDesktopScreenActivity(QObject* parent)
{
    DesktopScreenActivity::MonitorProbe monitorOff;
#if QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        xcb_connection_t* connection = x11->connection();
        if (x11DpmsAvailable(connection))
            monitorOff = [connection] { return x11MonitorOff(connection); };
    }
#endif
    return new DesktopScreenActivity(QDBusConnection::systemBus(), QDBusConnection::sessionBus(),
                                     std::move(monitorOff), parent);
}

} // namespace zorvex
