#include "core/internet/ZlbArchive.h"

#include "core/common/AtomicFile.h"
#include "core/common/Text.h"
#include "core/internet/ZlbCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryFile>

#include <algorithm>

namespace zorvex {
namespace {

// Texts the user sees, word for word as the callers show them.
QString notOpenText() { return QStringLiteral("No archive is currently open"); }
QString notFoundText() { return QStringLiteral("Archive file not found"); }
QString cannotOpenText(const QString& path) { return QStringLiteral("Unable to open file (%1)").arg(path); }
QString corruptText()
{
    return QStringLiteral("Wybrany plik jest uszkodzony! Jeśli był pobrany z internetu, ściągnij go ponownie!");
}
QString registryUnreadableText() { return QStringLiteral("Unable to read archive file list"); }
QString fileExistsText() { return QStringLiteral("File already exists"); }
QString indexOutOfBoundsText() { return QStringLiteral("Archive - Index out of bounds"); }
QString entryNotFoundText() { return QStringLiteral("File not found in archive"); }
QString cannotCreatePathText() { return QStringLiteral("Unable to create destination path"); }
QString entryCorruptText(int index) { return QStringLiteral("Plik (%1) jest uszkodzony").arg(index); }
QString entryCrcText(int index) { return QStringLiteral("Plik (%1) jest uszkodzony (CRC)").arg(index); }
QString alreadyInArchiveText(const QString& name) { return QStringLiteral("%1 already exists in the archive").arg(name); }
QString cannotWriteText(const QString& path) { return QStringLiteral("Nie można zapisać pliku: %1").arg(path); }
QString fileTooLargeText(const QString& path)
{
    return QStringLiteral("Plik jest za duży, by go spakować (ponad 4 GB): %1").arg(path);
}
QString archiveTooLargeText(const QString& path)
{
    return QStringLiteral("Archiwum nie może być większe niż 4 GB: %1").arg(path);
}
QString tooManyEntriesText(const QString& path)
{
    return QStringLiteral("Archiwum nie może zawierać więcej niż %1 plików: %2").arg(kZlbMaxEntries).arg(path);
}
QString pathProblemText(ZlbPathProblem problem)
{
    switch (problem) {
    case ZlbPathProblem::None: break;
    case ZlbPathProblem::NoFileName: return QStringLiteral("brak nazwy pliku");
    case ZlbPathProblem::FolderInName: return QStringLiteral("nazwa pliku zawiera folder");
    case ZlbPathProblem::ControlCharacter: return QStringLiteral("zawiera znaki sterujące");
    case ZlbPathProblem::ClimbsOut: return QStringLiteral("wychodzi poza folder docelowy");
    case ZlbPathProblem::Drive: return QStringLiteral("zawiera dysk (\":\")");
    }
    return {};
}
QString unsafePathText(int index, const ZlbEntry& entry, ZlbPathProblem problem)
{
    // The name is shown as it is, but a control character would break the
    // message line.
    QString name = entry.fullName();
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('?');
    }
    return QStringLiteral("Plik (%1) \"%2\" ma niebezpieczną nazwę: %3")
        .arg(index)
        .arg(name, pathProblemText(problem));
}
QString badNameText(const QString& path)
{
    return QStringLiteral("Nazwy pliku nie da się zapisać w archiwum: %1").arg(path);
}

QString extractingText(const QString& name) { return QStringLiteral("Extracting %1").arg(name); }
QString updatingText(const QString& name) { return QStringLiteral("Updating %1").arg(name); }
QString readingRegistryText() { return QStringLiteral("Extracting archive registry"); }
QString writingRegistryText() { return QStringLiteral("Writing archive registry"); }

// Files up to this size are compressed in memory, larger ones through a
// temporary file.
constexpr qint64 kInMemoryLimit = 20971520;
// No zlib stream inflates to more than about 1032 times its size, so a
// registry claiming more entries than that is not worth reading.
constexpr qint64 kMaxInflateRatio = 1032;

quint32 crcStart()
{
    return zlbCrc32(0, {});
}

} // namespace

