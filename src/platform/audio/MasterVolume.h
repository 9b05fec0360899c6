#pragma once

#include <optional>

namespace zorvex {

// The desktop's master volume: the level of the default output of the sound
// server, 0 to 100.
class MasterVolume {
public:
    virtual ~MasterVolume() = default;
    // Empty when no sound server answers.
    virtual std::optional<int> volume() = 0;
    virtual bool setVolume(int percent) = 0;
};

class FakeMasterVolume : public MasterVolume {
public:
    explicit FakeMasterVolume(std::optional<int> level = 100)
        : m_level(level)
    {
    }
    std::optional<int> volume() override { return m_level; }
    bool setVolume(int percent) override
    {
        if (!m_level)
            return false;
        m_level = percent;
        return true;
    }

private:
    std::optional<int> m_level;
};

} // namespace zorvex
