#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

class QIODevice;

namespace zorvex {

// Reads the packets of one logical stream of an Ogg file as byte streams,
// following them across pages, so that a large packet (a comment header
// carrying a picture) is skipped rather than held in memory. Page checksums
// are not verified: only headers are read, and a damaged page ends the stream.
class OggPacketReader {
public:
    explicit OggPacketReader(QIODevice& device) : m_device(device) {}

    // Finds the first stream whose first packet begins with `signature`,
    // looking through the streams that start the file, and leaves the reader
    // just past the signature.
    bool findStream(QByteArrayView signature);
    // Moves to the start of the stream's next packet.
    bool nextPacket();

    // Up to `length` bytes of the current packet; fewer when it ends.
    QByteArray read(qint64 length);
    // Skips up to `length` bytes of the current packet; false when it ended first.
    bool skip(qint64 length);

private:
    bool loadPage(bool anyStream);
    bool nextSegment();
    bool packetEnded() const;
    qint64 transfer(char* out, qint64 length);

    QIODevice& m_device;
    qint64 m_pageEnd = 0;        // file offset just past the current page
    QByteArray m_lacing;         // segment sizes of the current page
    qsizetype m_segment = -1;    // index of the current segment
    qint64 m_segmentLeft = 0;    // unread bytes of the current segment
    quint32 m_pageSerial = 0;
    bool m_beginsStream = false; // the current page is its stream's first
    quint32 m_serial = 0;        // the stream that findStream chose
};

} // namespace zorvex
