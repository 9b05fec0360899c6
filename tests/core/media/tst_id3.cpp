#include "FixtureFolder.h"
#include "core/common/Cp1250.h"
#include "core/media/Genres.h"
#include "core/media/Id3v1.h"
#include "core/media/Id3v2.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <sys/resource.h>

#include <id3v1tag.h>
#include <id3v2frame.h>
#include <id3v2header.h>
#include <attachedpictureframe.h>
#include <id3v2tag.h>
#include <mpegfile.h>
#include <urllinkframe.h>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

namespace {

// Silent MPEG-1 Layer III frames (128 kbit/s, 44.1 kHz, mono): enough audio
// for a player to take the file for an MP3.
QByteArray silentAudio(int frames = 3)
{
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0xC4);
    return frame.repeated(frames);
}

QByteArray randomAudio(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator rng(42);
    for (char& c : bytes)
        c = static_cast<char>(rng.bounded(256));
    return bytes;
}

QByteArray padded(QByteArray bytes, int length, char pad = '\0')
{
    bytes.truncate(length);
    return bytes + QByteArray(length - bytes.size(), pad);
}

// An ID3v1 block laid out field by field; `comment` covers bytes 97 to 126,
// so the caller decides what bytes 125 and 126 hold.
QByteArray v1Block(const QByteArray& title, const QByteArray& artist, const QByteArray& album,
                   const QByteArray& year, const QByteArray& comment, quint8 genre, char pad = '\0')
{
    return "TAG"_ba + padded(title, 30, pad) + padded(artist, 30, pad) + padded(album, 30, pad)
        + padded(year, 4, pad) + padded(comment, 30, pad) + char(genre);
}

QByteArray bytes(std::initializer_list<quint32> values)
{
    QByteArray out;
    for (quint32 v : values)
        out.append(static_cast<char>(v & 0xFF));
    return out;
}

QByteArray be32(quint32 v)
{
    return bytes({v >> 24, v >> 16, v >> 8, v});
}

QByteArray synchsafe(quint32 v)
{
    return bytes({(v >> 21) & 0x7F, (v >> 14) & 0x7F, (v >> 7) & 0x7F, v & 0x7F});
}

// A version 2.3 frame; `flags2` is the second flag byte.
QByteArray frame(const char* id, const QByteArray& data, char flags2 = 0)
{
    return QByteArray(id, 4) + be32(quint32(data.size())) + '\0' + flags2 + data;
}

// A frame body in the Latin encoding.
QByteArray latin(const QByteArray& text)
{
    return '\0' + text;
}

QByteArray tag(int major, const QByteArray& body, char flags = 0)
{
    return "ID3"_ba + char(major) + '\0' + flags + synchsafe(quint32(body.size())) + body;
}

QByteArray utf16(const QString& s, bool bigEndian)
{
    QByteArray out;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        out += bigEndian ? bytes({quint32(u) >> 8, u}) : bytes({u, quint32(u) >> 8});
    }
    return out;
}

// The fields of a tag as "ID=value" lines, the empty ones left out.
QStringList describe(const Id3v2& t)
{
    QStringList out;
    const auto add = [&out](const char* id, const QString& v) {
        if (!v.isEmpty())
            out << QString::fromLatin1(id) + u'=' + v;
    };
    add("TIT2", t.title);
    add("TPE1", t.artist);
    add("TALB", t.album);
    add("TRCK", t.track ? QString::number(t.track) : QString());
    add("TYER", t.year);
    add("TCON", t.genre);
    add("COMM", t.comment);
    add("TCOM", t.composer);
    add("TENC", t.encoder);
    add("TCOP", t.rights);
    add("TLAN", t.language);
    add("WXXX", t.link);
    return out;
}

// TagLib decodes unmarked ID3 text as Latin-1; going back to those bytes and
// reading them as the program does shows whether both saw the same bytes.
// Latin frames hold this program's code page; UTF-16 ones say what they are.
QString bytesOf(const TagLib::String& s)
{
    if (s.isLatin1())
        return fromCp1250(QByteArrayView(s.to8Bit(false)));
    return QString::fromUtf8(s.toCString(true));
}

QString tagLibFrame(TagLib::ID3v2::Tag* t, const char* id)
{
    const TagLib::ID3v2::FrameList frames = t->frameListMap()[id];
    return frames.isEmpty() ? QString() : bytesOf(frames.front()->toString());
}