// Output of AddFiles: keeps the position and the running CRC of everything
// written, and can take back a block that turned out bad.
class ZlbArchive::Writer {
public:
    struct Mark {
        qint64 pos;
        quint32 crc;
    };

    explicit Writer(QFileDevice& out) : m_out(out) {}

    bool write(QByteArrayView data)
    {
        if (m_out.write(data.data(), data.size()) != data.size())
            return false;
        m_crc = zlbCrc32(m_crc, data);
        m_pos += data.size();
        return true;
    }
    // Bytes that must not count towards the CRC (the trailer).
    bool writeUncounted(QByteArrayView data)
    {
        if (m_out.write(data.data(), data.size()) != data.size())
            return false;
        m_pos += data.size();
        return true;
    }
    // A sink for the codec that writes what it is given; `failed` tells
    // afterwards whether a write was what stopped it.
    ZlbSink sink(bool* failed)
    {
        return [this, failed](QByteArrayView data) {
            *failed = !write(data);
            return !*failed;
        };
    }
    Mark mark() const { return {m_pos, m_crc}; }
    bool rollback(const Mark& mark)
    {
        if (!m_out.seek(mark.pos) || !m_out.resize(mark.pos))
            return false;
        m_pos = mark.pos;
        m_crc = mark.crc;
        return true;
    }
    qint64 pos() const { return m_pos; }
    quint32 crc() const { return m_crc; }

private:
    QFileDevice& m_out;
    qint64 m_pos = 0;
    quint32 m_crc = crcStart();
};

bool ZlbArchive::fail(Error error, const QString& message)
{
    m_error = error;
    m_errorString = message;
    return false;
}

void ZlbArchive::startOperation()
{
    m_error = Error::None;
    m_errorString.clear();
    m_lastPercent = -1;
    m_lastActivity.clear();
}

bool ZlbArchive::requireOpen()
{
    if (m_open)
        return true;
    return fail(Error::NotOpen, notOpenText());
}

bool ZlbArchive::checkIndex(int index)
{
    if (index >= 0 && static_cast<size_t>(index) < m_entries.size())
        return true;
    return fail(Error::IndexOutOfBounds, indexOutOfBoundsText());
}

void ZlbArchive::reportProblem(const QString& message)
{
    if (m_onError)
        m_onError(message);
}

void ZlbArchive::reportProgress(const QString& activity, const Progress& progress)
{
    if (!m_onProgress)
        return;
    const int percent = progress.total > 0
        ? static_cast<int>(std::clamp<qint64>((progress.done * 100 + progress.total / 2) / progress.total, 0, 100))
        : 100;
    // Chunks are small; tell the listener only what it can see change.
    if (percent == m_lastPercent && activity == m_lastActivity)
        return;
    m_lastPercent = percent;
    m_lastActivity = activity;
    m_onProgress(activity, percent);
}

// ---------------------------------------------------------------- opening

