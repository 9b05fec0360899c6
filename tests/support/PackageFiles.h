#pragma once

// Package archives made by hand, so that a test can give entries any folder
// path, including ones the program's own writer would never produce.

#include "core/internet/ZlbCodec.h"
#include "core/internet/ZlbFormat.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace zorvex::test {

struct PackageFile {
    QString folder; // "Gfx\\Pogoda\\Nowy\\" as the registry holds it
    QString name;
    QByteArray bytes;
};

// Every file stored raw, the registry raw, the trailer's CRC right.
inline QByteArray packageBytes(const QList<PackageFile>& files)
{
    QByteArray out;
    QByteArray registry;
    for (const PackageFile& f : files) {
        ZlbEntry e;
        e.fileName = f.name;
        e.folderPath = f.folder;
        e.originalSize = quint32(f.bytes.size());
        e.storedSize = quint32(f.bytes.size());
        e.offset = quint32(out.size());
        e.crc = zlbCrc32(0, f.bytes);
        e.raw = true;
        out += f.bytes;
        registry += encodeEntry(e);
    }
    ZlbTrailer t;
    t.count = quint32(files.size());
    t.registrySize = quint32(registry.size());
    t.registryOffset = quint32(out.size());
    t.registryCompressed = 0;
    out += registry;
    t.crc = zlbCrc32(0, out);
    return out + encodeTrailer(t);
}

// Changes one byte of file `index`'s data and makes the trailer right again:
// the archive opens, but that entry's CRC is wrong.
inline QByteArray withDamagedEntry(const QList<PackageFile>& files, int index)
{
    QByteArray bytes = packageBytes(files);
    qsizetype at = 0;
    for (int i = 0; i < index; ++i)
        at += files[i].bytes.size();
    bytes[at] = char(bytes[at] ^ 0x5A);
    const qsizetype body = bytes.size() - kZlbTrailerSize;
    ZlbTrailer t = decodeTrailer(bytes.constData() + body);
    t.crc = zlbCrc32(0, QByteArrayView(bytes).first(body));
    return bytes.first(body) + encodeTrailer(t);
}

} // namespace zorvex::test