// What TagLib reads from an ID3v2 tag, in the form of describe().
QStringList describeWithTagLib(const QString& path, int* majorVersion)
{
    TagLib::MPEG::File file(QFile::encodeName(path).constData(), false);
    TagLib::ID3v2::Tag* t = file.ID3v2Tag();
    if (!t)
        return {u"no ID3v2 tag"_s};
    *majorVersion = int(t->header()->majorVersion());
    Id3v2 seen;
    seen.title = bytesOf(t->title());
    seen.artist = bytesOf(t->artist());
    seen.album = bytesOf(t->album());
    seen.track = int(t->track());
    seen.year = t->year() ? QString::number(t->year()) : QString();
    seen.genre = bytesOf(t->genre());
    seen.comment = bytesOf(t->comment());
    seen.composer = tagLibFrame(t, "TCOM");
    seen.encoder = tagLibFrame(t, "TENC");
    seen.rights = tagLibFrame(t, "TCOP");
    seen.language = tagLibFrame(t, "TLAN");
    const TagLib::ID3v2::FrameList links = t->frameListMap()["WXXX"];
    if (!links.isEmpty()) {
        if (auto* link = dynamic_cast<TagLib::ID3v2::UserUrlLinkFrame*>(links.front()))
            seen.link = bytesOf(link->url());
    }
    return describe(seen);
}

Id3v2 fullV2Fields()
{
    Id3v2 t;
    t.title = u"Title"_s;
    t.artist = u"Artist"_s;
    t.album = u"Album"_s;
    t.track = 7;
    t.year = u"2009"_s;
    t.genre = u"Rock"_s;
    t.comment = u"Nice"_s;
    t.composer = u"Composer"_s;
    t.encoder = u"Encoder"_s;
    t.rights = u"(c) Someone"_s;
    t.language = u"pol"_s;
    t.link = u"http://example.pl/"_s;
    return t;
}

} // namespace

class TestId3 : public QObject {
    Q_OBJECT

private slots:
    void init();

    void genreTable();
    void id3v1Read_data();
    void id3v1Read();
    void id3v1Save_data();
    void id3v1Save();
    void id3v1GenresReadByTagLib();

    void id3v2Read_data();
    void id3v2Read();
    void unsynchronisedTagIsNotReadWhole();
    void id3v2SaveLayout();
    void genreSurvivesSave_data();
    void genreSurvivesSave();
    void id3v2Save_data();
    void id3v2Save();
    void id3v2SaveKeepsOtherFrames_data();
    void id3v2SaveKeepsOtherFrames();

    void remove_data();
    void remove();
    void failedReadLeavesEmptyTag_data();
    void failedReadLeavesEmptyTag();
    void failedWriteChangesNothing_data();
    void failedWriteChangesNothing();
    void readOnlyFileIsSaved();

private:
    QString write(const QByteArray& bytes, const QString& name = u"song.mp3"_s);
    QByteArray contents(const QString& path);
    QStringList dirEntries();

    test::FixtureFolder m_dir;
};

void TestId3::init()
{
    QVERIFY(m_dir.renew());
}

QString TestId3::write(const QByteArray& bytes, const QString& name)
{
    return m_dir.write(bytes, name);
}

QByteArray TestId3::contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList TestId3::dirEntries()
{
    return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

void TestId3::genreTable()
{
    QCOMPARE(genreNames().size(), kGenreCount);
    QVERIFY(!genreNames().contains(QString()));
    QCOMPARE(genreName(0), u"Blues"_s);
    QCOMPARE(genreName(17), u"Rock"_s);
    QCOMPARE(genreName(79), u"Hard Rock"_s); // the last of the original list
    QCOMPARE(genreName(80), u"Folk"_s);      // the first extension
    QCOMPARE(genreName(125), u"Dance Hall"_s);
    QCOMPARE(genreName(147), u"Synthpop"_s);
    QCOMPARE(genreName(kNoGenre), QString());
    QCOMPARE(genreIndex(u"Synthpop"), 147);
    QCOMPARE(genreIndex(u"rock"), -1); // the tag window matches names exactly
}

void TestId3::id3v1Read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("version");
    QTest::addColumn<QStringList>("texts"); // title, artist, album, year, comment
    QTest::addColumn<int>("track");
    QTest::addColumn<int>("genre");

    const QByteArray audio = silentAudio();
    const QByteArray comment30 = "A comment that fills 30 bytes."_ba;
    QCOMPARE(comment30.size(), 30);

    QTest::newRow("version 1")
        << audio + v1Block("Title", "Artist", "Album", "2009", comment30, 17) << true << 1
        << QStringList{u"Title"_s, u"Artist"_s, u"Album"_s, u"2009"_s, QString::fromLatin1(comment30)} << 0 << 17;
    QTest::newRow("1.1: zero then track")
        << audio + v1Block("T", "A", "B", "1999", padded("Short comment", 28) + '\0' + '\x07', 8) << true << 2
        << QStringList{u"T"_s, u"A"_s, u"B"_s, u"1999"_s, u"Short comment"_s} << 7 << 8;
    QTest::newRow("1.1: 28-byte comment, no more")
        << audio + v1Block("T", "", "", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZ12" "\0\x07"_ba, 255) << true << 2
        << QStringList{u"T"_s, QString(), QString(), QString(), u"ABCDEFGHIJKLMNOPQRSTUVWXYZ12"_s} << 7 << 255;
    QTest::newRow("1.1: space then track")
        << audio + v1Block("T", "", "", "", padded("Spaced", 28, ' ') + ' ' + '\x0C', 0, ' ') << true << 2
        << QStringList{u"T"_s, QString(), QString(), QString(), u"Spaced"_s} << 12 << 0;
    QTest::newRow("space padding is version 1")
        << audio + v1Block("Title", "Artist", "", "", "Comment", 255, ' ') << true << 1
        << QStringList{u"Title"_s, u"Artist"_s, QString(), QString(), u"Comment"_s} << 0 << 255;
    QTest::newRow("leftovers after a zero")
        << audio + v1Block("Old\0longer title"_ba, "", "", "", "", 255) << true << 1
        << QStringList{u"Old"_s, QString(), QString(), QString(), QString()} << 0 << 255;
    QTest::newRow("code page text")
        << audio + v1Block("Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9", "\xa3\xf3\x64\x9f", "", "", "", 255) << true << 1
        << QStringList{u"Zażółć gęślą"_s, u"Łódź"_s, QString(), QString(), QString()} << 0 << 255;
    QTest::newRow("no tag") << audio << false << 0 << QStringList(5) << 0 << 255;
    QTest::newRow("file shorter than a tag") << "TAG"_ba << false << 0 << QStringList(5) << 0 << 255;
    QTest::newRow("empty file") << QByteArray() << false << 0 << QStringList(5) << 0 << 255;
}

void TestId3::id3v1Read()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, exists);
    QFETCH(int, version);
    QFETCH(QStringList, texts);
    QFETCH(int, track);
    QFETCH(int, genre);

    Id3v1 t;
    QVERIFY(t.read(write(file)));
    QCOMPARE(t.exists, exists);
    QCOMPARE(t.version, version);
    QCOMPARE((QStringList{t.title, t.artist, t.album, t.year, t.comment}), texts);
    QCOMPARE(int(t.track), track);
    QCOMPARE(int(t.genre), genre);
}

