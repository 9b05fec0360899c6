#include "core/common/AtomicFile.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/media/MediaSettings.h"
#include "core/media/PlaylistFiles.h"
#include "support/FakeAudioLibrary.h"
#include "ui/media/MediaService.h"
#include "ui/media/PlaybackPanel.h"
#include "ui/media/PlaylistPage.h"
#include "support/RecordingPrompts.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

// The M3U manager as the program runs it: the store read at start and
// written by the save, the page, the panel and the start-up play.
class TestMediaService : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadsPlaysAndSaves();
    void autoPlayAndResumePoint();
    void playlistDroppedOnEmptyListBecomesOpen();
    void folderIsAddedOffTheInterfaceThread();
    void dragMovesRows_data();
    void dragMovesRows();

private:
    QString sound(const QString& name)
    {
        const QString p = m_dir->filePath(name);
        QFile f(p);
        if (f.open(QIODevice::WriteOnly))
            f.write("x");
        return p;
    }
    std::unique_ptr<MediaService> makeService();

    std::unique_ptr<QTemporaryDir> m_dir;
    PathTable m_paths;
    PlaylistSettings m_settings;
    PlaybackPanelSettings m_panelSettings;
    std::unique_ptr<FakeAudioLibrary> m_lib;
    std::unique_ptr<BassPlaySet> m_set;
    RecordingPrompts m_prompts;
};

void TestMediaService::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_paths = PathTable(m_dir->path() + u"/"_s, u"test"_s, QString());
    m_settings = PlaylistSettings();
    m_panelSettings = PlaybackPanelSettings();
    m_lib = std::make_unique<FakeAudioLibrary>();
    m_set = std::make_unique<BassPlaySet>(*m_lib);
}

void TestMediaService::cleanup()
{
    m_set.reset();
    m_lib.reset();
}

std::unique_ptr<MediaService> TestMediaService::makeService()
{
    return std::make_unique<MediaService>(m_paths, m_settings, m_panelSettings, *m_set, m_prompts);
}

void TestMediaService::loadsPlaysAndSaves()
{
    const QString a = sound(u"a.mp3"_s);
    const QString b = sound(u"b.mp3"_s);
    m_lib->setFileLength(b, 125.4);
    const QString gone = m_dir->filePath(u"gone.mp3"_s);
    QVERIFY(saveListLines(m_paths.path(PathId::M3u1),
                          linesOfEntries({{gone, u"Gone"_s, u"-1"_s, u"-1"_s},
                                          {b, u"Bee"_s, u"-1"_s, u"-1"_s},
                                          {a, u"Ay"_s, u"10"_s, u"1"_s}})));
    auto svc = makeService();
    QListWidget* list = svc->page()->listBox();
    QCOMPARE(list->count(), 3);
    QVERIFY(list->item(0)->text().contains(u"[plik nie istnieje] Gone"_s));
    QVERIFY(list->item(2)->text().endsWith(u"00:10"_s));

    QWidget strip;
    PlaybackPanel* panel = svc->createPanel(&strip);
    QCOMPARE(panel->parentWidget(), &strip);

    svc->playlist().selectOnly(0);
    svc->command(1); // play: the missing entry is passed over
    QTRY_VERIFY(svc->playing());
    QCOMPARE(svc->playlist().current(), 1);
    QCOMPARE(svc->playlist().at(1).seconds, u"125"_s);
    QVERIFY(list->item(1)->text().endsWith(u"02:05"_s));
    svc->command(3);
    QVERIFY(!svc->playing());

    svc->save();
    const LoadedLines saved = loadListLines(m_paths.path(PathId::M3u1));
    QCOMPARE(entriesOfLines(saved.lines).at(1).seconds, u"125"_s);
    QCOMPARE(entriesOfLines(saved.lines).size(), 3);
}

void TestMediaService::autoPlayAndResumePoint()
{
    const QString a = sound(u"a.mp3"_s);
    const QString b = sound(u"b.mp3"_s);
    m_lib->setFileLength(b, 100);
    QVERIFY(saveListLines(m_paths.path(PathId::M3u1),
                          linesOfEntries({{a, u"a"_s, u"-1"_s, u"-1"_s}, {b, u"b"_s, u"-1"_s, u"-1"_s}})));
    m_settings.autoPlay = true;
    m_settings.autoPlayIndex = 1;
    m_settings.autoPlayPosition = 40;
    auto svc = makeService();
    svc->runAtStart(QDateTime());
    QTRY_VERIFY(svc->playing());
    QCOMPARE(svc->playlist().current(), 1);
    QCOMPARE(m_lib->stream(b)->position(), 40.0);
    m_lib->stream(b)->seek(61.2);
    svc->player().tick();
    svc->shutdownStep(ShutdownStepId::SavePlaylistResumePoint, QDate());
    QCOMPARE(m_settings.autoPlayIndex, 1);
    QCOMPARE(m_settings.autoPlayPosition, 61);
}

