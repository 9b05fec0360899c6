#include "core/reminders/UpcomingDates.h"
#include "core/reminders/UpcomingPage.h"

#include <QtTest>

using namespace zorvex;

namespace {

const QString kFolder = QStringLiteral("/home/ala/.local/share/zorvex");

// The page up to the first row, written out whole for kFolder.
const QString kHead = QStringLiteral(
    "<!DOCTYPE HTML SYSTEM>\r<html>\r<head>\r"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">\r"
    "<meta http-equiv=\"Pragma\" content=\"no-cache\">\r</head>\r<style type=\"text/css\">\r"
    ".tabnag  { height: 15px; background-image: url('file:///home/ala/.local/share/zorvex/Gfx/02.jpg'); "
    "padding-top: 1px; padding-bottom: 1px; padding-left: 5px; padding-right: 5px; border-bottom: 0px solid #000000; "
    "background-color: #D1102D; color: #FFFFD8; font-size: 8pt; font-family: Verdana, Arial, Helvetica}\r"
    ".tabnag2 { height: 15px; background-image: url('file:///home/ala/.local/share/zorvex/Gfx/03.jpg'); "
    "padding-top: 1px; padding-bottom: 1px; padding-left: 5px; padding-right: 5px; border-bottom: 0px solid #000000; "
    "background-color: #428CE5; color: #FFFFD8; font-size: 8pt; font-family: Verdana, Arial, Helvetica}\r"
    ".tabnor1 { height:17px; padding-left: 5px; padding-right: 5px; border-bottom: 1px solid #95BDEE; "
    "background-color: #FFFFFF; color: #000000; font-size: 8pt; font-family: Verdana, Arial, sans-serif}\r"
    ".tabnor2 { height:17px; padding-left: 5px; padding-right: 5px; border-bottom: 1px solid #95BDEE; "
    "background-color: #EAF8FF; color: #000000; font-size: 8pt; font-family: Verdana, Arial, sans-serif}\r"
    "</style>\r"
    "<body style=\"margin:0px; overflow: auto; background-color:#FFFFFF; background-image: "
    "url('file:///home/ala/.local/share/zorvex/Gfx/01.png'); background-position-x: left; background-repeat: "
    "repeat-y; cursor: default; font-family : Arial, Verdana, sans-serif; font-size: 10pt;\">\r"
    "<table cellpadding=0 cellspacing=0 border=0 width=100%>\r<tr>\r"
    "<td align=center class=tabnag nowrap width=\"65px\">Data</td>\r"
    "<td align=center class=tabnag nowrap width=\"72px\" style=\"border-left: 1px solid #95BDEE;\">Dzień tyg.</td>\r"
    "<td align=center class=tabnag nowrap width=\"65px\" style=\"border-left: 1px solid #95BDEE;\">Kiedy</td>\r"
    "<td align=center class=tabnag nowrap style=\"border-left: 1px solid #95BDEE;\">Ważne daty</td>\r</tr>\r");

const QString kSecondHead = QStringLiteral(
    "<tr><td colspan=5>&nbsp;</td></tr><tr>\r"
    "<td align=center class=tabnag2 nowrap width=\"65px\">Data</td>\r"
    "<td align=center class=tabnag2 nowrap width=\"72px\" style=\"border-left: 1px solid #95BDEE;\">Dzień tyg.</td>\r"
    "<td align=center class=tabnag2 nowrap width=\"65px\" style=\"border-left: 1px solid #95BDEE;\">Kiedy</td>\r"
    "<td align=center class=tabnag2 nowrap style=\"border-left: 1px solid #95BDEE;\">Ważne daty</td>\r</tr>");

const QString kClosing = QStringLiteral("</table>\r</body>\r</html>");

const QString kGroupCell = QStringLiteral(
    "<td width=\"95px\" align=right nowrap style=\"padding-right:3px; border-right: 1px solid #95BDEE;\">");

UpcomingRow row(int daysAhead, const QDate& date, QMap<int, QStringList> groups)
{
    return UpcomingRow{daysAhead, date, std::move(groups)};
}

QList<UpcomingRow> rowsOf(int count)
{
    QList<UpcomingRow> rows;
    const QDate first(2027, 1, 4);
    for (int i = 0; i < count; ++i)
        rows << row(i, first.addDays(i), {{3, {QStringLiteral("Dzień %1").arg(i)}}});
    return rows;
}

// The G field of the only row of a one-row page.
QString groupField(const UpcomingRow& r)
{
    const QString page = upcomingPageHtml({r}, kFolder);
    const QString start = QStringLiteral("height=100%><tr>") + kGroupCell;
    const int from = page.indexOf(start);
    const int to = page.lastIndexOf(QStringLiteral("</td></tr></table></td></tr>\r"));
    if (from < 0 || to < from)
        return QStringLiteral("<no group field>");
    return page.mid(from + start.size(), to - from - start.size());
}

} // namespace