void TestId3::id3v1Save_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("kept");
    QTest::addColumn<QStringList>("texts"); // title, artist, album, year, comment
    QTest::addColumn<int>("track");
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QStringList>("readBack");

    const QByteArray audio = silentAudio();
    const QStringList plain{u"Title"_s, u"Artist"_s, u"Album"_s, u"2009"_s, u"Comment"_s};
    const QByteArray plainBlock = v1Block("Title", "Artist", "Album", "2009", padded("Comment", 28) + '\0' + '\x05', 17);

    QTest::newRow("appended to an untagged file") << audio << audio << plain << 5 << plainBlock << plain;
    QTest::newRow("replaces the old tag")
        << audio + v1Block("Old", "Old", "Old", "1990", "Old", 3) << audio << plain << 5 << plainBlock << plain;
    QTest::newRow("without a track the comment keeps 30 bytes")
        << audio << audio
        << QStringList{u"T"_s, QString(), QString(), QString(), u"A comment that fills 30 bytes."_s} << 0
        << v1Block("T", "", "", "", "A comment that fills 30 bytes.", 17)
        << QStringList{u"T"_s, QString(), QString(), QString(), u"A comment that fills 30 bytes."_s};
    QTest::newRow("texts cut to their fields")
        << audio << audio
        << QStringList{u"A title much longer than thirty bytes"_s, QString(), QString(), u"20091"_s,
                       u"A comment that fills 30 bytes."_s} << 1
        << v1Block("A title much longer than thirt", "", "", "2009", "A comment that fills 30 byte" "\0\x01"_ba, 17)
        << QStringList{u"A title much longer than thirt"_s, QString(), QString(), u"2009"_s,
                       u"A comment that fills 30 byte"_s};
    QTest::newRow("code page text")
        << audio << audio << QStringList{u"Zażółć"_s, u"Łódź"_s, QString(), QString(), QString()} << 0
        << v1Block("Za\xbf\xf3\xb3\xe6", "\xa3\xf3\x64\x9f", "", "", "", 17)
        << QStringList{u"Zażółć"_s, u"Łódź"_s, QString(), QString(), QString()};
}

void TestId3::id3v1Save()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, kept);
    QFETCH(QStringList, texts);
    QFETCH(int, track);
    QFETCH(QByteArray, block);
    QFETCH(QStringList, readBack);

    const QString path = write(before);
    Id3v1 t;
    t.title = texts[0];
    t.artist = texts[1];
    t.album = texts[2];
    t.year = texts[3];
    t.comment = texts[4];
    t.track = quint8(track);
    t.genre = 17;
    QString error;
    QVERIFY2(t.save(path, &error), qPrintable(error));
    QCOMPARE(contents(path), kept + block);
    QCOMPARE(dirEntries(), QStringList{u"song.mp3"_s});

    Id3v1 back;
    QVERIFY(back.read(path));
    QCOMPARE((QStringList{back.title, back.artist, back.album, back.year, back.comment}), readBack);
    QCOMPARE(int(back.track), track);

    TagLib::MPEG::File file(QFile::encodeName(path).constData(), false);
    TagLib::ID3v1::Tag* v1 = file.ID3v1Tag();
    QVERIFY(v1);
    QCOMPARE((QStringList{bytesOf(v1->title()), bytesOf(v1->artist()), bytesOf(v1->album()),
                          v1->year() ? QString::number(v1->year()) : QString(), bytesOf(v1->comment())}),
             readBack);
    QCOMPARE(int(v1->track()), track);
    QCOMPARE(bytesOf(v1->genre()), u"Rock"_s);
}

