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
    int miasto;          // Miasto: forecast page city index
    int dzien;           // Dzien: forecast page day index, 0..4
    bool ikoPokaz;       // IkoPokaz: the icon instead of the time-of-day picture
    bool ikoWl;          // IkoWl: fetch at start
    int ikoMiasto;       // IkoMiasto
    int ikoDzien;        // IkoDzien, 0..4
    DayTime ikoData;     // IkoData: the last icon fetch
    QString ikoSchemat;  // IkoSchemat: icon set
    int ikoNr;           // IkoNr: picture last shown, 0..11
    int ikoNaDzien;      // IkoNaDzien: day index of the stored data
    QString ikoDane;     // IkoDane
    bool ikoTemp;        // IkoTemp
    int ikoTempTyp;      // IkoTempTyp: 0 mean, 1 max, 2 min
    bool ikoAutoOds;     // IkoAutoOds
    int ikoAutoOdsC;     // IkoAutoOdsC: hours, 1..24
    bool dopasuj;        // Dopasuj: maps fitted to the view
    int lista;           // Lista: map list shown, 1 standard, 2 user, 0 none chosen
    int zazL1;           // ZazL1: selected standard map
    int zazL2;           // ZazL2: selected user map

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
