#include "platform/wallpaper/WallpaperSetter.h"
#include "support/FileFixture.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(zorvex::WallpaperMethod)

namespace {

QStringList lines(const QList<WallpaperCommand>& commands)
{
    QStringList out;
    for (const WallpaperCommand& c : commands)
        out << (QStringList{c.program} + c.arguments).join(QLatin1Char(' ')) + (c.optional ? u" (optional)"_s : QString());
    return out;
}

const QString kPicture = QStringLiteral("/home/ala/.local/share/zorvex/ala's tapeta.png");

} // namespace

class TestWallpaperSetter : public QObject {
    Q_OBJECT
private slots:
    void method_data();
    void method();
    void commands_data();
    void commands();
    void overrideCommand_data();
    void overrideCommand();
    void xfceTakesEveryMonitorAndWorkspace();
    void gvariantQuoting();
    void runsTheOverrideWithoutWaiting();
    void reportsAProgramThatFails();
    void reportsADesktopWithoutAWay();
};

void TestWallpaperSetter::method_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("sway");
    QTest::addColumn<bool>("feh");
    QTest::addColumn<WallpaperMethod>("method");
    QTest::newRow("ubuntu") << "ubuntu:GNOME" << false << false << WallpaperMethod::Gnome;
    QTest::newRow("budgie") << "Budgie:GNOME" << false << false << WallpaperMethod::Gnome;
    QTest::newRow("cinnamon") << "X-Cinnamon" << false << false << WallpaperMethod::Cinnamon;
    QTest::newRow("mate") << "MATE" << false << false << WallpaperMethod::Mate;
    QTest::newRow("plasma") << "KDE" << false << false << WallpaperMethod::Kde;
    QTest::newRow("xfce lower case") << "xfce" << false << false << WallpaperMethod::Xfce;
    QTest::newRow("sway by name") << "sway" << false << false << WallpaperMethod::Sway;
    QTest::newRow("sway by socket") << "" << true << false << WallpaperMethod::Sway;
    QTest::newRow("other X11 with feh") << "i3" << false << true << WallpaperMethod::Feh;
    QTest::newRow("nothing known") << "i3" << false << false << WallpaperMethod::None;
}

void TestWallpaperSetter::method()
{
    QFETCH(QString, current);
    QFETCH(bool, sway);
    QFETCH(bool, feh);
    QFETCH(WallpaperMethod, method);
    WallpaperEnvironment env;
    env.currentDesktop = current;
    env.sway = sway;
    env.x11 = true;
    env.feh = feh;
    QCOMPARE(wallpaperMethod(env), method);
    env.command = QStringLiteral("/usr/local/bin/set-wallpaper");
    QCOMPARE(wallpaperMethod(env), WallpaperMethod::Command); // wins over all
}

void TestWallpaperSetter::commands_data()
{
    QTest::addColumn<WallpaperMethod>("method");
    QTest::addColumn<bool>("spanned");
    QTest::addColumn<QStringList>("expected");
    const QString uri = QStringLiteral("file:///home/ala/.local/share/zorvex/ala's%20tapeta.png");
    const QString quotedUri = QStringLiteral("'file:///home/ala/.local/share/zorvex/ala\\'s%20tapeta.png'");
    QTest::newRow("gnome sets the dark picture too")
        << WallpaperMethod::Gnome << false
        << QStringList{u"gsettings set org.gnome.desktop.background picture-options 'zoom'"_s,
                       u"gsettings set org.gnome.desktop.background picture-uri "_s + quotedUri,
                       u"gsettings set org.gnome.desktop.background picture-uri-dark "_s + quotedUri + u" (optional)"_s};
    QTest::newRow("cinnamon spanned")
        << WallpaperMethod::Cinnamon << true
        << QStringList{u"gsettings set org.cinnamon.desktop.background picture-options 'spanned'"_s,
                       u"gsettings set org.cinnamon.desktop.background picture-uri "_s + quotedUri};
    QTest::newRow("mate takes a file name")
        << WallpaperMethod::Mate << false
        << QStringList{u"gsettings set org.mate.background picture-options 'zoom'"_s,
                       u"gsettings set org.mate.background picture-filename "_s
                       u"'/home/ala/.local/share/zorvex/ala\\'s tapeta.png'"_s};
    QTest::newRow("sway quotes the path")
        << WallpaperMethod::Sway << false
        << QStringList{u"swaymsg output * bg \"/home/ala/.local/share/zorvex/ala's tapeta.png\" fill"_s};
    QTest::newRow("feh spans with xinerama off")
        << WallpaperMethod::Feh << true
        << QStringList{u"feh --no-xinerama --bg-fill /home/ala/.local/share/zorvex/ala's tapeta.png"_s};
    QTest::newRow("none") << WallpaperMethod::None << false << QStringList();
}

