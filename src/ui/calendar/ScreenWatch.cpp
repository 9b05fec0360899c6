#include "ui/calendar/ScreenWatch.h"

#include "platform/DesktopScreenActivity.h"
#include "platform/X11Dpms.h"
#include "platform/X11Visibility.h"

#include <QGuiApplication>
#include <QWindow>

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

QObject* watchWindowCovered(QWindow* window, QObject* owner, std::function<void(bool covered)> onChange)
{
#if QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>(); x11 && window) {
        auto* watch = new X11Visibility(x11->connection(), std::uint32_t(window->winId()), owner);
        QObject::connect(watch, &X11Visibility::coveredChanged, owner, std::move(onChange));
        return watch;
    }
#else
    Q_UNUSED(window);
    Q_UNUSED(owner);
    Q_UNUSED(onChange);
#endif
    return nullptr;
}

} // namespace zorvex
