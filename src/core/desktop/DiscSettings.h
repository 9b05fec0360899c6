#pragma once

#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

// Section "Klony": the disc image window.
struct DiscCatalogueSettings : SettingsSection {
    DiscCatalogueSettings();
    QString program;      // Daemon: the program that mounts images
    int x, y, w, h;       // -1 = not stored
    bool maximized;       // M
    int selectedFolder;   // PozFol, -1 = none
    bool settingsShown;   // Ustawienia
    int lastMounted;      // Ost: catalogue row mounted last, -1 = none

    const char* name() const override { return "Klony"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
