#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace zorvex {

// Every data file on disk is Windows-1250 text. Convert only where bytes
// enter or leave the program; inside, text is QString.
QString fromCp1250(QByteArrayView bytes);
// Characters without a Windows-1250 byte become `replacement`.
QByteArray toCp1250(QStringView text, char replacement = '?');
// True when every character of `text` has a Windows-1250 byte.
bool fitsCp1250(QStringView text);

// The byte 0xFF separates fields of the list files; this is how it reads
// once decoded (U+02D9, the dot above).
inline constexpr QChar kListSeparator = QChar(0x02D9);

// The text of a file as people's editors leave it: one that starts with the
// UTF-8 byte order mark (dropped), or whose bytes form valid UTF-8 with at
// least one character beyond ASCII, reads as UTF-8; any other file as
// Windows-1250. The byte 0xFF, never part of UTF-8, reads as kListSeparator
// either way: editors that keep bytes they cannot decode leave the list
// files' separators as they were.
QString decodeFileText(QByteArrayView bytes);

} // namespace zorvex
