#include "core/media/Id3v1.h"

#include "core/common/Cp1250.h"
#include "core/media/TagFile.h"
#include "core/media/TagText.h"

#include <QFile>

#include <cstring>

namespace zorvex {
namespace {

constexpr int kTitle = 3;
constexpr int kArtist = 33;
constexpr int kAlbum = 63;
constexpr int kYear = 93;
constexpr int kComment = 97;
constexpr int kTrackMark = 125;
constexpr int kTrack = 126;
constexpr int kGenre = 127;

bool isTag(QByteArrayView block)
{
    return block.size() == Id3v1::kSize && block.startsWith("TAG");
}

// Fields are padded with zeros or spaces; anything after a zero is leftover.
QString field(QByteArrayView block, int offset, int length)
{
    QByteArrayView bytes = block.sliced(offset, length);
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return trimControlsRight(fromCp1250(bytes));
}

void put(QByteArray& block, int offset, int length, const QString& text)
{
    const QByteArray bytes = toCp1250(text).left(length);
    std::memcpy(block.data() + offset, bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The last 128 bytes of an open file, or nothing for a shorter file.
QByteArray lastBlock(QFile& file)
{
    const qint64 size = file.size();
    if (size < Id3v1::kSize || !file.seek(size - Id3v1::kSize))
        return {};
    return file.read(Id3v1::kSize);
}

// Size of the file and whether it ends in a tag.
bool probe(const QString& path, qint64* size, bool* hasTag, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        setOpenError(error, path, file);
        return false;
    }
    *size = file.size();
    *hasTag = isTag(lastBlock(file));
    return true;
}

} // namespace

void Id3v1::fromBytes(QByteArrayView block)
{
    clear();
    if (!isTag(block))
        return;
    exists = true;
    const auto byte = [&](int i) { return static_cast<quint8>(block[i]); };
    const bool v11 = (byte(kTrackMark) == 0 && byte(kTrack) != 0)
        || (byte(kTrackMark) == ' ' && byte(kTrack) != ' ');
    version = v11 ? 2 : 1;
    title = field(block, kTitle, 30);
    artist = field(block, kArtist, 30);
    album = field(block, kAlbum, 30);
    year = field(block, kYear, 4);
    comment = field(block, kComment, v11 ? 28 : 30);
    track = v11 ? byte(kTrack) : 0;
    genre = byte(kGenre);
}

QByteArray Id3v1::toBytes() const
{
    QByteArray block(kSize, '\0');
    std::memcpy(block.data(), "TAG", 3);
    put(block, kTitle, 30, title);
    put(block, kArtist, 30, artist);
    put(block, kAlbum, 30, album);
    put(block, kYear, 4, year);
    put(block, kComment, track != 0 ? 28 : 30, comment);
    if (track != 0) {
        block[kTrackMark] = '\0';
        block[kTrack] = static_cast<char>(track);
    }
    block[kGenre] = static_cast<char>(genre);
    return block;
}

bool Id3v1::read(const QString& path, QString* error)
{
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        setOpenError(error, path, file);
        return false;
    }
    fromBytes(lastBlock(file));
    return true;
}

bool Id3v1::save(const QString& path, QString* error)
{
    qint64 size = 0;
    bool hasTag = false;
    if (!probe(path, &size, &hasTag, error))
        return false;
    clearReadOnly(path);
    const QByteArray block = toBytes();
    if (!rewriteFile(path, {}, 0, hasTag ? size - kSize : size, block, error))
        return false;
    exists = true;
    version = track != 0 ? 2 : 1;
    return true;
}

bool Id3v1::remove(const QString& path, QString* error)
{
    qint64 size = 0;
    bool hasTag = false;
    if (!probe(path, &size, &hasTag, error))
        return false;
    if (!hasTag)
        return true;
    clearReadOnly(path);
    if (!rewriteFile(path, {}, 0, size - kSize, {}, error))
        return false;
    exists = false;
    return true;
}

} // namespace zorvex
