#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace zorvex {

// Byte layout of the package archive (".zvxd" add-ons, ".zvx" settings
// backups): data blocks from offset 0, the registry of 532-byte entries (one
// zlib stream, or raw), and a 36-byte trailer whose CRC-32 covers everything
// before it. All integers are little-endian.

inline constexpr qint64 kZlbEntrySize = 532;
inline constexpr qint64 kZlbTrailerSize = 36;
inline constexpr quint32 kZlbFormatMark = 1;
inline constexpr int kZlbNameFieldSize = 256;
inline constexpr int kZlbMaxNameBytes = 255;
// Sizes and offsets are 32-bit fields.
inline constexpr qint64 kZlbMaxFieldValue = 0xFFFFFFFFLL;
// An add-on or a settings backup holds dozens of files, a picture set some
// hundreds. A registry claiming more is damage, and reading it would only
// fill the memory with entries (empty ones cost the file almost nothing).
inline constexpr qint64 kZlbMaxEntries = 65536;

// The level byte of an entry.
enum class ZlbLevel : quint8 { None = 0, Fastest = 1, Default = 2, Maximum = 3 };

// The zlib level that an entry level stands for.
int zlibLevel(ZlbLevel level);

struct ZlbEntry {
    QString fileName;
    // Relative folder with "\" separators and a final "\", or empty.
    QString folderPath;
    quint32 originalSize = 0;
    quint32 storedSize = 0;
    quint32 offset = 0;
    quint32 crc = 0;
    bool raw = false;
    // As found in the file; foreign archives may hold any byte here.
    quint8 level = 0;

    QString fullName() const { return folderPath + fileName; }
};

struct ZlbTrailer {
    quint32 crc = 0;
    quint32 count = 0;
    quint32 mark = kZlbFormatMark;
    quint32 registrySize = 0;
    quint32 registryOffset = 0;
    quint32 registryCompressed = 1;
};

QByteArray encodeTrailer(const ZlbTrailer& trailer);
// `bytes` holds at least kZlbTrailerSize bytes.
ZlbTrailer decodeTrailer(const char* bytes);

// The names must pass fitsNameField(); longer ones would be cut.
QByteArray encodeEntry(const ZlbEntry& entry);
// `bytes` holds at least kZlbEntrySize bytes. Returns false for a raw flag
// other than 0 or 1, which no writer produces.
bool decodeEntry(const char* bytes, ZlbEntry* entry);

// True when `text` can be stored in a name field without loss: every
// character has a Windows-1250 byte and there are at most 255 of them.
bool fitsNameField(QStringView text);

// The folder of a file as the archive keeps it: "/" and "\" both separate,
// a drive ("C:") and the root are removed, "." parts are dropped and ".."
// parts fold into the part before them (or vanish at the start), so the
// result never climbs; "\" between parts and at the end, or empty.
QString savedFolderPath(QStringView folder);

// A name as FindEntry compares it: the folder part reduced like a saved path,
// followed by the file name.
QString reducedFullName(QStringView name);

// Why extracting an entry could write outside the destination folder.
enum class ZlbPathProblem {
    None,
    NoFileName,       // empty, or "."
    FolderInName,     // the file name holds a separator
    ControlCharacter, // a NUL would cut the path short once handed to the system
    ClimbsOut,        // a ".." part
    Drive,            // a drive ("C:"), or any ":"
};

// Whether extracting the entry can only write inside the destination
// folder. Leading separators of the folder path are dropped, as a saved path
// drops its root: old archives made from a drive path keep one. Without
// `withPaths` the folder is not used, so only the file name counts.
ZlbPathProblem entryPathProblem(const ZlbEntry& entry, bool withPaths);

// Where an entry lands below `destination` ("/"-separated, without a final
// "/"); only meaningful for entries without an entryPathProblem().
QString extractionFolder(const QString& destination, const ZlbEntry& entry, bool withPaths);

} // namespace zorvex
