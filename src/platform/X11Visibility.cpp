#include "platform/X11Visibility.h"

#include <QCoreApplication>

#include <xcb/xcb.h>

#include <cstdlib>

namespace zorvex {

X11Visibility::X11Visibility(xcb_connection_t* connection, std::uint32_t window, QObject* parent)
    : QObject(parent)
    , m_connection(connection)
    , m_window(window)
{
    if (!m_connection || xcb_connection_has_error(m_connection) || !m_window)
        return;
    // The event mask belongs to this connection: the toolkit's own choice
    // is kept and the visibility events are added to it.
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* attrs = xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, m_window), &error);
    std::free(error);
    if (!attrs)
        return;
    const std::uint32_t mask = attrs->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
    std::free(attrs);
    xcb_change_window_attributes(m_connection, m_window, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11Visibility::~X11Visibility()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11Visibility::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t" || !message)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_VISIBILITY_NOTIFY)
        return false;
    const auto* visibility = static_cast<const xcb_visibility_notify_event_t*>(message);
    if (visibility->window != m_window)
        return false;
    const bool covered = visibility->state == XCB_VISIBILITY_FULLY_OBSCURED;
    if (covered != m_covered) {
        m_covered = covered;
        emit coveredChanged(covered);
    }
    return false; // the toolkit sees it as well
}

} // namespace zorvex
