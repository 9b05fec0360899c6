#pragma once

#include "core/app/Settings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace zorvex {

// What kind of submenu a user entry of the context menu carries.
enum class EntrySubmenu {
    None,
    MiscList,   // 38: the miscellaneous list's visible entries
    Player,     // 39: the music player's commands
    Radio,      // 40: the radio's commands
    Favourites, // 41: the favourite stations, when there are any
};

struct MenuEntry {
    int code = -1;
    QString label;
    EntrySubmenu submenu = EntrySubmenu::None;
};

// The user part of the context menu from M1..M43, in list order. Empty
// places (-1), codes that name no page and repeated codes are left out: the
// list editor never stores them, so they come only from a damaged file.
std::vector<MenuEntry> userMenuEntries(const std::array<int, kMenuEntries>& m);

EntrySubmenu submenuOf(int code);

// The fixed commands of the player and radio submenus, in menu order.
enum class PlayerCommand { Previous, Play, Pause, Stop, Next };
enum class RadioCommand { Previous, Play, Stop, Next, Record };
QStringList playerSubmenuLabels();
QStringList radioSubmenuLabels();

} // namespace zorvex
