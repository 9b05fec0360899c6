#pragma once

#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

// Section "Pocz": the mail checker and its messages window.
struct MailSettings : SettingsSection {
    MailSettings();
    bool autoCheck;             // OdswiezAuto: "Sprawdzaj automatycznie co"
    bool checkAtStart;          // OdswiezUru: "Sprawdź przy uruchomieniu"
    int autoCheckMinutes;       // OdswiezAutoMin, 1..60
    int actWhen;                // ZadanieGdy, 0..2
    bool notify;                // Powiadomienie
    bool notifyAutoHide;        // PowUkr
    int notifyHideSeconds;      // PowUkrSek, 1..59
    bool balloon;               // Balon
    bool balloonAutoHide;       // BalonUkr
    int balloonHideSeconds;     // BalonUkrSek, 1..59
    bool speakerSignal;         // Glosnik
    int speakerSignalNumber;    // GlosnikNr, 0..14
    bool playSound;             // Dzwiek
    bool blinkScrollLock;       // Scroll
    bool fetchHeaders;          // PobierzNaglowki
    int notifyClick;            // PowClick, 0..2
    int balloonClick;           // BalClick, 0..2
    bool noNotifyInFullScreen;  // NiePokPowFS
    bool noBalloonInFullScreen; // NiePokBalFS
    QString program;            // Program: the mail program, empty = the desktop's
    DayTime lastCheck;          // Ostatnio: the last check
    // The messages window.
    int windowAccount;
    int windowX, windowY, windowW, windowH;
    bool windowMaximized;
    int columnWidths[5];
    bool confirmDeletion;

    const char* name() const override { return "Pocz"; }
    void visit(SettingsVisitor& v) override;
};

// Section "Poczta": the mail sound.
struct MailSoundSettings : SettingsSection {
    MailSoundSettings();
    QString soundFile; // SciDzwiek; relative paths are below the data folder

    const char* name() const override { return "Poczta"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
