#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace zorvex {

// What the frame headers of an MPEG audio file tell without decoding it.
struct Mp3Facts {
    double seconds = 0;
    int sampleRate = 0;
    int channels = 0;
    int bitrateKbps = 0;     // of the first frame; the average for VBR files
    qint64 firstFrame = 0;   // byte offset of the first audio frame
    qint64 audioBytes = 0;   // from the first frame to the trailing tags
    qint64 frames = 0;       // 0 when the length came from the CBR rule
    bool vbr = false;
};

// The playlist reads the length of every file it adds, so this must stay far
// cheaper than a decoder: ID3v2 tags in front and ID3v1/APE tags at the end
// are skipped, a Xing/Info or VBRI header gives the frame count, a constant
// bitrate gives the length from the size, and only a VBR file without such a
// header is walked frame by frame. Empty when the file holds no MPEG audio
// frames that follow one another (then a decoder has to tell).
std::optional<Mp3Facts> readMp3Facts(const QString& path);

// The same over bytes already in memory (the whole file).
std::optional<Mp3Facts> parseMp3Facts(QByteArrayView file);

} // namespace zorvex