bool ZlbArchive::openArchive(const QString& path)
{
    closeArchive();
    startOperation();

    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return fail(Error::ArchiveNotFound, notFoundText());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(Error::CannotOpen, cannotOpenText(path));

    const qint64 size = file.size();
    if (size < kZlbTrailerSize)
        return fail(Error::Corrupt, corruptText());
    quint32 crc = crcStart();
    if (!crcOfDevice(file, size - kZlbTrailerSize, &crc))
        return fail(Error::CannotOpen, cannotOpenText(path));
    const QByteArray tail = file.read(kZlbTrailerSize);
    if (tail.size() != kZlbTrailerSize)
        return fail(Error::CannotOpen, cannotOpenText(path));
    const ZlbTrailer trailer = decodeTrailer(tail.constData());
    if (trailer.crc != crc)
        return fail(Error::Corrupt, corruptText());

    // The trailer's other fields are outside the CRC: check they describe
    // this file before trusting any of them.
    const qint64 registryEnd = qint64(trailer.registryOffset) + trailer.registrySize;
    const qint64 registryBytes = qint64(trailer.count) * kZlbEntrySize;
    const bool compressed = trailer.registryCompressed == 1;
    if (trailer.mark != kZlbFormatMark || trailer.registryCompressed > 1
        || registryEnd != size - kZlbTrailerSize
        || (!compressed && registryBytes != trailer.registrySize)
        || (compressed && registryBytes > qint64(trailer.registrySize) * kMaxInflateRatio)
        || trailer.count > kZlbMaxEntries)
        return fail(Error::Corrupt, corruptText());

    std::vector<ZlbEntry> entries;
    if (!readRegistry(file, trailer, &entries))
        return false;

    m_open = true;
    m_path = path;
    m_trailer = trailer;
    m_fileSize = size;
    m_entries = std::move(entries);
    m_upperNames.clear();
    m_upperNames.reserve(qsizetype(m_entries.size()));
    for (const ZlbEntry& e : m_entries)
        m_upperNames.append(PolishUpper(e.fullName()));
    if (m_onOpened)
        m_onOpened(m_path);
    return true;
}

bool ZlbArchive::readRegistry(QFile& file, const ZlbTrailer& trailer, std::vector<ZlbEntry>* entries)
{
    const qint64 registryBytes = qint64(trailer.count) * kZlbEntrySize;
    Progress progress{0, registryBytes};
    reportProgress(readingRegistryText(), progress);

    // Entries are decoded as the registry comes in, so memory follows what
    // the file really holds, not what its count claims.
    QByteArray pending;
    bool badEntry = false;
    const ZlbSink sink = [&](QByteArrayView data) {
        pending.append(data);
        qsizetype used = 0;
        while (pending.size() - used >= kZlbEntrySize) {
            ZlbEntry e;
            if (!decodeEntry(pending.constData() + used, &e)) {
                badEntry = true;
                return false;
            }
            entries->push_back(std::move(e));
            used += kZlbEntrySize;
        }
        pending.remove(0, used);
        progress.done += data.size();
        reportProgress(readingRegistryText(), progress);
        return true;
    };

    if (!file.seek(trailer.registryOffset))
        return fail(Error::RegistryUnreadable, registryUnreadableText());
    const ZlbReadResult result =
        readBlock(file, trailer.registrySize, trailer.registryCompressed == 0, registryBytes, true, sink);
    if (badEntry)
        return fail(Error::Corrupt, corruptText());
    if (result != ZlbReadResult::Ok)
        return fail(Error::RegistryUnreadable, registryUnreadableText());

    for (const ZlbEntry& e : *entries) {
        // A block must lie in the data area, and a raw block holds exactly
        // the file: reading it must never run into the registry or beyond.
        if (qint64(e.offset) + e.storedSize > trailer.registryOffset
            || (e.raw && e.storedSize != e.originalSize))
            return fail(Error::Corrupt, corruptText());
    }
    return true;
}

bool ZlbArchive::createArchive(const QString& path)
{
    startOperation();
    if (QFileInfo::exists(path))
        return fail(Error::FileExists, fileExistsText());
    closeArchive();

    // Written at once, so that an archive left without files is still one.
    ZlbTrailer trailer;
    QByteArray registry;
    if (!deflateBytes({}, zlibLevel(m_level), &registry))
        trailer.registryCompressed = 0;
    trailer.registrySize = quint32(registry.size());
    trailer.crc = zlbCrc32(crcStart(), registry);
    if (!writeFileAtomically(path, registry + encodeTrailer(trailer)))
        return fail(Error::WriteFailed, cannotWriteText(path));
    return openArchive(path);
}

void ZlbArchive::closeArchive()
{
    m_open = false;
    m_path.clear();
    m_trailer = {};
    m_fileSize = 0;
    m_entries.clear();
    m_upperNames.clear();
}

// ---------------------------------------------------------------- queries

int ZlbArchive::entryCount()
{
    if (!requireOpen())
        return 0;
    return int(m_entries.size());
}

