#include "core/app/PageCodes.h"

#include <algorithm>

namespace zorvex {
namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

std::vector<PageCode> buildTable()
{
    const auto open = PageAction::OpenPage;
    const auto cmd = PageAction::Command;
    const auto sub = PageAction::Submenu;
    return {
        {44, s("Wygląd"), s("Vuzuvured"), s("Wygląd"), {}, open},
        {1, s("Położenie"), s("Vuzuvured"), s("Położenie"), {}, open},
        {34, s("Kolory"), s("Vuzuvured"), s("Kolory"), {}, open},
        {2, s("Okno"), s("Vuzuvured"), s("Okno"), {}, open},
        {3, s("Tray"), s("Vuzuvured"), s("Tray"), {}, open},
        {4, s("Menu"), s("Vuzuvured"), s("Menu"), {}, open},
        {5, s("Alarm"), s("Alarm"), {}, {}, open},
        {6, s("Według dni"), s("Status systemu"), s("Czas uruchomień"), s("Według dni"), open},
        {7, s("Według miesięcy"), s("Status systemu"), s("Czas uruchomień"), s("Według miesięcy"), open},
        {8, s("Wykres"), s("Status systemu"), s("Czas uruchomień"), s("Wykres"), open},
        {9, s("Informacja"), s("Status systemu"), s("Czas uruchomień"), s("Informacja"), open},
        {10, s("Według dni"), s("Status systemu"), s("Ruch myszy"), s("Według dni"), open},
        {11, s("Według miesięcy"), s("Status systemu"), s("Ruch myszy"), s("Według miesięcy"), open},
        {12, s("Wykres"), s("Status systemu"), s("Ruch myszy"), s("Wykres"), open},
        {13, s("Aktualnie"), s("Status systemu"), s("Sieć"), s("Aktualnie"), open},
        {14, s("Według dni"), s("Status systemu"), s("Sieć"), s("Według dni"), open},
        {15, s("Według miesięcy"), s("Status systemu"), s("Sieć"), s("Według miesięcy"), open},
        {16, s("Wykres"), s("Status systemu"), s("Sieć"), s("Wykres"), open},
        {page::TransferChart, s("Wykres transferu"), s("Status systemu"), s("Sieć"), {}, cmd},
        {17, s("Wykresy"), s("Wykresy"), {}, {}, open},
        {18, s("Solenizant"), s("Ważne daty"), s("Solenizant"), {}, open},
        {19, s("Ważne dni"), s("Ważne daty"), s("Ważne dni"), {}, open},
        {35, s("Prywatne/rocznice"), s("Ważne daty"), s("Prywatne/rocznice"), {}, open},
        {20, s("Imieniny"), s("Ważne daty"), s("Imieniny"), {}, open},
        {page::DatesNotification, s("Powiadomienie"), s("Ważne daty"), {}, {}, cmd},
        {21, s("Tapeter"), s("Tapeter"), {}, {}, open},
        {page::ChangeWallpaper, s("Zmień tapetę"), s("Tapeter"), {}, {}, cmd},
        {22, s("Napędy CD/DVD"), s("Napędy CD/DVD"), {}, {}, open},
        {23, s("Menadżer m3u"), s("Menadżer m3u"), {}, {}, open},
        {page::PlayerMenu, s("Odtwarzanie"), s("Menadżer m3u"), {}, {}, sub},
        {24, s("Sprawdzanie poczty"), s("Poczta"), {}, {}, open},
        {page::ShowMail, s("Pokaż wiadomości"), s("Poczta"), {}, {}, cmd},
        {page::MailProgram, s("Program pocztowy"), s("Poczta"), {}, {}, cmd},
        {25, s("Ping"), s("Ping"), {}, {}, open},
        {26, s("Pogoda - Mapy"), s("Internet"), s("Pogoda"), s("Mapy"), open},
        {31, s("Pogoda - Miasta"), s("Internet"), s("Pogoda"), s("Miasta"), open},
        {32, s("Różne"), s("Internet"), s("Różne"), {}, open},
        {page::MiscList, s("Różne - Lista"), s("Internet"), s("Różne"), {}, sub},
        {33, s("Czas"), s("Internet"), s("Czas"), {}, open},
        {36, s("Radio"), s("Internet"), s("Radio"), {}, open},
        {page::RadioMenu, s("Odtwarzanie"), s("Internet"), s("Radio"), {}, sub},
        {page::RadioFavourites, s("Radio - Ulubione"), s("Internet"), s("Radio"), s("Ulubione"), sub},
        {27, s("ShoutBox"), s("Internet"), s("ShoutBox"), {}, open},
        {28, s("Inne"), s("Inne"), {}, {}, open},
    };
}

} // namespace

const std::vector<PageCode>& pageCodes()
{
    static const std::vector<PageCode> table = buildTable();
    return table;
}

std::optional<PageCode> findPageCode(int code)
{
    const auto& t = pageCodes();
    const auto it = std::find_if(t.begin(), t.end(), [code](const PageCode& p) { return p.code == code; });
    if (it == t.end())
        return std::nullopt;
    return *it;
}

const std::vector<QString>& toolsTopPages()
{
    static const std::vector<QString> pages = {
        s("Vuzuvured"), s("Alarm"), s("Status systemu"), s("Wykresy"), s("Ważne daty"), s("Tapeter"),
        s("Napędy CD/DVD"), s("Menadżer m3u"), s("Poczta"), s("Ping"), s("Internet"), s("Inne"),
    };
    return pages;
}

int routedPageCode(int code, const PageRouting& state)
{
    if (code >= 14 && code <= 16 && !state.trafficStatisticOn)
        return 13;
    return code;
}

PageBarScroll pageBarScrollFor(int code)
{
    const auto p = findPageCode(code);
    if (!p)
        return PageBarScroll::Top;
    const auto& pages = toolsTopPages();
    const auto it = std::find(pages.begin(), pages.end(), p->top);
    return it - pages.begin() < 6 ? PageBarScroll::Top : PageBarScroll::Bottom;
}

QString uncodedPageName(UncodedPage page)
{
    switch (page) {
    case UncodedPage::Alarm: return QStringLiteral("Page_Alarm");
    case UncodedPage::HourlyChime: return QStringLiteral("Page_HourlyChime");
    case UncodedPage::RadioStations: return QStringLiteral("Page_RadioStations");
    }
    return {};
}

std::optional<UncodedPage> uncodedPageOf(const QString& caption)
{
    if (caption == QLatin1String("Alarm"))
        return UncodedPage::Alarm;
    if (caption == QString::fromUtf8("Dźwięk co godzinę"))
        return UncodedPage::HourlyChime;
    if (caption == QLatin1String("Wszystkie stacje"))
        return UncodedPage::RadioStations;
    return std::nullopt;
}

} // namespace zorvex
