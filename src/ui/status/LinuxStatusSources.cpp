#include "ui/status/LinuxStatusSources.h"

#include "platform/status/PointerSources.h"
#include "ui/status/StatusService.h"

#include <QGuiApplication>

namespace zorvex {
namespace {

std::unique_ptr<PointerSource> makePointerSource()
{
#if QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return std::make_unique<X11PointerSource>(x11->connection());
#endif
    return std::make_unique<NoPointerSource>();
}

} // namespace

LinuxStatusSources::LinuxStatusSources()
    : m_pointer(makePointerSource())
    , m_interfaces(m_addresses)
{
}

LinuxStatusSources::~LinuxStatusSources() = default;

StatusSourceSet LinuxStatusSources::set()
{
    return {m_records, *m_pointer, m_interfaces, m_cpu, m_memory, m_drives};
}

} // namespace zorvex
