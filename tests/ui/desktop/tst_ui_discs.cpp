#include "core/common/LineFile.h"
#include "core/common/PathTable.h"
#include "core/desktop/DiscSettings.h"
#include "ui/common/Messages.h"
#include "ui/desktop/DiscCatalogueWindow.h"
#include "ui/desktop/DiscDrivesPage.h"
#include "ui/desktop/DiscService.h"

#include "support/FakeDriveTrays.h"
#include "support/FileFixture.h"
#include "support/RecordingPrompts.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using test::writeFile;

namespace {

// The service over a temporary data folder, with drives D and E, and a
// delayed close kept here as the main loop would keep it.
struct Fixture {
    Fixture()
        : paths(data.path(), QStringLiteral("Ola"), QString())
    {
        trays.driveList = {{QLatin1Char('D'), QStringLiteral("/dev/sr0")}, {QLatin1Char('E'), QStringLiteral("/dev/sr1")}};
    }

    std::unique_ptr<DiscService> make()
    {
        auto s = std::make_unique<DiscService>(paths, settings, trays, keys, prompts);
        s->setDelayedClose([this](const QString& drive, int seconds) { armed.append({drive, seconds}); },
                           [this] { return !armed.isEmpty(); });
        return s;
    }

    QTemporaryDir data;
    RecordingPrompts prompts;
    PathTable paths;
    DiscCatalogueSettings settings;
    FakeDriveTrays trays;
    FakeGlobalHotKeys keys;
    QList<std::pair<QString, int>> armed;
};

DriveHotKeyLine lineOf(const DiscService& s, char letter)
{
    return s.hotKeyTable()[size_t(letter - 'A')];
}

} // namespace

class TestUiDiscs : public QObject {
    Q_OBJECT

private slots:
    void hotKeyFileAtStart();
    void hotKeysMoveTrays();
    void pageEditsLines();
    void pageSaysWhenUnavailable();
    void searchFillsCatalogue();
    void cancelledSearch();
    void folderListAndMount();
};

void TestUiDiscs::hotKeyFileAtStart()
{
    Fixture f;
    // Drive G is gone: its active line goes back to the default; D stays.
    QStringList lines;
    for (char c = 'A'; c <= 'Z'; ++c)
        lines << QLatin1Char(c) + QStringLiteral("|0|0|0|0|0|0|0|5");
    lines[3] = QStringLiteral("D|1|1|0|0|0|3|5|9");
    lines[6] = QStringLiteral("G|1|1|1|0|0|0|0|5");
    QVERIFY(saveLineFile(f.paths.path(PathId::Cd), lines));
    auto s = f.make();
    QCOMPARE(driveHotKeyLine(lineOf(*s, 'D')), QStringLiteral("D|1|1|0|0|0|3|5|9"));
    QCOMPARE(driveHotKeyLine(lineOf(*s, 'G')), QStringLiteral("G|0|0|0|0|0|0|0|5"));
    QCOMPARE(f.keys.registered, (QList<HotKeyCombo>{{1, 0}, {3, 5}}));
    s->saveHotKeys();
    const QStringList saved = loadLineFile(f.paths.path(PathId::Cd));
    QCOMPARE(saved.size(), 26);
    QCOMPARE(saved[6], QStringLiteral("G|0|0|0|0|0|0|0|5"));

    // A missing file gives the defaults, written with the settings.
    Fixture fresh;
    auto t = fresh.make();
    QVERIFY(fresh.keys.registered.isEmpty());
    t->saveHotKeys();
    QCOMPARE(loadLineFile(fresh.paths.path(PathId::Cd)).value(25), QStringLiteral("Z|0|0|0|0|0|0|0|5"));
}

