#include "core/internet/WeatherSettings.h"

namespace zorvex {

WeatherSettings::WeatherSettings()
{
    resetToDefaults(*this);
}

void WeatherSettings::visit(SettingsVisitor& v)
{
    v.integer("Miasto", miasto, 0, 0);
    v.integer("Dzien", dzien, 0, 0, 4);
    v.boolean("IkoPokaz", ikoPokaz, false);
    v.boolean("IkoWl", ikoWl, false);
    v.integer("IkoMiasto", ikoMiasto, 0, 0);
    v.integer("IkoDzien", ikoDzien, 0, 0, 4);
    v.dateTime("IkoData", ikoData, kNever);
    v.text("IkoSchemat", ikoSchemat, QString::fromUtf8(kDefaultIconSet));
    v.integer("IkoNr", ikoNr, 0, 0, 11);
    v.integer("IkoNaDzien", ikoNaDzien, 0, 0, 4);
    v.text("IkoDane", ikoDane, QString());
    v.boolean("IkoTemp", ikoTemp, true);
    v.integer("IkoTempTyp", ikoTempTyp, 0, 0, 2);
    v.boolean("IkoAutoOds", ikoAutoOds, false);
    v.integer("IkoAutoOdsC", ikoAutoOdsC, 5, 1, 24);
    v.boolean("Dopasuj", dopasuj, false);
    v.integer("Lista", lista, 0, 0, 2);
    v.integer("ZazL1", zazL1, 0, 0);
    v.integer("ZazL2", zazL2, 0, 0);
}

MiscPageSettings::MiscPageSettings()
{
    resetToDefaults(*this);
}

void MiscPageSettings::visit(SettingsVisitor& v)
{
    v.integer("Wyb", wyb, -1, -1);
}

} // namespace zorvex
