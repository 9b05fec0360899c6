#pragma once

#include "core/common/Colour.h"
#include "core/settings/SettingsSection.h"

#include <array>

namespace zorvex {

// The ten text colours of the main window (KT01..KT10), in their order.
enum class TextElement {
    Clock = 0,
    Zodiac,
    Caption,
    Weekdays,
    Workdays,
    Saturday,
    Sunday,
    ScrollingText,
    InfoPanel,
    Temperature,
};
inline constexpr int kTextElements = 10;

inline constexpr int kMenuEntries = 43;

// Section "Vuzuvured": the main window, calendar look, colours, tray,
// context menu and panel layout.
struct MainWindowSettings : SettingsSection {
    int pozycja, pozycjaX, pozycjaY;
    bool pozycjaZ;
    std::array<Colour, kTextElements> kt; // KT01..KT10, by TextElement
    Colour textColour(TextElement e) const { return kt[std::size_t(e)]; }
    Colour& textColour(TextElement e) { return kt[std::size_t(e)]; }
    Colour kolorB, kolorBPO, kolorPR, kolorPY, kolorPG, kolorPB;
    bool naWierzchu, uNaWierzchu, wykres, wykresAkt;
    int wykresCz;
    bool panel1, panel2, panel3, panel4, panel5;
    int panel5a;
    bool panel6, panel7, panelRamW, panelSwapW;
    int kolorTN;
    bool przyciskM, uruZmin, kolorBC, kolorBCC;
    QString kolorBT;
    Colour kolorT1, kolorT2, kolorT3, kolorT4;
    Colour kolorWD2, kolorUro, kolorImi, kolorPry, kolorAD2;
    QString kolorKol;
    int kolorSchemat;
    QString schematNazwa, kompozycja;
    bool menuKlony, menuIkonyPulpitu, blendA;
    int blendW;
    std::array<int, kMenuEntries> m; // M1..M43
    std::array<int, 3> p;            // P1..P3
    std::array<int, 3> pg;           // PG1..PG3
    int priorytet;
    QString zakladka;
    int zakladkaS;
    QString niePokazujKom;
    DayTime ostPokCP;
    int dyski;
    QString dyskStyl;
    bool dyskiSuma, dyskiWymienne;
    int dyskiWymienneJ;
    int imSePredkosc;
    QString update;
    DayTime ostatnioSpr;
    bool przelaczanie, trayMinimize, trayIconProtect;
    int trayTransfer;
    bool pokazSiatke, pokazRamke, paskiCien;
    int zodiakTyp;
    QString zodiakStyl1, zodiakStyl2, minimizeStyl, poraStyl;
    FontValue font1, font2, font3;

    const char* name() const override { return "Vuzuvured"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
