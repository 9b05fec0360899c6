#pragma once

#include "core/internet/ZlbFormat.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace zorvex {

// The add-on families, as package folders name them.
enum class AddonCategory {
    None = 0,
    Scheme = 1,
    WeatherIcons = 2,
    PlaybackSkin = 3,
    ChimeSet = 4,
    Zodiac = 5,
    DiskIcon = 6,
    TimeOfDay = 7,
};

struct AddonCategoryInfo {
    AddonCategory category;
    const char* prefix;  // upper case, "\" separated
    const char* folder;  // the data folder's spelling, "/" separated
    const char* heading; // in the question and the summary
};
// In the order folders are tested.
const std::vector<AddonCategoryInfo>& addonCategories();

struct AddonItem {
    AddonCategory category = AddonCategory::None;
    QString name; // the set's folder name, or a single zodiac picture's file name
    bool operator==(const AddonItem&) const = default;
};

// What a package brings and where each of its files may go.
struct AddonPlan {
    QList<AddonItem> items;       // sorted: by category, then by name
    std::vector<int> extract;     // entries written into the data folder
    QList<QString> targets;       // their places below the data folder, "/"
                                  // separated, the family folders spelled as
                                  // the data folder has them
    int compositionsEntry = -1;   // the root entry "kompozycje"
    int copiesEntry = -1;         // the root entry "kopie"
    bool hasFolders = false;      // any entry with a folder
    // Why the package is refused as a whole; empty when it may be installed.
    QString refusal;
};

// Reads a package's registry. Every entry below "Gfx\" or "Godziny\" must
// lie inside one add-on folder (a set folder of a family, or "Gfx\Zodiak\"
// itself for single pictures), and no entry may have a path that could
// leave the data folder; otherwise the plan carries a refusal naming the
// first such entry. Root files other than "kompozycje" and "kopie", and
// folders of no family, are never written.
AddonPlan planAddonPackage(const std::vector<ZlbEntry>& entries);

// A "kopie" line: a file of the data folder copied to another place.
struct AddonCopy {
    QString source; // below the data folder, "/" separated
    QString target; // inside an add-on folder, "/" separated
};
// Reads the "kopie" lines ("source*target", both relative to the data
// folder). False, with the offending line in `refusal`, when a source could
// lie outside the data folder or a target outside the add-on folders.
bool parseAddonCopies(const QString& text, QList<AddonCopy>* copies, QString* refusal);

// The "kompozycje" lines, each with field 9 set to `secondsSince1970`.
QStringList parseAddonCompositions(const QString& text, qint64 secondsSince1970);
// The name (field 1) of a composition line.
QString compositionName(const QString& line);
// Merges installed compositions into the list's lines: each replaces the
// entry of the same name (never the first, "Domyślna") or is added at the
// end. The list always starts with "Domyślna".
QStringList mergeCompositions(const QStringList& list, const QStringList& installed);

// The question before installing, and the summary after it.
QString addonQuestion(const QList<AddonItem>& items, const QStringList& compositions);
QString addonSummary(const QList<AddonItem>& items, const QStringList& compositions);

// Whether the installed items are chosen and applied at once: exactly one,
// or two to six of one family.
bool applyInstalledItems(const QList<AddonItem>& items);

inline constexpr char kNoAddonsText[] = "Wybrany plik nie zawiera żadnych dodatków do programu Zorvex";
inline constexpr char kAddonsCaption[] = "Zorvex - Dodatki";

} // namespace zorvex
