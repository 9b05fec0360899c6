#pragma once

#include "core/common/Colour.h"
#include "core/settings/SettingsSection.h"

namespace zorvex {

// Section "Ustawienia": the Tools window's look, update check, backup folder
// and the autosave record.
struct ToolsSettings : SettingsSection {
    bool lista;
    Colour kolor, kolorT;
    bool cien, aktualizacja;
    int aktualizacjaCoIle;
    DayTime aktualizacjaData;
    QString kopiaSci;
    bool autoSave;
    int autoSaveMin;

    const char* name() const override { return "Ustawienia"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
