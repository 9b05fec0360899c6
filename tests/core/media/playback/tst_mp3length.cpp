#include "core/media/Mp3Length.h"
#include "support/SoundFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace zorvex;

namespace {

// Bitrate indexes of MPEG 1 layer III.
constexpr int k32 = 1, k64 = 5, k128 = 9, k192 = 11;
// At 48 kHz a layer III frame of MPEG 1 has no padding: 144 × bitrate / 48.
int size48(int index)
{
    switch (index) {
    case k32: return 96;
    case k64: return 192;
    case k128: return 384;
    default: return 576;
    }
}

QByteArray be32(quint32 v)
{
    QByteArray out;
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char((v >> shift) & 0xFF));
    return out;
}

// versionBits: 3 MPEG 1, 2 MPEG 2; rateIndex 1 is 48 kHz (MPEG 1) or
// 24 kHz (MPEG 2).
QByteArray header(int bitrateIndex, bool mono = false, int versionBits = 3, int rateIndex = 1)
{
    const quint32 h = 0xFFE00000u | (quint32(versionBits) << 19) | (1u << 17) | (1u << 16)
        | (quint32(bitrateIndex) << 12) | (quint32(rateIndex) << 10) | ((mono ? 3u : 0u) << 6);
    return be32(h);
}

QByteArray frame(int bitrateIndex, bool mono = false)
{
    return header(bitrateIndex, mono) + QByteArray(size48(bitrateIndex) - 4, '\0');
}

QByteArray frames(int count, int bitrateIndex)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += frame(bitrateIndex);
    return out;
}

// A first frame of 128 kbps carrying a Xing/Info header with a frame count.
QByteArray xingFrame(const char* tag, quint32 count, bool mono = false)
{
    QByteArray f = frame(k128, mono);
    const int at = mono ? 21 : 36;
    f.replace(at, 12, QByteArray(QByteArray(tag, 4) + be32(1) + be32(count)));
    return f;
}

QByteArray vbriFrame(quint32 count)
{
    QByteArray f = frame(k128);
    f.replace(36, 18, QByteArray(QByteArray("VBRI") + QByteArray("\0\1\0\0\0\0", 6) + be32(0) + be32(count)));
    return f;
}

QByteArray id3v2(const QByteArray& body, bool footer = false)
{
    const auto size = quint32(body.size());
    QByteArray h("ID3\4\0", 5);
    h.append(char(footer ? 0x10 : 0));
    for (int shift = 21; shift >= 0; shift -= 7)
        h.append(char((size >> shift) & 0x7F));
    QByteArray tag = h + body;
    if (footer) {
        QByteArray f = h;
        f.replace(0, 3, "3DI");
        tag += f;
    }
    return tag;
}

QByteArray id3v1()
{
    return QByteArray("TAG") + QByteArray(125, ' ');
}

QByteArray apeTag(int items)
{
    const QByteArray body(items, 'a');
    QByteArray footer("APETAGEX");
    const auto le = [](quint32 v) {
        QByteArray out;
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xFF));
        return out;
    };
    footer += le(2000) + le(quint32(body.size() + 32)) + le(1) + le(0) + QByteArray(8, '\0');
    return body + footer;
}

// 300 frames whose bitrate changes after a steady start, as a VBR encoder
// writes silence and then music.
QByteArray variedFrames(int* count)
{
    QByteArray out = frames(20, k128);
    *count = 20;
    for (int i = 0; i < 280; ++i, ++*count)
        out += frame(i % 3 == 2 ? k64 : k192);
    return out;
}

constexpr double kFrame48 = 1152.0 / 48000.0;

} // namespace

class TestMp3Length : public QObject {
    Q_OBJECT

private slots:
    void knownLayouts_data();
    void knownLayouts();
    void notMpegAudio_data();
    void notMpegAudio();
    void encodedFiles_data();
    void encodedFiles();
};

