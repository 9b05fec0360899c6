#include "core/reminders/ReminderFiles.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/common/IniFile.h"
#include "core/common/LineFile.h"
#include "core/common/PathTable.h"
#include "core/common/Text.h"

#include <QCollator>
#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <QLocale>

#include <algorithm>
#include <functional>
#include <optional>

namespace zorvex {

namespace {

// The layout of one numbered-section list.
struct ListLayout {
    QString countSection; // holds "Ile"
    QString entryPrefix;  // + number from 1
    QStringList keys;
};

const ListLayout& personLayout()
{
    static const ListLayout l{QStringLiteral("Osoby"), QStringLiteral("Osoba"),
                              {QStringLiteral("ImieNazwisko"), QStringLiteral("UrodzinyD"), QStringLiteral("UrodzinyM"),
                               QStringLiteral("UrodzinyR"), QStringLiteral("ImieninyD"), QStringLiteral("ImieninyM")}};
    return l;
}

const ListLayout& importantLayout()
{
    static const ListLayout l{QStringLiteral("Uroczystosci"), QStringLiteral("Uroczystosc"),
                              {QStringLiteral("Nazwa"), QStringLiteral("Dzien"), QStringLiteral("Miesiac")}};
    return l;
}

const QString kCount = QStringLiteral("Ile");

QString entrySection(const ListLayout& l, int number) { return l.entryPrefix + QString::number(number); }

// "Ile" as stated, but never beyond the last numbered entry the file holds:
// the count drives loops and an entry for each number.
int countOf(const IniFile& ini, const ListLayout& l)
{
    const int stated = ini.readInteger(l.countSection, kCount, 0);
    int last = 0;
    for (const QString& name : ini.sections()) {
        if (name.size() <= l.entryPrefix.size() || !name.startsWith(l.entryPrefix, Qt::CaseInsensitive))
            continue;
        const QStringView digits = QStringView(name).sliced(l.entryPrefix.size());
        bool ok = false;
        const int n = digits.toInt(&ok);
        // Only the number's own spelling names the section ("Osoba01" is not 1).
        if (ok && n > last && n <= stated && digits == QString::number(n))
            last = n;
    }
    return last;
}

// A missing key reads as `missing`, a stored text that is not a number as
// `bad`.
int readNumber(const IniFile& ini, const QString& section, const QString& key, int missing, int bad)
{
    const auto v = ini.value(section, key);
    if (!v)
        return missing;
    bool ok = false;
    const int n = v->trimmed().toInt(&ok);
    return ok ? n : bad;
}

// Says why `path` was not written; always false.
bool saveFailed(const QString& path, const QString& why, QString* error)
{
    if (error)
        *error = QStringLiteral("Nie można zapisać pliku \"%1\": %2").arg(path, why);
    return false;
}

bool saveIni(const IniFile& ini, const QString& path, QString* error)
{
    QString why;
    return ini.save(path, &why) || saveFailed(path, why, error);
}

bool loadIni(const QString& path, IniFile* ini, QString* error)
{
    bool ok = false;
    FileReadStatus status = FileReadStatus::Missing;
    *ini = IniFile::load(path, &ok, &status);
    // A list that does not exist yet starts empty; anything else unreadable
    // must not be overwritten by a nearly empty file.
    if (!mayReplaceAfterLoad(ok, path)) {
        if (error)
            *error = fileReadProblem(path, status == FileReadStatus::Missing ? FileReadStatus::Unreadable : status);
        return false;
    }
    return true;
}

QStringList rawEntry(const IniFile& ini, const ListLayout& l, int number)
{
    QStringList values;
    for (const QString& key : l.keys)
        values << ini.readString(entrySection(l, number), key);
    return values;
}

// An entry's values as stored, written back as read when sorting: a missing
// key (other than the name) takes the value it was read as.
QStringList entryForRewrite(const IniFile& ini, const ListLayout& l, int number, const QStringList& read)
{
    QStringList values = rawEntry(ini, l, number);
    for (int k = 1; k < l.keys.size(); ++k) {
        if (!ini.hasKey(entrySection(l, number), l.keys[k]))
            values[k] = read[k];
    }
    return values;
}

void writeEntry(IniFile& ini, const ListLayout& l, int number, const QStringList& values)
{
    const QString section = entrySection(l, number);
    for (int i = 0; i < l.keys.size(); ++i)
        ini.writeString(section, l.keys[i], values.value(i));
}

bool appendEntry(const QString& path, const ListLayout& l, const QStringList& values, QString* error)
{
    IniFile ini;
    if (!loadIni(path, &ini, error))
        return false;
    const int n = countOf(ini, l) + 1;
    ini.writeInteger(l.countSection, kCount, n);
    writeEntry(ini, l, n, values);
    return saveIni(ini, path, error);
}

bool replaceEntry(const QString& path, const ListLayout& l, int index, const QStringList& values, QString* error)
{
    IniFile ini;
    if (!loadIni(path, &ini, error))
        return false;
    if (index < 0 || index >= countOf(ini, l)) {
        if (error)
            *error = QStringLiteral("Wybranej pozycji nie ma już na liście.");
        return false;
    }
    writeEntry(ini, l, index + 1, values);
    return saveIni(ini, path, error);
}

bool removeEntry(IniFile& ini, const ListLayout& l, int index)
{
    const int n = countOf(ini, l);
    if (index < 0 || index >= n)
        return false;
    ini.writeInteger(l.countSection, kCount, n - 1);
    // Later entries move up one place, their values copied as stored.
    for (int j = index + 2; j <= n; ++j) {
        const QString from = entrySection(l, j);
        const QString to = entrySection(l, j - 1);
        for (const QString& key : l.keys) {
            if (const auto v = ini.value(from, key))
                ini.writeString(to, key, *v);
            else
                ini.deleteKey(to, key);
        }
    }
    ini.eraseSection(entrySection(l, n));
    return true;
}

bool removeEntryFromFile(const QString& path, const ListLayout& l, int index, QString* error)
{
    IniFile ini;
    if (!loadIni(path, &ini, error))
        return false;
    if (!removeEntry(ini, l, index)) {
        if (error)
            *error = QStringLiteral("Wybranej pozycji nie ma już na liście.");
        return false;
    }
    return saveIni(ini, path, error);
}

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }
QString fourDigits(int n) { return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')); }

int numberOr0(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? n : 0;
}

struct Keyed {
    QString key;
    int position; // original place
};

// Sorts positions by key; equal keys keep their file order.
QList<int> sortedOrder(const QStringList& keys, bool descending)
{
    QList<Keyed> records;
    for (int i = 0; i < keys.size(); ++i)
        records.append({keys[i], i});
    std::stable_sort(records.begin(), records.end(), [descending](const Keyed& a, const Keyed& b) {
        const int c = compareSortKeys(a.key, b.key);
        return descending ? c > 0 : c < 0;
    });
    QList<int> order;
    for (const Keyed& r : records)
        order.append(r.position);
    return order;
}

bool rewriteInOrder(const QString& path, const ListLayout& l, IniFile& ini, const QList<QStringList>& entries,
                    const QList<int>& order, QString* error)
{
    for (int i = 0; i < order.size(); ++i)
        writeEntry(ini, l, i + 1, entries[order[i]]);
    return saveIni(ini, path, error);
}

// Entries 1..Ile of a numbered-section list, each read by `read(ini, n)`.
template <typename Read>
auto loadEntries(const QString& path, const ListLayout& l, Read read, bool* ok)
{
    const IniFile ini = IniFile::load(path, ok);
    QList<decltype(read(ini, 1))> out;
    const int n = countOf(ini, l);
    for (int i = 1; i <= n; ++i)
        out.append(read(ini, i));
    return out;
}

// Sorts a numbered-section list by the key `keyOf(entry, stored values)`
// and writes it back; `last` (when set) afterwards moves the entries it
// picks behind all others, keeping their order.
template <typename Read, typename ValuesOf, typename KeyOf>
bool sortEntries(const QString& path, const ListLayout& l, Read read, ValuesOf valuesOf, KeyOf keyOf, bool descending,
                 QString* error, const std::function<bool(const QStringList&)>& last = {})
{
    IniFile ini;
    if (!loadIni(path, &ini, error))
        return false;
    const int n = countOf(ini, l);
    if (n == 0)
        return true;
    QList<QStringList> entries;
    QStringList keys;
    for (int i = 1; i <= n; ++i) {
        const auto e = read(ini, i);
        const QStringList values = entryForRewrite(ini, l, i, valuesOf(e));
        entries.append(values);
        keys << keyOf(e, values);
    }
    QList<int> order = sortedOrder(keys, descending);
    if (last)
        std::stable_partition(order.begin(), order.end(), [&](int i) { return !last(entries[i]); });
    return rewriteInOrder(path, l, ini, entries, order, error);
}

} // namespace

QString surnameFirst(const QString& name)
{
    const qsizetype blank = name.indexOf(QLatin1Char(' '));
    if (blank <= 0)
        return name;
    return name.mid(blank + 1) + QLatin1Char(' ') + name.left(blank);
}

int compareSortKeys(const QString& a, const QString& b)
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::Polish, QLocale::Poland)};
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    return collator.compare(PolishUpper(a), PolishUpper(b));
}

