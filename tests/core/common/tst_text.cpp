#include "core/common/Cp1250.h"
#include "core/common/Text.h"

#include <QTest>

namespace zorvex {

class TestText : public QObject {
    Q_OBJECT

private slots:
    void polishUpper_data();
    void polishUpper();
    void equalsIgnoringCase_data();
    void equalsIgnoringCase();
    void field_data();
    void field();
    void listSeparatorField();
    void urlEncode_data();
    void urlEncode();
    void urlDecode_data();
    void urlDecode();
    void urlRoundTripsEveryByte();
};

void TestText::polishUpper_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");

    QTest::newRow("ascii") << QStringLiteral("abc xyz 09") << QStringLiteral("ABC XYZ 09");
    QTest::newRow("nine Polish letters") << QStringLiteral("ąćęłńóśźż") << QStringLiteral("ĄĆĘŁŃÓŚŹŻ");
    QTest::newRow("already upper") << QStringLiteral("ŻÓŁW") << QStringLiteral("ŻÓŁW");
    QTest::newRow("word") << QStringLiteral("Gfx\\Pora dnia\\źródło") << QStringLiteral("GFX\\PORA DNIA\\ŹRÓDŁO");
    // Only a-z and the Polish letters change; other letters stay as they are.
    QTest::newRow("other letters") << QStringLiteral("äéüß") << QStringLiteral("äéüß");
    QTest::newRow("punctuation") << QStringLiteral("[]{}`@~") << QStringLiteral("[]{}`@~");
    QTest::newRow("empty") << QString() << QString();
}

void TestText::polishUpper()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QCOMPARE(PolishUpper(text), upper);
}

void TestText::equalsIgnoringCase_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("equal");

    QTest::newRow("Polish name") << QStringLiteral("Łódź") << QStringLiteral("ŁÓDŹ") << true;
    QTest::newRow("mixed") << QStringLiteral("gęŚlĄ") << QStringLiteral("GĘślą") << true;
    QTest::newRow("different letter") << QStringLiteral("zolw") << QStringLiteral("żółw") << false;
    QTest::newRow("prefix") << QStringLiteral("Jan") << QStringLiteral("Janek") << false;
    QTest::newRow("both empty") << QString() << QString() << true;
}

void TestText::equalsIgnoringCase()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, equal);
    QCOMPARE(zorvex::equalsIgnoringCase(a, b), equal);
    QCOMPARE(zorvex::equalsIgnoringCase(b, a), equal);
}

void TestText::field_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");

    const QString abc = QStringLiteral("a|b|c");
    QTest::newRow("first") << abc << 1 << QStringLiteral("a");
    QTest::newRow("middle") << abc << 2 << QStringLiteral("b");
    QTest::newRow("last, no trailing separator") << abc << 3 << QStringLiteral("c");
    QTest::newRow("beyond last") << abc << 4 << QString();
    QTest::newRow("far beyond") << abc << 100 << QString();
    QTest::newRow("zero") << abc << 0 << QString();
    QTest::newRow("negative") << abc << -1 << QString();
    QTest::newRow("no separator") << QStringLiteral("abc") << 1 << QStringLiteral("abc");
    QTest::newRow("no separator, second") << QStringLiteral("abc") << 2 << QString();
    QTest::newRow("empty text") << QString() << 1 << QString();
    QTest::newRow("empty field between") << QStringLiteral("a||c") << 2 << QString();
    QTest::newRow("after empty field") << QStringLiteral("a||c") << 3 << QStringLiteral("c");
    QTest::newRow("leading separator") << QStringLiteral("|a") << 2 << QStringLiteral("a");
    QTest::newRow("trailing separator") << QStringLiteral("a|b|") << 2 << QStringLiteral("b");
    QTest::newRow("blanks kept") << QStringLiteral(" a | b ") << 2 << QStringLiteral(" b ");
    QTest::newRow("unknown number") << QStringLiteral("Jan|-1|5") << 2 << QStringLiteral("-1");
    QTest::newRow("Polish") << QStringLiteral("Żółć|gęślą|jaźń") << 3 << QStringLiteral("jaźń");
}

