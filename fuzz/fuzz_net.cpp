// What comes from the network and the mail and ping lists: the first byte
// picks the reader, the rest is its input. POP3 server bytes drive the whole
// session, in pieces of the size the second byte gives, as a socket would
// deliver them.
#include "FuzzInput.h"

#include "core/net/Icmp.h"
#include "core/net/MailAccounts.h"
#include "core/net/MailHeaders.h"
#include "core/net/PingHosts.h"
#include "core/net/Pop3Session.h"
#include "core/net/Sntp.h"

#include <QtEndian>

using namespace zorvex;

namespace {

Pop3Session makeSession(quint8 mode)
{
    const Pop3Session::Login login{QStringLiteral("ala"), QStringLiteral("kot"), (mode & 1) != 0};
    switch ((mode >> 1) % 4) {
    case 0: return Pop3Session(login, false);
    case 1: return Pop3Session(login, true);
    case 2:
        return Pop3Session(login, QList<Pop3Session::Deletion>{{1, QStringLiteral("uid-1")}, {2, {}},
                                                               {7, QStringLiteral("x")}});
    default: return Pop3Session(Pop3Session::Probe{(mode & 1) != 0});
    }
}

void pop3(QByteArrayView in)
{
    if (in.isEmpty())
        return;
    const quint8 mode = quint8(in[0]);
    in = in.sliced(1);
    Pop3Session s = makeSession(mode);
    const qsizetype piece = 1 + (mode >> 3) * 5;
    while (!in.isEmpty() && !s.done()) {
        const qsizetype n = qMin(piece, in.size());
        s.received(in.first(n));
        in = in.sliced(n);
        (void)s.takeOutput();
        if (s.wantsTls())
            s.tlsStarted();
    }
    s.connectionClosed();
    const Pop3Session::Result& r = s.result();
    (void)pop3ErrorText(r.error, r.detail);
    for (const Pop3Message& m : r.messages)
        (void)mailDateText(m.summary);
}

void headers(QByteArrayView in)
{
    const MailSummary m = readMailSummary(in);
    (void)mailDateText(m);
    QString name, address;
    splitSender(decodeHeaderWords(in), &name, &address);
    (void)decodeRawHeader(in);
    // A charset name as a header's encoded word would carry it.
    const qsizetype cut = in.indexOf('?');
    if (cut >= 0)
        (void)decodeCharset(in.sliced(cut + 1), in.first(cut));
}

void sntp(QByteArrayView in)
{
    const QByteArray datagram = in.toByteArray();
    // Half the inputs carry our own transmit time, so the checks after the
    // originate one are reached too.
    quint64 sent = ntpFromUnixMs(1'765'000'000'000LL);
    if (datagram.size() >= 32 && (datagram[0] & 0x80))
        sent = qFromBigEndian<quint64>(datagram.constData() + 24);
    const qint64 sentMs = 1'765'000'000'000LL;
    const SntpAnswer a = readSntpAnswer(datagram, sent, sentMs, sentMs + 40);
    (void)a;
    (void)sntpRequest(sent);
}

void icmp(QByteArrayView in)
{
    (void)readIcmpReply(in, true);
    (void)readIcmpReply(in, false);
    (void)internetChecksum(in);
}

void pingHosts(const uint8_t* data, size_t size)
{
    QList<PingHost> hosts;
    if (!loadPingHosts(fuzz::inputFile(data, size), &hosts))
        return;
    QList<PingHost> after = hosts;
    for (qsizetype i = 0; i < after.size(); ++i) {
        after[i].status = i % 2 ? 1 : 0;
        (void)alignedIp(after[i].ip);
        (void)formatPingHost(after[i]);
    }
    (void)pingBalloonText(pingChanges(hosts, after));
    if (hosts.size() >= 2) {
        (void)pingRange(hosts[0].ip, hosts[1].ip);
        (void)rangeEndToStore(hosts[0].ip, hosts[1].ip);
    }
}

void mailAccounts(const uint8_t* data, size_t size)
{
    QList<MailAccount> accounts;
    if (!loadMailAccounts(fuzz::inputFile(data, size), &accounts))
        return;
    for (const MailAccount& a : accounts)
        (void)a.target();
    const QList<MailAccount> again = parseMailAccounts(formatMailAccounts(accounts));
    for (int condition = 0; condition < 3; ++condition) {
        for (const NewMail& m : newMailList(again, accounts, condition))
            (void)newMailRow(m);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView in(data + 1, qsizetype(size - 1));
    switch (data[0] % 6) {
    case 0: pop3(in); break;
    case 1: headers(in); break;
    case 2: sntp(in); break;
    case 3: icmp(in); break;
    case 4: pingHosts(data + 1, size - 1); break;
    default: mailAccounts(data + 1, size - 1); break;
    }
    return 0;
}
