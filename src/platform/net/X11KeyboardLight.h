#pragma once

#include "platform/net/KeyboardLight.h"

#include <xcb/xcb.h>

namespace zorvex {

// The Scroll Lock light (LED 3) through the X server's keyboard control,
// on an open connection (Qt's own).
class X11KeyboardLight : public KeyboardLight {
public:
    explicit X11KeyboardLight(xcb_connection_t* connection);
    bool available() const override;
    bool scrollLockOn() override;
    void setScrollLock(bool on) override;

private:
    xcb_connection_t* m_connection;
};

} // namespace zorvex
