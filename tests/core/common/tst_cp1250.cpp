#include "core/common/Cp1250.h"

#include <QTest>

#include <array>

namespace zorvex {
namespace {

// Bytes 0x80..0xFF as iconv's CP1250 table decodes them; 0 marks the five
// bytes the code page leaves unassigned.
constexpr std::array<char16_t, 128> kIconvHigh = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

QByteArray allBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

} // namespace

class TestCp1250 : public QObject {
    Q_OBJECT

private slots:
    void decodesLikeIconv();
    void everyByteRoundTrips();
    void polishText_data();
    void polishText();
    void unmappableCharacters_data();
    void unmappableCharacters();
};

void TestCp1250::decodesLikeIconv()
{
    const QString text = fromCp1250(allBytes());
    QCOMPARE(text.size(), 256);
    for (int b = 0; b < 256; ++b) {
        const char16_t expected = b < 0x80 ? char16_t(b) : kIconvHigh[b - 0x80];
        if (expected == 0)
            continue; // unassigned: only the round trip below matters
        QVERIFY2(text[b].unicode() == expected,
                 qPrintable(QStringLiteral("byte 0x%1 decodes to U+%2, expected U+%3")
                                .arg(b, 2, 16, QLatin1Char('0'))
                                .arg(text[b].unicode(), 4, 16, QLatin1Char('0'))
                                .arg(expected, 4, 16, QLatin1Char('0'))));
    }
}

void TestCp1250::everyByteRoundTrips()
{
    // Unknown list files must come back byte for byte after a rewrite.
    const QByteArray bytes = allBytes();
    const QString text = fromCp1250(bytes);
    QVERIFY(fitsCp1250(text));
    QCOMPARE(toCp1250(text), bytes);
}

void TestCp1250::polishText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("lower-case letters") << QStringLiteral("ąćęłńóśźż")
                                        << QByteArray::fromHex("b9e6eab3f1f39c9fbf");
    QTest::newRow("upper-case letters") << QStringLiteral("ĄĆĘŁŃÓŚŹŻ")
                                        << QByteArray::fromHex("a5c6caa3d1d38c8faf");
    QTest::newRow("sentence") << QStringLiteral("Zażółć gęślą jaźń")
                              << QByteArray::fromHex("5a61bff3b3e62067ea9c6cb9206a619ff1");
    QTest::newRow("euro sign") << QStringLiteral("10 €") << QByteArray("10 \x80");
    QTest::newRow("list separator") << QStringLiteral("a") + kListSeparator + QStringLiteral("b")
                                    << QByteArray("a\xff" "b");
}

void TestCp1250::polishText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toCp1250(text), bytes);
    QCOMPARE(fromCp1250(bytes), text);
}

void TestCp1250::unmappableCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("replacement");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("fits");

    QTest::newRow("ascii") << QStringLiteral("abc") << '?' << QByteArray("abc") << true;
    // Latin-1 letters that Windows-1250 does not have must not pass through
    // as their Latin-1 byte (0xFF is the dot above, 0xE0 is ŕ).
    QTest::newRow("y diaeresis") << QStringLiteral("ÿ") << '?' << QByteArray("?") << false;
    QTest::newRow("a grave") << QStringLiteral("à") << '?' << QByteArray("?") << false;
    QTest::newRow("cyrillic") << QStringLiteral("Жук") << '_' << QByteArray("___") << false;
    QTest::newRow("arrow among Polish") << QStringLiteral("ł→ż") << '?' << QByteArray("\xb3?\xbf") << false;
}

void TestCp1250::unmappableCharacters()
{
    QFETCH(QString, text);
    QFETCH(char, replacement);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, fits);
    QCOMPARE(toCp1250(text, replacement), bytes);
    QCOMPARE(fitsCp1250(text), fits);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestCp1250)
#include "tst_cp1250.moc"
