#pragma once

#include "core/shell/StatusValues.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace zorvex {

inline constexpr int kTrayHintMaxLength = 127;
inline constexpr int kTrayHintPatternMaxLength = 200;

// The pattern of the Tray/Podpowiedz setting: hint lines joined with "|".
QString defaultTrayHintPattern();

// Placeholders with their meanings, in the order the editor lists them.
const std::vector<std::pair<QString, QString>>& trayHintPlaceholders();

struct TrayHintContext {
    bool ramShowsFree = true;   // PanelRamW
    bool swapShowsFree = false; // PanelSwapW
    QString version;
};

// Fills in the pattern. Placeholders are case-sensitive and replaced in one
// pass, so a value that happens to contain a placeholder (a radio title) is
// shown as it is. A line naming a feature the program does not have is left
// out. A value that is not known yet reads "?", and so do the traffic
// placeholders and [IP] while the traffic statistic is off. The traffic
// monitor is asked only when the pattern names one of them. Lines become
// line breaks; the result is trimmed, cut to 127 characters and trimmed
// again.
QString buildTrayHint(const QString& pattern, const TrayHintContext& ctx, const StatusValues& values);

// The editor's memo text as a pattern: CR LF, CR and LF each become "|",
// and the result is trimmed.
QString hintPatternFromLines(const QString& memoText);
// The pattern as memo lines.
QString hintLinesFromPattern(const QString& pattern);

} // namespace zorvex
