#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <functional>

class QIODevice;

namespace zorvex {

// Streaming pieces of the package archive: CRC-32, block reading and zlib
// compression, all over QIODevice so that memory stays bounded by one chunk
// whatever sizes a file claims.

// Big enough that the system calls do not dominate, small enough to keep
// memory flat.
inline constexpr qint64 kZlbChunkSize = 64 * 1024;

// Receives the next piece of data; returning false stops the reader.
using ZlbSink = std::function<bool(QByteArrayView data)>;

quint32 zlbCrc32(quint32 crc, QByteArrayView data);

enum class ZlbReadResult {
    Ok,
    Corrupt,    // short data, a broken stream, or a stream of the wrong length
    SinkFailed, // the sink refused the data
};

// Reads a data block of `storedSize` bytes at the device's position: raw, or
// a zlib stream to be inflated. Feeds the first `outputSize` bytes of its
// content to `sink`. With `exact`, the content must be exactly that long (a
// raw block of that size, a stream ending right there).
ZlbReadResult readBlock(QIODevice& in, qint64 storedSize, bool raw, qint64 outputSize, bool exact,
                        const ZlbSink& sink);

// CRC-32 of the next `size` bytes of `in`; false on a short read. `copyTo`,
// when given, receives the same bytes.
bool crcOfDevice(QIODevice& in, qint64 size, quint32* crc, const ZlbSink& copyTo = {});

// Whole-buffer zlib stream at `zlibLevel`; false when zlib fails.
bool deflateBytes(QByteArrayView data, int zlibLevel, QByteArray* out);

struct ZlbDeflateResult {
    bool ok = false;
    bool readFailed = false; // the source could not be read (else: writing failed)
    quint32 crc = 0;
    qint64 inputSize = 0;
    qint64 outputSize = 0;
};

// Streams the rest of `in` through zlib into `out`. `onInput` hears how many
// source bytes each step consumed.
ZlbDeflateResult deflateDevice(QIODevice& in, QIODevice& out, int zlibLevel,
                               const std::function<void(qint64)>& onInput = {});

} // namespace zorvex