// Other players name some genres in newer spellings ("Alternative Rock" for
// "AlternRock"), so they are compared by number.
void TestId3::id3v1GenresReadByTagLib()
{
    const QString path = write(silentAudio(1));
    for (int i = 0; i < kGenreCount; ++i) {
        Id3v1 t;
        t.title = u"x"_s;
        t.genre = quint8(i);
        QVERIFY(t.save(path));
        TagLib::MPEG::File file(QFile::encodeName(path).constData(), false);
        QVERIFY(file.ID3v1Tag());
        QCOMPARE(int(file.ID3v1Tag()->genreNumber()), i);
    }
}

void TestId3::id3v2Read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("version");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QStringList>("fields");

    const QByteArray audio = silentAudio();
    const auto v23 = [&](const QByteArray& frames) -> QByteArray { return tag(3, frames) + audio; };
    const auto size = [](const QByteArray& frames) { return qint64(frames.size() + 10); };

    const QByteArray all = frame("TIT2", latin("Title")) + frame("TPE1", latin("Artist"))
        + frame("TALB", latin("Album")) + frame("TRCK", latin("5")) + frame("TYER", latin("2009"))
        + frame("TCON", latin("Rock")) + frame("COMM", "\0eng\0Nice"_ba) + frame("TCOM", latin("Composer"))
        + frame("TENC", latin("Encoder")) + frame("TCOP", latin("Rights")) + frame("TLAN", latin("pol"))
        + frame("WXXX", "\0\0http://example.pl/"_ba) + frame("APIC", QByteArray(300, 'p'));
    QTest::newRow("every frame") << v23(all) << true << 3 << size(all)
        << QStringList{u"TIT2=Title"_s, u"TPE1=Artist"_s, u"TALB=Album"_s, u"TRCK=5"_s, u"TYER=2009"_s,
                       u"TCON=Rock"_s, u"COMM=Nice"_s, u"TCOM=Composer"_s, u"TENC=Encoder"_s,
                       u"TCOP=Rights"_s, u"TLAN=pol"_s, u"WXXX=http://example.pl/"_s};

    const auto one = [&](const char* name, const char* id, const QByteArray& data, const QString& expected) {
        const QByteArray f = frame(id, data);
        QTest::newRow(name) << v23(f) << true << 3 << size(f)
                            << (expected.isNull() ? QStringList() : QStringList{QString::fromLatin1(id) + u'=' + expected});
    };
    one("track 3/12", "TRCK", latin("3/12"), u"3"_s);
    one("track not a number", "TRCK", latin("A1"), QString());
    one("genre (17)Rock", "TCON", latin("(17)Rock"), u"Rock"_s);
    one("genre reference alone", "TCON", latin("(17)"), u"Rock"_s);
    one("genre references and text", "TCON", latin("(17)(6)Grunge rock"), u"Grunge rock"_s);
    one("genre with brackets in its text", "TCON", latin("Rock (live)"), u"Rock (live)"_s);
    one("comment language and description", "COMM", "\0polNote\0The text"_ba, u"The text"_s);
    one("link after a description", "WXXX", "\0Home\0http://example.pl/"_ba, u"http://example.pl/"_s);
    one("spaces and controls trimmed", "TIT2", latin(" \t Title \x01"), u"Title"_s);
    one("code page text", "TIT2", latin("Za\xbf\xf3\xb3\xe6"), u"Zażółć"_s);
    one("UTF-16 little-endian with BOM", "TIT2", "\x01\xff\xfe"_ba + utf16(u"Zażółć"_s, false) + "\0\0"_ba, u"Zażółć"_s);
    one("UTF-16 big-endian with BOM", "TIT2", "\x01\xfe\xff"_ba + utf16(u"Gęślą"_s, true), u"Gęślą"_s);
    one("UTF-16 without BOM", "TPE1", '\x01' + utf16(u"Łódź"_s, false), u"Łódź"_s);
    one("UTF-16 big-endian without BOM", "TPE1", '\x01' + utf16(u"Łódź"_s, true), u"Łódź"_s);
    one("UTF-16BE encoding", "TALB", '\x02' + utf16(u"Źdźbło"_s, true), u"Źdźbło"_s);
    one("UTF-8 encoding", "TIT2", "\x03" + u"Jaźń"_s.toUtf8() + '\0', u"Jaźń"_s);
    one("outside the code page", "TIT2", "\x03" + u"日本 ♫ 🎵!"_s.toUtf8(), u"?? ? ?!"_s);
    one("UTF-16 comment", "COMM", "\x01pol\xff\xfe\0\0\xff\xfe"_ba + utf16(u"Świetne"_s, false), u"Świetne"_s);
    one("UTF-16 link description", "WXXX", "\x01\xff\xfe"_ba + utf16(u"Strona"_s, false) + "\0\0http://x.pl/"_ba,
        u"http://x.pl/"_s);
    one("frame without an encoding byte", "TIT2", "Title"_ba, u"Title"_s);

    const QByteArray described = frame("COMM", "\0engiTunNORM\0 000001"_ba) + frame("COMM", "\0eng\0Plain"_ba);
    QTest::newRow("plain comment over a described one")
        << v23(described) << true << 3 << size(described) << QStringList{u"COMM=Plain"_s};

    const QByteArray longTitle = frame("TIT2", latin(QByteArray(300, 'a'))) + frame("TPE1", latin("Next"));
    QTest::newRow("only 250 bytes of a frame") << v23(longTitle) << true << 3 << size(longTitle)
        << QStringList{u"TIT2="_s + QString(249, u'a'), u"TPE1=Next"_s};
    const QByteArray cutUtf8 = frame("TIT2", "\x03" + u"ą"_s.repeated(200).toUtf8());
    QTest::newRow("character cut at 250 bytes dropped") << v23(cutUtf8) << true << 3 << size(cutUtf8)
        << QStringList{u"TIT2="_s + u"ą"_s.repeated(124)};

    const QByteArray padding = frame("TIT2", latin("Title")) + QByteArray(20, '\0') + frame("TPE1", latin("Hidden"));
    QTest::newRow("padding ends the frames") << v23(padding) << true << 3 << size(padding)
        << QStringList{u"TIT2=Title"_s};

    // The frame claims 100 bytes but the tag ends after 6: what follows is audio.
    const QByteArray pastTag = frame("TIT2", latin("Title")) + "TPE1"_ba + be32(100) + "\0\0\0Artist"_ba;
    QTest::newRow("frame running past the tag") << v23(pastTag) << true << 3 << size(pastTag)
        << QStringList{u"TIT2=Title"_s, u"TPE1=Artist"_s};
    const QByteArray huge = frame("TIT2", latin("Title")) + "TPE1"_ba + be32(0xFFFFFFFF) + "\0\0\0Artist"_ba;
    QTest::newRow("frame size past the file") << tag(3, huge) << true << 3 << size(huge)
        << QStringList{u"TIT2=Title"_s, u"TPE1=Artist"_s};
    const QByteArray claim = "ID3\x03\0\0"_ba + synchsafe(5000) + frame("TIT2", latin("Title"));
    QTest::newRow("tag size past the file counts as 0") << claim << true << 3 << qint64(0) << QStringList();

    const QByteArray extended = be32(6) + QByteArray(6, '\0') + frame("TIT2", latin("Title"));
    QTest::newRow("extended header skipped")
        << tag(3, extended, 0x40) + audio << true << 3 << size(extended) << QStringList{u"TIT2=Title"_s};
    // Unsynchronisation puts a zero after every 0xFF, the BOM's among them.
    const QByteArray unsynced = "TIT2"_ba + be32(7) + "\0\0\x01\xff\0\xfe"_ba + utf16(u"Aż"_s, false)
        + frame("TPE1", latin("Artist"));
    QTest::newRow("unsynchronised tag")
        << tag(3, unsynced, char(0x80)) + audio << true << 3 << size(unsynced)
        << QStringList{u"TIT2=Aż"_s, u"TPE1=Artist"_s};
    // Every 0xFF of the picture has its sync byte, so the frames after it sit
    // twice as far on in the file as their sizes say, past the first chunk;
    // one 0xFF 0x00 pair is split between two chunks.
    const QByteArray picture = frame("APIC", QByteArray(5000, char(0xFF)));
    QByteArray unsyncedPicture = picture;
    unsyncedPicture.replace("\xff"_ba, "\xff\0"_ba);
    const QByteArray afterPicture =
        unsyncedPicture + frame("TIT2", latin("Po obrazku")) + frame("TPE1", latin("Artist"));
    QTest::newRow("unsynchronised frames past the first chunk")
        << tag(3, afterPicture, char(0x80)) + audio << true << 3 << size(afterPicture)
        << QStringList{u"TIT2=Po obrazku"_s, u"TPE1=Artist"_s};
    const QByteArray compressed = frame("TIT2", "\0\0\0\x10x\x9c"_ba, char(0x80)) + frame("TPE1", latin("Artist"));
    QTest::newRow("compressed frame skipped") << v23(compressed) << true << 3 << size(compressed)
        << QStringList{u"TPE1=Artist"_s};

    const QByteArray v24 = "TIT2"_ba + synchsafe(6) + "\0\0\x03Title"_ba;
    // Read too, so that saving over it does not lose what it holds.
    QTest::newRow("version 2.4 read") << tag(4, v24) + audio << true << 4 << size(v24) << QStringList{u"TIT2=Title"_s};
    QTest::newRow("version 2.4 footer belongs to the tag")
        << tag(4, v24, 0x10) + "3DI\x04\0\x10"_ba + synchsafe(quint32(v24.size())) + audio << true << 4
        << size(v24) + 10 << QStringList{u"TIT2=Title"_s};
    const QByteArray v22 = "TT2\0\0\x06\0Title"_ba;
    QTest::newRow("version 2.2 found, not read") << tag(2, v22) + audio << true << 2 << size(v22) << QStringList();
    QTest::newRow("no tag") << audio << false << 0 << qint64(0) << QStringList();
}

