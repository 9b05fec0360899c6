#include "core/media/Playlist.h"

#include "core/common/Text.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace zorvex {

QList<PlaylistEntry> Playlist::entries() const
{
    QList<PlaylistEntry> out;
    out.reserve(size());
    for (const Item& it : m_items)
        out.append(it.entry);
    return out;
}

void Playlist::setCurrent(int index)
{
    if (index < 0 || index >= size()) {
        m_current = -1;
        m_currentId = 0;
        return;
    }
    m_current = index;
    m_currentId = m_items[size_t(index)].id;
}

void Playlist::relocateCurrent()
{
    m_current = -1;
    if (m_currentId == 0)
        return;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].id == m_currentId) {
            m_current = int(i);
            return;
        }
    m_currentId = 0;
}

void Playlist::selectOnly(int i)
{
    for (size_t k = 0; k < m_items.size(); ++k)
        m_items[k].selected = int(k) == i;
}

void Playlist::selectAll(bool selected)
{
    for (Item& it : m_items)
        it.selected = selected;
}

void Playlist::invertSelection()
{
    for (Item& it : m_items)
        it.selected = !it.selected;
}

int Playlist::selectedCount() const
{
    return int(std::count_if(m_items.begin(), m_items.end(), [](const Item& it) { return it.selected; }));
}

QList<int> Playlist::selectedIndexes() const
{
    QList<int> out;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].selected)
            out.append(int(i));
    return out;
}

void Playlist::append(const PlaylistEntry& entry)
{
    m_items.push_back({entry, false, m_nextId++});
}

void Playlist::append(const QList<PlaylistEntry>& entries)
{
    m_items.reserve(m_items.size() + size_t(entries.size()));
    for (const PlaylistEntry& e : entries)
        append(e);
}

void Playlist::replace(int i, const PlaylistEntry& entry)
{
    m_items[size_t(i)].entry = entry;
}

void Playlist::clear()
{
    m_items.clear();
    setCurrent(-1);
}

template <class Keep> int Playlist::removeIf(Keep keep)
{
    const size_t before = m_items.size();
    std::vector<Item> kept;
    kept.reserve(before);
    for (size_t i = 0; i < before; ++i)
        if (keep(m_items[i], i))
            kept.push_back(std::move(m_items[i]));
    m_items = std::move(kept);
    relocateCurrent();
    return int(before - m_items.size());
}

int Playlist::removeSelected()
{
    return removeIf([](const Item& it, size_t) { return !it.selected; });
}

int Playlist::keepSelected()
{
    return removeIf([](const Item& it, size_t) { return it.selected; });
}

int Playlist::removeMissing(const FileTest& exists)
{
    return removeIf([&exists](const Item& it, size_t) { return exists(it.entry.path); });
}

int Playlist::removeDuplicates()
{
    QSet<QString> seen;
    seen.reserve(size());
    return removeIf([&seen](const Item& it, size_t) {
        if (seen.contains(it.entry.path))
            return false;
        seen.insert(it.entry.path);
        return true;
    });
}

bool Playlist::moveSelected(int distance)
{
    if (distance == 0)
        return true;
    const QList<int> sel = selectedIndexes();
    if (sel.isEmpty())
        return false;
    if (sel.first() + distance < 0 || sel.last() + distance >= size())
        return false;
    // Moving up is applied from the top down, moving down from the bottom up,
    // so that each selected entry passes only unselected ones.
    std::vector<Item> items = std::move(m_items);
    std::vector<Item> moved;
    std::vector<Item> rest;
    for (Item& it : items)
        (it.selected ? moved : rest).push_back(std::move(it));
    m_items.assign(items.size(), Item());
    std::vector<bool> taken(items.size(), false);
    for (qsizetype k = 0; k < sel.size(); ++k) {
        const size_t to = size_t(sel[k] + distance);
        m_items[to] = std::move(moved[size_t(k)]);
        taken[to] = true;
    }
    size_t r = 0;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (!taken[i])
            m_items[i] = std::move(rest[r++]);
    relocateCurrent();
    return true;
}

int Playlist::compareNumberTexts(const QString& a, const QString& b)
{
    bool okA = false;
    bool okB = false;
    const qint64 va = a.toLongLong(&okA);
    const qint64 vb = b.toLongLong(&okB);
    if (okA && okB)
        return va < vb ? -1 : (va > vb ? 1 : 0);
    if (okA != okB)
        return okA ? -1 : 1;
    return a.compare(b);
}

int Playlist::compareNames(const QString& a, const QString& b)
{
    return QString::localeAwareCompare(PolishUpper(a), PolishUpper(b));
}

