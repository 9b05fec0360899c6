#pragma once

#include "core/common/Colour.h"
#include "core/settings/SettingsSection.h"

namespace zorvex {

// Section "Ustawienia": the Tools window's look, update check, backup folder
// and the autosave record.
struct ToolsSettings : SettingsSection {
    bool pagesAsList;            // Lista
    Colour background;           // Kolor
    Colour textColour;           // KolorT
    bool buttonShadow;           // Cien
    bool updateCheck;            // Aktualizacja
    int updateCheckWeekly;       // AktualizacjaCoIle: 0 daily, 1 weekly
    DayTime lastUpdateCheckDay;  // AktualizacjaData
    QString backupFolder;        // KopiaSci
    bool autoSave;               // AutoSave
    int autoSaveMinutes;         // AutoSaveMin

    const char* name() const override { return "Ustawienia"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
