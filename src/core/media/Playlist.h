#pragma once

#include "core/media/PlaylistEntry.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <random>
#include <vector>

namespace zorvex {

// The keys the list is sorted by.
enum class PlaylistSortKey { Name, FileTime, Path, Size, Seconds };

// The playlist of the M3U manager: its entries, which of them are selected,
// and the current entry (the one that plays or played last). Every change
// keeps the current entry on the same entry, or -1 once it is gone.
class Playlist {
public:
    using FileTest = std::function<bool(const QString&)>;
    // Last-write time of a file in ms since the epoch; empty for a missing one.
    using FileTime = std::function<std::optional<qint64>(const QString&)>;

    int size() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    const PlaylistEntry& at(int i) const { return m_items[size_t(i)].entry; }
    QList<PlaylistEntry> entries() const;

    int current() const { return m_current; }
    // -1, or an index of the list.
    void setCurrent(int index);
    const PlaylistEntry* currentEntry() const { return m_current >= 0 ? &at(m_current) : nullptr; }

    bool isSelected(int i) const { return m_items[size_t(i)].selected; }
    void setSelected(int i, bool selected) { m_items[size_t(i)].selected = selected; }
    void selectOnly(int i);
    void selectAll(bool selected);
    void invertSelection();
    int selectedCount() const;
    QList<int> selectedIndexes() const;

    void append(const PlaylistEntry& entry);
    void append(const QList<PlaylistEntry>& entries);
    // Replaces the entry's fields, keeping its place, selection and whether
    // it is the current one.
    void replace(int i, const PlaylistEntry& entry);
    void clear();

    // Removing returns how many entries went.
    int removeSelected();
    int keepSelected();
    int removeMissing(const FileTest& exists);
    // Every later entry with the path of an earlier one (exact comparison).
    int removeDuplicates();
    // Moves the selected entries by `distance` rows; nothing moves when one
    // of them would leave the list. False then.
    bool moveSelected(int distance);

    // Stable; equal keys keep their order.
    void sort(PlaylistSortKey key, bool descending, const FileTime& fileTime = {});
    template <class Rng> void shuffle(Rng& rng) { shuffleWith([&rng](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); }); }

    // The ordering of two seconds or size texts: whole numbers before other
    // texts, numbers by value, texts by text. A strict weak ordering, so that
    // a list mixing both sorts the same every time.
    static int compareNumberTexts(const QString& a, const QString& b);
    // Names and paths: after PolishUpper, by the locale's comparison.
    static int compareNames(const QString& a, const QString& b);

private:
    struct Item {
        PlaylistEntry entry;
        bool selected = false;
        quint64 id = 0; // follows the entry through sorts and removals
    };

    void shuffleWith(const std::function<int(int)>& randomBelow);
    template <class Keep> int removeIf(Keep keep);
    void relocateCurrent();

    std::vector<Item> m_items;
    int m_current = -1;
    quint64 m_currentId = 0; // 0: none
    quint64 m_nextId = 1;
};

// The entries whose name holds `text`, compared after PolishUpper; an empty
// text finds nothing.
QList<int> searchPlaylist(const Playlist& list, const QString& text);

// The part of a name after (or before) the first occurrence of `text`,
// case-sensitive; a name without it is given whole.
QString nameAfter(const QString& name, const QString& text);
QString nameBefore(const QString& name, const QString& text);

// "mm:ss / mm:ss" of the selected and all entries, "+" when one of the
// entries' durations is unknown.
QString durationTotals(const Playlist& list);
// "n / m".
QString countTotals(const Playlist& list);
// "x.xx MB / y.yy MB" of the entries whose files exist; "? MB / …" when a
// selected size is unknown, "+" when any is.
QString sizeTotals(const Playlist& list, const Playlist::FileTest& exists);

} // namespace zorvex
