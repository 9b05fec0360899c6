#include "core/internet/ZlbFormat.h"

#include "core/common/Cp1250.h"

#include <QDir>
#include <QStringList>
#include <QtEndian>

#include <zlib.h>

namespace zorvex {
namespace {

void putU32(char* at, quint32 value)
{
    qToLittleEndian(value, at);
}

quint32 getU32(const char* at)
{
    return qFromLittleEndian<quint32>(at);
}

void putName(char* field, QStringView name)
{
    const QByteArray bytes = toCp1250(name).left(kZlbMaxNameBytes);
    field[0] = static_cast<char>(bytes.size());
    std::copy(bytes.cbegin(), bytes.cend(), field + 1);
}

QString getName(const char* field)
{
    const int length = static_cast<unsigned char>(field[0]);
    return fromCp1250(QByteArrayView(field + 1, length));
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

bool hasControlCharacter(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

// Whether a "\"- or "/"-separated path has a ".." part.
bool hasParentPart(QStringView path)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isSeparator(path[i]))
            continue;
        if (path.mid(start, i - start) == QLatin1String(".."))
            return true;
        start = i + 1;
    }
    return false;
}

QStringView withoutLeadingSeparators(QStringView folder)
{
    qsizetype at = 0;
    while (at < folder.size() && isSeparator(folder[at]))
        ++at;
    return folder.mid(at);
}

} // namespace

int zlibLevel(ZlbLevel level)
{
    switch (level) {
    case ZlbLevel::None: return Z_NO_COMPRESSION;
    case ZlbLevel::Fastest: return Z_BEST_SPEED;
    case ZlbLevel::Default: return Z_DEFAULT_COMPRESSION;
    case ZlbLevel::Maximum: return Z_BEST_COMPRESSION;
    }
    return Z_DEFAULT_COMPRESSION;
}

QByteArray encodeTrailer(const ZlbTrailer& trailer)
{
    QByteArray out(kZlbTrailerSize, '\0');
    char* p = out.data();
    putU32(p + 0, trailer.crc);
    putU32(p + 4, trailer.count);
    putU32(p + 8, trailer.mark);
    putU32(p + 12, trailer.registrySize);
    putU32(p + 16, trailer.registryOffset);
    putU32(p + 20, trailer.registryCompressed);
    return out;
}

ZlbTrailer decodeTrailer(const char* bytes)
{
    ZlbTrailer t;
    t.crc = getU32(bytes + 0);
    t.count = getU32(bytes + 4);
    t.mark = getU32(bytes + 8);
    t.registrySize = getU32(bytes + 12);
    t.registryOffset = getU32(bytes + 16);
    t.registryCompressed = getU32(bytes + 20);
    return t;
}

QByteArray encodeEntry(const ZlbEntry& entry)
{
    QByteArray out(kZlbEntrySize, '\0');
    char* p = out.data();
    putName(p, entry.fileName);
    putName(p + kZlbNameFieldSize, entry.folderPath);
    putU32(p + 512, entry.originalSize);
    putU32(p + 516, entry.storedSize);
    putU32(p + 520, entry.offset);
    putU32(p + 524, entry.crc);
    p[528] = entry.raw ? 1 : 0;
    p[529] = static_cast<char>(entry.raw ? 0 : entry.level);
    return out;
}

bool decodeEntry(const char* bytes, ZlbEntry* entry)
{
    entry->fileName = getName(bytes);
    entry->folderPath = getName(bytes + kZlbNameFieldSize);
    entry->originalSize = getU32(bytes + 512);
    entry->storedSize = getU32(bytes + 516);
    entry->offset = getU32(bytes + 520);
    entry->crc = getU32(bytes + 524);
    const auto rawFlag = static_cast<unsigned char>(bytes[528]);
    entry->raw = rawFlag == 1;
    entry->level = static_cast<unsigned char>(bytes[529]);
    return rawFlag <= 1;
}

bool fitsNameField(QStringView text)
{
    return text.size() <= kZlbMaxNameBytes && fitsCp1250(text);
}

QString savedFolderPath(QStringView folder)
{
    QStringView rest = folder;
    if (rest.size() >= 2 && rest[1] == QLatin1Char(':') && rest[0].isLetter())
        rest = rest.mid(2);

    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= rest.size(); ++i) {
        if (i < rest.size() && !isSeparator(rest[i]))
            continue;
        const QStringView part = rest.mid(start, i - start);
        start = i + 1;
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part.toString());
    }
    if (parts.isEmpty())
        return {};
    return parts.join(QLatin1Char('\\')) + QLatin1Char('\\');
}

QString reducedFullName(QStringView name)
{
    qsizetype cut = name.size();
    while (cut > 0 && !isSeparator(name[cut - 1]))
        --cut;
    return savedFolderPath(name.left(cut)) + name.mid(cut);
}

ZlbPathProblem entryPathProblem(const ZlbEntry& entry, bool withPaths)
{
    const QString& name = entry.fileName;
    const QStringView folder = withoutLeadingSeparators(entry.folderPath);
    if (hasControlCharacter(name) || (withPaths && hasControlCharacter(folder)))
        return ZlbPathProblem::ControlCharacter;
    if (hasParentPart(name))
        return ZlbPathProblem::ClimbsOut;
    if (name.isEmpty() || name == QLatin1String("."))
        return ZlbPathProblem::NoFileName;
    for (QChar c : name) {
        if (isSeparator(c))
            return ZlbPathProblem::FolderInName;
    }
    if (!withPaths)
        return ZlbPathProblem::None;
    if (folder.contains(QLatin1Char(':')))
        return ZlbPathProblem::Drive;
    if (hasParentPart(folder))
        return ZlbPathProblem::ClimbsOut;
    return ZlbPathProblem::None;
}

QString extractionFolder(const QString& destination, const ZlbEntry& entry, bool withPaths)
{
    // An empty destination means the current folder, never the root.
    QString folder = destination.isEmpty() ? QStringLiteral(".") : destination;
    if (withPaths) {
        QString sub = withoutLeadingSeparators(entry.folderPath).toString();
        sub.replace(QLatin1Char('\\'), QLatin1Char('/'));
        folder += QLatin1Char('/') + sub;
    }
    // Collapses doubled separators and drops the final one.
    return QDir::cleanPath(folder);
}

} // namespace zorvex
