#include "FakeSounds.h"
#include "core/media/BassPlaySet.h"
#include "core/media/MusicPlayer.h"
#include "core/media/Playlist.h"
#include "support/FakeAudioLibrary.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <deque>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

namespace {

// Random draws the test chooses: each call takes the next, modulo n.
struct ScriptedRandom {
    std::deque<int> draws;
    int calls = 0;
    int operator()(int n)
    {
        ++calls;
        if (draws.empty())
            return 0;
        const int d = draws.front();
        draws.pop_front();
        return d % n;
    }
};

} // namespace

class TestMusicPlayer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void playsInOrderAndWraps();
    void skipsMissingAndUndecodable_data();
    void skipsMissingAndUndecodable();
    void onlyMissingFilesDoNothing();
    void badFileAnsweredLaterThenGoodOnes();
    void staleAnswerIsDropped_data();
    void staleAnswerIsDropped();
    void passWhereAllFailStops_data();
    void passWhereAllFailStops();
    void stopDoesNotAdvance();
    void pauseResumesFromTheBar_data();
    void pauseResumesFromTheBar();
    void randomHistory();
    void randomDrawEndsWithDuplicatePaths();
    void randomWithOneEntryReplays();
    void playingCompletesTheEntry();
    void autoPlayPosition_data();
    void autoPlayPosition();
    void resumePointWhilePaused();

private:
    QString add(const QString& name, double seconds = 100, bool exists = true);
    FakeAudioStream* playing();
    // Plays the current stream to its end, as the 100 ms tick sees it.
    void finishCurrent();
    // Lets the decoder's answers in until no start is pending.
    void settle();

    QTemporaryDir m_dir;
    std::unique_ptr<FakeAudioLibrary> m_lib;
    std::unique_ptr<BassPlaySet> m_set;
    Playlist m_list;
    ScriptedRandom m_random;
    std::unique_ptr<MusicPlayer> m_player;
};

void TestMusicPlayer::init()
{
    QVERIFY(m_dir.isValid());
    m_lib = std::make_unique<FakeAudioLibrary>();
    PlaybackTiming timing;
    timing.endPollMs = 2;
    m_set = std::make_unique<BassPlaySet>(*m_lib, nullptr, timing);
    m_list.clear();
    m_random = {};
    m_player = std::make_unique<MusicPlayer>(
        *m_set, m_list, [](const QString& p) { return QFileInfo(p).isFile(); },
        [this](int n) { return m_random(n); });
}

void TestMusicPlayer::cleanup()
{
    m_player.reset();
    m_set.reset();
    m_lib.reset();
}

QString TestMusicPlayer::add(const QString& name, double seconds, bool exists)
{
    const QString path = exists ? test::soundFile(m_dir, name) : m_dir.filePath(name);
    m_lib->setFileLength(path, seconds);
    m_list.append(PlaylistEntry{path, name, u"-1"_s, u"-1"_s});
    return path;
}

FakeAudioStream* TestMusicPlayer::playing()
{
    const QString name = m_set->player(BassPlaySet::Music).channelName();
    return m_set->player(BassPlaySet::Music).hasChannel() ? m_lib->stream(name) : nullptr;
}

void TestMusicPlayer::finishCurrent()
{
    FakeAudioStream* s = playing();
    QVERIFY(s);
    s->seek(s->lengthSeconds());
    m_player->tick();
    const int opens = m_lib->openFileCalls();
    s->finish();
    // The end poll of the component notices it, and the next one opens.
    QTRY_VERIFY(m_lib->openFileCalls() > opens);
    settle();
}

void TestMusicPlayer::settle()
{
    QTRY_VERIFY(!m_player->starting());
}

void TestMusicPlayer::playsInOrderAndWraps()
{
    const QString a = add(u"a.mp3"_s);
    const QString b = add(u"b.mp3"_s);
    m_list.selectOnly(0);
    m_player->play();
    settle();
    QCOMPARE(m_player->state(), PlayerState::Playing);
    QCOMPARE(m_player->shownPath(), a);
    QCOMPARE(m_list.current(), 0);
    finishCurrent();
    QCOMPARE(m_player->shownPath(), b);
    QCOMPARE(m_list.current(), 1);
    QCOMPARE(m_list.selectedIndexes(), QList<int>{1});
    m_player->next();
    settle();
    QCOMPARE(m_list.current(), 0); // after the last comes the first
    m_player->previous();
    settle();
    QCOMPARE(m_list.current(), 1);
    m_player->previous();
    settle();
    QCOMPARE(m_list.current(), 0);
    QCOMPARE(m_lib->openStreams(), 1);
}

