#include "core/media/Id3v2.h"

#include "core/common/Cp1250.h"
#include "core/media/Genres.h"
#include "core/media/TagFile.h"
#include "core/media/TagText.h"

#include <QFile>

#include <algorithm>

namespace zorvex {
namespace {

constexpr int kHeaderSize = 10;
constexpr int kFrameHeaderSize = 10;
// Most tags are read whole by the first read.
constexpr qint64 kChunk = 4096;
constexpr qint64 kMaxSynchsafe = 0x0FFFFFFF;

enum HeaderFlag : quint8 { Unsynchronised = 0x80, ExtendedHeader = 0x40, Footer = 0x10 };
// Second frame flag byte of version 2.3.
enum FrameFlag : quint8 { Compressed = 0x80, Encrypted = 0x40, Grouped = 0x20 };

quint32 be32(QByteArrayView b, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.data()) + at;
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

quint32 synchsafe(QByteArrayView b, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.data()) + at;
    return quint32(p[0] & 0x7F) << 21 | quint32(p[1] & 0x7F) << 14 | quint32(p[2] & 0x7F) << 7
        | quint32(p[3] & 0x7F);
}

void appendBe32(QByteArray& out, quint32 v)
{
    out.append(static_cast<char>(v >> 24));
    out.append(static_cast<char>(v >> 16));
    out.append(static_cast<char>(v >> 8));
    out.append(static_cast<char>(v));
}

void appendSynchsafe(QByteArray& out, quint32 v)
{
    out.append(static_cast<char>((v >> 21) & 0x7F));
    out.append(static_cast<char>((v >> 14) & 0x7F));
    out.append(static_cast<char>((v >> 7) & 0x7F));
    out.append(static_cast<char>(v & 0x7F));
}

struct Header {
    bool present = false;
    int major = 0;
    quint8 flags = 0;
    qint64 tagSize = 0; // header included; 0 when it claims more than the file
};

Header parseHeader(QByteArrayView bytes, qint64 fileSize)
{
    Header h;
    if (bytes.size() < kHeaderSize || !bytes.startsWith("ID3"))
        return h;
    h.present = true;
    h.major = static_cast<quint8>(bytes[3]);
    h.flags = static_cast<quint8>(bytes[5]);
    h.tagSize = qint64(synchsafe(bytes, 6)) + kHeaderSize;
    // A version 2.4 footer belongs to the tag; left behind it would sit in
    // front of the audio after a rewrite.
    if (h.major >= 4 && (h.flags & Footer))
        h.tagSize += kHeaderSize;
    if (h.tagSize > fileSize)
        h.tagSize = 0;
    return h;
}

// Reads the header of the file at `path`.
bool probe(const QString& path, Header* header, qint64* fileSize, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        setOpenError(error, path, file);
        return false;
    }
    *fileSize = file.size();
    *header = parseHeader(file.read(kHeaderSize), *fileSize);
    return true;
}

// A view of the tag's bytes, refilled from the file when a read leaves what
// it holds, so that memory stays at a chunk whatever the tag claims. In an
// unsynchronised tag every 0xFF 0x00 was 0xFF; the sync bytes are undone as
// the bytes come in and positions count the restored bytes, as the frame
// sizes do. Restored positions only move forward, as frames are walked.
class Window {
public:
    // `first` holds the file's first bytes; the tag ends at `end` in the file.
    Window(QFile& file, QByteArray first, qint64 end, bool unsynchronised)
        : m_file(file)
        , m_unsynchronised(unsynchronised)
        , m_end(end)
    {
        if (!unsynchronised) {
            m_bytes = std::move(first);
            return;
        }
        // The header itself is never unsynchronised.
        m_raw = first.first(std::min<qsizetype>(first.size(), end));
        m_rawAt = std::min<qsizetype>(kHeaderSize, m_raw.size());
        m_rawPos = m_raw.size();
        m_start = kHeaderSize;
    }

