#pragma once

#include "platform/audio/MasterVolume.h"

namespace zorvex {

// The default sink of PulseAudio, or of PipeWire through its PulseAudio
// service. Each call connects, asks and disconnects; a server that does not
// answer within a short time counts as none.
class PulseMasterVolume : public MasterVolume {
public:
    std::optional<int> volume() override;
    bool setVolume(int percent) override;
};

} // namespace zorvex
