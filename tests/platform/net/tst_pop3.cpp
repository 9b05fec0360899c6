#include "core/net/Pop3Session.h"
#include "platform/net/Pop3Connection.h"
#include "support/DovecotProcess.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace zorvex;

Q_DECLARE_METATYPE(Pop3Error)

namespace {

QByteArray message(int i, const QByteArray& from, const QByteArray& subject)
{
    return "From: " + from + "\r\nTo: jan@example.org\r\nSubject: " + subject
        + "\r\nDate: Wed, 09 Dec 2026 10:0" + QByteArray::number(i) + ":00 +0100\r\n\r\nTreść " + QByteArray::number(i)
        + "\r\n";
}

// A server that speaks POP3 up to a point of the test's choosing and then
// closes the connection or goes quiet.
class BrokenPop3Server : public QObject {
public:
    enum Fault { CloseInList, StallInList, StallAtGreeting };
    explicit BrokenPop3Server(Fault fault)
        : m_fault(fault)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            m_client = m_server.nextPendingConnection();
            if (m_fault != StallAtGreeting)
                m_client->write("+OK ready\r\n");
            connect(m_client, &QTcpSocket::readyRead, this, [this] { serve(); });
        });
    }
    quint16 port() const { return m_server.serverPort(); }

private:
    void serve()
    {
        while (m_client->canReadLine()) {
            const QByteArray cmd = m_client->readLine().trimmed();
            if (cmd.startsWith("USER") || cmd.startsWith("PASS")) {
                m_client->write("+OK\r\n");
            } else if (cmd == "STAT") {
                m_client->write("+OK 3 300\r\n");
            } else if (cmd == "LIST") {
                m_client->write("+OK\r\n1 100\r\n");
                if (m_fault == CloseInList)
                    m_client->disconnectFromHost();
                return;
            }
        }
    }
    Fault m_fault;
    QTcpServer m_server;
    QTcpSocket* m_client = nullptr;
};

} // namespace

// The POP3 dialogue against Debian's Dovecot on loopback: plain, STLS and
// POP3S, trusted by the system, by fingerprint, or not at all; headers;
// wrong passwords; deletion after another client changed the mailbox; and
// servers that break off.
class Pop3Test : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void check_data();
    void check();
    void headersAreFetchedAndDecoded();
    void deletionFindsMessagesByUniqueId();
    void deletionOfAMessageGoneMeanwhile();
    void brokenServers_data();
    void brokenServers();

private:
    Pop3Session::Result runCheck(Pop3Connection::Target target, const QString& password, bool tryStls,
                                 bool headers = false, int timeoutMs = 10000, QString* peerSha256 = nullptr);
    Pop3Session::Result runDelete(const QList<Pop3Session::Deletion>& deletions);
    DovecotProcess m_dovecot;
};

void Pop3Test::initTestCase()
{
    QString error;
    QVERIFY2(m_dovecot.start({{QStringLiteral("jan"), QStringLiteral("tajne")}}, &error), qPrintable(error));
    m_dovecot.addMessage(QStringLiteral("jan"), QStringLiteral("1001.M1P1.test"),
                         message(1, "=?UTF-8?B?WmHFvMOzxYLEhw==?= <ala@example.org>", "Pierwsza"));
    m_dovecot.addMessage(QStringLiteral("jan"), QStringLiteral("1002.M1P1.test"),
                         message(2, "\"Kowalski, Jan\" <jk@example.org>",
                                 "=?ISO-8859-2?Q?=A3=F3d=BC?= =?UTF-8?Q?_i_g=C4=99=C5=9B?="));
    m_dovecot.addMessage(QStringLiteral("jan"), QStringLiteral("1003.M1P1.test"),
                         message(3, "ola@example.org (Ola)", "Trzecia"));
}

