#include "core/wallpaper/WallpaperSchedule.h"

namespace zorvex {

bool cpuAllowsChange(const WallpaperSettings& settings, const QString& cpuShown)
{
    if (!settings.cpuLimit)
        return true;
    const QString text = cpuShown.trimmed();
    qsizetype digits = 0;
    while (digits < text.size() && digits < 9 && text.at(digits).isDigit() && text.at(digits).unicode() < 128)
        ++digits;
    const int cpu = digits ? text.left(digits).toInt() : 0;
    return cpu < settings.cpuPercent;
}

void WallpaperSchedule::runInterval(const QDateTime&)
{
    if (cpuAllowsChange(m_settings, m_cpuShown ? m_cpuShown() : QString()) && m_change)
        m_change();
}

} // namespace zorvex
