#include "core/calendar/ChosenDateText.h"
#include "core/calendar/DayFile.h"
#include "core/calendar/DayText.h"
#include "core/calendar/NameSearch.h"
#include "core/calendar/Sentence.h"
#include "core/calendar/VisibleTexts.h"
#include "core/common/Clock.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/common/PathTable.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace zorvex {

class TestCalendarDayText : public QObject {
    Q_OBJECT

private slots:
    void lookups_data();
    void lookups();
    void quoting_data();
    void quoting();
    void composition_data();
    void composition();
    void copyCommands_data();
    void copyCommands();
    void visibleTextsFile_data();
    void visibleTextsFile();
    void visibleTextsSaveRoundTrip();
    void rebuildReadsFilesAfreshAndReportsChanges();
    void nameSearch_data();
    void nameSearch();
    void nameSearchInShippedData();
    void chosenDate();
};

namespace {

const QString kNames = QStringLiteral(ZORVEX_FIXTURES "/calendar/Imieniny.ini");
const QString kSentences = QStringLiteral(ZORVEX_FIXTURES "/calendar/Sentencje.ini");

bool writeCp1250(const QString& path, const QString& text)
{
    QFile f(path);
    const QByteArray bytes = toCp1250(text);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

VisibleTexts flags(const QString& bits)
{
    QList<bool> list;
    for (QChar c : bits)
        list << (c == QLatin1Char('1'));
    return VisibleTexts::fromFlags(list);
}

QString itemNames(const QList<CopyItem>& items)
{
    QStringList out;
    for (CopyItem i : items) {
        switch (i) {
        case CopyItem::All: out << QStringLiteral("all"); break;
        case CopyItem::Names: out << QStringLiteral("names"); break;
        case CopyItem::Sentence: out << QStringLiteral("sentence"); break;
        case CopyItem::Radio: out << QStringLiteral("radio"); break;
        case CopyItem::Music: out << QStringLiteral("music"); break;
        }
    }
    return out.join(QLatin1Char(','));
}

} // namespace

void TestCalendarDayText::lookups_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("value");

    QTest::newRow("names, Polish letters") << kNames << QDate(2025, 12, 13) << QStringLiteral("Łucji, Otylii");
    QTest::newRow("names, 29 February") << kNames << QDate(2024, 2, 29) << QStringLiteral("Romana, Oswalda");
    QTest::newRow("day without names") << kNames << QDate(2025, 1, 2) << QString();
    QTest::newRow("month without section") << kNames << QDate(2025, 7, 1) << QString();
    QTest::newRow("sentence") << kSentences << QDate(2025, 1, 1)
                              << QStringLiteral("Na Nowy Rok przybywa dnia na zajęczy skok.");
    QTest::newRow("missing file") << QStringLiteral(ZORVEX_FIXTURES "/calendar/nothing.ini") << QDate(2025, 1, 1)
                                  << QString();
    // Saved by a UTF-8 editor with a byte order mark before January.
    const QString utf8 = QStringLiteral(ZORVEX_FIXTURES "/calendar/Imieniny_utf8.ini");
    QTest::newRow("UTF-8 names, first section") << utf8 << QDate(2025, 1, 1) << QStringLiteral("Mieczysława, Mieszka");
    QTest::newRow("UTF-8 names, Polish letters") << utf8 << QDate(2025, 12, 13) << QStringLiteral("Łucji, Otylii");
}

void TestCalendarDayText::lookups()
{
    QFETCH(QString, path);
    QFETCH(QDate, date);
    QFETCH(QString, value);
    QCOMPARE(lookupDayValue(path, date), value);
}

