#include "core/common/LineFile.h"
#include "core/common/PathTable.h"
#include "core/wallpaper/WallpaperSettings.h"
#include "platform/wallpaper/WallpaperSetter.h"
#include "support/FakeWallpaperSetter.h"
#include "support/FileFixture.h"
#include "ui/common/Messages.h"
#include "ui/wallpaper/WallpaperPage.h"
#include "ui/wallpaper/WallpaperService.h"
#include "support/RecordingPrompts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

namespace {

// A data folder with one wallpaper folder of `count` solid pictures.
struct Fixture {
    explicit Fixture(int count)
        : paths(data.path(), QStringLiteral("u"), QString())
    {
        folder = data.filePath(QStringLiteral("obrazy/"));
        QDir().mkpath(folder);
        for (int i = 0; i < count; ++i) {
            QImage image(16, 12, QImage::Format_RGB32);
            image.fill(qRgb(20 * i, 0, 0));
            image.save(folder + QStringLiteral("%1.png").arg(i, 2, 10, QLatin1Char('0')));
        }
        saveLineFile(paths.path(PathId::Tapeter), {folder});
        settings.active = true;
    }

    std::unique_ptr<WallpaperService> service(WallpaperSetter& setter, bool fixedCanvas = true)
    {
        auto s = std::make_unique<WallpaperService>(paths, settings, history, setter, prompts);
        if (fixedCanvas)
            s->setCanvasSource([] { return wallpaperCanvas({QRect(0, 0, 64, 48)}); });
        s->setPicker([](int) { return 0; });
        return s;
    }

    QStringList file(PathId id) const { return loadLineFile(paths.path(id)); }

    QTemporaryDir data;
    PathTable paths;
    QString folder;
    WallpaperSettings settings;
    WallpaperHistorySettings history;
    RecordingPrompts prompts;
};

// Runs one change and waits for its end; the problem it ended with.
QString changeAndWait(WallpaperService& s, WallpaperService::Trigger trigger = WallpaperService::Trigger::Interactive)
{
    QSignalSpy done(&s, &WallpaperService::finished);
    const QString refused = s.change(trigger);
    if (!refused.isEmpty())
        return refused;
    if (!done.wait(10000))
        return QStringLiteral("<no end>");
    return done.first().first().toString();
}

} // namespace

class TestWallpaperService : public QObject {
    Q_OBJECT
private slots:
    void gridChangesKeepPoolAndHistory();
    void changeAtStartLeavesTheDesktopAlone();
    void problemsEndTheChange_data();
    void problemsEndTheChange();
    void oneChangeAtATime();
    void editingTheFoldersStartsANewRound();
    void timedChangeHandsTheScreenSizedPictureToTheCommand();
};

void TestWallpaperService::gridChangesKeepPoolAndHistory()
{
    Fixture f(5);
    f.settings.mode = 1;
    FakeWallpaperSetter setter;
    auto s = f.service(setter);
    QCOMPARE(changeAndWait(*s), QString());
    QCOMPARE(setter.calls.size(), 1);
    const QString first = setter.calls.at(0).picture;
    QCOMPARE(first, f.paths.dataFolder() + u"u.png"_s);
    QVERIFY(!setter.calls.at(0).spanned);
    const QImage picture(first);
    QCOMPARE(picture.size(), QSize(64, 48));
    QCOMPARE(picture.pixel(0, 0), qRgb(0, 0, 0));      // 00.png, black
    QCOMPARE(picture.pixel(63, 47), qRgb(60, 0, 0));   // 03.png in the last cell
    QCOMPARE(f.file(PathId::Tmp), QStringList{f.folder + u"04.png"_s});
    const QStringList firstGroup{f.folder + u"00.png"_s, f.folder + u"01.png"_s, f.folder + u"02.png"_s, f.folder + u"03.png"_s};
    QCOMPARE(f.file(PathId::TapeterOst), firstGroup);

    // One left is too few: the pool is refilled before the draw.
    QCOMPARE(changeAndWait(*s), QString());
    QCOMPARE(setter.calls.size(), 2);
    // The desktop gets a new name, so it cannot show a cached picture.
    QCOMPARE(setter.calls.at(1).picture, f.paths.dataFolder() + u"u_2.png"_s);
    QCOMPARE(f.file(PathId::Tmp), QStringList{f.folder + u"04.png"_s});
    QCOMPARE(f.file(PathId::TapeterOst), firstGroup + QStringList{u"-"_s} + firstGroup);
    QCOMPARE(f.file(PathId::Tapeter), QStringList{f.folder});
    QCOMPARE(changeAndWait(*s), QString());
    QCOMPARE(setter.calls.at(2).picture, f.paths.dataFolder() + u"u.png"_s);
}

void TestWallpaperService::changeAtStartLeavesTheDesktopAlone()
{
    Fixture f(3);
    f.settings.mode = 0;
    FakeWallpaperSetter setter;
    auto s = f.service(setter);
    QCOMPARE(changeAndWait(*s), QString());
    QCOMPARE(setter.calls.size(), 1);
    const QString shown = setter.calls.first().picture;
    QSignalSpy done(s.get(), &WallpaperService::finished);
    s->changeAtStart();
    QVERIFY(done.wait(10000));
    QCOMPARE(done.first().first().toString(), QString());
    QCOMPARE(setter.calls.size(), 1);
    // The picture the desktop points at was replaced in place.
    QCOMPARE(s->currentPicture(), shown);
    QCOMPARE(QImage(shown).pixel(0, 0), qRgb(20, 0, 0));
    QCOMPARE(f.file(PathId::TapeterOst).size(), 2);

    f.settings.active = false;
    s->changeAtStart();
    QVERIFY(!done.wait(200));
}

