#include "core/desktop/DiscSettings.h"

namespace zorvex {

DiscCatalogueSettings::DiscCatalogueSettings()
{
    resetToDefaults(*this);
}

void DiscCatalogueSettings::visit(SettingsVisitor& v)
{
    v.integer("PozFol", selectedFolder, -1, -1);
    v.boolean("Ustawienia", settingsShown, true);
    v.text("Daemon", program, QString());
    v.integer("X", x, -1);
    v.integer("Y", y, -1);
    v.integer("W", w, -1);
    v.integer("H", h, -1);
    v.boolean("M", maximized, false);
    v.integer("Ost", lastMounted, -1, -1);
}

} // namespace zorvex
