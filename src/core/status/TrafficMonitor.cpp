#include "core/status/TrafficMonitor.h"

#include "core/common/Clock.h"
#include "core/status/TrafficDays.h"
#include "core/status/TrafficFormat.h"

#include <QSet>

#include <cmath>
#include <limits>

namespace zorvex {
namespace {

// One direction of one sample.
void count(quint64 counter, quint64& last, qint64& current, qint64& total, qint64& peak, qint64& samples)
{
    if (counter < last) {
        // A reset, not a wrap: the new value is the baseline.
        current = 0;
    } else {
        const quint64 delta = counter - last;
        current = delta > quint64(std::numeric_limits<qint64>::max()) ? 0 : qint64(delta);
    }
    last = counter;
    if (__builtin_add_overflow(total, current, &total))
        total = std::numeric_limits<qint64>::max();
    if (current > 0)
        ++samples;
    peak = qMax(peak, current);
}

TrafficRecord recordFrom(const NetInterfaceRow& row)
{
    TrafficRecord r;
    r.index = row.index;
    r.description = row.name.trimmed();
    r.mac = macText(row.mac);
    r.ip = ipText(row.ipv4);
    r.speed = row.speed;
    r.lastIn = row.received;
    r.lastOut = row.sent;
    return r;
}

bool hasRealAddress(const TrafficRecord& r)
{
    return r.ip != kIpUnknown && r.ip != ipText(0x7F000001u) && r.ip != ipText(0u);
}

} // namespace

TrafficMonitor::TrafficMonitor(const Clock& clock, NetInterfaceSource& source)
    : m_clock(clock)
    , m_source(source)
{
}

void TrafficMonitor::setCounting(bool on)
{
    // What passed while nothing counted is not today's count: the next
    // table is the new baseline.
    if (on && !m_counting)
        m_rebase = true;
    m_counting = on;
    for (TrafficRecord& r : m_records)
        r.active = on && r.present;
}

bool TrafficMonitor::sample()
{
    const qint64 nowMs = m_clock.epochMs();
    m_elapsedMs = m_lastMs < 0 ? 0 : nowMs - m_lastMs;
    m_lastMs = nowMs;

    const std::optional<std::vector<NetInterfaceRow>> table = m_source.read();
    std::vector<bool> seen(m_records.size(), false);
    bool changed = false;
    if (table) {
        QSet<int> indices;
        for (const NetInterfaceRow& row : *table)
            indices.insert(row.index);
        for (const NetInterfaceRow& row : *table) {
            int at = -1;
            for (int i = 0; i < int(m_records.size()); ++i) {
                if (m_records[i].index == row.index && !seen[i]) {
                    at = i;
                    break;
                }
            }
            bool refound = false;
            if (at < 0) {
                // The same device under a new index: a record with its address
                // and name whose own index is gone (also when it went within
                // this last second).
                const QString mac = macText(row.mac);
                for (int i = 0; i < int(m_records.size()); ++i) {
                    const TrafficRecord& r = m_records[i];
                    if (!seen[i] && !indices.contains(r.index) && r.mac == mac
                        && r.description == row.name.trimmed()) {
                        at = i;
                        refound = true;
                        break;
                    }
                }
            }
            if (at < 0) {
                m_records.push_back(recordFrom(row));
                m_records.back().active = m_counting;
                seen.push_back(true);
                changed = true;
                continue;
            }
            TrafficRecord& r = m_records[at];
            seen[at] = true;
            r.present = true;
            r.active = m_counting;
            r.speed = row.speed;
            r.ip = ipText(row.ipv4);
            if (refound) {
                // Its counters started again with the new device.
                r.index = row.index;
                r.lastIn = row.received;
                r.lastOut = row.sent;
                r.currentIn = r.currentOut = 0;
                changed = true;
                continue;
            }
            if (m_rebase) {
                r.lastIn = row.received;
                r.lastOut = row.sent;
                r.currentIn = r.currentOut = 0;
                continue;
            }
            if (r.active) {
                count(row.received, r.lastIn, r.currentIn, r.totalIn, r.peakIn, r.samplesIn);
                count(row.sent, r.lastOut, r.currentOut, r.totalOut, r.peakOut, r.samplesOut);
            }
        }
    }
    for (int i = 0; i < int(m_records.size()); ++i) {
        if (!seen[i]) {
            m_records[i].present = false;
            m_records[i].active = false;
        }
    }
    if (table)
        m_rebase = false;
    if (m_pending && !m_records.empty()) {
        resolveChoice();
        changed = true;
    }
    return changed;
}

const TrafficRecord* TrafficMonitor::chosenRecord() const
{
    return m_chosen >= 0 && m_chosen < int(m_records.size()) ? &m_records[m_chosen] : nullptr;
}

void TrafficMonitor::choose(int position)
{
    if (position >= 0 && position < int(m_records.size()))
        m_chosen = position;
}

void TrafficMonitor::chooseAtStart(const QString& mac, int position)
{
    m_pending = Choice{mac.trimmed().toUpper(), QString(), position};
    if (!m_records.empty())
        resolveChoice();
}

void TrafficMonitor::resolveChoice()
{
    const Choice c = *m_pending;
    m_pending.reset();
    const int n = int(m_records.size());
    if (!c.name.isEmpty()) {
        for (int i = 0; i < n; ++i) {
            if (m_records[i].mac == c.mac && m_records[i].description == c.name) {
                m_chosen = i;
                return;
            }
        }
    }
    if (!c.mac.isEmpty()) {
        // Several interfaces may share an address (none at all reads as
        // zeros): the remembered position decides between them.
        int first = -1;
        for (int i = 0; i < n; ++i) {
            if (m_records[i].mac != c.mac)
                continue;
            if (i == c.position) {
                m_chosen = i;
                return;
            }
            if (first < 0)
                first = i;
        }
        if (first >= 0) {
            m_chosen = first;
            return;
        }
    }
    if (c.position >= 0 && c.position < n) {
        m_chosen = c.position;
        return;
    }
    for (int i = 0; i < n; ++i) {
        if (hasRealAddress(m_records[i])) {
            m_chosen = i;
            return;
        }
    }
    m_chosen = 0;
}

void TrafficMonitor::commit(const QString& siecPath, const QDate& date) const
{
    const TrafficRecord* r = chosenRecord();
    if (r)
        trafficdays::add(siecPath, date, r->totalIn, r->totalOut);
}

void TrafficMonitor::commitDay(const QString& siecPath, const QDate& date)
{
    commit(siecPath, date);
    const TrafficRecord* r = chosenRecord();
    m_pending = r ? Choice{r->mac, r->description, m_chosen} : Choice{QString(), QString(), m_chosen};
    m_records.clear();
    m_chosen = -1;
}

qint64 TrafficMonitor::perSecond(qint64 current) const
{
    if (m_elapsedMs > 1000)
        return std::llround(double(current) * 1000.0 / double(m_elapsedMs));
    return current;
}

// An interface that is gone keeps its last values on its page, but nothing
// passes through it now.
qint64 TrafficMonitor::receivedPerSecond() const
{
    const TrafficRecord* r = chosenRecord();
    return r && r->present ? perSecond(r->currentIn) : 0;
}

qint64 TrafficMonitor::sentPerSecond() const
{
    const TrafficRecord* r = chosenRecord();
    return r && r->present ? perSecond(r->currentOut) : 0;
}

qint64 TrafficMonitor::receivedToday() const
{
    const TrafficRecord* r = chosenRecord();
    return r ? r->totalIn : 0;
}

qint64 TrafficMonitor::sentToday() const
{
    const TrafficRecord* r = chosenRecord();
    return r ? r->totalOut : 0;
}

std::optional<TrafficFigures> TrafficMonitor::figures(const NumberStyle& style) const
{
    const TrafficRecord* r = chosenRecord();
    if (!r)
        return std::nullopt;
    TrafficFigures f;
    f.receivedKbPerSecond = kilobytesPerSecond(receivedPerSecond());
    f.sentKbPerSecond = kilobytesPerSecond(sentPerSecond());
    f.averageReceived = formatBytes(r->averageIn(), style);
    f.averageSent = formatBytes(r->averageOut(), style);
    f.totalReceived = formatBytes(r->totalIn, style);
    f.totalSent = formatBytes(r->totalOut, style);
    f.interfaceText = r->ip;
    return f;
}

} // namespace zorvex