ReminderLists loadReminderLists(const PathTable& paths)
{
    return ReminderLists{PersonFile::load(paths.path(PathId::Osoby)),
                         ImportantDayFile::load(paths.path(PathId::Uroczystosci)),
                         PrivateFile::load(paths.path(PathId::Prywatne))};
}

// --- persons ---------------------------------------------------------------

namespace {
QStringList personValues(const PersonEntry& e)
{
    return {e.name,
            QString::number(e.birthDay),
            QString::number(e.birthMonth),
            QString::number(e.birthYear),
            QString::number(e.nameDay),
            QString::number(e.nameDayMonth)};
}

PersonEntry readPerson(const IniFile& ini, int number)
{
    const QString s = entrySection(personLayout(), number);
    PersonEntry e;
    e.name = ini.readString(s, QStringLiteral("ImieNazwisko"));
    e.birthDay = readNumber(ini, s, QStringLiteral("UrodzinyD"), 1, 1);
    e.birthMonth = readNumber(ini, s, QStringLiteral("UrodzinyM"), 1, 1);
    e.birthYear = readNumber(ini, s, QStringLiteral("UrodzinyR"), 2000, 0);
    e.nameDay = readNumber(ini, s, QStringLiteral("ImieninyD"), 1, 1);
    e.nameDayMonth = readNumber(ini, s, QStringLiteral("ImieninyM"), 1, 1);
    return e;
}
} // namespace

