#include "core/status/StatusSettings.h"

#include "core/status/TransferChart.h"

namespace zorvex {

UptimeSettings::UptimeSettings()
{
    resetToDefaults(*this);
}

void UptimeSettings::visit(SettingsVisitor& v)
{
    v.boolean("Aktywny", active, true);
}

UptimeCostSettings::UptimeCostSettings()
{
    resetToDefaults(*this);
}

void UptimeCostSettings::visit(SettingsVisitor& v)
{
    v.real("Stawka", pricePerKwh, 0.1847);
    v.real("kW", powerKw, 0.3);
}

MouseOdometerSettings::MouseOdometerSettings()
{
    resetToDefaults(*this);
}

void MouseOdometerSettings::visit(SettingsVisitor& v)
{
    v.boolean("Aktywny", active, true);
}

TrafficSettings::TrafficSettings()
{
    resetToDefaults(*this);
}

void TrafficSettings::visit(SettingsVisitor& v)
{
    v.boolean("Aktywna", active, false);
    v.text("MAC", mac, QString());
    v.integer("Poz", interfacePosition, 0);
    v.boolean("Pobrane", showReceived, true);
}

TransferChartSettings::TransferChartSettings()
{
    resetToDefaults(*this);
}

void TransferChartSettings::visit(SettingsVisitor& v)
{
    static const char* const keys[7] = {"Kolor1", "Kolor2", "Kolor3", "Kolor4", "Kolor5", "Kolor6", "Kolor7"};
    for (int i = 0; i < 7; ++i)
        v.colour(keys[i], colours[i], kTransferDefaultColours[i]);
    v.boolean("PokUru", showAtStart, false);
    v.boolean("Ogranicz", limitShown, false);
    v.integer("OgraniczKB", limitKb, 80, 1, 32767);
    v.boolean("NaWierzchu", alwaysOnTop, false);
    v.boolean("PobPrzod", receivedInFront, false);
    v.boolean("Blend", translucent, false);
    v.integer("BlendVal", opacity, 255, 1, 255);
    v.boolean("Tray", trayClickRaises, false);
    v.boolean("UkryjRamke", hideFrame, false);
    v.boolean("Przezroczyste", transparentBackground, false);
    v.boolean("UkryjMax", hideMaximum, false);
    v.integer("X", x, -1);
    v.integer("Y", y, -1);
    v.integer("W", w, 235);
    v.integer("H", h, 115);
}

} // namespace zorvex
