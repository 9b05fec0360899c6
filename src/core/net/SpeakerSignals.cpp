#include "core/net/SpeakerSignals.h"

#include <QtEndian>

#include <cmath>

namespace zorvex {

QList<Tone> speakerSignal(int n)
{
    QList<Tone> t;
    const auto twice = [&] {
        t << Tone{1500, 180} << Tone{0, 120} << Tone{1500, 180};
    };
    switch (n) {
    case 0: t << Tone{400, 30}; break;
    case 1: t << Tone{1500, 180}; break;
    case 2: twice(); break;
    case 3:
        twice();
        t << Tone{0, 750};
        twice();
        break;
    case 4:
        for (int i = 0; i <= 10; ++i)
            t << Tone{int(std::lround((std::cos(double(i - 1000)) * i + 3) * 100 + i)), 30};
        break;
    case 5:
        for (int i = 0; i <= 10; ++i)
            t << Tone{int(std::lround((std::sin(i / 10.0) + i + 3) * 200 + i)), 30};
        break;
    case 6:
        for (int i = 0; i <= 10; ++i)
            t << Tone{((i | 5) * 70) ^ i, 30};
        break;
    case 7:
        for (int i = 0; i <= 10; ++i)
            t << Tone{((i / 5) * 2070) ^ i, 30};
        break;
    case 8:
        for (int i = 0; i <= 10; ++i)
            t << Tone{(i / 5) * i * 800, 30};
        break;
    case 9:
        for (int i = 0; i <= 10; ++i)
            t << Tone{(i / 5) * i * 80, 30};
        break;
    case 10:
        for (int i = 0; i <= 100; ++i)
            t << Tone{(i / 5) * 80, 2};
        break;
    case 11:
        for (int i = 0; i <= 100; ++i)
            t << Tone{(i / 2) * 20, 10};
        break;
    case 12:
        for (int i = 0; i <= 100; ++i)
            t << Tone{i * 2000, 100};
        break;
    case 13:
        for (int i = 0; i <= 100; ++i)
            t << Tone{1000 - 10 * i, 10};
        break;
    case 14:
        for (int i = 1; i <= 250; ++i)
            t << Tone{2500 / i, 10};
        break;
    default: break;
    }
    return t;
}

QByteArray speakerSignalWav(int number, int rate)
{
    QByteArray pcm;
    for (const Tone& tone : speakerSignal(number)) {
        const qint64 samples = qint64(rate) * tone.ms / 1000;
        const bool audible = tone.hz >= 37 && tone.hz <= 32767 && tone.hz * 2 < rate;
        for (qint64 s = 0; s < samples; ++s) {
            qint16 v = 0;
            if (audible)
                v = (s * tone.hz * 2 / rate) % 2 ? 6000 : -6000;
            char b[2];
            qToLittleEndian<qint16>(v, b);
            pcm.append(b, 2);
        }
    }
    QByteArray wav;
    const auto u32 = [&](quint32 x) {
        char b[4];
        qToLittleEndian<quint32>(x, b);
        wav.append(b, 4);
    };
    const auto u16 = [&](quint16 x) {
        char b[2];
        qToLittleEndian<quint16>(x, b);
        wav.append(b, 2);
    };
    wav += "RIFF";
    u32(quint32(36 + pcm.size()));
    wav += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(quint32(rate));
    u32(quint32(rate * 2));
    u16(2);
    u16(16);
    wav += "data";
    u32(quint32(pcm.size()));
    wav += pcm;
    return wav;
}

} // namespace zorvex
