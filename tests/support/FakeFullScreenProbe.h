#pragma once

#include "platform/FullScreenProbe.h"

namespace zorvex {

class FakeFullScreenProbe final : public FullScreenProbe {
public:
    bool isAvailable = true;
    bool fullScreen = false;
    int asked = 0;

    bool available() const override { return isAvailable; }
    bool fullScreenInFront() override
    {
        ++asked;
        return isAvailable && fullScreen;
    }
};

} // namespace zorvex
