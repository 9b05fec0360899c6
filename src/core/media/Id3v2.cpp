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
// Second frame flag byte of version 2.4.
enum FrameFlag24 : quint8 {
    V24Grouped = 0x40,
    V24Compressed = 0x08,
    V24Encrypted = 0x04,
    V24Unsynchronised = 0x02,
    V24DataLength = 0x01,
};

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

void readFrames(Id3v2& tag, Window& window, qint64 pos, qint64 end, quint8 flags, int major)
{
    if (flags & ExtendedHeader) {
        const QByteArrayView ext = window.get(pos, 4);
        if (ext.size() < 4)
            return;
        // Version 2.4 counts the size field in, 2.3 does not.
        pos += major >= 4 ? qint64(synchsafe(ext, 0)) : 4 + qint64(be32(ext, 0));
    }
    FrameReader reader(tag);
    while (pos + kFrameHeaderSize <= end) {
        const QByteArrayView header = window.get(pos, kFrameHeaderSize);
        if (header.size() < kFrameHeaderSize || header[0] < 'A' || header[0] > 'Z')
            break;
        const quint32 id = be32(header, 0);
        const qint64 frameSize = major >= 4 ? synchsafe(header, 4) : be32(header, 4);
        const qint64 dataPos = pos + kFrameHeaderSize;
        const qint64 available = end - dataPos;
        const auto frameFlags = static_cast<quint8>(header[9]);
        qint64 skip = 0;
        bool readable = true;
        if (major >= 4) {
            readable = !(frameFlags & (V24Compressed | V24Encrypted | V24Unsynchronised));
            skip = ((frameFlags & V24Grouped) ? 1 : 0) + ((frameFlags & V24DataLength) ? 4 : 0);
        } else {
            readable = !(frameFlags & (Compressed | Encrypted));
            skip = (frameFlags & Grouped) ? 1 : 0;
        }
        if (FrameReader::wanted(id) && readable) {
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

namespace {

constexpr char kUtf16Bom[] = "\xFF\xFE";

// Latin text is read back as this program's code page, and other programs
// read it as Latin-1: it is used only where the two agree. Anything else
// (Polish letters among it) is UTF-16 behind its byte order mark, which
// every player reads right.
bool plainLatin(QStringView text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            continue;
        if (u > 0xFF || static_cast<unsigned char>(toCp1250(QStringView(&c, 1))[0]) != u)
            return false;
    }
    return true;
}

QByteArray utf16(QStringView text)
{
    QByteArray out(kUtf16Bom, 2);
    for (QChar c : text) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
    return out;
}

// The encoding byte and the text of a text frame.
QByteArray textBody(const QString& text)
{
    if (plainLatin(text))
        return QByteArray(1, '\0') + toCp1250(text);
    return QByteArray(1, '\x01') + utf16(text);
}

// A comment: encoding, language, an empty description, the text.
QByteArray commentBody(const QString& text)
{
    if (plainLatin(text))
        return QByteArrayView("\0eng\0", 5).toByteArray() + toCp1250(text);
    return QByteArrayView("\x01" "eng", 4).toByteArray() + utf16(u"") + QByteArray(2, '\0') + utf16(text);
}

bool editedFrame(quint32 id)
{
    return FrameReader::wanted(id);
}

// The description of a COMM frame is empty for the one the window edits.
bool plainComment(QByteArrayView data)
{
    if (data.size() < 4)
        return true;
    const auto encoding = static_cast<Id3Encoding>(std::min<quint8>(static_cast<quint8>(data[0]), 3));
    const QByteArrayView rest = data.sliced(4);
    const qsizetype end = skipId3String(rest, encoding);
    return trimControls(decodeId3String(rest.first(end), encoding)).isEmpty();
}

// UTF-8 strings separated by zero bytes, as UTF-16 strings separated by two.
QByteArray utf8ToUtf16(QByteArrayView data)
{
    QByteArray out;
    const QList<QByteArrayView> parts = [&] {
        QList<QByteArrayView> p;
        qsizetype from = 0;
        for (qsizetype i = 0; i <= data.size(); ++i)
            if (i == data.size() || data[i] == '\0') {
                p.append(data.sliced(from, i - from));
                from = i + 1;
            }
        return p;
    }();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i)
            out.append(2, '\0');
        if (!parts[i].isEmpty() || i + 1 < parts.size())
            out.append(utf16(QString::fromUtf8(parts[i])));
    }
    return out;
}

// A 2.4 frame's data for 2.3: UTF-8 text turned into UTF-16.
QByteArray convertedData(quint32 id, QByteArrayView data)
{
    if (data.isEmpty() || data[0] != '\x03')
        return data.toByteArray();
    const char first = static_cast<char>(id >> 24);
    if (first == 'T')
        return QByteArray(1, '\x01') + utf8ToUtf16(data.sliced(1));
    if ((id == frameId("COMM") || id == frameId("USLT")) && data.size() >= 4) {
        const QByteArrayView rest = data.sliced(4);
        const qsizetype end = rest.indexOf('\0');
        const QByteArray description = utf16(QString::fromUtf8(end < 0 ? rest : rest.first(end))) + QByteArray(2, '\0');
        const QByteArray text = end < 0 ? QByteArray() : utf16(QString::fromUtf8(rest.sliced(end + 1)));
        return QByteArray(1, '\x01') + data.sliced(1, 3).toByteArray() + description + text;
    }
    if (id == frameId("APIC")) {
        const qsizetype mimeEnd = data.indexOf('\0', 1);
        if (mimeEnd < 0 || mimeEnd + 2 > data.size())
            return data.toByteArray();
        const QByteArrayView rest = data.sliced(mimeEnd + 2);
        const qsizetype end = rest.indexOf('\0');
        if (end < 0)
            return data.toByteArray();
        return QByteArray(1, '\x01') + data.sliced(1, mimeEnd + 1).toByteArray()
            + utf16(QString::fromUtf8(rest.first(end))) + QByteArray(2, '\0') + rest.sliced(end + 1).toByteArray();
    }
    return data.toByteArray();
}

// The frames of an old tag that the edited fields do not stand for, as
// version 2.3 frames: a cover, lyrics, private data and every frame of
// another program go into the new tag byte for byte. A 2.4 frame gets a 2.3
// header, and its UTF-8 text (which 2.3 does not know) becomes UTF-16.
QByteArray keptFrames(QByteArrayView tag, int major)
{
    QByteArray out;
    if (major != 3 && major != 4)
        return out; // 2.2 frames have another form; nothing can be carried over
    qint64 pos = kHeaderSize;
    const qint64 end = tag.size();
    if (static_cast<quint8>(tag[5]) & ExtendedHeader) {
        if (end < pos + 4)
            return out;
        pos += major >= 4 ? qint64(synchsafe(tag, pos)) : 4 + qint64(be32(tag, pos));
    }
    while (pos + kFrameHeaderSize <= end) {
        if (tag[pos] < 'A' || tag[pos] > 'Z')
            break;
        const quint32 id = be32(tag, pos);
        const qint64 size = major >= 4 ? synchsafe(tag, pos + 4) : be32(tag, pos + 4);
        const qint64 dataPos = pos + kFrameHeaderSize;
        if (size > end - dataPos)
            break;
        const QByteArrayView data = tag.sliced(dataPos, size);
        const bool replaced = editedFrame(id) && !(id == frameId("COMM") && !plainComment(data));
        if (!replaced) {
            if (major == 3) {
                out.append(tag.sliced(pos, kFrameHeaderSize + size).toByteArray());
            } else {
                const auto status = static_cast<quint8>(tag[pos + 8]);
                const auto format = static_cast<quint8>(tag[pos + 9]);
                // Compressed, encrypted or unsynchronised 2.4 data has no 2.3
                // form that could be written without decoding it.
                if (!(format & (V24Compressed | V24Encrypted | V24Unsynchronised))) {
                    QByteArrayView body = data;
                    QByteArray group;
                    if (format & V24Grouped) {
                        group = body.first(std::min<qsizetype>(1, body.size())).toByteArray();
                        body = body.sliced(group.size());
                    }
                    if ((format & V24DataLength) && body.size() >= 4)
                        body = body.sliced(4);
                    const QByteArray converted = group + convertedData(id, body);
                    out.append(tag.sliced(pos, 4).toByteArray());
                    appendBe32(out, static_cast<quint32>(converted.size()));
                    out.append(static_cast<char>((status << 1) & 0xE0));
                    out.append(static_cast<char>((format & V24Grouped) ? Grouped : 0));
                    out.append(converted);
                }
            }
        }
        pos = dataPos + size;
    }
    return out;
}

} // namespace

