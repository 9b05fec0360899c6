#include "core/media/Mp3Length.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>

namespace zorvex {

namespace {

// The longest frame there is (MPEG 2.5 layer II, 160 kbps at 8 kHz: 2881
// bytes), rounded up.
constexpr qint64 kMaxFrame = 2900;
// How far past the tags the first frame is looked for; a few encoders leave
// junk in front of it.
constexpr qint64 kFirstSearch = 16 * 1024;
constexpr qint64 kWideSearch = 256 * 1024;
// Points of a file without a VBR header whose frames are compared to the
// first one before it is taken for CBR.
constexpr int kProbes = 5;
constexpr int kFramesPerProbe = 4;

enum Version { Mpeg1 = 0, Mpeg2 = 1, Mpeg25 = 2 };

struct FrameHeader {
    Version version = Mpeg1;
    int layer = 0; // 1, 2 or 3
    int bitrate = 0; // kbps
    int sampleRate = 0;
    int channels = 0;
    int size = 0; // bytes, padding included
    int samples = 0;
};

constexpr std::array<std::array<short, 15>, 5> kBitrates = {{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG 1 layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG 1 layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG 1 layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG 2/2.5 layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG 2/2.5 layers II, III
}};

constexpr std::array<std::array<int, 3>, 3> kRates = {{
    {44100, 48000, 32000},
    {22050, 24000, 16000},
    {11025, 12000, 8000},
}};

quint32 be32(const uchar* p)
{
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

quint32 le32(const uchar* p)
{
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

std::optional<FrameHeader> decodeHeader(const uchar* p)
{
    const quint32 h = be32(p);
    if ((h & 0xFFE00000u) != 0xFFE00000u)
        return std::nullopt;
    const int versionBits = int((h >> 19) & 3);
    const int layerBits = int((h >> 17) & 3);
    const int bitrateIndex = int((h >> 12) & 15);
    const int rateIndex = int((h >> 10) & 3);
    // Free-format frames carry no size; treating them as unknown keeps a
    // wrong length out of the playlist.
    if (versionBits == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return std::nullopt;
    if ((h & 3) == 2) // reserved emphasis: not a header
        return std::nullopt;

    FrameHeader f;
    f.version = versionBits == 3 ? Mpeg1 : versionBits == 2 ? Mpeg2 : Mpeg25;
    f.layer = 4 - layerBits;
    const int table = f.version == Mpeg1 ? f.layer - 1 : (f.layer == 1 ? 3 : 4);
    f.bitrate = kBitrates[size_t(table)][size_t(bitrateIndex)];
    f.sampleRate = kRates[size_t(f.version)][size_t(rateIndex)];
    f.channels = ((h >> 6) & 3) == 3 ? 1 : 2;
    const int padding = int((h >> 9) & 1);
    const int bps = f.bitrate * 1000;
    if (f.layer == 1) {
        f.size = (12 * bps / f.sampleRate + padding) * 4;
        f.samples = 384;
    } else if (f.layer == 2 || f.version == Mpeg1) {
        f.size = 144 * bps / f.sampleRate + padding;
        f.samples = 1152;
    } else {
        f.size = 72 * bps / f.sampleRate + padding;
        f.samples = 576;
    }
    return f;
}

bool sameStream(const FrameHeader& a, const FrameHeader& b)
{
    return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

// Random access to the file or to bytes in memory.
class Source {
public:
    virtual ~Source() = default;
    virtual qint64 size() const = 0;
    // Up to `length` bytes from `pos`; fewer at the end.
    virtual QByteArray read(qint64 pos, qint64 length) = 0;
    // The whole content, for the frame walk; empty on failure.
    virtual QByteArrayView whole() = 0;
};

class MemorySource : public Source {
public:
    explicit MemorySource(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }
    qint64 size() const override { return m_bytes.size(); }
    QByteArray read(qint64 pos, qint64 length) override
    {
        if (pos < 0 || pos >= m_bytes.size())
            return {};
        return m_bytes.sliced(pos, std::min(length, m_bytes.size() - pos)).toByteArray();
    }
    QByteArrayView whole() override { return m_bytes; }

private:
    QByteArrayView m_bytes;
};

class FileSource : public Source {
public:
    explicit FileSource(const QString& path)
        : m_file(path)
    {
    }
    bool open() { return m_file.open(QIODevice::ReadOnly); }
    qint64 size() const override { return m_file.size(); }
    QByteArray read(qint64 pos, qint64 length) override
    {
        if (pos < 0 || !m_file.seek(pos))
            return {};
        return m_file.read(length);
    }
    QByteArrayView whole() override
    {
        if (const uchar* p = m_file.map(0, m_file.size()))
            return QByteArrayView(p, m_file.size());
        // Files that cannot be mapped (pipes, some network shares) are read.
        if (m_copy.isEmpty() && m_file.seek(0))
            m_copy = m_file.readAll();
        return m_copy;
    }

private:
    QFile m_file;
    QByteArray m_copy;
};

const uchar* bytes(const QByteArray& a)
{
    return reinterpret_cast<const uchar*>(a.constData());
}

// A frame at `i` of `buf` whose successors (up to `confirm` of them) are frames
// of the same stream, as far as the buffer reaches; `bufEnd` is where the
// audio of the buffer ends.
std::optional<FrameHeader> confirmedFrame(const QByteArray& buf, qsizetype i, qsizetype bufEnd, int confirm)
{
    if (i + 4 > bufEnd)
        return std::nullopt;
    const auto first = decodeHeader(bytes(buf) + i);
    if (!first)
        return std::nullopt;
    qsizetype next = i + first->size;
    for (int n = 0; n < confirm; ++n) {
        if (next + 4 > bufEnd)
            return next <= bufEnd ? first : std::nullopt;
        const auto h = decodeHeader(bytes(buf) + next);
        if (!h || !sameStream(*first, *h))
            return std::nullopt;
        next += h->size;
    }
    return first;
}

// The index of the first confirmed frame that starts in [from, searchEnd) of
// `buf`, or -1.
qsizetype findFrame(const QByteArray& buf, qsizetype from, qsizetype searchEnd, qsizetype bufEnd, int confirm)
{
    for (qsizetype i = from; i + 1 < searchEnd; ++i) {
        if (uchar(buf[i]) != 0xFF || (uchar(buf[i + 1]) & 0xE0) != 0xE0)
            continue;
        if (confirmedFrame(buf, i, bufEnd, confirm))
            return i;
    }
    return -1;
}

qint64 skipId3v2(Source& src)
{
    qint64 pos = 0;
    // Some taggers stack several tags; each is skipped.
    for (;;) {
        const QByteArray head = src.read(pos, 10);
        if (head.size() < 10 || !head.startsWith("ID3"))
            return pos;
        const uchar* h = bytes(head);
        if (h[3] == 0xFF || h[4] == 0xFF || (h[6] | h[7] | h[8] | h[9]) & 0x80)
            return pos;
        const qint64 body = (qint64(h[6]) << 21) | (qint64(h[7]) << 14) | (qint64(h[8]) << 7) | qint64(h[9]);
        pos += 10 + body + ((h[5] & 0x10) ? 10 : 0);
        if (pos >= src.size())
            return src.size();
    }
}

qint64 audioEnd(Source& src, qint64 start)
{
    qint64 end = src.size();
    // An ID3v1 tag may follow an APE tag, so it is taken off first.
    if (end - 128 >= start && src.read(end - 128, 3) == "TAG")
        end -= 128;
    if (end - 32 >= start) {
        const QByteArray footer = src.read(end - 32, 32);
        if (footer.size() == 32 && footer.startsWith("APETAGEX")) {
            const qint64 tagSize = le32(bytes(footer) + 12);
            const bool hasHeader = le32(bytes(footer) + 20) & 0x80000000u;
            const qint64 total = tagSize + (hasHeader ? 32 : 0);
            if (total >= 32 && total <= end - start)
                end -= total;
        }
    }
    return end;
}

int xingOffset(const FrameHeader& f)
{
    if (f.version == Mpeg1)
        return f.channels == 1 ? 4 + 17 : 4 + 32;
    return f.channels == 1 ? 4 + 9 : 4 + 17;
}

// Frame count from a Xing/Info or VBRI header in the first frame, with
// whether it marks a VBR file; 0 when there is none.
std::pair<qint64, bool> headerFrames(const QByteArray& frame, const FrameHeader& f)
{
    const int x = xingOffset(f);
    if (frame.size() >= x + 12) {
        const QByteArray tag = frame.mid(x, 4);
        if (tag == "Xing" || tag == "Info") {
            const quint32 flags = be32(bytes(frame) + x + 4);
            if (flags & 1)
                return {be32(bytes(frame) + x + 8), tag == "Xing"};
        }
    }
    if (frame.size() >= 36 + 18 && frame.mid(36, 4) == "VBRI")
        return {be32(bytes(frame) + 36 + 14), true};
    return {0, false};
}

// Counts the frames between `first` and `end`, resynchronising over damaged
// stretches the way a decoder would.
qint64 walkFrames(QByteArrayView all, qint64 first, qint64 end, const FrameHeader& ref)
{
    const auto* p = reinterpret_cast<const uchar*>(all.data());
    end = std::min<qint64>(end, all.size());
    qint64 frames = 0;
    qint64 pos = first;
    while (pos + 4 <= end) {
        const auto h = decodeHeader(p + pos);
        if (h && sameStream(ref, *h) && pos + h->size <= end) {
            ++frames;
            pos += h->size;
            continue;
        }
        if (h && sameStream(ref, *h))
            break; // a cut-off last frame
        ++pos;
        while (pos + 4 <= end) {
            const auto r = decodeHeader(p + pos);
            if (r && sameStream(ref, *r)) {
                const qint64 next = pos + r->size;
                if (next + 4 > end)
                    break;
                const auto n = decodeHeader(p + next);
                if (n && sameStream(ref, *n))
                    break;
            }
            ++pos;
        }
    }
    return frames;
}

// True when frames at a few points through the file all have the first
// frame's bitrate.
bool looksConstant(Source& src, qint64 first, qint64 end, const FrameHeader& ref)
{
    for (int k = 0; k <= kProbes; ++k) {
        const qint64 at = k == 0 ? first : first + (end - first) * k / (kProbes + 1);
        const qint64 length = std::min<qint64>(kMaxFrame * (kFramesPerProbe + 4), end - at);
        const QByteArray buf = src.read(at, length);
        const qsizetype bufEnd = buf.size();
        const qsizetype i = k == 0 ? 0 : findFrame(buf, 0, bufEnd, bufEnd, 2);
        if (i < 0)
            continue;
        qsizetype pos = i;
        for (int n = 0; n < kFramesPerProbe && pos + 4 <= bufEnd; ++n) {
            const auto h = decodeHeader(bytes(buf) + pos);
            if (!h || !sameStream(ref, *h))
                break;
            if (h->bitrate != ref.bitrate)
                return false;
            pos += h->size;
        }
    }
    return true;
}

std::optional<Mp3Facts> parse(Source& src)
{
    const qint64 start = skipId3v2(src);
    const qint64 end = audioEnd(src, start);
    if (end - start < 4)
        return std::nullopt;

    qint64 first = -1;
    std::optional<FrameHeader> ref;
    for (const qint64 search : {kFirstSearch, kWideSearch}) {
        const qint64 length = std::min<qint64>(search + 3 * kMaxFrame, end - start);
        const QByteArray buf = src.read(start, length);
        const qsizetype searchEnd = qsizetype(std::min<qint64>(search, buf.size()));
        const qsizetype i = findFrame(buf, 0, searchEnd, buf.size(), 2);
        if (i >= 0) {
            first = start + i;
            ref = decodeHeader(bytes(buf) + i);
            break;
        }
        if (length == end - start)
            break;
    }
    if (!ref)
        return std::nullopt;

    Mp3Facts facts;
    facts.sampleRate = ref->sampleRate;
    facts.channels = ref->channels;
    facts.firstFrame = first;
    facts.audioBytes = end - first;

    const auto [tagged, vbrTag] = headerFrames(src.read(first, ref->size), *ref);
    if (tagged > 0) {
        facts.frames = tagged;
        facts.vbr = vbrTag;
        // The header frame itself is silent and not counted.
        facts.audioBytes = std::max<qint64>(0, end - first - ref->size);
    } else if (looksConstant(src, first, end, *ref)) {
        facts.bitrateKbps = ref->bitrate;
        facts.seconds = double(facts.audioBytes) * 8.0 / (ref->bitrate * 1000.0);
        return facts;
    } else {
        facts.vbr = true;
        facts.frames = walkFrames(src.whole(), first, end, *ref);
    }
    if (facts.frames <= 0)
        return std::nullopt;
    facts.seconds = double(facts.frames) * ref->samples / ref->sampleRate;
    facts.bitrateKbps = facts.vbr && facts.seconds > 0
        ? int(std::lround(double(facts.audioBytes) * 8.0 / facts.seconds / 1000.0))
        : ref->bitrate;
    return facts;
}

} // namespace

std::optional<Mp3Facts> readMp3Facts(const QString& path)
{
    FileSource src(path);
    if (!src.open())
        return std::nullopt;
    return parse(src);
}

std::optional<Mp3Facts> parseMp3Facts(QByteArrayView file)
{
    MemorySource src(file);
    return parse(src);
}

} // namespace zorvex
