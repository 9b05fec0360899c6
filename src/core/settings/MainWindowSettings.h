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
    int placement;              // Pozycja: 1..4 a corner of the work area, 5 own position
    int left, top;              // PozycjaX, PozycjaY
    bool positionLocked;        // PozycjaZ: own position locked against dragging
    std::array<Colour, kTextElements> textColours; // KT01..KT10, by TextElement
    Colour textColour(TextElement e) const { return textColours[std::size_t(e)]; }
    Colour& textColour(TextElement e) { return textColours[std::size_t(e)]; }
    Colour background;          // Kolor_B
    Colour playbackPanelBackground; // Kolor_B_PO
    Colour gaugeLowColour;      // Kolor_PR: levels 0-12 %
    Colour gaugeMiddleColour;   // Kolor_PY: 13-30 %
    Colour gaugeHighColour;     // Kolor_PG: 31-100 %
    Colour infoPanelBackground; // Kolor_PB
    bool alwaysOnTop;           // NaWierzchu
    bool toolsOnTopForChart;    // UNaWierzchu: the Tools window on top while its chart page shows
    bool chartsRunLeft;         // Wykres
    bool chartsActive;          // WykresAkt
    int uptimeChartKind;        // WykresCz, 0..1
    bool clockPanelVisible;     // Panel1: time-of-day picture and clock
    bool textPanelVisible;      // Panel2: scrolling text
    bool memoryPanelsVisible;   // Panel3: RAM, SWAP and disks
    bool cpuPanelVisible;       // Panel4
    bool transferPanelVisible;  // Panel5
    int transferPanelDirection; // Panel5a: 0 incoming, 1 outgoing
    bool playbackPanelVisible;  // Panel6
    bool zodiacVisible;         // Panel7
    bool ramPanelShowsFree;     // PanelRamW
    bool swapPanelShowsFree;    // PanelSwapW
    int trayIconKind;           // Kolor_TN, 0..5
    bool trayButtonVisible;     // PrzyciskM: the minimize-to-tray button
    bool startMinimized;        // UruZmin
    bool plainBackground;       // Kolor_BC: the colour, not the skin picture
    bool backgroundShadow;      // Kolor_BCC
    QString skinPicture;        // Kolor_BT
    Colour trayCpuColour;       // Kolor_T1
    Colour trayFreeRamColour;   // Kolor_T2
    Colour trayUsedSwapColour;  // Kolor_T3
    Colour trayTransferTextColour; // Kolor_T4
    Colour importantDayColour;  // Kolor_WD2
    Colour birthdayColour;      // Kolor_Uro
    Colour nameDayColour;       // Kolor_Imi
    Colour privateDayColour;    // Kolor_Pry
    Colour todayFrameColour;    // Kolor_AD2
    QString markingPrecedence;  // Kolor_Kol, e.g. "1234"
    int colourSchemeIndex;      // Kolor_Schemat
    QString colourSchemeName;   // Schemat_Nazwa
    QString compositionName;    // Kompozycja
    bool menuDiscImages;        // Menu_Klony
    bool menuDesktopIcons;      // Menu_IkonyPulpitu
    bool translucent;           // BlendA
    int opacity;                // BlendW, 1..255
    std::array<int, kMenuEntries> menuEntries; // M1..M43: page codes, -1 none
    std::array<int, 3> infoRows;               // P1..P3: 1 RAM, 2 SWAP, 3 CPU
    std::array<int, 3> panelOrder;             // PG1..PG3: 1 text, 2 information, 3 playback
    int priority;               // Priorytet
    QString toolsPageIndexes;   // Zakladka
    int toolsButtonBarScroll;   // ZakladkaS
    QString todayWindowMutedOn; // NiePokazujKom: the day "do not show again today" was ticked
    DayTime upcomingLastShown;  // OstPokCP
    int diskPanelMode;          // Dyski: 0 free MB, 1 used MB, 2 free GB, 3 used GB
    QString diskIconSet;        // DyskStyl
    bool diskSum;               // DyskiSuma
    bool removableDisks;        // DyskiWymienne
    int removableDisksInGb;     // DyskiWymienneJ: 0 MB, 1 GB
    int scrollSpeed;            // ImSePredkosc, 1..4
    QString oldDataListState;   // Update
    DayTime lastDataCheck;      // OstatnioSpr
    bool monthArrows;           // Przelaczanie
    bool trayMinimize, trayIconProtect; // TrayMinimize, TrayIconProtect
    int trayTransferDirection;  // TrayTransfer: 0 incoming, 1 outgoing
    bool gridLines;             // PokazSiatke
    bool windowFrame;           // PokazRamke
    bool shadedGauges;          // PaskiCien
    int zodiacFixedPicture;     // ZodiakTyp: 0 sign pictures, 1 the fixed picture
    QString zodiacSignSet;      // ZodiakStyl1
    QString zodiacPicture;      // ZodiakStyl2
    QString minimizeButtonSet;  // MinimizeStyl
    QString timeOfDaySet;       // PoraStyl
    FontValue clockFont;        // Font1
    FontValue textPanelFont;    // Font2
    FontValue infoLabelFont;    // Font3

    const char* name() const override { return "Vuzuvured"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
