#pragma once

#include "core/common/DayTime.h"
#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

inline constexpr char kDefaultIconSet[] = "Domyślny";

// Section "Pogoda": the forecast page, the desktop weather icon and the
// weather maps.
struct WeatherSettings : SettingsSection {
    WeatherSettings();
    int city;                    // Miasto: forecast page city index
    int day;                     // Dzien: forecast page day index, 0..4
    bool iconInsteadOfTimeOfDay; // IkoPokaz: the icon instead of the time-of-day picture
    bool iconFetchAtStart;       // IkoWl: fetch at start
    int iconCity;                // IkoMiasto
    int iconDay;                 // IkoDzien, 0..4
    DayTime iconFetched;         // IkoData: the last icon fetch
    QString iconSet;             // IkoSchemat: icon set
    int iconPicture;             // IkoNr: picture last shown, 0..11
    int iconDataDay;             // IkoNaDzien: day index of the stored data
    QString iconData;            // IkoDane
    bool iconTemperature;        // IkoTemp
    int iconTemperatureKind;     // IkoTempTyp: 0 mean, 1 max, 2 min
    bool iconAutoRefresh;        // IkoAutoOds
    int iconRefreshHours;        // IkoAutoOdsC: hours, 1..24
    bool fitMapToView;           // Dopasuj: maps fitted to the view
    int mapList;                 // Lista: map list shown, 1 standard, 2 user, 0 none chosen
    int standardMapIndex;        // ZazL1: selected standard map
    int userMapIndex;            // ZazL2: selected user map

    const char* name() const override { return "Pogoda"; }
    void visit(SettingsVisitor& v) override;
};

// Section "Wiadomosci": the entry of the page "Różne".
struct MiscPageSettings : SettingsSection {
    MiscPageSettings();
    int wyb; // Wyb: selected entry, -1 none

    const char* name() const override { return "Wiadomosci"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
