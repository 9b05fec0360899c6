// The command line as scripts and key bindings use it: queries without a
// window, help, refusals, and remote control of a running instance.

#include "core/app/RemoteCommands.h"
#include "platform/SystemServices.h"
#include "support/ProgramRun.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

using namespace zorvex;

namespace {

bool copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(path));
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(path, target))
            return false;
    }
    return true;
}

struct Result {
    int code = -1;
    QByteArray out;
    QString err;
};

// Runs the program to its end, with the environment changed as given
// (an empty value removes the variable).
Result runToEnd(const QStringList& args, const QHash<QString, QString>& env = {}, int ms = 15000)
{
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.remove(QStringLiteral("ZORVEX_DATA_DIR"));
    for (auto it = env.cbegin(); it != env.cend(); ++it) {
        if (it.value().isEmpty())
            e.remove(it.key());
        else
            e.insert(it.key(), it.value());
    }
    p.setProcessEnvironment(e);
    p.start(QStringLiteral(ZORVEX_BINARY), args);
    if (!p.waitForFinished(ms)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

const QHash<QString, QString> kNoDisplay = {{QStringLiteral("DISPLAY"), QString()},
                                            {QStringLiteral("WAYLAND_DISPLAY"), QString()},
                                            {QStringLiteral("QT_QPA_PLATFORM"), QString()}};

} // namespace

class TestCommandLineProgram : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void todayAsJson();
    void printsWithoutADisplay_data();
    void printsWithoutADisplay();
    void helpAndVersion();
    void refusals_data();
    void refusals();
    void noDisplaySaysSo();
    void withoutAnInstance_data();
    void withoutAnInstance();
    void remoteControl_data();
    void remoteControl();
    void quitEndsTheInstanceInOrder();

private:
    QHash<QString, QString> runtimeEnv() const
    {
        return {{QStringLiteral("XDG_RUNTIME_DIR"), m_run->outside(QStringLiteral("rt"))},
                {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
                {QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/zorvex-test")}};
    }
    QStringList withData(const QStringList& args) const
    {
        return QStringList{QStringLiteral("--data-dir"), m_run->dataFolder()} + args;
    }
    // Starts the instance and waits until it has loaded its settings.
    QProcess* startInstance(const QStringList& args = {})
    {
        QProcess* p = m_run->start(args);
        return m_run->waitForOutput(p, QStringLiteral("Ustawienia wczytane")) ? p : nullptr;
    }

    std::unique_ptr<test::ProgramRun> m_run;
};

void TestCommandLineProgram::init()
{
    m_run = std::make_unique<test::ProgramRun>();
    QVERIFY(m_run->valid());
    QVERIFY(copyTree(QStringLiteral(ZORVEX_SHIPPED_DATA), m_run->dataFolder()));
}

void TestCommandLineProgram::cleanup()
{
    m_run.reset();
}

void TestCommandLineProgram::todayAsJson()
{
    const Result r = runToEnd(withData({QStringLiteral("--print"), QStringLiteral("today"), QStringLiteral("--date"),
                                        QStringLiteral("2025-06-24"), QStringLiteral("--json")}),
                              kNoDisplay);
    QCOMPARE(r.code, 0);
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(r.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(o.value(QStringLiteral("date")).toString(), QStringLiteral("2025-06-24"));
    QCOMPARE(o.value(QStringLiteral("weekday")).toString(), QStringLiteral("wtorek"));
    QVERIFY(o.value(QStringLiteral("name_days")).toString().startsWith(QStringLiteral("Jana")));
    QVERIFY(!o.value(QStringLiteral("sentence")).toString().isEmpty());
    // Warsaw in summer time on that date, whatever the machine's zone is.
    QCOMPARE(o.value(QStringLiteral("sunrise")).toString(), QStringLiteral("04:14"));
    QCOMPARE(o.value(QStringLiteral("sunset")).toString(), QStringLiteral("21:01"));
    QCOMPARE(o.value(QStringLiteral("day_length")).toInt(), 16 * 60 + 47);
    QCOMPARE(o.value(QStringLiteral("day_of_year")).toInt(), 175);
    QCOMPARE(o.value(QStringLiteral("iso_week")).toInt(), 26);
    QCOMPARE(o.value(QStringLiteral("zodiac")).toString(), QStringLiteral("Rak"));
    QVERIFY(o.value(QStringLiteral("events")).isArray());
}

void TestCommandLineProgram::printsWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("contains");
    // 25 December is a holiday of the shipped important days.
    QTest::newRow("a holiday among the day's events")
        << QStringList{QStringLiteral("--print"), QStringLiteral("today"), QStringLiteral("--date"),
                       QStringLiteral("2026-12-25")}
        << QString::fromUtf8("ważny dzień: ");
    QTest::newRow("the month as the grid shows it")
        << QStringList{QStringLiteral("--print"), QStringLiteral("month"), QStringLiteral("--date"),
                       QStringLiteral("2026-02-10")}
        << QStringLiteral("Pn  Wt  Śr  Cz  Pt  So  Nd");
    QTest::newRow("upcoming dates as JSON")
        << QStringList{QStringLiteral("--print"), QStringLiteral("upcoming"), QStringLiteral("--date"),
                       QStringLiteral("2026-12-23"), QStringLiteral("--json")}
        << QStringLiteral("\"days_left\":2");
}

void TestCommandLineProgram::printsWithoutADisplay()
{
    QFETCH(QStringList, args);
    QFETCH(QString, contains);
    const Result r = runToEnd(withData(args), kNoDisplay);
    QCOMPARE(r.code, 0);
    QVERIFY2(QString::fromUtf8(r.out).contains(contains), r.out.constData());
}

void TestCommandLineProgram::helpAndVersion()
{
    const Result help = runToEnd({QStringLiteral("--help")}, kNoDisplay);
    QCOMPARE(help.code, 0);
    const QString text = QString::fromUtf8(help.out);
    for (const char* option : {"--data-dir", "--page", "--action", "--print", "--date", "--json", "--yes",
                               "--screenshot", "--help", "--version", "ZORVEX_DATA_DIR"})
        QVERIFY2(text.contains(QLatin1String(option)), option);
    for (const ActionName& a : actionNames())
        QVERIFY2(text.contains(a.name), qPrintable(a.name));
    const Result version = runToEnd({QStringLiteral("--version")}, kNoDisplay);
    QCOMPARE(version.code, 0);
    QVERIFY(version.out.startsWith("zorvex "));
}

void TestCommandLineProgram::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("instanceRunning");
    QTest::addColumn<QString>("says");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--colour")} << false
                                    << QStringLiteral("Użycie: zorvex");
    QTest::newRow("unknown option, an instance running") << QStringList{QStringLiteral("--colour")} << true
                                                         << QStringLiteral("Użycie: zorvex");
    QTest::newRow("unknown action lists the names") << QStringList{QStringLiteral("--action"), QStringLiteral("dance")}
                                                    << true << QStringLiteral("play-pause");
    QTest::newRow("a bad date") << QStringList{QStringLiteral("--print"), QStringLiteral("today"),
                                               QStringLiteral("--date"), QStringLiteral("24.06.2025")}
                                << false << QStringLiteral("RRRR-MM-DD");
}

void TestCommandLineProgram::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(bool, instanceRunning);
    QFETCH(QString, says);
    QProcess* instance = instanceRunning ? startInstance() : nullptr;
    QVERIFY(!instanceRunning || instance);
    const Result r = runToEnd(withData(args), runtimeEnv());
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(says), qPrintable(r.err));
    if (instance)
        QCOMPARE(instance->state(), QProcess::Running);
}

