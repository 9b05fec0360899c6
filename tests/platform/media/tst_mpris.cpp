#include "platform/media/MprisService.h"
#include "support/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

namespace {

struct RecordingControl : MprisControl {
    QStringList calls;
    qint64 position = 7'000'000;
    void play() override { calls << u"play"_s; }
    void pause() override { calls << u"pause"_s; }
    void playPause() override { calls << u"play-pause"_s; }
    void stop() override { calls << u"stop"_s; }
    void next() override { calls << u"next"_s; }
    void previous() override { calls << u"previous"_s; }
    void seekBy(qint64 us) override { calls << u"seek %1"_s.arg(us); }
    void setPosition(int track, qint64 us) override { calls << u"position %1 %2"_s.arg(track).arg(us); }
    void setVolume(double v) override { calls << u"volume %1"_s.arg(v); }
    qint64 positionUs() override { return position; }
    void raise() override { calls << u"raise"_s; }
    void quit() override { calls << u"quit"_s; }
};

const QString kPlayer = u"org.mpris.MediaPlayer2.Player"_s;

} // namespace

// The player on a private session bus of its own, as playerctl and the
// desktop's media keys reach it.
class TestMpris : public QObject {
    Q_OBJECT

public slots:
    void changed(const QString& interface, const QVariantMap& values, const QStringList&)
    {
        if (interface == kPlayer)
            m_changes << values;
    }

private slots:
    void initTestCase();
    void cleanupTestCase();

    void methodsReachTheControl_data();
    void methodsReachTheControl();
    void setPositionChecksTheTrack();
    void propertiesAndChanges();

private:
    // Calls `method` on the player without blocking the loop that serves it.
    QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {});
    QVariant property(const QString& name);

    QList<QVariantMap> m_changes;
    std::unique_ptr<test::PrivateBus> m_bus;
    RecordingControl m_control;
    std::unique_ptr<MprisService> m_service;
};

void TestMpris::initTestCase()
{
    m_bus = std::make_unique<test::PrivateBus>();
    if (!m_bus->start())
        QSKIP("dbus-daemon is not installed");
    const QDBusConnection server = m_bus->connect(u"server"_s);
    QVERIFY(server.isConnected());
    QVERIFY(m_bus->connect(u"client"_s).isConnected());
    m_service = std::make_unique<MprisService>(m_control);
    QVERIFY(m_service->start(server));
    QVERIFY(QDBusConnection(u"client"_s).interface()->isServiceRegistered(u"org.mpris.MediaPlayer2.zorvex"_s));
}

void TestMpris::cleanupTestCase()
{
    m_service.reset();
    m_bus.reset();
}

QDBusMessage TestMpris::call(const QString& interface, const QString& method, const QVariantList& args)
{
    QDBusMessage msg = QDBusMessage::createMethodCall(u"org.mpris.MediaPlayer2.zorvex"_s, u"/org/mpris/MediaPlayer2"_s,
                                                      interface, method);
    msg.setArguments(args);
    QDBusPendingCall pending = QDBusConnection(u"client"_s).asyncCall(msg, 5000);
    for (int i = 0; i < 500 && !pending.isFinished(); ++i)
        QTest::qWait(10);
    return pending.reply();
}

