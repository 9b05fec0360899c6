#include "core/net/Icmp.h"

#include <QtEndian>

namespace zorvex {

quint16 internetChecksum(QByteArrayView bytes)
{
    quint32 sum = 0;
    qsizetype i = 0;
    for (; i + 1 < bytes.size(); i += 2)
        sum += quint32(uchar(bytes[i])) << 8 | uchar(bytes[i + 1]);
    if (i < bytes.size())
        sum += quint32(uchar(bytes[i])) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(~sum);
}

QByteArray icmpEchoRequest(quint16 identifier, quint16 sequence, QByteArrayView payload)
{
    QByteArray p(8, '\0');
    p[0] = 8; // echo request
    p[1] = 0;
    auto* d = reinterpret_cast<uchar*>(p.data());
    qToBigEndian<quint16>(identifier, d + 4);
    qToBigEndian<quint16>(sequence, d + 6);
    p.append(payload.data(), payload.size());
    qToBigEndian<quint16>(internetChecksum(p), reinterpret_cast<uchar*>(p.data()) + 2);
    return p;
}

IcmpReply readIcmpReply(QByteArrayView packet, bool withIpHeader)
{
    IcmpReply r;
    qsizetype at = 0;
    if (withIpHeader) {
        if (packet.size() < 20 || (uchar(packet[0]) >> 4) != 4)
            return r;
        at = (uchar(packet[0]) & 0x0F) * 4;
        if (at < 20)
            return r;
    }
    if (packet.size() < at + 8)
        return r;
    const auto* d = reinterpret_cast<const uchar*>(packet.data()) + at;
    r.echoReply = d[0] == 0 && d[1] == 0;
    r.identifier = qFromBigEndian<quint16>(d + 4);
    r.sequence = qFromBigEndian<quint16>(d + 6);
    return r;
}

} // namespace zorvex