    // Up to `length` bytes at `pos`; fewer at the end of the data.
    QByteArrayView get(qint64 pos, qint64 length)
    {
        if (m_unsynchronised)
            fillRestored(pos, length);
        else
            fillPlain(pos, length);
        if (pos < m_start || pos >= m_start + m_bytes.size())
            return {};
        const qint64 at = pos - m_start;
        return QByteArrayView(m_bytes).sliced(at, std::min<qint64>(length, m_bytes.size() - at));
    }

private:
    void fillPlain(qint64 pos, qint64 length)
    {
        if (pos >= m_start && pos + length <= m_start + m_bytes.size())
            return;
        if (!m_file.seek(pos)) {
            m_bytes.clear();
            return;
        }
        m_bytes = m_file.read(std::max(length, kChunk));
        m_start = pos;
    }

    void fillRestored(qint64 pos, qint64 length)
    {
        const qint64 have = m_start + m_bytes.size();
        if (pos < m_start || pos + length <= have)
            return;
        if (pos < have) {
            m_bytes.remove(0, pos - m_start);
        } else {
            m_bytes.clear();
            restore(pos - have, nullptr);
        }
        m_start = pos;
        restore(length - m_bytes.size(), &m_bytes);
    }

    // Restores up to `count` more bytes, appending them to `out` or, without
    // it, passing over them.
    void restore(qint64 count, QByteArray* out)
    {
        while (count > 0) {
            if (m_rawAt == m_raw.size()) {
                if (m_rawPos >= m_end || !m_file.seek(m_rawPos))
                    return;
                m_raw = m_file.read(std::min(kChunk, m_end - m_rawPos));
                m_rawAt = 0;
                if (m_raw.isEmpty())
                    return;
                m_rawPos += m_raw.size();
            }
            const auto byte = static_cast<quint8>(m_raw[m_rawAt++]);
            const bool syncByte = m_afterFF && byte == 0;
            m_afterFF = byte == 0xFF;
            if (syncByte)
                continue;
            if (out)
                out->append(static_cast<char>(byte));
            --count;
        }
    }

    QFile& m_file;
    const bool m_unsynchronised;
    const qint64 m_end;
    QByteArray m_bytes; // the bytes from m_start on
    qint64 m_start = 0;
    // Unsynchronised tags: the raw chunk being restored, the place in it,
    // the file position after it, and whether its last byte was 0xFF.
    QByteArray m_raw;
    qsizetype m_rawAt = 0;
    qint64 m_rawPos = 0;
    bool m_afterFF = false;
};

constexpr quint32 frameId(const char (&id)[5])
{
    return quint32(quint8(id[0])) << 24 | quint32(quint8(id[1])) << 16 | quint32(quint8(id[2])) << 8
        | quint32(quint8(id[3]));
}

// The encoding byte starting `data`, and the text after it. A frame written
// without one (by a careless tagger) is taken whole as code-page text.
Id3Encoding splitEncoding(QByteArrayView& data)
{
    if (data.isEmpty() || static_cast<quint8>(data[0]) > 3)
        return Id3Encoding::Latin;
    const auto encoding = static_cast<Id3Encoding>(data[0]);
    data = data.sliced(1);
    return encoding;
}

QString textOf(QByteArrayView data)
{
    const Id3Encoding encoding = splitEncoding(data);
    return trimControls(decodeId3String(data, encoding));
}

class FrameReader {
public:
    explicit FrameReader(Id3v2& tag) : m_tag(tag) {}

    void store(quint32 id, QByteArrayView data)
    {
        switch (id) {
        case frameId("TIT2"): setOnce(m_tag.title, textOf(data)); break;
        case frameId("TPE1"): setOnce(m_tag.artist, textOf(data)); break;
        case frameId("TALB"): setOnce(m_tag.album, textOf(data)); break;
        case frameId("TYER"): setOnce(m_tag.year, textOf(data)); break;
        case frameId("TCOM"): setOnce(m_tag.composer, textOf(data)); break;
        case frameId("TENC"): setOnce(m_tag.encoder, textOf(data)); break;
        case frameId("TCOP"): setOnce(m_tag.rights, textOf(data)); break;
        case frameId("TLAN"): setOnce(m_tag.language, textOf(data)); break;
        case frameId("TCON"):
            if (m_tag.genre.isEmpty())
                m_tag.genre = Id3v2::parseGenre(textOf(data));
            break;
        case frameId("TRCK"):
            if (m_tag.track == 0)
                m_tag.track = Id3v2::parseTrack(textOf(data));
            break;
        case frameId("COMM"): comment(data); break;
        case frameId("WXXX"): link(data); break;
        default: break;
        }
    }

