#include "core/common/Cp1250.h"

#include <array>

namespace zorvex {
namespace {

// Bytes 0x80..0xFF. The five unassigned bytes map to the C1 control with the
// same value so that any byte sequence survives a round trip.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
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

int byteFor(char16_t c)
{
    if (c < 0x80)
        return c;
    for (int i = 0; i < 128; ++i) {
        if (kHigh[i] == c)
            return 0x80 + i;
    }
    return -1;
}

bool continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Whether `bytes`, 0xFF aside, is well-formed UTF-8 (no overlong forms, no
// surrogates); `wide` tells whether it holds any sequence beyond ASCII.
bool isUtf8(QByteArrayView bytes, bool* wide)
{
    *wide = false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80 || b == 0xFF) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned char low = 0x80, high = 0xBF; // range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (i + extra >= n || p[i + 1] < low || p[i + 1] > high)
            return false;
        for (int k = 2; k <= extra; ++k) {
            if (!continuation(p[i + k]))
                return false;
        }
        *wide = true;
        i += extra + 1;
    }
    return true;
}

QString fromUtf8KeepingSeparators(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i == bytes.size() || static_cast<unsigned char>(bytes[i]) == 0xFF) {
            out += QString::fromUtf8(bytes.sliced(start, i - start));
            if (i < bytes.size())
                out += kListSeparator;
            start = i + 1;
        }
    }
    return out;
}

} // namespace

QString decodeFileText(QByteArrayView bytes)
{
    static constexpr QByteArrayView kBom("\xEF\xBB\xBF");
    const bool bom = bytes.startsWith(kBom);
    if (bom)
        bytes = bytes.sliced(kBom.size());
    bool wide = false;
    // A byte order mark before text that is not UTF-8 after all: the bytes
    // stay as they are rather than turn into replacement characters.
    if (isUtf8(bytes, &wide) && (wide || bom))
        return fromUtf8KeepingSeparators(bytes);
    return fromCp1250(bytes);
}

QString fromCp1250(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *dst++ = QChar(b < 0x80 ? char16_t(b) : kHigh[b - 0x80]);
    }
    return out;
}

QByteArray toCp1250(QStringView text, char replacement)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = byteFor(c.unicode());
        out.append(b < 0 ? replacement : static_cast<char>(b));
    }
    return out;
}

bool fitsCp1250(QStringView text)
{
    for (QChar c : text) {
        if (byteFor(c.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace zorvex