QVariant TestMpris::property(const QString& name)
{
    const QDBusMessage reply = call(u"org.freedesktop.DBus.Properties"_s, u"Get"_s, {kPlayer, name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().first().value<QDBusVariant>().variant();
}

void TestMpris::methodsReachTheControl_data()
{
    QTest::addColumn<QString>("interface");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QVariantList>("args");
    QTest::addColumn<QString>("recorded");
    QTest::newRow("Play") << kPlayer << u"Play"_s << QVariantList{} << u"play"_s;
    QTest::newRow("Pause") << kPlayer << u"Pause"_s << QVariantList{} << u"pause"_s;
    QTest::newRow("PlayPause") << kPlayer << u"PlayPause"_s << QVariantList{} << u"play-pause"_s;
    QTest::newRow("Stop") << kPlayer << u"Stop"_s << QVariantList{} << u"stop"_s;
    QTest::newRow("Next") << kPlayer << u"Next"_s << QVariantList{} << u"next"_s;
    QTest::newRow("Previous") << kPlayer << u"Previous"_s << QVariantList{} << u"previous"_s;
    QTest::newRow("Seek") << kPlayer << u"Seek"_s << QVariantList{qlonglong(-5'000'000)} << u"seek -5000000"_s;
    QTest::newRow("Raise") << u"org.mpris.MediaPlayer2"_s << u"Raise"_s << QVariantList{} << u"raise"_s;
}

void TestMpris::methodsReachTheControl()
{
    QFETCH(QString, interface);
    QFETCH(QString, method);
    QFETCH(QVariantList, args);
    QFETCH(QString, recorded);
    m_control.calls.clear();
    const QDBusMessage reply = call(interface, method, args);
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QCOMPARE(m_control.calls, QStringList{recorded});
}

void TestMpris::setPositionChecksTheTrack()
{
    MprisState s;
    s.status = MprisState::Playing;
    s.track = 3;
    s.lengthUs = 200'000'000;
    m_service->update(s);
    m_control.calls.clear();
    call(kPlayer, u"SetPosition"_s, {QVariant::fromValue(QDBusObjectPath(u"/org/zorvex/track/3"_s)), qlonglong(60'000'000)});
    // Another track, or beyond the end: ignored.
    call(kPlayer, u"SetPosition"_s, {QVariant::fromValue(QDBusObjectPath(u"/org/zorvex/track/2"_s)), qlonglong(1)});
    call(kPlayer, u"SetPosition"_s, {QVariant::fromValue(QDBusObjectPath(u"/org/zorvex/track/3"_s)), qlonglong(300'000'000)});
    QCOMPARE(m_control.calls, QStringList{u"position 3 60000000"_s});
}

void TestMpris::propertiesAndChanges()
{
    m_service->update(MprisState());
    QVERIFY(QDBusConnection(u"client"_s).connect(u"org.mpris.MediaPlayer2.zorvex"_s, u"/org/mpris/MediaPlayer2"_s,
                                                u"org.freedesktop.DBus.Properties"_s, u"PropertiesChanged"_s, this,
                                                SLOT(changed(QString, QVariantMap, QStringList))));
    m_changes.clear();
    MprisState s;
    s.status = MprisState::Playing;
    s.title = u"Tytuł"_s;
    s.artist = u"Wykonawca"_s;
    s.url = u"file:///m/a.mp3"_s;
    s.track = 4;
    s.lengthUs = 187'000'000;
    s.volume = 0.5;
    s.canGoNext = s.canGoPrevious = s.canPause = s.canPlay = s.canSeek = true;
    m_service->update(s);
    QTRY_VERIFY_WITH_TIMEOUT(!m_changes.isEmpty(), 5000);
    QVERIFY(m_changes.first().contains(u"PlaybackStatus"_s));
    QVERIFY(m_changes.first().contains(u"Metadata"_s));

    QCOMPARE(property(u"PlaybackStatus"_s).toString(), u"Playing"_s);
    QCOMPARE(property(u"Position"_s).toLongLong(), 7'000'000);
    QCOMPARE(property(u"Volume"_s).toDouble(), 0.5);
    QCOMPARE(property(u"CanGoNext"_s).toBool(), true);
    const QDBusArgument meta = property(u"Metadata"_s).value<QDBusArgument>();
    QVariantMap m;
    meta >> m;
    QCOMPARE(m.value(u"xesam:title"_s).toString(), u"Tytuł"_s);
    QCOMPARE(m.value(u"xesam:url"_s).toString(), u"file:///m/a.mp3"_s);
    QCOMPARE(m.value(u"mpris:length"_s).toLongLong(), 187'000'000);
    QCOMPARE(m.value(u"mpris:trackid"_s).value<QDBusObjectPath>().path(), u"/org/zorvex/track/4"_s);

    // Only what changed is sent again.
    m_changes.clear();
    s.status = MprisState::Paused;
    m_service->update(s);
    QTRY_VERIFY_WITH_TIMEOUT(!m_changes.isEmpty(), 5000);
    QCOMPARE(m_changes.first().keys(), QStringList{u"PlaybackStatus"_s});

    // Setting the volume goes to the control.
    m_control.calls.clear();
    call(u"org.freedesktop.DBus.Properties"_s, u"Set"_s,
         {kPlayer, u"Volume"_s, QVariant::fromValue(QDBusVariant(0.25))});
    QCOMPARE(m_control.calls, QStringList{u"volume 0.25"_s});
}

QTEST_GUILESS_MAIN(TestMpris)
#include "tst_mpris.moc"
