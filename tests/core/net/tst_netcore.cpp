#include "core/common/Cp1250.h"
#include "core/net/HostPort.h"
#include "core/net/MailAccounts.h"
#include "core/net/MailHeaders.h"
#include "core/net/Pop3Session.h"
#include "core/net/Sntp.h"
#include "core/net/SpeakerSignals.h"
#include "core/net/TimeSynchronizer.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
Q_DECLARE_METATYPE(Pop3Error)

// The parts of the network tools that need no network: server boxes, the
// NTP era, the account file, the new-mail rule, header decoding, the POP3
// dialogue fed by hand and the speaker's signals.
class NetCoreTest : public QObject {
    Q_OBJECT
private slots:
    void hostPort_data();
    void hostPort();
    void ntpEras_data();
    void ntpEras();
    void accountFileRoundTrip();
    void newMail_data();
    void newMail();
    void headerWords_data();
    void headerWords();
    void sender_data();
    void sender();
    void pop3Dialogue_data();
    void pop3Dialogue();
    void certificateProbe_data();
    void certificateProbe();
    void speakerSignals();
    void backoffDoublesUpToAnHour();
};

void NetCoreTest::hostPort_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port"); // 0: refused
    QTest::newRow("host") << "pool.ntp.org" << "pool.ntp.org" << 123;
    QTest::newRow("host and port") << " 127.0.0.1:1123 " << "127.0.0.1" << 1123;
    QTest::newRow("v6 in brackets") << "[::1]:5000" << "::1" << 5000;
    QTest::newRow("bare v6") << "fe80::1" << "fe80::1" << 123;
    QTest::newRow("port 0") << "a:0" << "" << 0;
    QTest::newRow("no host") << ":123" << "" << 0;
    QTest::newRow("blank") << "   " << "" << 0;
}

void NetCoreTest::hostPort()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    const auto hp = parseHostPort(text, 123);
    QCOMPARE(hp.has_value(), port != 0);
    if (hp) {
        QCOMPARE(hp->host, host);
        QCOMPARE(int(hp->port), port);
    }
}

void NetCoreTest::ntpEras_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QDateTime>("pivot");
    const QDateTime now(QDate(2026, 12, 9), QTime(3, 45, 12, 250), Qt::UTC);
    QTest::newRow("now") << now << now;
    QTest::newRow("the last second of era 0") << QDateTime(QDate(2036, 2, 7), QTime(6, 28, 15), Qt::UTC) << now;
    QTest::newRow("the first second of era 1") << QDateTime(QDate(2036, 2, 7), QTime(6, 28, 16), Qt::UTC) << now;
    QTest::newRow("era 1 from a clock in era 1") << QDateTime(QDate(2040, 1, 1), QTime(0, 0), Qt::UTC)
                                                 << QDateTime(QDate(2041, 1, 1), QTime(0, 0), Qt::UTC);
    QTest::newRow("era 0 from a clock in era 1") << QDateTime(QDate(2035, 1, 1), QTime(0, 0), Qt::UTC)
                                                 << QDateTime(QDate(2037, 1, 1), QTime(0, 0), Qt::UTC);
}

void NetCoreTest::ntpEras()
{
    QFETCH(QDateTime, time);
    QFETCH(QDateTime, pivot);
    const qint64 ms = time.toMSecsSinceEpoch();
    QCOMPARE(unixMsFromNtp(ntpFromUnixMs(ms), pivot.toMSecsSinceEpoch()), ms);
}

void NetCoreTest::accountFileRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Poczta_Jan.ini"));
    MailAccount a;
    a.login = QStringLiteral("jan");
    a.password = QStringLiteral("xyz");
    a.server = QStringLiteral("poczta.example.pl:1110");
    a.count = 7;
    a.status = QStringLiteral("Niepoprawny login lub hasło.");
    a.ssl = true;
    a.name = QStringLiteral("Służbowe");
    a.trustedSha256 = QStringLiteral("ab12");
    MailAccount b;
    b.login = QStringLiteral("ola");
    b.server = QStringLiteral("pop.example.org");
    QVERIFY(saveMailAccounts(path, {a, b}));
    // It holds the passwords: nobody but its owner reads it.
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    QCOMPARE(QFile::permissions(path) & others, QFileDevice::Permissions());
    QList<MailAccount> loaded;
    QVERIFY(loadMailAccounts(path, &loaded));
    QCOMPARE(loaded.size(), 2);
    QCOMPARE(loaded[0].name, a.name);
    QCOMPARE(loaded[0].count, 7);
    QVERIFY(loaded[0].status.isEmpty()); // cleared on load
    QVERIFY(loaded[0].ssl);
    QCOMPARE(loaded[0].trustedSha256, a.trustedSha256);
    QCOMPARE(int(loaded[0].target()->port), 1110);
    QCOMPARE(int(loaded[1].target()->port), 110);
    QCOMPARE(loaded[1].label(), QStringLiteral("ola"));
    // A count that is not a number counts as 0; the original's seven fields read.
    const auto old = parseMailAccounts(QStringLiteral("jan%1p%1s%1abc%1%1%1").arg(kListSeparator));
    QCOMPARE(old.size(), 1);
    QCOMPARE(old[0].count, 0);
    QVERIFY(!old[0].ssl);
}

