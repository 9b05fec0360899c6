#include "core/media/OggLength.h"

#include <algorithm>

namespace zorvex {
namespace {

constexpr int kPageHeaderSize = 27;
constexpr quint8 kBeginsStream = 0x02;
// The identification header up to its sample rate: 0x01 "vorbis", the
// version, the channels, then the rate.
constexpr qsizetype kIdentificationSize = 16;
// A page on which no packet ends has no granule position of its own.
constexpr qint64 kNoGranule = -1;

quint32 le32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

} // namespace

QByteArrayView OggLength::take(QByteArrayView& data, qint64 wanted)
{
    const QByteArrayView part = data.first(std::min<qint64>(wanted, data.size()));
    data = data.sliced(part.size());
    m_fed += part.size();
    return part;
}

void OggLength::feed(QByteArrayView data)
{
    while (!data.isEmpty()) {
        switch (m_state) {
        case State::NotOgg:
            m_fed += data.size();
            return;
        case State::Header:
            m_pending += take(data, kPageHeaderSize - m_pending.size());
            if (m_pending.size() == kPageHeaderSize)
                headerRead();
            break;
        case State::Lacing:
            m_pending += take(data, kPageHeaderSize + quint8(m_pending[26]) - m_pending.size());
            if (m_pending.size() == kPageHeaderSize + quint8(m_pending[26]))
                lacingRead();
            break;
        case State::Body: {
            const QByteArrayView part = take(data, m_bodyLeft);
            if (m_pageBeginsStream && m_firstPacket.size() < kIdentificationSize)
                m_firstPacket += part.first(std::min(part.size(), kIdentificationSize - m_firstPacket.size()));
            m_bodyLeft -= part.size();
            if (m_bodyLeft == 0)
                pageEnded();
            break;
        }
        }
    }
}

void OggLength::headerRead()
{
    if (!m_pending.startsWith("OggS") || m_pending[4] != 0) {
        m_state = State::NotOgg;
        return;
    }
    m_pageGranule = qint64(quint64(le32(m_pending.constData() + 6)) | quint64(le32(m_pending.constData() + 10)) << 32);
    m_pageSerial = le32(m_pending.constData() + 14);
    m_pageBeginsStream = (quint8(m_pending[5]) & kBeginsStream) != 0;
    m_firstPacket.clear();
    m_state = State::Lacing;
    if (quint8(m_pending[26]) == 0)
        lacingRead();
}

void OggLength::lacingRead()
{
    m_bodyLeft = 0;
    for (qsizetype i = kPageHeaderSize; i < m_pending.size(); ++i)
        m_bodyLeft += quint8(m_pending[i]);
    m_state = State::Body;
    if (m_bodyLeft == 0)
        pageEnded();
}

void OggLength::pageEnded()
{
    m_pending.clear();
    m_state = State::Header;
    if (m_pageBeginsStream) {
        if (!m_haveStream && m_firstPacket.size() == kIdentificationSize && m_firstPacket.startsWith("\x01vorbis")) {
            m_haveStream = true;
            m_serial = m_pageSerial;
            m_rate = int(le32(m_firstPacket.constData() + 12));
            m_headersEnd = m_fed;
        }
        return;
    }
    if (!m_haveStream || m_pageSerial != m_serial || m_pageGranule == kNoGranule)
        return;
    // The comment and setup headers come before any sound and count no time.
    if (m_pageGranule == 0) {
        m_headersEnd = m_fed;
        return;
    }
    m_granule = m_pageGranule;
    m_granuleEnd = m_fed;
}

double OggLength::seconds(qint64 totalBytes) const
{
    if (!m_haveStream || m_rate <= 0 || m_granule <= 0)
        return 0;
    const double soFar = double(m_granule) / m_rate;
    const qint64 soundBytes = m_granuleEnd - m_headersEnd;
    if (m_fed >= totalBytes || soundBytes <= 0)
        return soFar;
    return soFar * double(totalBytes - m_headersEnd) / double(soundBytes);
}

} // namespace zorvex
