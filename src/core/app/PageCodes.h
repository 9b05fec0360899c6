#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace zorvex {

// What a page code does when it is chosen from a menu.
enum class PageAction {
    OpenPage, // open the Tools window at its page
    Command,  // run a command without opening the Tools window
    Submenu,  // a submenu of the context menu (player, radio, lists)
};

// One numeric code per Tools page; the same codes are the entries of the
// user's context menu. `top`, `sub` and `leaf` name the page on the Tools
// window's page tree (empty where the page has no deeper level).
struct PageCode {
    int code;
    QString label;
    QString top;
    QString sub;
    QString leaf;
    PageAction action;
};

// The whole table, in the order of the Tools window's page tree.
const std::vector<PageCode>& pageCodes();
std::optional<PageCode> findPageCode(int code);

// The twelve top-level pages of the Tools window, in the page bar's order.
const std::vector<QString>& toolsTopPages();

// What opening a code leads to once the program's state is known: the
// traffic pages other than "Aktualnie" need the traffic statistic, and the
// favourites submenu falls back to its page when there are no favourites.
struct PageRouting {
    bool trafficStatisticOn = false; // off until the statistic says otherwise
    bool haveFavouriteStations = false;
};
int routedPageCode(int code, const PageRouting& state);

// The page bar scrolls to the top for the first six top-level pages and to
// the bottom for the next six.
enum class PageBarScroll { Top, Bottom };
PageBarScroll pageBarScrollFor(int code);

// Code of the commands: codes that run without opening the Tools window.
inline constexpr int kCodeShowMail = 29;
inline constexpr int kCodeMailProgram = 30;
inline constexpr int kCodeChangeWallpaper = 37;
inline constexpr int kCodeMiscList = 38;
inline constexpr int kCodePlayerMenu = 39;
inline constexpr int kCodeRadioMenu = 40;
inline constexpr int kCodeRadioFavourites = 41;
inline constexpr int kCodeTransferChart = 42;
inline constexpr int kCodeDatesNotification = 43;

} // namespace zorvex
