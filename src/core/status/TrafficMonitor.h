#pragma once

#include "core/shell/StatusValues.h"
#include "core/status/StatusSources.h"
#include "core/status/StatusText.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace zorvex {

class Clock;

// One interface as the traffic pages know it.
struct TrafficRecord {
    int index = 0;
    QString description;
    QString mac;     // "00-1A-2B-3C-4D-5E"
    QString ip;      // "192.168.  1. 10", "IP nieznany"
    std::optional<qint64> speed;

    quint64 lastIn = 0, lastOut = 0;       // the counters of the previous sample
    qint64 currentIn = 0, currentOut = 0;  // bytes since the previous sample
    qint64 totalIn = 0, totalOut = 0;      // since the record was made
    qint64 peakIn = 0, peakOut = 0;
    qint64 samplesIn = 0, samplesOut = 0;  // samples with traffic
    bool active = true;
    bool present = true;

    qint64 averageIn() const { return samplesIn ? totalIn / samplesIn : 0; }
    qint64 averageOut() const { return samplesOut ? totalOut / samplesOut : 0; }
};

// Counts the bytes of every interface once a second. A counter that goes
// down (the interface was restarted, a PPP link reconnected, the driver
// reloaded) becomes the new baseline and adds nothing: traffic is never
// invented. The chosen interface is the one whose totals go to "Siec.ini".
class TrafficMonitor {
public:
    TrafficMonitor(const Clock& clock, NetInterfaceSource& source);

    // "Statystyka aktywna": off stops counting (every record inactive).
    void setCounting(bool on);
    bool counting() const { return m_counting; }

    // Reads one table and updates or creates the records. An interface that
    // comes back under a new index (unplugged and plugged in again) is
    // found again by its physical address and name and keeps its record.
    // Returns true when the list of records changed.
    bool sample();

    const std::vector<TrafficRecord>& records() const { return m_records; }
    // Position in records(), or -1 while there is none.
    int chosen() const { return m_chosen; }
    const TrafficRecord* chosenRecord() const;
    void choose(int position);
    // At start-up: the record with this MAC, else the position, else the
    // first with an address other than 127.0.0.1 and 0.0.0.0, else the
    // first. Applied as soon as a table has rows.
    void chooseAtStart(const QString& mac, int position);

    // Adds the chosen record's totals to the date's pair in "Siec.ini".
    void commit(const QString& siecPath, const QDate& date) const;
    // The day change: commit, then drop every record; the next table builds
    // them again from 0 and the chosen interface is found again by its
    // MAC and name, else its position.
    void commitDay(const QString& siecPath, const QDate& date);

    // The chosen record's bytes per second: the last sample's bytes over the
    // seconds since the sample before, when more than one passed.
    qint64 receivedPerSecond() const;
    qint64 sentPerSecond() const;
    // The chosen record's totals (0 with none), for the autosave record.
    qint64 receivedToday() const;
    qint64 sentToday() const;

    // The figures the tray hint, the transfer box and the chart read.
    std::optional<TrafficFigures> figures(const NumberStyle& style = {}) const;

private:
    struct Choice {
        QString mac;
        QString name;
        int position = 0;
    };
    void resolveChoice();
    qint64 perSecond(qint64 current) const;

    const Clock& m_clock;
    NetInterfaceSource& m_source;
    std::vector<TrafficRecord> m_records;
    int m_chosen = -1;
    std::optional<Choice> m_pending;
    bool m_counting = true;
    bool m_rebase = false; // counting was switched on again
    qint64 m_lastMs = -1;
    qint64 m_elapsedMs = 0;
};

} // namespace zorvex
