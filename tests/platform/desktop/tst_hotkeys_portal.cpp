#include "platform/desktop/PortalHotKeys.h"
#include "platform/desktop/PortalShortcut.h"
#include "support/PrivateBus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

Q_DECLARE_METATYPE(zorvex::HotKeyCombo)

namespace {

const QString kDesktop = u"/org/freedesktop/portal/desktop"_s;
const QString kShortcuts = u"org.freedesktop.portal.GlobalShortcuts"_s;

// A desktop portal with global shortcuts, as Plasma's or GNOME's answers:
// requests answer by a Response signal on their predictable path.
class FakePortal : public QDBusVirtualObject {
public:
    explicit FakePortal(QDBusConnection bus)
        : m_bus(std::move(bus))
    {
    }

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& m, const QDBusConnection&) override
    {
        QString sender = m.service().mid(1);
        sender.replace(u'.', u'_');
        const auto options = [&](int i) { return qdbus_cast<QVariantMap>(m.arguments().value(i)); };
        if (m.member() == u"Get"_s) {
            reply(m, {QVariant::fromValue(QDBusVariant(1u))});
        } else if (m.member() == u"CreateSession"_s) {
            const QVariantMap o = options(0);
            const QString session = kDesktop + u"/session/"_s + sender + u'/' + o.value(u"session_handle_token"_s).toString();
            sessions << session;
            respond(m, sender, o.value(u"handle_token"_s).toString(), {{u"session_handle"_s, session}});
        } else if (m.member() == u"BindShortcuts"_s) {
            const auto asked = qdbus_cast<QList<PortalShortcut>>(m.arguments().value(1));
            QList<PortalShortcut> bound;
            QStringList triggers;
            for (const PortalShortcut& s : asked) {
                triggers << s.properties.value(u"preferred_trigger"_s).toString();
                if (!decline.contains(s.id))
                    bound << PortalShortcut{s.id, {{u"trigger_description"_s, triggers.last()}}};
            }
            bindings << qMakePair(qdbus_cast<QDBusObjectPath>(m.arguments().value(0)).path(), triggers);
            respond(m, sender, options(3).value(u"handle_token"_s).toString(),
                    {{u"shortcuts"_s, QVariant::fromValue(bound)}});
        } else if (m.member() == u"Close"_s) {
            closed << m.path();
        } else {
            return false;
        }
        return true;
    }

    void activate(const QString& session, const QString& id)
    {
        QDBusMessage s = QDBusMessage::createSignal(kDesktop, kShortcuts, u"Activated"_s);
        s.setArguments({QVariant::fromValue(QDBusObjectPath(session)), id, qulonglong(0), QVariantMap()});
        m_bus.send(s);
    }

    QStringList sessions, closed;
    QList<QPair<QString, QStringList>> bindings; // session, preferred triggers
    QStringList decline;

private:
    void reply(const QDBusMessage& m, const QVariantList& args) { m_bus.send(m.createReply(args)); }

    void respond(const QDBusMessage& m, const QString& sender, const QString& token, const QVariantMap& results)
    {
        const QString request = kDesktop + u"/request/"_s + sender + u'/' + token;
        reply(m, {QVariant::fromValue(QDBusObjectPath(request))});
        QDBusMessage s = QDBusMessage::createSignal(request, u"org.freedesktop.portal.Request"_s, u"Response"_s);
        s.setArguments({0u, results});
        m_bus.send(s);
    }

    QDBusConnection m_bus;
};

} // namespace

class TestPortalHotKeys : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void bindsAndPresses();
    void newCombinationsGetANewSession_data();
    void newCombinationsGetANewSession();
    void declinedComeBackRefused();
    void withoutThePortalNothingIsAvailable();

private:
    std::unique_ptr<PortalHotKeys> makeKeys();

    std::unique_ptr<test::PrivateBus> m_bus;
    std::unique_ptr<FakePortal> m_portal;
};

void TestPortalHotKeys::init()
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    m_bus = std::make_unique<test::PrivateBus>();
    if (!m_bus->start())
        QSKIP("dbus-daemon is not installed");
    QDBusConnection desktop = m_bus->connect(u"desktop"_s);
    QVERIFY(desktop.isConnected());
    m_portal = std::make_unique<FakePortal>(desktop);
    QVERIFY(desktop.registerVirtualObject(kDesktop, m_portal.get(), QDBusConnection::SubPath));
    QVERIFY(m_bus->connect(u"program"_s).isConnected());
}

void TestPortalHotKeys::cleanup()
{
    m_bus.reset();
    m_portal.reset();
}

std::unique_ptr<PortalHotKeys> TestPortalHotKeys::makeKeys()
{
    // The portal's name is taken only now, so the test can also leave it out.
    QDBusConnection(u"desktop"_s).interface()->registerService(u"org.freedesktop.portal.Desktop"_s);
    return std::make_unique<PortalHotKeys>(QDBusConnection(u"program"_s));
}

