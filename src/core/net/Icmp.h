#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace zorvex {

// ICMP echo (RFC 792): the request we send and the check of what comes
// back. A reply counts only when it is an echo reply carrying our
// identifier and sequence number; the source is checked by the caller.

quint16 internetChecksum(QByteArrayView bytes);
QByteArray icmpEchoRequest(quint16 identifier, quint16 sequence, QByteArrayView payload);

struct IcmpReply {
    bool echoReply = false;
    quint16 identifier = 0;
    quint16 sequence = 0;
};
// `withIpHeader`: a raw socket hands over the IPv4 header first; a datagram
// ICMP socket does not.
IcmpReply readIcmpReply(QByteArrayView packet, bool withIpHeader);

} // namespace zorvex
