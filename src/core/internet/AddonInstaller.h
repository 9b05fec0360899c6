#pragma once

#include "core/internet/AddonPackage.h"

#include <QString>

#include <functional>

namespace zorvex {

class Clock;
class PathTable;

// A Yes/No question whose answer comes later (No when nobody can answer).
using AskLater = std::function<void(const QString& caption, const QString& text, std::function<void(bool yes)> answered)>;

// Maps a "/"-separated path below `base` onto what is there: each part that
// names an existing file or folder regardless of letter case (as the
// program compares names) takes that one's spelling, so an add-on for
// "GFX\POGODA\" lands in the existing "Gfx/Pogoda/".
QString existingSpelling(const QString& base, const QString& relative);

// Installs add-on packages (".zvxd") into the data folder. Everything is
// checked before anything is written: the archive's CRC, every entry's
// place (inside the add-on folders), the copy lines, and every entry's
// data. Then, after the question, the files are extracted beside the data
// (a hidden folder in it) and moved into place once all are whole.
class AddonInstaller {
public:
    struct Hooks {
        AskLater ask = [](const QString&, const QString&, std::function<void(bool)> answered) { answered(false); };
        std::function<void(const QString& caption, const QString& text)> information =
            [](const QString&, const QString&) {};
        // "Zorvex - Błąd" with the warning icon.
        std::function<void(const QString& text)> error = [](const QString&) {};
        // The network-and-install activity mark.
        std::function<void(bool running)> busy = [](bool) {};
        std::function<void()> saveSettings = [] {};
        // Choose and apply one installed set in its family's chooser.
        std::function<void(const AddonItem& item)> applyItem = [](const AddonItem&) {};
        std::function<void(const QString& compositionLine)> applyComposition = [](const QString&) {};
        // After the files are in: choosers read their folders again, the
        // main window comes forward.
        std::function<void()> installed = [] {};
    };

    AddonInstaller(const PathTable& paths, const Clock& clock, Hooks hooks);

    // InstalujDodatek. With `assumeYes` (--yes) the question is answered Yes
    // without being shown.
    void install(const QString& packagePath, bool assumeYes = false);

private:
    void apply(const QString& packagePath, const AddonPlan& plan, const QList<AddonCopy>& copies,
               const QStringList& compositions);

    const PathTable& m_paths;
    const Clock& m_clock;
    Hooks m_hooks;
};

// Why a package is refused as a whole.
QString addonRefusalText(const QString& what);

} // namespace zorvex
