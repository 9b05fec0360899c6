#include "FakeSounds.h"
#include "core/media/BassPlay.h"
#include "core/media/PlaybackRules.h"
#include "support/FakeAudioLibrary.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;
using test::bufferedStream;
using test::openResult;

namespace {

constexpr PlaybackTiming kFast{30, 2, 200};

// Waits long enough for several end polls.
void settle(int ms = 150)
{
    QTest::qWait(ms);
}

} // namespace

class TestBassPlay : public QObject {
    Q_OBJECT

private slots:
    void init();
    void missingFilePlaysNothing();
    void endOfPlayFiresStopOnce();
    void stopByState_data();
    void stopByState();
    void encoderEndsBeforeStop_data();
    void encoderEndsBeforeStop();
    void openSeekResume();
    void volumeAtStart_data();
    void volumeAtStart();
    void closeFiresNothing();
    void reopenReleasesTheOldChannel();
    void info();
    void urlErrors_data();
    void urlErrors();
    void prebufferTexts();
    void prebufferGivesUp();
    void emptiedNameEndsPrebuffer();
    void closeWhileOpening();
    void oneOpenAtATime();
    void mainLoopRunsWhileOpening();
    void streamTags_data();
    void streamTags();
    void titlesArriveOnMainThread();

private:
    QString file(const QString& name);

    QTemporaryDir m_dir;
};

void TestBassPlay::init()
{
    QVERIFY(m_dir.isValid());
}

QString TestBassPlay::file(const QString& name)
{
    return test::soundFile(m_dir, name);
}

void TestBassPlay::missingFilePlaysNothing()
{
    FakeAudioLibrary lib;
    BassPlay p(lib, 1, nullptr, kFast);
    QSignalSpy stopped(&p, &BassPlay::stopped);
    p.setFileName(m_dir.filePath(u"brak.mp3"_s));
    p.play(true);
    QVERIFY(!p.isPlaying());
    QVERIFY(!p.hasChannel());
    p.open(false);
    QVERIFY(!p.isPlaying());
    settle();
    QCOMPARE(stopped.count(), 0);
}

void TestBassPlay::endOfPlayFiresStopOnce()
{
    FakeAudioLibrary lib;
    const QString path = file(u"a.mp3"_s);
    lib.setFileLength(path, 2.5);
    BassPlay p(lib, 1, nullptr, kFast);
    QSignalSpy stopped(&p, &BassPlay::stopped);
    p.setFileName(path);
    p.play(true);
    QVERIFY(p.isPlaying());
    QCOMPARE(p.length(), 2.5f);
    settle();
    QCOMPARE(stopped.count(), 0);

    lib.stream(path)->finish();
    QTRY_COMPARE(stopped.count(), 1);
    QCOMPARE(stopped.first().first().value<BassPlay*>(), &p);
    QVERIFY(!p.isPlaying());
    QVERIFY(!p.hasChannel());
    settle();
    QCOMPARE(stopped.count(), 1);
}

void TestBassPlay::stopByState_data()
{
    QTest::addColumn<ChannelState>("state");
    QTest::addColumn<bool>("stopsAtOnce");
    QTest::newRow("playing") << ChannelState::Playing << true;
    // Only an actively playing channel is stopped; a paused or stalled one
    // is left to the next end poll, which releases it.
    QTest::newRow("paused") << ChannelState::Paused << false;
    QTest::newRow("stalled") << ChannelState::Stalled << false;
}

void TestBassPlay::stopByState()
{
    QFETCH(ChannelState, state);
    QFETCH(bool, stopsAtOnce);
    FakeAudioLibrary lib;
    const QString path = file(u"a.mp3"_s);
    BassPlay p(lib, 1, nullptr, kFast);
    QSignalSpy stopped(&p, &BassPlay::stopped);
    p.setFileName(path);
    p.play(true);
    FakeAudioStream* s = lib.stream(path);
    s->setState(state);

    p.stop();
    if (stopsAtOnce) {
        QCOMPARE(stopped.count(), 1);
        QVERIFY(!p.isPlaying());
        QCOMPARE(lib.openStreams(), 0);
    } else {
        QCOMPARE(stopped.count(), 0);
        QVERIFY(p.hasChannel());
        QTRY_COMPARE(stopped.count(), 1);
        QCOMPARE(lib.openStreams(), 0);
    }
    settle();
    QCOMPARE(stopped.count(), 1);
}

