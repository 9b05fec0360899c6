#pragma once

// A tagged MP3 file as taggers leave it, for the benchmarks that read many.

#include "core/media/Id3v1.h"

#include <QByteArray>
#include <QString>

namespace zorvex::bench {

inline QByteArray be32(quint32 v)
{
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((v >> shift) & 0xFF));
    return out;
}

inline QByteArray frame(const char* id, const QByteArray& data)
{
    return QByteArray(id, 4) + be32(quint32(data.size())) + QByteArray(2, '\0') + data;
}

// A text frame's body: the Latin encoding byte, then the text.
inline QByteArray text(const QByteArray& s)
{
    return QByteArray(1, '\0') + s;
}

// A file as taggers leave it: text frames, a cover picture, padding, about
// 20 KB of audio and an ID3v1 tag.
inline QByteArray mp3(int n)
{
    const QByteArray number = QByteArray::number(n);
    const QByteArray frames = frame("TIT2", text("Title number " + number)) + frame("TPE1", text("Some Artist"))
        + frame("TALB", text("An Album Name")) + frame("TRCK", text(QByteArray::number(n % 20 + 1) + "/20"))
        + frame("TYER", text("2009")) + frame("TCON", text("(17)Rock")) + frame("COMM", text(QByteArray("eng\0A comment", 13)))
        + frame("TENC", text("Encoder 1.0")) + frame("TSSE", text("LAME 3.100"))
        + frame("APIC", QByteArray("\0image/jpeg\0\3\0", 14) + QByteArray(4096, 'j')) + QByteArray(1024, '\0');
    const quint32 size = quint32(frames.size());
    QByteArray header("ID3\3\0\0", 6);
    for (int shift = 21; shift >= 0; shift -= 7)
        header.append(static_cast<char>((size >> shift) & 0x7F));

    QByteArray audioFrame(417, '\0');
    audioFrame[0] = char(0xFF);
    audioFrame[1] = char(0xFB);
    audioFrame[2] = char(0x90);
    audioFrame[3] = char(0xC4);

    Id3v1 v1;
    v1.title = QStringLiteral("Title number %1").arg(n);
    v1.artist = QStringLiteral("Some Artist");
    v1.track = quint8(n % 20 + 1);
    v1.genre = 17;
    return header + frames + audioFrame.repeated(48) + v1.toBytes();
}


} // namespace zorvex::bench
