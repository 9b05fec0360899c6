#pragma once

#include "platform/status/ProcSources.h"
#include "platform/status/WtmpRecords.h"

#include <memory>

namespace zorvex {

class PointerSource;
struct StatusSourceSet;

// The machine as the statistics and gauges see it on Linux: the login
// records, the pointer (X11; none on Wayland), /proc and /sys under
// ZORVEX_SYSROOT, the mount table.
class LinuxStatusSources {
public:
    LinuxStatusSources();
    ~LinuxStatusSources();

    StatusSourceSet set();

private:
    WtmpRecords m_records;
    std::unique_ptr<PointerSource> m_pointer;
    SystemIpv4Addresses m_addresses;
    LinuxNetInterfaceSource m_interfaces;
    LinuxCpuTimesSource m_cpu;
    LinuxMemorySource m_memory;
    LinuxDriveSource m_drives;
};

} // namespace zorvex
