#pragma once

#include <QString>

#include <array>

namespace zorvex {

// Every data file of the program, in the table's fixed order. Each entry
// becomes a full path once at start; nothing else builds these paths.
enum class PathId {
    Ustawienia,
    Czas,
    Ruch,
    Imieniny,
    Uroczystosci,
    Osoby,
    Sentencje,
    Profile,
    Siec,
    Ikony,
    Tapeter,
    TapeterOst,
    Tmp,
    Klony,
    Klony2,
    Cd,
    M3u1,
    M3u2,
    Ping,
    Pogoda1,
    Pogoda2,
    Poczta,
    Rozne,
    Synchro,
    ListaMiast,
    Czas2,
    Alarm,
    Prywatne,
    RadioL,
    RadioU,
    RozneMenu,
    PanelTekstowy,
    Autozapis,
    Kolory,
    Start,
    Lame,
    Kompozycje,
    Count
};

enum class PathRule { Shared, PerProfile, Gfx, SentenceMask };

struct PathEntry {
    const char* name; // file name, or the prefix of a per-profile file
    PathRule rule;
};

const PathEntry& pathEntry(PathId id);

// Default sounds keep their relative form; the features that use them put
// the data folder in front themselves.
inline constexpr char kDefaultChimeSound[] = "Godziny/Godzina.mp3";
inline constexpr char kDefaultPingSound[] = "Godziny/Ping.mp3";
inline constexpr char kDefaultMailSound[] = "Godziny/Poczta.mp3";

// Data folders are kept with a trailing "/".
QString withTrailingSlash(const QString& folder);

class PathTable {
public:
    PathTable() = default;
    // Forms every entry: shared files as data folder + name, per-profile
    // files as data folder + prefix + profile + ".ini", "Kompozycje.ini" in
    // "Gfx/", and the sentence file from the already resolved path.
    PathTable(const QString& dataFolder, const QString& profile, const QString& sentencePath);

    const QString& dataFolder() const { return m_dataFolder; }
    const QString& profile() const { return m_profile; }
    const QString& path(PathId id) const { return m_paths[static_cast<size_t>(id)]; }
    // data folder + a relative name ("Godziny/Ping.mp3", "Gfx/Zodiak/").
    QString inDataFolder(const QString& relative) const { return m_dataFolder + relative; }

private:
    QString m_dataFolder;
    QString m_profile;
    std::array<QString, static_cast<size_t>(PathId::Count)> m_paths;
};

} // namespace zorvex
