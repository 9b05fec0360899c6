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

// Every page code by what it opens or runs; the table above gives each its
// label and place. Everything outside this file names codes through these.
namespace page {
inline constexpr int Look = 44;
inline constexpr int Placement = 1;
inline constexpr int Colours = 34;
inline constexpr int Window = 2;
inline constexpr int Tray = 3;
inline constexpr int Menu = 4;
inline constexpr int Alarm = 5;
inline constexpr int UptimeByDay = 6;
inline constexpr int UptimeByMonth = 7;
inline constexpr int UptimeChart = 8;
inline constexpr int UptimeInfo = 9;
inline constexpr int MouseByDay = 10;
inline constexpr int MouseByMonth = 11;
inline constexpr int MouseChart = 12;
inline constexpr int TrafficNow = 13;
inline constexpr int TrafficByDay = 14;
inline constexpr int TrafficByMonth = 15;
inline constexpr int TrafficChart = 16;
inline constexpr int TransferChart = 42; // command
inline constexpr int Charts = 17;
inline constexpr int Persons = 18;
inline constexpr int ImportantDays = 19;
inline constexpr int PrivateDays = 35;
inline constexpr int NameDays = 20;
inline constexpr int DatesNotification = 43; // command
inline constexpr int Wallpaper = 21;
inline constexpr int ChangeWallpaper = 37; // command
inline constexpr int DiscDrives = 22;
inline constexpr int Playlist = 23;
inline constexpr int PlayerMenu = 39; // submenu
inline constexpr int Mail = 24;
inline constexpr int ShowMail = 29;    // command
inline constexpr int MailProgram = 30; // command
inline constexpr int Ping = 25;
inline constexpr int WeatherMaps = 26;
inline constexpr int WeatherCities = 31;
inline constexpr int Misc = 32;
inline constexpr int MiscList = 38; // submenu
inline constexpr int Time = 33;
inline constexpr int Radio = 36;
inline constexpr int RadioMenu = 40;       // submenu
inline constexpr int RadioFavourites = 41; // submenu, or the favourites page
inline constexpr int ShoutBox = 27;
inline constexpr int Other = 28;
} // namespace page

// Pages of the Tools window that no code opens (tabs inside a coded page).
enum class UncodedPage { Alarm, HourlyChime, RadioStations };
// Their object names: "Page_Alarm", "Page_HourlyChime", "Page_RadioStations".
QString uncodedPageName(UncodedPage page);
// The uncoded page a caption of the page tree stands for, if any.
std::optional<UncodedPage> uncodedPageOf(const QString& caption);

} // namespace zorvex
