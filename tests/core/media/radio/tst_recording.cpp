#include "core/media/RecordingRules.h"
#include "core/media/RecordingSettings.h"

#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

// The rules of recording the radio: the encoder's options, and file names
// from stream titles and station names that never leave the folder.
class TestRecording : public QObject {
    Q_OBJECT
private slots:
    void optionLine_data();
    void optionLine();
    void argumentsNeedNoQuoting();
    void nameTexts_data();
    void nameTexts();
    void pattern_data();
    void pattern();
    void filePath_data();
    void filePath();
    void numberedWhileTaken();
    void delayedSplit();
};

void TestRecording::optionLine_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("line");
    QTest::newRow("defaults") << QString() << u" -m s -q 5 --resample 44.1 -b 128"_s;
    QTest::newRow("mono, best, 48 kHz, 8 kbs") << u"mode=0 quality=0 frequency=0 bitrate=0"_s
                                               << u" -m m -q 10 --resample 48 -b 8"_s;
    QTest::newRow("mid/side, worst, 8 kHz, 320 kbs") << u"mode=3 quality=9 frequency=8 bitrate=17"_s
                                                    << u" -m f -q 1 --resample 8 -b 320"_s;
    QTest::newRow("VBR defaults") << u"cbr=0"_s << u" -m s -q 5 --resample 44.1 -v -B 160 -V 5"_s;
    QTest::newRow("VBR automatic maximum") << u"cbr=0 max=0"_s << u" -m s -q 5 --resample 44.1 -v -V 5"_s;
    QTest::newRow("VBR max 8 kbs, forced minimum") << u"cbr=0 max=1 qvbr=0 force=1"_s
                                                   << u" -m s -q 5 --resample 44.1 -v -B 8 -V 10 -F"_s;
    // The VBR keys are not written into a CBR line.
    QTest::newRow("CBR ignores VBR keys") << u"max=0 force=1 qvbr=9"_s << u" -m s -q 5 --resample 44.1 -b 128"_s;
}

void TestRecording::optionLine()
{
    QFETCH(QString, change);
    QFETCH(QString, line);
    RecordingSettings s;
    for (const QString& pair : change.split(u' ', Qt::SkipEmptyParts)) {
        const QString key = pair.section(u'=', 0, 0);
        const int value = pair.section(u'=', 1).toInt();
        if (key == u"mode"_s) s.mode = value;
        else if (key == u"quality"_s) s.quality = value;
        else if (key == u"frequency"_s) s.frequency = value;
        else if (key == u"bitrate"_s) s.bitrate = value;
        else if (key == u"cbr"_s) s.constantBitrate = value != 0;
        else if (key == u"max"_s) s.maxBitrate = value;
        else if (key == u"qvbr"_s) s.qualityVbr = value;
        else if (key == u"force"_s) s.forceMinBitrate = value != 0;
    }
    QCOMPARE(lameOptionLine(s), line);
    QCOMPARE(encoderCommandLine(u"/opt/lame"_s, s, u"/r/a.mp3"_s), u"/opt/lame"_s + line + u" - \"/r/a.mp3\""_s);
}

void TestRecording::argumentsNeedNoQuoting()
{
    // A folder may hold quotes and blanks; as arguments they stay one word.
    const RecordingSettings s;
    const QString path = u"/home/a/\" -o \"x/Radio.mp3"_s;
    const QStringList argv = encoderArguments(u"/opt/my lame"_s, s, path);
    QCOMPARE(argv.first(), u"/opt/my lame"_s);
    QCOMPARE(argv.mid(argv.size() - 2), (QStringList{u"-"_s, path}));
    QCOMPARE(argv.mid(1, argv.size() - 3).join(u' ').prepend(u' '), lameOptionLine(s));
}

void TestRecording::nameTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("station");
    QTest::addColumn<QString>("titleText");
    QTest::newRow("plain") << u"Radio Zet"_s << u"A - B"_s << u"Radio Zet"_s << u"A - B"_s;
    QTest::newRow("Polish letters kept") << u"Jedynka"_s << u"Gęślą jaźń"_s << u"Jedynka"_s << u"Gęślą jaźń"_s;
    QTest::newRow("only foreign characters") << u"«»¿?*"_s << u"x"_s << u"Radio"_s << u"x"_s;
    QTest::newRow("slash and colon go") << u"R/S"_s << u"AC/DC: T.N.T."_s << u"RS"_s << u"ACDC T.N.T."_s;
    QTest::newRow("underscores become spaces") << u"Radio_Zet"_s << u"Ala_ma_kota"_s << u"Radio Zet"_s
                                               << u"Ala ma kota"_s;
    QTest::newRow("backslash, quotes, control") << u"a\\b\"c"_s << u"x\ny\t\"z\""_s << u"abc"_s << u"xyz"_s;
    QTest::newRow("no name: the title") << QString() << u"Utwór"_s << u"Utwór"_s << u"Utwór"_s;
    QTest::newRow("no title: the station") << u"Trójka"_s << QString() << u"Trójka"_s << u"Trójka"_s;
    QTest::newRow("trimmed") << u"  Radio  "_s << u" t "_s << u"Radio"_s << u"t"_s;
}

void TestRecording::nameTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, station);
    QFETCH(QString, titleText);
    const QString s = recordingStationText(name, title);
    QCOMPARE(s, station);
    QCOMPARE(recordingTitleText(title, s), titleText);
}

