#pragma once

#include "core/shell/StatusValues.h"

#include <QList>

namespace zorvex::test {

constexpr qint64 kMb = 1048576;

// Status values from plain fields; counts what is asked of the traffic
// monitor.
struct FakeStatusValues : StatusValues {
    std::optional<MemoryFigures> ramFigures;
    std::optional<MemoryFigures> swapFigures;
    std::optional<int> cpu;
    bool trafficOn = false;
    std::optional<TrafficFigures> trafficFigures;
    std::optional<RadioText> radioText;
    std::optional<QString> playlist;
    std::optional<QString> uptime;
    // Every feature runs but these.
    QList<StatusFeature> absent;
    mutable int trafficQuestions = 0;

    bool provides(StatusFeature f) const override { return !absent.contains(f); }

    std::optional<MemoryFigures> ram() const override { return ramFigures; }
    std::optional<MemoryFigures> swap() const override { return swapFigures; }
    std::optional<int> cpuPercent() const override { return cpu; }
    bool trafficStatisticOn() const override
    {
        ++trafficQuestions;
        return trafficOn;
    }
    std::optional<TrafficFigures> traffic() const override
    {
        ++trafficQuestions;
        return trafficFigures;
    }
    std::optional<RadioText> radio() const override { return radioText; }
    std::optional<QString> playlistTitle() const override { return playlist; }
    std::optional<QString> uptimeText() const override { return uptime; }
};

} // namespace zorvex::test
