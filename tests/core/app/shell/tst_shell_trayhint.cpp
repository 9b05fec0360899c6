#include "FakeStatusValues.h"
#include "core/app/TrayHint.h"

#include <QTest>

namespace zorvex {

namespace {

using test::kMb;
using FakeValues = test::FakeStatusValues;

FakeValues knownValues()
{
    FakeValues v;
    v.trafficOn = true;
    v.ramFigures = MemoryFigures{1000 * kMb, 250 * kMb + 5};
    v.swapFigures = MemoryFigures{2000 * kMb, 1500 * kMb};
    v.cpu = 64;
    TrafficFigures t;
    t.receivedKbPerSecond = 12;
    t.sentKbPerSecond = 3;
    t.averageReceived = QStringLiteral("1,50 KB");
    t.averageSent = QStringLiteral("512 B");
    t.totalReceived = QStringLiteral("1,20 GB");
    t.totalSent = QStringLiteral("80,00 MB");
    t.interfaceText = QStringLiteral("192.168.  1. 10");
    v.trafficFigures = t;
    v.radioText = RadioText{QStringLiteral("Artist - Song"), QStringLiteral("Radio Zet")};
    v.playlist = QStringLiteral("Track 7");
    v.uptime = QStringLiteral("2 godz. 5 min.");
    return v;
}

TrayHintContext context()
{
    TrayHintContext c;
    c.version = QStringLiteral("3.1.4");
    return c;
}

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

class TestShellTrayHint : public QObject {
    Q_OBJECT

private slots:
    void substitution_data();
    void substitution();
    void freeAndUsedMemory();
    void unknownValuesShowQuestionMarks();
    void linesOfMissingFeaturesLeftOut_data();
    void linesOfMissingFeaturesLeftOut();
    void trafficOffShowsQuestionMarks();
    void trafficMonitorAskedOnlyWhenNeeded_data();
    void trafficMonitorAskedOnlyWhenNeeded();
    void cut_data();
    void cut();
    void memoLines_data();
    void memoLines();
};

void TestShellTrayHint::substitution_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("hint");

