#pragma once

#include <QString>

#include <optional>

namespace zorvex {

// Memory figures in bytes, as the system reports them.
struct MemoryFigures {
    qint64 total = 0;
    qint64 available = 0;
};

inline constexpr qint64 kBytesPerMb = 1048576;

// The whole MB a memory row shows, free or used as PanelRamW and PanelSwapW
// choose; the tray icon's level and its hint show the same number. RAM rounds
// both figures down before subtracting, swap rounds the difference.
inline qint64 ramShownMb(const MemoryFigures& m, bool showsFree)
{
    const qint64 free = m.available / kBytesPerMb;
    return showsFree ? free : m.total / kBytesPerMb - free;
}
inline qint64 swapShownMb(const MemoryFigures& m, bool showsFree)
{
    return showsFree ? m.available / kBytesPerMb : (m.total - m.available) / kBytesPerMb;
}

// The monitored network interface's figures; the texts come formatted by the
// traffic monitor.
struct TrafficFigures {
    qint64 receivedKbPerSecond = 0;
    qint64 sentKbPerSecond = 0;
    QString averageReceived;
    QString averageSent;
    QString totalReceived;
    QString totalSent;
    QString interfaceText;
};

struct RadioText {
    QString title;
    QString station;
};

// The features behind the values.
enum class StatusFeature { Gauges, Traffic, Radio, Playlist, Uptime };

// The live values the tray icon and its hint show. A feature that is not
// part of the program (yet) gives no values at all: the hint leaves out the
// lines that name it and its tray icon shows the day number instead. A
// feature that runs answers empty ("unknown") until it has a value; the
// shell then shows "?".
class StatusValues {
public:
    virtual ~StatusValues() = default;
    virtual bool provides(StatusFeature) const { return false; }
    virtual std::optional<MemoryFigures> ram() const { return std::nullopt; }
    virtual std::optional<MemoryFigures> swap() const { return std::nullopt; }
    // The CPU row's value: the use in percent, rounded.
    virtual std::optional<int> cpuPercent() const { return std::nullopt; }
    // Asked only when something shown needs the traffic monitor.
    virtual bool trafficStatisticOn() const { return false; }
    virtual std::optional<TrafficFigures> traffic() const { return std::nullopt; }
    virtual std::optional<RadioText> radio() const { return std::nullopt; }
    // The playing playlist entry's title; empty text when nothing plays.
    virtual std::optional<QString> playlistTitle() const { return std::nullopt; }
    // The uptime text; empty (unknown) also while the uptime log is off.
    virtual std::optional<QString> uptimeText() const { return std::nullopt; }
};

} // namespace zorvex