Pop3Session::Result Pop3Test::runCheck(Pop3Connection::Target target, const QString& password, bool tryStls,
                                       bool headers, int timeoutMs, QString* peerSha256)
{
    Pop3Connection connection;
    connection.setReadTimeoutMs(timeoutMs);
    std::optional<Pop3Session::Result> result;
    connect(&connection, &Pop3Connection::finished, this, [&](const Pop3Session::Result& r) { result = r; });
    connection.run(target, std::make_unique<Pop3Session>(
                               Pop3Session::Login{QStringLiteral("jan"), password, tryStls}, headers));
    if (!QTest::qWaitFor([&] { return result.has_value(); }, 20000))
        return {};
    if (peerSha256)
        *peerSha256 = connection.peerSha256();
    return *result;
}

void Pop3Test::check_data()
{
    QTest::addColumn<bool>("implicitTls");
    QTest::addColumn<bool>("tryStls");
    QTest::addColumn<bool>("trust");
    QTest::addColumn<QString>("password");
    QTest::addColumn<Pop3Error>("error");
    QTest::addColumn<bool>("encrypted");

    const QString good = QStringLiteral("tajne");
    QTest::newRow("plain") << false << false << false << good << Pop3Error::None << false;
    QTest::newRow("STLS, trusted by fingerprint") << false << true << true << good << Pop3Error::None << true;
    QTest::newRow("STLS, untrusted") << false << true << false << good << Pop3Error::Untrusted << false;
    QTest::newRow("POP3S, trusted by fingerprint") << true << false << true << good << Pop3Error::None << true;
    QTest::newRow("POP3S, untrusted") << true << false << false << good << Pop3Error::Untrusted << false;
    QTest::newRow("wrong password") << false << false << false << QStringLiteral("zle") << Pop3Error::Login << false;
    QTest::newRow("wrong password over TLS") << true << false << true << QStringLiteral("zle") << Pop3Error::Login
                                             << true;
}

void Pop3Test::check()
{
    QFETCH(bool, implicitTls);
    QFETCH(bool, tryStls);
    QFETCH(bool, trust);
    QFETCH(QString, password);
    QFETCH(Pop3Error, error);
    QFETCH(bool, encrypted);

    Pop3Connection::Target target{QStringLiteral("127.0.0.1"), implicitTls ? m_dovecot.sslPort() : m_dovecot.plainPort(),
                                  implicitTls, trust ? m_dovecot.fingerprint() : QString()};
    QString peer;
    const Pop3Session::Result r = runCheck(target, password, tryStls, false, 10000, &peer);
    QCOMPARE(r.error, error);
    QCOMPARE(r.encrypted, encrypted);
    // The certificate shown, trusted or not, is what the account dialog offers.
    QCOMPARE(peer, encrypted || error == Pop3Error::Untrusted ? m_dovecot.fingerprint() : QString());
    QCOMPARE(r.loggedIn, error == Pop3Error::None);
    QCOMPARE(r.count, error == Pop3Error::None ? 3 : -1);
    if (error == Pop3Error::Login)
        QCOMPARE(pop3ErrorText(r.error, r.detail), QStringLiteral("Niepoprawny login lub hasło."));
}

void Pop3Test::headersAreFetchedAndDecoded()
{
    const Pop3Session::Result r =
        runCheck({QStringLiteral("127.0.0.1"), m_dovecot.plainPort(), false, {}}, QStringLiteral("tajne"), false, true);
    QCOMPARE(r.error, Pop3Error::None);
    QCOMPARE(r.messages.size(), 3);
    QCOMPARE(r.messages[0].summary.name, QStringLiteral("Zażółć"));
    QCOMPARE(r.messages[0].summary.address, QStringLiteral("ala@example.org"));
    QCOMPARE(r.messages[1].summary.name, QStringLiteral("Kowalski, Jan"));
    // Adjacent encoded words join without the blank between them.
    QCOMPARE(r.messages[1].summary.subject, QStringLiteral("Łódź i gęś"));
    QCOMPARE(r.messages[2].summary.name, QStringLiteral("Ola"));
    QCOMPARE(r.messages[2].summary.address, QStringLiteral("ola@example.org"));
    QVERIFY(r.messages[0].summary.date.isValid());
    for (const Pop3Message& m : r.messages) {
        QVERIFY(m.size > 0);
        QVERIFY(!m.uidl.isEmpty());
    }
}

