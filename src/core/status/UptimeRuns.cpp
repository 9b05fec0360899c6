#include "core/status/UptimeRuns.h"

#include "core/status/StatusText.h"

namespace zorvex {

QString UptimeRun::text() const
{
    return statusDateTimeText(start) + QLatin1Char('|') + statusDateTimeText(end);
}

UptimeReading pairUptimeEvents(const std::vector<UptimeEvent>& events, const std::optional<InterruptedSession>& crash,
                               const QDateTime& programStart)
{
    using Kind = UptimeEvent::Kind;
    UptimeReading reading;
    reading.currentStart =
        !events.empty() && events.back().kind == Kind::Start ? events.back().time : programStart;
    // Times are compared as the files write them, to the second.
    const QString current = statusDateTimeText(reading.currentStart);
    const QString crashed = crash ? statusDateTimeText(crash->start) : QString();

    std::size_t i = 0;
    if (!events.empty() && events.front().kind == Kind::End)
        i = 1;
    for (; i + 1 < events.size(); ++i) {
        const UptimeEvent& a = events[i];
        const UptimeEvent& b = events[i + 1];
        if (a.kind != Kind::Start)
            continue;
        if (b.kind == Kind::End) {
            reading.runs.push_back({a.time, b.time});
            ++i;
        } else if (crash && statusDateTimeText(a.time) == crashed && crashed != current) {
            reading.runs.push_back({a.time, crash->end});
        }
    }
    return reading;
}

} // namespace zorvex
