#include "ui/net/NetTools.h"

#include "platform/internet/InternetCheck.h"
#include "platform/net/KeyboardLight.h"
#include "platform/net/X11KeyboardLight.h"
#include "platform/net/TimedatedTimeSetter.h"
#include "platform/net/UdpSntpTransport.h"
#include "ui/net/MailService.h"
#include "ui/net/PingService.h"
#include "ui/net/TimeSyncService.h"

#include <QGuiApplication>

namespace zorvex {

NetTools::NetTools(Context c, QObject* parent)
    : QObject(parent)
    , m_interfaces(std::make_unique<SystemInterfaceProbe>())
    , m_sntp(std::make_unique<UdpSntpTransport>())
    , m_clockSetter(std::make_unique<TimedatedTimeSetter>())
{
#if QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        m_light = std::make_unique<X11KeyboardLight>(x11->connection());
#endif
    if (!m_light)
        m_light = std::make_unique<NoKeyboardLight>();
    m_timeSync = std::make_unique<TimeSyncService>(TimeSyncService::Services{
        c.clock, c.paths, c.timeSync, c.store, *m_interfaces, *m_sntp, *m_clockSetter, c.prompts, [this] {
            if (m_armTimeSyncRetry)
                m_armTimeSyncRetry();
        }});
    m_mail = std::make_unique<MailService>(
        MailService::Services{c.clock, c.paths, c.mail, c.mailSound, c.prompts, c.players, c.tray, c.defaultMailProgram,
                              m_light.get()});
    m_ping = std::make_unique<PingService>(PingService::Services{c.paths, c.ping, c.prompts, c.players, c.tray});
}

NetTools::~NetTools()
{
    m_ping.reset();
    m_mail.reset();
    m_timeSync.reset();
}

void NetTools::setArmTimeSyncRetry(std::function<void()> arm)
{
    m_armTimeSyncRetry = std::move(arm);
}

} // namespace zorvex