void TestCalendarDayText::quoting_data()
{
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("quoted");

    QTest::newRow("plain") << QStringLiteral("Kto pyta, nie błądzi.") << QStringLiteral("Kto pyta, nie błądzi.\"");
    QTest::newRow("author") << QStringLiteral("Ani dnia bez kreski. (Pliniusz Starszy)")
                            << QStringLiteral("Ani dnia bez kreski.\" (Pliniusz Starszy)");
    QTest::newRow("author, no blank") << QStringLiteral("Tekst(Autor)") << QStringLiteral("Tekst\"(Autor)");
    QTest::newRow("author, two blanks") << QStringLiteral("Tekst  (Autor)") << QStringLiteral("Tekst\"  (Autor)");
    QTest::newRow("last parenthesis is the author") << QStringLiteral("Tekst (na stronie) dalej. (Autor)")
                                                    << QStringLiteral("Tekst (na stronie) dalej.\" (Autor)");
    // A parenthesis inside the text is no author: the quote closes the whole.
    QTest::newRow("parenthesis inside") << QStringLiteral("Kto (nie) pyta, błądzi.")
                                        << QStringLiteral("Kto (nie) pyta, błądzi.\"");
    QTest::newRow("own quotes") << QStringLiteral("\"Cytat\" (Autor)") << QStringLiteral("Cytat\" (Autor)");
    QTest::newRow("doubled quotes") << QStringLiteral("Rzekł \"\"tak\"\".") << QStringLiteral("Rzekł \"tak\".\"");
    QTest::newRow("two characters") << QStringLiteral("ab") << QStringLiteral("ab\"");
    QTest::newRow("one character") << QStringLiteral("X") << QStringLiteral("X");
    QTest::newRow("one quote") << QStringLiteral("\"") << QStringLiteral("\"");
    QTest::newRow("empty") << QString() << QString();
}

void TestCalendarDayText::quoting()
{
    QFETCH(QString, sentence);
    QFETCH(QString, quoted);
    QCOMPARE(quoteSentence(sentence), quoted);
    QCOMPARE(displayedSentence(sentence), sentence.isEmpty() ? QString() : QLatin1Char('"') + quoted);
}

void TestCalendarDayText::composition_data()
{
    QTest::addColumn<QString>("bits");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("radioTitle");
    QTest::addColumn<QString>("station");
    QTest::addColumn<bool>("radioStopped");
    QTest::addColumn<QString>("music");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("hint");

    const QString sentence = QStringLiteral("Tekst. (Autor)");
    const QString shown = QStringLiteral("Sentencja: \"Tekst.\" (Autor)");

    QTest::newRow("names and sentence")
        << "1100" << "Jana" << sentence << "" << "" << false << ""
        << QStringLiteral("Imieniny: Jana.     ") + shown << QStringLiteral("Imieniny: Jana.\n") + shown;
    QTest::newRow("day without names")
        << "1100" << "" << sentence << "" << "" << false << ""
        << QStringLiteral("Imieniny: .     ") + shown << QStringLiteral("Imieniny: .\n") + shown;
    QTest::newRow("day without a sentence")
        << "0100" << "Jana" << "" << "" << "" << false << ""
        << "Sentencja: " << "Sentencja: ";
    QTest::newRow("sentence alone")
        << "0100" << "Jana" << sentence << "" << "" << false << "" << shown << shown;
    QTest::newRow("radio alone, silent")
        << "0010" << "Jana" << sentence << "" << "" << false << "" << "" << "";
    QTest::newRow("radio alone, stopped")
        << "0010" << "" << "" << "" << "" << true << "" << "Radio: Zatrzymane" << "Radio: Zatrzymane";
    QTest::newRow("station before stopped label")
        << "0010" << "" << "" << "" << "Trójka" << true << "" << "Radio: Trójka" << "Radio: Trójka";
    QTest::newRow("stream title before station")
        << "0010" << "" << "" << "Utwór" << "Trójka" << false << "" << "Radio: Utwór" << "Radio: Utwór";
    QTest::newRow("names and radio")
        << "1010" << "Jana" << sentence << "Utwór" << "" << false << ""
        << "Imieniny: Jana.     Radio: Utwór" << "Imieniny: Jana.\nRadio: Utwór";
    QTest::newRow("names, silent radio")
        << "1010" << "Jana" << sentence << "" << "" << false << "" << "Imieniny: Jana" << "Imieniny: Jana";
    // A silent radio adds nothing, so the music title opens the text.
    QTest::newRow("silent radio, music")
        << "0011" << "" << "" << "" << "" << false << "Piosenka"
        << "Odtwarzanie: Piosenka" << "Odtwarzanie: Piosenka";
    QTest::newRow("radio and music")
        << "0011" << "" << "" << "Utwór" << "" << false << "Piosenka"
        << "Radio: Utwór.     Odtwarzanie: Piosenka" << "Radio: Utwór.\nOdtwarzanie: Piosenka";
    QTest::newRow("all four")
        << "1111" << "Jana" << sentence << "Utwór" << "" << false << "Piosenka"
        << QStringLiteral("Imieniny: Jana.     ") + shown + QStringLiteral(".     Radio: Utwór.     Odtwarzanie: Piosenka")
        << QStringLiteral("Imieniny: Jana.\n") + shown + QStringLiteral(".\nRadio: Utwór.\nOdtwarzanie: Piosenka");
    QTest::newRow("long title cut")
        << "0010" << "" << "" << QString(250, QLatin1Char('a')) << "" << false << ""
        << QStringLiteral("Radio: ") + QString(200, QLatin1Char('a')) << QStringLiteral("Radio: ") + QString(200, QLatin1Char('a'));
    QTest::newRow("more than four flags show nothing")
        << "11111" << "Jana" << sentence << "Utwór" << "" << false << "Piosenka" << "" << "";
}

