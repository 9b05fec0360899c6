#pragma once

namespace zorvex {

class FadeTarget;

struct FadeInSettings {
    bool translucent = false; // BlendA
    int level = 255;          // BlendW, the target while translucent
    bool startMinimised = false; // UruZmin
};

// The main window's opacity from 0 up to its target in steps of 5, one step
// per 50 ms tick once the window was first shown.
class FadeIn {
public:
    static constexpr int kStep = 5;

    void start(const FadeInSettings& settings);
    bool started() const { return m_started; }
    // Work is done only while the opacity is below its target, plus the one
    // switch-off of alpha blending when translucency is off.
    void step(FadeTarget& target);
    // The fade-in complete condition the start-up tasks wait for.
    bool complete() const { return m_started && m_opacity >= m_target; }

    // The translucency slider sets the opacity at once.
    void jumpTo(int level);

    int opacity() const { return m_opacity; }
    int target() const { return m_target; }

private:
    FadeInSettings m_settings;
    bool m_started = false;
    bool m_firstStepDone = false;
    bool m_blendingOff = false;
    int m_opacity = 0;
    int m_target = 255;
};

} // namespace zorvex
