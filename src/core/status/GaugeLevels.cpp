#include "core/status/GaugeLevels.h"

#include <cmath>

namespace zorvex {

GaugeLevel freeLevel(int percent)
{
    if (percent < 13)
        return GaugeLevel::Red;
    return percent <= 30 ? GaugeLevel::Yellow : GaugeLevel::Green;
}

GaugeLevel usedLevel(int percent)
{
    if (percent < 70)
        return GaugeLevel::Green;
    return percent <= 87 ? GaugeLevel::Yellow : GaugeLevel::Red;
}

GaugeLevel cpuLevel(int percent)
{
    if (percent < 70)
        return GaugeLevel::Green;
    return percent < 100 ? GaugeLevel::Yellow : GaugeLevel::Red;
}

Colour GaugeColours::of(GaugeLevel level) const
{
    switch (level) {
    case GaugeLevel::Red:
        return red;
    case GaugeLevel::Yellow:
        return yellow;
    case GaugeLevel::Green:
        break;
    }
    return green;
}

namespace {

int slices(int progress, int max)
{
    if (max <= 0)
        return 0;
    return qBound(0, int(std::lround(double(progress) / double(max) * 100.0)), 100);
}

Colour blend(Colour from, Colour to, double t)
{
    auto ch = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return colourFromRgb(ch(colourRed(from), colourRed(to)), ch(colourGreen(from), colourGreen(to)),
                         ch(colourBlue(from), colourBlue(to)));
}

} // namespace

std::vector<GaugeSlice> gradientSlices(int progress, int max, int left, int width, const GaugeLook& look)
{
    std::vector<GaugeSlice> out;
    const int n = slices(progress, max);
    out.reserve(n);
    for (int k = 1; k <= n; ++k) {
        Colour c;
        if (look.useMedian)
            c = k <= 50 ? blend(look.fill, look.median, (k - 1) / 49.0) : blend(look.median, look.gradient, (k - 51) / 49.0);
        else
            c = blend(look.fill, look.gradient, (k - 1) / 99.0);
        out.push_back({left + int(qint64(k - 1) * width / 100), left + int(qint64(k) * width / 100), c});
    }
    return out;
}

int solidRight(int progress, int max, int left, int width)
{
    return left + int(qint64(slices(progress, max)) * width / 100);
}

} // namespace zorvex
