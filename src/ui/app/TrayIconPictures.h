#pragma once

#include "core/app/TrayIconModel.h"

#include <QIcon>
#include <QImage>

#include <array>

namespace zorvex {

// The 16 x 16 pictures of the tray icon: the day numbers, the twelve levels
// of the gauge modes, and the transfer text.
class TrayIconPictures {
public:
    // The picture the level icons are drawn on.
    static QImage basePicture();
    static QImage dayPicture(int day);
    static QImage levelPicture(int level, Colour colour);
    static QImage transferPicture(const TransferIconText& text, Colour textColour);

    // The 31 day icons, drawn on first use.
    QIcon dayIcon(int day);
    // Prepares the twelve level icons for a mode's colour; nothing is drawn
    // when they are already prepared for that mode and colour.
    void prepareLevels(int mode, Colour colour);
    QIcon levelIcon(int level) const;
    // How many times the level icons were drawn, for checking that an
    // update does not redraw them.
    int levelBuilds() const { return m_levelBuilds; }

private:
    std::array<QIcon, 31> m_days;
    bool m_daysReady = false;
    std::array<QIcon, kTrayLevels> m_levels;
    int m_levelMode = -1;
    Colour m_levelColour = -1;
    int m_levelBuilds = 0;
};

} // namespace zorvex
