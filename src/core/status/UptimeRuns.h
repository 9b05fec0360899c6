#pragma once

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace zorvex {

// One line of the system's start/stop record, in the record's order.
struct UptimeEvent {
    enum class Kind { Start, End };
    Kind kind = Kind::Start;
    QDateTime time;
};

// One run of the computer: from a start to the end that followed it.
struct UptimeRun {
    QDateTime start;
    QDateTime end;

    // start + "|" + end, the line of "Czas2.ini".
    QString text() const;
    friend bool operator==(const UptimeRun&, const UptimeRun&) = default;
};

// The run that the last autosave record knew when the program ended
// abnormally: its start and the time the record was written.
struct InterruptedSession {
    QDateTime start;
    QDateTime end;
};

struct UptimeReading {
    std::vector<UptimeRun> runs;
    // The start of the run that is still going: the last line when it is a
    // start line, else the moment the program started.
    QDateTime currentStart;
};

// Pairs the lines: a start followed directly by an end is a run; an end
// without a start before it is dropped. A start followed by another start
// (the computer stopped without an end record) is a run only when it is the
// start of the interrupted session and not the current run: it then ends
// when that session's last record was written.
UptimeReading pairUptimeEvents(const std::vector<UptimeEvent>& events, const std::optional<InterruptedSession>& crash,
                               const QDateTime& programStart);

} // namespace zorvex
