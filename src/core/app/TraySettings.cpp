#include "core/app/TraySettings.h"

#include "core/app/TrayHint.h"

namespace zorvex {

TraySettings::TraySettings()
    : hintPattern(defaultTrayHintPattern())
{
}

void TraySettings::visit(SettingsVisitor& v)
{
    v.text("Podpowiedz", hintPattern, defaultTrayHintPattern());
}

} // namespace zorvex