void TestCommandLineProgram::noDisplaySaysSo()
{
    const Result r = runToEnd(withData({}), kNoDisplay);
    QCOMPARE(r.code, 1);
    QCOMPARE(r.err.trimmed().count(QLatin1Char('\n')), 0);
    QVERIFY2(r.err.contains(QStringLiteral("brak ekranu")), qPrintable(r.err));
}

void TestCommandLineProgram::withoutAnInstance_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("starts");
    QTest::newRow("quit") << QStringLiteral("quit") << false;
    QTest::newRow("hide") << QStringLiteral("hide") << false;
    QTest::newRow("tools starts the program") << QStringLiteral("tools") << true;
}

void TestCommandLineProgram::withoutAnInstance()
{
    QFETCH(QString, action);
    QFETCH(bool, starts);
    if (!starts) {
        const Result r = runToEnd(withData({QStringLiteral("--action"), action}), runtimeEnv());
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("nie jest uruchomiony")), qPrintable(r.err));
        return;
    }
    QProcess* started = startInstance({QStringLiteral("--action"), action});
    QVERIFY(started);
    const Result quit = runToEnd(withData({QStringLiteral("--action"), QStringLiteral("quit")}), runtimeEnv());
    QCOMPARE(quit.code, 0);
    QVERIFY(started->waitForFinished(10000));
    QCOMPARE(started->exitCode(), 0);
}

