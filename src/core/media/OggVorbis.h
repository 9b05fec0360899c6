#pragma once

#include <QString>

namespace zorvex {

// The comments of an Ogg Vorbis file. Values are UTF-8 in the file and are
// brought into the program's code page.
struct OggVorbis {
    QString title;   // TITLE
    QString artist;  // ARTIST
    QString album;   // ALBUM
    QString track;   // TRACKNUMBER, as written
    QString date;    // DATE
    QString genre;   // GENRE
    QString comment; // COMMENT

    // False, with `error` saying why, when the file cannot be opened or holds
    // no Vorbis stream with a comment header. The fields are cleared first;
    // a comment list cut short keeps the fields read before the cut.
    bool read(const QString& path, QString* error = nullptr);

    void clear() { *this = OggVorbis(); }
};

} // namespace zorvex
