#include "core/internet/WeatherSettings.h"

namespace zorvex {

WeatherSettings::WeatherSettings()
{
    resetToDefaults(*this);
}

void WeatherSettings::visit(SettingsVisitor& v)
{
    v.integer("Miasto", city, 0, 0);
    v.integer("Dzien", day, 0, 0, 4);
    v.boolean("IkoPokaz", iconInsteadOfTimeOfDay, false);
    v.boolean("IkoWl", iconFetchAtStart, false);
    v.integer("IkoMiasto", iconCity, 0, 0);
    v.integer("IkoDzien", iconDay, 0, 0, 4);
    v.dateTime("IkoData", iconFetched, kNever);
    v.text("IkoSchemat", iconSet, QString::fromUtf8(kDefaultIconSet));
    v.integer("IkoNr", iconPicture, 0, 0, 11);
    v.integer("IkoNaDzien", iconDataDay, 0, 0, 4);
    v.text("IkoDane", iconData, QString());
    v.boolean("IkoTemp", iconTemperature, true);
    v.integer("IkoTempTyp", iconTemperatureKind, 0, 0, 2);
    v.boolean("IkoAutoOds", iconAutoRefresh, false);
    v.integer("IkoAutoOdsC", iconRefreshHours, 5, 1, 24);
    v.boolean("Dopasuj", fitMapToView, false);
    v.integer("Lista", mapList, 0, 0, 2);
    v.integer("ZazL1", standardMapIndex, 0, 0);
    v.integer("ZazL2", userMapIndex, 0, 0);
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
