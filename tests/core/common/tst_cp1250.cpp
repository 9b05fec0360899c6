#include "core/common/Cp1250.h"

#include <QScopeGuard>
#include <QTest>

#include <optional>

#include <iconv.h>

namespace zorvex {
namespace {

// What the C library's iconv decodes `byte` to; nothing for the five bytes
// the code page leaves unassigned. The shipped data is converted with iconv,
// so it is the reference the decoder has to agree with.
std::optional<char16_t> iconvDecoded(iconv_t cd, unsigned char byte)
{
    char in = static_cast<char>(byte);
    char* inPtr = &in;
    size_t inLeft = 1;
    unsigned char out[4] = {};
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1)) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        return std::nullopt;
    }
    // UTF-32BE; every character of the code page is in the first plane.
    return char16_t(out[2] << 8 | out[3]);
}

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
    void filesOfOtherEditors_data();
    void filesOfOtherEditors();
};

void TestCp1250::decodesLikeIconv()
{
    const iconv_t cd = iconv_open("UTF-32BE", "CP1250");
    QVERIFY2(cd != iconv_t(-1), "the C library's iconv has no CP1250");
    const auto close = qScopeGuard([cd] { iconv_close(cd); });

    const QString text = fromCp1250(allBytes());
    QCOMPARE(text.size(), 256);
    QList<int> unassigned;
    for (int b = 0; b < 256; ++b) {
        const std::optional<char16_t> decoded = iconvDecoded(cd, static_cast<unsigned char>(b));
        if (!decoded) {
            unassigned << b; // only the round trip below matters for these
            continue;
        }
        const char16_t expected = *decoded;
        QVERIFY2(text[b].unicode() == expected,
                 qPrintable(QStringLiteral("byte 0x%1 decodes to U+%2, expected U+%3")
                                .arg(b, 2, 16, QLatin1Char('0'))
                                .arg(text[b].unicode(), 4, 16, QLatin1Char('0'))
                                .arg(expected, 4, 16, QLatin1Char('0'))));
    }
    QCOMPARE(unassigned, (QList<int>{0x81, 0x83, 0x88, 0x90, 0x98}));
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

void TestCp1250::filesOfOtherEditors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QString polish = QStringLiteral("Zażółć gęślą jaźń");
    const QString sep(kListSeparator);
    QTest::newRow("Windows-1250") << toCp1250(polish) << polish;
    QTest::newRow("plain ASCII") << QByteArray("[1]\r\n1=x\r\n") << QStringLiteral("[1]\r\n1=x\r\n");
    QTest::newRow("UTF-8") << polish.toUtf8() << polish;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + polish.toUtf8() << polish;
    QTest::newRow("BOM before ASCII") << QByteArray("\xEF\xBB\xBF[1]") << QStringLiteral("[1]");
    // An editor that kept the bytes it could not decode: the separators
    // stay raw bytes among UTF-8 text.
    QTest::newRow("UTF-8 with raw separators")
        << QByteArray("1\xFF") + QStringLiteral("Wstań").toUtf8() + "\xFF\xC4\x8C"
        << QStringLiteral("1") + sep + QStringLiteral("Wstań") + sep + QChar(0x010C);
    QTest::newRow("UTF-8 separators") << (QStringLiteral("1") + sep + QStringLiteral("żółw")).toUtf8()
                                      << QStringLiteral("1") + sep + QStringLiteral("żółw");
    // Windows-1250 bytes that happen to pair up as UTF-8 here and there are
    // still Windows-1250 as long as anything else in the file is not.
    QTest::newRow("Windows-1250 with a UTF-8 look-alike")
        << QByteArray("\xCA\xB3 \xb3\xf3\x64\x9f") << QStringLiteral("Ęł łódź");
    QTest::newRow("overlong form is not UTF-8") << QByteArray("\xC0\xAF") << fromCp1250("\xC0\xAF");
    QTest::newRow("surrogate is not UTF-8") << QByteArray("\xED\xA0\x80") << fromCp1250("\xED\xA0\x80");
    QTest::newRow("cut sequence at the end") << QByteArray("ab\xC5") << fromCp1250("ab\xC5");
    // A BOM before bytes that are not UTF-8 after all: no byte is lost.
    QTest::newRow("BOM before Windows-1250") << QByteArray("\xEF\xBB\xBF\xb3\xf3\x64\x9f") << QStringLiteral("łódź");
}

void TestCp1250::filesOfOtherEditors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeFileText(bytes), text);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestCp1250)
#include "tst_cp1250.moc"
