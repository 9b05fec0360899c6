// Kills a saving process at random moments: every file must then hold a
// whole old or a whole new content, never a mix, nothing empty or missing,
// and no temporary files may pile up.
#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/common/AtomicFile.h"
#include "core/common/PathTable.h"
#include "core/reminders/ReminderFiles.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace zorvex {

int g_kills = 50; // --kills N for long runs

class TestCrashSafety : public QObject {
    Q_OBJECT
private slots:
    void killedSavesLeaveWholeFiles();
};

namespace {

qulonglong roundOf(const QString& mark)
{
    bool ok = false;
    const qulonglong r = mark.startsWith(QLatin1String("round")) ? mark.mid(5).toULongLong(&ok) : 0;
    return ok ? r : 0;
}

int temporariesIn(const QString& folder, const QStringList& names)
{
    int n = 0;
    for (const QString& entry : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        for (const QString& name : names)
            n += isTemporaryOf(entry, name) ? 1 : 0;
    }
    return n;
}

} // namespace

void TestCrashSafety::killedSavesLeaveWholeFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString data = dir.path() + QLatin1Char('/');
    const PathTable paths(data, QStringLiteral("Test"), QString());
    const QString settingsFile = paths.path(PathId::Ustawienia);
    const QString listFile = paths.path(PathId::Prywatne);
    const QStringList names{QFileInfo(settingsFile).fileName(), QFileInfo(listFile).fileName()};
    qulonglong lastSeen = 0; // the last round the process said it finished

    for (int kill = 0; kill < g_kills; ++kill) {
        QProcess p;
        p.start(QStringLiteral(ZORVEX_SAVE_LOOP), {data});
        QVERIFY(p.waitForStarted());
        // Let it finish a round, then kill it anywhere in a later one.
        QVERIFY(p.waitForReadyRead(10000));
        QTest::qWait(int(QRandomGenerator::global()->bounded(40)));
        ::kill(pid_t(p.processId()), SIGKILL);
        QVERIFY(p.waitForFinished(10000));
        const QList<QByteArray> said = p.readAllStandardOutput().trimmed().split('\n');
        const qulonglong finished = said.isEmpty() ? 0 : said.last().toULongLong();
        QVERIFY2(finished > lastSeen, "the process finished no round");

        // The settings: whole, of one round, and that round was finished
        // or was the one being written.
        SettingsStore store(settingsFile);
        QVERIFY2(store.exists(), "the settings file is missing");
        Settings s;
        s.resetToDefaults();
        store.load(s);
        const qulonglong settingsRound = roundOf(s.main.zodiacSignSet);
        QVERIFY2(settingsRound == finished || settingsRound == finished + 1,
                 qPrintable(QStringLiteral("settings of round %1 after round %2").arg(settingsRound).arg(finished)));
        QCOMPARE(s.serwis.serviceBase,
                 QStringLiteral("round%1").arg(settingsRound) + QString(int(settingsRound % 97), QLatin1Char('x')));

        // The list: every line of one round, all of them; the list of a
        // round is written after its settings.
        bool ok = false;
        const QStringList lines = PrivateFile::load(listFile, &ok);
        QVERIFY2(ok, "the list file is missing or unreadable");
        QVERIFY(!lines.isEmpty());
        const qulonglong listRound = roundOf(lines.first().section(QLatin1Char(' '), 0, 0));
        QVERIFY(listRound == settingsRound || listRound + 1 == settingsRound);
        QCOMPARE(qulonglong(lines.size()), listRound % 40 + 3);
        for (int k = 0; k < lines.size(); ++k)
            QCOMPARE(lines.at(k), QStringLiteral("round%1 %2").arg(listRound).arg(k));

        // At most the one temporary of the write that was cut short; the
        // next start removes it.
        QVERIFY(temporariesIn(data, names) <= 1);
        lastSeen = finished;
    }
}

} // namespace zorvex

int main(int argc, char** argv)
{
    QStringList rest;
    for (int i = 0; i < argc; ++i) {
        if (qstrcmp(argv[i], "--kills") == 0 && i + 1 < argc)
            zorvex::g_kills = std::max(1, atoi(argv[++i]));
        else
            rest << QString::fromLocal8Bit(argv[i]);
    }
    QCoreApplication app(argc, argv);
    zorvex::TestCrashSafety test;
    return QTest::qExec(&test, rest);
}

#include "tst_crash_safety.moc"
