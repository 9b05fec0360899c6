#include "core/media/PlaybackRules.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

class TestPlaybackRules : public QObject {
    Q_OBJECT

private slots:
    void infoText_data();
    void infoText();
    void urlErrors_data();
    void urlErrors();
    void prebuffer_data();
    void prebuffer();
    void wmaUrl_data();
    void wmaUrl();
    void proxy_data();
    void proxy();
    void commandLine_data();
    void commandLine();
};

void TestPlaybackRules::infoText_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<QString>("text");

    QTest::newRow("CBR 128") << qint64(160000) << 10.0 << 44100 << 2 << u"Bitrate: 128kbps\n44100Hz stereo"_s;
    // 129.6 rounds to 130, which is even and stays.
    QTest::newRow("rounded up") << qint64(162000) << 10.0 << 44100 << 2 << u"Bitrate: 130kbps\n44100Hz stereo"_s;
    // 129 is odd and is lowered to 128.
    QTest::newRow("odd lowered") << qint64(161250) << 10.0 << 22050 << 1 << u"Bitrate: 128kbps\n22050Hz mono"_s;
    QTest::newRow("unknown channel count") << qint64(160000) << 10.0 << 48000 << 6 << u"Bitrate: 128kbps\n48000Hz"_s;
    // A live stream has no length; it gets no bitrate rather than a
    // division by zero.
    QTest::newRow("stream without length") << qint64(32000) << 0.0 << 44100 << 2 << u"44100Hz stereo"_s;
    QTest::newRow("nothing known") << qint64(0) << 0.0 << 0 << 0 << QString();
    QTest::newRow("bitrate below 1") << qint64(10) << 100.0 << 0 << 2 << u"stereo"_s;
}

void TestPlaybackRules::infoText()
{
    QFETCH(qint64, bytes);
    QFETCH(double, seconds);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(QString, text);
    QCOMPARE(channelInfoText(bytes, seconds, rate, channels), text);
}

void TestPlaybackRules::urlErrors_data()
{
    QTest::addColumn<int>("libraryError");
    QTest::addColumn<QString>("statusLine");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");

    QTest::newRow("bad address") << 20 << QString() << 20 << u"błędny URL"_s;
    QTest::newRow("time-out") << 40 << QString() << 40 << u"timed out"_s;
    QTest::newRow("server full") << 2 << u"400 Server Full"_s << 1231 << u"ICY 400"_s;
    QTest::newRow("service unavailable") << 2 << u"401 Service Unavailable"_s << 1232 << u"ICY 401"_s;
    QTest::newRow("HTTP 503") << 2 << u"503 Service Unavailable"_s << 1232 << u"ICY 401"_s;
    QTest::newRow("not found") << 2 << u"404 Not Found"_s << 2 << u"error"_s;
    QTest::newRow("unknown") << -1 << QString() << -1 << u"error"_s;
    QTest::newRow("format") << 41 << QString() << 41 << u"error"_s;
}

void TestPlaybackRules::urlErrors()
{
    QFETCH(int, libraryError);
    QFETCH(QString, statusLine);
    QFETCH(int, code);
    QFETCH(QString, text);
    const int got = urlErrorCode(libraryError, serverStatusMark(statusLine));
    QCOMPARE(got, code);
    QCOMPARE(urlErrorText(false, got), text);
    QCOMPARE(urlErrorText(true, got), QString());
}

void TestPlaybackRules::prebuffer_data()
{
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("downloaded");
    QTest::addColumn<qint64>("decoded");
    QTest::addColumn<int>("fill");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << qint64(32000) << qint64(0) << qint64(0) << 0 << u"Buforowanie..."_s;
    QTest::newRow("behind the decoder") << qint64(32000) << qint64(100) << qint64(200) << 0 << u"Buforowanie..."_s;
    QTest::newRow("a quarter") << qint64(32000) << qint64(9000) << qint64(1000) << 25 << u"Buforowanie... 33%"_s;
    QTest::newRow("just enough") << qint64(32000) << qint64(24000) << qint64(0) << 75 << u"Buforowanie... 100%"_s;
    // 0.4 % rounds to 0 and shows without a number.
    QTest::newRow("a trace") << qint64(32000) << qint64(128) << qint64(0) << 0 << u"Buforowanie..."_s;
    QTest::newRow("unknown total") << qint64(0) << qint64(3) << qint64(2) << 100 << u"Buforowanie... 133%"_s;
}

