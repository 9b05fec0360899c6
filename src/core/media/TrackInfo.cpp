#include "core/media/TrackInfo.h"

#include "core/common/Text.h"
#include "core/media/Id3v1.h"
#include "core/media/Id3v2.h"
#include "core/media/Mp3Length.h"
#include "core/media/OggLength.h"
#include "core/media/OggVorbis.h"
#include "core/media/PlaylistEntry.h"

#include <QFile>
#include <QtEndian>

#include <cmath>

namespace zorvex {
namespace {

std::optional<int> wavSeconds(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = f.read(4096);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return std::nullopt;
    quint32 byteRate = 0;
    qint64 pos = 12;
    while (pos + 8 <= head.size()) {
        const QByteArray id = head.mid(pos, 4);
        const quint32 len = qFromLittleEndian<quint32>(head.constData() + pos + 4);
        if (id == "fmt " && pos + 20 <= head.size())
            byteRate = qFromLittleEndian<quint32>(head.constData() + pos + 16);
        if (id == "data") {
            if (byteRate == 0)
                return std::nullopt;
            // A header written before the end of a recording may claim more.
            const qint64 data = std::min<qint64>(len, f.size() - pos - 8);
            return int(std::lround(double(data) / byteRate));
        }
        pos += 8 + qint64(len) + (len & 1);
    }
    return std::nullopt;
}

std::optional<int> oggSeconds(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    OggLength length;
    // The first pages give the rate, the pages are then followed; bodies are
    // skipped by reading, so a few megabytes pass quickly.
    while (!f.atEnd()) {
        const QByteArray chunk = f.read(256 * 1024);
        if (chunk.isEmpty())
            break;
        length.feed(chunk);
    }
    const double s = length.seconds(f.size());
    if (s <= 0)
        return std::nullopt;
    return int(std::lround(s));
}

} // namespace

TrackTags trackTags(const QString& path)
{
    const QString upper = PolishUpper(path);
    TrackTags t;
    if (upper.endsWith(QLatin1String(".MP3"))) {
        Id3v2 v2;
        if (v2.read(path) && !combineDisplayName(v2.title, v2.artist, path).isEmpty())
            return {v2.title.trimmed(), v2.artist.trimmed()};
        Id3v1 v1;
        if (v1.read(path) && v1.exists)
            return {v1.title.trimmed(), v1.artist.trimmed()};
    } else if (upper.endsWith(QLatin1String(".OGG"))) {
        OggVorbis ogg;
        if (ogg.read(path))
            return {ogg.title.trimmed(), ogg.artist.trimmed()};
    }
    return t;
}

QString trackDisplayName(const QString& path)
{
    const TrackTags t = trackTags(path);
    const QString name = combineDisplayName(t.title, t.artist, path);
    return name.isEmpty() ? baseNameOf(path) : name;
}

std::optional<int> quickLengthSeconds(const QString& path)
{
    const QString upper = PolishUpper(path);
    if (upper.endsWith(QLatin1String(".MP3"))) {
        const auto facts = readMp3Facts(path);
        if (!facts)
            return std::nullopt;
        return int(std::lround(facts->seconds));
    }
    if (upper.endsWith(QLatin1String(".OGG")))
        return oggSeconds(path);
    if (upper.endsWith(QLatin1String(".WAV")))
        return wavSeconds(path);
    return std::nullopt;
}

} // namespace zorvex