void TestPortalHotKeys::bindsAndPresses()
{
    auto keys = makeKeys();
    QSignalSpy available(keys.get(), &GlobalHotKeys::availableChanged);
    QSignalSpy refused(keys.get(), &GlobalHotKeys::refused);
    QSignalSpy pressed(keys.get(), &GlobalHotKeys::pressed);
    // Asked before the portal has answered: kept and bound once it has.
    QCOMPARE(keys->setHotKeys({{2, 4}, {1, 0}, {2, 4}}), QList<HotKeyCombo>());
    QTRY_COMPARE(available.count(), 1);
    QVERIFY(keys->available());
    QTRY_COMPARE(refused.count(), 1);
    QCOMPARE(refused.first().first().value<QList<HotKeyCombo>>(), QList<HotKeyCombo>());
    QCOMPARE(m_portal->bindings.size(), 1);
    QCOMPARE(m_portal->bindings.first().second, (QStringList{u"CTRL+ALT+F5"_s, u"ALT+SHIFT+F1"_s}));

    const QString session = m_portal->sessions.first();
    m_portal->activate(session, u"tray-2-4"_s);
    QTRY_COMPARE(pressed.count(), 1);
    QCOMPARE(pressed.first().first().value<HotKeyCombo>(), (HotKeyCombo{2, 4}));
    // Another program's session, an id of no combination of ours, a
    // combination no longer asked for: nothing.
    m_portal->activate(kDesktop + u"/session/other/x"_s, u"tray-2-4"_s);
    m_portal->activate(session, u"tray-9-x"_s);
    m_portal->activate(session, u"tray-3-7"_s);
    m_portal->activate(session, u"tray-1-0"_s);
    QTRY_COMPARE(pressed.count(), 2);
    QTest::qWait(100);
    QCOMPARE(pressed.count(), 2);
    QCOMPARE(pressed.last().first().value<HotKeyCombo>(), (HotKeyCombo{1, 0}));

    keys.reset();
    QTRY_COMPARE(m_portal->closed, QStringList{session});
}

void TestPortalHotKeys::newCombinationsGetANewSession_data()
{
    QTest::addColumn<bool>("waitBetween");
    QTest::newRow("after the first binding") << true;
    // The second request comes while the first session is being made.
    QTest::newRow("while the first is under way") << false;
}

void TestPortalHotKeys::newCombinationsGetANewSession()
{
    QFETCH(bool, waitBetween);
    auto keys = makeKeys();
    QTRY_VERIFY(keys->available());
    QSignalSpy refused(keys.get(), &GlobalHotKeys::refused);
    keys->setHotKeys({{2, 4}});
    if (waitBetween)
        QTRY_COMPARE(refused.count(), 1);
    keys->setHotKeys({{3, 40}});
    QTRY_VERIFY(!m_portal->bindings.isEmpty()
                && m_portal->bindings.constLast().second == QStringList{u"CTRL+SHIFT+Down"_s});
    QTRY_COMPARE(refused.count(), waitBetween ? 2 : 1);
    // Every session but the newest is closed; the old keys no longer press.
    QTRY_COMPARE(m_portal->closed.size(), m_portal->sessions.size() - 1);
    QVERIFY(!m_portal->closed.contains(m_portal->sessions.constLast()));
    QSignalSpy pressed(keys.get(), &GlobalHotKeys::pressed);
    m_portal->activate(m_portal->sessions.constLast(), u"tray-2-4"_s);
    m_portal->activate(m_portal->sessions.constLast(), u"tray-3-40"_s);
    QTRY_COMPARE(pressed.count(), 1);
    QCOMPARE(pressed.first().first().value<HotKeyCombo>(), (HotKeyCombo{3, 40}));

    // None at all: the session goes and no new one is made.
    const int sessions = int(m_portal->sessions.size());
    keys->setHotKeys({});
    QTRY_COMPARE(m_portal->closed.size(), sessions);
    QTest::qWait(100);
    QCOMPARE(m_portal->sessions.size(), sessions);
}

void TestPortalHotKeys::declinedComeBackRefused()
{
    m_portal->decline = QStringList{u"tray-1-0"_s};
    auto keys = makeKeys();
    QTRY_VERIFY(keys->available());
    QSignalSpy refused(keys.get(), &GlobalHotKeys::refused);
    keys->setHotKeys({{2, 4}, {1, 0}});
    QTRY_COMPARE(refused.count(), 1);
    QCOMPARE(refused.first().first().value<QList<HotKeyCombo>>(), QList<HotKeyCombo>{(HotKeyCombo{1, 0})});
}

void TestPortalHotKeys::withoutThePortalNothingIsAvailable()
{
    // The bus has no portal: the question fails, and nothing is asked.
    PortalHotKeys keys{QDBusConnection(u"program"_s)};
    QSignalSpy available(&keys, &GlobalHotKeys::availableChanged);
    QCOMPARE(keys.setHotKeys({{2, 4}}), QList<HotKeyCombo>());
    QTest::qWait(300);
    QVERIFY(!keys.available());
    QCOMPARE(available.count(), 0);
    QVERIFY(m_portal->sessions.isEmpty());
    // Nor on no bus at all.
    PortalHotKeys offline{QDBusConnection(u"nobus"_s)};
    QVERIFY(!offline.available());
}

QTEST_MAIN(TestPortalHotKeys)
#include "tst_hotkeys_portal.moc"
