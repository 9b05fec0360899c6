#pragma once

#include "core/app/SettingsSection.h"
#include "core/app/TraySettings.h"
#include "core/reminders/ChimeSettings.h"
#include "core/reminders/ReminderSettings.h"
#include "core/status/StatusSettings.h"
#include "core/common/Colour.h"

#include <array>
#include <vector>

namespace zorvex {

inline constexpr int kMenuEntries = 43;

// Section "Vuzuvured": the main window, calendar look, colours, tray,
// context menu and panel layout.
struct MainWindowSettings : SettingsSection {
    int pozycja, pozycjaX, pozycjaY;
    bool pozycjaZ;
    std::array<Colour, 10> kt; // KT01..KT10
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

// Section "Ustawienia": the Tools window's look, update check, backup folder
// and the autosave record.
struct ToolsSettings : SettingsSection {
    bool lista;
    Colour kolor, kolorT;
    bool cien, aktualizacja;
    int aktualizacjaCoIle;
    DayTime aktualizacjaData;
    QString kopiaSci;
    bool autoSave;
    int autoSaveMin;

    const char* name() const override { return "Ustawienia"; }
    void visit(SettingsVisitor& v) override;
};

// The process-wide copy of the per-profile settings file, one field per key.
struct Settings {
    Settings();
    Settings(const Settings&) = default;
    Settings& operator=(const Settings&) = default;

    MainWindowSettings main;
    ToolsSettings tools;
    TraySettings tray;
    PersonReminderSettings solenizant;
    ImportantDaySettings inne;
    PrivateDaySettings prywatne;
    UpcomingDatesSettings wazneDatyPow;
    ChimeSettings chime;
    UptimeSettings czas;
    UptimeCostSettings uptimeCost; // keys of "Inne"
    MouseOdometerSettings ruchMyszy;
    TrafficSettings siec;
    TransferChartSettings siecWykres;

    // Every section the store loads and saves, in file order.
    std::vector<SettingsSection*> sections();
    void resetToDefaults();
};

} // namespace zorvex
