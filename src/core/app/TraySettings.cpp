#include "core/app/TraySettings.h"

#include "core/app/TrayHint.h"

namespace zorvex {

TraySettings::TraySettings()
    : podpowiedz(defaultTrayHintPattern())
{
}

void TraySettings::visit(SettingsVisitor& v)
{
    v.text("Podpowiedz", podpowiedz, defaultTrayHintPattern());
}

} // namespace zorvex
