#include "core/internet/DesktopSettings.h"

namespace zorvex {

void AssociationSettings::visit(SettingsVisitor& v)
{
    v.boolean("zvx", zvx, true);
    v.boolean("zvxd", zvxd, true);
}

void AutostartSettings::visit(SettingsVisitor& v)
{
    v.boolean("Autostart", autostart, true);
}

} // namespace zorvex
