#include "core/common/FontValue.h"

#include "core/common/Text.h"

namespace zorvex {

std::optional<FontValue> FontValue::parse(const QString& text)
{
    if (text.count(QLatin1Char('|')) != 3)
        return std::nullopt;
    FontValue f;
    f.name = UrlDecode(PipeField(text, 1));
    bool ok = false;
    int v = PipeField(text, 2).trimmed().toInt(&ok);
    f.size = ok ? v : 10;
    v = PipeField(text, 3).trimmed().toInt(&ok);
    f.style = ok ? v : 0;
    v = PipeField(text, 4).trimmed().toInt(&ok);
    f.charset = ok ? v : 1;
    return f;
}

QString FontValue::format() const
{
    return UrlEncode(name) + QLatin1Char('|') + QString::number(size) + QLatin1Char('|')
        + QString::number(style) + QLatin1Char('|') + QString::number(charset);
}

} // namespace zorvex