namespace {

// The persons of the last files parsed, kept while each file stays as it
// was: the calendar asks for them at every month drawn and the pages at
// every edit, and with thousands of persons parsing is most of the cost.
// The file stays the only state: any change of its size, time or inode
// (every save writes a new one) is read afresh, and a file changed within
// the last moments is not trusted to show its change in its time yet.
struct PersonCacheEntry {
    FileStamp stamp;
    bool ok = false;
    QList<PersonEntry> persons;
};

constexpr qint64 kRacyNs = 2'000'000'000;
constexpr int kCachedFiles = 4;

QMutex& personCacheLock()
{
    static QMutex lock;
    return lock;
}

QHash<QString, PersonCacheEntry>& personCache()
{
    static QHash<QString, PersonCacheEntry> cache;
    return cache;
}

bool settled(const FileStamp& stamp)
{
    const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1000000;
    return stamp.regular && nowNs - stamp.changedNs > kRacyNs && nowNs - stamp.modifiedNs > kRacyNs;
}

} // namespace

QList<PersonEntry> PersonFile::load(const QString& path, bool* ok)
{
    const FileStamp stamp = fileStamp(path);
    {
        const QMutexLocker locker(&personCacheLock());
        const auto it = personCache().constFind(path);
        if (it != personCache().constEnd() && it->stamp == stamp && settled(stamp)) {
            if (ok)
                *ok = it->ok;
            return it->persons;
        }
    }
    bool read = false;
    QList<PersonEntry> persons = loadEntries(path, personLayout(), readPerson, &read);
    if (ok)
        *ok = read;
    const QMutexLocker locker(&personCacheLock());
    QHash<QString, PersonCacheEntry>& cache = personCache();
    if (settled(stamp) && fileStamp(path) == stamp) {
        if (!cache.contains(path) && cache.size() >= kCachedFiles)
            cache.clear();
        cache.insert(path, PersonCacheEntry{stamp, read, persons});
    } else {
        cache.remove(path);
    }
    return persons;
}

