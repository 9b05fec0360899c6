#include "core/calendar/Sentence.h"

namespace zorvex {

QString quoteSentence(const QString& sentence)
{
    if (sentence.size() <= 1)
        return sentence;
    const QChar quote = QLatin1Char('"');
    QString s = sentence;
    const qsizetype open = s.lastIndexOf(QLatin1Char('('));
    if (s.front() == quote) {
        s.remove(0, 1);
    } else if (open < 0 || !s.endsWith(QLatin1Char(')'))) {
        // A "(" inside the text is no author; quoting there would cut the
        // sentence in two.
        s.append(quote);
    } else {
        // Before the blanks in front of the author, so that the quote
        // closes the text itself even without a blank before "(".
        qsizetype at = open;
        while (at > 0 && s.at(at - 1) == QLatin1Char(' '))
            --at;
        s.insert(at, quote);
    }
    s.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return s;
}

QString displayedSentence(const QString& sentence)
{
    if (sentence.isEmpty())
        return {};
    return QLatin1Char('"') + quoteSentence(sentence);
}

} // namespace zorvex
