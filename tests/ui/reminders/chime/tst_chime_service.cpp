#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/reminders/ChimeSettings.h"
#include "platform/FullScreenProbe.h"
#include "support/FakeAudioLibrary.h"
#include "support/FakeClock.h"
#include "support/FakeFullScreenProbe.h"
#include "ui/reminders/ChimePage.h"
#include "ui/reminders/ChimeService.h"
#include "support/RecordingPrompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;

namespace {

// The chime as the program runs it, over the fake sound library: a data
// folder with the set "Alfa", the real players, and a probe for the window
// in front.
struct Fixture {
    QTemporaryDir dir;
    FakeClock clock;
    PathTable paths{dir.path(), QStringLiteral("Test"), QString()};
    FakeAudioLibrary library;
    BassPlaySet players{library, nullptr, PlaybackTiming{5, 5, 1}};
    ChimeSettings settings;
    FakeFullScreenProbe fullScreen;
    RecordingPrompts prompts;
    std::unique_ptr<ChimeService> service;

    explicit Fixture(bool fullScreenAvailable = true)
    {
        const QDir root(dir.path());
        root.mkpath(QStringLiteral("Godziny/Alfa"));
        for (int h = 1; h <= 24; ++h) {
            QFile f(root.filePath(QStringLiteral("Godziny/Alfa/%1.mp3").arg(h, 2, 10, QLatin1Char('0'))));
            (void)f.open(QIODevice::WriteOnly);
        }
        settings.mode = ChimeSettings::Set;
        settings.setChoice = ChimeSettings::Chosen;
        fullScreen.isAvailable = fullScreenAvailable;
        service = std::make_unique<ChimeService>(clock, paths, players, settings, fullScreen, prompts);
        service->rescanSets();
    }

    // The hour file the chime player has open, as "Alfa/07.mp3", or "".
    QString playing()
    {
        BassPlay& p = players.player(BassPlaySet::Chime);
        if (!p.isPlaying())
            return {};
        return QDir(dir.filePath(QStringLiteral("Godziny"))).relativeFilePath(p.channelName());
    }

    void chimeAt(int hour)
    {
        clock.set(QDateTime(QDate(2026, 5, 4), QTime(hour, 0)));
        service->checkChime();
        // The file starts in the background.
        (void)QTest::qWaitFor([this] { return !players.player(BassPlaySet::Chime).isStartingFile(); }, 2000);
    }

    template <typename T>
    T* find(const char* name) { return service->page()->findChild<T*>(QLatin1String(name)); }
};

} // namespace

class TestChimeService : public QObject {
    Q_OBJECT
private slots:
    void setTestStartedWhileChimePlaysWaitsForEachFile()
    {
        Fixture f;
        f.chimeAt(7);
        QCOMPARE(f.playing(), QStringLiteral("Alfa/07.mp3"));

        // The test's first file replaces the chime; that stop is not the
        // end of the test's file.
        f.find<QPushButton>("setTest")->click();
        QTRY_COMPARE(f.playing(), QStringLiteral("Alfa/01.mp3"));
        QTest::qWait(400);
        QCOMPARE(f.playing(), QStringLiteral("Alfa/01.mp3"));

        // Its real end moves on to the next hour, and only one.
        f.library.stream(f.dir.filePath(QStringLiteral("Godziny/Alfa/01.mp3")))->finish();
        QTRY_COMPARE(f.playing(), QStringLiteral("Alfa/02.mp3"));
        QTest::qWait(400);
        QCOMPARE(f.playing(), QStringLiteral("Alfa/02.mp3"));
        QVERIFY(f.service->page()->setTestRunning());
    }

    void fullScreenSilencesSetChime_data()
    {
        QTest::addColumn<bool>("option");
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<QString>("played");
        QTest::newRow("full screen, option on") << true << true << QString();
        QTest::newRow("full screen, option off") << false << true << QStringLiteral("Alfa/09.mp3");
        QTest::newRow("no full screen, option on") << true << false << QStringLiteral("Alfa/09.mp3");
    }
    void fullScreenSilencesSetChime()
    {
        QFETCH(bool, option);
        QFETCH(bool, fullScreen);
        QFETCH(QString, played);
        Fixture f;
        f.settings.skipFullScreen = option;
        f.fullScreen.fullScreen = fullScreen;
        f.chimeAt(9);
        QCOMPARE(f.playing(), played);
        QCOMPARE(f.fullScreen.asked > 0, option);
    }

    void fullScreenOptionSaysWhereItCannotWork_data()
    {
        QTest::addColumn<bool>("available");
        QTest::newRow("X11") << true;
        QTest::newRow("elsewhere") << false;
    }
    void fullScreenOptionSaysWhereItCannotWork()
    {
        QFETCH(bool, available);
        Fixture f(available);
        f.settings.skipFullScreen = true;
        ChimePage* page = f.service->page();
        page->reload();
        page->show();
        QCOMPARE(f.find<QCheckBox>("skipFullScreen")->isEnabled(), available);
        QCOMPARE(f.find<QLabel>("fullScreenNote")->isVisible(), !available);
        QCOMPARE(f.find<QLabel>("fullScreenNote")->text(),
                 QStringLiteral("Wykrywanie aplikacji pełnoekranowych działa tylko w sesji X11."));
        // The stored choice is kept for a session where it works.
        QVERIFY(f.find<QCheckBox>("skipFullScreen")->isChecked());
        QVERIFY(f.settings.skipFullScreen);
    }
};

QTEST_MAIN(TestChimeService)
#include "tst_chime_service.moc"
