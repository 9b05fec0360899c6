#include "core/status/StatusSettings.h"

#include "core/status/TransferChart.h"

namespace zorvex {

UptimeSettings::UptimeSettings()
{
    resetToDefaults(*this);
}

void UptimeSettings::visit(SettingsVisitor& v)
{
    v.boolean("Aktywny", aktywny, true);
}

UptimeCostSettings::UptimeCostSettings()
{
    resetToDefaults(*this);
}

void UptimeCostSettings::visit(SettingsVisitor& v)
{
    v.real("Stawka", stawka, 0.1847);
    v.real("kW", kW, 0.3);
}

MouseOdometerSettings::MouseOdometerSettings()
{
    resetToDefaults(*this);
}

void MouseOdometerSettings::visit(SettingsVisitor& v)
{
    v.boolean("Aktywny", aktywny, true);
}

TrafficSettings::TrafficSettings()
{
    resetToDefaults(*this);
}

void TrafficSettings::visit(SettingsVisitor& v)
{
    v.boolean("Aktywna", aktywna, false);
    v.text("MAC", mac, QString());
    v.integer("Poz", poz, 0);
    v.boolean("Pobrane", pobrane, true);
}

TransferChartSettings::TransferChartSettings()
{
    resetToDefaults(*this);
}

void TransferChartSettings::visit(SettingsVisitor& v)
{
    static const char* const keys[7] = {"Kolor1", "Kolor2", "Kolor3", "Kolor4", "Kolor5", "Kolor6", "Kolor7"};
    for (int i = 0; i < 7; ++i)
        v.colour(keys[i], kolor[i], kTransferDefaultColours[i]);
    v.boolean("PokUru", pokUru, false);
    v.boolean("Ogranicz", ogranicz, false);
    v.integer("OgraniczKB", ograniczKB, 80, 1, 32767);
    v.boolean("NaWierzchu", naWierzchu, false);
    v.boolean("PobPrzod", pobPrzod, false);
    v.boolean("Blend", blend, false);
    v.integer("BlendVal", blendVal, 255, 1, 255);
    v.boolean("Tray", tray, false);
    v.boolean("UkryjRamke", ukryjRamke, false);
    v.boolean("Przezroczyste", przezroczyste, false);
    v.boolean("UkryjMax", ukryjMax, false);
    v.integer("X", x, -1);
    v.integer("Y", y, -1);
    v.integer("W", w, 235);
    v.integer("H", h, 115);
}

} // namespace zorvex
