#include "core/wallpaper/WallpaperSettings.h"

namespace zorvex {

WallpaperSettings::WallpaperSettings()
{
    resetToDefaults(*this);
}

void WallpaperSettings::visit(SettingsVisitor& v)
{
    v.boolean("Zmiana", active, false);
    v.boolean("ZmianaCz", timed, false);
    v.integer("ZmianaCzM", minutes, 5, 1, 9999);
    v.boolean("ZmianaCzC", cpuLimit, false);
    v.boolean("Proporcje", keepAspect, true);
    v.integer("Jakosc", quality, Low, Low, High);
    v.integer("ZmianaCzCM", cpuPercent, 75, 1, 100);
    v.integer("IleTap", mode, 1, 0, kWallpaperModeCount - 1);
    v.colour("Kolor", background, 0);
    v.text("SciDodaj", lastAddedDir, QString());
}

WallpaperHistorySettings::WallpaperHistorySettings()
{
    resetToDefaults(*this);
}

void WallpaperHistorySettings::visit(SettingsVisitor& v)
{
    v.boolean("PelneSciezki", fullPaths, true);
    v.text("SciPrzenies", moveDir, QString());
    v.text("SciKopiuj", copyDir, QString());
    v.integer("X", x, -1);
    v.integer("Y", y, -1);
    v.integer("W", w, -1);
    v.integer("H", h, -1);
    v.boolean("M", maximized, false);
    v.integer("S", listWidth, 265, 0);
}

} // namespace zorvex
