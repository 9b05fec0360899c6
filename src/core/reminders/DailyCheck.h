#pragma once

#include "core/common/DayTime.h"
#include "core/reminders/UpcomingDates.h"

#include <QDate>
#include <QString>

#include <optional>

namespace zorvex {

class Clock;
struct PersonReminderSettings;
struct ImportantDaySettings;
struct PrivateDaySettings;
struct UpcomingDatesSettings;

enum class ReminderCheckState { NotRun, Running, Done };

// The settings the daily check reads, and the two it writes ("Vuzuvured":
// NiePokazujKom, OstPokCP).
struct DailyCheckSettings {
    const PersonReminderSettings& persons;
    const ImportantDaySettings& important;
    const PrivateDaySettings& privateDays;
    const UpcomingDatesSettings& upcoming;
    QString& todayWindowMutedOn;
    DayTime& upcomingLastShown;
};

// What one run of the daily check wants shown.
struct DailyCheckOutcome {
    QString todayText;          // non-empty: show the "Ważny dzień" window
    QList<UpcomingRow> rows;    // the upcoming-dates table
    bool showUpcoming = false;  // open the upcoming-dates window with `rows`
    bool showNothingAhead = false; // manual run without rows: say so
};

// The once-a-day rules of the reminder windows. The today window appears at
// most once a day per run and not again on a day the user silenced it; the
// upcoming-dates window at most once a day across runs when "Raz" is on,
// else at every start and every date change.
class DailyReminderCheck {
public:
    // `ostPokCPAtStart` is the stored time the upcoming window was last
    // shown, as read at start-up.
    DailyReminderCheck(const Clock& clock, DayTime ostPokCPAtStart);

    ReminderCheckState state() const { return m_state; }

    // A new day or "Testuj powiadomienie": forget that the check ran.
    void reset() { m_state = ReminderCheckState::NotRun; }

    // Starts a run: nothing while one is running or done (automatic runs),
    // otherwise the outcome to show. The state stays Running until finish().
    std::optional<DailyCheckOutcome> start(bool automatic, const ReminderLists& lists, const DailyCheckSettings& s);
    // Ends the run; `upcomingShown` records the showing when "Raz" is on.
    void finish(bool upcomingShown, const DailyCheckSettings& s);

    // The today window closed with "Nie pokazuj więcej dzisiaj tej
    // informacji" ticked or not.
    void todayWindowClosed(bool silenced, const DailyCheckSettings& s) const;

private:
    QDate today() const;

    const Clock& m_clock;
    DayTime m_ostPokCPAtStart;
    ReminderCheckState m_state = ReminderCheckState::NotRun;
};

} // namespace zorvex
