#include "FixtureFolder.h"
#include "core/media/PanelSkins.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

class TestPanelSkins : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.renew()); }
    void listsFoldersWithASkin();
    void refusesNamesOutsideTheFolder_data();
    void refusesNamesOutsideTheFolder();
    void deletesOnlyTheSkin();

private:
    test::FixtureFolder m_dir;
};

void TestPanelSkins::listsFoldersWithASkin()
{
    QDir root(m_dir.path());
    for (const QString& n : {u"Niebieska"_s, u"domyślny"_s, u"bez pliku"_s, u"Ąbc"_s})
        root.mkpath(n);
    m_dir.write("BM", u"Niebieska/skin.bmp"_s);
    m_dir.write("BM", u"domyślny/skin.bmp"_s);
    m_dir.write("BM", u"Ąbc/skin.bmp"_s);
    QCOMPARE(panelSkinNames(m_dir.path()), (QStringList{u"Niebieska"_s, u"Ąbc"_s}));
}

void TestPanelSkins::refusesNamesOutsideTheFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("blank") << u"  "_s;
    QTest::newRow("dot") << u"."_s;
    QTest::newRow("dot dot") << u".."_s;
    QTest::newRow("path") << u"../x"_s;
    QTest::newRow("built-in") << u"Domyślny"_s;
}

void TestPanelSkins::refusesNamesOutsideTheFolder()
{
    QFETCH(QString, name);
    QDir(m_dir.path()).mkpath(u"skins/a"_s);
    m_dir.write("keep", u"skins/a/skin.bmp"_s);
    QString error;
    QVERIFY(!deletePanelSkin(m_dir.filePath(u"skins"_s), name, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFile::exists(m_dir.filePath(u"skins/a/skin.bmp"_s)));
    QVERIFY(QDir(m_dir.path()).exists(u"skins"_s));
}

void TestPanelSkins::deletesOnlyTheSkin()
{
    QDir root(m_dir.path());
    root.mkpath(u"skins/a"_s);
    root.mkpath(u"elsewhere"_s);
    m_dir.write("x", u"skins/a/skin.bmp"_s);
    m_dir.write("mine", u"elsewhere/file"_s);
    QVERIFY(QFile::link(m_dir.filePath(u"elsewhere"_s), m_dir.filePath(u"skins/linked"_s)));
    QString error;
    QVERIFY(deletePanelSkin(m_dir.filePath(u"skins"_s), u"a"_s, &error));
    QVERIFY(!root.exists(u"skins/a"_s));
    QVERIFY(deletePanelSkin(m_dir.filePath(u"skins"_s), u"linked"_s, &error));
    QVERIFY(QFile::exists(m_dir.filePath(u"elsewhere/file"_s))); // what the link pointed at stays
}

QTEST_GUILESS_MAIN(TestPanelSkins)
#include "tst_panelskins.moc"
