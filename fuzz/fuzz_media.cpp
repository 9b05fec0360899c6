// The media and desktop lists as the program reads them from disk: the
// first byte picks the reader, the rest is the file. Playlists (M3U and the
// own list), radio stations, the disc catalogue, colour schemes,
// compositions, the drive hot keys and the icon layouts, with the desktops'
// own icon files.
#include "FuzzInput.h"

#include "core/desktop/Compositions.h"
#include "core/desktop/DesktopIconFiles.h"
#include "core/desktop/DiscCatalogue.h"
#include "core/desktop/DriveHotKeys.h"
#include "core/desktop/IconLayout.h"
#include "core/desktop/SchemeRecord.h"
#include "core/desktop/SchemeStore.h"
#include "core/media/M3uFormat.h"
#include "core/media/PlaylistFiles.h"
#include "core/media/RadioStations.h"
#include "core/settings/MainWindowSettings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

using namespace zorvex;

namespace {

const QDateTime kNow(QDate(2026, 3, 15), QTime(18, 30));

void m3u(QByteArrayView in, bool utf8)
{
    // Every third relative entry "exists", so both ways of joining run.
    int asked = 0;
    const M3uRead read = parseM3u(in, QStringLiteral("/muzyka"), utf8,
                                  [&asked](const QString&) { return ++asked % 3 == 0; });
    if (read.isPlaylist)
        (void)formatM3u(read.entries, utf8);
}

void playlist(const QString& path)
{
    const LoadedLines lines = loadListLines(path);
    const QList<PlaylistEntry> entries = entriesOfLines(lines.lines);
    (void)linesOfEntries(entries);
    (void)formatM3u(entries);
}

void radio(const QString& path)
{
    bool replace = false;
    const QStringList lines = loadStationFile(path, &replace);
    const RadioStationList list(lines);
    const QStringList categories = list.categories();
    for (int i = 0; i <= categories.size(); ++i)
        (void)list.stations(i);
    RadioFavourites favourites;
    favourites.setLines(lines);
    (void)favourites.names();
    if (favourites.count() > 0) {
        (void)favourites.indexOfUrl(favourites.at(0).url);
        (void)favourites.move(0, 1);
        (void)favourites.remove(favourites.count() - 1);
    }
}

void discs(const QString& path)
{
    const QList<DiscRow> rows = loadCatalogue(path);
    (void)catalogueCaption(rows);
    (void)catalogueText(rows);
    (void)imageNumber(rows, int(rows.size()) - 1);
    (void)catalogueOfLines(catalogueLines(rows));
}

// The file as a scheme folder's "Kolory.ini" and as the older scheme list,
// which is turned into folders below the scratch folder.
void schemes(const uint8_t* data, size_t size)
{
    const QString root = fuzz::scratchFolder();
    const QString folder = QDir(root).filePath(QStringLiteral("Nowy"));
    QDir().mkpath(folder);
    QFile f(QDir(folder).filePath(QStringLiteral("Kolory.ini")));
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    f.close();
    const QString record = readSchemeRecord(folder);
    MainWindowSettings s;
    applySchemeRecord(record, s);
    (void)schemeRecordFromSettings(schemeField(record, 1), s);
    (void)renamedSchemeRecord(record, QStringLiteral("Inny"));
    (void)convertLegacySchemes(f.fileName(), root);
    (void)buildSchemeList(root, kNow);
}

void compositions(const QString& path)
{
    bool replace = false;
    const QStringList list = loadCompositions(path, &replace);
    AvailableAddons available;
    available.schemes = {QStringLiteral("Nowy")};
    available.pictureExists = [](const QString&) { return false; };
    for (const QString& line : list) {
        (void)compositionAgeHours(line, kNow);
        const CompositionPlan plan = planComposition(line, available);
        (void)missingAddonsText(plan.missing);
        (void)findComposition(list, compositionField(line, composition::Name));
    }
    (void)chosenComposition(list, list.value(list.size() - 1));
}

void hotKeys(const QString& path)
{
    DriveHotKeyFile file = loadDriveHotKeys(path);
    (void)driveHotKeyLines(file.lines);
    for (const HotKeyCombo& c : registeredCombos(file.lines)) {
        (void)hotKeyText(c);
        (void)hotKeyTrigger(c);
        (void)movesForHotKey(file.lines, c, false);
    }
    (void)resetMissingDrives(file.lines, QStringLiteral("DE"));
}

void icons(const QString& path, QByteArrayView in)
{
    const QList<IconPosition> saved = parseIconLayout(loadListLines(path).lines);
    (void)iconLayoutLines(saved);
    const QByteArray bytes = in.toByteArray();
    const QList<IconPosition> pcmanfm = readPcmanfmItems(bytes);
    (void)writePcmanfmItems(bytes, iconMoves(saved, pcmanfm));
    const QList<IconPosition> xfce = readXfceIcons(bytes);
    (void)writeXfceIcons(bytes, iconMoves(saved, xfce));
    const QString text = QString::fromUtf8(bytes);
    (void)gioInfoIconPosition(text, QStringLiteral("metadata::nemo-icon-position"));
    (void)parseGioIconPosition(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView in(data + 1, qsizetype(size - 1));
    const uint8_t* rest = data + 1;
    const size_t left = size - 1;
    switch (data[0] % 9) {
    case 0: m3u(in, false); break;
    case 1: m3u(in, true); break;
    case 2: playlist(fuzz::inputFile(rest, left)); break;
    case 3: radio(fuzz::inputFile(rest, left)); break;
    case 4: discs(fuzz::inputFile(rest, left)); break;
    case 5: schemes(rest, left); break;
    case 6: compositions(fuzz::inputFile(rest, left)); break;
    case 7: hotKeys(fuzz::inputFile(rest, left)); break;
    default: icons(fuzz::inputFile(rest, left), in); break;
    }
    return 0;
}