class TestRemindersPage : public QObject {
    Q_OBJECT
private slots:
    void headAndClosing();
    void wholeRow();
    void secondHeadBeforeFourthRow_data();
    void secondHeadBeforeFourthRow();
    void kindCells_data();
    void kindCells();
    void groupsOfOneDayKeepTheirBreak();
    void escape_data();
    void escape();
    void folderPath_data();
    void folderPath();
};

void TestRemindersPage::headAndClosing()
{
    const QString page = upcomingPageHtml(rowsOf(1), kFolder);
    QCOMPARE(page.left(page.indexOf(QStringLiteral("<tr><td class=tabnor"))), kHead);
    QVERIFY(page.endsWith(kClosing));

    // With no rows the page is the head and the closing only.
    QCOMPARE(upcomingPageHtml({}, kFolder + QLatin1Char('/')), kHead + kClosing);
}

void TestRemindersPage::wholeRow()
{
    const UpcomingRow r = row(2, QDate(2027, 1, 5), {{1, {QStringLiteral("Ala (30 lat)")}}});
    const QString expected = QStringLiteral(
        "<tr><td class=tabnor1 nowrap style=\"border-left: 1px solid #95BDEE;\">05.01.2027</td>"
        "<td class=tabnor1 nowrap style=\"border-left: 1px solid #95BDEE;\">wtorek</td>"
        "<td class=tabnor1 nowrap style=\"border-left: 1px solid #95BDEE;\" align=right>Pojutrze:</td>"
        "<td class=tabnor1 nowrap style=\"padding-right:0px; border-left: 1px solid #95BDEE;border-right: 1px solid "
        "#95BDEE;\"><table cellpadding=0 cellspacing=0 border=0 width=100% height=100%>"
        "<tr><td width=\"95px\" align=right nowrap style=\"padding-right:3px; border-right: 1px solid #95BDEE;\">"
        "Urodziny:</td><td style=\"padding-left:3px; background-color:#B4FFB4;\">Ala (30 lat)"
        "</td></tr></table></td></tr>\r");
    QCOMPARE(upcomingPageHtml({r}, kFolder), kHead + expected + kClosing);
}

void TestRemindersPage::secondHeadBeforeFourthRow_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("classes"); // C of each row, a '|' where the second head stands

    QTest::newRow("one") << 1 << QStringLiteral("1");
    QTest::newRow("three") << 3 << QStringLiteral("121");
    QTest::newRow("four") << 4 << QStringLiteral("121|2");
    QTest::newRow("six") << 6 << QStringLiteral("121|212");
}

void TestRemindersPage::secondHeadBeforeFourthRow()
{
    QFETCH(int, rows);
    QFETCH(QString, classes);

    const QString page = upcomingPageHtml(rowsOf(rows), kFolder);
    QVERIFY(page.startsWith(kHead));
    QVERIFY(page.endsWith(kClosing));
    QString seen;
    const QString rowStart = QStringLiteral("<tr><td class=tabnor");
    for (int at = kHead.size(); at < page.size() - kClosing.size();) {
        if (page.mid(at).startsWith(kSecondHead)) {
            seen += QLatin1Char('|');
            at += kSecondHead.size();
            continue;
        }
        QVERIFY2(page.mid(at).startsWith(rowStart), qPrintable(page.mid(at, 60)));
        const QChar c = page.at(at + rowStart.size());
        // Every cell of the row carries the same class.
        const int end = page.indexOf(QStringLiteral("</tr>\r"), at) + 6;
        const QString piece = page.mid(at, end - at);
        QCOMPARE(piece.count(QStringLiteral("class=tabnor") + c), 4);
        QCOMPARE(piece.count(QStringLiteral("class=tabnor")), 4);
        seen += c;
        at = end;
    }
    QCOMPARE(seen, classes);
}

void TestRemindersPage::kindCells_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");

    const auto cell = [](const char* label, const char* colour) -> QString {
        return QString::fromUtf8(label) + QStringLiteral("</td><td style=\"padding-left:3px; background-color:")
            + QLatin1String(colour) + QStringLiteral(";\">Ola");
    };
    QTest::newRow("birthday") << 1 << cell("Urodziny:", "#B4FFB4");
    QTest::newRow("name day") << 2 << cell("Imieniny:", "#A4FFFF");
    QTest::newRow("important day") << 3 << cell("Ważny dzień:", "#FDEAA8");
    QTest::newRow("private day") << 4 << cell("Prywatny dzień:", "#EEEEEE");
    QTest::newRow("anniversary") << 5 << cell("Rocznica:", "#EEEEEE");
}

