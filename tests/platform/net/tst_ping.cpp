#include "core/net/Icmp.h"
#include "platform/net/IcmpPinger.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zorvex;
using Method = IcmpPinger::Method;
Q_DECLARE_METATYPE(IcmpPinger::Method)

namespace {

bool socketAllowed(int type)
{
    const int fd = ::socket(AF_INET, type, IPPROTO_ICMP);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

// ICMP echo by each way the system allows: loopback answers, an address of
// the documentation network never does and ends by the short time-out.
class PingTest : public QObject {
    Q_OBJECT
private slots:
    void echo_data();
    void echo();
    void echoPacket();
};

void PingTest::echo_data()
{
    QTest::addColumn<Method>("method");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<bool>("up");
    for (const auto& [method, name] : {std::pair{Method::Datagram, "datagram"}, std::pair{Method::Raw, "raw"},
                                       std::pair{Method::Program, "ping program"},
                                       std::pair{Method::Automatic, "automatic"}}) {
        QTest::addRow("%s, loopback", name) << method << QStringLiteral("127.0.0.1") << true;
        QTest::addRow("%s, never answers", name) << method << QStringLiteral("203.0.113.5") << false;
    }
    QTest::newRow("not an address") << Method::Automatic << QStringLiteral("komputer") << false;
}

void PingTest::echo()
{
    QFETCH(Method, method);
    QFETCH(QString, ip);
    QFETCH(bool, up);
    if (method == Method::Datagram && !socketAllowed(SOCK_DGRAM))
        QSKIP("net.ipv4.ping_group_range does not allow datagram ICMP sockets here");
    if (method == Method::Raw && !socketAllowed(SOCK_RAW))
        QSKIP("no right to raw sockets");
    if (method == Method::Program && QStandardPaths::findExecutable(QStringLiteral("ping")).isEmpty())
        QSKIP("no ping program (scripts/bootstrap installs iputils-ping)");

    IcmpPinger pinger;
    pinger.setMethod(method);
    std::optional<std::pair<bool, bool>> result;
    connect(&pinger, &IcmpPinger::finished, this, [&](bool u, bool failed) { result = {u, failed}; });
    QElapsedTimer clock;
    clock.start();
    pinger.ping(ip, 300);
    QVERIFY(pinger.busy());
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 5000);
    QCOMPARE(result->first, up);
    QVERIFY(!result->second);
    if (!up && method != Method::Program)
        QVERIFY(clock.elapsed() < 2000);
}

void PingTest::echoPacket()
{
    const QByteArray request = icmpEchoRequest(0x1234, 7, "abc");
    QCOMPARE(internetChecksum(request), quint16(0)); // a correct checksum sums to zero
    QByteArray reply = request;
    reply[0] = 0;
    const IcmpReply r = readIcmpReply(reply, false);
    QVERIFY(r.echoReply);
    QCOMPARE(r.identifier, quint16(0x1234));
    QCOMPARE(r.sequence, quint16(7));
    QVERIFY(!readIcmpReply(request, false).echoReply);
    QVERIFY(!readIcmpReply(reply.left(7), false).echoReply);
    QByteArray withHeader(20, '\0');
    withHeader[0] = char(0x45);
    QVERIFY(readIcmpReply(QByteArray(withHeader + reply), true).echoReply);
}

QTEST_GUILESS_MAIN(PingTest)
#include "tst_ping.moc"
