#pragma once

#include "core/internet/AddonInstaller.h"

#include <QString>

#include <functional>

namespace zorvex {

// What a handed-over text is: a ".zvx" settings backup, a ".zvxd" add-on
// package (extensions in any letter case), or a text longer than 7
// characters beginning with "http://" (any case), a radio stream.
enum class InstallTextKind { SettingsBackup, AddonPackage, RadioStream, Ignored };
InstallTextKind installTextKind(const QString& text);

// What a "zvx:" link asks for, as the program accepts it from the command
// line: a local file path, an "http://" address, or a web address of a
// package to fetch first. The program itself is the link's handler.
struct LinkTarget {
    enum class Kind { Text, PackageDownload, Nothing };
    Kind kind = Kind::Nothing;
    QString text; // the path or address
};
// A "file://" address (as launchers may hand files over) gives its path;
// other texts come back as they are (Kind::Text).
LinkTarget resolveZvxLink(const QString& argument);

// The radio favourites' record of a handed-over address: as it is when it
// already holds the separator with a non-empty second field, otherwise the
// address twice (it serves as its own name).
QString radioRecord(const QString& text);

// InstalujPlik: what to do with a file or address handed to the program
// (command line, a second start, a "zvx:" link). Questions go through
// `ask`, which answers No when nobody can answer; `assumeYes` (--yes)
// answers Yes to the questions of that one file.
class InstallDispatcher {
public:
    struct Targets {
        std::function<void(const QString& path)> restoreBackup = [](const QString&) {};
        std::function<void(const QString& path, bool assumeYes)> installAddon = [](const QString&, bool) {};
        std::function<void(const QString& record)> addRadioStation = [](const QString&) {};
        // A package named by its web address: fetched, then handed here again.
        std::function<void(const QString& url, bool assumeYes)> downloadPackage = [](const QString&, bool) {};
    };

    InstallDispatcher(AskLater ask, Targets targets);

    void dispatch(const QString& text, bool assumeYes = false);

private:
    AskLater m_ask;
    Targets m_targets;
};

inline constexpr char kRestoreCaption[] = "Zorvex - Przywracanie kopii zapasowej ustawień";
inline constexpr char kRestoreQuestion[] = "Czy na pewno przywrócić wybraną kopię zapasową ustawień?";
// The line of "--help" that tells about --yes.
inline constexpr char kYesOptionHelp[] =
    "  --yes              odpowiada Tak na pytania o plik podany w tym uruchomieniu\n"
    "                     (przywrócenie kopii zapasowej, instalacja dodatku)";

} // namespace zorvex
