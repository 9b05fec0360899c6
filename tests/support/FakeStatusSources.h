#pragma once

#include "core/status/StatusSources.h"

#include <deque>

namespace zorvex {

// Fakes of the statistics' sources for tests: each answers what it is given.

class FakeUptimeRecordSource final : public UptimeRecordSource {
public:
    std::vector<UptimeEvent> events;
    QString path = QStringLiteral("/var/log/wtmp");
    int reads = 0;

    std::vector<UptimeEvent> read() override
    {
        ++reads;
        return events;
    }
    QString location() const override { return path; }
};

class FakePointerSource final : public PointerSource {
public:
    bool isAvailable = true;
    std::optional<QPoint> at = QPoint(0, 0);

    bool available() const override { return isAvailable; }
    std::optional<QPoint> position() override { return isAvailable ? at : std::nullopt; }
};

class FakeNetInterfaceSource final : public NetInterfaceSource {
public:
    // Nothing: the table cannot be read.
    std::optional<std::vector<NetInterfaceRow>> table = std::vector<NetInterfaceRow>{};

    std::optional<std::vector<NetInterfaceRow>> read() override { return table; }
    NetInterfaceRow* row(const QString& name)
    {
        if (table) {
            for (NetInterfaceRow& r : *table) {
                if (r.name == name)
                    return &r;
            }
        }
        return nullptr;
    }
};

class FakeCpuTimesSource final : public CpuTimesSource {
public:
    // Each read takes the next reading; nothing when they are used up.
    std::deque<std::optional<CpuTimes>> readings;

    std::optional<CpuTimes> read() override
    {
        if (readings.empty())
            return std::nullopt;
        const auto r = readings.front();
        readings.pop_front();
        return r;
    }
};

class FakeMemorySource final : public MemorySource {
public:
    std::optional<MemoryStatus> status = MemoryStatus{};
    int reads = 0;

    std::optional<MemoryStatus> read() override
    {
        ++reads;
        return status;
    }
};

class FakeDriveSource final : public DriveSource {
public:
    std::vector<DriveInfo> all;

    std::vector<DriveInfo> drives(bool withRemovable) override
    {
        std::vector<DriveInfo> out;
        for (const DriveInfo& d : all) {
            if (!d.removable || withRemovable)
                out.push_back(d);
        }
        return out;
    }
};

} // namespace zorvex
