#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace zorvex {

// What a tray hot key does.
enum class TrayAction { Close, Open, OpenThenClose };
inline constexpr int kTrayActionCount = 3;

// A modifier index (0 = no hot key, 1 ALT+SHIFT, 2 CTRL+ALT, 3 CTRL+SHIFT,
// 4 CTRL+ALT+SHIFT) and a key index 0..47 of the key table.
struct HotKeyCombo {
    int modifier = 0;
    int key = 0;
    bool operator==(const HotKeyCombo&) const = default;
};

inline constexpr int kModifierCount = 5;
inline constexpr int kHotKeyCount = 48;
inline constexpr int kMinTrayDelay = 1;
inline constexpr int kMaxTrayDelay = 30;
inline constexpr int kDefaultTrayDelay = 5;

// The list texts.
const QStringList& modifierTexts();
const QStringList& hotKeyTexts();
// The X keysym each key index stands for.
quint32 hotKeySym(int key);
// The modifier set of an index: bits of kShift, kControl, kAlt.
inline constexpr unsigned kShift = 1, kControl = 2, kAlt = 4;
unsigned modifierBits(int modifier);
// The combination as a desktop portal's shortcut trigger ("CTRL+ALT+F5",
// modifiers and an xkbcommon key name); empty for no hot key.
QString hotKeyTrigger(HotKeyCombo combo);
// As the page shows it: "CTRL + SHIFT + F5".
QString hotKeyText(HotKeyCombo combo);

// One line of `CD_`: a drive letter with its three hot keys.
struct DriveHotKeyLine {
    QChar letter;
    bool active = false;
    std::array<HotKeyCombo, kTrayActionCount> combos{}; // by TrayAction
    int delay = kDefaultTrayDelay;                       // seconds, for OpenThenClose

    HotKeyCombo combo(TrayAction a) const { return combos[size_t(a)]; }
    bool operator==(const DriveHotKeyLine&) const = default;
};

using DriveHotKeyTable = std::array<DriveHotKeyLine, 26>; // A..Z

struct DriveHotKeyFile {
    DriveHotKeyTable lines;
    bool repaired = false;   // the file was missing, old or damaged: write it anew
    bool mayReplace = true;  // false when the file is there but could not be read
};

DriveHotKeyTable defaultDriveHotKeys();
QString driveHotKeyLine(const DriveHotKeyLine& line);
QStringList driveHotKeyLines(const DriveHotKeyTable& table);
// Lines of a letter read into its place; anything out of range falls back to
// its default and marks the table repaired. A file whose first line is 7
// characters long is of the older format and gives the defaults.
DriveHotKeyFile parseDriveHotKeys(const QStringList& lines, bool fileExists);
DriveHotKeyFile loadDriveHotKeys(const QString& path);
bool saveDriveHotKeys(const QString& path, const DriveHotKeyTable& table);

// An active line of a letter that is not a CD/DVD drive goes back to its
// default; returns whether anything changed.
bool resetMissingDrives(DriveHotKeyTable& table, const QString& driveLetters);

// The combinations to register: of active lines, modifier not 0, each once.
QList<HotKeyCombo> registeredCombos(const DriveHotKeyTable& table);

struct TrayMove {
    QChar letter;
    bool open = false;
    int armDelay = 0; // > 0: arm the delayed close with this many seconds
    bool operator==(const TrayMove&) const = default;
};
// What a pressed combination does, line by line; an open-and-close is
// ignored while a delayed close is pending, including one armed by an
// earlier line of the same press.
QList<TrayMove> movesForHotKey(const DriveHotKeyTable& table, HotKeyCombo pressed, bool closePending);

} // namespace zorvex
