#include "platform/desktop/X11HotKeys.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>

using namespace zorvex;

Q_DECLARE_METATYPE(zorvex::HotKeyCombo)

namespace {

constexpr uint16_t kLocks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

} // namespace

// A second client tries the same grabs: the server refuses a grab another
// client holds, which shows ours are in place. The server gets no real key
// presses (no XTest here), so the press side is checked on comboOf.
class TestHotKeysX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void grabsHeldWithLockLamps();
    void keyTakenByAnotherProgram();
    void pressMatches_data();
    void pressMatches();
    void clearedGrabsAreFree();
    void noServerIsUnavailable();

private:
    bool otherCanGrab(xcb_keycode_t code, uint16_t mods);

    QProcess m_server;
    QByteArray m_display;
    xcb_connection_t* m_other = nullptr;
    xcb_window_t m_root = 0;
    std::unique_ptr<X11HotKeys> m_keys;
};

void TestHotKeysX11::initTestCase()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        QSKIP("Xvfb is not installed");
    m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                          QStringLiteral("640x480x24")});
    QVERIFY(m_server.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.canReadLine() || m_server.state() != QProcess::Running, 10000);
    m_display = ':' + m_server.readLine().trimmed();
    QVERIFY2(m_display.size() > 1, "Xvfb did not start");
    m_other = xcb_connect(m_display.constData(), nullptr);
    QVERIFY(xcb_connection_has_error(m_other) == 0);
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_other)).data->root;
    m_keys = std::make_unique<X11HotKeys>(m_display);
    QVERIFY(m_keys->available());
}

void TestHotKeysX11::cleanupTestCase()
{
    m_keys.reset();
    if (m_other)
        xcb_disconnect(m_other);
    if (m_server.state() == QProcess::Running) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished(5000);
    }
}

bool TestHotKeysX11::otherCanGrab(xcb_keycode_t code, uint16_t mods)
{
    xcb_generic_error_t* error = xcb_request_check(
        m_other, xcb_grab_key_checked(m_other, 1, m_root, mods, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    const bool free = !error;
    std::free(error);
    if (free)
        xcb_request_check(m_other, xcb_ungrab_key_checked(m_other, code, m_root, mods));
    return free;
}

void TestHotKeysX11::grabsHeldWithLockLamps()
{
    // CTRL + ALT + SHIFT with "Num ," (E's open tray), ALT + SHIFT with F1.
    QCOMPARE(m_keys->setHotKeys({{4, 47}, {1, 0}}), QList<HotKeyCombo>{});
    const xcb_keycode_t numComma = m_keys->keycodeOf(47);
    const xcb_keycode_t f1 = m_keys->keycodeOf(0);
    QVERIFY(numComma && f1);
    const uint16_t all = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_SHIFT;
    for (uint16_t lock : kLocks) {
        QVERIFY2(!otherCanGrab(numComma, all | lock), qPrintable(QString::number(lock)));
        QVERIFY(!otherCanGrab(f1, XCB_MOD_MASK_1 | XCB_MOD_MASK_SHIFT | lock));
    }
    // Other modifiers on the same key stay free for other programs.
    QVERIFY(otherCanGrab(f1, XCB_MOD_MASK_CONTROL));
}

void TestHotKeysX11::keyTakenByAnotherProgram()
{
    const xcb_keycode_t code = m_keys->keycodeOf(5); // F6
    const uint16_t ctrlShift = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT;
    QVERIFY(!xcb_request_check(m_other, xcb_grab_key_checked(m_other, 1, m_root, ctrlShift, code,
                                                            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
    QCOMPARE(m_keys->setHotKeys({{3, 5}, {1, 0}}), (QList<HotKeyCombo>{{3, 5}}));
    QVERIFY(m_keys->comboOf(m_keys->keycodeOf(0), XCB_MOD_MASK_1 | XCB_MOD_MASK_SHIFT));
    QVERIFY(!m_keys->comboOf(code, ctrlShift));
    xcb_request_check(m_other, xcb_ungrab_key_checked(m_other, code, m_root, ctrlShift));
}

void TestHotKeysX11::pressMatches_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("matches");
    QTest::addColumn<HotKeyCombo>("combo");
    const int ctrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    QTest::newRow("ctrl+alt+1") << 14 << ctrlAlt << true << HotKeyCombo{2, 14};
    QTest::newRow("with caps and num lock") << 14 << (ctrlAlt | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2) << true
                                            << HotKeyCombo{2, 14};
    QTest::newRow("right alt") << 14 << int(XCB_MOD_MASK_5) << true << HotKeyCombo{2, 14};
    QTest::newRow("shift added is another combination") << 14 << (ctrlAlt | XCB_MOD_MASK_SHIFT) << false
                                                        << HotKeyCombo{};
    QTest::newRow("other key") << 15 << ctrlAlt << false << HotKeyCombo{};
    QTest::newRow("page down") << 38 << int(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT) << true << HotKeyCombo{3, 38};
}

void TestHotKeysX11::pressMatches()
{
    QFETCH(int, key);
    QFETCH(int, state);
    QFETCH(bool, matches);
    QFETCH(HotKeyCombo, combo);
    QCOMPARE(m_keys->setHotKeys({{2, 14}, {3, 38}}), QList<HotKeyCombo>{});
    const std::optional<HotKeyCombo> got = m_keys->comboOf(m_keys->keycodeOf(key), uint16_t(state));
    QCOMPARE(got.has_value(), matches);
    if (matches)
        QCOMPARE(*got, combo);
}

void TestHotKeysX11::clearedGrabsAreFree()
{
    QCOMPARE(m_keys->setHotKeys({{4, 47}}), QList<HotKeyCombo>{});
    const xcb_keycode_t code = m_keys->keycodeOf(47);
    const uint16_t all = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_SHIFT;
    QVERIFY(!otherCanGrab(code, all));
    m_keys->setHotKeys({});
    QVERIFY(otherCanGrab(code, all));
    QVERIFY(otherCanGrab(code, all | XCB_MOD_MASK_LOCK));
}

void TestHotKeysX11::noServerIsUnavailable()
{
    X11HotKeys none(QByteArrayLiteral(":9999"));
    QVERIFY(!none.available());
    QCOMPARE(none.setHotKeys({{1, 1}}), (QList<HotKeyCombo>{{1, 1}}));
}

QTEST_GUILESS_MAIN(TestHotKeysX11)
#include "tst_hotkeys_x11.moc"