void NetCoreTest::newMail_data()
{
    QTest::addColumn<int>("condition");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addColumn<bool>("hit");
    QTest::newRow("0: positive") << 0 << 2 << 2 << true;
    QTest::newRow("0: none") << 0 << 2 << 0 << false;
    QTest::newRow("1: more") << 1 << 2 << 3 << true;
    QTest::newRow("1: fewer") << 1 << 3 << 2 << false;
    QTest::newRow("2: fewer") << 2 << 3 << 2 << true;
    QTest::newRow("2: same") << 2 << 3 << 3 << false;
}

void NetCoreTest::newMail()
{
    QFETCH(int, condition);
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(bool, hit);
    MailAccount a;
    a.login = QStringLiteral("jan");
    a.server = QStringLiteral("s");
    a.count = before;
    MailAccount b = a;
    b.count = after;
    const auto list = newMailList({a}, {b}, condition);
    QCOMPARE(list.size(), hit ? 1 : 0);
    if (hit)
        QCOMPARE(newMailRow(list[0]), QStringLiteral("[%1] jan").arg(after));
}

void NetCoreTest::headerWords_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QByteArray("Hello") << QStringLiteral("Hello");
    QTest::newRow("B UTF-8") << QByteArray("=?utf-8?b?xbvDs8WCdw==?=") << QStringLiteral("Żółw");
    QTest::newRow("Q ISO-8859-2") << QByteArray("=?ISO-8859-2?Q?=A1=E6_x?=") << QStringLiteral("Ąć x");
    QTest::newRow("adjacent words join") << QByteArray("=?UTF-8?Q?a?= \r\n =?UTF-8?Q?b?=") << QStringLiteral("ab");
    QTest::newRow("text between stays") << QByteArray("=?UTF-8?Q?a?= i =?UTF-8?Q?b?=") << QStringLiteral("a i b");
    QTest::newRow("raw ISO-8859-2") << QByteArray("\xB1\xE6") << QStringLiteral("ąć");
    QTest::newRow("raw UTF-8") << QByteArray("\xC4\x85") << QStringLiteral("ą");
    QTest::newRow("broken word kept") << QByteArray("=?UTF-8?X?abc?=") << QStringLiteral("=?UTF-8?X?abc?=");
    QTest::newRow("windows-1250") << QByteArray("=?windows-1250?Q?=B9?=") << QStringLiteral("ą");
    QTest::newRow("unclosed words kept") << QByteArray("=?a?q?x=?b?q?y") << QStringLiteral("=?a?q?x=?b?q?y");
    QTest::newRow("close only before the word") << QByteArray("a?= =?UTF-8?Q?b") << QStringLiteral("a?= =?UTF-8?Q?b");
}

void NetCoreTest::headerWords()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, text);
    QCOMPARE(decodeHeaderWords(raw), text);
}

void NetCoreTest::sender_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::newRow("quoted") << "\"Kowalski, Jan\" <jk@x.pl>" << "Kowalski, Jan" << "jk@x.pl";
    QTest::newRow("bare name") << "Jan <jk@x.pl>" << "Jan" << "jk@x.pl";
    QTest::newRow("comment") << "jk@x.pl (Jan)" << "Jan" << "jk@x.pl";
    QTest::newRow("address") << "jk@x.pl" << "" << "jk@x.pl";
}

void NetCoreTest::sender()
{
    QFETCH(QString, from);
    QFETCH(QString, name);
    QFETCH(QString, address);
    QString n, a;
    splitSender(from, &n, &a);
    QCOMPARE(n, name);
    QCOMPARE(a, address);
}

