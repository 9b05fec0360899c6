#pragma once

#include "core/common/Colour.h"
#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

// How many pictures one wallpaper is made of: "1 tapeta", "4 tapety",
// "9 tapet", "16 tapet" (`IleTap` 0..3).
inline constexpr int kWallpaperModeCount = 4;
// The side of the grid: 1, 2, 3 or 4 pictures; out-of-range modes count as 0.
constexpr int wallpaperGridSide(int mode) { return mode >= 0 && mode < kWallpaperModeCount ? mode + 1 : 1; }
constexpr int wallpaperPictureCount(int mode) { return wallpaperGridSide(mode) * wallpaperGridSide(mode); }

// Section "Tapeter": the wallpaper changer.
struct WallpaperSettings : SettingsSection {
    enum Quality { Low = 0, High = 1 };

    WallpaperSettings();
    bool active;          // Zmiana: change at start; the timed change needs it too
    bool timed;           // ZmianaCz
    int minutes;          // ZmianaCzM, 1..9999
    bool cpuLimit;        // ZmianaCzC
    int cpuPercent;       // ZmianaCzCM, 1..100
    int mode;             // IleTap, 0..3
    int quality;          // Jakosc
    bool keepAspect;      // Proporcje
    Colour background;    // Kolor, used with Proporcje
    QString lastAddedDir; // SciDodaj

    const char* name() const override { return "Tapeter"; }
    void visit(SettingsVisitor& v) override;
};

// Section "TapeterOst": the history window.
struct WallpaperHistorySettings : SettingsSection {
    WallpaperHistorySettings();
    bool fullPaths;    // PelneSciezki
    QString moveDir;   // SciPrzenies
    QString copyDir;   // SciKopiuj
    int x, y, w, h;    // -1 = not stored
    bool maximized;    // M
    int listWidth;     // S

    const char* name() const override { return "TapeterOst"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex
