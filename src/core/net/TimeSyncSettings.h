#pragma once

#include "core/settings/SettingsSection.h"
#include "core/shell/LoopServices.h"

#include <QString>

namespace zorvex {

inline constexpr char kDefaultTimeServer[] = "pool.ntp.org";

// Section "Synchro": the time synchronisation.
struct TimeSyncSettings : SettingsSection {
    TimeSyncSettings();
    QString server;        // Serwer: the server box's text, "host" or "host:port"
    int autoMode;          // Auto: 0 off, 1 at every start, 2 once a day
    DayTime lastSync;      // Ostatnio: the last successful synchronisation
    DayTime lastDailySync; // Dzien: the date of the last daily one
    int lastCorrection;    // Skorygowano: the last correction in seconds, −1 none

    TimeSyncMode mode() const
    {
        return autoMode == 1 ? TimeSyncMode::AtStart : autoMode == 2 ? TimeSyncMode::Daily : TimeSyncMode::Off;
    }

    const char* name() const override { return "Synchro"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
