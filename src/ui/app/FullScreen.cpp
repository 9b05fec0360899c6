#include "ui/app/FullScreen.h"

#include "platform/X11FullScreenProbe.h"

#include <QGuiApplication>

namespace zorvex {

std::unique_ptr<FullScreenProbe> makeFullScreenProbe()
{
#if QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return std::make_unique<X11FullScreenProbe>(x11->connection());
#endif
    return std::make_unique<NoFullScreenProbe>();
}

} // namespace zorvex