void TestWallpaperService::problemsEndTheChange_data()
{
    QTest::addColumn<int>("pictures");
    QTest::addColumn<bool>("noFolders");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<int>("setterCalls");
    QTest::newRow("no folders") << 3 << true << QString() << "Nie zostały dodane katalogi z tapetami." << 0;
    QTest::newRow("too few for four")
        << 3 << false << QString()
        << "W wybranych katalogach z tapetami jest za mało plików *.jpg lub *.bmp (minimum 4 pliki)" << 0;
    QTest::newRow("desktop refused") << 4 << false << "nie ma jak" << "nie ma jak" << 1;
}

void TestWallpaperService::problemsEndTheChange()
{
    QFETCH(int, pictures);
    QFETCH(bool, noFolders);
    QFETCH(QString, failure);
    QFETCH(QString, problem);
    QFETCH(int, setterCalls);
    Fixture f(pictures);
    f.settings.mode = 1;
    if (noFolders)
        saveLineFile(f.paths.path(PathId::Tapeter), {});
    FakeWallpaperSetter setter;
    setter.failure = failure;
    auto s = f.service(setter);
    QCOMPARE(changeAndWait(*s), problem);
    QCOMPARE(setter.calls.size(), setterCalls);
    QVERIFY(!s->busy());
    // Nothing half done: no history without a picture.
    if (!setterCalls)
        QVERIFY(!QFileInfo::exists(f.paths.path(PathId::TapeterOst)));
}

void TestWallpaperService::oneChangeAtATime()
{
    Fixture f(2);
    f.settings.mode = 0;
    FakeWallpaperSetter setter;
    setter.holdAnswers = true;
    auto s = f.service(setter);
    QList<bool> busy;
    s->setBusyReporter([&busy](bool b) { busy << b; });
    QSignalSpy done(s.get(), &WallpaperService::finished);
    QCOMPARE(s->change(WallpaperService::Trigger::Interactive), QString());
    QCOMPARE(s->change(WallpaperService::Trigger::Interactive), QStringLiteral("Tapeta jest właśnie zmieniana."));
    QTRY_COMPARE(setter.pending.size(), 1);
    QVERIFY(s->busy()); // until the desktop answered
    setter.answer();
    QCOMPARE(done.size(), 1);
    QCOMPARE(busy, QList<bool>({true, false}));
}

void TestWallpaperService::editingTheFoldersStartsANewRound()
{
    Fixture f(3);
    f.settings.mode = 0;
    FakeWallpaperSetter setter;
    auto s = f.service(setter);
    QCOMPARE(changeAndWait(*s), QString());
    QVERIFY(QFileInfo::exists(f.paths.path(PathId::Tmp)));
    const QString other = f.data.filePath(QStringLiteral("inne"));
    QDir().mkpath(other);
    QVERIFY(s->page()->addFolder(other));
    QVERIFY(!QFileInfo::exists(f.paths.path(PathId::Tmp)));
    QVERIFY(!s->page()->addFolder(other + u"/"_s)); // listed already
    s->saveFolders();
    QCOMPARE(f.file(PathId::Tapeter), QStringList({f.folder, other + u"/"_s}));
}

void TestWallpaperService::timedChangeHandsTheScreenSizedPictureToTheCommand()
{
    Fixture f(4);
    f.settings.mode = 1;
    f.settings.timed = true;
    const QString script = f.data.filePath(QStringLiteral("set-bg"));
    const QString argsFile = f.data.filePath(QStringLiteral("args"));
    test::writeFile(script, QStringLiteral("#!/bin/sh\necho \"$1\" > \"%1\"\n").arg(argsFile).toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("ZORVEX_WALLPAPER_CMD", script.toUtf8());
    DesktopWallpaperSetter setter;
    auto s = f.service(setter, false);
    QSignalSpy done(s.get(), &WallpaperService::finished);
    s->schedule().runInterval(QDateTime::currentDateTime());
    QVERIFY(done.wait(10000));
    qunsetenv("ZORVEX_WALLPAPER_CMD");
    QCOMPARE(done.first().first().toString(), QString());
    const QString picture = QString::fromUtf8(test::fileBytes(argsFile)).trimmed();
    QCOMPARE(picture, f.paths.dataFolder() + u"u.png"_s);
    const QImage image(picture);
    const QSize screen = QGuiApplication::primaryScreen()->size() * QGuiApplication::primaryScreen()->devicePixelRatio();
    QCOMPARE(image.size(), screen);
    // The middle of the last of the four cells holds the last picture drawn.
    QCOMPARE(image.pixel(screen.width() * 3 / 4, screen.height() * 3 / 4), qRgb(60, 0, 0));
    QCOMPARE(f.file(PathId::TapeterOst).size(), 4);
    QVERIFY(f.file(PathId::Tmp).isEmpty());
}

QTEST_MAIN(TestWallpaperService)
#include "tst_wallpaper_service.moc"
