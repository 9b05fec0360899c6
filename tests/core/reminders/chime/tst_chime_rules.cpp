#include "core/app/StartupData.h"
#include "core/common/Clock.h"
#include "core/reminders/Chime.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;

namespace {

void touch(const QString& path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

// A data folder with three sets: "Alfa" named 01..24, "Beta" named 1..24,
// "Gamma" named 1..9 then 10..24 with no "Gamma" hour 7 under either name
// (so not a set), and "Delta" complete.
struct Fixture {
    QTemporaryDir dir;
    FakeClock clock;
    ChimeSettings settings;
    Chime chime{clock, settings};
    bool playlist = false, radio = false, fullScreen = false;

    Fixture()
    {
        const QDir root(dir.path());
        for (const char* set : {"Alfa", "Beta", "Gamma", "Delta"})
            root.mkpath(QStringLiteral("Godziny/") + QLatin1String(set));
        for (int h = 1; h <= 24; ++h) {
            const QString padded = QStringLiteral("%1.mp3").arg(h, 2, 10, QLatin1Char('0'));
            const QString plain = QStringLiteral("%1.mp3").arg(h);
            touch(root.filePath(QStringLiteral("Godziny/Alfa/") + padded));
            touch(root.filePath(QStringLiteral("Godziny/Beta/") + plain));
            touch(root.filePath(QStringLiteral("Godziny/Delta/") + padded));
            if (h != 7)
                touch(root.filePath(QStringLiteral("Godziny/Gamma/") + plain));
        }
        touch(root.filePath(QStringLiteral("Godziny/Wybrany.mp3")));
        chime.setSets(dir.path(), discoverChimeSets(dir.path()));
        chime.playlistPlaying = [this] { return playlist; };
        chime.radioActive = [this] { return radio; };
        chime.fullScreenInFront = [this] { return fullScreen; };
        settings.file = QStringLiteral("Godziny/Wybrany.mp3");
    }

    ChimeAction at(int h, int m = 0, int s = 0, bool fileTest = false)
    {
        clock.set(QDateTime(QDate(2026, 5, 4), QTime(h, m, s)));
        return chime.check(fileTest);
    }
};

// The played file relative to "Godziny/", or "" when nothing plays.
QString played(const ChimeAction& a, const QString& dataFolder)
{
    if (a.kind == ChimeAction::None)
        return {};
    return QDir(QDir(dataFolder).filePath(QStringLiteral("Godziny"))).relativeFilePath(a.path);
}

} // namespace

class TestChimeRules : public QObject {
    Q_OBJECT
private slots:
    void setList()
    {
        Fixture f;
        QCOMPARE(f.chime.sets().folders, QStringList({QStringLiteral("Alfa"), QStringLiteral("Beta"),
                                                      QStringLiteral("Delta")}));
    }

