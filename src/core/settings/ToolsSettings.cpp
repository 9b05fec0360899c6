#include "core/settings/ToolsSettings.h"

namespace zorvex {

void ToolsSettings::visit(SettingsVisitor& v)
{
    v.boolean("Lista", lista, true);
    v.colour("Kolor", kolor, 15793151);
    v.colour("KolorT", kolorT, 0);
    v.boolean("Cien", cien, true);
    v.boolean("Aktualizacja", aktualizacja, true);
    v.integer("AktualizacjaCoIle", aktualizacjaCoIle, 0);
    v.date("AktualizacjaData", aktualizacjaData, kNever);
    v.text("KopiaSci", kopiaSci, QString());
    v.boolean("AutoSave", autoSave, true);
    v.integer("AutoSaveMin", autoSaveMin, 10, 1, 15000);
}

} // namespace zorvex