Pop3Session::Result Pop3Test::runDelete(const QList<Pop3Session::Deletion>& deletions)
{
    Pop3Connection connection;
    std::optional<Pop3Session::Result> result;
    connect(&connection, &Pop3Connection::finished, this, [&](const Pop3Session::Result& r) { result = r; });
    connection.run({QStringLiteral("127.0.0.1"), m_dovecot.plainPort(), false, {}},
                   std::make_unique<Pop3Session>(Pop3Session::Login{QStringLiteral("jan"), QStringLiteral("tajne"), false},
                                                 deletions));
    if (!QTest::qWaitFor([&] { return result.has_value(); }, 20000))
        return {};
    return *result;
}

void Pop3Test::deletionFindsMessagesByUniqueId()
{
    m_dovecot.addMessage(QStringLiteral("jan"), QStringLiteral("1004.M1P1.test"), message(4, "x@example.org", "Czwarta"));
    m_dovecot.addMessage(QStringLiteral("jan"), QStringLiteral("1005.M1P1.test"), message(5, "y@example.org", "Piąta"));
    const Pop3Session::Result seen =
        runCheck({QStringLiteral("127.0.0.1"), m_dovecot.plainPort(), false, {}}, QStringLiteral("tajne"), false, true);
    QCOMPARE(seen.messages.size(), 5);
    // Another client deletes message 4 after our check: message 5 is now
    // number 4, and a DELE by the old number would hit the wrong one.
    const QList<Pop3Session::Deletion> other{{4, seen.messages[3].uidl}};
    QCOMPARE(runDelete(other).deleted, QList<int>{0});
    const Pop3Session::Result r = runDelete({{5, seen.messages[4].uidl}});
    QVERIFY(r.finished);
    QCOMPARE(r.error, Pop3Error::None);
    QCOMPARE(r.deleted, QList<int>{0});
    const Pop3Session::Result after =
        runCheck({QStringLiteral("127.0.0.1"), m_dovecot.plainPort(), false, {}}, QStringLiteral("tajne"), false, true);
    QCOMPARE(after.count, 3);
    QStringList subjects;
    for (const Pop3Message& m : after.messages)
        subjects << m.summary.subject;
    QCOMPARE(subjects, (QStringList{QStringLiteral("Pierwsza"), QStringLiteral("Łódź i gęś"), QStringLiteral("Trzecia")}));
}

void Pop3Test::deletionOfAMessageGoneMeanwhile()
{
    // A unique id the server no longer has: nothing is deleted in its place.
    const Pop3Session::Result r = runDelete({{1, QStringLiteral("no-such-id")}});
    QVERIFY(r.finished);
    QCOMPARE(r.deleted, QList<int>{0});
    QCOMPARE(m_dovecot.messageCount(QStringLiteral("jan")), 3);
}

void Pop3Test::brokenServers_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<Pop3Error>("error");
    QTest::addColumn<int>("count");
    // After the count was read the check keeps it and reports nothing.
    QTest::newRow("drops mid-list") << int(BrokenPop3Server::CloseInList) << Pop3Error::None << 3;
    QTest::newRow("stalls mid-list") << int(BrokenPop3Server::StallInList) << Pop3Error::None << 3;
    QTest::newRow("stalls before the greeting") << int(BrokenPop3Server::StallAtGreeting) << Pop3Error::Timeout << -1;
}

void Pop3Test::brokenServers()
{
    QFETCH(int, fault);
    QFETCH(Pop3Error, error);
    QFETCH(int, count);
    BrokenPop3Server server{BrokenPop3Server::Fault(fault)};
    const Pop3Session::Result r =
        runCheck({QStringLiteral("127.0.0.1"), server.port(), false, {}}, QStringLiteral("x"), false, true, 300);
    QCOMPARE(r.error, error);
    QCOMPARE(r.count, count);
    if (error == Pop3Error::Timeout)
        QCOMPARE(pop3ErrorText(r.error, r.detail), QStringLiteral("Przekroczono czas oczekiwania."));
}

QTEST_GUILESS_MAIN(Pop3Test)
#include "tst_pop3.moc"