    static bool wanted(quint32 id)
    {
        switch (id) {
        case frameId("TIT2"): case frameId("TPE1"): case frameId("TALB"): case frameId("TRCK"):
        case frameId("TYER"): case frameId("TCON"): case frameId("COMM"): case frameId("TCOM"):
        case frameId("TENC"): case frameId("TCOP"): case frameId("TLAN"): case frameId("WXXX"):
            return true;
        default:
            return false;
        }
    }

private:
    static void setOnce(QString& field, QString value)
    {
        if (field.isEmpty())
            field = std::move(value);
    }

    // Encoding, a 3-byte language, a description, then the text. Players keep
    // private data in described comments, so the plain one is preferred.
    void comment(QByteArrayView data)
    {
        const Id3Encoding encoding = splitEncoding(data);
        if (data.size() < 3)
            return;
        data = data.sliced(3);
        const qsizetype textAt = skipId3String(data, encoding);
        const bool described = !trimControls(decodeId3String(data.first(textAt), encoding)).isEmpty();
        QString text = trimControls(decodeId3String(data.sliced(textAt), encoding));
        if (text.isEmpty() || (!m_tag.comment.isEmpty() && (described || !m_commentDescribed)))
            return;
        m_commentDescribed = described;
        m_tag.comment = std::move(text);
    }

    // Encoding, a description in that encoding, then the address in Latin.
    void link(QByteArrayView data)
    {
        const Id3Encoding encoding = splitEncoding(data);
        data = data.sliced(skipId3String(data, encoding));
        setOnce(m_tag.link, trimControls(decodeId3String(data, Id3Encoding::Latin)));
    }

    Id3v2& m_tag;
    bool m_commentDescribed = false;
};

void readFrames(Id3v2& tag, Window& window, qint64 pos, qint64 end, quint8 flags)
{
    if (flags & ExtendedHeader) {
        const QByteArrayView ext = window.get(pos, 4);
        if (ext.size() < 4)
            return;
        pos += 4 + qint64(be32(ext, 0));
    }
    FrameReader reader(tag);
    while (pos + kFrameHeaderSize <= end) {
        const QByteArrayView header = window.get(pos, kFrameHeaderSize);
        if (header.size() < kFrameHeaderSize || header[0] < 'A' || header[0] > 'Z')
            break;
        const quint32 id = be32(header, 0);
        const qint64 frameSize = be32(header, 4);
        const qint64 dataPos = pos + kFrameHeaderSize;
        const qint64 available = end - dataPos;
        const auto frameFlags = static_cast<quint8>(header[9]);
        if (FrameReader::wanted(id) && !(frameFlags & (Compressed | Encrypted))) {
            const qint64 skip = (frameFlags & Grouped) ? 1 : 0;
            const qint64 take = std::min<qint64>({frameSize, available, Id3v2::kMaxFrameData});
            if (take > skip)
                reader.store(id, window.get(dataPos + skip, take - skip));
        }
        // A size running past the tag is damage: what lies beyond is audio.
        if (frameSize > available)
            break;
        pos = dataPos + frameSize;
    }
}

} // namespace

