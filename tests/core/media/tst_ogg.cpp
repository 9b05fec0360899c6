#include "FixtureFolder.h"
#include "core/media/OggLength.h"
#include "core/media/OggVorbis.h"
#include "core/media/TagText.h"

#include <QFile>
#include <QTest>

#include <vorbisfile.h>
#include <xiphcomment.h>

#include <array>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

namespace {

QByteArray le32(quint32 v)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    return out;
}

quint32 oggCrc(QByteArrayView bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 r = i << 24;
            for (int k = 0; k < 8; ++k)
                r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
            t[i] = r;
        }
        return t;
    }();
    quint32 crc = 0;
    for (char c : bytes)
        crc = (crc << 8) ^ table[((crc >> 24) ^ static_cast<quint8>(c)) & 0xFF];
    return crc;
}

// Lays packets out as pages of stream `serial`, at most `maxSegments` lacing
// values a page, starting a new page; `seq` numbers the pages.
QByteArray pages(quint32 serial, quint32& seq, const QList<QByteArray>& packets, bool beginsStream,
                 int maxSegments = 255)
{
    QList<quint8> lacing;
    QByteArray data;
    for (const QByteArray& p : packets) {
        for (qsizetype n = p.size(); ; n -= 255) {
            lacing.append(quint8(std::min<qsizetype>(n, 255)));
            if (n < 255)
                break;
        }
        data += p;
    }
    QByteArray out;
    qsizetype at = 0;
    bool continued = false;
    for (qsizetype first = 0; first < lacing.size(); first += maxSegments) {
        const QList<quint8> segs = lacing.mid(first, maxSegments);
        qsizetype body = 0;
        for (quint8 s : segs)
            body += s;
        const char flags = char((continued ? 0x01 : 0) | (beginsStream && first == 0 ? 0x02 : 0));
        QByteArray page = "OggS\0"_ba + flags + QByteArray(8, '\0') + le32(serial) + le32(seq++) + le32(0)
            + char(segs.size());
        for (quint8 s : segs)
            page += char(s);
        page += data.mid(at, body);
        at += body;
        const QByteArray crc = le32(oggCrc(page));
        page.replace(22, 4, crc);
        out += page;
        continued = segs.last() == 255;
    }
    return out;
}

QByteArray vorbisId()
{
    return "\x01vorbis"_ba + le32(0) + char(1) + le32(8000) + le32(0) + le32(0) + le32(0) + char(0xB8) + char(1);
}

QByteArray commentHeader(const QList<QByteArray>& entries, quint32 count)
{
    QByteArray out = "\x03vorbis"_ba + le32(6) + "Zorvex" + le32(count);
    for (const QByteArray& e : entries)
        out += le32(quint32(e.size())) + e;
    return out + '\x01';
}

QByteArray commentHeader(const QList<QByteArray>& entries)
{
    return commentHeader(entries, quint32(entries.size()));
}

const QByteArray kSetup = "\x05vorbis"_ba + QByteArray(40, 'S');

// A Vorbis stream's header pages: identification, then comments and setup.
QByteArray vorbisStream(const QByteArray& comments, int maxSegments = 255, quint32 serial = 0x5a4f5256)
{
    quint32 seq = 0;
    return pages(serial, seq, {vorbisId()}, true) + pages(serial, seq, {comments, kSetup}, false, maxSegments);
}

// One page of sound of stream `serial` ending at `granule` samples.
QByteArray soundPage(quint32 serial, quint32& seq, qint64 granule, qsizetype bytes = 1000)
{
    QByteArray page = pages(serial, seq, {QByteArray(bytes, 'a')}, false);
    page.replace(6, 8, QByteArray(le32(quint32(granule)) + le32(quint32(quint64(granule) >> 32))));
    page.replace(22, 4, le32(0));
    page.replace(22, 4, le32(oggCrc(page)));
    return page;
}

QStringList describe(const OggVorbis& t)
{
    QStringList out;
    const auto add = [&out](const char* name, const QString& v) {
        if (!v.isEmpty())
            out << QString::fromLatin1(name) + u'=' + v;
    };
    add("TITLE", t.title);
    add("ARTIST", t.artist);
    add("ALBUM", t.album);
    add("TRACKNUMBER", t.track);
    add("DATE", t.date);
    add("GENRE", t.genre);
    add("COMMENT", t.comment);
    return out;
}

// What TagLib reads, the first of repeated fields, in the form of describe().
QStringList describeWithTagLib(const QString& path)
{
    TagLib::Ogg::Vorbis::File file(QFile::encodeName(path).constData(), false);
    if (!file.isValid() || !file.tag())
        return {u"not read"_s};
    const TagLib::Ogg::FieldListMap fields = file.tag()->fieldListMap();
    QStringList out;
    for (const char* name : {"TITLE", "ARTIST", "ALBUM", "TRACKNUMBER", "DATE", "GENRE", "COMMENT"}) {
        const auto it = fields.find(name);
        if (it != fields.end() && !it->second.isEmpty() && !it->second.front().isEmpty())
            out << QString::fromLatin1(name) + u'='
                    + toCodePage(QString::fromStdString(it->second.front().to8Bit(true)));
    }
    return out;
}

} // namespace