void TestMp3Length::knownLayouts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<bool>("vbr");

    int varied = 0;
    const QByteArray vbr = variedFrames(&varied);

    QTest::newRow("constant bitrate") << frames(250, k128) << 6.0 << 48000 << 2 << false;
    QByteArray mono2;
    for (int i = 0; i < 125; ++i) // MPEG 2, 64 kbps at 24 kHz: 192 bytes, 576 samples
        mono2 += header(8, true, 2, 1) + QByteArray(188, '\0');
    QTest::newRow("MPEG 2 mono") << mono2 << 3.0 << 24000 << 1 << false;
    QTest::newRow("Xing header") << xingFrame("Xing", 500) + frames(10, k128) << 500 * kFrame48 << 48000 << 2
                                 << true;
    QTest::newRow("Xing header, mono") << xingFrame("Xing", 100, true) + frames(10, k128) << 100 * kFrame48 << 48000
                                       << 1 << true;
    QTest::newRow("Info header of a CBR file") << xingFrame("Info", 250) + frames(250, k128) << 6.0 << 48000 << 2
                                               << false;
    QTest::newRow("VBRI header") << vbriFrame(200) + frames(10, k128) << 4.8 << 48000 << 2 << true;
    QTest::newRow("VBR without a header") << vbr << varied * kFrame48 << 48000 << 2 << true;
    QTest::newRow("VBR with a cut last frame") << vbr + frame(k192).left(100) << varied * kFrame48 << 48000 << 2
                                               << true;
    QTest::newRow("VBR with a damaged stretch") << vbr + QByteArray(1000, '\x11') + vbr << 2 * varied * kFrame48
                                                << 48000 << 2 << true;
    // A cover picture that happens to look like frames must not be taken
    // for the start of the sound.
    QTest::newRow("ID3v2 in front, frames inside it") << id3v2(frames(40, k128)) + frames(100, k64) << 2.4 << 48000
                                                      << 2 << false;
    QTest::newRow("ID3v2 with a footer") << id3v2(QByteArray(500, 'x'), true) + frames(100, k64) << 2.4 << 48000 << 2
                                         << false;
    QTest::newRow("two ID3v2 tags") << id3v2(QByteArray(300, 'x')) + id3v2(frames(5, k192)) + frames(100, k64) << 2.4
                                    << 48000 << 2 << false;
    QTest::newRow("ID3v1 at the end") << frames(100, k32) + id3v1() << 2.4 << 48000 << 2 << false;
    QTest::newRow("APE and ID3v1 at the end") << frames(100, k32) + apeTag(300) + id3v1() << 2.4 << 48000 << 2 << false;
    QTest::newRow("junk before the first frame") << QByteArray(700, 'U') + frames(100, k64) << 2.4 << 48000 << 2
                                                 << false;
}

void TestMp3Length::knownLayouts()
{
    QFETCH(QByteArray, file);
    QFETCH(double, seconds);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(bool, vbr);

    const auto facts = parseMp3Facts(file);
    QVERIFY(facts);
    QVERIFY2(std::abs(facts->seconds - seconds) < 1e-6,
             qPrintable(QStringLiteral("%1 s, expected %2 s").arg(facts->seconds).arg(seconds)));
    QCOMPARE(facts->sampleRate, rate);
    QCOMPARE(facts->channels, channels);
    QCOMPARE(facts->vbr, vbr);

    // The file reader takes the same path as the bytes in memory.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.mp3"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    const auto fromFile = readMp3Facts(path);
    QVERIFY(fromFile);
    QCOMPARE(fromFile->seconds, facts->seconds);
}

void TestMp3Length::notMpegAudio_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("To nie jest plik MP3, tylko zwykły tekst.\n").repeated(50);
    QTest::newRow("WAV") << QByteArray("RIFF\x24\x10\0\0WAVEfmt ", 16) + QByteArray(4000, '\0');
    // Free-format frames have no size in their header.
    QTest::newRow("free format") << QByteArray(header(0) + QByteArray(400, '\0')).repeated(20);
    QTest::newRow("lone sync word") << header(k128) + QByteArray(5000, '\0');
    QTest::newRow("only an ID3v2 tag") << id3v2(QByteArray(200, 'x'));
}

void TestMp3Length::notMpegAudio()
{
    QFETCH(QByteArray, file);
    QVERIFY(!parseMp3Facts(file));
}

void TestMp3Length::encodedFiles_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("vbr");
    QTest::newRow("CBR 128") << QStringList{QStringLiteral("-b"), QStringLiteral("128")} << false;
    QTest::newRow("VBR with a Xing header") << QStringList{QStringLiteral("-V"), QStringLiteral("4")} << true;
    QTest::newRow("VBR without a Xing header")
        << QStringList{QStringLiteral("-V"), QStringLiteral("4"), QStringLiteral("-t")} << true;
    QTest::newRow("CBR with an ID3v2 tag in front")
        << QStringList{QStringLiteral("-b"), QStringLiteral("128"), QStringLiteral("--id3v2-only"),
                       QStringLiteral("--tt"), QStringLiteral("Tytuł"), QStringLiteral("--pad-id3v2-size"),
                       QStringLiteral("4000")}
        << false;
}

void TestMp3Length::encodedFiles()
{
    QFETCH(QStringList, options);
    QFETCH(bool, vbr);
    if (test::lameProgram().isEmpty())
        QSKIP("lame is not installed");
    QTemporaryDir dir;
    const QString wav = dir.filePath(QStringLiteral("in.wav"));
    const QString mp3 = dir.filePath(QStringLiteral("out.mp3"));
    QVERIFY(test::writeVariedWav(wav, 4.0));
    QVERIFY(test::encodeMp3(wav, mp3, options));

    const auto facts = readMp3Facts(mp3);
    QVERIFY(facts);
    // The encoder adds its delay and padding, well under a tenth of a second.
    QVERIFY2(std::abs(facts->seconds - 4.0) < 0.1, qPrintable(QString::number(facts->seconds)));
    QCOMPARE(facts->sampleRate, 44100);
    QCOMPARE(facts->channels, 2);
    QCOMPARE(facts->vbr, vbr);
}

QTEST_GUILESS_MAIN(TestMp3Length)
#include "tst_mp3length.moc"