std::optional<ZlbEntry> ZlbArchive::entry(int index)
{
    if (!requireOpen() || !checkIndex(index))
        return std::nullopt;
    return m_entries[size_t(index)];
}

int ZlbArchive::findEntry(const QString& name)
{
    if (!requireOpen())
        return -1;
    return int(m_upperNames.indexOf(PolishUpper(reducedFullName(name))));
}

// ---------------------------------------------------------------- adding

ZlbArchive::Source ZlbArchive::sourceFor(const QString& path) const
{
    const QFileInfo info(path);
    Source s;
    s.path = path;
    s.fileName = info.fileName();
    if (m_savePaths)
        s.folderPath = savedFolderPath(info.path());
    return s;
}

void ZlbArchive::collectFolder(const QString& folder, QList<Source>& out, QStringList& visited) const
{
    // A link back to a folder above would otherwise never end.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || visited.contains(canonical))
        return;
    visited.append(canonical);

    const QDir dir(folder);
    const auto files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& f : files)
        out.append(sourceFor(f.filePath()));
    // Without saved paths the files of sub-folders would all land side by
    // side, so only the folder's own files are taken then.
    if (!m_savePaths)
        return;
    const auto subFolders = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo& d : subFolders)
        collectFolder(d.filePath(), out, visited);
}

QList<ZlbArchive::Source> ZlbArchive::collectSources(const QStringList& paths) const
{
    QList<Source> out;
    QStringList visited;
    for (const QString& path : paths) {
        if (QFileInfo(path).isDir()) {
            if (m_recurse)
                collectFolder(path, out, visited);
            continue;
        }
        out.append(sourceFor(path));
    }
    return out;
}

bool ZlbArchive::copyOldBlocks(Writer& writer)
{
    // The blocks are copied as they are, so old entries keep their offsets.
    // The rest of the file is read too: the copy is only made from an
    // archive that still is the one that was opened.
    QFile old(m_path);
    if (!old.open(QIODevice::ReadOnly))
        return fail(Error::CannotOpen, cannotOpenText(m_path));
    if (old.size() != m_fileSize)
        return fail(Error::Corrupt, corruptText());

    bool writeFailed = false;
    quint32 crc = crcStart();
    if (!crcOfDevice(old, m_trailer.registryOffset, &crc, writer.sink(&writeFailed))) {
        if (writeFailed)
            return fail(Error::WriteFailed, cannotWriteText(m_path));
        return fail(Error::CannotOpen, cannotOpenText(m_path));
    }
    if (!crcOfDevice(old, m_fileSize - kZlbTrailerSize - m_trailer.registryOffset, &crc))
        return fail(Error::CannotOpen, cannotOpenText(m_path));
    if (crc != m_trailer.crc)
        return fail(Error::Corrupt, corruptText());
    return true;
}

