#pragma once

#include <QByteArray>
#include <QString>

namespace zorvex {

// SNTP client mode (RFC 4330): the request, the checks an answer must pass
// and the clock offset and round-trip delay from its four timestamps.

inline constexpr int kSntpPacketSize = 48;
inline constexpr quint16 kSntpPort = 123;

// NTP timestamps: seconds since 1900 in the high 32 bits, the fraction in
// the low 32 bits. The 32-bit seconds roll over in February 2036; a
// timestamp is read in the era (1900–2036 or 2036–2172) that puts it nearest
// to `pivotUnixMs`, the local clock, so the rollover needs nothing special.
quint64 ntpFromUnixMs(qint64 unixMs);
qint64 unixMsFromNtp(quint64 ntp, qint64 pivotUnixMs);

// A client request (version 3, mode 3) carrying `transmit` as its transmit
// timestamp, which the server copies into the answer's originate field.
QByteArray sntpRequest(quint64 transmit);

enum class SntpVerdict {
    Accepted,
    TooShort,          // fewer than 48 bytes
    NotServerMode,     // mode other than 4
    NotOurRequest,     // originate timestamp other than our transmit time
    Unsynchronised,    // leap indicator 3
    BadStratum,        // stratum above 15
    ZeroTransmit,      // no transmit time
    KissOfDeath,       // stratum 0: the server tells us to stop
};

struct SntpAnswer {
    SntpVerdict verdict = SntpVerdict::TooShort;
    QString kissCode; // the four letters of a kiss-of-death ("RATE", "DENY")
    qint64 offsetMs = 0; // server clock minus ours
    qint64 delayMs = 0;  // round trip without the server's own time
    qint64 serverTransmitMs = 0;
};

// Checks a datagram against the request sent at `sentUnixMs` (carrying
// `sentTransmit`) and received at `receivedUnixMs`, both by our clock.
SntpAnswer readSntpAnswer(const QByteArray& datagram, quint64 sentTransmit, qint64 sentUnixMs,
                          qint64 receivedUnixMs);

} // namespace zorvex
