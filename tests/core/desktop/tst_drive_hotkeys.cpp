#include "core/desktop/DriveHotKeys.h"

#include "support/FileFixture.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;

Q_DECLARE_METATYPE(QList<zorvex::TrayMove>)
Q_DECLARE_METATYPE(zorvex::HotKeyCombo)

namespace {

QStringList defaultLines()
{
    QStringList lines;
    for (char c = 'A'; c <= 'Z'; ++c)
        lines << QLatin1Char(c) + QStringLiteral("|0|0|0|0|0|0|0|5");
    return lines;
}

DriveHotKeyLine line(char letter, HotKeyCombo close, HotKeyCombo open, HotKeyCombo cycle, int delay = 5)
{
    DriveHotKeyLine l;
    l.letter = QLatin1Char(letter);
    l.active = true;
    l.combos = {close, open, cycle};
    l.delay = delay;
    return l;
}

} // namespace

class TestDriveHotKeys : public QObject {
    Q_OBJECT

private slots:
    void defaultsAndRepair_data();
    void defaultsAndRepair();
    void fileRoundTrip();
    void unreadableFileIsKept();
    void missingDrivesReset();
    void keyTable();
    void hotKeyMoves_data();
    void hotKeyMoves();
    void registeredOnce();
};

void TestDriveHotKeys::defaultsAndRepair_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("repaired");

    QStringList good = defaultLines();
    good[4] = QStringLiteral("E|1|4|47|1|0|2|12|30");
    QTest::newRow("good file") << good << true << good << false;
    QTest::newRow("missing") << QStringList{} << false << defaultLines() << true;
    QTest::newRow("older format") << QStringList{QStringLiteral("A|0|0|0"), QStringLiteral("B|1|1|1")} << true << defaultLines() << true;

    QStringList damaged = good;
    damaged[3] = QStringLiteral("D|1|9|0|0|0|0|0|5");   // modifier out of range
    damaged[5] = QStringLiteral("F|1|1|2|0|0|0|0|31");  // delay out of range
    damaged[6] = QStringLiteral("garbage");
    damaged.removeAt(7);                              // H missing
    QStringList repairedLines = good;
    QTest::newRow("damaged lines back to defaults") << damaged << true << repairedLines << true;

    QStringList shuffled = good;
    std::swap(shuffled[0], shuffled[4]);
    shuffled << QStringLiteral("e|1|1|1|1|1|1|1|1"); // a second E is ignored
    QTest::newRow("order and case") << shuffled << true << good << true;
}

void TestDriveHotKeys::defaultsAndRepair()
{
    QFETCH(QStringList, file);
    QFETCH(bool, exists);
    QFETCH(QStringList, expected);
    QFETCH(bool, repaired);
    const DriveHotKeyFile parsed = parseDriveHotKeys(file, exists);
    QCOMPARE(driveHotKeyLines(parsed.lines), expected);
    QCOMPARE(parsed.repaired, repaired);
}

void TestDriveHotKeys::fileRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("CD_Uzytkownik.ini"));
    DriveHotKeyFile missing = loadDriveHotKeys(path);
    QVERIFY(missing.repaired);
    QVERIFY(missing.mayReplace);
    missing.lines[4] = line('E', {}, {4, 47}, {}, 7);
    QVERIFY(saveDriveHotKeys(path, missing.lines));
    QVERIFY(test::fileBytes(path).startsWith("A|0|0|0|0|0|0|0|5\r\nB|"));
    const DriveHotKeyFile back = loadDriveHotKeys(path);
    QVERIFY(!back.repaired);
    QCOMPARE(back.lines, missing.lines);
}

void TestDriveHotKeys::unreadableFileIsKept()
{
    // A folder in the file's place is not read, and must not be replaced.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("CD_Uzytkownik.ini"));
    QVERIFY(QDir().mkpath(path));
    QVERIFY(!loadDriveHotKeys(path).mayReplace);
}

void TestDriveHotKeys::missingDrivesReset()
{
    DriveHotKeyTable table = defaultDriveHotKeys();
    table[3] = line('D', {1, 1}, {}, {});
    table[4] = line('E', {1, 2}, {}, {});
    table[5] = line('F', {}, {}, {}, 9);
    table[5].active = false;
    QVERIFY(resetMissingDrives(table, QStringLiteral("DG")));
    QCOMPARE(table[3], line('D', {1, 1}, {}, {}));
    QCOMPARE(driveHotKeyLine(table[4]), QStringLiteral("E|0|0|0|0|0|0|0|5"));
    QCOMPARE(table[5].delay, 9); // inactive lines are left as they are
    QVERIFY(!resetMissingDrives(table, QStringLiteral("DG")));
}

