#include "core/app/TrayIconModel.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace zorvex {
namespace {

// The level of a memory row: the MB it shows out of the whole MB there are.
int memoryLevel(qint64 shownMb, const MemoryFigures& m)
{
    const qint64 total = m.total / kBytesPerMb;
    if (total <= 0)
        return 0;
    return trayLevelIndex(static_cast<double>(shownMb) / static_cast<double>(total));
}

// The feature a mode shows the values of; the day number needs none.
std::optional<StatusFeature> featureOf(TrayMode mode)
{
    switch (mode) {
    case TrayMode::Cpu:
    case TrayMode::Ram:
    case TrayMode::Swap:
        return StatusFeature::Gauges;
    case TrayMode::Transfer:
        return StatusFeature::Traffic;
    default:
        return std::nullopt;
    }
}

} // namespace

TrayMode trayModeFromSetting(int setting)
{
    if (setting < 0 || setting > 5)
        return TrayMode::Ram;
    return static_cast<TrayMode>(setting);
}

int trayLevelIndex(double fraction)
{
    if (!(fraction > 0.0)) // also NaN
        return 0;
    const double level = std::trunc(fraction * 11.0);
    return level >= kTrayLevels - 1 ? kTrayLevels - 1 : static_cast<int>(level);
}

QRect trayLevelColourRect()
{
    return QRect(QPoint(3, 2), QPoint(12, 12));
}

QRect trayLevelDarkRect(int level)
{
    const int width = std::max(0, 10 - std::clamp(level, 0, kTrayLevels - 1));
    return QRect(3, 2, width, 11);
}

TransferIconText transferIconText(const QString& value)
{
    TransferIconText t;
    t.text = value.size() > 3 ? value.left(2) + QStringLiteral("..") : value;
    t.pointSize = t.text.size() > 2 ? 7 : 10;
    return t;
}

TransferIconText transferIconText(qint64 kilobytesPerSecond)
{
    return transferIconText(QString::number(kilobytesPerSecond));
}

Colour transferTextColour(Colour kolorT4)
{
    const Colour white = colourFromRgb(255, 255, 255);
    return (kolorT4 & 0xFFFFFF) == white ? colourFromRgb(250, 250, 250) : kolorT4;
}

TrayIconChoice chooseTrayIcon(const TrayIconInputs& in, const StatusValues& values)
{
    TrayIconChoice c;
    TrayMode mode = trayModeFromSetting(in.mode);
    // A mode whose values no feature gives would show an empty gauge or "?"
    // for good: the day number says more.
    if (const auto feature = featureOf(mode); feature && !values.provides(*feature))
        mode = TrayMode::DayNumber;
    switch (mode) {
    case TrayMode::None:
        return c;
    case TrayMode::DayNumber:
        c.kind = TrayIconChoice::Day;
        c.day = std::clamp(in.today, 1, 31);
        return c;
    case TrayMode::Cpu: {
        c.kind = TrayIconChoice::Level;
        if (const auto cpu = values.cpuPercent())
            c.level = trayLevelIndex(*cpu / 100.0);
        return c;
    }
    case TrayMode::Ram:
        c.kind = TrayIconChoice::Level;
        if (const auto ram = values.ram())
            c.level = memoryLevel(ramShownMb(*ram, in.ramShowsFree), *ram);
        return c;
    case TrayMode::Swap:
        c.kind = TrayIconChoice::Level;
        if (const auto swap = values.swap())
            c.level = memoryLevel(swapShownMb(*swap, in.swapShowsFree), *swap);
        return c;
    case TrayMode::Transfer: {
        c.kind = TrayIconChoice::Transfer;
        const auto traffic = values.trafficStatisticOn() ? values.traffic() : std::nullopt;
        if (!traffic) {
            c.transfer = transferIconText(QStringLiteral("?"));
            return c;
        }
        c.transfer = transferIconText(in.transferDirection == 1 ? traffic->sentKbPerSecond
                                                                : traffic->receivedKbPerSecond);
        return c;
    }
    }
    return c;
}

TrayClickOutcome trayClick(bool windowShowing, bool wasForeground, bool trayMinimize)
{
    if (windowShowing && wasForeground && trayMinimize)
        return {true, false};
    return {false, true};
}

} // namespace zorvex
