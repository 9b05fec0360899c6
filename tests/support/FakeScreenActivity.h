#pragma once

#include "platform/ScreenActivity.h"

namespace zorvex {

// A screen the test locks and unlocks.
class FakeScreenActivity final : public ScreenActivity {
public:
    bool screenInUse() const override { return m_inUse; }
    void set(bool inUse)
    {
        if (inUse == m_inUse)
            return;
        m_inUse = inUse;
        emit screenInUseChanged(inUse);
    }

private:
    bool m_inUse = true;
};

} // namespace zorvex