void TestBassPlay::encoderEndsBeforeStop_data()
{
    QTest::addColumn<bool>("byStop");
    QTest::newRow("stop") << true;
    QTest::newRow("end of play") << false;
}

void TestBassPlay::encoderEndsBeforeStop()
{
    QFETCH(bool, byStop);
    FakeAudioLibrary lib;
    const QString path = file(u"a.mp3"_s);
    BassPlay p(lib, 7, nullptr, kFast);
    QStringList order;
    connect(&p, &BassPlay::recordingStopped, this, [&] { order << u"rec"_s; });
    connect(&p, &BassPlay::stopped, this, [&] { order << u"stop"_s; });
    p.setFileName(path);
    p.play(true);
    const QStringList argv{u"lame"_s, u"-"_s, u"x.mp3"_s};
    QVERIFY(p.startEncoder(argv));
    FakeAudioStream* s = lib.stream(path);
    QCOMPARE(s->encoderArguments(), argv);
    if (byStop)
        p.stop();
    else
        s->finish();
    QTRY_COMPARE(order, (QStringList{u"rec"_s, u"stop"_s}));
}

void TestBassPlay::openSeekResume()
{
    FakeAudioLibrary lib;
    const QString path = file(u"a.mp3"_s);
    lib.setFileLength(path, 200);
    BassPlay p(lib, 4, nullptr, kFast);
    QSignalSpy stopped(&p, &BassPlay::stopped);
    p.setFileName(path);
    p.setVolume(30);
    p.open(true);
    FakeAudioStream* s = lib.stream(path);
    QVERIFY(s);
    QCOMPARE(s->playCalls(), 0);
    QCOMPARE(s->volume(), 100); // open applies no volume
    QCOMPARE(p.length(), 200.0f);
    p.seek(93.5);
    p.resume();
    QCOMPARE(p.position(), 93.5);
    QCOMPARE(s->playCalls(), 1);
    settle();
    QCOMPARE(stopped.count(), 0);
    QVERIFY(p.isPlaying());
}

void TestBassPlay::volumeAtStart_data()
{
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("channel");
    QTest::newRow("kept") << -1 << 100;
    QTest::newRow("set") << 40 << 40;
    QTest::newRow("silent") << 0 << 0;
}

void TestBassPlay::volumeAtStart()
{
    QFETCH(int, volume);
    QFETCH(int, channel);
    FakeAudioLibrary lib;
    const QString path = file(u"a.mp3"_s);
    BassPlay p(lib, 3, nullptr, kFast);
    p.setFileName(path);
    p.setVolume(volume);
    p.play(true);
    QCOMPARE(lib.stream(path)->volume(), channel);
    p.setChannelVolume(70);
    QCOMPARE(lib.stream(path)->volume(), 70);
    QCOMPARE(p.volume(), volume);
}

void TestBassPlay::closeFiresNothing()
{
    FakeAudioLibrary lib;
    const QString path = file(u"a.mp3"_s);
    BassPlay p(lib, 4, nullptr, kFast);
    QSignalSpy stopped(&p, &BassPlay::stopped);
    p.setFileName(path);
    p.play(true);
    p.close();
    QVERIFY(!p.isPlaying());
    QCOMPARE(lib.openStreams(), 0);
    QVERIFY(!lib.outputStarted());
    settle();
    QCOMPARE(stopped.count(), 0);
}

void TestBassPlay::reopenReleasesTheOldChannel()
{
    FakeAudioLibrary lib;
    BassPlay p(lib, 8, nullptr, kFast);
    for (int i = 0; i < 5; ++i) {
        p.setFileName(file(QString::number(i) + u".mp3"_s));
        p.open(i == 0);
    }
    QCOMPARE(lib.openStreams(), 1);
}

