#include "core/media/RadioSettings.h"

namespace zorvex {

RadioSettings::RadioSettings()
{
    resetToDefaults(*this);
}

void RadioSettings::visit(SettingsVisitor& v)
{
    v.boolean("Auto", autoPlay, false);
    v.text("AutoURL", autoUrl, QString());
    v.integer("Lista1", station, -1);
    v.integer("Lista2", favourite, -1);
    v.integer("ListaK", category, 0);
    v.integer("Vol", volume, 100, 0, 100);
}

} // namespace zorvex
