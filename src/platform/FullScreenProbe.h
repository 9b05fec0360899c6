#pragma once

namespace zorvex {

// Tells whether the window in front fills the screen (a game, a film), so
// that the hourly chime can keep quiet.
class FullScreenProbe {
public:
    virtual ~FullScreenProbe() = default;

    // False where the desktop does not let a program look at other programs'
    // windows (Wayland); the answer is then always "no".
    virtual bool available() const = 0;
    virtual bool fullScreenInFront() = 0;
};

// Where nothing can be told.
class NoFullScreenProbe final : public FullScreenProbe {
public:
    bool available() const override { return false; }
    bool fullScreenInFront() override { return false; }
};

} // namespace zorvex