bool PersonFile::append(const QString& path, const PersonEntry& e, QString* error)
{
    return appendEntry(path, personLayout(), personValues(e), error);
}

bool PersonFile::replace(const QString& path, int index, const PersonEntry& e, QString* error)
{
    return replaceEntry(path, personLayout(), index, personValues(e), error);
}

bool PersonFile::remove(const QString& path, int index, QString* error)
{
    return removeEntryFromFile(path, personLayout(), index, error);
}

bool PersonFile::sort(const QString& path, PersonSort by, bool descending, QString* error)
{
    const auto keyOf = [by](const PersonEntry& p, const QStringList& values) -> QString {
        const auto num = [&](int k) { return numberOr0(values[k]); };
        switch (by) {
        case PersonSort::Surname: return surnameFirst(p.name);
        case PersonSort::FullName: return p.name;
        // Years padded so that the text order is the numeric order.
        case PersonSort::BirthDate: return fourDigits(num(3)) + twoDigits(num(2)) + twoDigits(num(1));
        case PersonSort::NameDay: return twoDigits(num(5)) + twoDigits(num(4));
        }
        return p.name;
    };
    // Persons without a birthday go last when sorting by it.
    std::function<bool(const QStringList&)> last;
    if (by == PersonSort::BirthDate)
        last = [](const QStringList& values) { return numberOr0(values[1]) == 0; };
    return sortEntries(path, personLayout(), readPerson, personValues, keyOf, descending, error, last);
}

// --- important days -------------------------------------------------------

namespace {
QStringList importantValues(const ImportantDayEntry& e)
{
    return {e.name, QString::number(e.day), QString::number(e.month)};
}

ImportantDayEntry readImportant(const IniFile& ini, int number)
{
    const QString s = entrySection(importantLayout(), number);
    ImportantDayEntry e;
    e.name = ini.readString(s, QStringLiteral("Nazwa"));
    e.day = readNumber(ini, s, QStringLiteral("Dzien"), 1, 1);
    e.month = readNumber(ini, s, QStringLiteral("Miesiac"), 1, 1);
    return e;
}
} // namespace

QList<ImportantDayEntry> ImportantDayFile::load(const QString& path, bool* ok)
{
    return loadEntries(path, importantLayout(), readImportant, ok);
}

bool ImportantDayFile::append(const QString& path, const ImportantDayEntry& e, QString* error)
{
    return appendEntry(path, importantLayout(), importantValues(e), error);
}

bool ImportantDayFile::replace(const QString& path, int index, const ImportantDayEntry& e, QString* error)
{
    return replaceEntry(path, importantLayout(), index, importantValues(e), error);
}

bool ImportantDayFile::remove(const QString& path, int index, QString* error)
{
    return removeEntryFromFile(path, importantLayout(), index, error);
}