void TestRecording::pattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("result");
    QTest::newRow("default") << QString::fromUtf8(kDefaultRecordingPattern) << u"T"_s << u"Stacja\\T"_s;
    QTest::newRow("date and time") << u"[data] [czas] [stacja] - [tytul]"_s << u"T"_s
                                   << u"2026.03.07 21.05 Stacja - T"_s;
    QTest::newRow("case-sensitive") << u"[Stacja]"_s << u"T"_s << u"[Stacja]"_s;
    QTest::newRow("empty gives Radio") << QString() << u"T"_s << u"Radio"_s;
    // A title naming a placeholder is not expanded again.
    QTest::newRow("title holding a placeholder") << u"[tytuł]"_s << u"[stacja][data]"_s << u"[stacja][data]"_s;
}

void TestRecording::pattern()
{
    QFETCH(QString, pattern);
    QFETCH(QString, title);
    QFETCH(QString, result);
    const QDateTime now(QDate(2026, 3, 7), QTime(21, 5, 9));
    QCOMPARE(expandRecordingPattern(pattern, u"Stacja"_s, title, now), result);
}

void TestRecording::filePath_data()
{
    QTest::addColumn<QString>("name");     // the expanded pattern
    QTest::addColumn<QString>("expected"); // below the folder; empty: only its limits are checked
    const QString a300 = QString(300, u'a');
    const QString polish = QString(200, u'ą'); // 400 bytes of UTF-8
    QTest::newRow("station and title") << u"Stacja\\Tytuł"_s << u"Stacja/Tytuł.mp3"_s;
    QTest::newRow("title of two dots") << u"Stacja\\.."_s << u"Stacja/Radio.mp3"_s;
    QTest::newRow("station of dots and blanks") << u". . .\\T"_s << u"Radio/T.mp3"_s;
    QTest::newRow("climbing pattern") << u"..\\..\\..\\etc\\passwd"_s << u"Radio/Radio/Radio/etc/passwd.mp3"_s;
    QTest::newRow("slashes of a pattern") << u"/abs//x/"_s << u"abs/x.mp3"_s;
    QTest::newRow("only separators") << u"\\\\/"_s << u"Radio.mp3"_s;
    QTest::newRow("dot folder") << u".\\T"_s << u"Radio/T.mp3"_s;
    QTest::newRow("hidden name kept") << u".T"_s << u".T.mp3"_s;
    QTest::newRow("control characters") << u"a\nb\\c\x01"_s << u"ab/c.mp3"_s;
    QTest::newRow("300-byte title") << u"S\\"_s + a300 << u"S/"_s + QString(251, u'a') + u".mp3"_s;
    QTest::newRow("300-byte folder part") << a300 + u"\\t"_s << QString(255, u'a') + u"/t.mp3"_s;
    QTest::newRow("multi-byte letters cut whole") << polish << QString(125, u'ą') + u".mp3"_s;
    QTest::newRow("300 dots") << QString(300, u'.') + u"x"_s << u"Radio.mp3"_s;
}

void TestRecording::filePath()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const QString folder = u"/home/u/Nagrania/"_s;
    const QString path = recordingFilePath(folder, name, {});
    QCOMPARE(path, folder + expected);
    for (const QString& part : path.mid(folder.size()).split(u'/'))
        QVERIFY2(part.toUtf8().size() <= 255, qPrintable(part));
}

void TestRecording::numberedWhileTaken()
{
    QSet<QString> taken;
    const auto exists = [&](const QString& p) { return taken.contains(p); };
    const QString folder = u"/r"_s; // no trailing slash
    QStringList got;
    for (int i = 0; i < 3; ++i) {
        const QString p = recordingFilePath(folder, u"S\\T"_s, exists);
        got << p;
        taken.insert(p);
    }
    QCOMPARE(got, (QStringList{u"/r/S/T.mp3"_s, u"/r/S/T[1].mp3"_s, u"/r/S/T[2].mp3"_s}));
    // A long name gives room for the suffix, so its file stays within 255 bytes.
    const QString longName = QString(300, u'x');
    taken.insert(recordingFilePath(folder, longName, exists));
    const QString numbered = recordingFilePath(folder, longName, exists);
    QVERIFY(numbered.endsWith(u"x[1].mp3"_s));
    QCOMPARE(numbered.mid(3).toUtf8().size(), 255);
    QVERIFY(recordingFilePath(u"relative/folder"_s, u"T"_s, {}).isEmpty());
}

void TestRecording::delayedSplit()
{
    // A delay of 5 s and title changes 3 s apart: nothing until 5 s after
    // the last change.
    PendingSplit split;
    split.titleChanged(0);
    QVERIFY(!split.due(3000, 5, true, true));
    split.titleChanged(3000);
    QVERIFY(!split.due(5000, 5, true, true));
    QVERIFY(!split.due(7999, 5, true, true));
    QVERIFY(split.due(8000, 5, true, true));
    QVERIFY(!split.pending());
    QVERIFY(!split.due(9000, 5, true, true));
    // Stopping the recording or turning splitting off drops a pending one.
    split.titleChanged(0);
    QVERIFY(!split.due(100, 5, false, true));
    QVERIFY(!split.pending());
    split.titleChanged(0);
    QVERIFY(!split.due(100, 5, true, false));
    QVERIFY(!split.due(10000, 5, true, true));
}

QTEST_GUILESS_MAIN(TestRecording)
#include "tst_recording.moc"