    void window_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("hour");
        QTest::addColumn<bool>("inside");
        QTest::newRow("9-17 at 9") << 9 << 17 << 9 << true;
        QTest::newRow("9-17 at 17") << 9 << 17 << 17 << true;
        QTest::newRow("9-17 at 8") << 9 << 17 << 8 << false;
        QTest::newRow("9-17 at 18") << 9 << 17 << 18 << false;
        QTest::newRow("22-6 at 22") << 22 << 6 << 22 << true;
        QTest::newRow("22-6 at 0") << 22 << 6 << 0 << true;
        QTest::newRow("22-6 at 6") << 22 << 6 << 6 << true;
        QTest::newRow("22-6 at 7") << 22 << 6 << 7 << false;
        QTest::newRow("22-6 at 21") << 22 << 6 << 21 << false;
        QTest::newRow("8-8 at 8") << 8 << 8 << 8 << true;
        QTest::newRow("8-8 at 3") << 8 << 8 << 3 << true;
        QTest::newRow("8-8 at 20") << 8 << 8 << 20 << true;
    }
    void window()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, hour);
        QFETCH(bool, inside);
        QCOMPARE(hourInWindow(hour, first, last), inside);
    }

    void check_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("setNumber");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("conditions"); // p playlist, r radio, f full screen
        QTest::addColumn<QString>("file");

        const int set = ChimeSettings::Set, file = ChimeSettings::File, off = ChimeSettings::Off;
        QTest::newRow("padded name") << set << 1 << 0 << 23 << QTime(7, 0) << "" << "Alfa/07.mp3";
        QTest::newRow("plain name") << set << 2 << 0 << 23 << QTime(7, 0) << "" << "Beta/7.mp3";
        QTest::newRow("plain two digits") << set << 2 << 0 << 23 << QTime(15, 0) << "" << "Beta/15.mp3";
        QTest::newRow("midnight is 24") << set << 1 << 0 << 23 << QTime(0, 0) << "" << "Alfa/24.mp3";
        QTest::newRow("whole day at 23") << set << 1 << 0 << 23 << QTime(23, 0) << "" << "Alfa/23.mp3";
        QTest::newRow("number below 1 is first") << set << -4 << 0 << 23 << QTime(9, 0) << "" << "Alfa/09.mp3";
        QTest::newRow("number beyond list is last") << set << 9 << 0 << 23 << QTime(9, 0) << "" << "Delta/09.mp3";
        QTest::newRow("wrapping window 22") << set << 1 << 22 << 6 << QTime(22, 0) << "" << "Alfa/22.mp3";
        QTest::newRow("wrapping window 0") << set << 1 << 22 << 6 << QTime(0, 0) << "" << "Alfa/24.mp3";
        QTest::newRow("wrapping window 6") << set << 1 << 22 << 6 << QTime(6, 0) << "" << "Alfa/06.mp3";
        QTest::newRow("wrapping window 7") << set << 1 << 22 << 6 << QTime(7, 0) << "" << "";
        QTest::newRow("window 9-17 at 18") << set << 1 << 9 << 17 << QTime(18, 0) << "" << "";
        QTest::newRow("second 1") << set << 1 << 0 << 23 << QTime(7, 0, 1) << "" << "";
        QTest::newRow("minute 1") << set << 1 << 0 << 23 << QTime(7, 1, 0) << "" << "";
        QTest::newRow("off") << off << 1 << 0 << 23 << QTime(7, 0) << "" << "";
        QTest::newRow("playlist") << set << 1 << 0 << 23 << QTime(7, 0) << "p" << "";
        QTest::newRow("radio") << set << 1 << 0 << 23 << QTime(7, 0) << "r" << "";
        QTest::newRow("full screen") << set << 1 << 0 << 23 << QTime(7, 0) << "f" << "";
        QTest::newRow("option off, playing") << set << 1 << 0 << 23 << QTime(7, 0) << "PRF" << "Alfa/07.mp3";
        QTest::newRow("file") << file << 1 << 0 << 23 << QTime(7, 0) << "" << "Wybrany.mp3";
        QTest::newRow("file ignores window") << file << 1 << 9 << 17 << QTime(7, 0) << "" << "Wybrany.mp3";
        QTest::newRow("file ignores silencing") << file << 1 << 0 << 23 << QTime(7, 0) << "prf" << "Wybrany.mp3";
        QTest::newRow("file second 1") << file << 1 << 0 << 23 << QTime(7, 0, 1) << "" << "";
    }
    void check()
    {
        QFETCH(int, mode);
        QFETCH(int, setNumber);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QTime, time);
        QFETCH(QString, conditions);
        QFETCH(QString, file);

        Fixture f;
        f.settings.mode = mode;
        f.settings.setChoice = ChimeSettings::Chosen;
        f.settings.setNumber = setNumber;
        f.settings.firstHour = first;
        f.settings.lastHour = last;
        // Lower case: option on and the condition holds; upper case: the
        // condition holds with its option off.
        f.settings.skipPlaylist = conditions.contains(QLatin1Char('p'));
        f.settings.skipRadio = conditions.contains(QLatin1Char('r'));
        f.settings.skipFullScreen = conditions.contains(QLatin1Char('f'));
        f.playlist = conditions.contains(QLatin1Char('p'), Qt::CaseInsensitive);
        f.radio = conditions.contains(QLatin1Char('r'), Qt::CaseInsensitive);
        f.fullScreen = conditions.contains(QLatin1Char('f'), Qt::CaseInsensitive);

        const ChimeAction a = f.at(time.hour(), time.minute(), time.second());
        QCOMPARE(played(a, f.dir.path()), file);
        if (!file.isEmpty())
            QCOMPARE(a.kind, mode == ChimeSettings::Set ? ChimeAction::PlaySet : ChimeAction::PlayFile);
    }

    void oncePerHour_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("set") << int(ChimeSettings::Set);
        QTest::newRow("file") << int(ChimeSettings::File);
    }
    void oncePerHour()
    {
        QFETCH(int, mode);
        Fixture f;
        f.settings.mode = mode;
        f.settings.setChoice = ChimeSettings::Chosen;
        QVERIFY(f.at(10).kind != ChimeAction::None);
        // The 800 ms tick can land twice in second 0.
        QCOMPARE(f.at(10).kind, ChimeAction::None);
        // A clock set back a few seconds reaches second 0 again.
        QCOMPARE(f.at(9, 59, 58).kind, ChimeAction::None);
        QCOMPARE(f.at(10).kind, ChimeAction::None);
        // No tick in second 1 at all: the next hour sounds anyway.
        QVERIFY(f.at(11).kind != ChimeAction::None);
        // The same hour on another day is a new hour.
        f.clock.set(QDateTime(QDate(2026, 5, 5), QTime(11, 0)));
        QVERIFY(f.chime.check(false).kind != ChimeAction::None);
    }

    void silencingAtSecondOneDoesNotSwallowNextHour()
    {
        Fixture f;
        f.settings.skipRadio = true;
        QVERIFY(f.at(10).kind != ChimeAction::None);
        f.radio = true;
        f.at(10, 0, 1);
        f.radio = false;
        QVERIFY(f.at(11).kind != ChimeAction::None);
    }

    void fileTestRunningKeepsFileChimeSilent()
    {
        Fixture f;
        f.settings.mode = ChimeSettings::File;
        QCOMPARE(f.at(10, 0, 0, true).kind, ChimeAction::None);
        // A silent hour is not counted as sounded.
        QCOMPARE(f.at(10, 0, 0, false).kind, ChimeAction::PlayFile);
    }

    void missingFilesPlayNothing()
    {
        Fixture f;
        f.settings.setChoice = ChimeSettings::Chosen;
        QVERIFY(QFile::remove(f.dir.filePath(QStringLiteral("Godziny/Alfa/08.mp3"))));
        QCOMPARE(f.at(8).kind, ChimeAction::None);
        QVERIFY(QFile::remove(f.dir.filePath(QStringLiteral("Godziny/Wybrany.mp3"))));
        f.settings.mode = ChimeSettings::File;
        QCOMPARE(f.at(9).kind, ChimeAction::None);
        f.settings.file.clear();
        QCOMPARE(f.at(10).kind, ChimeAction::None);
    }

    void noSetsPlaysNothing()
    {
        Fixture f;
        f.chime.setSets(f.dir.path(), {});
        QCOMPARE(f.at(8).kind, ChimeAction::None);
    }

    void randomDrawsEachHour()
    {
        Fixture f;
        f.settings.setChoice = ChimeSettings::Random;
        QList<int> draws{2, 0, 1};
        QList<int> asked;
        f.chime.pick = [&](int n) {
            asked << n;
            return draws.takeFirst();
        };
        QCOMPARE(played(f.at(1), f.dir.path()), QStringLiteral("Delta/01.mp3"));
        QCOMPARE(played(f.at(2), f.dir.path()), QStringLiteral("Alfa/02.mp3"));
        QCOMPARE(played(f.at(3), f.dir.path()), QStringLiteral("Beta/3.mp3"));
        QCOMPARE(asked, QList<int>({3, 3, 3}));
    }

    void absoluteChosenFile()
    {
        Fixture f;
        f.settings.mode = ChimeSettings::File;
        f.settings.file = f.dir.filePath(QStringLiteral("Godziny/Alfa/05.mp3"));
        QCOMPARE(f.at(12).path, f.settings.file);
    }

    // Sets made on a system whose file names ignore letter case.
    void fileNamesIgnoreCase_data()
    {
        QTest::addColumn<QString>("pattern"); // %1: the hour, padded when "padded"
        QTest::addColumn<bool>("padded");
        QTest::addColumn<int>("missingHour");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("at7");
        QTest::addColumn<QString>("at0");
        QTest::newRow("upper case, padded") << "%1.MP3" << true << 0 << true << "Duzy/07.MP3" << "Duzy/24.MP3";
        QTest::newRow("mixed case, plain") << "%1.Mp3" << false << 0 << true << "Duzy/7.Mp3" << "Duzy/24.Mp3";
        QTest::newRow("upper case, hour 7 missing") << "%1.MP3" << true << 7 << false << "" << "Duzy/24.MP3";
    }
    void fileNamesIgnoreCase()
    {
        QFETCH(QString, pattern);
        QFETCH(bool, padded);
        QFETCH(int, missingHour);
        QFETCH(bool, listed);
        QFETCH(QString, at7);
        QFETCH(QString, at0);

        QTemporaryDir dir;
        const QDir root(dir.path());
        root.mkpath(QStringLiteral("Godziny/Duzy"));
        for (int h = 1; h <= 24; ++h) {
            if (h != missingHour)
                touch(root.filePath(QStringLiteral("Godziny/Duzy/")
                                    + pattern.arg(h, padded ? 2 : 1, 10, QLatin1Char('0'))));
        }
        const ChimeSets sets = discoverChimeSets(dir.path());
        QCOMPARE(sets.folders, !listed ? QStringList() : QStringList{QStringLiteral("Duzy")});

        FakeClock clock;
        ChimeSettings settings;
        settings.mode = ChimeSettings::Set;
        settings.setChoice = ChimeSettings::Chosen;
        Chime chime(clock, settings);
        // As if the list had been read before the hour went missing.
        chime.setSets(dir.path(), ChimeSets{{QStringLiteral("Duzy")}, {QStringLiteral("Duzy")}});
        clock.set(QDateTime(QDate(2026, 5, 4), QTime(7, 0)));
        QCOMPARE(played(chime.check(false), dir.path()), at7);
        clock.set(QDateTime(QDate(2026, 5, 5), QTime(0, 0)));
        QCOMPARE(played(chime.check(false), dir.path()), at0);
    }

    void shippedVoiceSetIsComplete()
    {
        const ChimeSets sets = discoverChimeSets(QStringLiteral(ZORVEX_SHIPPED_DATA));
        QVERIFY(sets.folders.contains(QStringLiteral("Lektor")));
    }
};

QTEST_GUILESS_MAIN(TestChimeRules)
#include "tst_chime_rules.moc"