int Id3v2::parseTrack(QStringView text)
{
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    bool ok = false;
    const int n = (slash >= 0 ? text.first(slash) : text).trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QString Id3v2::parseGenre(QStringView text)
{
    QStringView rest = text;
    QStringView lastReference;
    while (rest.startsWith(QLatin1Char('(')) && !rest.startsWith(QLatin1String("(("))) {
        const qsizetype close = rest.indexOf(QLatin1Char(')'));
        if (close < 0)
            break;
        lastReference = rest.sliced(1, close - 1);
        rest = rest.sliced(close + 1);
    }
    if (rest.startsWith(QLatin1String("((")))
        rest = rest.sliced(1); // "((" stands for a plain "("
    rest = rest.trimmed();
    if (!rest.isEmpty())
        return rest.toString();
    // A bare reference such as "(17)" names the genre by number; dropping it
    // would lose the genre on the next save.
    bool ok = false;
    const int index = lastReference.toInt(&ok);
    if (ok && index >= 0 && index < kGenreCount)
        return genreName(index);
    if (lastReference == QLatin1String("RX"))
        return QStringLiteral("Remix");
    if (lastReference == QLatin1String("CR"))
        return QStringLiteral("Cover");
    return text.toString();
}

QByteArray Id3v2::toBytes() const
{
    QByteArray frames;
    const auto add = [&frames](const char* id, const QByteArray& text) {
        if (text.isEmpty())
            return;
        frames.append(id, 4);
        appendBe32(frames, static_cast<quint32>(text.size() + 1));
        frames.append("\0\0\0", 3); // two flag bytes, then the encoding byte
        frames.append(text);
    };
    const auto prefixed = [](QByteArrayView prefix, const QString& value) -> QByteArray {
        return value.isEmpty() ? QByteArray() : prefix.toByteArray() + toCp1250(value);
    };
    add("TIT2", toCp1250(title));
    add("TPE1", toCp1250(artist));
    add("TALB", toCp1250(album));
    add("TRCK", track != 0 ? QByteArray::number(track) : QByteArray());
    add("TYER", toCp1250(year));
    // A leading "(" would read back as a genre reference; "((" stands for it.
    add("TCON", toCp1250(genre.startsWith(QLatin1Char('(')) ? QLatin1Char('(') + genre : genre));
    add("COMM", prefixed(QByteArrayView("eng\0", 4), comment));
    add("TCOM", toCp1250(composer));
    add("TENC", toCp1250(encoder));
    add("TCOP", toCp1250(rights));
    add("TLAN", toCp1250(language));
    add("WXXX", prefixed(QByteArrayView("\0", 1), link));

    QByteArray tag("ID3\x03\x00\x00", 6);
    appendSynchsafe(tag, static_cast<quint32>(std::min<qsizetype>(frames.size(), kMaxSynchsafe)));
    tag.append(frames);
    return tag;
}

bool Id3v2::read(const QString& path, QString* error)
{
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        setOpenError(error, path, file);
        return false;
    }
    const qint64 fileSize = file.size();
    QByteArray first = file.read(kChunk);
    const Header header = parseHeader(first, fileSize);
    if (!header.present)
        return true;
    exists = true;
    version = header.major;
    size = header.tagSize;
    if (header.major != 3 || size <= kHeaderSize)
        return true;

    Window window(file, std::move(first), size, (header.flags & Unsynchronised) != 0);
    readFrames(*this, window, kHeaderSize, size, header.flags);
    return true;
}

bool Id3v2::save(const QString& path, QString* error)
{
    Header old;
    qint64 fileSize = 0;
    if (!probe(path, &old, &fileSize, error))
        return false;
    const QByteArray tag = toBytes();
    if (tag.size() - kHeaderSize > kMaxSynchsafe) {
        setTagError(error, QStringLiteral("Tag jest za duży, by go zapisać w pliku"), path);
        return false;
    }
    clearReadOnly(path);
    if (!rewriteFile(path, tag, old.tagSize, fileSize, {}, error))
        return false;
    exists = true;
    version = 3;
    size = tag.size();
    return true;
}

bool Id3v2::remove(const QString& path, QString* error)
{
    Header old;
    qint64 fileSize = 0;
    if (!probe(path, &old, &fileSize, error))
        return false;
    if (!old.present || old.tagSize == 0)
        return true;
    clearReadOnly(path);
    if (!rewriteFile(path, {}, old.tagSize, fileSize, {}, error))
        return false;
    exists = false;
    version = 0;
    size = 0;
    return true;
}

} // namespace zorvex