void TestId3::id3v2Read()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, exists);
    QFETCH(int, version);
    QFETCH(qint64, size);
    QFETCH(QStringList, fields);

    Id3v2 t;
    QVERIFY(t.read(write(file)));
    QCOMPARE(t.exists, exists);
    QCOMPARE(t.version, version);
    QCOMPARE(t.size, size);
    QCOMPARE(describe(t), fields);
}

namespace {

// The largest resident size so far, in kilobytes.
long peakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

void TestId3::unsynchronisedTagIsNotReadWhole()
{
    // A title, then a tag of 200 MB of zeros (a sparse file, so it costs the
    // disk nothing). Only the frames are read: the title, then the padding
    // that ends them.
    constexpr qint64 kTagBody = 200 * 1024 * 1024;
    const QByteArray frames = frame("TIT2", latin(toCp1250(u"Tytuł"_s)));
    const QString path = write("ID3\x03\0\x80"_ba + synchsafe(quint32(kTagBody)) + frames);
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.resize(10 + kTagBody + 417));
    }
    const long before = peakResidentKb();
    Id3v2 t;
    QVERIFY(t.read(path));
    QCOMPARE(t.size, 10 + kTagBody);
    QCOMPARE(t.title, u"Tytuł"_s);
    const long grownMb = (peakResidentKb() - before) / 1024;
    QVERIFY2(grownMb < 32, qPrintable(u"the read took %1 MB"_s.arg(grownMb)));
}

