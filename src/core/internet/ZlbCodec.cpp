#include "core/internet/ZlbCodec.h"

#include <QIODevice>
#include <QScopeGuard>

#include <zlib.h>

#include <algorithm>

namespace zorvex {
namespace {

QByteArrayView viewOf(const QByteArray& buffer, qint64 size)
{
    return QByteArrayView(buffer.constData(), size);
}

ZlbReadResult readRaw(QIODevice& in, qint64 storedSize, qint64 outputSize, bool exact, const ZlbSink& sink)
{
    if (exact ? storedSize != outputSize : storedSize < outputSize)
        return ZlbReadResult::Corrupt;
    QByteArray buffer(std::min(kZlbChunkSize, std::max<qint64>(outputSize, 1)), Qt::Uninitialized);
    qint64 left = outputSize;
    while (left > 0) {
        const qint64 got = in.read(buffer.data(), std::min<qint64>(buffer.size(), left));
        if (got <= 0)
            return ZlbReadResult::Corrupt;
        if (!sink(viewOf(buffer, got)))
            return ZlbReadResult::SinkFailed;
        left -= got;
    }
    return ZlbReadResult::Ok;
}

ZlbReadResult readStream(QIODevice& in, qint64 storedSize, qint64 outputSize, bool exact, const ZlbSink& sink)
{
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return ZlbReadResult::Corrupt;
    const auto cleanup = qScopeGuard([&zs] { inflateEnd(&zs); });

    QByteArray input(std::min(kZlbChunkSize, std::max<qint64>(storedSize, 1)), Qt::Uninitialized);
    QByteArray output(kZlbChunkSize, Qt::Uninitialized);
    qint64 inputLeft = storedSize;
    qint64 produced = 0;
    for (;;) {
        if (zs.avail_in == 0 && inputLeft > 0) {
            const qint64 got = in.read(input.data(), std::min<qint64>(input.size(), inputLeft));
            if (got <= 0)
                return ZlbReadResult::Corrupt;
            inputLeft -= got;
            zs.next_in = reinterpret_cast<Bytef*>(input.data());
            zs.avail_in = static_cast<uInt>(got);
        }
        zs.next_out = reinterpret_cast<Bytef*>(output.data());
        zs.avail_out = static_cast<uInt>(output.size());
        const int rc = inflate(&zs, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
            return ZlbReadResult::Corrupt;

        const qint64 have = output.size() - zs.avail_out;
        const qint64 take = std::min(have, outputSize - produced);
        if (take < have && exact)
            return ZlbReadResult::Corrupt;
        if (take > 0 && !sink(viewOf(output, take)))
            return ZlbReadResult::SinkFailed;
        produced += take;

        if (rc == Z_STREAM_END)
            return produced == outputSize ? ZlbReadResult::Ok : ZlbReadResult::Corrupt;
        if (produced == outputSize && !exact)
            return ZlbReadResult::Ok;
        // No progress and nothing left to feed: the stream is cut short.
        if (rc == Z_BUF_ERROR && zs.avail_in == 0 && inputLeft == 0)
            return ZlbReadResult::Corrupt;
    }
}

} // namespace

quint32 zlbCrc32(quint32 crc, QByteArrayView data)
{
    const auto* bytes = reinterpret_cast<const Bytef*>(data.data());
    qint64 left = data.size();
    uLong value = crc;
    // crc32() takes an unsigned int length.
    while (left > 0) {
        const auto step = static_cast<uInt>(std::min<qint64>(left, 1 << 30));
        value = crc32(value, bytes, step);
        bytes += step;
        left -= step;
    }
    return static_cast<quint32>(value);
}

ZlbReadResult readBlock(QIODevice& in, qint64 storedSize, bool raw, qint64 outputSize, bool exact,
                        const ZlbSink& sink)
{
    if (outputSize == 0 && !exact)
        return ZlbReadResult::Ok;
    return raw ? readRaw(in, storedSize, outputSize, exact, sink)
               : readStream(in, storedSize, outputSize, exact, sink);
}

bool crcOfDevice(QIODevice& in, qint64 size, quint32* crc, const ZlbSink& copyTo)
{
    QByteArray buffer(std::min(kZlbChunkSize, std::max<qint64>(size, 1)), Qt::Uninitialized);
    quint32 value = *crc;
    qint64 left = size;
    while (left > 0) {
        const qint64 got = in.read(buffer.data(), std::min<qint64>(buffer.size(), left));
        if (got <= 0)
            return false;
        const QByteArrayView piece = viewOf(buffer, got);
        value = zlbCrc32(value, piece);
        if (copyTo && !copyTo(piece))
            return false;
        left -= got;
    }
    *crc = value;
    return true;
}

bool deflateBytes(QByteArrayView data, int zlibLevel, QByteArray* out)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    out->resize(static_cast<qsizetype>(size));
    const int rc = compress2(reinterpret_cast<Bytef*>(out->data()), &size,
                             reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()),
                             zlibLevel);
    if (rc != Z_OK) {
        out->clear();
        return false;
    }
    out->resize(static_cast<qsizetype>(size));
    return true;
}

ZlbDeflateResult deflateDevice(QIODevice& in, QIODevice& out, int zlibLevel,
                               const std::function<void(qint64)>& onInput)
{
    ZlbDeflateResult result;
    z_stream zs{};
    if (deflateInit(&zs, zlibLevel) != Z_OK)
        return result;
    const auto cleanup = qScopeGuard([&zs] { deflateEnd(&zs); });

    QByteArray input(kZlbChunkSize, Qt::Uninitialized);
    QByteArray output(kZlbChunkSize, Qt::Uninitialized);
    quint32 crc = zlbCrc32(0, {});
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        const qint64 got = in.read(input.data(), input.size());
        if (got < 0) {
            result.readFailed = true;
            return result;
        }
        if (got == 0)
            flush = Z_FINISH;
        crc = zlbCrc32(crc, viewOf(input, got));
        result.inputSize += got;
        zs.next_in = reinterpret_cast<Bytef*>(input.data());
        zs.avail_in = static_cast<uInt>(got);
        do {
            zs.next_out = reinterpret_cast<Bytef*>(output.data());
            zs.avail_out = static_cast<uInt>(output.size());
            if (deflate(&zs, flush) == Z_STREAM_ERROR)
                return result;
            const qint64 have = output.size() - zs.avail_out;
            if (have > 0 && out.write(output.constData(), have) != have)
                return result;
            result.outputSize += have;
        } while (zs.avail_out == 0);
        if (onInput && got > 0)
            onInput(got);
    }
    result.ok = true;
    result.crc = crc;
    return result;
}

} // namespace zorvex
