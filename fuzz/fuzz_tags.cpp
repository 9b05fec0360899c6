// Tags and lengths of sound files: ID3v1, ID3v2, Ogg Vorbis comments, the
// MP3 frame walk and the Ogg page walk.
#include "FuzzInput.h"

#include "core/media/Id3v1.h"
#include "core/media/Id3v2.h"
#include "core/media/Mp3Length.h"
#include "core/media/OggLength.h"
#include "core/media/OggVorbis.h"

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::inputFile(data, size);
    Id3v1 v1;
    (void)v1.read(path);
    Id3v2 v2;
    if (v2.read(path))
        (void)v2.toBytes();
    OggVorbis ogg;
    (void)ogg.read(path);
    (void)parseMp3Facts(QByteArrayView(data, qsizetype(size)));
    OggLength length;
    length.feed(QByteArrayView(data, qsizetype(size)));
    (void)length.seconds(qint64(size));
    return 0;
}
