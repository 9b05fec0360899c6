#include "../internet/MessageWindows.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/net/MailSettings.h"
#include "core/net/PingHosts.h"
#include "core/net/PingSettings.h"
#include "support/FakeAudioLibrary.h"
#include "support/FakeClock.h"
#include "ui/common/Messages.h"
#include "ui/common/SoundFileChooser.h"
#include "ui/net/MailPage.h"
#include "ui/net/MailService.h"
#include "ui/net/PingPage.h"
#include "ui/net/PingService.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;

namespace {

// Both network pages over the fake sound library, with their sound files
// below the data folder as the defaults have them.
struct Fixture {
    QTemporaryDir dir;
    FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(10, 15))};
    PathTable paths{dir.path(), QStringLiteral("Jan"), QString()};
    FakeAudioLibrary library;
    BassPlaySet players{library, nullptr, PlaybackTiming{5, 5, 1}};
    MailSettings mailSettings;
    MailSoundSettings mailSound;
    PingSettings pingSettings;
    BoxPrompts prompts; // real windows, found by the tests
    std::unique_ptr<MailService> mail;
    std::unique_ptr<PingService> ping;

    Fixture()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Godziny"));
        for (const char* name : {kDefaultMailSound, kDefaultPingSound}) {
            QFile f(paths.inDataFolder(QString::fromLatin1(name)));
            (void)f.open(QIODevice::WriteOnly);
        }
        mailSound.soundFile = QString::fromLatin1(kDefaultMailSound);
        pingSettings.soundFile = QString::fromLatin1(kDefaultPingSound);
        mail = std::make_unique<MailService>(
            MailService::Services{clock, paths, mailSettings, mailSound, prompts, &players, nullptr, {}, nullptr});
        ping = std::make_unique<PingService>(PingService::Services{paths, pingSettings, prompts, &players, nullptr});
    }
    SoundFileChooser* chooser(bool forMail) const
    {
        return forMail ? mail->page()->soundChooser() : ping->page()->soundChooser();
    }
    QString& stored(bool forMail) { return forMail ? mailSound.soundFile : pingSettings.soundFile; }
    BassPlay& player(bool forMail) { return players.player(forMail ? BassPlaySet::Mail : BassPlaySet::Ping); }
};

QPushButton* testButtonOf(SoundFileChooser* c)
{
    return c->findChild<QPushButton*>(QStringLiteral("SoundTest"));
}

} // namespace

// The sound choosers of the mail and ping pages: "Testuj" plays the file on
// the page's own player and is released by a second press or by the end of
// the sound; a missing file is reported; an announcement presses "Testuj"
// unless its test is playing already.
class NetSoundsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { test::closeMessageWindows(); }
    void testButton_data();
    void testButton();
    void pingAnnouncementPressesTheTest();
};

void NetSoundsTest::testButton_data()
{
    QTest::addColumn<bool>("forMail");
    QTest::addColumn<QString>("caption");
    QTest::newRow("mail") << true << QStringLiteral("Zorvex - Sprawdzanie poczty");
    QTest::newRow("ping") << false << QStringLiteral("Zorvex - Ping");
}

void NetSoundsTest::testButton()
{
    QFETCH(bool, forMail);
    QFETCH(QString, caption);
    Fixture f;
    SoundFileChooser* chooser = f.chooser(forMail);
    QPushButton* test = testButtonOf(chooser);
    const QString file = f.paths.inDataFolder(f.stored(forMail));

    test->click();
    QVERIFY(chooser->testRunning());
    QTRY_VERIFY(f.player(forMail).isPlaying());
    QCOMPARE(f.player(forMail).channelName(), file);
    test->click();
    QVERIFY(!f.player(forMail).isPlaying());

    // The sound ends by itself: the button comes up.
    test->click();
    QTRY_VERIFY(f.player(forMail).isPlaying());
    f.library.stream(file)->finish();
    QVERIFY(QTest::qWaitFor([&] { return !chooser->testRunning(); }, 2000));

    // A file that is gone plays nothing and says so.
    f.stored(forMail) = QStringLiteral("Godziny/brak.mp3");
    chooser->reload();
    test->click();
    QVERIFY(!chooser->testRunning());
    QVERIFY(!f.player(forMail).isPlaying());
    QCOMPARE(test::messageTexts(), QStringList{caption + QStringLiteral(": Plik nie istnieje")});
}

void NetSoundsTest::pingAnnouncementPressesTheTest()
{
    Fixture f;
    f.pingSettings.playSound = true;
    f.pingSettings.checkAtStart = true;
    f.pingSettings.timeoutMs = 200;
    const QString file = f.paths.inDataFolder(f.pingSettings.soundFile);
    const auto check = [&] {
        bool done = false;
        const auto c = connect(f.ping.get(), &PingService::runFinished, this, [&] { done = true; });
        const bool ok = f.ping->checkAddedHosts() && QTest::qWaitFor([&] { return done; }, 10000);
        disconnect(c);
        return ok;
    };
    f.ping->setHosts({{-1, QStringLiteral("127.0.0.1"), QString()}});
    QVERIFY(check());
    QCOMPARE(f.ping->changes().size(), 1);
    QVERIFY(f.chooser(false)->testRunning());
    QTRY_VERIFY(f.player(false).isPlaying());
    QCOMPARE(f.player(false).channelName(), file);
    const int plays = f.library.stream(file)->playCalls();

    // Another change while the test plays: the sound is not started again.
    f.ping->setHosts({{0, QStringLiteral("127.0.0.1"), QString()}});
    QVERIFY(check());
    QCOMPARE(f.ping->changes().size(), 1);
    QCOMPARE(f.library.stream(file)->playCalls(), plays);
    QVERIFY(f.chooser(false)->testRunning());
}

QTEST_MAIN(NetSoundsTest)
#include "tst_netsounds.moc"
