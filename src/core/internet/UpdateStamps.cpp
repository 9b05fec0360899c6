#include "core/internet/UpdateStamps.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/common/IniFile.h"
#include "core/common/Text.h"
#include "core/internet/ServiceVersion.h"

namespace zorvex {
namespace {

constexpr int kStampFields = 8;

QStringList fieldsOf(const QString& line)
{
    QStringList fields;
    for (int n = 1; n <= kStampFields; ++n)
        fields << PipeField(line, n);
    return fields;
}

} // namespace

const std::array<UpdateListInfo, 5>& updateLists()
{
    static const std::array<UpdateListInfo, 5> lists = {{
        {UpdateList::Maps, 3, kMapList, PathId::Pogoda2, "- Pogoda - Lista map"},
        {UpdateList::Cities, 4, kCityList, PathId::ListaMiast, "- Pogoda - Lista miast"},
        {UpdateList::Misc, 5, kMiscList, PathId::Rozne, "- Lista w Internet - Różne"},
        {UpdateList::TimeServers, 6, kTimeServerList, PathId::Synchro, "- Lista serwerów synchronizacji czasu"},
        {UpdateList::Stations, 8, kStationList, PathId::RadioL, "- Lista stacji radiowych"},
    }};
    return lists;
}

std::optional<QStringList> findStampLine(const QStringList& lines)
{
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        if (equalsIgnoringCase(PipeField(lines[i], 1), u"UPDATE"))
            return fieldsOf(lines[i]);
    }
    return std::nullopt;
}

bool programUpdateOffered(const QStringList& stampFields)
{
    return stampFields.value(1) != QLatin1String(kUpdateNumber);
}

QString mergedStampLine(const QString& stored, const QStringList& answer, const QList<UpdateList>& updated)
{
    const QStringList old = fieldsOf(stored);
    QStringList out = old;
    out[0] = QStringLiteral("UPDATE");
    if (programUpdateOffered(answer))
        out[1] = answer.value(1);
    for (const UpdateListInfo& info : updateLists()) {
        if (updated.contains(info.list))
            out[info.field - 1] = answer.value(info.field - 1);
    }
    out[6] = answer.value(6);
    return out.join(QLatin1Char('|'));
}

QString updateSummary(const QList<UpdateList>& updated)
{
    QString text = QStringLiteral("Zaktualizowano:\n");
    for (const UpdateListInfo& info : updateLists()) {
        if (updated.contains(info.list))
            text += QString::fromUtf8(info.summary) + QLatin1Char('\n');
    }
    return text;
}

QString lastCheckCaption(DayTime lastCheck)
{
    const QString caption = QStringLiteral("Aktualizacja danych Zorvex");
    if (lastCheck == kNever)
        return caption;
    const QDateTime when = fromDayTime(lastCheck);
    if (!when.isValid())
        return caption;
    return caption + QStringLiteral(" (ostatnio sprawdzana: ") + when.toString(QStringLiteral("hh:mm - dd.MM.yyyy"))
        + QLatin1Char(')');
}

QString loadStampLine(const QString& profileIni, const QString& olderValue)
{
    const QString empty = QString::fromLatin1(kEmptyStampLine);
    const QString stored = IniFile::load(profileIni).readString(QStringLiteral("Vuzuvured"), QStringLiteral("Update"), empty);
    if (stored == empty && !olderValue.isEmpty() && olderValue != empty)
        return olderValue;
    return stored;
}

bool storeStampLine(const QString& profileIni, const QString& line)
{
    bool ok = false;
    FileReadStatus status = FileReadStatus::Missing;
    IniFile ini = IniFile::load(profileIni, &ok, &status);
    // A file that is there but cannot be read is not replaced by one key.
    if (!ok && status != FileReadStatus::Missing)
        return false;
    ini.writeString(QStringLiteral("Vuzuvured"), QStringLiteral("Update"), line);
    return ini.save(profileIni);
}

bool writeListFile(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += toCp1250(line) + "\r\n";
    return writeFileAtomically(path, bytes);
}

bool automaticCheckDue(int everyHowOften, DayTime lastCheckDate, const QDate& today)
{
    const QDate last = dateOf(lastCheckDate);
    if (lastCheckDate == kNever || !last.isValid())
        return true;
    if (everyHowOften == 0)
        return last != today;
    const qint64 days = last.daysTo(today);
    // A date in the future (a clock that was wrong once) would otherwise
    // hold the check back until that day.
    return days < 0 || days > 6;
}

} // namespace zorvex
