#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zorvex {

// Text shown from tags ends up in the program's Windows-1250 files (playlists,
// tag fields written back), so it is brought into that code page as soon as it
// is read: a character without a Windows-1250 byte becomes "?", a surrogate
// pair counting as one character.
QString toCodePage(QStringView text);

// Trims spaces and control characters (everything up to U+0020).
QString trimControls(QStringView text);
QString trimControlsRight(QStringView text);

// ID3v2 text encodings (the byte that starts a text frame).
enum class Id3Encoding : quint8 { Latin = 0, Utf16 = 1, Utf16BE = 2, Utf8 = 3 };

// Decodes one string up to its terminator (or the end) into the program's code
// page (see toCodePage). Latin text is read as Windows-1250, the program's own
// code page, which is what it writes. UTF-16
// honours a byte-order mark; without one the byte order is guessed from where
// the zero bytes of ASCII characters sit. A character cut off at the end (the
// reader keeps only the start of long frames) is dropped.
QString decodeId3String(QByteArrayView data, Id3Encoding encoding);

// Offset just past the first terminated string of `data` (its terminator is
// one zero byte, or two aligned ones for UTF-16); data.size() when there is
// no terminator.
qsizetype skipId3String(QByteArrayView data, Id3Encoding encoding);

} // namespace zorvex
