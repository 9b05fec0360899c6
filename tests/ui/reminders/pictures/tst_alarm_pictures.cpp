// The pictures of the alarm list's rows and of the countdown window.
#include "core/common/Clock.h"
#include "platform/PowerActions.h"
#include "support/FakeClock.h"
#include "support/FakePowerActions.h"
#include "ui/reminders/AlarmCountdownWindow.h"
#include "ui/reminders/AlarmPage.h"
#include "ui/reminders/AlarmPictures.h"
#include "support/RecordingPrompts.h"

#include <QLabel>
#include <QListWidget>
#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(zorvex::AlarmEntry)

using namespace zorvex;

namespace {

const QDateTime kNow(QDate(2026, 3, 9), QTime(10, 30, 20));

AlarmEntry once(const QDate& date, int hour, int minute)
{
    AlarmEntry e;
    e.setDate(date);
    e.hour = hour;
    e.minute = minute;
    return e;
}

bool hasInk(const QImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 0)
                return true;
    return false;
}

QImage slot(const QImage& row, int i)
{
    return row.copy(i * kAlarmRowSlotPitch, 0, 16, 16);
}

QByteArray bytes(const QImage& img)
{
    const QImage a = img.convertToFormat(QImage::Format_ARGB32);
    return QByteArray(reinterpret_cast<const char*>(a.constBits()), int(a.sizeInBytes()));
}

} // namespace

class AlarmPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void state_data()
    {
        QTest::addColumn<AlarmEntry>("entry");
        QTest::addColumn<int>("state");

        AlarmEntry off = once(QDate(2026, 3, 10), 8, 0);
        off.active = false;
        AlarmEntry daily = once(QDate(2020, 1, 1), 8, 0);
        daily.recurrence = AlarmRecurrence::Daily;
        AlarmEntry badDate = once(QDate(2026, 3, 10), 8, 0);
        badDate.month = 2;
        badDate.day = 31;
        AlarmEntry badTime = once(QDate(2026, 3, 10), 25, 0);

        QTest::newRow("inactive, though ahead") << off << int(AlarmRowState::Inactive);
        QTest::newRow("recurring, date in the past") << daily << int(AlarmRowState::Recurring);
        QTest::newRow("once, tomorrow") << once(QDate(2026, 3, 10), 8, 0) << int(AlarmRowState::OnceAhead);
        QTest::newRow("once, its own minute") << once(QDate(2026, 3, 9), 10, 30) << int(AlarmRowState::OnceAhead);
        QTest::newRow("once, a minute ago") << once(QDate(2026, 3, 9), 10, 29) << int(AlarmRowState::OncePassed);
        QTest::newRow("once, last year") << once(QDate(2025, 3, 9), 23, 0) << int(AlarmRowState::OncePassed);
        QTest::newRow("once, 31 February") << badDate << int(AlarmRowState::OncePassed);
        QTest::newRow("once, hour 25") << badTime << int(AlarmRowState::OncePassed);
    }
    void state()
    {
        QFETCH(AlarmEntry, entry);
        QFETCH(int, state);
        QCOMPARE(int(alarmRowState(entry, kNow)), state);
    }

    // One picture per state, per message kind, per action; program and
    // sound besides: every one drawn and every one different.
    void picturesAreDistinct()
    {
        QList<QImage> all;
        for (AlarmRowState s : {AlarmRowState::Inactive, AlarmRowState::Recurring, AlarmRowState::OnceAhead,
                                AlarmRowState::OncePassed})
            all << alarmStatePicture(s);
        all << alarmMessagePicture(AlarmMessageKind::Box) << alarmMessagePicture(AlarmMessageKind::Balloon);
        for (int a = 0; a <= 5; ++a)
            all << powerActionPicture(PowerAction(a));
        all << alarmProgramPicture() << alarmSoundPicture();
        QSet<QByteArray> seen;
        for (const QImage& img : all) {
            QCOMPARE(img.size(), QSize(16, 16));
            QVERIFY(hasInk(img));
            QVERIFY(img.hasAlphaChannel());
            seen.insert(bytes(img));
        }
        QCOMPARE(seen.size(), all.size());
        QVERIFY(alarmMessagePicture(AlarmMessageKind::None).isNull());
        QCOMPARE(powerActionPicture(PowerAction::Reboot, 32).size(), QSize(32, 32));
    }

    void rowSlots_data()
    {
        QTest::addColumn<AlarmEntry>("entry");
        QTest::addColumn<QList<int>>("filled");

        const AlarmEntry plain = once(QDate(2026, 3, 10), 8, 0);
        AlarmEntry box = plain;
        box.messageKind = AlarmMessageKind::Box;
        box.soundOn = true;
        AlarmEntry everything = box;
        everything.computerOn = true;
        everything.computerAction = PowerAction::MonitorOff;
        everything.programOn = true;
        // Switched-off parts show nothing, whatever they hold.
        AlarmEntry switchedOff = plain;
        switchedOff.soundPath = QStringLiteral("/tmp/a.wav");
        switchedOff.program = QStringLiteral("xterm");
        switchedOff.computerAction = PowerAction::Reboot;

        QTest::newRow("state only") << plain << QList<int>{0};
        QTest::newRow("box and sound") << box << QList<int>{0, 1, 4};
        QTest::newRow("everything") << everything << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("parts switched off") << switchedOff << QList<int>{0};
    }
    void rowSlots()
    {
        QFETCH(AlarmEntry, entry);
        QFETCH(QList<int>, filled);
        const QImage row = alarmRowPicture(entry, kNow);
        QCOMPARE(row.size(), QSize(kAlarmRowSlotPitch * kAlarmRowSlots - 2, 16));
        for (int i = 0; i < kAlarmRowSlots; ++i)
            QCOMPARE(hasInk(slot(row, i)), filled.contains(i));
        QCOMPARE(bytes(slot(row, 0)), bytes(alarmStatePicture(alarmRowState(entry, kNow))));
        if (entry.computerOn)
            QCOMPARE(bytes(slot(row, 2)), bytes(powerActionPicture(entry.computerAction)));
    }

    // The page's rows carry the pictures of their alarms at the page's time.
    void listRowsShowThePictures()
    {
        FakeClock clock(kNow);
        RecordingPrompts prompts;
        AlarmPage page(prompts);
        page.setClock(&clock);
        AlarmEntry ahead = once(QDate(2026, 3, 10), 8, 0);
        ahead.soundOn = true;
        const AlarmEntry passed = once(QDate(2026, 3, 8), 8, 0);
        page.setAlarms({ahead, passed});
        auto* list = page.findChild<QListWidget*>(QStringLiteral("alarmList"));
        QVERIFY(list);
        QCOMPARE(list->count(), 2);
        const QSize size = list->iconSize();
        QCOMPARE(size, QSize(kAlarmRowSlotPitch * kAlarmRowSlots - 2, 16));
        for (int i = 0; i < 2; ++i) {
            const AlarmEntry& e = i == 0 ? ahead : passed;
            // Through a pixmap, as the icon keeps it.
            const QImage expected = QPixmap::fromImage(alarmRowPicture(e, kNow)).toImage();
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Selected})
                QCOMPARE(bytes(list->item(i)->icon().pixmap(size, 1.0, mode).toImage()), bytes(expected));
        }
    }

    void countdownShowsTheActionsPicture_data()
    {
        QTest::addColumn<int>("action");
        for (int a = 0; a <= 5; ++a)
            QTest::newRow(qPrintable(powerCountdownLabel(PowerAction(a)))) << a;
    }
    void countdownShowsTheActionsPicture()
    {
        QFETCH(int, action);
        FakePowerActions power;
        RecordingPrompts prompts;
        AlarmCountdownWindow w(power, prompts);
        w.request(PowerAction(action), true);
        auto* picture = w.findChild<QLabel*>(QStringLiteral("countdownPicture"));
        QVERIFY(picture);
        QCOMPARE(bytes(picture->pixmap().toImage()), bytes(powerActionPicture(PowerAction(action), 32)));
        // Left of the text.
        auto* label = w.findChild<QLabel*>(QStringLiteral("countdownLabel"));
        QVERIFY(picture->geometry().right() < label->geometry().left());
    }
};

QTEST_MAIN(AlarmPicturesTest)
#include "tst_alarm_pictures.moc"