void TestRemindersPage::kindCells()
{
    QFETCH(int, kind);
    QFETCH(QString, expected);
    QCOMPARE(groupField(row(0, QDate(2027, 1, 4), {{kind, {QStringLiteral("Ola")}}})), expected);
}

void TestRemindersPage::groupsOfOneDayKeepTheirBreak()
{
    // "ý" is also how the group separator reads; escaping must reach only the
    // names, so both kinds of the day keep a line each.
    const UpcomingRow r = row(0, QDate(2027, 1, 4),
                              {{3, {QStringLiteral("Święto <ý> & ó")}},
                               {1, {QStringLiteral("Zýta \"Ó\" ą (30 lat)"), QStringLiteral("Jan (1 rok)")}}});
    const QString expected =
        QStringLiteral("Urodziny:</td><td style=\"padding-left:3px; background-color:#B4FFB4;\">"
                       "Z&yacute;ta &quot;&Oacute;&quot; ą (30 lat), Jan (1 rok)</td></tr><tr>")
        + kGroupCell
        + QStringLiteral("Ważny dzień:</td><td style=\"padding-left:3px; background-color:#FDEAA8;\">"
                         "Święto &lt;&yacute;&gt; & &oacute;");
    QCOMPARE(groupField(r), expected);
    QVERIFY(!upcomingPageHtml({r}, kFolder).contains(kGroupSeparator));
    QVERIFY(!upcomingPageHtml({r}, kFolder).contains(kKindMark));
}

void TestRemindersPage::escape_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("html specials") << QStringLiteral("\"<b>\"") << QStringLiteral("&quot;&lt;b&gt;&quot;");
    QTest::newRow("caret and tilde") << QStringLiteral("a^b~c") << QStringLiteral("a&circ;b&tilde;c");
    QTest::newRow("ampersand stays") << QStringLiteral("Tom & Jerry &amp;") << QStringLiteral("Tom & Jerry &amp;");
    QTest::newRow("polish letters") << QStringLiteral("Zażółć gęślą jaźń ÓĄĘŁŃŚŹŻ")
                                    << QStringLiteral("Zaż&oacute;łć gęślą jaźń &Oacute;ĄĘŁŃŚŹŻ");
    QTest::newRow("latin-1 letters") << QStringLiteral("Müller Ýves ß Ç é î ô ÷ ×")
                                     << QStringLiteral("M&uuml;ller &Yacute;ves &szlig; &Ccedil; &eacute; &icirc; "
                                                       "&ocirc; &divide; &times;");
    QTest::newRow("latin-1 signs") << QStringLiteral("\u00A0¤¦§¨©«¬\u00AD®°±´µ¶·¸»")
                                   << QStringLiteral("&nbsp;&curren;&brvbar;&sect;&uml;&copy;&laquo;&not;&shy;&reg;"
                                                     "&deg;&plusmn;&acute;&micro;&para;&middot;&cedil;&raquo;");
    QTest::newRow("other windows-1250 letters stay")
        << QStringLiteral("Ŕ Ă Ř ţ € „”") << QStringLiteral("Ŕ Ă Ř ţ € „”");
    QTest::newRow("plain") << QStringLiteral("Ala (30 lat)") << QStringLiteral("Ala (30 lat)");
}

void TestRemindersPage::escape()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(escapeUpcomingText(text), expected);
}

void TestRemindersPage::folderPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no trailing slash") << QStringLiteral("/home/ala/zorvex") << QStringLiteral("/home/ala/zorvex/");
    QTest::newRow("trailing slash") << QStringLiteral("/home/ala/zorvex/") << QStringLiteral("/home/ala/zorvex/");
    QTest::newRow("backslashes") << QStringLiteral("C:\\Zorvex\\") << QStringLiteral("C:/Zorvex/");
    QTest::newRow("polish and blank kept") << QStringLiteral("/home/łucja/Moje dane")
                                           << QStringLiteral("/home/łucja/Moje dane/");
    // These would end the quoted address or make the rest a fragment or query.
    QTest::newRow("quote and hash") << QStringLiteral("/home/o'brien/#1 \"x\"")
                                    << QStringLiteral("/home/o%27brien/%231 %22x%22/");
    QTest::newRow("percent, query, tags") << QStringLiteral("/d/50%?<a>&b")
                                          << QStringLiteral("/d/50%25%3F%3Ca%3E%26b/");
}

void TestRemindersPage::folderPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(upcomingPagePath(folder), expected);
    const QString address = QStringLiteral("url('file://") + expected + QStringLiteral("Gfx/01.png')");
    QVERIFY(upcomingPageHtml({}, folder).contains(address));
}

QTEST_APPLESS_MAIN(TestRemindersPage)
#include "tst_reminders_page.moc"
