#pragma once

#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

// Section "Ping": the ping monitor.
struct PingSettings : SettingsSection {
    PingSettings();
    bool autoCheck;          // OdswiezAuto
    int autoCheckMinutes;    // OdswiezAutoMin, 1..60
    bool checkAtStart;       // OdswiezUru
    int timeoutMs;           // CzasLacz: the echo's time-out in ms, 1..5000
    bool notify;             // Powiadomienie
    bool notifyAutoHide;     // AutoUkr
    int notifyHideSeconds;   // AutoUkrSek, 1..59
    bool balloon;            // Balon
    bool balloonAutoHide;    // BalonUkr
    int balloonHideSeconds;  // BalonSek, 1..59
    bool speakerSignal;      // Glosnik
    int speakerSignalNumber; // GlosnikNr, 0..14
    bool playSound;          // Dzwiek
    QString soundFile;       // SciDzwiek
    QString rangeStart;      // Przedzial1: the range's start
    QString rangeEnd;        // Przedzial2: its end, stored with the start's network
    bool lookUpNames;        // Nazwy: look names up while scanning

    const char* name() const override { return "Ping"; }
    void visit(SettingsVisitor& v) override;
};

// The result texts of the LAN messenger ("Posłaniec"), by the messenger
// service's result code.
QString messengerResultText(int code);
inline constexpr int kMessengerMaxAddress = 40;

} // namespace zorvex
