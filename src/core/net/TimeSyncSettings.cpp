#include "core/net/TimeSyncSettings.h"

namespace zorvex {

TimeSyncSettings::TimeSyncSettings()
{
    resetToDefaults(*this);
}

void TimeSyncSettings::visit(SettingsVisitor& v)
{
    v.text("Serwer", server, QString::fromLatin1(kDefaultTimeServer));
    v.integer("Auto", autoMode, 0, 0, 2);
    v.dateTime("Ostatnio", lastSync, kNever);
    v.date("Dzien", lastDailySync, kNever);
    v.integer("Skorygowano", lastCorrection, -1, -1);
}

} // namespace zorvex