void TestMediaService::playlistDroppedOnEmptyListBecomesOpen()
{
    const QString a = sound(u"a.mp3"_s);
    const QString m3u = m_dir->filePath(u"lista.m3u"_s);
    QVERIFY(writeFileAtomically(m3u, "#EXTM3U\r\n#EXTINF:3,Ay\r\na.mp3\r\n"));
    auto svc = makeService();
    svc->page()->addPaths({m3u});
    QCOMPARE(m_settings.openPlaylist, m3u);
    QCOMPARE(svc->playlist().size(), 1);
    QCOMPARE(svc->playlist().at(0).path, a); // relative to the list's folder
    // A second one is appended; the open playlist stays.
    const QString other = m_dir->filePath(u"inna.m3u"_s);
    QVERIFY(writeFileAtomically(other, "#EXTM3U\r\n#EXTINF:3,Ay\r\na.mp3\r\n"));
    svc->page()->addPaths({other});
    QCOMPARE(m_settings.openPlaylist, m3u);
    QCOMPARE(svc->playlist().size(), 2);
}

void TestMediaService::folderIsAddedOffTheInterfaceThread()
{
    QDir(m_dir->path()).mkpath(u"Album/CD2"_s);
    for (const QString& n : {u"Album/1.mp3"_s, u"Album/CD2/2.ogg"_s, u"Album/okładka.jpg"_s})
        sound(n);
    auto svc = makeService();
    svc->page()->addPaths({m_dir->filePath(u"Album"_s)});
    // The walk and the tags are read on the scanner's thread; the rows come
    // in as the batches arrive.
    QTRY_COMPARE(svc->page()->listBox()->count(), 2);
    QCOMPARE(svc->playlist().at(0).path, m_dir->filePath(u"Album/1.mp3"_s));
    QCOMPARE(svc->playlist().at(1).path, m_dir->filePath(u"Album/CD2/2.ogg"_s));
    QVERIFY(svc->page()->listBox()->item(1)->text().startsWith(u"2. 2"_s));
}

void TestMediaService::dragMovesRows_data()
{
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<int>("pressRow");
    QTest::addColumn<int>("releaseRow");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QList<int>>("selectedAfter");
    QTest::newRow("selection down") << QList<int>{0, 1} << 0 << 2 << u"cdab"_s << QList<int>{2, 3};
    QTest::newRow("past the end it stops there") << QList<int>{0, 1} << 0 << 3 << u"cdab"_s << QList<int>{2, 3};
    QTest::newRow("scattered rows up") << QList<int>{1, 3} << 3 << 2 << u"badc"_s << QList<int>{0, 2};
    QTest::newRow("an unselected row alone") << QList<int>{0} << 3 << 1 << u"adbc"_s << QList<int>{1};
}

void TestMediaService::dragMovesRows()
{
    QFETCH(QList<int>, selected);
    QFETCH(int, pressRow);
    QFETCH(int, releaseRow);
    QFETCH(QString, order);
    QFETCH(QList<int>, selectedAfter);
    QList<PlaylistEntry> entries;
    for (const QChar c : u"abcd"_s)
        entries.append({sound(QString(c) + u".mp3"_s), QString(c), u"-1"_s, u"-1"_s});
    QVERIFY(saveListLines(m_paths.path(PathId::M3u1), linesOfEntries(entries)));
    auto svc = makeService();
    QListWidget* list = svc->page()->listBox();
    svc->page()->resize(600, 500);
    svc->page()->show();
    QVERIFY(QTest::qWaitForWindowExposed(svc->page()));
    Playlist& playlist = svc->playlist();
    playlist.setCurrent(0);
    for (int i : selected)
        playlist.setSelected(i, true);
    svc->page()->refreshList();

    QWidget* view = list->viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, list->visualItemRect(list->item(pressRow)).center());
    QTest::mouseMove(view, list->visualItemRect(list->item(releaseRow)).center());
    QTest::mouseRelease(view, Qt::LeftButton, {}, list->visualItemRect(list->item(releaseRow)).center());

    QString names;
    for (const PlaylistEntry& e : playlist.entries())
        names += e.name;
    QCOMPARE(names, order);
    QCOMPARE(playlist.selectedIndexes(), selectedAfter);
    QCOMPARE(playlist.at(playlist.current()).name, u"a"_s); // the current entry follows
    QCOMPARE(list->item(playlist.current())->background().color(), QColor(255, 238, 193));
    // The store has the new order without waiting for the next save.
    QString stored;
    for (const PlaylistEntry& e : entriesOfLines(loadListLines(m_paths.path(PathId::M3u1)).lines))
        stored += e.name;
    QCOMPARE(stored, order);

    // A double-click inside the selection plays that row.
    const int row = selectedAfter.last();
    QTest::mouseDClick(view, Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    QTRY_VERIFY(svc->playing());
    QCOMPARE(playlist.current(), row);
}

QTEST_MAIN(TestMediaService)
#include "tst_ui_mediaservice.moc"