void TestText::field()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(Field(text, QLatin1Char('|'), n), expected);
    QCOMPARE(PipeField(text, n), expected);
}

void TestText::listSeparatorField()
{
    // A line of a list file as it comes off the disk: fields split by 0xFF.
    const QString line = fromCp1250("Alarm|1\xff" "12:30\xff\xff" "D\x9fwi\xeak.mp3");
    QCOMPARE(Field(line, kListSeparator, 1), QStringLiteral("Alarm|1"));
    QCOMPARE(Field(line, kListSeparator, 2), QStringLiteral("12:30"));
    QCOMPARE(Field(line, kListSeparator, 3), QString());
    QCOMPARE(Field(line, kListSeparator, 4), QStringLiteral("Dźwięk.mp3"));
    QCOMPARE(Field(line, kListSeparator, 5), QString());
}

void TestText::urlEncode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");

    QTest::newRow("letters and digits") << QStringLiteral("Arial09") << QStringLiteral("Arial09");
    QTest::newRow("blanks") << QStringLiteral("Times New Roman") << QStringLiteral("Times%20New%20Roman");
    // Unlike URL encoders that keep "-_.~", every other byte is encoded.
    QTest::newRow("marks") << QStringLiteral("a-b_c.d~e") << QStringLiteral("a%2Db%5Fc%2Ed%7Ee");
    QTest::newRow("decoder specials") << QStringLiteral("+&%|") << QStringLiteral("%2B%26%25%7C");
    QTest::newRow("Polish, Windows-1250 bytes") << QStringLiteral("Łódź") << QStringLiteral("%A3%F3d%9F");
    QTest::newRow("list separator") << QString(kListSeparator) << QStringLiteral("%FF");
    QTest::newRow("empty") << QString() << QString();
}

void TestText::urlEncode()
{
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QCOMPARE(UrlEncode(text), encoded);
}

void TestText::urlDecode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decoded");

    QTest::newRow("plain") << QStringLiteral("Arial") << QStringLiteral("Arial");
    QTest::newRow("percent blanks") << QStringLiteral("Times%20New%20Roman") << QStringLiteral("Times New Roman");
    QTest::newRow("plus is a blank") << QStringLiteral("Times+New+Roman") << QStringLiteral("Times New Roman");
    QTest::newRow("lower-case hex") << QStringLiteral("%a3%f3d%9f") << QStringLiteral("Łódź");
    QTest::newRow("ampersand ends") << QStringLiteral("Arial&size=3") << QStringLiteral("Arial");
    QTest::newRow("ampersand first") << QStringLiteral("&Arial") << QString();
    QTest::newRow("encoded specials") << QStringLiteral("%2B%26%25") << QStringLiteral("+&%");
    QTest::newRow("percent at end") << QStringLiteral("100%") << QStringLiteral("100%");
    QTest::newRow("one digit at end") << QStringLiteral("a%4") << QStringLiteral("a%4");
    QTest::newRow("two digits at end") << QStringLiteral("a%41") << QStringLiteral("aA");
    QTest::newRow("not hex") << QStringLiteral("%G1%1G") << QStringLiteral("%G1%1G");
    QTest::newRow("percent before escape") << QStringLiteral("%%41") << QStringLiteral("%A");
    QTest::newRow("raw Polish letters") << QStringLiteral("Żółw") << QStringLiteral("Żółw");
    QTest::newRow("empty") << QString() << QString();
}

void TestText::urlDecode()
{
    QFETCH(QString, text);
    QFETCH(QString, decoded);
    QCOMPARE(UrlDecode(text), decoded);
}

void TestText::urlRoundTripsEveryByte()
{
    QByteArray bytes;
    for (int b = 1; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    const QString text = fromCp1250(bytes);
    const QString encoded = UrlEncode(text);
    QVERIFY(!encoded.contains(QLatin1Char('&')));
    QVERIFY(!encoded.contains(QLatin1Char('+')));
    QVERIFY(!encoded.contains(QLatin1Char('|')));
    QCOMPARE(UrlDecode(encoded), text);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestText)
#include "tst_text.moc"
