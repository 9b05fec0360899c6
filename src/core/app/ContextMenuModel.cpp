#include "core/app/ContextMenuModel.h"

#include "core/app/PageCodes.h"

#include <algorithm>

namespace zorvex {

EntrySubmenu submenuOf(int code)
{
    switch (code) {
    case page::MiscList:
        return EntrySubmenu::MiscList;
    case page::PlayerMenu:
        return EntrySubmenu::Player;
    case page::RadioMenu:
        return EntrySubmenu::Radio;
    case page::RadioFavourites:
        return EntrySubmenu::Favourites;
    default:
        return EntrySubmenu::None;
    }
}

std::vector<MenuEntry> userMenuEntries(const std::array<int, kMenuEntries>& m)
{
    std::vector<MenuEntry> entries;
    for (int code : m) {
        if (code == -1)
            continue;
        const auto page = findPageCode(code);
        if (!page)
            continue;
        const bool repeated = std::any_of(entries.begin(), entries.end(),
                                          [code](const MenuEntry& e) { return e.code == code; });
        if (repeated)
            continue;
        entries.push_back({code, page->label, submenuOf(code)});
    }
    return entries;
}

QStringList playerSubmenuLabels()
{
    return {QStringLiteral("Poprzedni"), QStringLiteral("Odtwarzaj"), QStringLiteral("Pauza"), QStringLiteral("Stop"),
            QString::fromUtf8("Następny")};
}

QStringList radioSubmenuLabels()
{
    return {QStringLiteral("Poprzedni"), QStringLiteral("Odtwarzaj"), QStringLiteral("Stop"),
            QString::fromUtf8("Następny"), QStringLiteral("Nagrywaj")};
}

} // namespace zorvex
