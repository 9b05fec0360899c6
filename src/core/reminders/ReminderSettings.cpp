#include "core/reminders/ReminderSettings.h"

namespace zorvex {

namespace {
// The constructors reset every key to its default through the same visit
// that loads and saves, so defaults live in one place.
class DefaultsVisitor : public SettingsVisitor {
public:
    void boolean(const char*, bool& v, bool def) override { v = def; }
    void integer(const char*, int& v, int def, int, int) override { v = def; }
    void colour(const char*, int& v, int def) override { v = def; }
    void text(const char*, QString& v, const QString& def) override { v = def; }
    void date(const char*, DayTime& v, DayTime def) override { v = def; }
    void dateTime(const char*, DayTime& v, DayTime def) override { v = def; }
    void real(const char*, double& v, double def) override { v = def; }
    void font(const char*, FontValue& v, const FontValue& def) override { v = def; }
};

template <typename S>
void resetToDefaults(S& s)
{
    DefaultsVisitor d;
    s.visit(d);
}
} // namespace

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
