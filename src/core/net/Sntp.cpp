#include "core/net/Sntp.h"

#include <QtEndian>

#include <algorithm>

namespace zorvex {
namespace {

// Seconds from 1 January 1900 to 1 January 1970.
constexpr qint64 kNtpToUnixSeconds = 2208988800LL;
constexpr qint64 kEraSeconds = 1LL << 32;

quint64 readStamp(const QByteArray& d, int at)
{
    return qFromBigEndian<quint64>(reinterpret_cast<const uchar*>(d.constData()) + at);
}

} // namespace

quint64 ntpFromUnixMs(qint64 unixMs)
{
    const qint64 ms = unixMs + kNtpToUnixSeconds * 1000;
    const qint64 seconds = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    const qint64 rest = ms - seconds * 1000;
    const quint64 fraction = (quint64(rest) << 32) / 1000;
    return (quint64(seconds) & 0xFFFFFFFFu) << 32 | (fraction & 0xFFFFFFFFu);
}

qint64 unixMsFromNtp(quint64 ntp, qint64 pivotUnixMs)
{
    const qint64 seconds = qint64(ntp >> 32);
    const qint64 fractionMs = qint64(((ntp & 0xFFFFFFFFu) * 1000 + (1ull << 31)) >> 32);
    const qint64 pivotNtpSeconds = pivotUnixMs / 1000 + kNtpToUnixSeconds;
    // The era whose copy of `seconds` lies nearest to the pivot.
    const qint64 x = pivotNtpSeconds - seconds + kEraSeconds / 2;
    const qint64 era = x >= 0 ? x / kEraSeconds : -((-x + kEraSeconds - 1) / kEraSeconds);
    const qint64 full = seconds + era * kEraSeconds;
    return (full - kNtpToUnixSeconds) * 1000 + fractionMs;
}

QByteArray sntpRequest(quint64 transmit)
{
    QByteArray packet(kSntpPacketSize, '\0');
    packet[0] = char(0x1B); // leap 0, version 3, mode 3 (client)
    qToBigEndian<quint64>(transmit, reinterpret_cast<uchar*>(packet.data()) + 40);
    return packet;
}

SntpAnswer readSntpAnswer(const QByteArray& d, quint64 sentTransmit, qint64 sentUnixMs, qint64 receivedUnixMs)
{
    SntpAnswer a;
    if (d.size() < kSntpPacketSize) {
        a.verdict = SntpVerdict::TooShort;
        return a;
    }
    const uchar first = uchar(d[0]);
    const int leap = first >> 6;
    const int mode = first & 7;
    const int stratum = uchar(d[1]);
    if (mode != 4) {
        a.verdict = SntpVerdict::NotServerMode;
        return a;
    }
    if (readStamp(d, 24) != sentTransmit) {
        a.verdict = SntpVerdict::NotOurRequest;
        return a;
    }
    if (stratum == 0) {
        a.verdict = SntpVerdict::KissOfDeath;
        a.kissCode = QString::fromLatin1(d.mid(12, 4)).trimmed();
        return a;
    }
    if (leap == 3) {
        a.verdict = SntpVerdict::Unsynchronised;
        return a;
    }
    if (stratum > 15) {
        a.verdict = SntpVerdict::BadStratum;
        return a;
    }
    const quint64 transmit = readStamp(d, 40);
    if (transmit == 0) {
        a.verdict = SntpVerdict::ZeroTransmit;
        return a;
    }
    const qint64 t1 = sentUnixMs;
    const qint64 t2 = unixMsFromNtp(readStamp(d, 32), receivedUnixMs);
    const qint64 t3 = unixMsFromNtp(transmit, receivedUnixMs);
    const qint64 t4 = receivedUnixMs;
    a.verdict = SntpVerdict::Accepted;
    a.offsetMs = ((t2 - t1) + (t3 - t4)) / 2;
    a.delayMs = std::max<qint64>(0, (t4 - t1) - (t3 - t2));
    a.serverTransmitMs = t3;
    return a;
}

} // namespace zorvex