bool ImportantDayFile::sort(const QString& path, ImportantDaySort by, bool descending, QString* error)
{
    const auto keyOf = [by](const ImportantDayEntry& e, const QStringList& values) -> QString {
        return by == ImportantDaySort::Name ? e.name
                                            : twoDigits(numberOr0(values[2])) + twoDigits(numberOr0(values[1]));
    };
    return sortEntries(path, importantLayout(), readImportant, importantValues, keyOf, descending, error);
}

bool ImportantDayFile::removeObsoleteFeasts(const QString& path, QString* error)
{
    struct Feast {
        QString name;
        int day, month;
    };
    const Feast feasts[] = {{QStringLiteral("Ostatki"), 24, 2},
                            {QStringLiteral("Popielec"), 25, 2},
                            {QStringLiteral("Wniebowstąpienie Pańskie"), 20, 5},
                            {QStringLiteral("Zielone Świątki"), 30, 5}};
    IniFile ini;
    if (!loadIni(path, &ini, error))
        return false;
    bool changed = false;
    for (int i = countOf(ini, importantLayout()); i >= 1; --i) {
        const ImportantDayEntry e = readImportant(ini, i);
        for (const Feast& f : feasts) {
            if (e.name == f.name && e.day == f.day && e.month == f.month) {
                removeEntry(ini, importantLayout(), i - 1);
                changed = true;
                break;
            }
        }
    }
    return changed ? saveIni(ini, path, error) : true;
}

// --- private file ---------------------------------------------------------

QStringList PrivateFile::load(const QString& path, bool* ok)
{
    return loadLineFile(path, ok);
}

bool PrivateFile::save(const QString& path, const QStringList& lines, QString* error)
{
    return saveLineFile(path, lines, error);
}

namespace {

bool isNumber(const QString& text)
{
    bool ok = false;
    text.trimmed().toInt(&ok);
    return ok;
}

// A private day of the older format: name, day and month, perhaps an empty
// or zero start year, and no year. Lines that are no entry at all (damaged,
// made by hand) are left alone, so they never cause a rewrite.
bool isYearlessEntry(const QString& line)
{
    const qsizetype fields = line.count(kListSeparator) + 1;
    if (fields < 3 || fields > 5)
        return false;
    const QString name = Field(line, kListSeparator, 1);
    const int day = numberOr0(Field(line, kListSeparator, 2));
    const int month = numberOr0(Field(line, kListSeparator, 3));
    const QString start = Field(line, kListSeparator, 4);
    return !name.trimmed().isEmpty() && name.size() <= 255 && day >= 1 && day <= 31 && month >= 1 && month <= 12
        && (start.isEmpty() || (isNumber(start) && numberOr0(start) == 0)) && Field(line, kListSeparator, 5).isEmpty();
}

} // namespace

bool PrivateFile::addMissingYears(QStringList& lines, int currentYear)
{
    bool changed = false;
    for (QString& line : lines) {
        if (!isYearlessEntry(line))
            continue;
        const PrivateEntry e = PrivateEntry::parse(line);
        line = QStringList{e.name, Field(line, kListSeparator, 2), Field(line, kListSeparator, 3), e.startYearText,
                           QString::number(currentYear)}
                   .join(kListSeparator);
        changed = true;
    }
    return changed;
}

void PrivateFile::sort(QStringList& lines, PrivateSort by, bool descending)
{
    QStringList keys;
    for (const QString& line : lines) {
        if (by == PrivateSort::Name) {
            keys << Field(line, kListSeparator, 1);
            continue;
        }
        const QString y5 = Field(line, kListSeparator, 5);
        const int year = numberOr0(y5.isEmpty() ? Field(line, kListSeparator, 4) : y5);
        keys << fourDigits(year) + twoDigits(numberOr0(Field(line, kListSeparator, 3)))
                + twoDigits(numberOr0(Field(line, kListSeparator, 2)));
    }
    QStringList sorted;
    for (int i : sortedOrder(keys, descending))
        sorted << lines[i];
    lines = sorted;
}

} // namespace zorvex
