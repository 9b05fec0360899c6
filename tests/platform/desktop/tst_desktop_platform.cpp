#include "platform/desktop/DesktopIcons.h"
#include "platform/desktop/DriveTrays.h"

#include "support/FileFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using test::fileBytes;
using test::writeFile;

// The desktop programs are stand-in scripts on a PATH of their own, which
// log their arguments, so no real desktop is touched.
class TestDesktopPlatform : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opticalDrives();
    void gioIcons();
    void pcmanfmIcons();
    void xfceIcons();

private:
    QStringList logged() const;
    void script(const char* name, const QByteArray& body);

    QTemporaryDir m_dir;
    QString m_bin;
    QString m_log;
};

void TestDesktopPlatform::initTestCase()
{
    m_bin = m_dir.filePath(QStringLiteral("bin"));
    m_log = m_dir.filePath(QStringLiteral("log"));
    QVERIFY(QDir().mkpath(m_bin));
    qputenv("PATH", QFile::encodeName(m_bin));
    qputenv("ZORVEX_TEST_LOG", QFile::encodeName(m_log));
}

void TestDesktopPlatform::script(const char* name, const QByteArray& body)
{
    const QString path = m_bin + QLatin1Char('/') + QLatin1String(name);
    QVERIFY(writeFile(path, "#!/bin/sh\necho \"" + QByteArray(name) + " $*\" >> \"$ZORVEX_TEST_LOG\"\n" + body));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QStringList TestDesktopPlatform::logged() const
{
    QStringList lines = QString::fromUtf8(fileBytes(m_log)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QFile::remove(m_log);
    return lines;
}

void TestDesktopPlatform::opticalDrives()
{
    QTemporaryDir root;
    for (const char* entry : {"sda", "sr1", "sr0", "srx", "sr30"})
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("sys/class/block/") + QLatin1String(entry))));
    QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("dev/disk/by-label"))));
    QVERIFY(QFile::link(QStringLiteral("../../sr1"), root.filePath(QStringLiteral("dev/disk/by-label/Gry\\x20PC"))));
    qputenv("ZORVEX_SYSROOT", QFile::encodeName(root.path()));
    LinuxDriveTrays trays;
    qunsetenv("ZORVEX_SYSROOT");
    QCOMPARE(trays.drives(), (QList<OpticalDrive>{{QLatin1Char('D'), QStringLiteral("/dev/sr0")},
                                                  {QLatin1Char('E'), QStringLiteral("/dev/sr1")}}));
    QCOMPARE(trays.discLabel(QLatin1Char('E')), QStringLiteral("Gry PC"));
    QCOMPARE(trays.discLabel(QLatin1Char('D')), QString());
    QCOMPARE(trays.discLabel(QLatin1Char('F')), QString());
}

void TestDesktopPlatform::gioIcons()
{
    const QString desktop = m_dir.filePath(QStringLiteral("Pulpit"));
    QVERIFY(writeFile(desktop + QStringLiteral("/a b.txt")));
    QVERIFY(writeFile(desktop + QStringLiteral("/nowy.txt")));
    // "gio info" answers a position for "a b.txt" only.
    script("gio", "case \"$4\" in *'a b.txt') printf 'uri: x\\nattributes:\\n  metadata::caja-icon-position: 30,40\\n';;\n"
                  "*) printf 'uri: y\\nattributes:\\n';; esac\n");
    auto icons = makeGioDesktopIcons(desktop, QStringLiteral("metadata::caja-icon-position"));
    QVERIFY(icons->available());
    QCOMPARE(icons->icons(), (QList<IconPosition>{{QStringLiteral("a b.txt"), QPoint(30, 40)}}));
    logged();
    QCOMPARE(icons->moveIcons({{QStringLiteral("a b.txt"), QPoint(5, 6)}}), QString());
    QCOMPARE(logged(), QStringList{QStringLiteral("gio set -t string %1/a b.txt metadata::caja-icon-position 5,6").arg(desktop)});
}

void TestDesktopPlatform::pcmanfmIcons()
{
    const QString file = m_dir.filePath(QStringLiteral("desktop-items-0.conf"));
    QVERIFY(writeFile(file, "[Trash]\npos=@Point(12 10)\n"));
    script("pcmanfm-qt", "");
    auto icons = makePcmanfmDesktopIcons(file);
    QCOMPARE(icons->icons(), (QList<IconPosition>{{QStringLiteral("Trash"), QPoint(12, 10)}}));
    QCOMPARE(icons->moveIcons({{QStringLiteral("Trash"), QPoint(40, 50)}}), QString());
    QCOMPARE(fileBytes(file), QByteArray("[Trash]\npos=@Point(40 50)\n"));
    // The desktop is started again without waiting for it.
    QTRY_COMPARE(fileBytes(m_log).count('\n'), 2);
    QCOMPARE(logged(), (QStringList{QStringLiteral("pcmanfm-qt --desktop-off"), QStringLiteral("pcmanfm-qt --desktop")}));
}

void TestDesktopPlatform::xfceIcons()
{
    const QString file = m_dir.filePath(QStringLiteral("icons.screen0-800x600.rc"));
    QVERIFY(writeFile(file, "[Home]\nrow=1\ncol=0\n"));
    script("xfdesktop", "");
    auto icons = makeXfceDesktopIcons(file);
    QCOMPARE(icons->moveIcons({{QStringLiteral("Home"), QPoint(3, 2)}}), QString());
    QCOMPARE(fileBytes(file), QByteArray("[Home]\nrow=2\ncol=3\n"));
    QCOMPARE(logged(), QStringList{QStringLiteral("xfdesktop --reload")});
    // A file that is gone is said so, and nothing is reloaded.
    QVERIFY(QFile::remove(file));
    QVERIFY(!icons->moveIcons({{QStringLiteral("Home"), QPoint(1, 1)}}).isEmpty());
    QVERIFY(!icons->available());
}

QTEST_GUILESS_MAIN(TestDesktopPlatform)
#include "tst_desktop_platform.moc"
