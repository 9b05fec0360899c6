#pragma once

#include "platform/audio/MasterVolume.h"

namespace zorvex {

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
