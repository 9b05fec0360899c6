#pragma once

#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

// Section "Radio": the radio page.
struct RadioSettings : SettingsSection {
    RadioSettings();
    bool autoPlay;     // Auto
    QString autoUrl;   // AutoURL: the favourite played at start
    int station;       // Lista1: selected station of the category, -1 none
    int favourite;     // Lista2: selected favourite, -1 none
    int category;      // ListaK
    int volume;        // Vol, 0..100

    const char* name() const override { return "Radio"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
