#include "core/settings/ToolsSettings.h"

namespace zorvex {

void ToolsSettings::visit(SettingsVisitor& v)
{
    v.boolean("Lista", pagesAsList, true);
    v.colour("Kolor", background, 15793151);
    v.colour("KolorT", textColour, 0);
    v.boolean("Cien", buttonShadow, true);
    v.boolean("Aktualizacja", updateCheck, true);
    v.integer("AktualizacjaCoIle", updateCheckWeekly, 0);
    v.date("AktualizacjaData", lastUpdateCheckDay, kNever);
    v.text("KopiaSci", backupFolder, QString());
    v.boolean("AutoSave", autoSave, true);
    v.integer("AutoSaveMin", autoSaveMinutes, 10, 1, 15000);
}

} // namespace zorvex
