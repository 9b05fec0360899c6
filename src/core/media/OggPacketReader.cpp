#include "core/media/OggPacketReader.h"

#include <QIODevice>

#include <algorithm>

namespace zorvex {
namespace {

constexpr int kPageHeaderSize = 27;
constexpr quint8 kBeginsStream = 0x02;

quint32 le32(QByteArrayView b, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(b.data()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

} // namespace

bool OggPacketReader::loadPage(bool anyStream)
{
    for (;;) {
        if (!m_device.seek(m_pageEnd))
            return false;
        const QByteArray header = m_device.read(kPageHeaderSize);
        if (header.size() < kPageHeaderSize || !header.startsWith("OggS") || header[4] != 0)
            return false;
        const int segments = static_cast<quint8>(header[26]);
        QByteArray lacing = m_device.read(segments);
        if (lacing.size() < segments)
            return false;
        qint64 body = 0;
        for (char size : lacing)
            body += static_cast<quint8>(size);
        m_pageEnd += kPageHeaderSize + segments + body;
        const quint32 serial = le32(header, 14);
        if ((!anyStream && serial != m_serial) || segments == 0)
            continue;
        m_pageSerial = serial;
        m_beginsStream = static_cast<quint8>(header[5]) & kBeginsStream;
        m_lacing = std::move(lacing);
        m_segment = 0;
        m_segmentLeft = static_cast<quint8>(m_lacing[0]);
        return true;
    }
}

bool OggPacketReader::nextSegment()
{
    if (m_segment + 1 < m_lacing.size()) {
        ++m_segment;
        m_segmentLeft = static_cast<quint8>(m_lacing[m_segment]);
        return true;
    }
    m_segment = -1;
    m_segmentLeft = 0;
    return loadPage(false);
}

// A segment shorter than 255 bytes is the last of its packet.
bool OggPacketReader::packetEnded() const
{
    return m_segment < 0 || (m_segmentLeft == 0 && static_cast<quint8>(m_lacing[m_segment]) < 255);
}

qint64 OggPacketReader::transfer(char* out, qint64 length)
{
    qint64 done = 0;
    while (done < length) {
        if (m_segmentLeft == 0) {
            if (packetEnded() || !nextSegment())
                break;
            continue;
        }
        const qint64 n = std::min(length - done, m_segmentLeft);
        const bool ok = out ? m_device.read(out + done, n) == n : m_device.seek(m_device.pos() + n);
        if (!ok) {
            m_segment = -1; // a cut-off file ends the stream
            m_segmentLeft = 0;
            break;
        }
        m_segmentLeft -= n;
        done += n;
    }
    return done;
}

bool OggPacketReader::findStream(QByteArrayView signature)
{
    m_pageEnd = 0;
    while (loadPage(true)) {
        // Every stream announces itself before any stream's data follows.
        if (!m_beginsStream)
            return false;
        m_serial = m_pageSerial;
        if (read(signature.size()) == signature)
            return true;
    }
    return false;
}

bool OggPacketReader::nextPacket()
{
    while (!packetEnded())
        skip(1 << 20);
    return m_segment >= 0 && nextSegment();
}

QByteArray OggPacketReader::read(qint64 length)
{
    // Grown as the bytes arrive: a length read from a damaged file may be huge.
    constexpr qint64 kStep = 64 * 1024;
    QByteArray out;
    while (out.size() < length) {
        const qint64 want = std::min(length - out.size(), kStep);
        const qsizetype at = out.size();
        out.resize(at + static_cast<qsizetype>(want));
        const qint64 got = transfer(out.data() + at, want);
        if (got < want) {
            out.truncate(at + static_cast<qsizetype>(got));
            break;
        }
    }
    return out;
}

bool OggPacketReader::skip(qint64 length)
{
    return transfer(nullptr, length) == length;
}

} // namespace zorvex