class TestOgg : public QObject {
    Q_OBJECT

private slots:
    void init();
    void readsEncodedFile();
    void read_data();
    void read();
    void failures_data();
    void failures();
    void lengthOfEncodedFile();
    void lengthAsBytesArrive_data();
    void lengthAsBytesArrive();

private:
    QString write(const QByteArray& bytes, const QString& name = u"song.ogg"_s);
    test::FixtureFolder m_dir;
};

void TestOgg::init()
{
    QVERIFY(m_dir.renew());
}

QString TestOgg::write(const QByteArray& bytes, const QString& name)
{
    return m_dir.write(bytes, name);
}

// A file from a real encoder, its field names in mixed case and TITLE given twice.
void TestOgg::readsEncodedFile()
{
    const QString path = QStringLiteral(ZORVEX_FIXTURES "/media/comments.ogg");
    OggVorbis t;
    QString error;
    QVERIFY2(t.read(path, &error), qPrintable(error));
    const QStringList expected{u"TITLE=Zażółć gęślą jaźń"_s, u"ARTIST=Łódź Ensemble"_s, u"ALBUM=Płyta"_s,
                               u"TRACKNUMBER=3/12"_s, u"DATE=2009"_s, u"GENRE=Rock"_s,
                               u"COMMENT=Uwaga – test ?"_s};
    QCOMPARE(describe(t), expected);
    QCOMPARE(describeWithTagLib(path), expected);
}

void TestOgg::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<bool>("tagLibToo"); // a well-formed file another reader must agree on

    QTest::newRow("every field, names in any case")
        << vorbisStream(commentHeader({"title=Tytuł", "ArTiSt=Ktoś", "ALBUM=Album", "tracknumber=7",
                                       "Date=2009-05-01", "GENRE=Jazz", "comment=a=b"}))
        << QStringList{u"TITLE=Tytuł"_s, u"ARTIST=Ktoś"_s, u"ALBUM=Album"_s, u"TRACKNUMBER=7"_s,
                       u"DATE=2009-05-01"_s, u"GENRE=Jazz"_s, u"COMMENT=a=b"_s}
        << true;
    QTest::newRow("UTF-8 into the code page")
        << vorbisStream(commentHeader({u"TITLE=Zażółć ♫ 🎵 €"_s.toUtf8()}))
        << QStringList{u"TITLE=Zażółć ? ? €"_s} << true;
    QTest::newRow("other fields passed over")
        << vorbisStream(commentHeader({"NO SEPARATOR", "=no name", "REPLAYGAIN_TRACK_GAIN=-3 dB",
                                       "TITLEX=not a title", "TITLE=Title"}))
        << QStringList{u"TITLE=Title"_s} << false;
    // 100 KB of picture in 4 KB pages before the fields that are wanted.
    QTest::newRow("comment header across many pages")
        << vorbisStream(commentHeader({"METADATA_BLOCK_PICTURE=" + QByteArray(100000, 'P'), "TITLE=After",
                                       "ARTIST=Artist"}), 16)
        << QStringList{u"TITLE=After"_s, u"ARTIST=Artist"_s} << true;

    const QByteArray lying = commentHeader({"ARTIST=Kept"}, 3).chopped(1) + le32(0x7FFFFFFF) + "TITLE=Lost\x01"_ba;
    QTest::newRow("field length past the header") << vorbisStream(lying) << QStringList{u"ARTIST=Kept"_s} << false;
    QTest::newRow("fewer fields than counted")
        << vorbisStream(commentHeader({"ARTIST=Kept"}, 1000)) << QStringList{u"ARTIST=Kept"_s} << false;
    QTest::newRow("vendor length past the header")
        << vorbisStream("\x03vorbis"_ba + le32(0xFFFFFFF0) + "x") << QStringList() << false;
    const QByteArray whole = vorbisStream(commentHeader({"ARTIST=Kept", "TITLE=" + QByteArray(5000, 'x')}), 4);
    QTest::newRow("file cut inside the header")
        << whole.first(whole.size() - 2000) << QStringList{u"ARTIST=Kept"_s} << false;

    // A video stream first, its pages between the Vorbis ones.
    quint32 vseq = 0;
    quint32 aseq = 0;
    const quint32 video = 0x11111111;
    const quint32 audio = 0x22222222;
    const QByteArray multiplexed = pages(video, vseq, {"\x80theora" + QByteArray(30, 'v')}, true)
        + pages(audio, aseq, {vorbisId()}, true)
        + pages(video, vseq, {"\x81theora" + QByteArray(300, 'v')}, false)
        + pages(audio, aseq, {commentHeader({"TITLE=" + QByteArray(600, 't'), "ARTIST=Mux"})}, false, 2)
        + pages(video, vseq, {QByteArray(700, 'v')}, false)
        + pages(audio, aseq, {kSetup}, false);
    QTest::newRow("Vorbis after another stream")
        << multiplexed << QStringList{u"TITLE="_s + QString(600, u't'), u"ARTIST=Mux"_s} << false;
}

