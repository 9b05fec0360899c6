#pragma once

// Sound files made at test time: a sine tone as WAV, and MP3s of it from the
// lame encoder when it is installed.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <cmath>

namespace zorvex::test {

inline QByteArray le(quint32 v, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        out[i] = char((v >> (8 * i)) & 0xFF);
    return out;
}

// A 16-bit PCM WAV file of interleaved samples.
inline bool writeWav(const QString& path, const QByteArray& pcm, int rate, int channels)
{
    const int align = channels * 2;
    const QByteArray file = "RIFF" + le(quint32(36 + pcm.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2)
        + le(quint32(channels), 2) + le(quint32(rate), 4) + le(quint32(rate * align), 4) + le(quint32(align), 2)
        + le(16, 2) + "data" + le(quint32(pcm.size()), 4) + pcm;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(file) == file.size();
}

// A 16-bit PCM WAV file holding `seconds` of a 440 Hz tone.
inline bool writeToneWav(const QString& path, double seconds, int rate = 44100, int channels = 2)
{
    const auto frames = qint64(std::llround(seconds * rate));
    QByteArray pcm;
    pcm.reserve(frames * channels * 2);
    for (qint64 i = 0; i < frames; ++i) {
        const auto v = qint16(std::lround(8000.0 * std::sin(2.0 * M_PI * 440.0 * double(i) / rate)));
        for (int c = 0; c < channels; ++c)
            pcm += le(quint16(v), 2);
    }
    return writeWav(path, pcm, rate, channels);
}

// Silence, a tone, then noise: a VBR encoder gives such a file frames of
// very different sizes.
inline bool writeVariedWav(const QString& path, double seconds, int rate = 44100)
{
    const auto frames = qint64(std::llround(seconds * rate));
    QByteArray pcm;
    pcm.reserve(frames * 4);
    quint32 noise = 12345;
    for (qint64 i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        qint16 v = 0;
        if (t >= seconds / 4 && t < seconds / 2) {
            v = qint16(std::lround(8000.0 * std::sin(2.0 * M_PI * 440.0 * t)));
        } else if (t >= seconds / 2) {
            noise = noise * 1103515245u + 12345u;
            v = qint16(int((noise >> 16) & 0x7FFF) - 0x4000);
        }
        pcm += le(quint16(v), 2) + le(quint16(v), 2);
    }
    return writeWav(path, pcm, rate, 2);
}

inline QString lameProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("lame"));
}

// Encodes `wav` to `mp3` with the extra lame options; false when lame is
// missing or fails.
inline bool encodeMp3(const QString& wav, const QString& mp3, const QStringList& options)
{
    const QString lame = lameProgram();
    if (lame.isEmpty())
        return false;
    QProcess p;
    p.start(lame, QStringList{QStringLiteral("--quiet")} + options + QStringList{wav, mp3});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace zorvex::test