ZlbArchive::AddResult ZlbArchive::addOne(const Source& source, Writer& writer, Progress& progress, ZlbEntry* entry)
{
    // A file that cannot be stored is reported and passed over; a failure
    // of the archive itself ends the operation.
    const auto skip = [&](const QString& message) {
        reportProblem(message);
        return AddResult::Skipped;
    };
    const auto failWith = [&](Error error, const QString& message) {
        fail(error, message);
        return AddResult::Failed;
    };

    entry->fileName = source.fileName;
    entry->folderPath = source.folderPath;
    // What could not be stored exactly, or could not be extracted again, is
    // not stored at all.
    if (!fitsNameField(entry->fileName) || !fitsNameField(entry->folderPath)
        || entryPathProblem(*entry, true) != ZlbPathProblem::None)
        return skip(badNameText(source.path));

    QFile in(source.path);
    if (!QFileInfo(source.path).isFile() || !in.open(QIODevice::ReadOnly))
        return skip(cannotOpenText(source.path));
    if (in.size() > kZlbMaxFieldValue)
        return skip(fileTooLargeText(source.path));
    if (writer.pos() > kZlbMaxFieldValue)
        return failWith(Error::TooLarge, archiveTooLargeText(m_path));

    const Writer::Mark start = writer.mark();
    entry->offset = quint32(writer.pos());
    const int zlevel = zlibLevel(m_level);

    if (in.size() <= kInMemoryLimit) {
        const QByteArray data = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return skip(cannotOpenText(source.path));
        if (data.size() > kZlbMaxFieldValue)
            return skip(fileTooLargeText(source.path));
        QByteArray packed;
        const bool smaller = deflateBytes(data, zlevel, &packed) && packed.size() < data.size();
        entry->raw = !smaller;
        entry->originalSize = quint32(data.size());
        entry->storedSize = quint32(smaller ? packed.size() : data.size());
        entry->crc = zlbCrc32(crcStart(), data);
        if (!writer.write(smaller ? QByteArrayView(packed) : QByteArrayView(data)))
            return failWith(Error::WriteFailed, cannotWriteText(m_path));
        progress.done += data.size();
        reportProgress(updatingText(source.fileName), progress);
    } else {
        // Next to the archive: the disk that must hold the result anyway.
        QTemporaryFile packed(QFileInfo(m_path).absolutePath() + QStringLiteral("/ZLBXXXXXX.tmp"));
        if (!packed.open())
            return failWith(Error::WriteFailed, cannotWriteText(packed.fileTemplate()));
        const ZlbDeflateResult r = deflateDevice(in, packed, zlevel, [&](qint64 n) {
            progress.done += n;
            reportProgress(updatingText(source.fileName), progress);
        });
        if (!r.ok) {
            if (r.readFailed)
                return skip(cannotOpenText(source.path));
            return failWith(Error::WriteFailed, cannotWriteText(packed.fileName()));
        }
        if (r.inputSize > kZlbMaxFieldValue)
            return skip(fileTooLargeText(source.path));
        const bool smaller = r.outputSize < r.inputSize;
        entry->raw = !smaller;
        entry->originalSize = quint32(r.inputSize);
        entry->storedSize = quint32(smaller ? r.outputSize : r.inputSize);
        entry->crc = r.crc;

        bool writeFailed = false;
        const ZlbSink copy = writer.sink(&writeFailed);
        quint32 crc = crcStart();
        bool copied = false;
        if (smaller)
            copied = packed.seek(0) && crcOfDevice(packed, r.outputSize, &crc, copy);
        else
            copied = in.seek(0) && crcOfDevice(in, r.inputSize, &crc, copy) && crc == r.crc;
        if (!copied) {
            if (writeFailed || smaller || !writer.rollback(start))
                return failWith(Error::WriteFailed, cannotWriteText(m_path));
            // The file changed between the two readings; what it holds now
            // is not what the entry would say.
            return skip(cannotOpenText(source.path));
        }
    }

    entry->level = entry->raw ? 0 : quint8(m_level);
    if (writer.pos() > kZlbMaxFieldValue)
        return failWith(Error::TooLarge, archiveTooLargeText(m_path));
    return AddResult::Added;
}

bool ZlbArchive::writeRegistryAndTrailer(Writer& writer, const std::vector<ZlbEntry>& entries)
{
    // What could not be opened again is not written.
    if (entries.size() > size_t(kZlbMaxEntries))
        return fail(Error::TooLarge, tooManyEntriesText(m_path));
    Progress progress{0, 1};
    reportProgress(writingRegistryText(), progress);

    QByteArray registry;
    registry.reserve(qsizetype(entries.size() * kZlbEntrySize));
    for (const ZlbEntry& e : entries)
        registry.append(encodeEntry(e));

    ZlbTrailer trailer;
    trailer.count = quint32(entries.size());
    trailer.registryOffset = quint32(writer.pos());
    QByteArray packed;
    const bool compressed = deflateBytes(registry, zlibLevel(m_level), &packed);
    const QByteArray& stored = compressed ? packed : registry;
    trailer.registryCompressed = compressed ? 1 : 0;
    trailer.registrySize = quint32(stored.size());
    if (writer.pos() + stored.size() > kZlbMaxFieldValue)
        return fail(Error::TooLarge, archiveTooLargeText(m_path));
    if (!writer.write(stored))
        return fail(Error::WriteFailed, cannotWriteText(m_path));
    trailer.crc = writer.crc();
    if (!writer.writeUncounted(encodeTrailer(trailer)))
        return fail(Error::WriteFailed, cannotWriteText(m_path));

    progress.done = 1;
    reportProgress(writingRegistryText(), progress);
    return true;
}

