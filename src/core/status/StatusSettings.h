#pragma once

#include "core/common/Colour.h"
#include "core/settings/SettingsSection.h"

#include <array>

namespace zorvex {

// Section "Czas": the running-time statistic.
struct UptimeSettings : SettingsSection {
    UptimeSettings();
    bool aktywny; // "Statystyka aktywna"

    const char* name() const override { return "Czas"; }
    void visit(SettingsVisitor& v) override;
};

// The running-time statistic's keys of section "Inne": the electricity bill.
struct UptimeCostSettings : SettingsSection {
    UptimeCostSettings();
    double stawka; // price of a kWh, "zł"
    double kW;     // power of the computer

    const char* name() const override { return "Inne"; }
    void visit(SettingsVisitor& v) override;
};

// Section "RuchMyszy": the mouse odometer.
struct MouseOdometerSettings : SettingsSection {
    MouseOdometerSettings();
    bool aktywny;

    const char* name() const override { return "RuchMyszy"; }
    void visit(SettingsVisitor& v) override;
};

// Section "Siec": the traffic monitor.
struct TrafficSettings : SettingsSection {
    TrafficSettings();
    bool aktywna;
    QString mac; // of the chosen interface
    int poz;     // its position in the list
    bool pobrane; // lists and chart: 1 received, 0 sent

    const char* name() const override { return "Siec"; }
    void visit(SettingsVisitor& v) override;
};

// Section "SiecWykres": the "Status sieciowy" chart window.
struct TransferChartSettings : SettingsSection {
    TransferChartSettings();
    std::array<Colour, 7> kolor; // Kolor1..Kolor7
    bool pokUru, ogranicz;
    int ograniczKB;
    bool naWierzchu, pobPrzod, blend;
    int blendVal;
    bool tray, ukryjRamke, przezroczyste, ukryjMax;
    int x, y, w, h;

    const char* name() const override { return "SiecWykres"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