// The dialogue fed by hand: `script` alternates the server's answers; the
// session's commands are collected.
void NetCoreTest::pop3Dialogue_data()
{
    QTest::addColumn<bool>("deletion");
    QTest::addColumn<bool>("tryStls");
    QTest::addColumn<QByteArrayList>("answers");
    QTest::addColumn<QByteArray>("commands");
    QTest::addColumn<Pop3Error>("error");
    QTest::addColumn<int>("count");

    QTest::newRow("STLS not offered") << false << true
                                      << QByteArrayList{"+OK hi\r\n", "+OK\r\nUIDL\r\n.\r\n", "+OK\r\n", "+OK\r\n",
                                                        "+OK 0 0\r\n", "+OK bye\r\n"}
                                      << QByteArray("CAPA|USER u|PASS p|STAT|QUIT|") << Pop3Error::None << 0;
    QTest::newRow("no CAPA at all") << false << true
                                    << QByteArrayList{"+OK hi\r\n", "-ERR what\r\n", "+OK\r\n", "-ERR nope\r\n"}
                                    << QByteArray("CAPA|USER u|PASS p|") << Pop3Error::Login << -1;
    QTest::newRow("greeting refused") << false << false << QByteArrayList{"-ERR busy\r\n"} << QByteArray("")
                                      << Pop3Error::Server << -1;
    QTest::newRow("not POP3") << false << false << QByteArrayList{"220 smtp.example ESMTP\r\n"} << QByteArray("")
                              << Pop3Error::Protocol << -1;
    QTest::newRow("line without end") << false << false << QByteArrayList{QByteArray(Pop3Session::kMaxLine + 1, 'x')}
                                      << QByteArray("") << Pop3Error::Protocol << -1;
    QTest::newRow("headers, dot-stuffed")
        << false << false
        << QByteArrayList{"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 20\r\n", "+OK\r\n1 20\r\n.\r\n",
                          "+OK\r\n1 abc\r\n.\r\n", "+OK\r\nSubject: x\r\n..\r\nFrom: y@z\r\n\r\n.\r\n", "+OK\r\n"}
        << QByteArray("USER u|PASS p|STAT|LIST|UIDL|TOP 1 0|QUIT|") << Pop3Error::None << 1;
    QTest::newRow("no LIST: messages by number")
        << false << false
        << QByteArrayList{"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 2 40\r\n", "-ERR\r\n", "-ERR\r\n",
                          "+OK\r\nSubject: a\r\n.\r\n", "+OK\r\nSubject: b\r\n.\r\n", "+OK\r\n"}
        << QByteArray("USER u|PASS p|STAT|LIST|UIDL|TOP 1 0|TOP 2 0|QUIT|") << Pop3Error::None << 2;
    // The count is the server's word: it must not be listed up front.
    QTest::newRow("no LIST, count near the int limit")
        << false << false << QByteArrayList{"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 2147483647 0\r\n", "-ERR\r\n", "-ERR\r\n"}
        << QByteArray("USER u|PASS p|STAT|LIST|UIDL|TOP 1 0|") << Pop3Error::None << 2147483647;
    QTest::newRow("deletion without UIDL refused")
        << true << false << QByteArrayList{"+OK\r\n", "+OK\r\n", "+OK\r\n", "-ERR no uidl\r\n"}
        << QByteArray("USER u|PASS p|UIDL|") << Pop3Error::NoUidl << -1;
    QTest::newRow("deletion refused by DELE")
        << true << false << QByteArrayList{"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK\r\n1 abc\r\n.\r\n", "-ERR locked\r\n"}
        << QByteArray("USER u|PASS p|UIDL|DELE 1|") << Pop3Error::Server << -1;
}

void NetCoreTest::pop3Dialogue()
{
    QFETCH(bool, deletion);
    QFETCH(bool, tryStls);
    QFETCH(QByteArrayList, answers);
    QFETCH(QByteArray, commands);
    QFETCH(Pop3Error, error);
    QFETCH(int, count);
    const Pop3Session::Login login{QStringLiteral("u"), QStringLiteral("p"), tryStls};
    Pop3Session session = deletion ? Pop3Session(login, QList<Pop3Session::Deletion>{{1, QStringLiteral("abc")}})
                                   : Pop3Session(login, true);
    QByteArray sent;
    for (const QByteArray& a : answers) {
        session.received(a);
        sent += session.takeOutput();
    }
    session.connectionClosed();
    sent.replace("\r\n", "|");
    QCOMPARE(sent, commands);
    QCOMPARE(session.result().error, error);
    QCOMPARE(session.result().count, count);
    if (QTest::currentDataTag() == QByteArray("headers, dot-stuffed")) {
        QCOMPARE(session.result().messages.size(), 1);
        // The stuffed ".." line did not end the block early.
        QCOMPARE(session.result().messages[0].summary.subject, QStringLiteral("x"));
        QCOMPARE(session.result().messages[0].summary.address, QStringLiteral("y@z"));
        QCOMPARE(session.result().messages[0].uidl, QStringLiteral("abc"));
        QVERIFY(session.result().finished);
    }
    if (deletion)
        QVERIFY(session.result().deleted.isEmpty()); // nothing applied without QUIT
}