void TestCommandLineProgram::remoteControl_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("says");
    QTest::newRow("open the Tools window") << QStringList{QStringLiteral("--action"), QStringLiteral("tools")} << 0
                                           << QString();
    QTest::newRow("show the window") << QStringList{QStringLiteral("--action"), QStringLiteral("show")} << 0
                                     << QString();
    QTest::newRow("a page by its code") << QStringList{QStringLiteral("--page"), QStringLiteral("18")} << 0
                                        << QString();
    QTest::newRow("the notification command") << QStringList{QStringLiteral("--page"), QStringLiteral("43")} << 0
                                              << QString();
    // Nothing saved yet: the desktop is not even asked.
    QTest::newRow("restore icons with nothing saved")
        << QStringList{QStringLiteral("--action"), QStringLiteral("restore-icons")} << 0 << QString();
    QTest::newRow("a code that is no page") << QStringList{QStringLiteral("--page"), QStringLiteral("99")} << 1
                                            << QStringLiteral("Nieznany kod strony: 99");
}

void TestCommandLineProgram::remoteControl()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, says);
    QProcess* instance = startInstance();
    QVERIFY(instance);
    const Result r = runToEnd(withData(args), runtimeEnv());
    QCOMPARE(r.code, code);
    QVERIFY2(says.isEmpty() ? r.err.isEmpty() : r.err.contains(says), qPrintable(r.err));
    QCOMPARE(instance->state(), QProcess::Running);
}

void TestCommandLineProgram::quitEndsTheInstanceInOrder()
{
    QProcess* instance = startInstance();
    QVERIFY(instance);
    // The orderly shutdown deletes the autosave record, which only a crash
    // leaves behind.
    const QString login = LinuxSystemServices().loginName();
    const QString autosave =
        m_run->dataFile(QStringLiteral("Autozapis_%1.ini").arg(login.isEmpty() ? QStringLiteral("Uzytkownik") : login));
    QFile record(autosave);
    QVERIFY(record.open(QIODevice::WriteOnly));
    record.write("[Autozapis]\r\n");
    record.close();
    const Result r = runToEnd(withData({QStringLiteral("--action"), QStringLiteral("quit")}), runtimeEnv());
    QCOMPARE(r.code, 0);
    QVERIFY(instance->waitForFinished(10000));
    QCOMPARE(instance->exitStatus(), QProcess::NormalExit);
    QCOMPARE(instance->exitCode(), 0);
    QVERIFY2(!m_run->output(instance).contains(QStringLiteral("Błąd podczas zamykania")),
             qPrintable(m_run->output(instance)));
    QVERIFY(!QFileInfo::exists(autosave));
}

QTEST_GUILESS_MAIN(TestCommandLineProgram)
#include "tst_commandline_program.moc"
