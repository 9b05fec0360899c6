#pragma once

#include "core/common/Colour.h"
#include "core/settings/SettingsSection.h"

#include <array>

namespace zorvex {

// Section "Czas": the running-time statistic.
struct UptimeSettings : SettingsSection {
    UptimeSettings();
    bool active; // "Statystyka aktywna"

    const char* name() const override { return "Czas"; }
    void visit(SettingsVisitor& v) override;
};

// The running-time statistic's keys of section "Inne": the electricity bill.
struct UptimeCostSettings : SettingsSection {
    UptimeCostSettings();
    double pricePerKwh; // price of a kWh, "zł"
    double powerKw;     // power of the computer

    const char* name() const override { return "Inne"; }
    void visit(SettingsVisitor& v) override;
};

// Section "RuchMyszy": the mouse odometer.
struct MouseOdometerSettings : SettingsSection {
    MouseOdometerSettings();
    bool active;

    const char* name() const override { return "RuchMyszy"; }
    void visit(SettingsVisitor& v) override;
};

// Section "Siec": the traffic monitor.
struct TrafficSettings : SettingsSection {
    TrafficSettings();
    bool active;
    QString mac;           // of the chosen interface
    int interfacePosition; // its position in the list
    bool showReceived;     // lists and chart: 1 received, 0 sent

    const char* name() const override { return "Siec"; }
    void visit(SettingsVisitor& v) override;
};

// Section "SiecWykres": the "Status sieciowy" chart window.
struct TransferChartSettings : SettingsSection {
    TransferChartSettings();
    std::array<Colour, 7> colours; // Kolor1..Kolor7
    bool showAtStart;              // PokUru
    bool limitShown;               // Ogranicz
    int limitKb;                   // OgraniczKB
    bool alwaysOnTop;              // NaWierzchu
    bool receivedInFront;          // PobPrzod
    bool translucent;              // Blend
    int opacity;                   // BlendVal
    bool trayClickRaises;          // Tray
    bool hideFrame;                // UkryjRamke
    bool transparentBackground;    // Przezroczyste
    bool hideMaximum;              // UkryjMax
    int x, y, w, h;                // X, Y, W, H

    const char* name() const override { return "SiecWykres"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
