#pragma once

#include <QByteArray>
#include <QString>

namespace zorvex {

// The one way every settings, list and data file is read. It opens only
// regular files and never waits (a FIFO or a device in place of a file is
// refused at once), refuses files far beyond any real size, and says once
// on stderr why a file that is there was passed over.

// No list, settings or data file of the program comes near this.
inline constexpr qint64 kMaxDataFileSize = 16 * 1024 * 1024;

enum class FileReadStatus {
    Read,
    Missing,    // nothing at that path
    Unreadable, // there, but it cannot be opened or read
    NotAFile,   // a folder, FIFO, socket or device
    TooLarge,
};

struct FileRead {
    FileReadStatus status = FileReadStatus::Missing;
    QByteArray bytes;

    bool read() const { return status == FileReadStatus::Read; }
    // Writing the file anew loses nothing only when it was read or is not
    // there at all.
    bool mayReplace() const { return status == FileReadStatus::Read || status == FileReadStatus::Missing; }
};

// A file above kMaxDataFileSize is refused whole.
FileRead readDataFile(const QString& path);

struct TextFileRead {
    FileReadStatus status = FileReadStatus::Missing;
    QString text; // decoded by decodeFileText

    bool read() const { return status == FileReadStatus::Read; }
    bool mayReplace() const { return status == FileReadStatus::Read || status == FileReadStatus::Missing; }
};

TextFileRead readTextFile(const QString& path);

// The first line of a small text file (a set's "Wersja.ini"), without its
// line end; only the first `maxBytes` bytes are looked at, so a huge file
// costs nothing.
QString readFirstLine(const QString& path, qint64 maxBytes = 4096);

// Whether a file whose load gave `loaded` may be written anew from what was
// loaded: when it was read whole, or when there was nothing to read.
bool mayReplaceAfterLoad(bool loaded, const QString& path);

// What tells one version of a file from another without reading it: its
// size, its modification time to the nanosecond and its inode (an atomic
// save puts a new inode in place), and the time of its last change of any
// kind, which no program can set back. Only regular files have one.
struct FileStamp {
    bool regular = false;
    qint64 size = -1;
    qint64 modifiedNs = 0; // since the epoch
    qint64 changedNs = 0;  // the inode's change time
    quint64 inode = 0;
    quint64 device = 0;

    bool operator==(const FileStamp&) const = default;
};
FileStamp fileStamp(const QString& path);

// Why `path` could not be read, in Polish, for messages; empty when it was.
QString fileReadProblem(const QString& path, FileReadStatus status);

} // namespace zorvex