void TestUiDiscs::hotKeysMoveTrays()
{
    Fixture f;
    QStringList lines;
    for (char c = 'A'; c <= 'Z'; ++c)
        lines << QLatin1Char(c) + QStringLiteral("|0|0|0|0|0|0|0|5");
    lines[3] = QStringLiteral("D|1|0|0|0|0|3|5|5");
    lines[4] = QStringLiteral("E|1|0|0|4|47|3|6|5");
    QVERIFY(saveLineFile(f.paths.path(PathId::Cd), lines));
    auto s = f.make();

    f.keys.press({4, 47}); // CTRL + ALT + SHIFT + "Num ,": E opens
    QCOMPARE(f.trays.moves, (QList<FakeDriveTrays::Move>{{QLatin1Char('E'), true}}));

    f.trays.moves.clear();
    f.keys.press({3, 5}); // D opens and arms its close
    f.keys.press({3, 6}); // E's within D's delay: ignored
    QCOMPARE(f.trays.moves, (QList<FakeDriveTrays::Move>{{QLatin1Char('D'), true}}));
    QCOMPARE(f.armed, (QList<std::pair<QString, int>>{{QStringLiteral("D"), 5}}));

    // The 800 ms tick completes the delayed close.
    s->closeDriveTray(QStringLiteral("D"));
    QCOMPARE(f.trays.moves.last(), (FakeDriveTrays::Move{QLatin1Char('D'), false}));

    s->shutdownStep(ShutdownStepId::UnregisterHotKeys, QDate());
    QVERIFY(f.keys.registered.isEmpty());
    QCOMPARE(s->moveFirstTray(true), QString());
    QCOMPARE(f.trays.moves.last(), (FakeDriveTrays::Move{QLatin1Char('D'), true}));
    f.trays.driveList.clear();
    QVERIFY(!s->moveFirstTray(false).isEmpty());
}

void TestUiDiscs::pageEditsLines()
{
    Fixture f;
    auto s = f.make();
    DiscDrivesPage* page = s->page();
    auto* drives = page->findChild<QListWidget*>(QStringLiteral("ListaNapedow"));
    QVERIFY(drives);
    QCOMPARE(drives->count(), 2);
    QCOMPARE(drives->item(1)->text(), QStringLiteral("Stacja dysków (E:)"));
    auto* keys = page->findChild<QWidget*>(QStringLiteral("GroupSkroty"));
    QVERIFY(keys->isHidden()); // shown only while the drive is checked

    drives->setCurrentRow(1);
    drives->item(1)->setCheckState(Qt::Checked);
    QVERIFY(!keys->isHidden());
    QCOMPARE(driveHotKeyLine(lineOf(*s, 'E')), QStringLiteral("E|1|0|0|0|0|0|0|5"));

    page->findChild<QComboBox*>(QStringLiteral("Modyfikator2"))->setCurrentIndex(4);
    page->findChild<QComboBox*>(QStringLiteral("Klawisz2"))->setCurrentIndex(47);
    QCOMPARE(driveHotKeyLine(lineOf(*s, 'E')), QStringLiteral("E|1|0|0|4|47|0|0|5"));
    QCOMPARE(f.keys.registered, (QList<HotKeyCombo>{{4, 47}}));

    // Unchecking changes field 2 only; the keys are kept but not registered.
    drives->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(driveHotKeyLine(lineOf(*s, 'E')), QStringLiteral("E|0|0|0|4|47|0|0|5"));
    QVERIFY(f.keys.registered.isEmpty());

    f.trays.labels.insert(QLatin1Char('D'), QStringLiteral("GRY"));
    page->findChild<QPushButton*>(QStringLiteral("Odswiez"))->click();
    QCOMPARE(drives->item(0)->text(), QStringLiteral("GRY (D:)"));
    QCOMPARE(drives->item(1)->text(), QStringLiteral("Stacja dysków (E:)"));
}

void TestUiDiscs::pageSaysWhenUnavailable()
{
    Fixture f;
    f.keys.isAvailable = false;
    auto s = f.make();
    auto* notice = s->page()->findChild<QLabel*>(QStringLiteral("SkrotyUwaga"));
    QVERIFY(!notice->isHidden());
    QVERIFY(notice->text().contains(QStringLiteral("niedostępne")));
    // The desktop's portal answers later: the notice goes, and what it did
    // not bind is named when it says so.
    f.keys.isAvailable = true;
    emit f.keys.availableChanged();
    QVERIFY(notice->isHidden());
    emit f.keys.refused({{2, 4}});
    QVERIFY(!notice->isHidden());
    QVERIFY(notice->text().endsWith(QStringLiteral("CTRL + ALT lub Prawy ALT + F5")));

    Fixture taken;
    taken.keys.refuse = {{1, 0}};
    auto t = taken.make();
    notice = t->page()->findChild<QLabel*>(QStringLiteral("SkrotyUwaga"));
    QVERIFY(!notice->isHidden());
    QVERIFY(notice->text().endsWith(QStringLiteral("ALT + SHIFT + F1")));
}