void TestId3::genreSurvivesSave_data()
{
    QTest::addColumn<QString>("genre");
    QTest::addColumn<QByteArray>("written");
    // "((" stands for a "(" that does not start a genre reference.
    QTest::newRow("escaped bracket") << u"(Polka) mix"_s << "((Polka) mix"_ba;
    QTest::newRow("bracket alone") << u"("_s << "(("_ba;
    QTest::newRow("bracket inside") << u"Rock (live)"_s << "Rock (live)"_ba;
    QTest::newRow("plain name") << u"Rock"_s << "Rock"_ba;
}

void TestId3::genreSurvivesSave()
{
    QFETCH(QString, genre);
    QFETCH(QByteArray, written);
    const QString path = write(silentAudio());
    Id3v2 t;
    t.genre = genre;
    QVERIFY(t.save(path));
    QCOMPARE(contents(path), tag(3, frame("TCON", latin(written))) + silentAudio());
    Id3v2 back;
    QVERIFY(back.read(path));
    QCOMPARE(back.genre, genre);
}

void TestId3::id3v2SaveLayout()
{
    const QString path = write(silentAudio());
    Id3v2 t = fullV2Fields();
    t.title = u"Zażółć"_s;
    QVERIFY(t.save(path));

    // Polish letters go as UTF-16 behind its mark: other players read them.
    const QByteArray frames = frame("TIT2", "\x01\xff\xfe"_ba + utf16(u"Zażółć"_s, false)) + frame("TPE1", latin("Artist"))
        + frame("TALB", latin("Album")) + frame("TRCK", latin("7")) + frame("TYER", latin("2009"))
        + frame("TCON", latin("Rock")) + frame("COMM", latin("eng\0Nice"_ba)) + frame("TCOM", latin("Composer"))
        + frame("TENC", latin("Encoder")) + frame("TCOP", latin("(c) Someone")) + frame("TLAN", latin("pol"))
        + frame("WXXX", latin("\0http://example.pl/"_ba));
    QCOMPARE(contents(path), tag(3, frames) + silentAudio());
}

void TestId3::id3v2Save_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<qint64>("audioAt"); // where the kept part of `before` starts
    QTest::addColumn<bool>("empty");

    const QByteArray audio = silentAudio();
    const QByteArray old = tag(3, frame("TIT2", latin("Old")) + frame("APIC", QByteArray(500, 'p')) + QByteArray(100, '\0'));
    QTest::newRow("untagged file") << audio << qint64(0) << false;
    QTest::newRow("replaces a tag with padding") << old + audio << qint64(old.size()) << false;
    QTest::newRow("keeps an ID3v1 tag") << old + audio + v1Block("v1", "", "", "", "", 1) << qint64(old.size()) << false;
    const QByteArray v24 = tag(4, "TIT2"_ba + synchsafe(4) + "\0\0\x03Old"_ba, 0x10);
    const QByteArray v24Footer = "3DI\x04\0\x10"_ba + synchsafe(14);
    QTest::newRow("replaces a 2.4 tag and its footer") << v24 + v24Footer + audio << qint64(v24.size() + 10) << false;
    QTest::newRow("tag claiming more than the file is kept as audio")
        << "ID3\x03\0\0"_ba + synchsafe(100000) + audio << qint64(0) << false;
    QTest::newRow("audio larger than the copy chunk") << old + randomAudio(700 * 1024) << qint64(old.size()) << false;
    QTest::newRow("every field empty") << old + audio << qint64(old.size()) << true;
}

