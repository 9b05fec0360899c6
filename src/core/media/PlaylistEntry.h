#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace zorvex {

// One playlist entry. Seconds and size are kept as the text the list file
// holds: "-1" means not known yet, and an M3U line without a length leaves
// the seconds empty (unknown in the totals, but not measured again).
struct PlaylistEntry {
    QString path;
    QString name;
    QString seconds = QStringLiteral("-1");
    QString size = QStringLiteral("-1");

    bool operator==(const PlaylistEntry&) const = default;

    // The four fields joined by the list separator, as the playlist store
    // keeps them, and back; a line with fewer fields leaves the rest unknown.
    QString line() const;
    static PlaylistEntry fromLine(QStringView line);

    // -1 while the value is not a whole number of at least 0.
    qint64 secondsValue() const;
    qint64 sizeValue() const;
};

// "mm:ss", each at least two digits, minutes unlimited; "-1" for a negative
// or non-numeric value (which is not shown).
QString durationText(qint64 seconds);
QString durationText(const QString& seconds);

// The file name without its extension: the text before the last "." unless
// that dot starts the name.
QString baseNameOf(const QString& path);

// The name a file's tags give it: "artist - title", the title alone, or
// "artist - file name"; empty when the tags give nothing usable. A text
// holding bytes that are not letters of this code page (a tag written in
// another one) is not used.
QString combineDisplayName(const QString& title, const QString& artist, const QString& path);

// The extensions the playlist takes, upper-case with the dot.
bool isSoundFile(const QString& path);
bool isPlaylistFile(const QString& path);

} // namespace zorvex
