#pragma once

#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

// Section "Alarm": the hourly chime.
struct ChimeSettings : SettingsSection {
    enum Mode { Off = 0, Set = 1, File = 2 };
    enum SetChoice { Random = 1, Chosen = 2 };

    ChimeSettings();
    int mode;           // Dźwięk
    int setChoice;      // Dźwięk_r
    int setNumber;      // Dźwięk_n, 1-based position in the sorted set list
    int volume;         // Dźwięk_vol, 0..100
    QString file;       // PlikGo; a relative path is below the data folder
    int firstHour;      // Dźwięk_od, 0..23
    int lastHour;       // Dźwięk_do, 0..23; 0 to 23 means the whole day
    bool skipFullScreen; // Dźwięk_wylpelnyekran
    bool skipPlaylist;   // Dźwięk_NoM3U
    bool skipRadio;      // Dźwięk_NoR

    bool wholeDay() const { return firstHour == 0 && lastHour == 23; }

    const char* name() const override { return "Alarm"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
