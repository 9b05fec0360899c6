#pragma once

#include "core/settings/SettingsSection.h"

namespace zorvex {

// Section "Skojarzenia": which package types the desktop opens with the
// program.
struct AssociationSettings : SettingsSection {
    bool openBackups = true; // settings backups
    bool openAddons = true;  // add-on packages

    const char* name() const override { return "Skojarzenia"; }
    void visit(SettingsVisitor& v) override;
};

// The start-with-the-session key of section "Inne".
struct AutostartSettings : SettingsSection {
    bool autostart = true;

    const char* name() const override { return "Inne"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
