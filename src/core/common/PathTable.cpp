#include "core/common/PathTable.h"

namespace zorvex {
namespace {

constexpr std::array<PathEntry, static_cast<size_t>(PathId::Count)> kTable = {{
    {"Ustawienia_", PathRule::PerProfile},
    {"Czas.ini", PathRule::Shared},
    {"Ruch.ini", PathRule::Shared},
    {"Imieniny.ini", PathRule::Shared},
    {"Uroczystosci.ini", PathRule::Shared},
    {"Osoby.ini", PathRule::Shared},
    {"Sentencje*.ini", PathRule::SentenceMask},
    {"Profile.ini", PathRule::Shared},
    {"Siec.ini", PathRule::Shared},
    {"Ikony_", PathRule::PerProfile},
    {"Tapeter_", PathRule::PerProfile},
    {"TapeterOst_", PathRule::PerProfile},
    {"Tmp_", PathRule::PerProfile},
    {"Klony_", PathRule::PerProfile},
    {"Klony2_", PathRule::PerProfile},
    {"CD_", PathRule::PerProfile},
    {"M3U1_", PathRule::PerProfile},
    {"M3U2_", PathRule::PerProfile},
    {"Ping_", PathRule::PerProfile},
    {"Pogoda1_", PathRule::PerProfile},
    {"Pogoda2.ini", PathRule::Shared},
    {"Poczta_", PathRule::PerProfile},
    {"Rozne.ini", PathRule::Shared},
    {"Synchro.ini", PathRule::Shared},
    {"ListaMiast.ini", PathRule::Shared},
    {"Czas2.ini", PathRule::Shared},
    {"Alarm_", PathRule::PerProfile},
    {"Prywatne_", PathRule::PerProfile},
    {"RadioL.ini", PathRule::Shared},
    {"RadioU_", PathRule::PerProfile},
    {"Rozne_menu_", PathRule::PerProfile},
    {"Panel_tekstowy_", PathRule::PerProfile},
    {"Autozapis_", PathRule::PerProfile},
    {"Kolory_", PathRule::PerProfile},
    // The URL-protocol receiver and the MP3 encoder: on Linux both are
    // looked for here first, then on the PATH by the features that run them.
    {"Start", PathRule::Shared},
    {"lame", PathRule::Shared},
    {"Kompozycje.ini", PathRule::Gfx},
}};

} // namespace

const PathEntry& pathEntry(PathId id)
{
    return kTable[static_cast<size_t>(id)];
}

QString withTrailingSlash(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

PathTable::PathTable(const QString& dataFolder, const QString& profile, const QString& sentencePath)
    : m_dataFolder(withTrailingSlash(dataFolder))
    , m_profile(profile)
{
    for (size_t i = 0; i < kTable.size(); ++i) {
        const QString name = QString::fromLatin1(kTable[i].name);
        switch (kTable[i].rule) {
        case PathRule::Shared:
            m_paths[i] = m_dataFolder + name;
            break;
        case PathRule::PerProfile:
            m_paths[i] = m_dataFolder + name + profile + QLatin1String(".ini");
            break;
        case PathRule::Gfx:
            m_paths[i] = m_dataFolder + QLatin1String("Gfx/") + name;
            break;
        case PathRule::SentenceMask:
            m_paths[i] = sentencePath;
            break;
        }
    }
}

} // namespace zorvex