    QTest::newRow("default pattern")
        << defaultTrayHintPattern()
        << u("Zorvex\nRAM: 250\nSWAP: 500\nUżycie procesora: 64%\nTransfer/sek. (pobieranie): 12 kB\n"
             "Transfer/sek. (wysyłanie): 3 kB");
    QTest::newRow("every occurrence") << QStringLiteral("[CPU] / [CPU]") << QStringLiteral("64% / 64%");
    QTest::newRow("case-sensitive") << QStringLiteral("[cpu] [Ram]") << QStringLiteral("[cpu] [Ram]");
    QTest::newRow("traffic texts") << u("[TR_POB/ŚR]|[TR_WYS/ŚR]|[TR_POB_RAZEM]|[TR_WYS_RAZEM]")
                                   << u("1,50 KB\n512 B\n1,20 GB\n80,00 MB");
    QTest::newRow("interface without blanks") << QStringLiteral("IP: [IP]") << QStringLiteral("IP: 192.168.1.10");
    QTest::newRow("media, version, uptime") << QStringLiteral("[RADIO]|[M3U]|[WERSJA]|[UPTIME]")
                                            << u("Artist - Song\nTrack 7\n3.1.4\n2 godz. 5 min.");
    QTest::newRow("unfinished placeholder") << QStringLiteral("[RAM [CPU") << QStringLiteral("[RAM [CPU");
    QTest::newRow("blank lines trimmed at the ends") << QStringLiteral("  ||Zorvex| ") << QStringLiteral("Zorvex");
    QTest::newRow("empty pattern") << QString() << QString();
}

void TestShellTrayHint::substitution()
{
    QFETCH(QString, pattern);
    QFETCH(QString, hint);
    const FakeValues v = knownValues();
    QCOMPARE(buildTrayHint(pattern, context(), v), hint);
}

void TestShellTrayHint::freeAndUsedMemory()
{
    FakeValues v = knownValues();
    TrayHintContext c = context();
    c.ramShowsFree = false;
    c.swapShowsFree = true;
    QCOMPARE(buildTrayHint(QStringLiteral("[RAM] [SWAP]"), c, v), QStringLiteral("750 1500"));

    // The station stands in for a missing title; a title that looks like a
    // placeholder is shown as it is.
    v.radioText = RadioText{QStringLiteral("  "), QStringLiteral("Radio Zet")};
    QCOMPARE(buildTrayHint(QStringLiteral("[RADIO]"), c, v), QStringLiteral("Radio Zet"));
    v.radioText = RadioText{QStringLiteral("[CPU] [IP]"), QStringLiteral("x")};
    QCOMPARE(buildTrayHint(QStringLiteral("[RADIO]"), c, v), QStringLiteral("[CPU] [IP]"));
    v.playlist = QString();
    QCOMPARE(buildTrayHint(QStringLiteral("M3U: [M3U]."), c, v), QStringLiteral("M3U: ."));
}

void TestShellTrayHint::unknownValuesShowQuestionMarks()
{
    // Every feature runs, none has a value yet.
    const FakeValues none;
    QCOMPARE(buildTrayHint(defaultTrayHintPattern(), TrayHintContext{}, none),
             u("Zorvex\nRAM: ?\nSWAP: ?\nUżycie procesora: ?\nTransfer/sek. (pobieranie): ?\n"
               "Transfer/sek. (wysyłanie): ?"));
    QCOMPARE(buildTrayHint(QStringLiteral("[RADIO] [M3U] [UPTIME] [WERSJA]"), TrayHintContext{}, none),
             QStringLiteral("? ? ? ?"));
}

void TestShellTrayHint::linesOfMissingFeaturesLeftOut_data()
{
    using F = StatusFeature;
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QList<int>>("absentFeatures"); // StatusFeature
    QTest::addColumn<QString>("hint");

    auto f = [](std::initializer_list<StatusFeature> list) {
        QList<int> out;
        for (StatusFeature x : list)
            out << int(x);
        return out;
    };
    const QList<int> all = f({F::Gauges, F::Traffic, F::Radio, F::Playlist, F::Uptime});
    QTest::newRow("default pattern, no feature") << defaultTrayHintPattern() << all << u("Zorvex");
    QTest::newRow("default pattern, gauges only")
        << defaultTrayHintPattern() << f({F::Traffic})
        << u("Zorvex\nRAM: 250\nSWAP: 500\nUżycie procesora: 64%");
    QTest::newRow("version needs no feature") << u("Zorvex|RAM: [RAM]|Wersja [WERSJA]") << all
                                              << u("Zorvex\nWersja 3.1.4");
    QTest::newRow("one missing value takes its line") << u("[WERSJA] [UPTIME]|[CPU]") << f({F::Uptime})
                                                       << u("64%");
    QTest::newRow("each feature on its own")
        << u("a [RADIO]|b [M3U]|c [UPTIME]|d [IP]|e [SWAP]") << f({F::Radio, F::Uptime})
        << u("b Track 7\nd 192.168.1.10\ne 500");
    QTest::newRow("nothing left") << u("[RAM]|[TR_POB/SEK]") << all << QString();
}

void TestShellTrayHint::linesOfMissingFeaturesLeftOut()
{
    QFETCH(QString, pattern);
    QFETCH(QList<int>, absentFeatures);
    QFETCH(QString, hint);
    FakeValues v = knownValues();
    for (int feature : absentFeatures)
        v.absent << StatusFeature(feature);
    QCOMPARE(buildTrayHint(pattern, context(), v), hint);
    // A line left out asks its feature nothing.
    if (v.absent.contains(StatusFeature::Traffic))
        QCOMPARE(v.trafficQuestions, 0);
}

void TestShellTrayHint::trafficOffShowsQuestionMarks()
{
    FakeValues v = knownValues();
    v.trafficOn = false;
    QCOMPARE(buildTrayHint(u("[TR_POB/SEK] [TR_WYS/SEK] [TR_POB/ŚR] [TR_WYS/ŚR] [TR_POB_RAZEM] [TR_WYS_RAZEM] [IP] "
                             "[CPU]"),
                           context(), v),
             QStringLiteral("? ? ? ? ? ? ? 64%"));
}

void TestShellTrayHint::trafficMonitorAskedOnlyWhenNeeded_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("questions");

