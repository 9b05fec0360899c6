#include "core/common/Cp1250.h"
#include "core/media/BassPlay.h"
#include "platform/audio/GstAudioLibrary.h"
#include "platform/audio/MasterVolume.h"
#include "support/FakeMasterVolume.h"
#include "support/RadioServer.h"
#include "support/SoundFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

using test::RadioServer;

namespace {

// A plain web server on 127.0.0.1 holding one file. Like many small servers
// it knows nothing of ranges: every request, a "Range:" one too, gets the
// whole file from its start with "200 OK".
class FileServer : public QObject {
    Q_OBJECT

public:
    FileServer(QByteArray body, QByteArray type)
        : m_body(std::move(body))
        , m_type(std::move(type))
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                auto* request = new QByteArray;
                connect(socket, &QTcpSocket::disconnected, socket, [socket, request] {
                    delete request;
                    socket->deleteLater();
                });
                connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
                    const bool before = request->contains("\r\n\r\n");
                    *request += socket->readAll();
                    if (before || !request->contains("\r\n\r\n"))
                        return;
                    m_requests << *request;
                    socket->write("HTTP/1.0 200 OK\r\nContent-Type: " + m_type + "\r\nContent-Length: "
                                  + QByteArray::number(m_body.size()) + "\r\n\r\n" + m_body);
                    socket->disconnectFromHost();
                });
            }
        });
        m_server.listen(QHostAddress::LocalHost);
    }

    QString url(const QString& name) const
    {
        return u"http://127.0.0.1:"_s + QString::number(m_server.serverPort()) + u'/' + name;
    }
    QList<QByteArray> requests() const { return m_requests; }

private:
    QTcpServer m_server;
    QByteArray m_body;
    QByteArray m_type;
    QList<QByteArray> m_requests;
};

} // namespace

class TestGstStream : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void radioWithTitles_data();
    void radioWithTitles();
    void oggRadio();
    void fileOverHttpWithoutRanges_data();
    void fileOverHttpWithoutRanges();
    void failures_data();
    void failures();
    void lostStreamEnds_data();
    void lostStreamEnds();

private:
    // A sine tone of `seconds` as Ogg Vorbis; empty without sox.
    QByteArray oggTone(const QString& name, double seconds, const QString& title);

    QTemporaryDir m_dir;
    QByteArray m_audio;
};

void TestGstStream::initTestCase()
{
    qputenv("ZORVEX_AUDIO_SINK", "fakesink");
    QString why;
    if (!GstAudioLibrary::available(&why))
        QSKIP(qPrintable(u"GStreamer: "_s + why));
    QVERIFY(m_dir.isValid());
    const QString wav = m_dir.filePath(u"tone.wav"_s);
    const QString mp3 = m_dir.filePath(u"tone.mp3"_s);
    QVERIFY(test::writeToneWav(wav, 6.0));
    // No Info frame, so the file loops as one endless stream.
    if (!test::encodeMp3(wav, mp3, {u"-b"_s, u"128"_s, u"-t"_s}))
        QSKIP("lame is not installed");
    QFile f(mp3);
    QVERIFY(f.open(QIODevice::ReadOnly));
    m_audio = f.readAll();
}

void TestGstStream::radioWithTitles_data()
{
    QTest::addColumn<QByteArray>("statusLine");
    QTest::newRow("SHOUTcast") << QByteArray("ICY 200 OK");
    QTest::newRow("Icecast") << QByteArray("HTTP/1.0 200 OK");
}

