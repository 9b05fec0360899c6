#pragma once

#include "core/common/Colour.h"
#include "core/shell/StatusValues.h"

#include <QRect>
#include <QString>

namespace zorvex {

// The Kolor_TN setting.
enum class TrayMode { DayNumber = 0, Cpu = 1, Ram = 2, Swap = 3, None = 4, Transfer = 5 };

inline constexpr int kTrayLevels = 12;
inline constexpr int kTrayIconSize = 16;

TrayMode trayModeFromSetting(int kolorTN);
inline bool hasTrayIcon(int kolorTN)
{
    return trayModeFromSetting(kolorTN) != TrayMode::None;
}

// The level icon for a fraction of full: trunc(fraction x 11), kept in 0..11.
int trayLevelIndex(double fraction);

// The level pictures: the square in the mode's colour, and the dark cover
// of icon i, from x = 3 up to (not including) x = 13 - i.
QRect trayLevelColourRect();
QRect trayLevelDarkRect(int level);
inline constexpr Colour kTrayLevelDark = colourFromRgb(56, 56, 94);

// The transfer icon's text and size: longer than 3 characters is cut to 2
// plus "..", and anything longer than 2 characters is drawn in 7 points.
struct TransferIconText {
    QString text;
    int pointSize = 10;
};
TransferIconText transferIconText(const QString& value);
TransferIconText transferIconText(qint64 kilobytesPerSecond);

// White is the transparent colour of the transfer icon, so white text is
// drawn in a near white.
Colour transferTextColour(Colour kolorT4);

// What the tray shows at one update.
struct TrayIconChoice {
    enum Kind { None, Day, Level, Transfer };
    Kind kind = None;
    int day = 0;          // Day: 1..31
    int level = 0;        // Level: 0..11
    TransferIconText transfer;
};

struct TrayIconInputs {
    int mode = 2;              // Kolor_TN
    int today = 1;             // day of the month
    bool ramShowsFree = true;  // PanelRamW
    bool swapShowsFree = false; // PanelSwapW
    int transferDirection = 0; // TrayTransfer: 0 received, 1 sent
};

// Picks the icon of the current mode. A gauge or transfer mode whose
// feature is not part of the program shows the day number; unknown values
// of a running feature show the lowest level (or "?" on the transfer icon);
// a total of 0 (no swap at all) counts as empty instead of dividing by zero.
TrayIconChoice chooseTrayIcon(const TrayIconInputs& in, const StatusValues& values);

// The left click on the tray icon: hide the window when it is showing, was
// the foreground window at the last check and TrayMinimize is on; otherwise
// show it and bring it to the front. `foregroundAfter` is the refreshed flag.
struct TrayClickOutcome {
    bool hide = false;
    bool foregroundAfter = false;
};
TrayClickOutcome trayClick(bool windowShowing, bool wasForeground, bool trayMinimize);

} // namespace zorvex
