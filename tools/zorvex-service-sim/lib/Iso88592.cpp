#include "Iso88592.h"
#include "core/common/Cp1250.h"

#include <array>

namespace zorvex::sim {
namespace {

// Unicode of the bytes 0xA0..0xBF. Below them the code page is Latin-1;
// from 0xC0 on it agrees with Windows-1250 byte for byte.
constexpr std::array<char16_t, 32> kA0 = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7,
    0x00A8, 0x0160, 0x015E, 0x0164, 0x0179, 0x00AD, 0x017D, 0x017B,
    0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C,
};

int byteOf(QChar c)
{
    if (c.unicode() < 0xA0)
        return c.unicode();
    for (size_t i = 0; i < kA0.size(); ++i) {
        if (kA0[i] == c.unicode())
            return int(0xA0 + i);
    }
    const QByteArray cp1250 = toCp1250(QStringView(&c, 1), '\0');
    const auto b = static_cast<unsigned char>(cp1250.at(0));
    return b >= 0xC0 ? b : -1;
}

} // namespace

QByteArray toIso88592(QStringView text, int* lost)
{
    QByteArray out;
    out.reserve(text.size());
    int missing = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const int b = byteOf(c);
        if (b >= 0) {
            out.append(char(b));
            continue;
        }
        // One '?' per character, not per half of a surrogate pair.
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        out.append('?');
        ++missing;
    }
    if (lost)
        *lost = missing;
    return out;
}

QString fromIso88592(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0xA0)
            out.append(QChar(char16_t(b)));
        else if (b < 0xC0)
            out.append(QChar(kA0[b - 0xA0]));
        else
            out.append(fromCp1250(QByteArrayView(&ch, 1)));
    }
    return out;
}

} // namespace zorvex::sim