void TestGstStream::radioWithTitles()
{
    QFETCH(QByteArray, statusLine);
    RadioServer server(RadioServer::Mode::Stream, m_audio);
    server.statusLine = statusLine;
    // The second title is sent in the stations' usual code page.
    server.titles = {"Pierwszy", toCp1250(u"Gęślą jaźń")};

    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay radio(lib, 7);
    QStringList texts;
    QStringList titles;
    bool mainThread = true;
    connect(&radio, &BassPlay::statusText, this, [&](const QString& t) { texts << t; });
    connect(&radio, &BassPlay::metadata, this, [&](const QString& t) {
        titles << t;
        mainThread = mainThread && QThread::currentThread() == thread();
    });
    QSignalSpy opened(&radio, &BassPlay::streamOpened);
    radio.setFileName(server.url());
    radio.setVolume(50);
    radio.playUrl(true, QString());
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 15000);
    const auto result = opened.first().at(1).value<StreamOpenResult>();
    QCOMPARE(result.errorText, QString());
    QVERIFY(radio.isPlaying());

    // The buffer filled while the status label was told how far it got.
    QVERIFY(!texts.isEmpty());
    for (const QString& t : std::as_const(texts))
        QVERIFY2(QRegularExpression(u"^Buforowanie\\.\\.\\.( \\d+%)?$"_s).match(t).hasMatch(), qPrintable(t));

    QVERIFY2(result.tags.contains(u"icy-name: Radio Testowe"_s), qPrintable(result.tags.join(u'|')));
    QVERIFY(result.headers.contains(u"icy-br: 128"_s));
    QCOMPARE(radio.titleTagKind(), int(TagKind::Metadata));
    QVERIFY(server.request().contains("User-Agent: ZVX/"));
    QVERIFY(server.request().contains("icy-metadata: 1"));

    QTRY_VERIFY_WITH_TIMEOUT(titles.contains(u"StreamTitle='Gęślą jaźń';"_s), 15000);
    QCOMPARE(titles.first(), u"StreamTitle='Pierwszy';"_s);
    QVERIFY(mainThread);
    QVERIFY(radio.isPlaying());
    radio.close();
}

void TestGstStream::oggRadio()
{
    const QString sox = QStandardPaths::findExecutable(u"sox"_s);
    if (sox.isEmpty())
        QSKIP("sox is not installed");
    const QString ogg = m_dir.filePath(u"tone.ogg"_s);
    QProcess p;
    p.start(sox, {u"-n"_s, u"-r"_s, u"44100"_s, u"-c"_s, u"2"_s, u"--comment"_s, u"title=Utwór z Ogg"_s, ogg,
                  u"synth"_s, u"3"_s, u"sine"_s, u"440"_s});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        QSKIP("sox cannot write Ogg Vorbis here");
    QFile f(ogg);
    QVERIFY(f.open(QIODevice::ReadOnly));

    // Each pass over the file is a new link of a chained Ogg stream.
    RadioServer server(RadioServer::Mode::Stream, f.readAll());
    server.statusLine = "HTTP/1.0 200 OK";
    server.ogg = true;
    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay radio(lib, 7);
    QStringList titles;
    connect(&radio, &BassPlay::metadata, this, [&](const QString& t) { titles << t; });
    QSignalSpy opened(&radio, &BassPlay::streamOpened);
    radio.setFileName(server.url());
    radio.playUrl(true, QString());
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 15000);
    const auto result = opened.first().at(1).value<StreamOpenResult>();
    QCOMPARE(result.errorText, QString());
    // The title is in the comments, so they are the tags and name the kind.
    QVERIFY2(result.tags.contains(u"title=Utwór z Ogg"_s), qPrintable(result.tags.join(u'|')));
    QCOMPARE(radio.titleTagKind(), int(TagKind::Ogg));
    QVERIFY(result.headers.contains(u"icy-name: Radio Testowe"_s));
    QCOMPARE(radio.tags(TagKind::Metadata), std::optional<QStringList>(QStringList{u"title=Utwór z Ogg"_s}));
    radio.close();
}

QByteArray TestGstStream::oggTone(const QString& name, double seconds, const QString& title)
{
    const QString sox = QStandardPaths::findExecutable(u"sox"_s);
    if (sox.isEmpty())
        return {};
    const QString ogg = m_dir.filePath(name);
    QProcess p;
    p.start(sox, {u"-n"_s, u"-r"_s, u"44100"_s, u"-c"_s, u"2"_s, u"--comment"_s, u"title="_s + title, ogg,
                  u"synth"_s, QString::number(seconds), u"sine"_s, u"440"_s});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QFile f(ogg);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestGstStream::fileOverHttpWithoutRanges_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("Ogg Vorbis") << u"ogg"_s;
    QTest::newRow("MP3") << u"mp3"_s;
}