void TestMusicPlayer::skipsMissingAndUndecodable_data()
{
    QTest::addColumn<bool>("undecodable");
    QTest::newRow("missing") << false;
    QTest::newRow("undecodable") << true;
}

void TestMusicPlayer::skipsMissingAndUndecodable()
{
    QFETCH(bool, undecodable);
    const QString bad1 = add(u"bad1.mp3"_s, 100, undecodable);
    const QString bad2 = add(u"bad2.mp3"_s, 100, undecodable);
    const QString good = add(u"good.mp3"_s);
    if (undecodable) {
        m_lib->setUndecodable(bad1);
        m_lib->setUndecodable(bad2);
    }
    m_list.selectOnly(0);
    m_player->play();
    settle();
    QCOMPARE(m_player->shownPath(), good);
    QCOMPARE(m_list.current(), 2);
    // Backwards from the good one over the bad ones: round to itself.
    m_player->previous();
    settle();
    QCOMPARE(m_list.current(), 2);
    QCOMPARE(m_player->state(), PlayerState::Playing);
    // With nothing left that starts, one pass and the player stops.
    m_lib->setUndecodable(good);
    const int opens = m_lib->openFileCalls();
    m_player->next();
    settle();
    QCOMPARE(m_player->state(), PlayerState::Stopped);
    QVERIFY(m_lib->openFileCalls() - opens <= 3);
    QTest::qWait(20);
    QCOMPARE(m_player->state(), PlayerState::Stopped);
}

void TestMusicPlayer::onlyMissingFilesDoNothing()
{
    add(u"x.mp3"_s, 100, false);
    add(u"y.mp3"_s, 100, false);
    m_list.selectOnly(1);
    m_player->play();
    settle();
    QCOMPARE(m_player->state(), PlayerState::Stopped);
    QCOMPARE(m_lib->openFileCalls(), 0);
    QVERIFY(m_player->shownPath().isEmpty());
    m_player->next();
    settle();
    m_player->previous();
    settle();
    QCOMPARE(m_player->state(), PlayerState::Stopped);
}

void TestMusicPlayer::badFileAnsweredLaterThenGoodOnes()
{
    const QString bad1 = add(u"bad1.ogg"_s);
    const QString bad2 = add(u"bad2.ogg"_s);
    const QString good = add(u"good.mp3"_s, 120);
    const QString after = add(u"after.mp3"_s);
    m_lib->setUndecodable(bad1);
    m_lib->setUndecodable(bad2);
    m_lib->holdFileOpens(true);
    m_list.selectOnly(0);
    m_player->play();
    // Asked, not waited for: nothing plays until the decoder answers.
    QVERIFY(m_player->starting());
    QCOMPARE(m_player->state(), PlayerState::Stopped);
    QCOMPARE(m_lib->openFileCalls(), 1);
    // Each failure moves the pass on by one entry, no sooner.
    for (const QString& path : {bad1, bad2}) {
        QCOMPARE(m_lib->answerFileOpens(path), 1);
        QTRY_COMPARE(m_lib->heldFileOpens(), 1);
    }
    QCOMPARE(m_lib->openFileCalls(), 3);
    QCOMPARE(m_lib->answerFileOpens(good), 1);
    QTRY_COMPARE(m_player->state(), PlayerState::Playing);
    QCOMPARE(m_list.current(), 2);
    QCOMPARE(m_player->shownPath(), good);
    QCOMPARE(m_player->barMaximum(), 120);
    QVERIFY(!m_lib->stream(after));
    QCOMPARE(m_lib->openStreams(), 1);
}

void TestMusicPlayer::staleAnswerIsDropped_data()
{
    QTest::addColumn<bool>("thenStop");
    QTest::addColumn<bool>("otherSound");
    QTest::newRow("next before the answer") << false << false;
    QTest::newRow("stop before the answer") << true << false;
    QTest::newRow("stop while another sound plays") << true << true;
}