void TestWallpaperSetter::commands()
{
    QFETCH(WallpaperMethod, method);
    QFETCH(bool, spanned);
    QFETCH(QStringList, expected);
    QCOMPARE(lines(wallpaperCommands(method, {}, kPicture, spanned)), expected);
}

void TestWallpaperSetter::overrideCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("program") << "set-bg" << "set-bg" << QStringList{kPicture};
    QTest::newRow("program with options") << "feh --bg-center" << "feh" << QStringList{u"--bg-center"_s, kPicture};
    QTest::newRow("quoted program") << "\"/opt/my tools/bg\" -q" << "/opt/my tools/bg" << QStringList{u"-q"_s, kPicture};
}

void TestWallpaperSetter::overrideCommand()
{
    QFETCH(QString, command);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    WallpaperEnvironment env;
    env.command = command;
    const QList<WallpaperCommand> c = wallpaperCommands(WallpaperMethod::Command, env, kPicture, false);
    QCOMPARE(c.size(), 1);
    QCOMPARE(c.first().program, program);
    QCOMPARE(c.first().arguments, arguments);
}

void TestWallpaperSetter::xfceTakesEveryMonitorAndWorkspace()
{
    const QString listing = QStringLiteral("/backdrop/screen0/monitor0/workspace0/color-style\n"
                                           "/backdrop/screen0/monitor0/workspace0/last-image\n"
                                           "/backdrop/screen0/monitorHDMI-1/workspace1/last-image\n"
                                           "/backdrop/single-workspace-mode\n");
    const QStringList props = xfceImageProperties(listing);
    QCOMPARE(props, QStringList({u"/backdrop/screen0/monitor0/workspace0/last-image"_s,
                                 u"/backdrop/screen0/monitorHDMI-1/workspace1/last-image"_s}));
    QCOMPARE(lines({xfceListCommand()}), QStringList{u"xfconf-query -c xfce4-desktop -l"_s});
    const QStringList set = lines(wallpaperCommands(WallpaperMethod::Xfce, {}, u"/p/t.png"_s, true, props));
    QCOMPARE(set,
             QStringList({u"xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitor0/workspace0/last-image -n -t "_s
                          u"string -s /p/t.png"_s,
                          u"xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitor0/workspace0/image-style -n -t "_s
                          u"int -s 6 (optional)"_s,
                          u"xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorHDMI-1/workspace1/last-image -n "_s
                          u"-t string -s /p/t.png"_s,
                          u"xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorHDMI-1/workspace1/image-style -n "_s
                          u"-t int -s 6 (optional)"_s}));
    // A desktop that never had a picture: the first monitor's property.
    QVERIFY(lines(wallpaperCommands(WallpaperMethod::Xfce, {}, u"/p/t.png"_s, false))
                .first()
                .contains(u"/backdrop/screen0/monitor0/workspace0/last-image"_s));
}