void TestUiDiscs::searchFillsCatalogue()
{
    Fixture f;
    const QString gry = f.data.filePath(QStringLiteral("Gry"));
    QVERIFY(writeFile(gry + QStringLiteral("/game.ccd")));
    QVERIFY(writeFile(gry + QStringLiteral("/game.img"), QByteArray(3 * 1048576, 'x')));
    QVERIFY(writeFile(gry + QStringLiteral("/b/x.iso"), QByteArray(1048576, 'x')));
    auto s = f.make();
    s->openCatalogue();
    DiscCatalogueWindow* w = s->window();
    QSignalSpy done(s.get(), &DiscService::scanFinished);
    s->scan({gry});
    QVERIFY(!w->isEnabled());
    QVERIFY(done.wait(10000));
    QVERIFY(w->isEnabled());
    QVERIFY(s->searchWindow()->isHidden());
    QCOMPARE(w->windowTitle(), QStringLiteral("Klony [2 CD/DVD = 4 MB]"));
    QCOMPARE(w->currentRow(), 0);
    QCOMPARE(s->rows().size(), 3);
    QCOMPARE(loadCatalogue(f.paths.path(PathId::Klony)), s->rows());
    w->findChild<QPushButton*>(QStringLiteral("KopiujDoSchowka"))->click();
    QCOMPARE(QApplication::clipboard()->text(), gry + QStringLiteral("\r\nB - x - 1 MB\r\nGRY - game - 3 MB"));
    w->close();
}

void TestUiDiscs::cancelledSearch()
{
    Fixture f;
    for (int i = 0; i < 300; ++i)
        QVERIFY(writeFile(f.data.filePath(QStringLiteral("big/%1/a/b/x%1.iso").arg(i))));
    auto s = f.make();
    QSignalSpy done(s.get(), &DiscService::scanFinished);
    s->scan({f.data.filePath(QStringLiteral("big"))});
    QVERIFY(!s->searchWindow()->isHidden());
    s->searchWindow()->findChild<QPushButton*>(QStringLiteral("Anuluj"))->click();
    QVERIFY(s->searchWindow()->isHidden());
    QVERIFY(done.wait(10000));
    QVERIFY(s->rows().size() <= 301);
    QVERIFY(s->window()->isEnabled());
}

void TestUiDiscs::folderListAndMount()
{
    Fixture f;
    const QString bin = f.data.filePath(QStringLiteral("bin/cdemu"));
    const QString log = f.data.filePath(QStringLiteral("args"));
    QVERIFY(writeFile(bin, "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"" + QFile::encodeName(log) + "\"\n"));
    QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString image = f.data.filePath(QStringLiteral("Gry/$(ls) \"a\".iso"));
    QVERIFY(writeFile(image));
    QVERIFY(saveCatalogue(f.paths.path(PathId::Klony),
                          {{QStringLiteral("/gry"), QString(), -1}, {QStringLiteral("GRY - x"), image, 0}}));
    QVERIFY(saveLineFile(f.paths.path(PathId::Klony2), {QStringLiteral("/gry")}));
    f.settings.program = bin;
    auto s = f.make();
    s->openCatalogue();
    QCOMPARE(s->folders(), QStringList{QStringLiteral("/gry")});
    DiscCatalogueWindow* w = s->window();
    QVERIFY(w->isVisible());

    s->mount(0); // a header mounts nothing
    QVERIFY(w->isVisible());
    s->mount(1);
    QVERIFY(w->isHidden());
    QCOMPARE(f.settings.lastMounted, 1);
    QTRY_COMPARE(test::fileBytes(log), QByteArray("load\n0\n" + QFile::encodeName(image) + "\n"));

    // A program that is not there: a warning, the window stays.
    f.settings.program = f.data.filePath(QStringLiteral("nie-ma/Daemon.exe"));
    f.settings.lastMounted = -1;
    s->openCatalogue();
    s->mount(1);
    QVERIFY(w->isVisible());
    QCOMPARE(f.settings.lastMounted, -1);
    w->close();
}

QTEST_MAIN(TestUiDiscs)
#include "tst_ui_discs.moc"
