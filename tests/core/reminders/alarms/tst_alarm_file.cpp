#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/reminders/AlarmEntry.h"
#include "support/FileFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;

namespace {

QByteArray line(const QList<QByteArray>& fields) { return fields.toList().join('\xFF'); }

} // namespace

class AlarmFileTest : public QObject {
    Q_OBJECT

private slots:
    void readsEveryField()
    {
        const QByteArray raw = line({"1", "3", "1", "2026", "2", "28", "7", "5", "31", "1", "2", "1", "xterm -e top", "1",
                                     "/snd/a.wav", "1", "Pierwsza\xC8" "druga", "4", "1"});
        const AlarmEntry e = AlarmEntry::parse(fromCp1250(raw));
        QVERIFY(e.active);
        QCOMPARE(e.recurrence, AlarmRecurrence::Monthly);
        QVERIFY(e.runLate);
        QCOMPARE(e.date(), QDate(2026, 2, 28));
        QCOMPARE(e.hour, 7);
        QCOMPARE(e.minute, 5);
        QCOMPARE(e.parameter, 31);
        QVERIFY(e.computerOn);
        QCOMPARE(e.computerAction, PowerAction::Hibernate);
        QVERIFY(e.programOn);
        QCOMPARE(e.program, QStringLiteral("xterm -e top"));
        QVERIFY(e.soundOn);
        QCOMPARE(e.soundPath, QStringLiteral("/snd/a.wav"));
        QCOMPARE(e.messageKind, AlarmMessageKind::Box);
        QCOMPARE(e.message, QStringLiteral("Pierwsza\ndruga"));
        QCOMPARE(e.icon, AlarmIcon::Stop);
        QVERIFY(e.withCancel);
        // And back to the very same bytes.
        QCOMPARE(toCp1250(e.toLine()), raw);
    }

    void periodicParameter_data()
    {
        QTest::addColumn<QByteArray>("field9");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QDate>("last");
        QTest::newRow("before first firing") << QByteArray("14") << 14 << QDate();
        QTest::newRow("after a firing") << QByteArray("14|2026|3|9") << 14 << QDate(2026, 3, 9);
        QTest::newRow("not a number") << QByteArray("abc") << 0 << QDate();
    }
    void periodicParameter()
    {
        QFETCH(QByteArray, field9);
        QFETCH(int, interval);
        QFETCH(QDate, last);
        const QByteArray raw = line({"1", "7", "0", "2026", "1", "5", "8", "0", field9, "0", "0", "0", "", "0", "", "0",
                                     "", "0", "0"});
        const AlarmEntry e = AlarmEntry::parse(fromCp1250(raw));
        QCOMPARE(e.parameter, interval);
        QCOMPARE(e.periodicLastFired, last);
        QCOMPARE(AlarmEntry::parse(e.toLine()), e);
    }

    void badNumbersReadAsZero_data()
    {
        QTest::addColumn<int>("recurrence");
        QTest::addColumn<QDate>("date");
        QTest::newRow("one-off date defaults to 2000-01-01") << 0 << QDate(2000, 1, 1);
        QTest::newRow("daily last firing stays empty") << 1 << QDate();
    }
    void badNumbersReadAsZero()
    {
        QFETCH(int, recurrence);
        QFETCH(QDate, date);
        const QByteArray raw = line({"x", QByteArray::number(recurrence), "y", "rok", "", "?", "g", "m"});
        const AlarmEntry e = AlarmEntry::parse(fromCp1250(raw));
        QVERIFY(!e.active);
        QVERIFY(!e.runLate);
        QCOMPARE(e.date(), date);
        QCOMPARE(e.hour, 0);
        QCOMPARE(e.minute, 0);
        // Missing trailing fields are empty.
        QCOMPARE(e.messageKind, AlarmMessageKind::None);
        QVERIFY(!e.withCancel);
    }