void TestOgg::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, fields);
    QFETCH(bool, tagLibToo);

    const QString path = write(file);
    OggVorbis t;
    QString error;
    QVERIFY2(t.read(path, &error), qPrintable(error));
    QCOMPARE(describe(t), fields);
    if (tagLibToo)
        QCOMPARE(describeWithTagLib(path), fields);
}

void TestOgg::failures_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("exists");

    quint32 seq = 0;
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("not Ogg") << "ID3\x03\0\0\0\0\0\0\xff\xfb\x90\xc4"_ba << true;
    QTest::newRow("Ogg without Vorbis") << pages(7, seq, {"OpusHead"_ba + QByteArray(11, '\1')}, true) << true;
    seq = 0;
    QTest::newRow("no comment header") << pages(7, seq, {vorbisId()}, true) << true;
    seq = 0;
    QTest::newRow("setup where the comments belong")
        << pages(7, seq, {vorbisId()}, true) + pages(7, seq, {kSetup}, false) << true;
}

void TestOgg::failures()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, exists);

    const QString good = write(vorbisStream(commentHeader({"TITLE=Title"})), u"good.ogg"_s);
    const QString path = exists ? write(file) : m_dir.filePath(u"song.ogg"_s);
    OggVorbis t;
    QVERIFY(t.read(good));
    QString error;
    QVERIFY(!t.read(path, &error));
    QVERIFY2(error.contains(u"song.ogg"_s), qPrintable(error));
    QCOMPARE(describe(t), QStringList());
}

void TestOgg::lengthOfEncodedFile()
{
    const QString path = QStringLiteral(ZORVEX_FIXTURES "/media/comments.ogg");
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    TagLib::Ogg::Vorbis::File file(QFile::encodeName(path).constData(), true);
    QVERIFY(file.audioProperties());
    const double expected = file.audioProperties()->lengthInMilliseconds() / 1000.0;
    QVERIFY(expected > 0);
    for (const qsizetype chunk : {qsizetype(1), qsizetype(7), bytes.size()}) {
        OggLength length;
        for (qsizetype at = 0; at < bytes.size(); at += chunk)
            length.feed(QByteArrayView(bytes).sliced(at, std::min(chunk, bytes.size() - at)));
        QVERIFY2(std::abs(length.seconds(bytes.size()) - expected) < 0.002,
                 qPrintable(QString::number(length.seconds(bytes.size()))));
    }
}

void TestOgg::lengthAsBytesArrive_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<qsizetype>("fed");  // bytes given; -1 all
    QTest::addColumn<qsizetype>("chunk");
    QTest::addColumn<double>("seconds");

    // Four pages of a second each (8000 samples at 8000 Hz), 1000 bytes apiece.
    const quint32 serial = 0x5a4f5256;
    quint32 seq = 2;
    const QByteArray headers = vorbisStream(commentHeader({"TITLE=Plik"}));
    QByteArray sound;
    for (int s = 1; s <= 4; ++s)
        sound += soundPage(serial, seq, 8000 * s);
    const QByteArray whole = headers + sound;
    const qsizetype page = sound.size() / 4;
    QTest::newRow("whole, byte by byte") << whole << qsizetype(-1) << qsizetype(1) << 4.0;
    QTest::newRow("whole, in one piece") << whole << qsizetype(-1) << whole.size() << 4.0;
    // Half the sound has come: the rest is taken to be like it.
    QTest::newRow("half, estimated") << whole << headers.size() + 2 * page << qsizetype(100) << 4.0;
    QTest::newRow("headers only") << whole << headers.size() << qsizetype(100) << 0.0;

    // Another stream's pages between them have times of their own.
    quint32 otherSeq = 0;
    const QByteArray other = soundPage(0x11111111, otherSeq, 800000);
    QByteArray mixed = headers;
    for (int s = 0; s < 4; ++s)
        mixed += sound.mid(s * page, page) + other;
    QTest::newRow("another stream between") << mixed << qsizetype(-1) << qsizetype(333) << 4.0;
    QTest::newRow("not Ogg") << QByteArray(5000, char(0xFF)) << qsizetype(-1) << qsizetype(100) << 0.0;
    quint32 flacSeq = 0;
    QTest::newRow("not Vorbis") << pages(serial, flacSeq, {"\x7f" "FLAC" + QByteArray(30, 'f')}, true) + sound
                                << qsizetype(-1) << qsizetype(100) << 0.0;
}

void TestOgg::lengthAsBytesArrive()
{
    QFETCH(QByteArray, stream);
    QFETCH(qsizetype, fed);
    QFETCH(qsizetype, chunk);
    QFETCH(double, seconds);
    const qsizetype end = fed < 0 ? stream.size() : fed;
    OggLength length;
    for (qsizetype at = 0; at < end; at += chunk)
        length.feed(QByteArrayView(stream).sliced(at, std::min(chunk, end - at)));
    QCOMPARE(length.seconds(stream.size()), seconds);
}

QTEST_GUILESS_MAIN(TestOgg)
#include "tst_ogg.moc"
