#pragma once

#include "platform/net/KeyboardLight.h"

namespace zorvex {

// A Scroll Lock light the test reads and "presses".
class FakeKeyboardLight : public KeyboardLight {
public:
    bool available() const override { return true; }
    bool scrollLockOn() override { return on; }
    void setScrollLock(bool value) override
    {
        on = value;
        ++changes;
    }
    bool on = false;
    int changes = 0;
};

} // namespace zorvex