QByteArray Id3v2::toBytes() const
{
    return toBytes({});
}

QByteArray Id3v2::toBytes(const QByteArray& otherFrames) const
{
    QByteArray frames;
    const auto add = [&frames](const char* id, const QByteArray& body) {
        if (body.isEmpty())
            return;
        frames.append(id, 4);
        appendBe32(frames, static_cast<quint32>(body.size()));
        frames.append("\0\0", 2);
        frames.append(body);
    };
    const auto text = [](const QString& value) { return value.isEmpty() ? QByteArray() : textBody(value); };
    add("TIT2", text(title));
    add("TPE1", text(artist));
    add("TALB", text(album));
    add("TRCK", track != 0 ? QByteArray(1, '\0') + QByteArray::number(track) : QByteArray());
    add("TYER", text(year));
    // A leading "(" would read back as a genre reference; "((" stands for it.
    add("TCON", text(genre.startsWith(QLatin1Char('(')) ? QLatin1Char('(') + genre : genre));
    add("COMM", comment.isEmpty() ? QByteArray() : commentBody(comment));
    add("TCOM", text(composer));
    add("TENC", text(encoder));
    add("TCOP", text(rights));
    add("TLAN", text(language));
    add("WXXX", link.isEmpty() ? QByteArray() : QByteArrayView("\0\0", 2).toByteArray() + toCp1250(link));
    frames.append(otherFrames);

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
    if ((header.major != 3 && header.major != 4) || size <= kHeaderSize)
        return true;

    // A 2.4 tag marks its unsynchronised frames one by one.
    Window window(file, std::move(first), size, header.major == 3 && (header.flags & Unsynchronised) != 0);
    readFrames(*this, window, kHeaderSize, size, header.flags, header.major);
    return true;
}

bool Id3v2::save(const QString& path, QString* error)
{
    Header old;
    qint64 fileSize = 0;
    if (!probe(path, &old, &fileSize, error))
        return false;
    QByteArray other;
    if (old.present && old.tagSize > kHeaderSize) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            setOpenError(error, path, file);
            return false;
        }
        // Bounded by the file: a tag claiming more counts as none.
        QByteArray oldTag = file.read(old.tagSize);
        if (old.major == 3 && (old.flags & Unsynchronised)) {
            QByteArray restored = oldTag.first(kHeaderSize);
            restored.reserve(oldTag.size());
            for (qsizetype i = kHeaderSize; i < oldTag.size(); ++i)
                if (!(oldTag[i] == '\0' && static_cast<quint8>(oldTag[i - 1]) == 0xFF))
                    restored.append(oldTag[i]);
            oldTag = std::move(restored);
        }
        other = keptFrames(oldTag, old.major);
    }
    const QByteArray tag = toBytes(other);
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