void TestBassPlay::info()
{
    FakeAudioLibrary lib;
    BassPlay p(lib, 4, nullptr, kFast);
    QCOMPARE(p.info(), QString());
    const QString path = file(u"a.mp3"_s);
    lib.setFileLength(path, 10);
    p.setFileName(path);
    p.play(true);
    lib.stream(path)->setFilePositions(0, 160000, 160000);
    QCOMPARE(p.info(), u"Bitrate: 128kbps\n44100Hz stereo"_s);
}

void TestBassPlay::urlErrors_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("statusLine");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("channelError");
    QTest::newRow("opened") << 0 << QString() << QString() << 0;
    QTest::newRow("bad address") << 20 << QString() << u"błędny URL"_s << 20;
    QTest::newRow("time-out") << 40 << QString() << u"timed out"_s << 40;
    QTest::newRow("server full") << 2 << u"400 Server Full"_s << u"ICY 400"_s << 1231;
    QTest::newRow("service unavailable") << 2 << u"401 Service Unavailable"_s << u"ICY 401"_s << 1232;
    QTest::newRow("refused") << 2 << QString() << u"error"_s << 2;
}

void TestBassPlay::urlErrors()
{
    QFETCH(int, error);
    QFETCH(QString, statusLine);
    QFETCH(QString, text);
    QFETCH(int, channelError);
    FakeAudioLibrary lib;
    const QString url = u"http://radio.test:8000/"_s;
    FakeAudioLibrary::UrlScript script = bufferedStream();
    script.error = error;
    script.statusLine = statusLine;
    lib.setUrl(url, script);

    BassPlay p(lib, 7, nullptr, kFast);
    QSignalSpy opened(&p, &BassPlay::streamOpened);
    p.setFileName(url);
    p.playUrl(true, u"jan:x@proxy:3128"_s);
    QVERIFY(p.isOpeningUrl());
    QTRY_COMPARE(opened.count(), 1);
    const StreamOpenResult result = openResult(opened.first());
    QCOMPARE(result.errorText, text);
    QCOMPARE(p.channelError(), channelError);
    QCOMPARE(p.isPlaying(), text.isEmpty());
    QCOMPARE(p.hasChannel(), text.isEmpty());
    QVERIFY(!p.isOpeningUrl());

    const NetworkOptions options = lib.lastOptions();
    QCOMPARE(options.proxy, u"jan:x@proxy:3128"_s);
    QCOMPARE(options.agent, streamAgent());
    QVERIFY(options.agent.startsWith(u"ZVX/"_s));
    QCOMPARE(options.preBufferPercent, 15);
    QCOMPARE(options.bufferMs, 2000);
    QCOMPARE(options.timeoutMs, 5000);
}

void TestBassPlay::prebufferTexts()
{
    FakeAudioLibrary lib;
    const QString url = u"http://radio.test/"_s;
    FakeAudioLibrary::UrlScript script;
    script.total = 32000;
    script.downloaded = 6000; // 19 %
    lib.setUrl(url, script);

    BassPlay p(lib, 7, nullptr, PlaybackTiming{30, 20, 200});
    QStringList texts;
    connect(&p, &BassPlay::statusText, this, [&](const QString& t) { texts << t; });
    QSignalSpy opened(&p, &BassPlay::streamOpened);
    p.setFileName(url);
    p.playUrl(true, QString());
    QTRY_VERIFY(texts.size() >= 2);
    QCOMPARE(texts.first(), u"Buforowanie... 25%"_s);
    QVERIFY(!p.isPlaying());
    QCOMPARE(opened.count(), 0);

    lib.stream(url)->setFilePositions(2000, 27000, 32000); // 78 %: enough
    QTRY_COMPARE(opened.count(), 1);
    QVERIFY(openResult(opened.first()).ok());
    QVERIFY(p.isPlaying());
    QCOMPARE(lib.stream(url)->playCalls(), 1);
    QVERIFY(!texts.contains(u"Buforowanie... 104%"_s)); // the last pass shows nothing
}

