#include "core/desktop/DriveHotKeys.h"

#include "core/common/LineFile.h"
#include "core/common/Text.h"

namespace zorvex {

const QStringList& modifierTexts()
{
    static const QStringList texts = {QStringLiteral("(brak)"), QStringLiteral("ALT + SHIFT"),
                                      QStringLiteral("CTRL + ALT lub Prawy ALT"), QStringLiteral("CTRL + SHIFT"),
                                      QStringLiteral("CTRL + ALT + SHIFT")};
    return texts;
}

namespace {

struct KeyEntry {
    const char16_t* text;
    quint32 keysym;
    const char* name; // the keysym's xkbcommon name
};

// The key table: F1-F12, `, 0-9, the punctuation keys, the editing keys,
// the arrows and five keys of the numeric keypad.
constexpr KeyEntry kKeys[kHotKeyCount] = {
    {u"F1", 0xffbe, "F1"}, {u"F2", 0xffbf, "F2"}, {u"F3", 0xffc0, "F3"}, {u"F4", 0xffc1, "F4"},
    {u"F5", 0xffc2, "F5"}, {u"F6", 0xffc3, "F6"}, {u"F7", 0xffc4, "F7"}, {u"F8", 0xffc5, "F8"},
    {u"F9", 0xffc6, "F9"}, {u"F10", 0xffc7, "F10"}, {u"F11", 0xffc8, "F11"}, {u"F12", 0xffc9, "F12"},
    {u"`", 0x60, "grave"}, {u"0", 0x30, "0"}, {u"1", 0x31, "1"}, {u"2", 0x32, "2"}, {u"3", 0x33, "3"},
    {u"4", 0x34, "4"}, {u"5", 0x35, "5"}, {u"6", 0x36, "6"}, {u"7", 0x37, "7"}, {u"8", 0x38, "8"},
    {u"9", 0x39, "9"}, {u"-", 0x2d, "minus"}, {u"=", 0x3d, "equal"}, {u"\\", 0x5c, "backslash"},
    {u"[", 0x5b, "bracketleft"}, {u"]", 0x5d, "bracketright"}, {u";", 0x3b, "semicolon"},
    {u"'", 0x27, "apostrophe"}, {u",", 0x2c, "comma"}, {u".", 0x2e, "period"}, {u"/", 0x2f, "slash"},
    {u"Insert", 0xff63, "Insert"}, {u"Delete", 0xffff, "Delete"}, {u"Home", 0xff50, "Home"},
    {u"End", 0xff57, "End"}, {u"Page Up", 0xff55, "Page_Up"}, {u"Page Down", 0xff56, "Page_Down"},
    {u"Strzałka w górę", 0xff52, "Up"}, {u"Strzałka w dół", 0xff54, "Down"},
    {u"Strzałka w lewo", 0xff51, "Left"}, {u"Strzałka w prawo", 0xff53, "Right"},
    {u"Num /", 0xffaf, "KP_Divide"}, {u"Num *", 0xffaa, "KP_Multiply"}, {u"Num -", 0xffad, "KP_Subtract"},
    {u"Num +", 0xffab, "KP_Add"}, {u"Num ,", 0xffae, "KP_Decimal"},
};

bool readInt(const QString& text, int min, int max, int* out)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < min || n > max)
        return false;
    *out = n;
    return true;
}

} // namespace

const QStringList& hotKeyTexts()
{
    static const QStringList texts = [] {
        QStringList t;
        for (const KeyEntry& k : kKeys)
            t << QString::fromUtf16(k.text);
        return t;
    }();
    return texts;
}

quint32 hotKeySym(int key)
{
    return key >= 0 && key < kHotKeyCount ? kKeys[key].keysym : 0;
}

QString hotKeyTrigger(HotKeyCombo combo)
{
    const unsigned bits = modifierBits(combo.modifier);
    if (!bits || combo.key < 0 || combo.key >= kHotKeyCount)
        return {};
    QString trigger;
    if (bits & kControl)
        trigger += QStringLiteral("CTRL+");
    if (bits & kAlt)
        trigger += QStringLiteral("ALT+");
    if (bits & kShift)
        trigger += QStringLiteral("SHIFT+");
    return trigger + QLatin1String(kKeys[combo.key].name);
}

QString hotKeyText(HotKeyCombo combo)
{
    return modifierTexts().value(combo.modifier) + QStringLiteral(" + ") + hotKeyTexts().value(combo.key);
}

unsigned modifierBits(int modifier)
{
    switch (modifier) {
    case 1: return kAlt | kShift;
    case 2: return kControl | kAlt;
    case 3: return kControl | kShift;
    case 4: return kControl | kAlt | kShift;
    default: return 0;
    }
}

