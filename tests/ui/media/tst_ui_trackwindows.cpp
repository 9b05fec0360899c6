#include "core/media/BassPlaySet.h"
#include "core/media/Id3v1.h"
#include "core/media/Id3v2.h"
#include "core/media/MusicPlayer.h"
#include "core/media/Playlist.h"
#include "support/FakeAudioLibrary.h"
#include "ui/common/Messages.h"
#include "ui/media/TrackWindows.h"
#include "support/RecordingPrompts.h"

#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

class TestTrackWindows : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void workListTakesExistingSelectedFiles();
    void tagSaveKeepsPictureAndSkipsUncheckedGroup();
    void renameUpdatesTheEntry();
    void renameRefusesAnExistingName();

private:
    QString file(const QString& name, const QByteArray& bytes = QByteArray(256, '\0'))
    {
        const QString p = m_dir->filePath(name);
        QFile f(p);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return p;
    }
    void add(const QString& path)
    {
        m_list.append(PlaylistEntry{path, QFileInfo(path).baseName(), u"10"_s, u"256"_s});
        m_list.setSelected(m_list.size() - 1, true);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeAudioLibrary m_lib;
    std::unique_ptr<BassPlaySet> m_set;
    RecordingPrompts m_prompts;
    Playlist m_list;
    std::unique_ptr<MusicPlayer> m_player;
};

void TestTrackWindows::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_set = std::make_unique<BassPlaySet>(m_lib);
    m_list.clear();
    m_player = std::make_unique<MusicPlayer>(
        *m_set, m_list, [](const QString& p) { return QFileInfo(p).isFile(); }, [](int) { return 0; });
}

void TestTrackWindows::cleanup()
{
    m_player.reset();
    m_set.reset();
}

void TestTrackWindows::workListTakesExistingSelectedFiles()
{
    add(file(u"a.mp3"_s));
    add(m_dir->filePath(u"gone.mp3"_s));
    add(file(u"b.ogg"_s));
    add(file(u"c.MP3"_s));
    m_list.setSelected(3, false);
    QCOMPARE(trackWorkList(m_list, false).size(), 2);
    const QList<TrackWorkItem> tags = trackWorkList(m_list, true);
    QCOMPARE(tags.size(), 1);
    QCOMPARE(tags.first().index, 0);
}

void TestTrackWindows::tagSaveKeepsPictureAndSkipsUncheckedGroup()
{
    const QString path = file(u"a.mp3"_s);
    Id3v2 old;
    old.title = u"Stary"_s;
    QVERIFY(old.save(path));
    // A cover another program put in.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    const QByteArray apic = "APIC"_ba + QByteArray("\0\0\0\x20\0\0", 6) + QByteArray("\0image/png\0\3\0", 13)
        + QByteArray(19, '\x89');
    Id3v2 probe;
    QVERIFY(probe.read(path));
    const int frames = int(probe.size) - 10;
    bytes.insert(10 + frames, apic);
    const quint32 size = quint32(frames + apic.size());
    bytes[6] = char((size >> 21) & 0x7F);
    bytes[7] = char((size >> 14) & 0x7F);
    bytes[8] = char((size >> 7) & 0x7F);
    bytes[9] = char(size & 0x7F);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    Id3v1 v1;
    v1.title = u"Jedynka"_s;
    QVERIFY(v1.save(path));
    add(path);

    TagWindow w(m_list, *m_player, m_prompts);
    QVERIFY(w.start(trackWorkList(m_list, true)));
    QVERIFY(w.v1Group()->isChecked());
    QVERIFY(w.v2Group()->isChecked());
    QCOMPARE(w.v2Fields().title, u"Stary"_s);
    QVERIFY(w.findChild<QLabel*>(u"StatusBar1"_s)->text().contains(u"Pozostało: 0"_s));
    Id3v2 edited = w.v2Fields();
    edited.title = u"Zażółć"_s;
    w.setV2Fields(edited);
    w.v1Group()->setChecked(false); // left as it is, not removed
    w.saveCurrent();
    QVERIFY(!w.isVisible()); // the last file: the window goes

    Id3v2 back2;
    QVERIFY(back2.read(path));
    QCOMPARE(back2.title, u"Zażółć"_s);
    Id3v1 back1;
    QVERIFY(back1.read(path));
    QCOMPARE(back1.title, u"Jedynka"_s);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains(apic));
    QCOMPARE(m_list.at(0).name, u"Zażółć"_s);
}

void TestTrackWindows::renameUpdatesTheEntry()
{
    const QString a = file(u"Stara nazwa.MP3"_s);
    add(a);
    add(file(u"b.mp3"_s));
    RenameWindow w(m_list, *m_player, m_prompts);
    QVERIFY(w.start(trackWorkList(m_list, false)));
    QCOMPARE(w.nameEdit()->text(), u"Stara nazwa"_s);
    QTest::keyClicks(w.nameEdit(), u"?"_s); // typed characters a name cannot hold
    QVERIFY(!w.nameEdit()->text().contains(u'?'));
    w.nameEdit()->setText(u"Nowa"_s);
    QVERIFY(w.renameCurrent());
    const QString renamed = m_dir->filePath(u"Nowa.MP3"_s);
    QVERIFY(QFile::exists(renamed));
    QCOMPARE(m_list.at(0).path, renamed);
    QCOMPARE(m_list.at(0).seconds, u"10"_s);
    QCOMPARE(w.position(), 1); // on to the next file
}

void TestTrackWindows::renameRefusesAnExistingName()
{
    const QString a = file(u"a.mp3"_s);
    file(u"b.mp3"_s);
    add(a);
    RenameWindow w(m_list, *m_player, m_prompts);
    QVERIFY(w.start(trackWorkList(m_list, false)));
    w.nameEdit()->setText(u"b"_s);
    QVERIFY(!w.renameCurrent());
    QVERIFY(QFile::exists(a));
    QCOMPARE(m_list.at(0).path, a);
    QVERIFY(w.isVisible()); // stays on the file
    w.nameEdit()->setText(u"  "_s);
    QVERIFY(!w.renameCurrent());
}

QTEST_MAIN(TestTrackWindows)
#include "tst_ui_trackwindows.moc"