void TestGstStream::fileOverHttpWithoutRanges()
{
    QFETCH(QString, kind);
    // Files, not radio: the server names their length.
    QByteArray body;
    double seconds = 6.0;
    QByteArray type = "audio/mpeg";
    if (kind == u"ogg"_s) {
        seconds = 8.0;
        body = oggTone(u"plik.ogg"_s, seconds, u"Plik z sieci"_s);
        type = "application/ogg";
        if (body.isEmpty())
            QSKIP("sox cannot write Ogg Vorbis here");
    } else {
        body = m_audio;
    }
    FileServer server(body, type);

    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay player(lib, 7);
    QSignalSpy opened(&player, &BassPlay::streamOpened);
    QSignalSpy stopped(&player, &BassPlay::stopped);
    player.setFileName(server.url(u"plik."_s + kind));
    player.playUrl(true, QString());
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 15000);
    const auto result = opened.first().at(1).value<StreamOpenResult>();
    QCOMPARE(result.errorText, QString());

    // Its length and bitrate are known, as for a file on disk.
    QVERIFY2(std::abs(player.length() - seconds) < 0.5, qPrintable(QString::number(player.length())));
    const QRegularExpressionMatch kbps = QRegularExpression(u"^Bitrate: (\\d+)kbps\n"_s).match(player.info());
    QVERIFY2(kbps.hasMatch(), qPrintable(player.info()));
    const double expected = double(body.size()) * 8 / seconds / 1000;
    QVERIFY2(std::abs(kbps.captured(1).toInt() - expected) <= 4, qPrintable(player.info()));

    // It plays on: nothing needs a part of the file from the server.
    QTest::qWait(1500);
    QVERIFY(player.isPlaying());
    QCOMPARE(stopped.count(), 0);
    for (const QByteArray& request : server.requests())
        QVERIFY2(!request.contains("Range: bytes=") || request.contains("Range: bytes=0-"), request.constData());
    player.close();
}

void TestGstStream::failures_data()
{
    QTest::addColumn<int>("mode"); // 0 refuse, 1 silent, 2 no server, 3 fixed address
    QTest::addColumn<QByteArray>("statusLine");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("text");

    QTest::newRow("server full") << 0 << QByteArray("ICY 400 Server Full") << QString() << u"ICY 400"_s;
    QTest::newRow("service unavailable") << 0 << QByteArray("ICY 401 Service Unavailable") << QString()
                                         << u"ICY 401"_s;
    QTest::newRow("not found") << 0 << QByteArray("HTTP/1.0 404 Not Found") << QString() << u"error"_s;
    QTest::newRow("silent server") << 1 << QByteArray() << QString() << u"timed out"_s;
    QTest::newRow("nobody listening") << 2 << QByteArray() << QString() << u"error"_s;
    QTest::newRow("no host") << 3 << QByteArray() << u"http://"_s << u"błędny URL"_s;
    QTest::newRow("no scheme") << 3 << QByteArray() << u"radio bez adresu"_s << u"błędny URL"_s;
}

void TestGstStream::failures()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, statusLine);
    QFETCH(QString, address);
    QFETCH(QString, text);

    std::unique_ptr<RadioServer> server;
    QString url = address;
    if (mode == 0 || mode == 1) {
        server = std::make_unique<RadioServer>(mode == 0 ? RadioServer::Mode::Refuse : RadioServer::Mode::Silent);
        server->statusLine = statusLine;
        url = server->url();
    } else if (mode == 2) {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        url = u"http://127.0.0.1:"_s + QString::number(probe.serverPort()) + u"/"_s;
    }

    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay radio(lib, 7);
    QSignalSpy opened(&radio, &BassPlay::streamOpened);
    radio.setFileName(url);
    radio.playUrl(true, QString());
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 15000);
    QCOMPARE(opened.first().at(1).value<StreamOpenResult>().errorText, text);
    QVERIFY(!radio.isPlaying());
    QVERIFY(!radio.hasChannel());
}

void TestGstStream::lostStreamEnds_data()
{
    QTest::addColumn<bool>("hangUp");
    QTest::newRow("stalls") << false;
    QTest::newRow("hangs up") << true;
}

void TestGstStream::lostStreamEnds()
{
    QFETCH(bool, hangUp);
    RadioServer server(RadioServer::Mode::Stream, m_audio);
    server.limit = 4 * 16000; // four seconds of sound
    server.hangUp = hangUp;

    GstAudioLibrary lib(std::make_shared<FakeMasterVolume>());
    BassPlay radio(lib, 7);
    QSignalSpy opened(&radio, &BassPlay::streamOpened);
    QSignalSpy stopped(&radio, &BassPlay::stopped);
    radio.setFileName(server.url());
    radio.playUrl(true, QString());
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 15000);
    QVERIFY(opened.first().at(1).value<StreamOpenResult>().ok());
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(stopped.count(), 1, 15000);
    QVERIFY2(clock.elapsed() > 500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!radio.isPlaying());
    QVERIFY(!radio.hasChannel());
}

QTEST_GUILESS_MAIN(TestGstStream)
#include "tst_audio_gst_stream.moc"
