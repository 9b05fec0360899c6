#include "core/reminders/AlarmEntry.h"

#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/common/Text.h"
#include "core/reminders/ReminderFiles.h"

#include <QStringList>

namespace zorvex {

namespace {

// The byte 0xC8 stands for a line break inside the message; decoded it is
// this letter.
constexpr QChar kLineBreakMark = QChar(0x010C);

int number(const QString& text, bool* ok = nullptr)
{
    bool good = false;
    const int v = text.trimmed().toInt(&good);
    if (ok)
        *ok = good;
    return good ? v : 0;
}

QString flag(bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); }

// One-line fields: a stray line break would split the record in two.
QString singleLine(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

QString encodeMessage(QString s)
{
    s.replace(QLatin1String("\r\n"), QString(kLineBreakMark));
    s.replace(QLatin1Char('\r'), kLineBreakMark);
    s.replace(QLatin1Char('\n'), kLineBreakMark);
    return s;
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

} // namespace

void AlarmEntry::setDate(const QDate& d)
{
    year = d.year();
    month = d.month();
    day = d.day();
}

AlarmEntry AlarmEntry::parse(const QString& line)
{
    const auto f = [&line](int n) { return Field(line, kListSeparator, n); };
    AlarmEntry e;
    e.active = number(f(1)) == 1;
    const int rec = number(f(2));
    e.recurrence = rec >= 0 && rec <= 7 ? AlarmRecurrence(rec) : AlarmRecurrence::Once;
    e.runLate = number(f(3)) == 1;
    bool yOk = false, mOk = false, dOk = false;
    e.year = number(f(4), &yOk);
    e.month = number(f(5), &mOk);
    e.day = number(f(6), &dOk);
    if (e.recurrence == AlarmRecurrence::Once) {
        if (!yOk)
            e.year = 2000;
        if (!mOk)
            e.month = 1;
        if (!dOk)
            e.day = 1;
    }
    e.hour = number(f(7));
    e.minute = number(f(8));
    const QString p = f(9);
    if (e.recurrence == AlarmRecurrence::Periodic) {
        e.parameter = number(PipeField(p, 1));
        if (p.contains(QLatin1Char('|')))
            e.periodicLastFired = QDate(number(PipeField(p, 2)), number(PipeField(p, 3)), number(PipeField(p, 4)));
    } else {
        e.parameter = number(p);
    }
    e.computerOn = number(f(10)) == 1;
    const int action = number(f(11));
    e.computerAction = action >= 0 && action <= 5 ? PowerAction(action) : PowerAction::PowerOff;
    e.programOn = number(f(12)) == 1;
    e.program = f(13);
    e.soundOn = number(f(14)) == 1;
    e.soundPath = f(15);
    const int kind = number(f(16));
    e.messageKind = kind >= 0 && kind <= 2 ? AlarmMessageKind(kind) : AlarmMessageKind::None;
    e.message = f(17);
    e.message.replace(kLineBreakMark, QLatin1Char('\n'));
    const int icon = number(f(18));
    e.icon = icon >= 0 && icon <= 4 ? AlarmIcon(icon) : AlarmIcon::None;
    e.withCancel = number(f(19)) == 1;
    return e;
}

QString AlarmEntry::toLine() const
{
    QString param = QString::number(parameter);
    if (recurrence == AlarmRecurrence::Periodic && periodicLastFired.isValid())
        param += QStringLiteral("|%1|%2|%3")
                     .arg(periodicLastFired.year())
                     .arg(periodicLastFired.month())
                     .arg(periodicLastFired.day());
    const QStringList fields{flag(active),
                             QString::number(int(recurrence)),
                             flag(runLate),
                             QString::number(year),
                             QString::number(month),
                             QString::number(day),
                             QString::number(hour),
                             QString::number(minute),
                             param,
                             flag(computerOn),
                             QString::number(int(computerAction)),
                             flag(programOn),
                             singleLine(program),
                             flag(soundOn),
                             singleLine(soundPath),
                             QString::number(int(messageKind)),
                             encodeMessage(message),
                             QString::number(int(icon)),
                             flag(withCancel)};
    return fields.join(kListSeparator);
}

QString alarmStorageProblem(const AlarmEntry& e)
{
    const struct {
        const QString& text;
        const char* name;
    } texts[] = {{e.message, "Treść komunikatu"}, {e.program, "Wiersz polecenia programu"},
                 {e.soundPath, "Ścieżka pliku dźwiękowego"}};
    for (const auto& t : texts) {
        const QString name = QString::fromUtf8(t.name);
        if (t.text.contains(kListSeparator))
            return QStringLiteral("%1 nie może zawierać znaku \"%2\".").arg(name, QString(kListSeparator));
        if (t.text.contains(kLineBreakMark))
            return QStringLiteral("%1 nie może zawierać litery \"Č\".").arg(name);
        if (!fitsCp1250(t.text))
            return QStringLiteral("%1 zawiera znaki, których nie można zapisać w pliku alarmów.").arg(name);
    }
    return {};
}

bool AlarmEntry::isRecord(const QString& line)
{
    // Up to the time of day every field must be there; later ones may be
    // missing and read as empty.
    return line.count(kListSeparator) >= 7;
}

QList<AlarmEntry> AlarmFile::load(const QString& path, bool* ok)
{
    const TextFileRead file = readTextFile(path);
    bool whole = file.read();
    QList<AlarmEntry> out;
    for (QStringView line : QStringView(file.text).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QString text = line.toString();
        if (!AlarmEntry::isRecord(text)) {
            whole = false;
            continue;
        }
        out.append(AlarmEntry::parse(text));
    }
    if (ok)
        *ok = whole;
    return out;
}

bool AlarmFile::save(const QString& path, const QList<AlarmEntry>& alarms, QString* error)
{
    QStringList lines;
    for (const AlarmEntry& e : alarms)
        lines << e.toLine();
    return saveLineFile(path, lines, error);
}

QString alarmMessageCaption(AlarmIcon icon)
{
    switch (icon) {
    case AlarmIcon::Exclamation:
    case AlarmIcon::Stop:
        return QStringLiteral("Ostrzeżenie");
    case AlarmIcon::Information:
        return QStringLiteral("Informacja");
    case AlarmIcon::Question:
        return QStringLiteral("Pytanie");
    case AlarmIcon::None:
        break;
    }
    return QStringLiteral("Komunikat");
}

QString alarmListText(const AlarmEntry& e)
{
    const QString time = twoDigits(e.hour) + QLatin1Char(':') + twoDigits(e.minute);
    const QString date = twoDigits(e.day) + QLatin1Char('.') + twoDigits(e.month) + QLatin1Char('.') + QString::number(e.year);
    static const char* const shortDays[] = {"Pon", "Wt", "Śr", "Czw", "Pt", "So", "N"};
    switch (e.recurrence) {
    case AlarmRecurrence::Once:
        return QStringLiteral("Raz %1, %2").arg(time, date);
    case AlarmRecurrence::Daily:
        return QStringLiteral("Codziennie %1").arg(time);
    case AlarmRecurrence::Weekly: {
        const int wd = e.parameter >= 1 && e.parameter <= 7 ? e.parameter : 1;
        return QStringLiteral("Co tydzień %1 %2").arg(time, QString::fromUtf8(shortDays[wd - 1]));
    }
    case AlarmRecurrence::Monthly:
        return QStringLiteral("Co miesiąc %1 dnia: %2").arg(time, twoDigits(e.parameter));
    case AlarmRecurrence::Weekdays:
        return QStringLiteral("Pon. - Pt. %1").arg(time);
    case AlarmRecurrence::Weekend:
        return QStringLiteral("Sob., Nie. %1").arg(time);
    case AlarmRecurrence::ChosenDays:
        return QStringLiteral("Wybrane dni %1").arg(time);
    case AlarmRecurrence::Periodic:
        return QStringLiteral("Co %1 dni, od %2").arg(QString::number(e.parameter), date);
    }
    return {};
}

} // namespace zorvex
