#include "core/reminders/ReminderSettings.h"

namespace zorvex {

PersonReminderSettings::PersonReminderSettings() { resetToDefaults(*this); }

void PersonReminderSettings::visit(SettingsVisitor& v)
{
    v.integer("Aktywny", inTodayWindow, 0, 0, 1);
    v.boolean("PanelU", birthdaysOnCalendar, true);
    v.boolean("PanelI", nameDaysOnCalendar, true);
}

ImportantDaySettings::ImportantDaySettings() { resetToDefaults(*this); }

void ImportantDaySettings::visit(SettingsVisitor& v)
{
    v.integer("Aktywne", inTodayWindow, 1, 0, 1);
    v.boolean("Panel", onCalendar, true);
}

PrivateDaySettings::PrivateDaySettings() { resetToDefaults(*this); }

void PrivateDaySettings::visit(SettingsVisitor& v)
{
    v.boolean("Aktywne", inTodayWindow, true);
    v.boolean("Panel", onCalendar, true);
}

UpcomingDatesSettings::UpcomingDatesSettings() { resetToDefaults(*this); }

void UpcomingDatesSettings::visit(SettingsVisitor& v)
{
    v.boolean("Pokaz", showByItself, false);
    v.integer("PolazDni", daysAhead, 7, 1, 31);
    v.boolean("Pokaz1", includePersons, true);
    v.boolean("Pokaz2", includeImportantDays, true);
    v.boolean("Pokaz3", includePrivateDays, true);
    v.boolean("Raz", onceADay, true);
    v.integer("X", x, -1);
    v.integer("Y", y, -1);
    v.integer("W", w, -1);
    v.integer("H", h, -1);
}

} // namespace zorvex
