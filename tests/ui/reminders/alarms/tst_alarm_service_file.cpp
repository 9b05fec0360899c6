// The alarm list as the running program keeps it in its file: read at the
// start, written back at every save pass, and never written over a file it
// could not read whole.

#include "core/common/Clock.h"
#include "core/common/Cp1250.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/reminders/AlarmEntry.h"
#include "support/FakeAudioLibrary.h"
#include "support/FakeClock.h"
#include "support/FileFixture.h"
#include "ui/common/Messages.h"
#include "ui/reminders/AlarmPage.h"
#include "ui/reminders/AlarmService.h"
#include "support/RecordingPrompts.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace zorvex;

namespace {

QByteArray alarmLine(const QList<QByteArray>& fields)
{
    return fields.toList().join('\xFF');
}

struct Run {
    explicit Run(const QString& folder)
        : paths(folder + QLatin1Char('/'), QStringLiteral("Jan"), folder + QStringLiteral("/Sentencje.ini"))
        , players(audio)
    {
    }
    QString file() const { return paths.path(PathId::Alarm); }

    FakeClock clock{QDateTime(QDate(2026, 5, 14), QTime(6, 0))};
    PathTable paths;
    FakeAudioLibrary audio;
    BassPlaySet players;
    RecordingPrompts prompts;
};

const QByteArray kAlarm = alarmLine({"1", "0", "0", "2026", "5", "14", "7", "30", "0", "0", "0", "0", "", "0", "",
                                     "1", "Wsta\xf1!", "2", "0"});

} // namespace

class TestAlarmServiceFile : public QObject {
    Q_OBJECT
private slots:
    void fileNotReadWholeIsKept_data();
    void fileNotReadWholeIsKept();
    void utf8FileGoesBackAsWindows1250();
};

void TestAlarmServiceFile::fileNotReadWholeIsKept_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("unreadable") << QStringLiteral("unreadable") << kAlarm + "\r\n";
    QTest::newRow("a line that is no alarm") << QStringLiteral("text") << kAlarm + "\r\nzadzwoni\xe6 do mamy\r\n";
    QTest::newRow("FIFO in its place") << QStringLiteral("fifo") << QByteArray();
}

void TestAlarmServiceFile::fileNotReadWholeIsKept()
{
    QFETCH(QString, what);
    QFETCH(QByteArray, content);

    QTemporaryDir dir;
    Run run(dir.path());
    if (what == QLatin1String("fifo"))
        QVERIFY(test::makeFifo(run.file()));
    else
        QVERIFY(test::writeFile(run.file(), content));

    std::optional<test::UnreadableFile> unreadable;
    if (what == QLatin1String("unreadable")) {
        unreadable.emplace(run.file());
        if (!unreadable->active())
            QSKIP("cannot make a file unreadable here");
    }
    AlarmService service(run.clock, run.paths, run.players, nullptr, run.prompts);
    const std::unique_ptr<AlarmPage> page(service.page()); // the Tools window's, in the program
    unreadable.reset();
    // The alarms that were read still work; the file is what it was.
    QCOMPARE(service.page()->alarms().size(), what == QLatin1String("text") ? 1 : 0);
    service.save();
    service.alarmsChanged();
    if (what == QLatin1String("fifo"))
        QVERIFY(QFileInfo::exists(run.file()) && !QFileInfo(run.file()).isFile());
    else
        QCOMPARE(test::fileBytes(run.file()), content);
}

void TestAlarmServiceFile::utf8FileGoesBackAsWindows1250()
{
    QTemporaryDir dir;
    Run run(dir.path());
    QVERIFY(test::writeFile(run.file(), fromCp1250(QByteArray(kAlarm + "\r\n")).toUtf8()));
    AlarmService service(run.clock, run.paths, run.players, nullptr, run.prompts);
    const std::unique_ptr<AlarmPage> page(service.page());
    QCOMPARE(service.page()->alarms().size(), 1);
    QCOMPARE(service.page()->alarms()[0].message, QStringLiteral("Wstań!"));
    service.save();
    QCOMPARE(test::fileBytes(run.file()), kAlarm + "\r\n");

    // With nothing there, the first save makes the file.
    QVERIFY(QFile::remove(run.file()));
    AlarmService fresh(run.clock, run.paths, run.players, nullptr, run.prompts);
    const std::unique_ptr<AlarmPage> freshPage(fresh.page());
    fresh.save();
    QVERIFY(QFileInfo(run.file()).isFile());
}

QTEST_MAIN(TestAlarmServiceFile)
#include "tst_alarm_service_file.moc"
