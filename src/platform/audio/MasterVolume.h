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

} // namespace zorvex
