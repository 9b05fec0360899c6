#include "core/shell/Autosave.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/common/Text.h"

namespace zorvex {
namespace {

qint64 counter(const QString& text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    return ok && v > 0 ? v : 0;
}

} // namespace

QString AutosaveRecord::format() const
{
    return formatDateTime(sessionStart) + QLatin1Char('|') + formatDateTime(now) + QLatin1Char('|')
        + QString::number(mouse) + QLatin1Char('|') + QString::number(received) + QLatin1Char('|')
        + QString::number(sent);
}

std::optional<AutosaveRecord> AutosaveRecord::parse(const QString& line)
{
    if (line.count(QLatin1Char('|')) != 4)
        return std::nullopt;
    AutosaveRecord r;
    r.sessionStart = parseDayTime(PipeField(line, 1)).value_or(kNever);
    r.now = parseDayTime(PipeField(line, 2)).value_or(kNever);
    r.mouse = counter(PipeField(line, 3));
    r.received = counter(PipeField(line, 4));
    r.sent = counter(PipeField(line, 5));
    return r;
}

void writeAutosave(const QString& path, const AutosaveSource& source, DayTime now)
{
    AutosaveRecord r;
    r.sessionStart = source.sessionStart();
    r.now = now;
    r.mouse = source.mouseToday();
    r.received = source.receivedToday();
    r.sent = source.sentToday();
    writeFileAtomically(path, toCp1250(r.format()) + "\r\n");
}

bool recoverAutosave(const QString& path, AutosaveSink& sink)
{
    const FileRead file = readDataFile(path);
    // A record that cannot be read is of no use either; do not let it linger.
    removeDataFile(path);
    if (!file.read())
        return false;
    const qsizetype end = file.bytes.indexOf('\n');
    const QString line = fromCp1250(QByteArrayView(file.bytes).first(end < 0 ? file.bytes.size() : end)).trimmed();
    const auto record = AutosaveRecord::parse(line);
    if (!record)
        return false;
    // An unreadable time cannot bound a session; the uptime log skips it.
    if (sink.uptimeLogOn() && record->sessionStart != kNever && record->now != kNever)
        sink.recordInterruptedSession(record->sessionStart, record->now);
    if (sink.mouseOdometerOn())
        sink.addMouseToday(record->mouse);
    if (sink.trafficOn())
        sink.addTrafficToday(record->received, record->sent);
    return true;
}

void deleteAutosave(const QString& path)
{
    removeDataFile(path);
}

} // namespace zorvex
