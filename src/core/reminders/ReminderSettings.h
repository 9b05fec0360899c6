#pragma once

#include "core/settings/SettingsSection.h"

namespace zorvex {

// Section "Solenizant": birthdays and name days.
struct PersonReminderSettings : SettingsSection {
    PersonReminderSettings();
    int inTodayWindow;        // 0/1: today's window names the persons
    bool birthdaysOnCalendar; // birthdays marked on the calendar
    bool nameDaysOnCalendar;  // name days marked on the calendar

    const char* name() const override { return "Solenizant"; }
    void visit(SettingsVisitor& v) override;
};

// Section "Inne": important days.
struct ImportantDaySettings : SettingsSection {
    ImportantDaySettings();
    int inTodayWindow; // 0/1
    bool onCalendar;

    const char* name() const override { return "Inne"; }
    void visit(SettingsVisitor& v) override;
};

// Section "Prywatne": private days and anniversaries.
struct PrivateDaySettings : SettingsSection {
    PrivateDaySettings();
    bool inTodayWindow;
    bool onCalendar;

    const char* name() const override { return "Prywatne"; }
    void visit(SettingsVisitor& v) override;
};

// Section "WazneDatyPow": the upcoming-dates window.
struct UpcomingDatesSettings : SettingsSection {
    UpcomingDatesSettings();
    bool showByItself;         // show by itself
    int daysAhead;             // when something is at most this many days ahead
    bool includePersons;       // birthdays and name days
    bool includeImportantDays; // important days
    bool includePrivateDays;   // private days and anniversaries
    bool onceADay;             // at most once a day, across runs
    int x, y, w, h;            // window bounds, -1: not stored

    const char* name() const override { return "WazneDatyPow"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