DriveHotKeyTable defaultDriveHotKeys()
{
    DriveHotKeyTable table;
    for (int i = 0; i < 26; ++i)
        table[size_t(i)].letter = QChar(u'A' + i);
    return table;
}

QString driveHotKeyLine(const DriveHotKeyLine& line)
{
    QStringList f{line.letter, line.active ? QStringLiteral("1") : QStringLiteral("0")};
    for (const HotKeyCombo& c : line.combos)
        f << QString::number(c.modifier) << QString::number(c.key);
    f << QString::number(line.delay);
    return f.join(QLatin1Char('|'));
}

QStringList driveHotKeyLines(const DriveHotKeyTable& table)
{
    QStringList lines;
    for (const DriveHotKeyLine& l : table)
        lines << driveHotKeyLine(l);
    return lines;
}

DriveHotKeyFile parseDriveHotKeys(const QStringList& lines, bool fileExists)
{
    DriveHotKeyFile out{defaultDriveHotKeys(), false};
    if (!fileExists || lines.isEmpty() || lines.first().size() == 7) {
        out.repaired = true;
        return out;
    }
    std::array<bool, 26> seen{};
    for (const QString& text : lines) {
        const QString letter = PolishUpper(PipeField(text, 1));
        if (letter.size() != 1 || letter[0] < QLatin1Char('A') || letter[0] > QLatin1Char('Z')) {
            out.repaired = true;
            continue;
        }
        const int index = letter[0].unicode() - u'A';
        if (seen[size_t(index)]) {
            out.repaired = true;
            continue;
        }
        seen[size_t(index)] = true;
        DriveHotKeyLine line;
        line.letter = letter[0];
        bool ok = true;
        int active = 0;
        ok &= readInt(PipeField(text, 2), 0, 1, &active);
        line.active = active == 1;
        for (int a = 0; a < kTrayActionCount; ++a) {
            HotKeyCombo& c = line.combos[size_t(a)];
            ok &= readInt(PipeField(text, 3 + 2 * a), 0, kModifierCount - 1, &c.modifier);
            ok &= readInt(PipeField(text, 4 + 2 * a), 0, kHotKeyCount - 1, &c.key);
        }
        ok &= readInt(PipeField(text, 9), kMinTrayDelay, kMaxTrayDelay, &line.delay);
        if (!ok) {
            // A damaged line keeps nothing half-read: the drive starts afresh.
            out.repaired = true;
            continue;
        }
        out.lines[size_t(index)] = line;
    }
    for (bool s : seen)
        if (!s)
            out.repaired = true;
    return out;
}

DriveHotKeyFile loadDriveHotKeys(const QString& path)
{
    bool ok = false, replace = true;
    const QStringList lines = loadLineFile(path, &ok, &replace);
    DriveHotKeyFile file = parseDriveHotKeys(lines, ok);
    file.mayReplace = replace;
    return file;
}

bool saveDriveHotKeys(const QString& path, const DriveHotKeyTable& table)
{
    return saveLineFile(path, driveHotKeyLines(table));
}

bool resetMissingDrives(DriveHotKeyTable& table, const QString& driveLetters)
{
    bool changed = false;
    for (DriveHotKeyLine& line : table)
        if (line.active && !driveLetters.contains(line.letter)) {
            const QChar letter = line.letter;
            line = DriveHotKeyLine{};
            line.letter = letter;
            changed = true;
        }
    return changed;
}

QList<HotKeyCombo> registeredCombos(const DriveHotKeyTable& table)
{
    QList<HotKeyCombo> combos;
    for (const DriveHotKeyLine& line : table) {
        if (!line.active)
            continue;
        for (const HotKeyCombo& c : line.combos)
            if (c.modifier != 0 && !combos.contains(c))
                combos << c;
    }
    return combos;
}

QList<TrayMove> movesForHotKey(const DriveHotKeyTable& table, HotKeyCombo pressed, bool closePending)
{
    QList<TrayMove> moves;
    if (pressed.modifier == 0)
        return moves;
    for (const DriveHotKeyLine& line : table) {
        if (!line.active)
            continue;
        if (line.combo(TrayAction::Close) == pressed)
            moves.append({line.letter, false, 0});
        if (line.combo(TrayAction::Open) == pressed)
            moves.append({line.letter, true, 0});
        if (line.combo(TrayAction::OpenThenClose) == pressed && !closePending) {
            moves.append({line.letter, true, line.delay});
            closePending = true;
        }
    }
    return moves;
}

} // namespace zorvex
