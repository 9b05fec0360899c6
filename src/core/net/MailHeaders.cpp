#include "core/net/MailHeaders.h"

#include "core/common/Cp1250.h"

#include <QList>
#include <QStringDecoder>

namespace zorvex {
namespace {

constexpr char16_t kIso88592High[96] = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E, 0x0164,
    0x0179, 0x00AD, 0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102,
    0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170,
    0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3,
    0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

QString fromIso88592(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const uchar b = uchar(c);
        out += b < 0xA0 ? QChar(char16_t(b)) : QChar(kIso88592High[b - 0xA0]);
    }
    return out;
}

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder d(QStringDecoder::Utf8);
    const QString s = d(bytes);
    return !d.hasError();
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray decodeQ(QByteArrayView text)
{
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '_') {
            out += ' ';
        } else if (c == '=' && i + 2 < text.size() + 0 && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// One encoded word at `from`: its decoded text and where it ends.
// `lastClose` is where the value's last "?=" starts: a word that could only
// end after it is no word, found without looking through the rest again
// (a long header of unclosed words would otherwise take quadratic time).
bool readEncodedWord(QByteArrayView v, qsizetype from, qsizetype lastClose, QString* text, qsizetype* end)
{
    if (!v.sliced(from).startsWith("=?"))
        return false;
    const qsizetype q1 = v.indexOf('?', from + 2);
    if (q1 < 0 || q1 + 2 >= v.size() || v[q1 + 2] != '?')
        return false;
    const char encoding = char(v[q1 + 1] | 0x20);
    if (encoding != 'b' && encoding != 'q')
        return false;
    const qsizetype close = q1 + 3 <= lastClose ? v.indexOf("?=", q1 + 3) : -1;
    if (close < 0)
        return false;
    QByteArrayView charset = v.sliced(from + 2, q1 - from - 2);
    const qsizetype star = charset.indexOf('*'); // RFC 2231 language
    if (star >= 0)
        charset = charset.first(star);
    const QByteArrayView payload = v.sliced(q1 + 3, close - q1 - 3);
    const QByteArray bytes = encoding == 'b' ? QByteArray::fromBase64(payload.toByteArray()) : decodeQ(payload);
    *text = decodeCharset(bytes, charset);
    *end = close + 2;
    return true;
}

QByteArray unfold(QByteArrayView block)
{
    QByteArray out;
    out.reserve(block.size());
    for (qsizetype i = 0; i < block.size(); ++i) {
        const char c = block[i];
        if (c == '\r')
            continue;
        if (c == '\n' && i + 1 < block.size() && (block[i + 1] == ' ' || block[i + 1] == '\t'))
            continue;
        out += c;
    }
    return out;
}

} // namespace

QString decodeCharset(QByteArrayView bytes, QByteArrayView charset)
{
    const QByteArray name = charset.toByteArray().trimmed().toLower();
    if (name == "utf-8" || name == "utf8")
        return QString::fromUtf8(bytes);
    if (name == "iso-8859-2" || name == "iso8859-2" || name == "latin2")
        return fromIso88592(bytes);
    if (name == "windows-1250" || name == "cp1250")
        return fromCp1250(bytes);
    if (name == "iso-8859-1" || name == "us-ascii" || name == "latin1")
        return QString::fromLatin1(bytes);
    QStringDecoder other(name.constData());
    if (other.isValid())
        return other(bytes);
    return QString::fromLatin1(bytes);
}

QString decodeRawHeader(QByteArrayView bytes)
{
    return isValidUtf8(bytes) ? QString::fromUtf8(bytes) : fromIso88592(bytes);
}

QString decodeHeaderWords(QByteArrayView v)
{
    QString out;
    qsizetype i = 0;
    qsizetype plainFrom = 0;
    bool lastWasEncoded = false;
    const qsizetype lastClose = v.lastIndexOf("?=");
    while (i < v.size()) {
        QString word;
        qsizetype end = 0;
        if (v[i] == '=' && readEncodedWord(v, i, lastClose, &word, &end)) {
            QByteArrayView between = v.sliced(plainFrom, i - plainFrom);
            if (!(lastWasEncoded && between.trimmed().isEmpty()))
                out += decodeRawHeader(between);
            out += word;
            i = plainFrom = end;
            lastWasEncoded = true;
            continue;
        }
        ++i;
    }
    out += decodeRawHeader(v.sliced(plainFrom));
    return out;
}

MailSummary readMailSummary(QByteArrayView headerBlock)
{
    MailSummary m;
    const QByteArray text = unfold(headerBlock);
    bool haveFrom = false, haveSubject = false, haveDate = false;
    for (const QByteArray& line : text.split('\n')) {
        if (line.isEmpty())
            break; // the end of the headers
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "from" && !haveFrom) {
            haveFrom = true;
            splitSender(decodeHeaderWords(value), &m.name, &m.address);
        } else if (name == "subject" && !haveSubject) {
            haveSubject = true;
            m.subject = decodeHeaderWords(value).trimmed();
        } else if (name == "date" && !haveDate) {
            haveDate = true;
            m.rawDate = QString::fromLatin1(value);
            QString d = m.rawDate;
            const qsizetype comment = d.indexOf(QLatin1Char('('));
            if (comment > 0)
                d = d.left(comment).trimmed();
            m.date = QDateTime::fromString(d, Qt::RFC2822Date);
        }
    }
    return m;
}

void splitSender(const QString& from, QString* name, QString* address)
{
    const QString f = from.trimmed();
    const qsizetype lt = f.lastIndexOf(QLatin1Char('<'));
    const qsizetype gt = f.lastIndexOf(QLatin1Char('>'));
    if (lt >= 0 && gt > lt) {
        *address = f.mid(lt + 1, gt - lt - 1).trimmed();
        QString n = f.left(lt).trimmed();
        if (n.size() >= 2 && n.startsWith(QLatin1Char('"')) && n.endsWith(QLatin1Char('"')))
            n = n.mid(1, n.size() - 2).replace(QStringLiteral("\\\""), QStringLiteral("\""));
        *name = n.trimmed();
        return;
    }
    const qsizetype lp = f.indexOf(QLatin1Char('('));
    const qsizetype rp = f.lastIndexOf(QLatin1Char(')'));
    if (lp > 0 && rp > lp) {
        *address = f.left(lp).trimmed();
        *name = f.mid(lp + 1, rp - lp - 1).trimmed();
        return;
    }
    *address = f;
    name->clear();
}

QString mailDateText(const MailSummary& m)
{
    if (m.date.isValid())
        return m.date.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    return m.rawDate.left(16);
}

} // namespace zorvex