void TestMusicPlayer::staleAnswerIsDropped()
{
    QFETCH(bool, thenStop);
    QFETCH(bool, otherSound);
    const QString a = add(u"a.mp3"_s);
    const QString b = add(u"b.mp3"_s);
    if (otherSound) {
        m_set->player(BassPlaySet::Alarm).setFileName(test::soundFile(m_dir, u"alarm.wav"_s));
        m_set->playFile(BassPlaySet::Alarm);
        QTRY_VERIFY(m_set->player(BassPlaySet::Alarm).isPlaying());
    }
    QSignalSpy started(&m_set->player(BassPlaySet::Music), &BassPlay::fileStarted);
    m_list.selectOnly(0);
    // The answer for a is already on its way when the next request comes.
    m_player->play();
    if (thenStop)
        m_player->stop();
    else
        m_player->next();
    QTest::qWait(20);
    QVERIFY(!m_player->starting());
    QVERIFY(!m_lib->stream(a));
    if (thenStop) {
        QCOMPARE(m_player->state(), PlayerState::Stopped);
        QCOMPARE(started.size(), 0);
        QVERIFY(!m_set->player(BassPlaySet::Music).isPlaying());
        QCOMPARE(m_lib->openStreams(), otherSound ? 1 : 0);
    } else {
        QCOMPARE(m_player->state(), PlayerState::Playing);
        QCOMPARE(m_list.current(), 1);
        QCOMPARE(started.size(), 1);
        QCOMPARE(m_lib->stream(b)->playCalls(), 1);
    }
}

void TestMusicPlayer::passWhereAllFailStops_data()
{
    QTest::addColumn<bool>("random");
    QTest::addColumn<bool>("backwards");
    QTest::newRow("in order") << false << false;
    QTest::newRow("backwards") << false << true;
    QTest::newRow("at random") << true << false;
}

void TestMusicPlayer::passWhereAllFailStops()
{
    QFETCH(bool, random);
    QFETCH(bool, backwards);
    for (int i = 0; i < 4; ++i)
        m_lib->setUndecodable(add(u"%1.ogg"_s.arg(i)));
    add(u"missing.mp3"_s, 100, false);
    m_player->setRandom(random);
    m_list.selectOnly(1);
    QSignalSpy changed(m_player.get(), &MusicPlayer::stateChanged);
    if (backwards) {
        m_list.setCurrent(1);
        m_player->previous();
    } else {
        m_player->play();
    }
    QTRY_VERIFY(!m_player->starting());
    // Every entry tried once at most, then a stop, and nothing after it.
    QVERIFY2(m_lib->openFileCalls() <= 4, qPrintable(QString::number(m_lib->openFileCalls())));
    QVERIFY(m_lib->openFileCalls() >= 1);
    const int opens = m_lib->openFileCalls();
    QTest::qWait(30);
    QCOMPARE(m_lib->openFileCalls(), opens);
    QCOMPARE(m_player->state(), PlayerState::Stopped);
    QVERIFY(m_player->shownPath().isEmpty());
    QVERIFY(!changed.isEmpty());
    QCOMPARE(m_lib->openStreams(), 0);
    QVERIFY(!m_lib->outputStarted());
}

void TestMusicPlayer::stopDoesNotAdvance()
{
    add(u"a.mp3"_s);
    add(u"b.mp3"_s);
    m_list.selectOnly(0);
    m_player->play();
    settle();
    playing()->seek(100);
    m_player->tick();
    m_player->stop();
    QCOMPARE(m_player->state(), PlayerState::Stopped);
    QCOMPARE(m_list.current(), 0);
    QCOMPARE(m_player->barPosition(), 0);
    QVERIFY(!m_lib->outputStarted());
}

void TestMusicPlayer::pauseResumesFromTheBar_data()
{
    QTest::addColumn<int>("bar");    // -1: left where it was
    QTest::addColumn<double>("start");
    QTest::newRow("paused position") << -1 << 42.4;
    QTest::newRow("bar moved") << 70 << 70.0;
    QTest::newRow("bar at the end") << 100 << 99.0; // never at the very end
}

void TestMusicPlayer::pauseResumesFromTheBar()
{
    QFETCH(int, bar);
    QFETCH(double, start);
    add(u"a.mp3"_s, 100);
    m_list.selectOnly(0);
    m_player->play();
    settle();
    playing()->seek(42.4);
    m_player->tick();
    m_player->pause();
    settle();
    QCOMPARE(m_player->state(), PlayerState::Paused);
    QVERIFY(!m_lib->outputStarted()); // nothing else plays: the output is freed
    QCOMPARE(m_player->resumePosition(), 42);
    if (bar >= 0)
        m_player->setBarPosition(bar);
    m_player->pause();
    settle();
    QCOMPARE(m_player->state(), PlayerState::Playing);
    QCOMPARE(playing()->position(), start);
}

