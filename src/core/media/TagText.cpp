#include "core/media/TagText.h"

#include "core/common/Cp1250.h"

namespace zorvex {
namespace {

bool isWide(Id3Encoding e)
{
    return e == Id3Encoding::Utf16 || e == Id3Encoding::Utf16BE;
}

// Length of the string before its terminator.
qsizetype terminatedLength(QByteArrayView data, Id3Encoding encoding)
{
    if (isWide(encoding)) {
        for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
            if (data[i] == 0 && data[i + 1] == 0)
                return i;
        }
        return data.size();
    }
    const qsizetype zero = data.indexOf('\0');
    return zero < 0 ? data.size() : zero;
}

// Drops a multi-byte sequence that the end of the data cut short.
QByteArrayView withoutCutUtf8(QByteArrayView s)
{
    qsizetype lead = s.size() - 1;
    for (int back = 0; lead >= 0 && back < 4; ++back, --lead) {
        const auto b = static_cast<unsigned char>(s[lead]);
        if ((b & 0xC0) == 0x80)
            continue; // continuation byte: keep looking for the lead
        const int need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        return s.size() - lead < need ? s.first(lead) : s;
    }
    return s;
}

QString decodeUtf16(QByteArrayView s, bool bigEndian)
{
    const qsizetype units = s.size() / 2;
    QString out(units, Qt::Uninitialized);
    QChar* dst = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    for (qsizetype i = 0; i < units; ++i, p += 2)
        *dst++ = QChar(bigEndian ? char16_t(p[0] << 8 | p[1]) : char16_t(p[1] << 8 | p[0]));
    if (!out.isEmpty() && out.back().isHighSurrogate())
        out.chop(1);
    return out;
}

// ASCII text in UTF-16 has its zero bytes first in big-endian order.
bool looksBigEndian(QByteArrayView s)
{
    int evenZeros = 0;
    int oddZeros = 0;
    for (qsizetype i = 0; i + 1 < s.size(); i += 2) {
        evenZeros += s[i] == 0;
        oddZeros += s[i + 1] == 0;
    }
    return evenZeros > oddZeros;
}

} // namespace

QString toCodePage(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            out.append(c);
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.append(QLatin1Char('?'));
            ++i;
        } else {
            out.append(fitsCp1250(QStringView(&c, 1)) ? c : QLatin1Char('?'));
        }
    }
    return out;
}

QString trimControls(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.sliced(begin, end - begin).toString();
}

QString trimControlsRight(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].unicode() <= 0x20)
        --end;
    return text.first(end).toString();
}

QString decodeId3String(QByteArrayView data, Id3Encoding encoding)
{
    const QByteArrayView s = data.first(terminatedLength(data, encoding));
    switch (encoding) {
    case Id3Encoding::Latin:
        return fromCp1250(s);
    case Id3Encoding::Utf8:
        return toCodePage(QString::fromUtf8(withoutCutUtf8(s)));
    case Id3Encoding::Utf16:
    case Id3Encoding::Utf16BE:
        if (s.size() >= 2) {
            const auto b0 = static_cast<unsigned char>(s[0]);
            const auto b1 = static_cast<unsigned char>(s[1]);
            if (b0 == 0xFF && b1 == 0xFE)
                return toCodePage(decodeUtf16(s.sliced(2), false));
            if (b0 == 0xFE && b1 == 0xFF)
                return toCodePage(decodeUtf16(s.sliced(2), true));
        }
        return toCodePage(decodeUtf16(s, encoding == Id3Encoding::Utf16BE || looksBigEndian(s)));
    }
    return {};
}

qsizetype skipId3String(QByteArrayView data, Id3Encoding encoding)
{
    const qsizetype length = terminatedLength(data, encoding);
    if (length >= data.size())
        return data.size();
    return length + (isWide(encoding) ? 2 : 1);
}

} // namespace zorvex