void Playlist::sort(PlaylistSortKey key, bool descending, const FileTime& fileTime)
{
    const int sign = descending ? -1 : 1;
    if (key == PlaylistSortKey::Name || key == PlaylistSortKey::Path) {
        // The upper-cased keys once per entry, not once per comparison.
        std::vector<std::pair<QString, size_t>> keys;
        keys.reserve(m_items.size());
        for (size_t i = 0; i < m_items.size(); ++i)
            keys.emplace_back(PolishUpper(key == PlaylistSortKey::Name ? m_items[i].entry.name : m_items[i].entry.path), i);
        std::stable_sort(keys.begin(), keys.end(), [sign](const auto& x, const auto& y) {
            return sign * QString::localeAwareCompare(x.first, y.first) < 0;
        });
        std::vector<Item> sorted;
        sorted.reserve(m_items.size());
        for (const auto& k : keys)
            sorted.push_back(std::move(m_items[k.second]));
        m_items = std::move(sorted);
    } else if (key == PlaylistSortKey::FileTime) {
        // A missing file goes last both ways.
        std::vector<std::pair<std::optional<qint64>, size_t>> keys;
        keys.reserve(m_items.size());
        for (size_t i = 0; i < m_items.size(); ++i)
            keys.emplace_back(fileTime ? fileTime(m_items[i].entry.path) : std::nullopt, i);
        std::stable_sort(keys.begin(), keys.end(), [descending](const auto& x, const auto& y) {
            if (!x.first || !y.first)
                return x.first.has_value() && !y.first.has_value();
            return descending ? *x.first > *y.first : *x.first < *y.first;
        });
        std::vector<Item> sorted;
        sorted.reserve(m_items.size());
        for (const auto& k : keys)
            sorted.push_back(std::move(m_items[k.second]));
        m_items = std::move(sorted);
    } else {
        const bool bySize = key == PlaylistSortKey::Size;
        std::stable_sort(m_items.begin(), m_items.end(), [sign, bySize](const Item& x, const Item& y) {
            return sign * compareNumberTexts(bySize ? x.entry.size : x.entry.seconds,
                                             bySize ? y.entry.size : y.entry.seconds) < 0;
        });
    }
    relocateCurrent();
}

void Playlist::shuffleWith(const std::function<int(int)>& randomBelow)
{
    const int n = size();
    if (n < 2)
        return;
    // Each entry moved to a random place, top down and then bottom up.
    const auto pass = [&](int from, int to, int step) {
        for (int i = from; i != to; i += step) {
            const int j = randomBelow(n);
            Item it = std::move(m_items[size_t(i)]);
            m_items.erase(m_items.begin() + i);
            m_items.insert(m_items.begin() + j, std::move(it));
        }
    };
    // A vector erase/insert per entry is quadratic; a Fisher-Yates shuffle
    // mixes as well in linear time for long lists.
    if (n > 2000) {
        for (int i = n - 1; i > 0; --i)
            std::swap(m_items[size_t(i)], m_items[size_t(randomBelow(i + 1))]);
    } else {
        pass(0, n, 1);
        pass(n - 1, -1, -1);
    }
    relocateCurrent();
}

QList<int> searchPlaylist(const Playlist& list, const QString& text)
{
    QList<int> out;
    if (text.isEmpty())
        return out;
    const QString needle = PolishUpper(text);
    for (int i = 0; i < list.size(); ++i)
        if (PolishUpper(list.at(i).name).contains(needle))
            out.append(i);
    return out;
}

QString nameAfter(const QString& name, const QString& text)
{
    const qsizetype at = text.isEmpty() ? -1 : name.indexOf(text);
    return at < 0 ? name : name.mid(at + text.size());
}

QString nameBefore(const QString& name, const QString& text)
{
    const qsizetype at = text.isEmpty() ? -1 : name.indexOf(text);
    return at < 0 ? name : name.left(at);
}

QString durationTotals(const Playlist& list)
{
    qint64 selected = 0;
    qint64 total = 0;
    bool unknown = false;
    for (int i = 0; i < list.size(); ++i) {
        const qint64 s = list.at(i).secondsValue();
        if (s < 0) {
            unknown = true;
            continue;
        }
        total += s;
        if (list.isSelected(i))
            selected += s;
    }
    return durationText(selected) + QLatin1String(" / ") + durationText(total) + (unknown ? QLatin1String("+") : QLatin1String(""));
}

QString countTotals(const Playlist& list)
{
    return QStringLiteral("%1 / %2").arg(list.selectedCount()).arg(list.size());
}

QString sizeTotals(const Playlist& list, const Playlist::FileTest& exists)
{
    qint64 selected = 0;
    qint64 total = 0;
    bool unknown = false;
    bool selectedUnknown = false;
    for (int i = 0; i < list.size(); ++i) {
        const PlaylistEntry& e = list.at(i);
        if (!exists(e.path))
            continue;
        const qint64 s = e.sizeValue();
        if (s < 0) {
            unknown = true;
            selectedUnknown = selectedUnknown || list.isSelected(i);
            continue;
        }
        total += s;
        if (list.isSelected(i))
            selected += s;
    }
    const auto mb = [](qint64 bytes) { return QString::number(double(bytes) / 1024 / 1024, 'f', 2); };
    QString text = selectedUnknown ? QStringLiteral("? MB / ") : mb(selected) + QLatin1String(" MB / ");
    text += mb(total) + QLatin1String(" MB");
    if (unknown)
        text += QLatin1Char('+');
    return text;
}

} // namespace zorvex
