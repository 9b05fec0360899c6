#include "core/shell/Autosave.h"
#include "support/FileFixture.h"

#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace zorvex {

using test::fileBytes;
using test::writeFile;

namespace {

class FakeSource : public AutosaveSource {
public:
    DayTime start = kNever;
    qint64 mouse = 0, received = 0, sent = 0;
    DayTime sessionStart() const override { return start; }
    qint64 mouseToday() const override { return mouse; }
    qint64 receivedToday() const override { return received; }
    qint64 sentToday() const override { return sent; }
};

// Records what recovery hands over; "-" means the feature got nothing.
class FakeSink : public AutosaveSink {
public:
    bool uptime = true, mouseOn = true, traffic = true;
    QString session = QStringLiteral("-");
    QString mouse = QStringLiteral("-");
    QString bytes = QStringLiteral("-");

    bool uptimeLogOn() const override { return uptime; }
    void recordInterruptedSession(DayTime start, DayTime end) override
    {
        session = formatDateTime(start) + QStringLiteral(" - ") + formatDateTime(end);
    }
    bool mouseOdometerOn() const override { return mouseOn; }
    void addMouseToday(qint64 pixels) override
    {
        mouse = mouse == QLatin1String("-") ? QString::number(pixels)
                                            : mouse + QStringLiteral("+") + QString::number(pixels);
    }
    bool trafficOn() const override { return traffic; }
    void addTrafficToday(qint64 received, qint64 sent) override
    {
        bytes = QStringLiteral("%1/%2").arg(received).arg(sent);
    }
};

DayTime at(int y, int m, int d, int hh, int mm, int ss)
{
    return toDayTime(QDateTime(QDate(y, m, d), QTime(hh, mm, ss)));
}

} // namespace

class TestAutosave : public QObject {
    Q_OBJECT

private slots:
    void writesOneRecordLine();
    void recovery_data();
    void recovery();
};

void TestAutosave::writesOneRecordLine()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString path = tmp.filePath(QStringLiteral("Autozapis_Jan.ini"));
    QVERIFY(writeFile(path, "stary zapis\r\ndruga linia\r\n"));

    FakeSource source;
    source.start = at(2024, 3, 15, 7, 5, 0);
    source.mouse = 123456;
    source.received = 5000000000LL;
    source.sent = 0;
    writeAutosave(path, source, at(2024, 3, 15, 12, 30, 45));
    QCOMPARE(fileBytes(path), QByteArray("15.03.2024 07:05:00|15.03.2024 12:30:45|123456|5000000000|0\r\n"));

    FakeSink sink;
    QVERIFY(recoverAutosave(path, sink));
    QCOMPARE(sink.session, QStringLiteral("15.03.2024 07:05:00 - 15.03.2024 12:30:45"));
    QCOMPARE(sink.mouse, QStringLiteral("123456"));
    QCOMPARE(sink.bytes, QStringLiteral("5000000000/0"));
    QVERIFY(!QFileInfo::exists(path));
}

void TestAutosave::recovery_data()
{
    // `file` is "present", "missing" or "unreadable"; "-" in the last three
    // columns means the feature got nothing.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("featuresOn");
    QTest::addColumn<bool>("used");
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("mouse");
    QTest::addColumn<QString>("bytes");

    auto row = [](const char* tag, const char* file, const QByteArray& content, bool featuresOn, bool used,
                   const char* session, const char* mouse, const char* bytes) {
        QTest::newRow(tag) << QString::fromLatin1(file) << content << featuresOn << used << QString::fromLatin1(session)
                           << QString::fromLatin1(mouse) << QString::fromLatin1(bytes);
    };
    const char* session = "14.03.2024 08:00:00 - 14.03.2024 23:59:00";
    const QByteArray times = "14.03.2024 08:00:00|14.03.2024 23:59:00|";
    const QByteArray record = times + "500|1000|2000\r\n";

    row("record", "present", record, true, true, session, "500", "1000/2000");
    // A record left by a crash days ago still feeds today's counters.
    row("written days ago", "present", "01.01.2024 08:00:00|01.01.2024 09:00:00|7|8|9", true, true,
        "01.01.2024 08:00:00 - 01.01.2024 09:00:00", "7", "8/9");
    row("negative counters", "present", times + "-500|-1|-2\r\n", true, true, session, "0", "0/0");
    row("counters that do not parse", "present", times + "du\xbfo|1,5|\r\n", true, true, session, "0", "0/0");
    row("times that do not parse", "present", "rano|wieczorem|5|6|7\r\n", true, true, "-", "5", "6/7");
    row("four fields", "present", times + "500|1000\r\n", true, false, "-", "-", "-");
    row("six fields", "present", times + "500|1000|2000|3\r\n", true, false, "-", "-", "-");
    row("only the first line counts", "present", "zly zapis\r\n" + record, true, false, "-", "-", "-");
    row("empty file", "present", QByteArray(), true, false, "-", "-", "-");
    row("features off", "present", record, false, true, "-", "-", "-");
    row("no file", "missing", QByteArray(), true, false, "-", "-", "-");
    row("unreadable file", "unreadable", record, true, false, "-", "-", "-");
}

void TestAutosave::recovery()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(bool, featuresOn);
    QFETCH(bool, used);
    QFETCH(QString, session);
    QFETCH(QString, mouse);
    QFETCH(QString, bytes);

    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString path = tmp.filePath(QStringLiteral("Autozapis_Jan.ini"));
    if (file != QLatin1String("missing"))
        QVERIFY(writeFile(path, content));

    FakeSink sink;
    sink.uptime = sink.mouseOn = sink.traffic = featuresOn;
    {
        std::optional<test::UnreadableFile> unreadable;
        if (file == QLatin1String("unreadable")) {
            unreadable.emplace(path);
            if (!unreadable->active())
                QSKIP("cannot make a file unreadable here");
        }
        QCOMPARE(recoverAutosave(path, sink), used);
    }
    QCOMPARE(sink.session, session);
    QCOMPARE(sink.mouse, mouse);
    QCOMPARE(sink.bytes, bytes);
    QVERIFY(!QFileInfo::exists(path));
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestAutosave)
#include "tst_autosave.moc"
