#include "core/common/Text.h"

#include "core/common/Cp1250.h"

namespace zorvex {

QString PolishUpper(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            c = QChar(u - 32);
        else {
            switch (u) {
            case u'ą': c = QChar(u'Ą'); break;
            case u'ć': c = QChar(u'Ć'); break;
            case u'ę': c = QChar(u'Ę'); break;
            case u'ł': c = QChar(u'Ł'); break;
            case u'ń': c = QChar(u'Ń'); break;
            case u'ó': c = QChar(u'Ó'); break;
            case u'ś': c = QChar(u'Ś'); break;
            case u'ź': c = QChar(u'Ź'); break;
            case u'ż': c = QChar(u'Ż'); break;
            default: break;
            }
        }
    }
    return out;
}

QString PolishLower(QStringView text)
{
    static constexpr char16_t kCapitals[] = u"ĄĆĘŁŃÓŚŹŻ";
    static constexpr char16_t kSmall[] = u"ąćęłńóśźż";
    QString out = text.toString();
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z') {
            c = QChar(u + 32);
            continue;
        }
        for (int i = 0; i < 9; ++i)
            if (kCapitals[i] == u)
                c = QChar(kSmall[i]);
    }
    return out;
}

bool equalsIgnoringCase(QStringView a, QStringView b)
{
    return a.size() == b.size() && PolishUpper(a) == PolishUpper(b);
}

QString Field(QStringView text, QChar separator, int n)
{
    if (n < 1)
        return {};
    qsizetype start = 0;
    for (int i = 1; i < n; ++i) {
        const qsizetype pos = text.indexOf(separator, start);
        if (pos < 0)
            return {};
        start = pos + 1;
    }
    qsizetype end = text.indexOf(separator, start);
    if (end < 0)
        end = text.size();
    return text.mid(start, end - start).toString();
}

QString UrlEncode(QStringView text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const QByteArray bytes = toCp1250(text);
    QString out;
    out.reserve(bytes.size() * 3);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) {
            out.append(QLatin1Char(ch));
        } else {
            out.append(QLatin1Char('%'));
            out.append(QLatin1Char(kHex[b >> 4]));
            out.append(QLatin1Char(kHex[b & 15]));
        }
    }
    return out;
}

namespace {
int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}
} // namespace

QString UrlDecode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'&')
            break;
        if (c == u'+') {
            bytes.append(' ');
        } else if (c == u'%' && i + 2 < text.size() && hexValue(text[i + 1].unicode()) >= 0
                   && hexValue(text[i + 2].unicode()) >= 0) {
            bytes.append(static_cast<char>(hexValue(text[i + 1].unicode()) * 16 + hexValue(text[i + 2].unicode())));
            i += 2;
        } else {
            bytes.append(toCp1250(text.mid(i, 1)));
        }
    }
    return fromCp1250(bytes);
}

} // namespace zorvex