void TestId3::id3v2Save()
{
    QFETCH(QByteArray, before);
    QFETCH(qint64, audioAt);
    QFETCH(bool, empty);

    const QString path = write(before);
    Id3v2 t = empty ? Id3v2() : fullV2Fields();
    QString error;
    QVERIFY2(t.save(path, &error), qPrintable(error));
    QCOMPARE(dirEntries(), QStringList{u"song.mp3"_s});

    const QByteArray after = contents(path);
    const QByteArray kept = before.mid(audioAt);
    QVERIFY(after.endsWith(kept));
    QCOMPARE(t.size, after.size() - kept.size());
    // Only the edited frames go; the picture of the old tag stays.
    if (empty && audioAt > 0)
        QCOMPARE(after.first(t.size), tag(3, frame("APIC", QByteArray(500, 'p'))));

    Id3v2 back;
    QVERIFY(back.read(path));
    QVERIFY(back.exists);
    QCOMPARE(back.version, 3);
    QCOMPARE(back.size, t.size);
    QCOMPARE(describe(back), describe(t));

    int major = 0;
    QCOMPARE(describeWithTagLib(path, &major), describe(t));
    QCOMPARE(major, 3);
}

void TestId3::id3v2SaveKeepsOtherFrames_data()
{
    QTest::addColumn<int>("major");
    QTest::newRow("2.3") << 3;
    QTest::newRow("2.4") << 4;
}

void TestId3::id3v2SaveKeepsOtherFrames()
{
    QFETCH(int, major);
    const auto anyFrame = [major](const char* id, const QByteArray& data) {
        return major == 3 ? frame(id, data) : QByteArray(id, 4) + synchsafe(quint32(data.size())) + "\0\0"_ba + data;
    };
    QByteArray picture("\0image/jpeg\0\3\0", 14);
    for (int i = 0; i < 3000; ++i)
        picture.append(char(i * 7));
    const QByteArray encoding = major == 3 ? "\0"_ba : "\x03"_ba;
    const QByteArray old = tag(major, anyFrame("TIT2", encoding + "Old") + anyFrame("APIC", picture)
                                          + anyFrame("TXXX", encoding + "replaygain\0-6.5 dB"_ba)
                                          + anyFrame("COMM", "\0eng" "iTunNORM\0 000001"_ba)
                                          + anyFrame("COMM", "\0eng\0old plain"_ba) + QByteArray(64, '\0'));
    const QString path = write(old + silentAudio());

    Id3v2 before;
    QVERIFY(before.read(path));
    QCOMPARE(before.title, u"Old"_s); // a 2.4 tag is read, so nothing is lost by saving
    Id3v2 t = fullV2Fields();
    t.title = u"Zażółć gęślą"_s;
    QString error;
    QVERIFY2(t.save(path, &error), qPrintable(error));
    const QByteArray after = contents(path);
    QVERIFY(after.endsWith(silentAudio()));
    QCOMPARE(after[3], '\x03');
    // The cover, byte for byte, and the described comment; the edited frames
    // replace their old ones.
    QVERIFY(after.contains(frame("APIC", picture)));
    QVERIFY(after.contains("iTunNORM"));
    QVERIFY(!after.contains("Old"));
    QVERIFY(!after.contains("old plain"));

    TagLib::MPEG::File file(QFile::encodeName(path).constData(), false);
    TagLib::ID3v2::Tag* v2 = file.ID3v2Tag();
    QVERIFY(v2);
    QCOMPARE(bytesOf(v2->title()), u"Zażółć gęślą"_s);
    const TagLib::ID3v2::FrameList pictures = v2->frameListMap()["APIC"];
    QCOMPARE(int(pictures.size()), 1);
    const auto* pic = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(pictures.front());
    QVERIFY(pic);
    QCOMPARE(QByteArray(pic->picture().data(), int(pic->picture().size())), picture.mid(14));
    const TagLib::ID3v2::FrameList extra = v2->frameListMap()["TXXX"];
    QCOMPARE(int(extra.size()), 1);
    QVERIFY2(QString::fromUtf8(extra.front()->toString().toCString(true)).contains(u"-6.5 dB"_s), extra.front()->toString().toCString(true));
    Id3v2 back;
    QVERIFY(back.read(path));
    QCOMPARE(describe(back), describe(t));
}

