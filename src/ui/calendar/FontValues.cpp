#include "ui/calendar/FontValues.h"

#include "ui/common/Fonts.h"

namespace zorvex {
namespace {

void applyStyle(QFont& f, int style)
{
    f.setBold(style & FontValue::Bold);
    f.setItalic(style & FontValue::Italic);
    f.setUnderline(style & FontValue::Underline);
    f.setStrikeOut(style & FontValue::StrikeOut);
}

} // namespace

QFont windowFontOf(const FontValue& value)
{
    QFont f = pixelFont(value.name, value.size, value.style & FontValue::Bold);
    applyStyle(f, value.style);
    return f;
}

QFont dialogFontOf(const FontValue& value)
{
    QFont f(value.name);
    f.setPointSize(qMax(1, value.size));
    applyStyle(f, value.style);
    return f;
}

FontValue fontValueOf(const QFont& font, int charset)
{
    FontValue v;
    v.name = font.family();
    v.size = font.pointSize() > 0 ? font.pointSize() : qMax(1, (font.pixelSize() * 72 + 48) / 96);
    v.style = (font.bold() ? FontValue::Bold : 0) | (font.italic() ? FontValue::Italic : 0)
        | (font.underline() ? FontValue::Underline : 0) | (font.strikeOut() ? FontValue::StrikeOut : 0);
    v.charset = charset;
    return v;
}

} // namespace zorvex
