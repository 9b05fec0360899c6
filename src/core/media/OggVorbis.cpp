#include "core/media/OggVorbis.h"

#include "core/media/OggPacketReader.h"
#include "core/media/TagFile.h"
#include "core/media/TagText.h"

#include <QFile>

#include <algorithm>

namespace zorvex {
namespace {

// Enough of a comment to hold any field name this reader looks for.
constexpr qint64 kNamePrefix = 64;
// Longer values are cut; pictures and other binary fields are never read.
constexpr qint64 kMaxValue = 64 * 1024;

bool readLe32(OggPacketReader& reader, quint32* value)
{
    const QByteArray b = reader.read(4);
    if (b.size() < 4)
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData());
    *value = quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
    return true;
}

QString* fieldFor(OggVorbis& tag, const QByteArray& upperName)
{
    if (upperName == "TITLE")
        return &tag.title;
    if (upperName == "ARTIST")
        return &tag.artist;
    if (upperName == "ALBUM")
        return &tag.album;
    if (upperName == "TRACKNUMBER")
        return &tag.track;
    if (upperName == "DATE")
        return &tag.date;
    if (upperName == "GENRE")
        return &tag.genre;
    if (upperName == "COMMENT")
        return &tag.comment;
    return nullptr;
}

// Reads the comment list; stops quietly where it is cut short.
void readComments(OggPacketReader& reader, OggVorbis& tag)
{
    quint32 vendorLength = 0;
    quint32 count = 0;
    if (!readLe32(reader, &vendorLength) || !reader.skip(vendorLength) || !readLe32(reader, &count))
        return;
    for (quint32 i = 0; i < count; ++i) {
        quint32 length = 0;
        if (!readLe32(reader, &length))
            return;
        const QByteArray prefix = reader.read(std::min<qint64>(length, kNamePrefix));
        if (prefix.size() < std::min<qint64>(length, kNamePrefix))
            return;
        qint64 rest = qint64(length) - prefix.size();
        const qsizetype eq = prefix.indexOf('=');
        QString* field = eq < 0 ? nullptr : fieldFor(tag, prefix.left(eq).toUpper());
        // The first of repeated fields is the one players show.
        if (field && field->isEmpty()) {
            const QByteArray more = reader.read(std::min(rest, kMaxValue));
            if (more.size() < std::min(rest, kMaxValue))
                return;
            rest -= more.size();
            *field = toCodePage(QString::fromUtf8(prefix.mid(eq + 1) + more));
        }
        if (!reader.skip(rest))
            return;
    }
}

} // namespace

bool OggVorbis::read(const QString& path, QString* error)
{
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setOpenError(error, path, file);
        return false;
    }
    OggPacketReader reader(file);
    if (!reader.findStream(QByteArrayView("\x01vorbis", 7))) {
        setTagError(error, QStringLiteral("Plik nie jest plikiem Ogg Vorbis"), path);
        return false;
    }
    if (!reader.nextPacket() || reader.read(7) != QByteArrayView("\x03vorbis", 7)) {
        setTagError(error, QStringLiteral("Brak komentarzy Vorbis w pliku"), path);
        return false;
    }
    readComments(reader, *this);
    return true;
}

} // namespace zorvex
