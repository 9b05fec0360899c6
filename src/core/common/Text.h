#pragma once

#include <QString>
#include <QStringView>

namespace zorvex {

// Upper-cases a-z and the nine Polish lower-case letters; everything else is
// left alone. All case-insensitive comparisons of names, paths and folder
// names go through it.
QString PolishUpper(QStringView text);
// The mirror of PolishUpper: A-Z and the nine Polish capitals to small letters.
QString PolishLower(QStringView text);
bool equalsIgnoringCase(QStringView a, QStringView b);

// Field n (from 1) of a delimited text, read as if one more separator
// followed the text: the text between the (n-1)-th and the n-th separator;
// empty for n below 1 or beyond the last field.
QString Field(QStringView text, QChar separator, int n);
inline QString PipeField(QStringView text, int n) { return Field(text, QLatin1Char('|'), n); }

// Percent-encoding of every byte other than 0-9, A-Z, a-z (Windows-1250
// bytes of the text, upper-case hex digits).
QString UrlEncode(QStringView text);
// "%" with two hex digits is that byte, "+" is a blank, "&" ends the text.
QString UrlDecode(QStringView text);

} // namespace zorvex
