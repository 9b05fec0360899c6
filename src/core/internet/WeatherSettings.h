#pragma once

#include "core/common/DayTime.h"
#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

inline constexpr char kDefaultIconSet[] = "Domyślny";

// Section "Pogoda": the forecast page and the desktop weather icon. The
// keys of the weather maps in the same section are left as the file has
// them.
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

    const char* name() const override { return "Pogoda"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