void TestDriveHotKeys::keyTable()
{
    QCOMPARE(hotKeyTexts().size(), kHotKeyCount);
    QCOMPARE(hotKeyTexts().at(25), QStringLiteral("\\"));
    QCOMPARE(hotKeyTexts().at(47), QStringLiteral("Num ,"));
    QCOMPARE(hotKeySym(0), 0xffbeu);  // F1
    QCOMPARE(hotKeySym(13), 0x30u);   // 0
    QCOMPARE(hotKeySym(42), 0xff53u); // right arrow
    QCOMPARE(hotKeySym(48), 0u);
    QCOMPARE(modifierTexts().at(2), QStringLiteral("CTRL + ALT lub Prawy ALT"));
    QCOMPARE(modifierBits(4), kControl | kAlt | kShift);
    QCOMPARE(modifierBits(0), 0u);
    // The portal's triggers: every key has an xkbcommon name, and no hot key
    // or a key outside the table asks for nothing.
    QCOMPARE(hotKeyTrigger({1, 0}), QStringLiteral("ALT+SHIFT+F1"));
    QCOMPARE(hotKeyTrigger({2, 25}), QStringLiteral("CTRL+ALT+backslash"));
    QCOMPARE(hotKeyTrigger({4, 37}), QStringLiteral("CTRL+ALT+SHIFT+Page_Up"));
    QCOMPARE(hotKeyTrigger({3, 47}), QStringLiteral("CTRL+SHIFT+KP_Decimal"));
    QCOMPARE(hotKeyTrigger({0, 4}), QString());
    QCOMPARE(hotKeyTrigger({2, 48}), QString());
    const QRegularExpression keyName(QStringLiteral("^CTRL\\+SHIFT\\+[A-Za-z0-9_]+$"));
    for (int key = 0; key < kHotKeyCount; ++key) {
        const QString trigger = hotKeyTrigger({3, key});
        QVERIFY2(keyName.match(trigger).hasMatch(), qPrintable(trigger));
    }
    QCOMPARE(hotKeyText({2, 4}), QStringLiteral("CTRL + ALT lub Prawy ALT + F5"));
}

void TestDriveHotKeys::hotKeyMoves_data()
{
    QTest::addColumn<HotKeyCombo>("pressed");
    QTest::addColumn<bool>("pending");
    QTest::addColumn<QList<TrayMove>>("moves");
    const QChar D = QLatin1Char('D'), E = QLatin1Char('E');
    QTest::newRow("close D") << HotKeyCombo{1, 0} << false << QList<TrayMove>{{D, false, 0}};
    QTest::newRow("open E from ctrl+alt+shift num ,") << HotKeyCombo{4, 47} << false << QList<TrayMove>{{E, true, 0}};
    QTest::newRow("open and close D arms its delay") << HotKeyCombo{3, 5} << false << QList<TrayMove>{{D, true, 5}};
    QTest::newRow("E's open and close while D's pending") << HotKeyCombo{3, 6} << true << QList<TrayMove>{};
    QTest::newRow("shared combination: each line acts") << HotKeyCombo{2, 13} << false
                                                        << QList<TrayMove>{{D, true, 0}, {E, false, 0}};
    QTest::newRow("shared open and close: only the first arms") << HotKeyCombo{1, 20} << false
                                                               << QList<TrayMove>{{D, true, 5}};
    QTest::newRow("inactive drive F does nothing") << HotKeyCombo{1, 30} << false << QList<TrayMove>{};
    QTest::newRow("unassigned") << HotKeyCombo{0, 0} << false << QList<TrayMove>{};
}

void TestDriveHotKeys::hotKeyMoves()
{
    QFETCH(HotKeyCombo, pressed);
    QFETCH(bool, pending);
    QFETCH(QList<TrayMove>, moves);
    DriveHotKeyTable table = defaultDriveHotKeys();
    table[3] = line('D', {1, 0}, {2, 13}, {3, 5});
    table[4] = line('E', {2, 13}, {4, 47}, {3, 6}, 12);
    // D and E share ALT+SHIFT+7 for open-and-close in that row only.
    if (pressed == HotKeyCombo{1, 20}) {
        table[3].combos[2] = {1, 20};
        table[4].combos[2] = {1, 20};
    }
    table[5] = line('F', {1, 30}, {}, {});
    table[5].active = false;
    QCOMPARE(movesForHotKey(table, pressed, pending), moves);
}

void TestDriveHotKeys::registeredOnce()
{
    DriveHotKeyTable table = defaultDriveHotKeys();
    table[3] = line('D', {1, 0}, {0, 13}, {3, 5});
    table[4] = line('E', {1, 0}, {}, {});
    table[7] = line('H', {4, 4}, {}, {});
    table[7].active = false;
    QCOMPARE(registeredCombos(table), (QList<HotKeyCombo>{{1, 0}, {3, 5}}));
}

QTEST_GUILESS_MAIN(TestDriveHotKeys)
#include "tst_drive_hotkeys.moc"
