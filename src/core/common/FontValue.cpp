#include "core/common/FontValue.h"

#include "core/common/Text.h"

namespace zorvex {

std::optional<FontValue> FontValue::parse(const QString& text)
{
    if (text.count(QLatin1Char('|')) != 3)
        return std::nullopt;
    // A field that is not a number keeps the member's default.
    const auto number = [&text](int n, int fallback) {
        bool ok = false;
        const int v = PipeField(text, n).trimmed().toInt(&ok);
        return ok ? v : fallback;
    };
    FontValue f;
    f.name = UrlDecode(PipeField(text, 1));
    f.size = number(2, f.size);
    f.style = number(3, f.style);
    f.charset = number(4, f.charset);
    return f;
}

QString FontValue::format() const
{
    return UrlEncode(name) + QLatin1Char('|') + QString::number(size) + QLatin1Char('|')
        + QString::number(style) + QLatin1Char('|') + QString::number(charset);
}

} // namespace zorvex