void TestWallpaperSetter::gvariantQuoting()
{
    QCOMPARE(gvariantString(QStringLiteral("a'b\\c")), QStringLiteral("'a\\'b\\\\c'"));
    const QList<WallpaperCommand> kde = wallpaperCommands(WallpaperMethod::Kde, {}, kPicture, false);
    QCOMPARE(kde.size(), 1);
    QCOMPARE(kde.first().program, QStringLiteral("dbus-send"));
    QCOMPARE(kde.first().arguments.mid(0, 5),
             QStringList({u"--session"_s, u"--type=method_call"_s, u"--dest=org.kde.plasmashell"_s, u"/PlasmaShell"_s,
                          u"org.kde.PlasmaShell.evaluateScript"_s}));
    const QString script = kde.first().arguments.last();
    QVERIFY(script.startsWith(u"string:"_s));
    QVERIFY(script.contains(u"d.writeConfig(\"Image\", \"file:///home/ala/.local/share/zorvex/ala's%20tapeta.png\")"_s));
}

namespace {

// A stand-in for the user's own program: writes its arguments to a file.
QString writeScript(const QTemporaryDir& dir, int exitCode)
{
    const QString path = dir.filePath(QStringLiteral("set-bg"));
    test::writeFile(path, QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"%1\"\n"
                                         "echo 'no display' >&2\nexit %2\n")
                              .arg(dir.filePath(QStringLiteral("args")))
                              .arg(exitCode)
                              .toUtf8());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

struct Result {
    bool done = false;
    QString error;
};

} // namespace

void TestWallpaperSetter::runsTheOverrideWithoutWaiting()
{
    QTemporaryDir dir;
    qputenv("ZORVEX_WALLPAPER_CMD", writeScript(dir, 0).toUtf8());
    DesktopWallpaperSetter setter;
    Result r;
    setter.setWallpaper(kPicture, false, [&r](const QString& e) {
        r.done = true;
        r.error = e;
    });
    QVERIFY(!r.done); // answered later, from the event loop
    QTRY_VERIFY(r.done);
    QCOMPARE(r.error, QString());
    QCOMPARE(test::fileBytes(dir.filePath(u"args"_s)), kPicture.toUtf8() + '\n');
    qunsetenv("ZORVEX_WALLPAPER_CMD");
}

void TestWallpaperSetter::reportsAProgramThatFails()
{
    QTemporaryDir dir;
    const QString script = writeScript(dir, 3);
    qputenv("ZORVEX_WALLPAPER_CMD", script.toUtf8());
    DesktopWallpaperSetter setter;
    Result r;
    setter.setWallpaper(kPicture, false, [&r](const QString& e) {
        r.done = true;
        r.error = e;
    });
    QTRY_VERIFY(r.done);
    QCOMPARE(r.error, QStringLiteral("Program \"%1\" nie ustawił tapety (kod wyjścia 3): no display").arg(script));

    qputenv("ZORVEX_WALLPAPER_CMD", dir.filePath(u"missing"_s).toUtf8());
    r = {};
    setter.setWallpaper(kPicture, false, [&r](const QString& e) {
        r.done = true;
        r.error = e;
    });
    QTRY_VERIFY(r.done);
    QVERIFY2(r.error.startsWith(QStringLiteral("Nie udało się uruchomić programu")), qPrintable(r.error));
    qunsetenv("ZORVEX_WALLPAPER_CMD");
}

void TestWallpaperSetter::reportsADesktopWithoutAWay()
{
    qunsetenv("ZORVEX_WALLPAPER_CMD");
    qputenv("XDG_CURRENT_DESKTOP", "twm");
    qunsetenv("SWAYSOCK");
    qunsetenv("DISPLAY");
    DesktopWallpaperSetter setter;
    Result r;
    setter.setWallpaper(kPicture, false, [&r](const QString& e) {
        r.done = true;
        r.error = e;
    });
    QVERIFY(!r.done);
    QTRY_VERIFY(r.done);
    QCOMPARE(r.error, noWallpaperMethodMessage());
}

QTEST_GUILESS_MAIN(TestWallpaperSetter)
#include "tst_wallpaper_setter.moc"
