#include "core/common/FontValue.h"

#include <QTest>

namespace zorvex {

class TestFontValue : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void rejected_data();
    void rejected();
    void formatRoundTrip_data();
    void formatRoundTrip();
};

void TestFontValue::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("charset");

    QTest::newRow("plain") << QStringLiteral("Arial|8|0|238") << QStringLiteral("Arial") << 8 << 0 << 238;
    QTest::newRow("percent blanks, bold italic") << QStringLiteral("Times%20New%20Roman|12|3|1")
                                                 << QStringLiteral("Times New Roman") << 12 << 3 << 1;
    QTest::newRow("plus blanks") << QStringLiteral("Courier+New|9|8|0") << QStringLiteral("Courier New") << 9 << 8 << 0;
    QTest::newRow("Polish name") << QStringLiteral("%A3%F3d%9F|11|4|238") << QStringLiteral("Łódź") << 11 << 4 << 238;
    QTest::newRow("ampersand ends the name") << QStringLiteral("Arial&Bold|10|1|238") << QStringLiteral("Arial")
                                             << 10 << 1 << 238;
    QTest::newRow("all numbers missing") << QStringLiteral("Tahoma|||") << QStringLiteral("Tahoma") << 10 << 0 << 1;
    QTest::newRow("everything missing") << QStringLiteral("|||") << QString() << 10 << 0 << 1;
    QTest::newRow("bad numbers") << QStringLiteral("Tahoma|duży|b|x") << QStringLiteral("Tahoma") << 10 << 0 << 1;
    QTest::newRow("blanks around numbers") << QStringLiteral("Tahoma| 14 | 2 |238 ") << QStringLiteral("Tahoma")
                                           << 14 << 2 << 238;
}

void TestFontValue::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(int, style);
    QFETCH(int, charset);

    const auto font = FontValue::parse(text);
    QVERIFY(font);
    QCOMPARE(font->name, name);
    QCOMPARE(font->size, size);
    QCOMPARE(font->style, style);
    QCOMPARE(font->charset, charset);
}

void TestFontValue::rejected_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("name only") << QStringLiteral("Arial");
    QTest::newRow("two separators") << QStringLiteral("Arial|10|0");
    QTest::newRow("four separators") << QStringLiteral("Arial|10|0|238|");
}

void TestFontValue::rejected()
{
    QFETCH(QString, text);
    QVERIFY(!FontValue::parse(text));
}

void TestFontValue::formatRoundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("charset");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << QStringLiteral("Arial") << 8 << 0 << 238 << QStringLiteral("Arial|8|0|238");
    QTest::newRow("blanks") << QStringLiteral("Times New Roman") << 12 << int(FontValue::Bold | FontValue::Underline)
                            << 1 << QStringLiteral("Times%20New%20Roman|12|5|1");
    // Characters the decoder treats specially must be written encoded.
    QTest::newRow("specials") << QStringLiteral("A+B&C|D%") << 10 << 0 << 1
                              << QStringLiteral("A%2BB%26C%7CD%25|10|0|1");
    QTest::newRow("Polish") << QStringLiteral("Łódź Sans") << 9 << 15 << 238
                            << QStringLiteral("%A3%F3d%9F%20Sans|9|15|238");
}

void TestFontValue::formatRoundTrip()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(int, style);
    QFETCH(int, charset);
    QFETCH(QString, text);

    FontValue font;
    font.name = name;
    font.size = size;
    font.style = style;
    font.charset = charset;
    QCOMPARE(font.format(), text);
    QCOMPARE(FontValue::parse(text), std::optional<FontValue>(font));
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestFontValue)
#include "tst_fontvalue.moc"
