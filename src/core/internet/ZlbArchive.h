#pragma once

#include "core/internet/ZlbFormat.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QFile;

namespace zorvex {

// The package archive component: add-on packages and settings backups are
// read and written through it. One archive is open at a time; every
// operation but openArchive() and createArchive() needs one.
//
// Failures that stop an operation come back as `false` (or an empty result)
// with error() and errorString() telling why; the component then stays as
// it was (closed after a failed open). Problems that only skip one file while
// adding go to the error handler and the operation carries on.
class ZlbArchive {
public:
    enum class Error {
        None,
        NotOpen,
        ArchiveNotFound,
        CannotOpen,
        Corrupt,
        RegistryUnreadable,
        FileExists,
        IndexOutOfBounds,
        EntryNotFound,
        CannotCreatePath,
        EntryCorrupt,
        WriteFailed,
        TooLarge,
        UnsafePath, // an entry would land outside the destination
    };

    enum class ReplaceAnswer { Replace, Skip };

    using ProgressHandler = std::function<void(const QString& activity, int percent)>;
    // Gets the path of the file about to be replaced.
    using ReplaceHandler = std::function<ReplaceAnswer(const QString& path)>;
    using ErrorHandler = std::function<void(const QString& message)>;
    using OpenedHandler = std::function<void(const QString& archivePath)>;
    using ExtractedHandler = std::function<void(const QString& path)>;

    ZlbArchive() = default;
    ZlbArchive(const ZlbArchive&) = delete;
    ZlbArchive& operator=(const ZlbArchive&) = delete;

    // Settings.
    ZlbLevel level() const { return m_level; }
    void setLevel(ZlbLevel level) { m_level = level; }
    bool checkCrc() const { return m_checkCrc; }
    void setCheckCrc(bool on) { m_checkCrc = on; }
    bool savePaths() const { return m_savePaths; }
    void setSavePaths(bool on) { m_savePaths = on; }
    bool recurse() const { return m_recurse; }
    void setRecurse(bool on) { m_recurse = on; }
    bool extractWithPaths() const { return m_extractWithPaths; }
    void setExtractWithPaths(bool on) { m_extractWithPaths = on; }

    // Events.
    void setProgressHandler(ProgressHandler handler) { m_onProgress = std::move(handler); }
    void setReplaceHandler(ReplaceHandler handler) { m_onReplace = std::move(handler); }
    void setErrorHandler(ErrorHandler handler) { m_onError = std::move(handler); }
    void setOpenedHandler(OpenedHandler handler) { m_onOpened = std::move(handler); }
    void setExtractedHandler(ExtractedHandler handler) { m_onExtracted = std::move(handler); }

    // Reads and checks the whole archive: the CRC of the file, the registry,
    // and that every block lies inside the file.
    bool openArchive(const QString& path);
    // Writes an empty archive under a name not yet taken and opens it.
    bool createArchive(const QString& path);
    void closeArchive();
    bool isOpen() const { return m_open; }
    QString archivePath() const { return m_path; }

    // 0 when no archive is open (and error() says so).
    int entryCount();
    std::optional<ZlbEntry> entry(int index);
    // Empty when no archive is open.
    const std::vector<ZlbEntry>& entries() const { return m_entries; }
    // Index of the first entry whose full name equals `name` regardless of
    // letter case, the name's folder reduced like a saved path; -1 if none.
    int findEntry(const QString& name);

    // Adds files to the archive. A folder in the list is dropped unless
    // recursing; then its files are added, and with saved paths its
    // sub-folders too. A file that cannot be read or whose name the archive
    // cannot hold is reported to the error handler and skipped; a name
    // already present is reported and added again. The archive file is
    // replaced only once the new one is complete, so old entries keep their
    // blocks and offsets and a failure leaves the old archive as it was.
    bool addFiles(const QStringList& paths);
    // Extracts every entry whose full name is not in `skip` (letter case
    // ignored). Refuses, before writing anything, an archive with an entry
    // that would land outside `destination`, naming the entry and why. Each file appears (or replaces
    // the old one) only once it is whole and, when checking, its CRC is right.
    bool extractAll(const QString& destination, const QStringList& skip = {});
    // One entry into memory, its CRC checked when checkCrc() is on.
    bool extractToStream(int index, QByteArray* out);
    bool extractToStream(const QString& fullName, QByteArray* out);
    // Reads one entry and checks its CRC without keeping the data.
    bool testEntry(int index);

    Error error() const { return m_error; }
    QString errorString() const { return m_errorString; }

private:
    struct Source {
        QString path;
        QString fileName;
        QString folderPath;
    };
    struct Progress {
        qint64 done = 0;
        qint64 total = 0;
    };
    class Writer;
    enum class AddResult { Added, Skipped, Failed };

    void startOperation();
    bool fail(Error error, const QString& message);
    bool requireOpen();
    bool checkIndex(int index);
    void reportProblem(const QString& message);
    void reportProgress(const QString& activity, const Progress& progress);

    bool readRegistry(QFile& file, const ZlbTrailer& trailer, std::vector<ZlbEntry>* entries);
    QList<Source> collectSources(const QStringList& paths) const;
    void collectFolder(const QString& folder, QList<Source>& out, QStringList& visited) const;
    Source sourceFor(const QString& path) const;
    bool copyOldBlocks(Writer& writer);
    AddResult addOne(const Source& source, Writer& writer, Progress& progress, ZlbEntry* entry);
    bool writeRegistryAndTrailer(Writer& writer, const std::vector<ZlbEntry>& entries);

    // Reads entry `index` from the open archive file into `sink`; the CRC of
    // what was read ends in `crc`. Sets the error on failure.
    bool readEntry(QFile& archive, int index, const std::function<bool(QByteArrayView)>& sink, quint32* crc,
                   Progress* progress);
    bool extractEntry(QFile& archive, int index, const QString& destination, Progress& progress);
    bool readToMemory(int index, QByteArray* out, bool checkCrc);

    ZlbLevel m_level = ZlbLevel::Default;
    bool m_checkCrc = false;
    bool m_savePaths = false;
    bool m_recurse = false;
    bool m_extractWithPaths = false;

    ProgressHandler m_onProgress;
    ReplaceHandler m_onReplace;
    ErrorHandler m_onError;
    OpenedHandler m_onOpened;
    ExtractedHandler m_onExtracted;

    bool m_open = false;
    QString m_path;
    ZlbTrailer m_trailer;
    qint64 m_fileSize = 0;
    std::vector<ZlbEntry> m_entries;
    QStringList m_upperNames; // full names through PolishUpper, for lookups

    Error m_error = Error::None;
    QString m_errorString;
    int m_lastPercent = -1;
    QString m_lastActivity;
};

} // namespace zorvex