void TestCalendarDayText::composition()
{
    QFETCH(QString, bits);
    QFETCH(QString, names);
    QFETCH(QString, sentence);
    QFETCH(QString, radioTitle);
    QFETCH(QString, station);
    QFETCH(bool, radioStopped);
    QFETCH(QString, music);
    QFETCH(QString, panel);
    QFETCH(QString, hint);

    DayTextSources s;
    s.names = names;
    s.sentence = sentence;
    s.radio = {radioTitle, station, radioStopped};
    s.music = {music, true, true, false};
    const DayText t = composeDayText(flags(bits), s);
    QCOMPARE(t.panelText, panel);
    QCOMPARE(t.hint, hint);
}

void TestCalendarDayText::copyCommands_data()
{
    QTest::addColumn<QString>("bits");
    QTest::addColumn<QString>("radioTitle");
    QTest::addColumn<bool>("musicPlaying");
    QTest::addColumn<QString>("items");

    QTest::newRow("default") << "1100" << "" << false << "all,names,sentence";
    QTest::newRow("names alone") << "1000" << "" << false << "names";
    QTest::newRow("silent radio alone") << "0010" << "" << false << "";
    QTest::newRow("silent radio and music") << "0011" << "" << false << "";
    QTest::newRow("names, silent radio") << "1010" << "" << false << "all,names";
    QTest::newRow("radio, music silent") << "0011" << "Utwór" << false << "all,radio";
    QTest::newRow("everything") << "1111" << "Utwór" << true << "all,names,sentence,radio,music";
    QTest::newRow("five flags") << "11000" << "" << false << "";
}

void TestCalendarDayText::copyCommands()
{
    QFETCH(QString, bits);
    QFETCH(QString, radioTitle);
    QFETCH(bool, musicPlaying);
    QFETCH(QString, items);

    DayTextSources s;
    s.names = QStringLiteral("Jana");
    s.sentence = QStringLiteral("Tekst.");
    s.radio.streamTitle = radioTitle;
    // The music title counts only while a valid entry plays from a file and
    // the radio is not the source.
    s.music = {QStringLiteral("Piosenka"), true, musicPlaying, false};
    const VisibleTexts v = flags(bits);
    const DayText t = composeDayText(v, s);
    QCOMPARE(itemNames(copyItems(v, t)), items);
    if (items.startsWith(QLatin1String("all")))
        QCOMPARE(copyText(t, CopyItem::All), QString(t.hint).replace(QLatin1Char('\n'), QLatin1String("\r\n")));
    if (items.contains(QLatin1String("radio")))
        QCOMPARE(copyText(t, CopyItem::Radio), QStringLiteral("Radio: Utwór"));
}