void TestPlaybackRules::prebuffer()
{
    QFETCH(qint64, total);
    QFETCH(qint64, downloaded);
    QFETCH(qint64, decoded);
    QFETCH(int, fill);
    QFETCH(QString, text);
    QCOMPARE(prebufferFill(total, downloaded, decoded), fill);
    QCOMPARE(prebufferText(fill), text);
}

void TestPlaybackRules::wmaUrl_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("wma");
    QTest::newRow("mms") << u"mms://radio.example/live"_s << true;
    QTest::newRow("upper-case MMS") << u"MMS://radio.example/live"_s << true;
    QTest::newRow("wma file") << u"http://radio.example/stream.Wma"_s << true;
    QTest::newRow("mp3 stream") << u"http://radio.example:8000/"_s << false;
}

void TestPlaybackRules::wmaUrl()
{
    QFETCH(QString, url);
    QFETCH(bool, wma);
    QCOMPARE(isWmaUrl(url), wma);
}

void TestPlaybackRules::proxy_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("authenticate");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("splitPort");

    QTest::newRow("off") << false << u"8080"_s << true << u"x"_s << QString() << 0;
    QTest::newRow("host only") << true << QString() << false << QString() << u"proxy.lan"_s << 0;
    QTest::newRow("host and port") << true << u"8080"_s << false << QString() << u"proxy.lan:8080"_s << 8080;
    QTest::newRow("login") << true << u"3128"_s << true << u"tajne"_s << u"jan:tajne@proxy.lan:3128"_s << 3128;
    // The password may hold the separators themselves.
    QTest::newRow("password with @ and :") << true << u"3128"_s << true << u"a@b:c"_s << u"jan:a@b:c@proxy.lan:3128"_s
                                           << 3128;
}

void TestPlaybackRules::proxy()
{
    QFETCH(bool, on);
    QFETCH(QString, port);
    QFETCH(bool, authenticate);
    QFETCH(QString, password);
    QFETCH(QString, text);
    QFETCH(int, splitPort);

    const ProxySettings settings{on, u"proxy.lan"_s, port, authenticate, u"jan"_s, password};
    QCOMPARE(proxyText(settings), text);
    if (text.isEmpty())
        return;
    const ProxyParts parts = splitProxyText(text);
    QCOMPARE(parts.host, u"proxy.lan"_s);
    QCOMPARE(parts.port, splitPort);
    QCOMPARE(parts.user, authenticate ? u"jan"_s : QString());
    QCOMPARE(parts.password, password);
}

void TestPlaybackRules::commandLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("argv");

    QTest::newRow("program on the path")
        << u"lame -m s -b 128 - \"/home/jan/Radio/Stacja - Tytuł.mp3\""_s
        << QStringList{u"lame"_s, u"-m"_s, u"s"_s, u"-b"_s, u"128"_s, u"-"_s, u"/home/jan/Radio/Stacja - Tytuł.mp3"_s};
    // The encoder's path is written unquoted; its folder may hold spaces.
    QTest::newRow("unquoted path with spaces")
        << u"/home/jan/Moje dane/lame -b 128 - \"/tmp/a b.mp3\""_s
        << QStringList{u"/home/jan/Moje dane/lame"_s, u"-b"_s, u"128"_s, u"-"_s, u"/tmp/a b.mp3"_s};
    QTest::newRow("quoted program") << u"\"/opt/my lame/lame\" -v - \"x.mp3\""_s
                                    << QStringList{u"/opt/my lame/lame"_s, u"-v"_s, u"-"_s, u"x.mp3"_s};
    QTest::newRow("unknown program") << u"/nowhere/enc -b 128"_s
                                     << QStringList{u"/nowhere/enc"_s, u"-b"_s, u"128"_s};
}

void TestPlaybackRules::commandLine()
{
    QFETCH(QString, line);
    QFETCH(QStringList, argv);
    const auto isProgram = [](const QString& path) {
        return path == u"lame"_s || path == u"/home/jan/Moje dane/lame"_s;
    };
    QCOMPARE(splitCommandLine(line, isProgram), argv);
}

QTEST_GUILESS_MAIN(TestPlaybackRules)
#include "tst_playback_rules.moc"