void TestId3::remove_data()
{
    QTest::addColumn<bool>("v1");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    const QByteArray audio = silentAudio();
    const QByteArray block = v1Block("Title", "", "", "", "", 1);
    const QByteArray v2 = tag(3, frame("TIT2", latin("Title")) + QByteArray(64, '\0'));
    QTest::newRow("ID3v1 cut off") << true << v2 + audio + block << v2 + audio;
    QTest::newRow("ID3v1 absent") << true << v2 + audio << v2 + audio;
    QTest::newRow("ID3v2 dropped") << false << v2 + audio + block << audio + block;
    QTest::newRow("ID3v2 absent") << false << audio + block << audio + block;
    QTest::newRow("ID3v2 claiming more than the file")
        << false << "ID3\x03\0\0"_ba + synchsafe(100000) + audio << "ID3\x03\0\0"_ba + synchsafe(100000) + audio;
}

void TestId3::remove()
{
    QFETCH(bool, v1);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    const QString path = write(before);
    QString error;
    QVERIFY2(v1 ? Id3v1().remove(path, &error) : Id3v2().remove(path, &error), qPrintable(error));
    QCOMPARE(contents(path), after);
    QCOMPARE(dirEntries(), QStringList{u"song.mp3"_s});
}

void TestId3::failedReadLeavesEmptyTag_data()
{
    QTest::addColumn<bool>("v1");
    QTest::addColumn<QString>("name");
    QTest::newRow("ID3v1, missing file") << true << u"missing.mp3"_s;
    QTest::newRow("ID3v1, a folder") << true << u"folder.mp3"_s;
    QTest::newRow("ID3v2, missing file") << false << u"missing.mp3"_s;
    QTest::newRow("ID3v2, a folder") << false << u"folder.mp3"_s;
}

void TestId3::failedReadLeavesEmptyTag()
{
    QFETCH(bool, v1);
    QFETCH(QString, name);

    QVERIFY(QDir(m_dir.path()).mkdir(u"folder.mp3"_s));
    const QString tagged = write(tag(3, frame("TIT2", latin("Title"))) + silentAudio() + v1Block("Title", "", "", "", "", 1));
    const QString path = m_dir.filePath(name);
    QString error;
    if (v1) {
        Id3v1 t;
        QVERIFY(t.read(tagged) && t.exists);
        QVERIFY(!t.read(path, &error));
        QVERIFY(!t.exists);
        QVERIFY(t.title.isEmpty());
    } else {
        Id3v2 t;
        QVERIFY(t.read(tagged) && t.exists);
        QVERIFY(!t.read(path, &error));
        QVERIFY(!t.exists);
        QVERIFY(t.title.isEmpty());
    }
    QVERIFY2(error.contains(name), qPrintable(error));
}

void TestId3::failedWriteChangesNothing_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("name");
    const char* ops[] = {"ID3v1 save", "ID3v1 remove", "ID3v2 save", "ID3v2 remove"};
    for (int op = 0; op < 4; ++op) {
        QTest::addRow("%s, missing file", ops[op]) << op << u"missing.mp3"_s;
        QTest::addRow("%s, a folder", ops[op]) << op << u"folder.mp3"_s;
    }
}

void TestId3::failedWriteChangesNothing()
{
    QFETCH(int, operation);
    QFETCH(QString, name);

    // A folder that looks tagged, so that removing would act if it could.
    QVERIFY(QDir(m_dir.path()).mkdir(u"folder.mp3"_s));
    const QString path = m_dir.filePath(name);
    Id3v1 v1 = {};
    v1.title = u"Title"_s;
    Id3v2 v2 = fullV2Fields();
    QString error;
    bool ok = true;
    switch (operation) {
    case 0: ok = v1.save(path, &error); break;
    case 1: ok = v1.remove(path, &error); break;
    case 2: ok = v2.save(path, &error); break;
    case 3: ok = v2.remove(path, &error); break;
    }
    QVERIFY(!ok);
    QVERIFY2(error.contains(name), qPrintable(error));
    QCOMPARE(dirEntries(), QStringList{u"folder.mp3"_s});
    QVERIFY(QFileInfo(m_dir.filePath(u"folder.mp3"_s)).isDir());
}

void TestId3::readOnlyFileIsSaved()
{
    const QString path = write(silentAudio());
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    Id3v2 v2 = fullV2Fields();
    Id3v1 v1;
    v1.title = u"Title"_s;
    QString error;
    QVERIFY2(v2.save(path, &error), qPrintable(error));
    QVERIFY2(v1.save(path, &error), qPrintable(error));
    Id3v2 back2;
    Id3v1 back1;
    QVERIFY(back2.read(path) && back1.read(path));
    QCOMPARE(back2.title, u"Title"_s);
    QCOMPARE(back1.title, u"Title"_s);
    QVERIFY(QFileInfo(path).permissions() & QFile::WriteOwner);
}

QTEST_GUILESS_MAIN(TestId3)
#include "tst_id3.moc"