bool ZlbArchive::addFiles(const QStringList& paths)
{
    if (!requireOpen())
        return false;
    startOperation();

    // Listed before the new archive's temporary file exists, so that it is
    // never picked up by itself.
    QList<Source> sources = collectSources(paths);
    // An archive never holds a copy of itself, as it would when a folder
    // around it is added.
    const QString self = QFileInfo(m_path).canonicalFilePath();
    sources.removeIf([&](const Source& s) { return QFileInfo(s.path).canonicalFilePath() == self; });
    Progress progress{0, m_trailer.registryOffset};
    for (const Source& s : sources)
        progress.total += std::max<qint64>(QFileInfo(s.path).size(), 0);

    // The new archive is built beside the old one and only renamed over it
    // once complete: any failure leaves the old archive as it was.
    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        return fail(Error::WriteFailed, cannotWriteText(m_path));
    Writer writer(out);

    if (!copyOldBlocks(writer))
        return false;
    progress.done = m_trailer.registryOffset;

    std::vector<ZlbEntry> entries = m_entries;
    QSet<QString> names(m_upperNames.cbegin(), m_upperNames.cend());
    for (const Source& source : sources) {
        reportProgress(updatingText(source.fileName), progress);
        const QString fullName = source.folderPath + source.fileName;
        const QString upper = PolishUpper(fullName);
        if (names.contains(upper))
            reportProblem(alreadyInArchiveText(fullName));
        ZlbEntry entry;
        switch (addOne(source, writer, progress, &entry)) {
        case AddResult::Added:
            entries.push_back(std::move(entry));
            names.insert(upper);
            break;
        case AddResult::Skipped:
            break;
        case AddResult::Failed:
            return false;
        }
    }

    if (!writeRegistryAndTrailer(writer, entries))
        return false;
    if (!out.commit())
        return fail(Error::WriteFailed, cannotWriteText(m_path));
    const QString path = m_path;
    return openArchive(path);
}

// ---------------------------------------------------------------- reading

bool ZlbArchive::readEntry(QFile& archive, int index, const std::function<bool(QByteArrayView)>& sink, quint32* crc,
                           Progress* progress)
{
    const ZlbEntry& e = m_entries[size_t(index)];
    quint32 value = crcStart();
    const ZlbSink counting = [&](QByteArrayView data) {
        value = zlbCrc32(value, data);
        if (!sink(data))
            return false;
        if (progress) {
            progress->done += data.size();
            reportProgress(extractingText(e.fileName), *progress);
        }
        return true;
    };
    if (!archive.seek(e.offset))
        return fail(Error::EntryCorrupt, entryCorruptText(index));
    switch (readBlock(archive, e.storedSize, e.raw, e.originalSize, false, counting)) {
    case ZlbReadResult::Ok:
        *crc = value;
        return true;
    case ZlbReadResult::Corrupt:
        return fail(Error::EntryCorrupt, entryCorruptText(index));
    case ZlbReadResult::SinkFailed:
        return false; // the sink has said why
    }
    return false;
}

