#include "Iso88592.h"
#include "Template.h"

namespace zorvex::sim {
namespace {

bool isNameChar(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        || c == QLatin1Char('_');
}

} // namespace

QString expandTemplate(const QString& text, const TemplateLookup& lookup)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), i);
        if (open < 0) {
            out.append(QStringView(text).mid(i));
            break;
        }
        out.append(QStringView(text).mid(i, open - i));
        qsizetype j = open + 1;
        while (j < text.size() && isNameChar(text[j]))
            ++j;
        const QString name = text.mid(open + 1, j - open - 1);
        QString argument;
        qsizetype close = -1;
        if (!name.isEmpty() && j < text.size()) {
            if (text[j] == QLatin1Char('}')) {
                close = j;
            } else if (text[j] == QLatin1Char(':')) {
                close = text.indexOf(QLatin1Char('}'), j + 1);
                const qsizetype newline = text.indexOf(QLatin1Char('\n'), j + 1);
                if (newline >= 0 && newline < close)
                    close = -1;
                if (close >= 0)
                    argument = text.mid(j + 1, close - j - 1);
            }
        }
        const std::optional<QString> value = close >= 0 ? lookup(name, argument) : std::nullopt;
        if (value) {
            out.append(*value);
            i = close + 1;
        } else {
            out.append(QLatin1Char('{'));
            i = open + 1;
        }
    }
    return out;
}

QString urlEncodeIso(const QString& text)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    for (char ch : toIso88592(text)) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) {
            out.append(QLatin1Char(char(b)));
        } else {
            out.append(QLatin1Char('%'));
            out.append(QLatin1Char(hex[b >> 4]));
            out.append(QLatin1Char(hex[b & 15]));
        }
    }
    return out;
}

} // namespace zorvex::sim