void TestMusicPlayer::randomHistory()
{
    for (int i = 0; i < 5; ++i)
        add(u"%1.mp3"_s.arg(i));
    m_player->setRandom(true);
    m_list.selectOnly(0);
    m_player->play();
    settle();
    // Previous right after the first pick does nothing.
    m_player->previous();
    settle();
    QCOMPARE(m_list.current(), 0);
    // The draw picks among the entries not yet played: 1, 2, 3, 4.
    m_random.draws = {2, 0};
    m_player->next();
    settle();
    QCOMPARE(m_list.current(), 3);
    m_player->next(); // candidates now 1, 2, 4
    settle();
    QCOMPARE(m_list.current(), 1);
    m_player->previous();
    settle();
    QCOMPARE(m_list.current(), 3);
    m_player->previous();
    settle();
    QCOMPARE(m_list.current(), 0);
    m_player->previous(); // the oldest: nothing
    settle();
    QCOMPARE(m_list.current(), 0);
    m_player->next(); // forward through the history again, no draw
    settle();
    const int draws = m_random.calls;
    QCOMPARE(m_list.current(), 3);
    m_player->next();
    settle();
    QCOMPARE(m_list.current(), 1);
    QCOMPARE(m_random.calls, draws);
}

void TestMusicPlayer::randomDrawEndsWithDuplicatePaths()
{
    const QString a = add(u"a.mp3"_s);
    m_list.append(PlaylistEntry{a, u"a again"_s, u"-1"_s, u"-1"_s});
    m_list.append(PlaylistEntry{a, u"a thrice"_s, u"-1"_s, u"-1"_s});
    m_player->setRandom(true);
    m_list.selectOnly(0);
    m_player->play();
    settle();
    m_random.draws = {1};
    m_player->next(); // every other entry's path is in the history
    settle();
    QCOMPARE(m_player->state(), PlayerState::Playing);
    QVERIFY(m_list.current() != 0);
}

void TestMusicPlayer::randomWithOneEntryReplays()
{
    const QString a = add(u"a.mp3"_s);
    m_player->setRandom(true);
    m_list.selectOnly(0);
    m_player->play();
    settle();
    finishCurrent();
    QCOMPARE(m_player->state(), PlayerState::Playing);
    QCOMPARE(m_player->shownPath(), a);
}

void TestMusicPlayer::playingCompletesTheEntry()
{
    const QString a = add(u"a.mp3"_s, 187.6);
    m_list.replace(0, PlaylistEntry{a, u"a"_s, u"100"_s, u"-1"_s});
    QSignalSpy updated(m_player.get(), &MusicPlayer::entryUpdated);
    m_list.selectOnly(0);
    m_player->play();
    settle();
    QCOMPARE(updated.size(), 1);
    QCOMPARE(m_list.at(0).seconds, u"188"_s);
    QCOMPARE(m_list.at(0).size, u"1"_s);
    QCOMPARE(m_player->barMaximum(), 188);
}

void TestMusicPlayer::autoPlayPosition_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("saved");
    QTest::addColumn<int>("expectedEntry");
    QTest::addColumn<double>("expectedPosition");
    QTest::newRow("inside") << 1 << 30 << 1 << 30.0;
    QTest::newRow("beyond the length") << 1 << 500 << 1 << 0.0;
    QTest::newRow("index out of range") << 9 << 30 << 0 << 30.0;
    QTest::newRow("negative index") << -1 << 0 << 0 << 0.0;
}

void TestMusicPlayer::autoPlayPosition()
{
    QFETCH(int, index);
    QFETCH(int, saved);
    QFETCH(int, expectedEntry);
    QFETCH(double, expectedPosition);
    add(u"a.mp3"_s, 100);
    add(u"b.mp3"_s, 100);
    m_player->autoPlay(index, saved);
    settle();
    QCOMPARE(m_list.current(), expectedEntry);
    QCOMPARE(playing()->position(), expectedPosition);
}

void TestMusicPlayer::resumePointWhilePaused()
{
    add(u"a.mp3"_s, 100);
    add(u"b.mp3"_s, 100);
    m_list.selectOnly(1);
    m_player->play();
    settle();
    playing()->seek(12.6);
    m_player->tick();
    QCOMPARE(m_player->resumeIndex(), 1);
    QCOMPARE(m_player->resumePosition(), 13);
    m_player->pause();
    settle();
    m_player->setBarPosition(50); // not yet a start: the paused one is saved
    QCOMPARE(m_player->resumePosition(), 13);
    m_player->stop();
    QCOMPARE(m_player->state(), PlayerState::Stopped);
}

QTEST_GUILESS_MAIN(TestMusicPlayer)
#include "tst_musicplayer.moc"
