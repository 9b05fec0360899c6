#include "core/app/MainLoopFadeIn.h"

#include "core/shell/LoopServices.h"

#include <algorithm>

namespace zorvex {
namespace {

int clampLevel(int level)
{
    return std::clamp(level, 1, 255);
}

} // namespace

void FadeIn::start(const FadeInSettings& settings)
{
    if (m_started)
        return;
    m_settings = settings;
    m_target = settings.translucent ? clampLevel(settings.level) : 255;
    m_opacity = 0;
    m_started = true;
}

void FadeIn::step(FadeTarget& target)
{
    if (!m_started)
        return;
    if (m_opacity < m_target) {
        m_opacity = std::min(m_opacity + kStep, m_target);
        target.setOpacity(m_opacity);
        if (!m_firstStepDone) {
            m_firstStepDone = true;
            // Starting in the tray: the window goes at once, the fade still
            // runs to its end so that the tasks waiting for it follow.
            if (m_settings.startMinimised)
                target.hideMainWindow();
        }
    }
    if (!m_settings.translucent && !m_blendingOff && m_opacity >= m_target) {
        m_blendingOff = true;
        target.switchAlphaBlendingOff();
    }
}

void FadeIn::jumpTo(int level)
{
    m_target = clampLevel(level);
    m_opacity = m_target;
}

} // namespace zorvex
