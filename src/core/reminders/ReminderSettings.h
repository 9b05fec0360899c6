#pragma once

#include "core/settings/SettingsSection.h"

namespace zorvex {

// Section "Solenizant": birthdays and name days.
struct PersonReminderSettings : SettingsSection {
    PersonReminderSettings();
    int aktywny;  // 0/1: today's window names the persons
    bool panelU;  // birthdays marked on the calendar
    bool panelI;  // name days marked on the calendar

    const char* name() const override { return "Solenizant"; }
    void visit(SettingsVisitor& v) override;
};

// Section "Inne": important days.
struct ImportantDaySettings : SettingsSection {
    ImportantDaySettings();
    int aktywne; // 0/1
    bool panel;

    const char* name() const override { return "Inne"; }
    void visit(SettingsVisitor& v) override;
};

// Section "Prywatne": private days and anniversaries.
struct PrivateDaySettings : SettingsSection {
    PrivateDaySettings();
    bool aktywne;
    bool panel;

    const char* name() const override { return "Prywatne"; }
    void visit(SettingsVisitor& v) override;
};

// Section "WazneDatyPow": the upcoming-dates window.
struct UpcomingDatesSettings : SettingsSection {
    UpcomingDatesSettings();
    bool pokaz;    // show by itself
    int polazDni;  // when something is at most this many days ahead
    bool pokaz1;   // birthdays and name days
    bool pokaz2;   // important days
    bool pokaz3;   // private days and anniversaries
    bool raz;      // at most once a day, across runs
    int x, y, w, h; // window bounds, -1: not stored

    const char* name() const override { return "WazneDatyPow"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