void TestCalendarDayText::visibleTextsFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<bool>("replaceable");

    QTest::newRow("missing") << false << QByteArray() << "1100" << true << true;
    QTest::newRow("empty") << true << QByteArray() << "1100" << true << true;
    QTest::newRow("two lines") << true << QByteArray("0\r\n0\r\n") << "1100" << true << true;
    QTest::newRow("four lines") << true << QByteArray("0\r\n0\r\n1\r\n1\r\n") << "0011" << true << true;
    QTest::newRow("LF, no final break") << true << QByteArray("1\n0\n1\n0") << "1010" << true << true;
    QTest::newRow("five lines") << true << QByteArray("1\r\n1\r\n1\r\n1\r\n1\r\n") << "11111" << false << true;
    QTest::newRow("BOM") << true << QByteArray("\xEF\xBB\xBF" "1\r\n0\r\n0\r\n1\r\n") << "1001" << true << true;
    // Not flags: shown as best it can be, but not replaced by that.
    QTest::newRow("other text") << true << QByteArray("1\r\ntak\r\n0\r\n1\r\n") << "1001" << true << false;
    QTest::newRow("folder in its place") << true << QByteArray("<folder>") << "1100" << true << false;
}

void TestCalendarDayText::visibleTextsFile()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QFETCH(bool, usable);
    QFETCH(bool, replaceable);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Panel_tekstowy_Jan.ini"));
    if (bytes == "<folder>") {
        QVERIFY(QDir().mkpath(path));
    } else if (exists) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    bool ok = false;
    const VisibleTexts v = VisibleTexts::load(path, &ok);
    QCOMPARE(v.flags(), flags(expected).flags());
    QCOMPARE(v.usable(), usable);
    QCOMPARE(mayReplaceAfterLoad(ok, path), replaceable);
}

void TestCalendarDayText::visibleTextsSaveRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Panel_tekstowy_Jan.ini"));
    const VisibleTexts v = flags(QStringLiteral("0110"));
    QString error;
    QVERIFY2(v.save(path, &error), qPrintable(error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("0\r\n1\r\n1\r\n0\r\n"));
    QCOMPARE(VisibleTexts::load(path), v);

    // The dialog's check marks: an empty list checks every item.
    const VisibleTexts none = VisibleTexts::fromFlags({});
    QVERIFY(none.checked(VisibleTexts::Music));
    QVERIFY(!none.usable());
    QVERIFY(!v.checked(VisibleTexts::Names));
    QVERIFY(v.checked(VisibleTexts::Radio));
}

void TestCalendarDayText::rebuildReadsFilesAfreshAndReportsChanges()
{
    QTemporaryDir dir;
    const QString names = dir.filePath(QStringLiteral("Imieniny.ini"));
    const QString sentences = dir.filePath(QStringLiteral("Sentencje.ini"));
    QVERIFY(QFile::copy(kNames, names));
    QVERIFY(QFile::copy(kSentences, sentences));

    FakeClock clock(QDateTime(QDate(2026, 1, 3), QTime(8, 0)));
    const PathTable paths(dir.path(), QStringLiteral("Jan"), sentences);
    DayTextModel model(paths, clock);
    DayTextModel::Update u = model.rebuild();
    QVERIFY(u.panelChanged && u.hintChanged);
    QCOMPARE(model.text().panelText,
             QStringLiteral("Imieniny: Danuty, Genowefy.     Sentencja: \"Podróż na tysiąc mil zaczyna się od "
                            "pierwszego kroku.\" (Lao Tse)"));

    u = model.rebuild();
    QVERIFY(!u.panelChanged && !u.hintChanged);

    // A file replaced while running counts from the next rebuild.
    QVERIFY(writeCp1250(sentences, QStringLiteral("[1]\r\n3=Żółw idzie powoli.\r\n")));
    u = model.rebuild();
    QVERIFY(u.panelChanged);
    QCOMPARE(model.text().sentenceLine, QStringLiteral("Sentencja: \"Żółw idzie powoli.\""));

    // A radio title changes the text; the lookups keep their lines when the
    // files go missing.
    QVERIFY(QFile::remove(names));
    model.setVisibleTexts(flags(QStringLiteral("1010")));
    u = model.rebuild(RadioSource{QStringLiteral("Utwór"), {}, false});
    QVERIFY(u.panelChanged);
    QCOMPARE(model.text().panelText, QStringLiteral("Imieniny: .     Radio: Utwór"));
    QCOMPARE(itemNames(model.copyItems()), QStringLiteral("all,names,radio"));
    QCOMPARE(model.copyText(CopyItem::Names), QStringLiteral("Imieniny: "));
}

