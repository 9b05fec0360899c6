#include "core/common/LineFile.h"
#include "core/wallpaper/WallpaperSettings.h"
#include "core/wallpaper/WallpaperStore.h"
#include "support/FileFixture.h"
#include "ui/common/Messages.h"
#include "support/RecordingPrompts.h"
#include "ui/wallpaper/WallpaperHistoryWindow.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

namespace {

// A history of two groups: a.png and b.png exist, gone.png does not.
struct Fixture {
    Fixture()
        : store(dir.filePath(u"Tapeter_u.ini"_s), dir.filePath(u"Tmp_u.ini"_s), dir.filePath(u"TapeterOst_u.ini"_s))
    {
        for (const char* name : {"a.png", "b.png"}) {
            QImage image(4, 4, QImage::Format_RGB32);
            image.fill(Qt::red);
            image.save(dir.filePath(QString::fromLatin1(name)));
        }
        a = dir.filePath(u"a.png"_s);
        b = dir.filePath(u"b.png"_s);
        gone = dir.filePath(u"gone.png"_s);
        saveLineFile(store.historyPath(), {a, gone, u"-"_s, gone, u"-"_s, b, a});
    }
    QStringList onDisk() const { return loadLineFile(store.historyPath()); }

    QTemporaryDir dir;
    WallpaperStore store;
    WallpaperHistorySettings settings;
    RecordingPrompts prompts;
    QString a, b, gone;
};

} // namespace

class TestWallpaperHistory : public QObject {
    Q_OBJECT
private slots:
    void missingFilesGoAndSeparatorsMerge();
    void deleteKeyOnAMissingFileRemovesItsRow();
    void renameChangesEveryRowOfTheFile();
    void buttonsOnlyForAnExistingFile();
    void setAsWallpaperOnlyForAnExistingFile();
};

void TestWallpaperHistory::missingFilesGoAndSeparatorsMerge()
{
    Fixture f;
    WallpaperHistoryWindow w(f.store, f.settings, f.prompts);
    w.reload();
    w.removeMissing();
    const QStringList expected{f.a, u"-"_s, f.b, f.a};
    QCOMPARE(w.rows(), expected);
    QCOMPARE(f.onDisk(), expected);
    w.clearAll();
    QVERIFY(f.onDisk().isEmpty());
}

void TestWallpaperHistory::deleteKeyOnAMissingFileRemovesItsRow()
{
    Fixture f;
    WallpaperHistoryWindow w(f.store, f.settings, f.prompts);
    w.reload();
    w.selectRow(3); // the lone gone.png between two separators
    auto* list = w.findChild<QListWidget*>(u"list"_s);
    QVERIFY(list);
    QTest::keyClick(list, Qt::Key_Delete);
    const QStringList expected{f.a, f.gone, u"-"_s, f.b, f.a};
    QCOMPARE(w.rows(), expected);
    QCOMPARE(f.onDisk(), expected);
}

void TestWallpaperHistory::renameChangesEveryRowOfTheFile()
{
    Fixture f;
    WallpaperHistoryWindow w(f.store, f.settings, f.prompts);
    w.reload();
    w.selectRow(0);
    QVERIFY(w.renameSelected(u"nowa.png"_s));
    const QString renamed = f.dir.filePath(u"nowa.png"_s);
    QVERIFY(QFileInfo(renamed).isFile());
    QCOMPARE(f.onDisk(), QStringList({renamed, f.gone, u"-"_s, f.gone, u"-"_s, f.b, renamed}));
    // Onto a file that exists: refused, nothing changes.
    w.selectRow(0);
    QVERIFY(!w.renameSelected(u"b.png"_s));
    QVERIFY(QFileInfo(renamed).isFile());
}

void TestWallpaperHistory::buttonsOnlyForAnExistingFile()
{
    Fixture f;
    WallpaperHistoryWindow w(f.store, f.settings, f.prompts);
    w.reload();
    auto* trash = w.findChild<QPushButton*>(u"toTrash"_s);
    w.selectRow(1);
    QVERIFY(!trash->isEnabled());
    w.selectRow(0);
    QVERIFY(trash->isEnabled());
}

void TestWallpaperHistory::setAsWallpaperOnlyForAnExistingFile()
{
    Fixture f;
    WallpaperHistoryWindow w(f.store, f.settings, f.prompts);
    w.reload();
    QSignalSpy asked(&w, &WallpaperHistoryWindow::showRequested);
    w.selectRow(1);
    w.setSelectedAsWallpaper();
    QCOMPARE(asked.size(), 0);
    w.selectRow(5);
    auto* list = w.findChild<QListWidget*>(u"list"_s);
    QTest::keyClick(list, Qt::Key_Space);
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().first().toString(), f.b);
}

QTEST_MAIN(TestWallpaperHistory)
#include "tst_wallpaper_history.moc"
