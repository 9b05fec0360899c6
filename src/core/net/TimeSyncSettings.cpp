#include "core/net/TimeSyncSettings.h"

namespace zorvex {

TimeSyncSettings::TimeSyncSettings()
{
    resetToDefaults(*this);
}

void TimeSyncSettings::visit(SettingsVisitor& v)
{
    v.text("Serwer", serwer, QString::fromLatin1(kDefaultTimeServer));
    v.integer("Auto", autoMode, 0, 0, 2);
    v.dateTime("Ostatnio", ostatnio, kNever);
    v.date("Dzien", dzien, kNever);
    v.integer("Skorygowano", skorygowano, -1, -1);
}

} // namespace zorvex
