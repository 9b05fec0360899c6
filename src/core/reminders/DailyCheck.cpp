#include "core/reminders/DailyCheck.h"

#include "core/common/Clock.h"
#include "core/reminders/ReminderSettings.h"

namespace zorvex {

DailyReminderCheck::DailyReminderCheck(const Clock& clock, DayTime ostPokCPAtStart)
    : m_clock(clock)
    , m_ostPokCPAtStart(ostPokCPAtStart)
{
}

QDate DailyReminderCheck::today() const { return m_clock.now().date(); }

std::optional<DailyCheckOutcome> DailyReminderCheck::start(bool automatic, const ReminderLists& lists,
                                                           const DailyCheckSettings& s)
{
    if (m_state != ReminderCheckState::NotRun)
        return std::nullopt;
    m_state = ReminderCheckState::Running;
    const QDate now = today();
    DailyCheckOutcome out;

    if (automatic) {
        const TodayKinds kinds{s.persons.inTodayWindow == 1, s.important.inTodayWindow == 1, s.privateDays.inTodayWindow};
        const auto silenced = parseDayTime(s.todayWindowMutedOn);
        if (!(silenced && dateOf(*silenced) == now))
            out.todayText = todayText(lists, kinds, now);
    }

    const UpcomingDatesSettings& u = s.upcoming;
    bool look = true;
    if (automatic) {
        const bool shownToday = m_ostPokCPAtStart != kNever && dateOf(m_ostPokCPAtStart) == now;
        look = u.showByItself && !(u.onceADay && shownToday);
    }
    if (look) {
        out.rows = upcomingRows(lists, UpcomingKinds{u.includePersons, u.includeImportantDays, u.includePrivateDays}, now);
        if (automatic)
            out.showUpcoming = upcomingDueWithin(out.rows, u.daysAhead);
        else {
            out.showUpcoming = !out.rows.isEmpty();
            out.showNothingAhead = out.rows.isEmpty();
        }
    }
    return out;
}

void DailyReminderCheck::finish(bool upcomingShown, const DailyCheckSettings& s)
{
    m_state = ReminderCheckState::Done;
    if (upcomingShown && s.upcoming.onceADay)
        s.upcomingLastShown = toDayTime(m_clock.now());
}

void DailyReminderCheck::todayWindowClosed(bool silenced, const DailyCheckSettings& s) const
{
    s.todayWindowMutedOn = silenced ? formatDate(toDayTime(today())) : QString();
}

} // namespace zorvex