// The account dialog's look at a certificate never logs in, whatever the
// server offers. "<tls>" stands for the finished handshake.
void NetCoreTest::certificateProbe_data()
{
    QTest::addColumn<bool>("tryStls");
    QTest::addColumn<QByteArrayList>("answers");
    QTest::addColumn<QByteArray>("commands");
    QTest::addColumn<bool>("encrypted");

    QTest::newRow("TLS from the start") << false << QByteArrayList{"<tls>", "+OK hi\r\n", "+OK bye\r\n"}
                                        << QByteArray("QUIT|") << true;
    QTest::newRow("STLS") << true
                          << QByteArrayList{"+OK hi\r\n", "+OK\r\nSTLS\r\n.\r\n", "+OK go\r\n", "<tls>",
                                            "+OK bye\r\n"}
                          << QByteArray("CAPA|STLS|QUIT|") << true;
    QTest::newRow("STLS refused") << true
                                  << QByteArrayList{"+OK hi\r\n", "+OK\r\nSTLS\r\n.\r\n", "-ERR no\r\n",
                                                    "+OK bye\r\n"}
                                  << QByteArray("CAPA|STLS|QUIT|") << false;
    QTest::newRow("STLS not offered") << true << QByteArrayList{"+OK hi\r\n", "+OK\r\nUIDL\r\n.\r\n", "+OK\r\n"}
                                      << QByteArray("CAPA|QUIT|") << false;
    QTest::newRow("no CAPA") << true << QByteArrayList{"+OK hi\r\n", "-ERR what\r\n", "+OK\r\n"}
                             << QByteArray("CAPA|QUIT|") << false;
}

void NetCoreTest::certificateProbe()
{
    QFETCH(bool, tryStls);
    QFETCH(QByteArrayList, answers);
    QFETCH(QByteArray, commands);
    QFETCH(bool, encrypted);
    Pop3Session session(Pop3Session::Probe{tryStls});
    QByteArray sent;
    for (const QByteArray& a : answers) {
        if (a == "<tls>") {
            session.tlsStarted();
        } else {
            session.received(a);
        }
        sent += session.takeOutput();
    }
    sent.replace("\r\n", "|");
    QCOMPARE(sent, commands);
    QVERIFY(session.done());
    QCOMPARE(session.result().error, Pop3Error::None);
    QCOMPARE(session.result().encrypted, encrypted);
    QVERIFY(!session.result().loggedIn);
}

void NetCoreTest::speakerSignals()
{
    QCOMPARE(speakerSignal(0), (QList<Tone>{{400, 30}}));
    QCOMPARE(speakerSignal(3).size(), 7);
    QCOMPARE(speakerSignal(6).value(2), (Tone{((2 | 5) * 70) ^ 2, 30}));
    QCOMPARE(speakerSignal(14).size(), 250);
    QCOMPARE(speakerSignal(14).constLast(), (Tone{10, 10}));
    QVERIFY(speakerSignal(15).isEmpty());
    const QByteArray wav = speakerSignalWav(1, 8000);
    QVERIFY(wav.startsWith("RIFF"));
    QCOMPARE(wav.size(), 44 + 8000 * 180 / 1000 * 2);
}

void NetCoreTest::backoffDoublesUpToAnHour()
{
    RetryBackoff b;
    const QDateTime t0(QDate(2026, 1, 1), QTime(12, 0));
    QVERIFY(b.due(t0));
    QList<qint64> waits;
    QDateTime now = t0;
    for (int i = 0; i < 10; ++i) {
        b.failed(now);
        waits << now.msecsTo(b.next()) / 1000;
        now = b.next();
    }
    QCOMPARE(waits, (QList<qint64>{30, 60, 120, 240, 480, 960, 1920, 3600, 3600, 3600}));
    QVERIFY(!b.due(now.addSecs(-1)));
    b.succeeded();
    QVERIFY(b.due(now.addSecs(-1)));
}

QTEST_GUILESS_MAIN(NetCoreTest)
#include "tst_netcore.moc"
