#include "core/common/Cp1250.h"
#include "core/internet/InstallDispatcher.h"

#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

class TestInstallDispatch : public QObject {
    Q_OBJECT
private slots:
    void dispatch_data();
    void dispatch();
};

void TestInstallDispatch::dispatch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("answer");   // to the question, when one comes
    QTest::addColumn<bool>("assumeYes");
    QTest::addColumn<QString>("action"); // what reached the program
    QTest::addColumn<bool>("asked");
    const QString sep(kListSeparator);
    QTest::newRow("backup, Yes") << u"/home/jan/Kopia.ZVX"_s << true << false << u"restore /home/jan/Kopia.ZVX"_s << true;
    QTest::newRow("backup, No") << u"/home/jan/Kopia.zvx"_s << false << false << QString() << true;
    QTest::newRow("backup, --yes") << u"/home/jan/Kopia.zvx"_s << false << true << u"restore /home/jan/Kopia.zvx"_s
                                   << false;
    QTest::newRow("package") << u"/tmp/a.Zvxd"_s << false << false << u"addon /tmp/a.Zvxd no"_s << false;
    QTest::newRow("package, --yes") << u"/tmp/a.zvxd"_s << false << true << u"addon /tmp/a.zvxd yes"_s << false;
    QTest::newRow("stream") << u"HTTP://radio.pl:8000/"_s << false << false
                            << u"radio HTTP://radio.pl:8000/"_s + sep + u"HTTP://radio.pl:8000/"_s << false;
    QTest::newRow("stream with its name") << u"Trójka"_s + sep + u"http://x/3"_s << false << false << QString() << false;
    QTest::newRow("named stream") << u"http://x/3"_s + sep + u"Trójka"_s << false << false
                                  << u"radio http://x/3"_s + sep + u"Trójka"_s << false;
    QTest::newRow("address too short") << u"http://"_s << false << false << QString() << false;
    QTest::newRow("other text") << u"/tmp/notatki.txt"_s << false << false << QString() << false;
    // "zvx:" links, the program being their handler.
    QTest::newRow("link to a local package") << u"zvx:///tmp/a%20b.zvxd"_s << false << false << u"addon /tmp/a b.zvxd no"_s
                                             << false;
    QTest::newRow("link to a file url") << u"zvx:file:///tmp/k.zvx"_s << true << false << u"restore /tmp/k.zvx"_s << true;
    QTest::newRow("link to a stream") << u"zvx:http://radio.pl/s.pls"_s << false << false
                                      << u"radio http://radio.pl/s.pls"_s + sep + u"http://radio.pl/s.pls"_s << false;
    QTest::newRow("link to a package on the web") << u"zvx:https://zorvex.pl/dodatki/Kot.zvxd"_s << false << true
                                                  << u"download https://zorvex.pl/dodatki/Kot.zvxd yes"_s << false;
    QTest::newRow("file address from a launcher") << u"file:///home/jan/Pobrane/Kot%C5%82.zvxd"_s << false << false
                                                  << u"addon /home/jan/Pobrane/Kotł.zvxd no"_s << false;
    QTest::newRow("link to nothing known") << u"zvx:rm -rf"_s << false << false << QString() << false;
}

void TestInstallDispatch::dispatch()
{
    QFETCH(QString, text);
    QFETCH(bool, answer);
    QFETCH(bool, assumeYes);
    QFETCH(QString, action);
    QFETCH(bool, asked);
    QStringList actions;
    QStringList questions;
    InstallDispatcher::Targets t;
    t.restoreBackup = [&](const QString& p) { actions << u"restore "_s + p; };
    t.installAddon = [&](const QString& p, bool yes) { actions << u"addon "_s + p + (yes ? u" yes"_s : u" no"_s); };
    t.addRadioStation = [&](const QString& r) { actions << u"radio "_s + r; };
    t.downloadPackage = [&](const QString& u, bool yes) { actions << u"download "_s + u + (yes ? u" yes"_s : u" no"_s); };
    InstallDispatcher d(
        [&](const QString& caption, const QString& q, std::function<void(bool)> answered) {
            questions << caption + u": "_s + q;
            answered(answer);
        },
        t);
    d.dispatch(text, assumeYes);
    QCOMPARE(actions, action.isEmpty() ? QStringList{} : QStringList{action});
    QCOMPARE(questions, asked ? QStringList{u"Zorvex - Przywracanie kopii zapasowej ustawień: Czy na pewno przywrócić "
                                            u"wybraną kopię zapasową ustawień?"_s}
                              : QStringList{});
}

QTEST_GUILESS_MAIN(TestInstallDispatch)
#include "tst_installdispatch.moc"