void TestBassPlay::prebufferGivesUp()
{
    FakeAudioLibrary lib;
    const QString url = u"http://radio.test/"_s;
    FakeAudioLibrary::UrlScript script;
    script.total = 32000; // nothing ever arrives
    lib.setUrl(url, script);

    BassPlay p(lib, 7, nullptr, PlaybackTiming{30, 1, 200});
    QStringList texts;
    connect(&p, &BassPlay::statusText, this, [&](const QString& t) { texts << t; });
    QSignalSpy opened(&p, &BassPlay::streamOpened);
    p.setFileName(url);
    p.playUrl(true, QString());
    QTRY_COMPARE(opened.count(), 1);
    QCOMPARE(texts.size(), 200);
    QCOMPARE(texts.last(), u"Buforowanie..."_s);
    // Play goes on anyway after the last pass.
    QVERIFY(openResult(opened.first()).ok());
    QVERIFY(p.isPlaying());
}

void TestBassPlay::emptiedNameEndsPrebuffer()
{
    FakeAudioLibrary lib;
    const QString url = u"http://radio.test/"_s;
    FakeAudioLibrary::UrlScript script;
    script.total = 32000;
    lib.setUrl(url, script);

    BassPlay p(lib, 7, nullptr, PlaybackTiming{30, 20, 200});
    QSignalSpy texts(&p, &BassPlay::statusText);
    QSignalSpy opened(&p, &BassPlay::streamOpened);
    p.setFileName(url);
    p.playUrl(true, QString());
    QTRY_VERIFY(texts.count() >= 1);
    p.setFileName(QString());
    QTRY_COMPARE(opened.count(), 1);
    QCOMPARE(openResult(opened.first()).errorText, u"error"_s);
    QVERIFY(!p.isPlaying());
    // The half-open stream is not left behind.
    QCOMPARE(lib.openStreams(), 0);
}

void TestBassPlay::closeWhileOpening()
{
    FakeAudioLibrary lib;
    const QString url = u"http://radio.test/"_s;
    lib.setUrl(url, bufferedStream(true));

    BassPlay p(lib, 7, nullptr, kFast);
    QSignalSpy opened(&p, &BassPlay::streamOpened);
    p.setFileName(url);
    p.playUrl(true, QString());
    QTRY_VERIFY(lib.waiting());
    p.close();
    QCOMPARE(opened.count(), 0); // reported from the event loop, not inside close()
    QTRY_COMPARE(opened.count(), 1);
    QCOMPARE(openResult(opened.first()).errorText, u"error"_s);
    QCOMPARE(lib.openStreams(), 0);

    // The slot is free again.
    lib.setUrl(url, bufferedStream());
    p.setFileName(url);
    p.playUrl(true, QString());
    QTRY_COMPARE(opened.count(), 2);
    QVERIFY(openResult(opened.last()).ok());
}

void TestBassPlay::oneOpenAtATime()
{
    FakeAudioLibrary lib;
    lib.setUrl(u"http://a.test/"_s, bufferedStream(true));
    lib.setUrl(u"http://b.test/"_s, bufferedStream());

    BassPlay first(lib, 7, nullptr, kFast);
    BassPlay second(lib, 4, nullptr, kFast);
    QSignalSpy firstOpened(&first, &BassPlay::streamOpened);
    QSignalSpy secondOpened(&second, &BassPlay::streamOpened);
    first.setFileName(u"http://a.test/"_s);
    first.playUrl(true, QString());
    QTRY_VERIFY(lib.waiting());
    second.setFileName(u"http://b.test/"_s);
    second.playUrl(false, QString());
    QTRY_COMPARE(secondOpened.count(), 1);
    QCOMPARE(openResult(secondOpened.first()).errorText, u"error"_s);
    QCOMPARE(lib.openUrlCalls(), 1);

    lib.release();
    QTRY_COMPARE(firstOpened.count(), 1);
    QVERIFY(openResult(firstOpened.first()).ok());
    QVERIFY(first.isPlaying());
}