    QTest::newRow("no traffic placeholder") << QStringLiteral("Zorvex|[RAM]|[SWAP]|[CPU]|[RADIO]|[UPTIME]") << 0;
    QTest::newRow("lookalike text") << QStringLiteral("[TR_] [IP ] TR_POB/SEK") << 0;
    QTest::newRow("several traffic placeholders") << QStringLiteral("[TR_POB/SEK] [IP] [TR_WYS/SEK]") << 2;
}

void TestShellTrayHint::trafficMonitorAskedOnlyWhenNeeded()
{
    QFETCH(QString, pattern);
    QFETCH(int, questions);
    const FakeValues v = knownValues();
    buildTrayHint(pattern, context(), v);
    // Whether the statistic is on, and its figures: once per hint at most.
    QCOMPARE(v.trafficQuestions, questions);
}

void TestShellTrayHint::cut_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("hint");

    const QString a127(127, QLatin1Char('a'));
    QTest::newRow("exactly 127") << a127 << a127;
    QTest::newRow("longer pattern") << QString(200, QLatin1Char('a')) << a127;
    QTest::newRow("leading blanks go before the cut") << QStringLiteral("    ") + QString(130, QLatin1Char('b'))
                                                      << QString(127, QLatin1Char('b'));
    QTest::newRow("blank at the cut is trimmed") << QString(126, QLatin1Char('c')) + QStringLiteral(" dddd")
                                                 << QString(126, QLatin1Char('c'));
    QTest::newRow("long after substitution") << QStringLiteral("Uptime [UPTIME]")
                                             << QStringLiteral("Uptime ") + QString(120, QLatin1Char('u'));
    // Cutting must not leave half of a character.
    QTest::newRow("surrogate pair at the cut") << QString(126, QLatin1Char('e')) + u("\U0001F600")
                                               << QString(126, QLatin1Char('e'));
}

void TestShellTrayHint::cut()
{
    QFETCH(QString, pattern);
    QFETCH(QString, hint);
    FakeValues v = knownValues();
    v.uptime = QString(300, QLatin1Char('u'));
    const QString result = buildTrayHint(pattern, context(), v);
    QCOMPARE(result, hint);
    QVERIFY(result.size() <= kTrayHintMaxLength);
}

void TestShellTrayHint::memoLines_data()
{
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("pattern");

    QTest::newRow("CR LF") << QStringLiteral("Zorvex\r\nRAM: [RAM]") << QStringLiteral("Zorvex|RAM: [RAM]");
    QTest::newRow("CR and LF alone") << QStringLiteral("a\rb\nc") << QStringLiteral("a|b|c");
    QTest::newRow("empty line kept") << QStringLiteral("a\n\nb") << QStringLiteral("a||b");
    QTest::newRow("trailing line break") << QStringLiteral(" a\n") << QStringLiteral("a|");
    QTest::newRow("empty") << QString() << QString();
}

void TestShellTrayHint::memoLines()
{
    QFETCH(QString, memo);
    QFETCH(QString, pattern);
    QCOMPARE(hintPatternFromLines(memo), pattern);
    QCOMPARE(hintPatternFromLines(hintLinesFromPattern(pattern)), pattern);
}

} // namespace zorvex

QTEST_APPLESS_MAIN(zorvex::TestShellTrayHint)
#include "tst_shell_trayhint.moc"
