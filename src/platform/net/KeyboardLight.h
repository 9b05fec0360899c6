#pragma once

#include <memory>

namespace zorvex {

// The Scroll Lock light, which the mail checker blinks for new mail.
class KeyboardLight {
public:
    virtual ~KeyboardLight() = default;
    // False where programs may not touch the keyboard's lights (Wayland).
    virtual bool available() const = 0;
    virtual bool scrollLockOn() = 0;
    virtual void setScrollLock(bool on) = 0;
};

class NoKeyboardLight : public KeyboardLight {
public:
    bool available() const override { return false; }
    bool scrollLockOn() override { return false; }
    void setScrollLock(bool) override {}
};

} // namespace zorvex