void TestBassPlay::mainLoopRunsWhileOpening()
{
    FakeAudioLibrary lib;
    const QString url = u"http://radio.test/"_s;
    lib.setUrl(url, bufferedStream(true));

    BassPlay p(lib, 7, nullptr, kFast);
    QSignalSpy opened(&p, &BassPlay::streamOpened);
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
    ticker.start(10);
    p.setFileName(url);
    p.playUrl(true, QString());
    QTRY_VERIFY(lib.waiting());
    const int before = ticks;
    QTest::qWait(200);
    QVERIFY2(ticks - before >= 5, "the event loop stood still while the address opened");
    QCOMPARE(opened.count(), 0);
    lib.release();
    QTRY_COMPARE(opened.count(), 1);
}

void TestBassPlay::streamTags_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("icy");
    QTest::addColumn<bool>("ogg");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<int>("titleKind");
    QTest::addColumn<bool>("headers");

    const QStringList icyTags{u"icy-name:Radio"_s, u"icy-br:128"_s};
    const QStringList oggTags{u"title=Utwór"_s};
    const QStringList wmaTags{u"Title : Utwór"_s};
    QTest::newRow("ICY") << u"http://r.test/"_s << true << true << icyTags << 5 << true;
    QTest::newRow("Ogg") << u"http://r.test/"_s << false << true << oggTags << 2 << true;
    QTest::newRow("neither") << u"http://r.test/"_s << false << false << QStringList() << 5 << true;
    QTest::newRow("WMA") << u"mms://r.test/live"_s << true << true << wmaTags << 5 << false;
}

void TestBassPlay::streamTags()
{
    QFETCH(QString, url);
    QFETCH(bool, icy);
    QFETCH(bool, ogg);
    QFETCH(QStringList, tags);
    QFETCH(int, titleKind);
    QFETCH(bool, headers);

    FakeAudioLibrary lib;
    FakeAudioLibrary::UrlScript script = bufferedStream();
    const QStringList http{u"Content-Type: audio/mpeg"_s};
    script.tags[TagKind::Http] = http;
    script.tags[TagKind::Wma] = QStringList{u"Title : Utwór"_s};
    if (icy)
        script.tags[TagKind::Icy] = QStringList{u"icy-name:Radio"_s, u"icy-br:128"_s};
    if (ogg)
        script.tags[TagKind::Ogg] = QStringList{u"title=Utwór"_s};
    lib.setUrl(url, script);

    BassPlay p(lib, 7, nullptr, kFast);
    QSignalSpy opened(&p, &BassPlay::streamOpened);
    p.setFileName(url);
    p.playUrl(true, QString());
    QTRY_COMPARE(opened.count(), 1);
    const StreamOpenResult result = openResult(opened.first());
    QVERIFY(result.ok());
    QCOMPARE(result.tags, tags);
    QCOMPARE(result.headers, headers ? http : QStringList());
    QCOMPARE(p.titleTagKind(), titleKind);
}

void TestBassPlay::titlesArriveOnMainThread()
{
    FakeAudioLibrary lib;
    const QString url = u"http://radio.test/"_s;
    lib.setUrl(url, bufferedStream());

    BassPlay p(lib, 7, nullptr, kFast);
    QSignalSpy opened(&p, &BassPlay::streamOpened);
    QStringList titles;
    bool mainThread = true;
    connect(&p, &BassPlay::metadata, this, [&](const QString& t) {
        titles << t;
        mainThread = mainThread && QThread::currentThread() == thread();
    });
    p.setFileName(url);
    p.playUrl(true, QString());
    QTRY_COMPARE(opened.count(), 1);

    FakeAudioStream* s = lib.stream(url);
    s->sendMetadataFromThread(u"StreamTitle='Pierwszy';"_s);
    s->sendMetadataFromThread(u"StreamTitle='Drugi';"_s);
    QTRY_COMPARE(titles, (QStringList{u"StreamTitle='Pierwszy';"_s, u"StreamTitle='Drugi';"_s}));
    QVERIFY(mainThread);

    // A title that was on its way when the channel went is dropped.
    s->sendMetadataFromThread(u"StreamTitle='Spóźniony';"_s);
    p.close();
    settle(50);
    QCOMPARE(titles.size(), 2);
}

QTEST_GUILESS_MAIN(TestBassPlay)
#include "tst_playback_bassplay.moc"
