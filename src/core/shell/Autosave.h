#pragma once

#include "core/common/DayTime.h"

#include <QString>

#include <optional>

namespace zorvex {

// The one-line record that protects the day's counters against a crash:
// session start | now | mouse travel today | bytes in today | bytes out today.
struct AutosaveRecord {
    DayTime sessionStart = kNever;
    DayTime now = kNever;
    qint64 mouse = 0;
    qint64 received = 0;
    qint64 sent = 0;

    QString format() const;
    // Only a line with exactly four "|" is a record. Counters that do not
    // parse, or are negative, read as 0.
    static std::optional<AutosaveRecord> parse(const QString& line);
};

// Where the counters come from; the uptime log, the mouse odometer and the
// traffic monitor provide them once they run.
class AutosaveSource {
public:
    virtual ~AutosaveSource() = default;
    virtual DayTime sessionStart() const = 0;
    virtual qint64 mouseToday() const = 0;
    // Zero when the traffic statistic is off or no interface is monitored.
    virtual qint64 receivedToday() const = 0;
    virtual qint64 sentToday() const = 0;
};

// Where a recovered record goes at the next start.
class AutosaveSink {
public:
    virtual ~AutosaveSink() = default;
    virtual bool uptimeLogOn() const = 0;
    virtual void recordInterruptedSession(DayTime start, DayTime end) = 0;
    virtual bool mouseOdometerOn() const = 0;
    virtual void addMouseToday(qint64 pixels) = 0;
    virtual bool trafficOn() const = 0;
    virtual void addTrafficToday(qint64 received, qint64 sent) = 0;
};

// Writes the record, replacing the file. Errors are swallowed.
void writeAutosave(const QString& path, const AutosaveSource& source, DayTime now);

// At the creation of the Tools window: reads the first line of the file,
// deletes the file, and hands a valid record's values to the sink. The
// counters go to the date of this start, whatever day the record was
// written. Returns whether a record was used.
bool recoverAutosave(const QString& path, AutosaveSink& sink);

void deleteAutosave(const QString& path);

} // namespace zorvex
