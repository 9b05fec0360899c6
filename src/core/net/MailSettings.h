#pragma once

#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

// Section "Pocz": the mail checker and its messages window.
struct MailSettings : SettingsSection {
    MailSettings();
    bool odswiezAuto;    // OdswiezAuto: "Sprawdzaj automatycznie co"
    bool odswiezUru;     // OdswiezUru: "Sprawdź przy uruchomieniu"
    int odswiezAutoMin;  // OdswiezAutoMin, 1..60
    int zadanieGdy;      // ZadanieGdy, 0..2
    bool powiadomienie;  // Powiadomienie
    bool powUkr;         // PowUkr
    int powUkrSek;       // PowUkrSek, 1..59
    bool balon;          // Balon
    bool balonUkr;       // BalonUkr
    int balonUkrSek;     // BalonUkrSek, 1..59
    bool glosnik;        // Glosnik
    int glosnikNr;       // GlosnikNr, 0..14
    bool dzwiek;         // Dzwiek
    bool scroll;         // Scroll
    bool pobierzNaglowki; // PobierzNaglowki
    int powClick;        // PowClick, 0..2
    int balClick;        // BalClick, 0..2
    bool niePokPowFS;    // NiePokPowFS
    bool niePokBalFS;    // NiePokBalFS
    QString program;     // Program: the mail program, empty = the desktop's
    DayTime ostatnio;    // Ostatnio: the last check
    // The messages window.
    int oknoI;
    int oknoX, oknoY, oknoW, oknoH;
    bool oknoM;
    int oknoK[5];
    bool pokazKomunikat;

    const char* name() const override { return "Pocz"; }
    void visit(SettingsVisitor& v) override;
};

// Section "Poczta": the mail sound.
struct MailSoundSettings : SettingsSection {
    MailSoundSettings();
    QString sciDzwiek; // SciDzwiek; relative paths are below the data folder

    const char* name() const override { return "Poczta"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
