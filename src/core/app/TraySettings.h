#pragma once

#include "core/settings/SettingsSection.h"

namespace zorvex {

// Section "Tray": the pattern of the tray icon's hint.
struct TraySettings : SettingsSection {
    TraySettings();

    QString hintPattern;

    const char* name() const override { return "Tray"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
