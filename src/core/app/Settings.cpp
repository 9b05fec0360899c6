#include "core/app/Settings.h"

namespace zorvex {

Settings::Settings()
{
    resetToDefaults();
}

std::vector<SettingsSection*> Settings::sections()
{
    return {&main, &tools, &tray, &solenizant, &inne, &prywatne, &wazneDatyPow, &chime,
            &czas, &uptimeCost, &ruchMyszy, &siec, &siecWykres, &autostart, &proxy, &skojarzenia, &serwis,
            &tapeter, &tapeterOst, &synchro, &pocz, &poczta, &ping, &m3u, &panelOdtwarzania, &pogoda, &radio,
            &radioRec, &wiadomosci, &klony};
}

void Settings::resetToDefaults()
{
    for (SettingsSection* s : sections())
        zorvex::resetToDefaults(*s);
}

} // namespace zorvex