bool ZlbArchive::extractEntry(QFile& archive, int index, const QString& destination, Progress& progress)
{
    const ZlbEntry& e = m_entries[size_t(index)];
    const QString folder = extractionFolder(destination, e, m_extractWithPaths);
    if (!QDir().mkpath(folder))
        return fail(Error::CannotCreatePath, cannotCreatePathText());
    const QString target = folder + QLatin1Char('/') + e.fileName;
    reportProgress(extractingText(e.fileName), progress);

    if (m_onReplace && QFileInfo::exists(target) && m_onReplace(target) == ReplaceAnswer::Skip) {
        progress.done += e.originalSize;
        return true;
    }

    // The file appears, or replaces the old one, only once it is whole and
    // its CRC is right; a broken entry never leaves half a file behind.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return fail(Error::WriteFailed, cannotWriteText(target));
    const auto write = [&](QByteArrayView data) {
        if (out.write(data.data(), data.size()) == data.size())
            return true;
        fail(Error::WriteFailed, cannotWriteText(target));
        return false;
    };
    quint32 crc = 0;
    if (!readEntry(archive, index, write, &crc, &progress)) {
        out.cancelWriting();
        return false;
    }
    if (m_checkCrc && crc != e.crc) {
        out.cancelWriting();
        return fail(Error::EntryCorrupt, entryCorruptText(index));
    }
    if (!out.commit())
        return fail(Error::WriteFailed, cannotWriteText(target));
    if (m_onExtracted)
        m_onExtracted(target);
    return true;
}

bool ZlbArchive::extractAll(const QString& destination, const QStringList& skip)
{
    if (!requireOpen())
        return false;
    startOperation();

    QSet<QString> skipped;
    for (const QString& name : skip)
        skipped.insert(PolishUpper(name));

    std::vector<int> chosen;
    Progress progress;
    for (int i = 0; i < int(m_entries.size()); ++i) {
        if (skipped.contains(m_upperNames[i]))
            continue;
        // Checked for all before anything is written: an archive that tries
        // to reach outside the destination gets nothing onto the disk.
        const ZlbEntry& e = m_entries[size_t(i)];
        if (const ZlbPathProblem problem = entryPathProblem(e, m_extractWithPaths); problem != ZlbPathProblem::None)
            return fail(Error::UnsafePath, unsafePathText(i, e, problem));
        chosen.push_back(i);
        progress.total += e.originalSize;
    }

    QFile archive(m_path);
    if (!archive.open(QIODevice::ReadOnly))
        return fail(Error::CannotOpen, cannotOpenText(m_path));
    for (int index : chosen) {
        if (!extractEntry(archive, index, destination, progress))
            return false;
    }
    return true;
}

bool ZlbArchive::readToMemory(int index, QByteArray* out, bool checkCrc)
{
    if (!requireOpen() || !checkIndex(index))
        return false;
    startOperation();
    QFile archive(m_path);
    if (!archive.open(QIODevice::ReadOnly))
        return fail(Error::CannotOpen, cannotOpenText(m_path));

    const ZlbEntry& e = m_entries[size_t(index)];
    QByteArray data;
    if (out) {
        // The size is only a claim until the data is there.
        data.reserve(qsizetype(std::min<qint64>(e.originalSize, kInMemoryLimit)));
    }
    Progress progress{0, e.originalSize};
    const auto keep = [&](QByteArrayView piece) {
        if (out)
            data.append(piece);
        return true;
    };
    quint32 crc = 0;
    if (!readEntry(archive, index, keep, &crc, &progress))
        return false;
    if (checkCrc && crc != e.crc)
        return fail(Error::EntryCorrupt, entryCrcText(index));
    if (out)
        *out = std::move(data);
    return true;
}

bool ZlbArchive::extractToStream(int index, QByteArray* out)
{
    return readToMemory(index, out, m_checkCrc);
}

bool ZlbArchive::extractToStream(const QString& fullName, QByteArray* out)
{
    if (!requireOpen())
        return false;
    const int index = findEntry(fullName);
    if (index < 0)
        return fail(Error::EntryNotFound, entryNotFoundText());
    return readToMemory(index, out, m_checkCrc);
}

bool ZlbArchive::testEntry(int index)
{
    return readToMemory(index, nullptr, true);
}

} // namespace zorvex
