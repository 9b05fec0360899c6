#pragma once

#include "core/common/Colour.h"

#include <vector>

namespace zorvex {

// The three level colours of the gauges, the free-space card and the charts.
enum class GaugeLevel { Red, Yellow, Green };

// Free amounts: red below 13 %, yellow 13-30 %, green 31-100 %.
GaugeLevel freeLevel(int percent);
// Used amounts: green below 70 %, yellow 70-87 %, red 88-100 %.
GaugeLevel usedLevel(int percent);
// Processor use: green below 70 %, yellow 70-99 %, red at 100 %.
GaugeLevel cpuLevel(int percent);

// Kolor_PR, Kolor_PY, Kolor_PG and the background Kolor_PB.
struct GaugeColours {
    Colour red = 255;
    Colour yellow = 65535;
    Colour green = 65280;
    Colour background = 16777215;

    Colour of(GaugeLevel level) const;
};

// The look of one horizontal gauge.
struct GaugeLook {
    Colour fill = 65280;
    Colour median = 65535;
    Colour gradient = 255;
    Colour background = 16777215;
    bool useMedian = true;
    bool gradientFill = false;

    friend bool operator==(const GaugeLook&, const GaugeLook&) = default;
};

struct GaugeSlice {
    int left = 0;  // first pixel column
    int right = 0; // one past the last
    Colour colour = 0;
};

// A gradient bar: round(progress / max x 100) slices of a hundredth of
// `width` each, their colour going from the fill colour through the median
// colour (slices 1-50, 51-100) to the gradient colour, or straight from fill
// to gradient without the median. A maximum of 0 draws nothing.
std::vector<GaugeSlice> gradientSlices(int progress, int max, int left, int width, const GaugeLook& look);
// The right end of a solid bar: left + round(progress / max x 100) x width
// div 100 (at most the whole width).
int solidRight(int progress, int max, int left, int width);

} // namespace zorvex
