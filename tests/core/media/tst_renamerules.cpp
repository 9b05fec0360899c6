#include "FixtureFolder.h"
#include "core/media/RenameRules.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

class TestRenameRules : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.renew()); }
    void cleaned_data();
    void cleaned();
    void plans_data();
    void plans();
    void neverOverwrites();

private:
    test::FixtureFolder m_dir;
};

void TestRenameRules::cleaned_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::newRow("colon and question mark") << u"Co? Tak: nie"_s << u"Co  Tak  nie"_s;
    QTest::newRow("every one") << u"a\\b/c?d*e<f>g|h:i\"j"_s << u"a b c d e f g h i j"_s;
    QTest::newRow("polish stays") << u"Żółw"_s << u"Żółw"_s;
}

void TestRenameRules::cleaned()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QCOMPARE(cleanedFileName(typed), name);
}

void TestRenameRules::plans_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("target");
    QTest::newRow("extension case kept") << u"/m/Old.MP3"_s << u"Nowy"_s << u"/m/Nowy.MP3"_s;
    QTest::newRow("inner dots") << u"/m/a.b.ogg"_s << u"c.d"_s << u"/m/c.d.ogg"_s;
    QTest::newRow("no extension") << u"/m/plik"_s << u"inny"_s << u"/m/inny"_s;
    QTest::newRow("slash cannot leave the folder") << u"/m/a.mp3"_s << u"../x"_s << u"/m/.. x.mp3"_s;
    QTest::newRow("blank") << u"/m/a.mp3"_s << u"   "_s << QString();
    QTest::newRow("dot") << u"/m/a.mp3"_s << u"."_s << QString();
    QTest::newRow("dot dot") << u"/m/a.mp3"_s << u".."_s << QString();
}

void TestRenameRules::plans()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(QString, target);
    const RenamePlan plan = planRename(path, name);
    QCOMPARE(plan.target, target);
    QCOMPARE(plan.error.isEmpty(), !target.isEmpty());
}

void TestRenameRules::neverOverwrites()
{
    const QString a = m_dir.write("first", u"a.mp3"_s);
    const QString b = m_dir.write("second", u"b.mp3"_s);
    QString error;
    QVERIFY(!renameTrack(a, b, &error));
    QVERIFY(error.contains(b));
    QFile fb(b);
    QVERIFY(fb.open(QIODevice::ReadOnly));
    QCOMPARE(fb.readAll(), "second"_ba);
    QVERIFY(QFile::exists(a));
    const QString c = m_dir.filePath(u"c.mp3"_s);
    QVERIFY(renameTrack(a, c, &error));
    QVERIFY(!QFile::exists(a));
    QVERIFY(QFile::exists(c));
    QVERIFY(renameTrack(c, c, &error)); // nothing to do
}

QTEST_GUILESS_MAIN(TestRenameRules)
#include "tst_renamerules.moc"
