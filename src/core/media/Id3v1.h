#pragma once

#include "core/media/Genres.h"

#include <QString>

namespace zorvex {

// The ID3v1 tag in the last 128 bytes of a file, with the 1.1 track number.
// Texts are in the program's code page (Windows-1250 on disk).
struct Id3v1 {
    static constexpr int kSize = 128;

    bool exists = false;
    int version = 0; // 1 for ID3v1, 2 for ID3v1.1
    QString title;   // up to 30 bytes
    QString artist;  // up to 30
    QString album;   // up to 30
    QString year;    // up to 4
    QString comment; // up to 30; 28 when there is a track
    quint8 track = 0; // 0 means none
    quint8 genre = kNoGenre;

    // Each returns false, with `error` saying why, when the file cannot be
    // opened or written. A read clears the fields first; a file without a tag
    // reads successfully with exists false.
    bool read(const QString& path, QString* error = nullptr);
    // Replaces the file's tag with these fields, or appends one.
    bool save(const QString& path, QString* error = nullptr);
    // Cuts the tag off; a file without one is left alone.
    bool remove(const QString& path, QString* error = nullptr);

    void clear() { *this = Id3v1(); }
    // The 128-byte block these fields are saved as.
    QByteArray toBytes() const;
    // Fills the fields from a 128-byte block; exists stays false when it is
    // not a tag.
    void fromBytes(QByteArrayView block);
};

} // namespace zorvex
