#include "core/app/CommandLine.h"
#include "core/internet/InstallDispatcher.h"

#include <QTest>

namespace zorvex {

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void programOptions_data();
    void programOptions();
    void singleArgument_data();
    void singleArgument();
    void instanceDecision_data();
    void instanceDecision();
    void installText_data();
    void installText();
};

namespace {

QStringList list(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* s : items)
        out << QString::fromUtf8(s);
    return out;
}

} // namespace

void TestCommandLine::programOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("rest");
    QTest::addColumn<bool>("error");

    QTest::newRow("nothing") << QStringList() << QString() << QString() << QStringList() << false;
    QTest::newRow("--data-dir DIR before a file")
        << list({"--data-dir", "/dane", "kopia.zvx"}) << QStringLiteral("/dane") << QString() << list({"kopia.zvx"})
        << false;
    QTest::newRow("--data-dir=DIR after a file") << list({"kopia.zvx", "--data-dir=/dane"}) << QStringLiteral("/dane")
                                                 << QString() << list({"kopia.zvx"}) << false;
    QTest::newRow("--page CODE, rest kept in order")
        << list({"a", "--page", "12", "b"}) << QString() << QStringLiteral("12") << list({"a", "b"}) << false;
    QTest::newRow("--data-dir without its value")
        << list({"--data-dir"}) << QString() << QString() << QStringList() << true;
    QTest::newRow("an unknown option is refused") << list({"--tools", "12"}) << QString() << QString()
                                                  << list({"12"}) << true;
    QTest::newRow("a page code must be a number") << list({"--page", "Alarm"}) << QString()
                                                  << QStringLiteral("Alarm") << QStringList() << true;
    QTest::newRow("an unknown query") << list({"--print", "weather"}) << QString() << QString() << QStringList()
                                      << true;
    QTest::newRow("a date that is not one") << list({"--print", "today", "--date", "2025-02-30"}) << QString()
                                            << QString() << QStringList() << true;
    QTest::newRow("after -- everything is an argument")
        << list({"--", "--help"}) << QString() << QString() << list({"--help"}) << false;
}

void TestCommandLine::programOptions()
{
    QFETCH(QStringList, args);
    QFETCH(QString, dataDir);
    QFETCH(QString, page);
    QFETCH(QStringList, rest);
    QFETCH(bool, error);
    const ProgramOptions o = parseProgramOptions(args);
    QCOMPARE(o.dataDir, dataDir);
    QCOMPARE(o.page, page);
    QCOMPARE(o.arguments, rest);
    QCOMPARE(!o.error.isEmpty(), error);
}

void TestCommandLine::singleArgument_data()
{
    // Existing files of the fixture: "kopia.zvx", "Dodatek.ZVXD", "notatki.txt".
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("handOff");
    QTest::addColumn<QString>("pending");
    QTest::addColumn<bool>("updated");

    QTest::newRow("no argument") << QStringList() << false << QString() << false;
    QTest::newRow("existing backup") << list({"kopia.zvx"}) << true << QStringLiteral("kopia.zvx") << false;
    QTest::newRow("existing add-on, upper-case extension")
        << list({"Dodatek.ZVXD"}) << true << QStringLiteral("Dodatek.ZVXD") << false;
    QTest::newRow("backup that does not exist") << list({"brak.zvx"}) << false << QString() << false;
    QTest::newRow("existing file of another kind") << list({"notatki.txt"}) << false << QString() << false;
    QTest::newRow("radio address") << list({"http://radio.pl/stream"}) << true << QString() << false;
    QTest::newRow("text containing HTTP://") << list({"Radio HTTP://radio.pl"}) << true << QString() << false;
    QTest::newRow("two arguments") << list({"kopia.zvx", "http://radio.pl"}) << false << QString() << false;
    QTest::newRow("updated") << list({"updated"}) << false << QString() << true;
    QTest::newRow("Updated is not exact") << list({"Updated"}) << false << QString() << false;
    QTest::newRow("updated with more") << list({"updated", "x"}) << false << QString() << false;
}

void TestCommandLine::singleArgument()
{
    QFETCH(QStringList, args);
    QFETCH(bool, handOff);
    QFETCH(QString, pending);
    QFETCH(bool, updated);
    const FileExists exists = [](const QString& p) {
        return p == QLatin1String("kopia.zvx") || p == QLatin1String("Dodatek.ZVXD")
            || p == QLatin1String("notatki.txt");
    };
    QCOMPARE(shouldHandOff(args, exists), handOff);
    QCOMPARE(pendingCommandLinePath(args, exists), pending);
    QCOMPARE(isUpdatedArgument(args), updated);
}

void TestCommandLine::instanceDecision_data()
{
    QTest::addColumn<bool>("anotherRunning");
    QTest::addColumn<bool>("blokuj");
    QTest::addColumn<int>("decision");
    QTest::addColumn<bool>("consume");

    QTest::newRow("alone") << false << true << int(InstanceDecision::Run) << false;
    QTest::newRow("another runs") << true << true << int(InstanceDecision::ExitSilently) << false;
    QTest::newRow("another runs, permission given")
        << true << false << int(InstanceDecision::RunWithPermission) << true;
    // The permission is used up even when nobody else runs.
    QTest::newRow("alone, permission given") << false << false << int(InstanceDecision::Run) << true;
}

void TestCommandLine::instanceDecision()
{
    QFETCH(bool, anotherRunning);
    QFETCH(bool, blokuj);
    QFETCH(int, decision);
    QFETCH(bool, consume);
    const InstanceOutcome o = decideInstance(anotherRunning, blokuj);
    QCOMPARE(int(o.decision), decision);
    QCOMPARE(o.consumePermission, consume);
}

void TestCommandLine::installText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");

    auto row = [](const char* text, InstallTextKind kind) { QTest::newRow(text) << QString::fromUtf8(text) << int(kind); };
    row("/home/jan/kopia.zvx", InstallTextKind::SettingsBackup);
    row("/home/jan/KOPIA.Zvx", InstallTextKind::SettingsBackup);
    row("/home/jan/dodatek.zvxd", InstallTextKind::AddonPackage);
    row("/home/jan/dodatek.ZVXD", InstallTextKind::AddonPackage);
    row("http://radio.pl:8000/stream", InstallTextKind::RadioStream);
    row("HTTP://radio.pl", InstallTextKind::RadioStream);
    row("http://a", InstallTextKind::RadioStream);
    row("http://", InstallTextKind::Ignored);
    row("http://radio.pl\xcb\x99Radio Ż", InstallTextKind::RadioStream);
    row(" http://radio.pl", InstallTextKind::Ignored);
    row("https://radio.pl", InstallTextKind::Ignored);
    row("/home/jan/kopia.zvx.txt", InstallTextKind::Ignored);
    QTest::newRow("empty text") << QString() << int(InstallTextKind::Ignored);
}

void TestCommandLine::installText()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QCOMPARE(int(installTextKind(text)), kind);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestCommandLine)
#include "tst_commandline.moc"
