#pragma once

#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

// Section "Ping": the ping monitor.
struct PingSettings : SettingsSection {
    PingSettings();
    bool odswiezAuto;   // OdswiezAuto
    int odswiezAutoMin; // OdswiezAutoMin, 1..60
    bool odswiezUru;    // OdswiezUru
    int czasLacz;       // CzasLacz: the echo's time-out in ms, 1..5000
    bool powiadomienie; // Powiadomienie
    bool autoUkr;       // AutoUkr
    int autoUkrSek;     // AutoUkrSek, 1..59
    bool balon;         // Balon
    bool balonUkr;      // BalonUkr
    int balonSek;       // BalonSek, 1..59
    bool glosnik;       // Glosnik
    int glosnikNr;      // GlosnikNr, 0..14
    bool dzwiek;        // Dzwiek
    QString sciDzwiek;  // SciDzwiek
    QString przedzial1; // Przedzial1: the range's start
    QString przedzial2; // Przedzial2: its end, stored with the start's network
    bool nazwy;         // Nazwy: look names up while scanning

    const char* name() const override { return "Ping"; }
    void visit(SettingsVisitor& v) override;
};

// The result texts of the LAN messenger ("Posłaniec"), by the messenger
// service's result code.
QString messengerResultText(int code);
inline constexpr int kMessengerMaxAddress = 40;

} // namespace zorvex
