#include "core/internet/MiscPages.h"

#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(zorvex::AlarmLinkVerdict)

class TestMiscPages : public QObject {
    Q_OBJECT
private slots:
    void alarmLinks_data();
    void alarmLinks();
    void startSelection_data();
    void startSelection();
    void menuVisibility();
};

namespace {
const QUrl kService(u"https://zorvex.pl/serwis.php?l="_s);
const QUrl kPage(u"https://zorvex.pl/serwis.php?l=otv.php?user_id=abc"_s);
const QDateTime kNow(QDate(2026, 12, 10), QTime(21, 15));
} // namespace

void TestMiscPages::alarmLinks_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("clicked");
    QTest::addColumn<AlarmLinkVerdict>("verdict");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("text");
    const QString page = kPage.toString();
    const QString base = u"https://zorvex.pl/alarm.php?alarm="_s;
    const auto allowed = AlarmLinkVerdict::Allowed;
    const auto refused = AlarmLinkVerdict::Refused;

    QTest::newRow("allowed") << base + u"2026-12-24%2018:00|Wigilia%20u%20babci"_s << page << true << allowed
                             << QDateTime(QDate(2026, 12, 24), QTime(18, 0)) << u"Wigilia u babci"_s;
    QTest::newRow("allowed, encoded bar and Windows-1250 letters")
        << base + u"2026-12-24%2018:00%7CKol%EAdy"_s << page << true << allowed
        << QDateTime(QDate(2026, 12, 24), QTime(18, 0)) << u"Kolędy"_s;
    QTest::newRow("allowed, UTF-8 letters") << base + u"2026-12-24 18:00|Kol%C4%99dy"_s << page << true << allowed
                                            << QDateTime(QDate(2026, 12, 24), QTime(18, 0)) << u"Kolędy"_s;
    QTest::newRow("upper-case marker") << u"https://zorvex.pl/TV.PHP?ALARM=2026-12-11 06:30|Pobudka"_s << page << true
                                       << allowed << QDateTime(QDate(2026, 12, 11), QTime(6, 30)) << u"Pobudka"_s;
    QTest::newRow("unparsable date: now") << base + u"jutro|Film"_s << page << true << allowed << kNow << u"Film"_s;
    QTest::newRow("markup stays text") << base + u"2026-12-24 18:00|%3Cb%3EFilm%3C/b%3E"_s << page << true << allowed
                                       << QDateTime(QDate(2026, 12, 24), QTime(18, 0)) << u"<b>Film</b>"_s;
    // The text ends at "&": extra keys can never reach anything but the text.
    QTest::newRow("extra keys ignored")
        << base + u"2026-12-24 18:00|Film&program=/bin/sh&wylacz=1"_s << page << true << allowed
        << QDateTime(QDate(2026, 12, 24), QTime(18, 0)) << u"Film"_s;
    QTest::newRow("no bar: swallowed") << base + u"2026-12-24 18:00"_s << page << true << AlarmLinkVerdict::Swallowed
                                       << QDateTime() << QString();

    QTest::newRow("refused: not clicked (script)") << base + u"2026-12-24 18:00|Film"_s << page << false << refused
                                                   << QDateTime() << QString();
    QTest::newRow("refused: link to another site") << u"https://zly.example/a.php?alarm=2026-12-24 18:00|Film"_s << page
                                                   << true << refused << QDateTime() << QString();
    QTest::newRow("refused: page from another site")
        << base + u"2026-12-24 18:00|Film"_s << u"https://zly.example/strona.html"_s << true << refused << QDateTime()
        << QString();
    QTest::newRow("refused: same host, plain http") << u"http://zorvex.pl/a.php?alarm=2026-12-24 18:00|Film"_s << page
                                                    << true << refused << QDateTime() << QString();
    QTest::newRow("refused: same host, other port")
        << u"https://zorvex.pl:8443/a.php?alarm=2026-12-24 18:00|Film"_s << page << true << refused << QDateTime()
        << QString();
    QTest::newRow("refused: host that only starts alike")
        << u"https://zorvex.pl.zly.example/a.php?alarm=2026-12-24 18:00|Film"_s << page << true << refused
        << QDateTime() << QString();

    QTest::newRow("ordinary link") << u"https://zorvex.pl/otv.php?kanal=1"_s << page << true
                                   << AlarmLinkVerdict::NotAlarm << QDateTime() << QString();
}

void TestMiscPages::alarmLinks()
{
    QFETCH(QString, link);
    QFETCH(QString, page);
    QFETCH(bool, clicked);
    QFETCH(AlarmLinkVerdict, verdict);
    QFETCH(QDateTime, when);
    QFETCH(QString, text);
    const AlarmLinkDecision d = decideAlarmLink(QUrl(link), QUrl(page), kService, clicked, kNow);
    QCOMPARE(d.verdict, verdict);
    if (verdict == AlarmLinkVerdict::Allowed) {
        QCOMPARE(d.alarm.when, when);
        QCOMPARE(d.alarm.text, text);
    }
}

void TestMiscPages::startSelection_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("saved");
    QTest::addColumn<int>("expected");
    const QStringList list{u"Horoskop|horoskop.php"_s, u"Kursy|kursy.php"_s, u"Program TV|OTV.php"_s};
    QTest::newRow("saved and valid") << list << 1 << 1;
    QTest::newRow("none saved: the television programme") << list << -1 << 2;
    QTest::newRow("saved beyond the list") << list << 3 << 2;
    QTest::newRow("no otv.php: the first") << QStringList{u"A|a.php"_s, u"B|b.php"_s} << -1 << 0;
    QTest::newRow("empty list") << QStringList{} << -1 << -1;
}

void TestMiscPages::startSelection()
{
    QFETCH(QStringList, lines);
    QFETCH(int, saved);
    QFETCH(int, expected);
    QCOMPARE(initialMiscSelection(parseMiscList(lines), saved), expected);
}

void TestMiscPages::menuVisibility()
{
    const QList<MiscEntry> entries =
        parseMiscList({u"Horoskop dzienny|horoskop.php"_s, u""_s, u"Kursy walut|kursy.php|tabela A"_s, u"TV|otv.php"_s});
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[1].script, u"kursy.php"_s);
    QCOMPARE(horoscopeEntry(entries), 0);
    QCOMPARE(horoscopeEntry(parseMiscList({u"TV|otv.php"_s})), -1);

    // An entry without a line is shown; only "0" hides.
    const QStringList hidden = hiddenMiscEntries({u"Kursy walut|0"_s, u"TV|1"_s, u"Nieznana|0"_s});
    QCOMPARE(hidden, (QStringList{u"Kursy walut"_s, u"Nieznana"_s}));
    QCOMPARE(miscMenuLines(entries, hidden),
             (QStringList{u"Horoskop dzienny|1"_s, u"Kursy walut|0"_s, u"TV|1"_s}));
}

QTEST_GUILESS_MAIN(TestMiscPages)
#include "tst_miscpages.moc"
