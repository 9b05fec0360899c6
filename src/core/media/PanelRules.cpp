#include "core/media/PanelRules.h"

#include <algorithm>
#include <cmath>

namespace zorvex::panel {

int buttonAt(int x, int y)
{
    if (x < 0 || y < 0 || y >= kHeight)
        return -1;
    const int b = x / 15;
    return b < kButtons ? b : -1;
}

bool inSlider(int x, int y)
{
    return x >= 77 && x <= 130 && y >= 5 && y <= 14;
}

bool inSliderMenu(int x, int y)
{
    return x >= 77 && x <= 130 && y >= 2 && y <= 16;
}

int switchAt(int x, int y)
{
    if (x <= 133 || x >= kWidth || y < 0 || y >= kHeight)
        return -1;
    return y <= 9 ? 0 : 1;
}

int volumeAt(int position)
{
    const int p = std::clamp(position, kKnobMin, kKnobMax);
    return int(std::lround(double(p - kKnobMin) / kKnobSpan * 100));
}

int seekAt(int position, double length)
{
    const int p = std::clamp(position, kKnobMin, kKnobMax);
    return int(std::lround(double(p - kKnobMin) / kKnobSpan * std::max(0.0, length)));
}

int knobForSeek(int position, int maximum)
{
    if (maximum <= 0)
        return kTrackLeft;
    const double f = std::clamp(double(position) / maximum, 0.0, 1.0);
    return int(std::lround(f * kKnobSpan)) + kTrackLeft;
}

int knobForVolume(int volume)
{
    return int(std::lround(std::clamp(volume, 0, 100) / 100.0 * kKnobSpan)) + kTrackLeft;
}

int tintChannel(int channel, int grey)
{
    const int c = channel < 48 ? channel + 48 : channel;
    return std::clamp(c + grey - 255, 0, 255);
}

int timeTextChannel(int channel)
{
    const int c = channel < 48 ? channel + 48 : channel;
    return std::clamp(c - 152, 0, 255);
}

} // namespace zorvex::panel