void TestCalendarDayText::nameSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    const QString marcin = QStringLiteral("11.11 Marcina, Bartłomieja");
    const QStringList lucja = {QStringLiteral("04.03 Kazimierza, Łucji"), QStringLiteral("13.12 Łucji, Otylii")};

    QTest::newRow("lower case") << "marcina" << QStringList{marcin};
    QTest::newRow("upper case") << "MARCINA" << QStringList{marcin};
    QTest::newRow("capital Ł matches ł") << "bartŁOMIEJA" << QStringList{marcin};
    QTest::newRow("Polish lower case") << "łucji" << lucja;
    QTest::newRow("Polish upper case") << "ŁUCJI" << lucja;
    QTest::newRow("L is not Ł") << "Lucji" << QStringList{};
    // Results follow the calendar, not the order of the file's sections.
    QTest::newRow("calendar order") << "SŁAWA"
                                    << QStringList{QStringLiteral("01.01 Mieczysława, Mieszka"),
                                                   QStringLiteral("13.11 Stanisława, Mikołaja")};
    QTest::newRow("29 February") << "roman" << QStringList{QStringLiteral("29.02 Romana, Oswalda")};
    QTest::newRow("no match") << "Xawerego" << QStringList{};
    QTest::newRow("empty text") << "" << QStringList{};
}

void TestCalendarDayText::nameSearch()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);

    QStringList found;
    for (const NameSearchHit& h : searchNames(kNames, text))
        found << h.line();
    QCOMPARE(found, lines);
}

void TestCalendarDayText::nameSearchInShippedData()
{
    const QList<NameSearchHit> hits = searchNames(QStringLiteral(ZORVEX_SHIPPED_DATA "/Imieniny.ini"),
                                                  QStringLiteral("marcina"));
    QVERIFY(!hits.isEmpty());
    bool eleventh = false;
    for (const NameSearchHit& h : hits)
        eleventh = eleventh || (h.month == 11 && h.day == 11);
    QVERIFY(eleventh);
    QVERIFY(searchNames(QStringLiteral(ZORVEX_FIXTURES "/calendar/nothing.ini"), QStringLiteral("a")).isEmpty());
}

void TestCalendarDayText::chosenDate()
{
    const ChosenDateText t = chosenDateText(QDate(2026, 1, 3), kNames, kSentences);
    QCOMPARE(t.heading, QStringLiteral("Data: sobota, 3 sty 2026"));
    QCOMPARE(t.lines, (QStringList{QStringLiteral("Imieniny:"), QStringLiteral("Danuty, Genowefy"), QString(),
                                   QStringLiteral("Sentencja:"),
                                   QStringLiteral("\"Podróż na tysiąc mil zaczyna się od pierwszego kroku.\" (Lao Tse)")}));
    QCOMPARE(t.clipboardText(), t.lines.join(QLatin1String("\r\n")));

    // A sentence that brings its own quotes, and unreadable files.
    const ChosenDateText june = chosenDateText(QDate(2025, 6, 21), QStringLiteral("/nonexistent/Imieniny.ini"), kSentences);
    QCOMPARE(june.lines.at(1), QString());
    QCOMPARE(june.lines.at(4), QStringLiteral("\"Cytat w cudzysłowie\" (Autor)"));
    const ChosenDateText none = chosenDateText(QDate(2025, 6, 22), kNames, QStringLiteral("/nonexistent/S.ini"));
    QCOMPARE(none.lines.at(4), QString());
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestCalendarDayText)
#include "tst_calendar_daytext.moc"
