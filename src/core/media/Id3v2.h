#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zorvex {

// The ID3v2 tag at the start of a file. Frames are read from version 2.3 and
// 2.4 tags (a 2.2 tag is found but yields no fields). Saving writes version
// 2.3: the frames below, then every other frame of the old tag byte for byte
// (2.4 frames brought into the 2.3 form), no padding. Text that Latin-1 and
// Windows-1250 read alike is written as Latin, the rest as UTF-16. Texts are
// in the program's code page.
struct Id3v2 {
    // Longest part of a frame that is read; the tag window edits no more.
    static constexpr int kMaxFrameData = 250;

    bool exists = false;
    int version = 0; // the major version byte
    qint64 size = 0; // the whole tag in bytes; 0 when it claims more than the file holds

    QString title;    // TIT2
    QString artist;   // TPE1
    QString album;    // TALB
    int track = 0;    // TRCK: the number before a "/"; 0 when none
    QString year;     // TYER
    QString genre;    // TCON, with "(n)" references resolved
    QString comment;  // COMM
    QString composer; // TCOM
    QString encoder;  // TENC
    QString rights;   // TCOP
    QString language; // TLAN
    QString link;     // WXXX

    // Each returns false, with `error` saying why, when the file cannot be
    // opened or written. A read clears the fields first; a file without a tag
    // reads successfully with exists false.
    bool read(const QString& path, QString* error = nullptr);
    // Writes these fields as a new tag in place of the old one, if any.
    bool save(const QString& path, QString* error = nullptr);
    // Drops the tag; a file without one is left alone.
    bool remove(const QString& path, QString* error = nullptr);

    void clear() { *this = Id3v2(); }
    // The tag these fields are saved as, with `otherFrames` (2.3 frames of
    // the old tag) after them.
    QByteArray toBytes() const;
    QByteArray toBytes(const QByteArray& otherFrames) const;

    // The track of a TRCK text: the number before a "/", else the whole text;
    // 0 when that is not a positive number.
    static int parseTrack(QStringView text);
    // The genre of a TCON text: the text after the leading "(n)" references,
    // or the name of the last reference when nothing follows them.
    static QString parseGenre(QStringView text);
};

} // namespace zorvex
