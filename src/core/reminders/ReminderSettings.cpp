#include "core/reminders/ReminderSettings.h"

namespace zorvex {

PersonReminderSettings::PersonReminderSettings() { resetToDefaults(*this); }

void PersonReminderSettings::visit(SettingsVisitor& v)
{
    v.integer("Aktywny", aktywny, 0, 0, 1);
    v.boolean("PanelU", panelU, true);
    v.boolean("PanelI", panelI, true);
}

ImportantDaySettings::ImportantDaySettings() { resetToDefaults(*this); }

void ImportantDaySettings::visit(SettingsVisitor& v)
{
    v.integer("Aktywne", aktywne, 1, 0, 1);
    v.boolean("Panel", panel, true);
}

PrivateDaySettings::PrivateDaySettings() { resetToDefaults(*this); }

void PrivateDaySettings::visit(SettingsVisitor& v)
{
    v.boolean("Aktywne", aktywne, true);
    v.boolean("Panel", panel, true);
}

UpcomingDatesSettings::UpcomingDatesSettings() { resetToDefaults(*this); }

void UpcomingDatesSettings::visit(SettingsVisitor& v)
{
    v.boolean("Pokaz", pokaz, false);
    v.integer("PolazDni", polazDni, 7, 1, 31);
    v.boolean("Pokaz1", pokaz1, true);
    v.boolean("Pokaz2", pokaz2, true);
    v.boolean("Pokaz3", pokaz3, true);
    v.boolean("Raz", raz, true);
    v.integer("X", x, -1);
    v.integer("Y", y, -1);
    v.integer("W", w, -1);
    v.integer("H", h, -1);
}

} // namespace zorvex
