#include "platform/net/X11KeyboardLight.h"

#include <cstdlib>

namespace zorvex {
namespace {

constexpr uint32_t kScrollLockLed = 3;

} // namespace

X11KeyboardLight::X11KeyboardLight(xcb_connection_t* connection)
    : m_connection(connection)
{
}

bool X11KeyboardLight::available() const
{
    return m_connection && xcb_connection_has_error(m_connection) == 0;
}

bool X11KeyboardLight::scrollLockOn()
{
    if (!available())
        return false;
    xcb_generic_error_t* error = nullptr;
    xcb_get_keyboard_control_reply_t* reply =
        xcb_get_keyboard_control_reply(m_connection, xcb_get_keyboard_control(m_connection), &error);
    std::free(error);
    if (!reply)
        return false;
    const bool on = (reply->led_mask & (1u << (kScrollLockLed - 1))) != 0;
    std::free(reply);
    return on;
}

void X11KeyboardLight::setScrollLock(bool on)
{
    if (!available())
        return;
    const uint32_t values[2] = {kScrollLockLed, on ? uint32_t(XCB_LED_MODE_ON) : uint32_t(XCB_LED_MODE_OFF)};
    xcb_change_keyboard_control(m_connection, XCB_KB_LED | XCB_KB_LED_MODE, values);
    xcb_flush(m_connection);
}

} // namespace zorvex
