#include "core/internet/DesktopSettings.h"

namespace zorvex {

void AssociationSettings::visit(SettingsVisitor& v)
{
    v.boolean("zvx", openBackups, true);
    v.boolean("zvxd", openAddons, true);
}

void AutostartSettings::visit(SettingsVisitor& v)
{
    v.boolean("Autostart", autostart, true);
}

} // namespace zorvex
