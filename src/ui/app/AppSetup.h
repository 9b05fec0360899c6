#pragma once

namespace zorvex {

// What the Qt application needs before the first window: its name, staying
// alive without windows (the tray holds it), and Qt's own texts in Polish.
// Captions are left exactly as each window sets them.
void setUpApplication();

// Loads Qt's Polish texts ("Tak"/"Nie", the text fields' menus); false when
// the translation is not installed.
bool loadQtTranslations();

} // namespace zorvex
