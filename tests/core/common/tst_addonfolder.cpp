#include "core/common/AddonFolder.h"

#include "support/FileFixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::Literals::StringLiterals;

class TestAddonFolder : public QObject {
    Q_OBJECT
private slots:
    void sanitise_data();
    void sanitise();
    void deletionConfined_data();
    void deletionConfined();
    void deletesSetWithoutFollowingLinks();
};

void TestAddonFolder::sanitise_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("usable");
    QTest::newRow("slash and colon") << u"a/b:c"_s << u"abc"_s << true;
    QTest::newRow("every forbidden character") << u"\\x/?*<>|:\"y"_s << u"xy"_s << true;
    QTest::newRow("Polish letters stay") << u"Zażółć jaźń"_s << u"Zażółć jaźń"_s << true;
    QTest::newRow("dot") << u"."_s << u"."_s << false;
    QTest::newRow("dot dot after sanitising") << u".:."_s << u".."_s << false;
    QTest::newRow("dot dot with blanks") << u" .. "_s << u" .. "_s << false;
    QTest::newRow("only forbidden") << u"??"_s << QString() << false;
    QTest::newRow("blanks") << u"   "_s << u"   "_s << false;
    QTest::newRow("three dots are a name") << u"..."_s << u"..."_s << true;
}

void TestAddonFolder::sanitise()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(bool, usable);
    QCOMPARE(sanitiseAddonName(typed), name);
    QCOMPARE(isUsableAddonName(name), usable);
}

// Whatever name a list or a file hands over, nothing outside the set folder
// goes.
void TestAddonFolder::deletionConfined_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ok");
    QTest::newRow("parent") << u".."_s << false;
    QTest::newRow("the set folder itself") << u"."_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("climbing path") << u"../outside"_s << false;
    QTest::newRow("nested path") << u"Zestaw/sub"_s << false;
    QTest::newRow("backslash path") << u"..\\outside"_s << false;
    QTest::newRow("absolute path") << u"/tmp"_s << false;
    QTest::newRow("trailing blank") << u"Zestaw "_s << false;
    QTest::newRow("link to a folder outside") << u"Link"_s << true;
    QTest::newRow("not there") << u"Brak"_s << true;
}

void TestAddonFolder::deletionConfined()
{
    QFETCH(QString, name);
    QFETCH(bool, ok);
    QTemporaryDir dir;
    const QString sets = dir.filePath(u"Godziny"_s);
    const QString outside = dir.filePath(u"outside"_s);
    QVERIFY(writeFile(outside + u"/keep.txt"_s, "keep"));
    QVERIFY(writeFile(sets + u"/Zestaw/sub/a.mp3"_s, "a"));
    QVERIFY(QFile::link(outside, sets + u"/Link"_s));
    const auto before = folderTree(outside);

    QString error;
    QCOMPARE(removeAddonSetFolder(sets, name, &error), ok);
    QCOMPARE(error.isEmpty(), ok);
    QCOMPARE(folderTree(outside), before);
    QVERIFY(QFileInfo::exists(sets + u"/Zestaw/sub/a.mp3"_s));
    QVERIFY(QFileInfo(dir.path()).isDir());
    if (name == u"Link")
        QVERIFY(!QFileInfo(sets + u"/Link"_s).isSymLink());
}

void TestAddonFolder::deletesSetWithoutFollowingLinks()
{
    QTemporaryDir dir;
    const QString sets = dir.filePath(u"Sets"_s);
    const QString outside = dir.filePath(u"outside"_s);
    QVERIFY(writeFile(outside + u"/keep.txt"_s, "keep"));
    QVERIFY(writeFile(sets + u"/Zestaw/a.png"_s, "a"));
    QVERIFY(QFile::link(outside, sets + u"/Zestaw/inner"_s));
    QVERIFY(QFile::link(outside + u"/keep.txt"_s, sets + u"/Zestaw/file-link"_s));
    QVERIFY(removeAddonSetFolder(sets, u"Zestaw"_s));
    QVERIFY(!QFileInfo::exists(sets + u"/Zestaw"_s));
    QCOMPARE(fileBytes(outside + u"/keep.txt"_s), QByteArray("keep"));

    // A set folder reached through a link of its own is still confined.
    QVERIFY(writeFile(sets + u"/Drugi/a.png"_s, "a"));
    const QString linkedSets = dir.filePath(u"LinkedSets"_s);
    QVERIFY(QFile::link(sets, linkedSets));
    QVERIFY(removeAddonSetFolder(linkedSets, u"Drugi"_s));
    QVERIFY(!QFileInfo::exists(sets + u"/Drugi"_s));
}

QTEST_GUILESS_MAIN(TestAddonFolder)
#include "tst_addonfolder.moc"