    void lineBreaksNeverSplitTheRecord_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("CR LF") << QStringLiteral("a\r\nb\r\nc");
        QTest::newRow("LF") << QStringLiteral("a\nb\nc");
        QTest::newRow("CR") << QStringLiteral("a\rb\rc");
    }
    void lineBreaksNeverSplitTheRecord()
    {
        QFETCH(QString, message);
        AlarmEntry e;
        e.message = message;
        e.program = QStringLiteral("prog\narg");
        const QString l = e.toLine();
        QVERIFY(!l.contains(QLatin1Char('\n')));
        QVERIFY(!l.contains(QLatin1Char('\r')));
        const AlarmEntry back = AlarmEntry::parse(l);
        QCOMPARE(back.message, QStringLiteral("a\nb\nc"));
        QCOMPARE(back.program, QStringLiteral("prog arg"));
        QCOMPARE(back.icon, AlarmIcon::None); // fields after the text stay in place
    }

    void unstorableTexts_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("storable");
        QTest::newRow("plain Polish") << QStringLiteral("Zażółć gęślą jaźń") << QStringLiteral("gedit") << true;
        QTest::newRow("capital C caron") << QStringLiteral("Čas") << QString() << false;
        QTest::newRow("separator in program") << QString() << (QStringLiteral("a") + kListSeparator) << false;
        QTest::newRow("outside code page") << QStringLiteral("日本") << QString() << false;
    }
    void unstorableTexts()
    {
        QFETCH(QString, message);
        QFETCH(QString, program);
        QFETCH(bool, storable);
        AlarmEntry e;
        e.message = message;
        e.program = program;
        QCOMPARE(alarmStorageProblem(e).isEmpty(), storable);
    }

    void fileRoundTripAndFailedSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Alarm_jan.ini"));
        AlarmEntry a;
        a.message = QStringLiteral("Wstań!\nJuż");
        a.messageKind = AlarmMessageKind::Balloon;
        AlarmEntry b;
        b.recurrence = AlarmRecurrence::Periodic;
        b.parameter = 3;
        b.periodicLastFired = QDate(2026, 12, 1);
        QVERIFY(AlarmFile::save(path, {a, b}));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes.count("\r\n"), 2);
        QVERIFY(bytes.contains("Wsta\xF1!\xC8Ju\xBF"));
        bool ok = false;
        QCOMPARE(AlarmFile::load(path, &ok), (QList<AlarmEntry>{a, b}));
        QVERIFY(ok);

        // A folder that does not exist: the message says so, nothing is lost.
        QString error;
        QVERIFY(!AlarmFile::save(dir.filePath(QStringLiteral("brak/Alarm.ini")), {a}, &error));
        QVERIFY(error.startsWith(QStringLiteral("Nie można zapisać pliku")));
        QVERIFY(!AlarmFile::load(dir.filePath(QStringLiteral("brak.ini")), &ok).size());
        QVERIFY(!ok);
    }

    // What a UTF-8 editor leaves of a file of two alarms: every field is
    // there, and the file goes back as Windows-1250.
    void fileOfAUtf8Editor_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray first = line({"1", "0", "0", "2026", "5", "14", "7", "30", "0", "0", "0", "0", "", "1",
                                       "/d\x9fwi\xeaki/budzik.mp3", "1", "Wsta\xf1!\xC8Ju\xbf", "2", "0"});
        const QByteArray second = line({"1", "1", "1", "2026", "5", "13", "22", "5", "0", "0", "0", "1",
                                        "xterm -T \xa3\xf3" "d\x9f", "0", "", "2", "Dobranoc", "0", "1"});
        const QString text = fromCp1250(QByteArray(first + "\r\n" + second + "\r\n"));
        QTest::newRow("UTF-8") << text.toUtf8();
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("UTF-8, LF only") << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).toUtf8();
        // An editor that kept the bytes it could not decode.
        QByteArray raw = text.toUtf8();
        raw.replace(QString(kListSeparator).toUtf8(), "\xFF");
        QTest::newRow("UTF-8 text, raw separators") << raw;
    }
    void fileOfAUtf8Editor()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Alarm_Jan.ini"));
        QVERIFY(test::writeFile(path, bytes));

        bool ok = false;
        const QList<AlarmEntry> alarms = AlarmFile::load(path, &ok);
        QVERIFY(ok);
        QCOMPARE(alarms.size(), 2);
        QCOMPARE(alarms[0].date(), QDate(2026, 5, 14));
        QCOMPARE(alarms[0].soundPath, QStringLiteral("/dźwięki/budzik.mp3"));
        QCOMPARE(alarms[0].message, QStringLiteral("Wstań!\nJuż"));
        QCOMPARE(alarms[1].program, QStringLiteral("xterm -T Łódź"));
        QCOMPARE(alarms[1].message, QStringLiteral("Dobranoc"));
        QVERIFY(alarms[1].withCancel);

        QVERIFY(AlarmFile::save(path, alarms));
        const QByteArray saved = test::fileBytes(path);
        QVERIFY(saved.startsWith("1\xFF" "0\xFF" "0\xFF" "2026\xFF"));
        QVERIFY(saved.contains("\xFFWsta\xf1!\xC8Ju\xbf\xFF"));
        QCOMPARE(AlarmFile::load(path), alarms);
    }

    // A file that is not all alarms cannot be written back from the list
    // without losing what it holds: `ok` says so.
    void fileThatIsNotAllAlarms_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("alarms");
        QTest::addColumn<bool>("ok");
        const QByteArray alarm = line({"1", "0", "0", "2026", "5", "14", "7", "30", "0"});
        QTest::newRow("alarms and blank lines") << alarm + "\r\n\r\n" + alarm + "\r\n" << 2 << true;
        QTest::newRow("a line of text") << alarm + "\r\nzakupy: mleko\r\n" << 1 << false;
        QTest::newRow("too few fields") << line({"1", "0", "0", "2026", "5", "14", "7"}) + "\r\n" << 0 << false;
        // Separators an editor turned into "ÿ" (read as Latin-1): no alarm
        // at all is left in such a line.
        QTest::newRow("separators turned into y diaeresis")
            << QByteArray(alarm).replace("\xFF", "\xC3\xBF") + "\r\n" << 0 << false;
        QTest::newRow("empty file") << QByteArray() << 0 << true;
    }
    void fileThatIsNotAllAlarms()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, alarms);
        QFETCH(bool, ok);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Alarm_Jan.ini"));
        QVERIFY(test::writeFile(path, bytes));
        bool whole = !ok;
        QCOMPARE(AlarmFile::load(path, &whole).size(), alarms);
        QCOMPARE(whole, ok);
        QCOMPARE(mayReplaceAfterLoad(whole, path), ok);
    }

    void listText_data()
    {
        QTest::addColumn<int>("recurrence");
        QTest::addColumn<int>("parameter");
        QTest::addColumn<QString>("text");
        QTest::newRow("once") << 0 << 0 << QStringLiteral("Raz 07:05, 03.04.2026");
        QTest::newRow("weekly") << 2 << 7 << QStringLiteral("Co tydzień 07:05 N");
        QTest::newRow("monthly") << 3 << 9 << QStringLiteral("Co miesiąc 07:05 dnia: 09");
        QTest::newRow("periodic") << 7 << 14 << QStringLiteral("Co 14 dni, od 03.04.2026");
    }
    void listText()
    {
        QFETCH(int, recurrence);
        QFETCH(int, parameter);
        QFETCH(QString, text);
        AlarmEntry e;
        e.recurrence = AlarmRecurrence(recurrence);
        e.parameter = parameter;
        e.hour = 7;
        e.minute = 5;
        e.setDate(QDate(2026, 4, 3));
        QCOMPARE(alarmListText(e), text);
    }
};

QTEST_GUILESS_MAIN(AlarmFileTest)
#include "tst_alarm_file.moc"
