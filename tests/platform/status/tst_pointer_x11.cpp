#include "core/common/Clock.h"
#include "core/status/MouseOdometer.h"
#include "platform/status/PointerSources.h"
#include "support/FakeClock.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

// The pointer is moved with the test's own connection, as a user's hand
// would, and read through another one, as the application reads it.
class TestPointerX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readsWherePointerIs();
    void odometerCountsTheMoves();
    void withoutAServerNothingIsRead();

private:
    void warp(int x, int y);

    QProcess m_server;
    QByteArray m_display;
    xcb_connection_t* m_hand = nullptr;
    xcb_connection_t* m_app = nullptr;
    xcb_window_t m_root = 0;
};

void TestPointerX11::initTestCase()
{
    const QString xvfb = QStandardPaths::findExecutable(u"Xvfb"_s);
    if (xvfb.isEmpty())
        QSKIP("Xvfb is not installed");
    m_server.start(xvfb, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s, u"1280x1024x24"_s});
    QVERIFY(m_server.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.canReadLine() || m_server.state() != QProcess::Running, 10000);
    m_display = ':' + m_server.readLine().trimmed();
    QVERIFY2(m_display.size() > 1, "Xvfb did not start");
    m_hand = xcb_connect(m_display.constData(), nullptr);
    m_app = xcb_connect(m_display.constData(), nullptr);
    QVERIFY(xcb_connection_has_error(m_hand) == 0 && xcb_connection_has_error(m_app) == 0);
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_hand)).data->root;
}

void TestPointerX11::cleanupTestCase()
{
    for (xcb_connection_t* c : {m_hand, m_app}) {
        if (c)
            xcb_disconnect(c);
    }
    if (m_server.state() == QProcess::Running) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished(5000);
    }
}

void TestPointerX11::warp(int x, int y)
{
    xcb_warp_pointer(m_hand, XCB_NONE, m_root, 0, 0, 0, 0, int16_t(x), int16_t(y));
    // A round trip makes sure the server has moved it.
    free(xcb_get_input_focus_reply(m_hand, xcb_get_input_focus(m_hand), nullptr));
}

void TestPointerX11::readsWherePointerIs()
{
    X11PointerSource pointer(m_app);
    QVERIFY(pointer.available());
    warp(100, 200);
    QCOMPARE(pointer.position(), std::optional<QPoint>(QPoint(100, 200)));
    warp(1279, 0);
    QCOMPARE(pointer.position(), std::optional<QPoint>(QPoint(1279, 0)));
}

void TestPointerX11::odometerCountsTheMoves()
{
    QTemporaryDir dir;
    FakeClock clock;
    X11PointerSource pointer(m_app);
    MouseOdometer odometer(clock, pointer, dir.filePath(u"Ruch.ini"_s));
    warp(640, 512);
    odometer.begin();
    warp(1140, 512);
    odometer.sample();
    warp(1140, 312);
    odometer.sample();
    QCOMPARE(odometer.travel(), qint64(700));
}

void TestPointerX11::withoutAServerNothingIsRead()
{
    X11PointerSource none(nullptr);
    QVERIFY(!none.available());
    QCOMPARE(none.position(), std::nullopt);
    xcb_connection_t* broken = xcb_connect(":9999", nullptr);
    {
        X11PointerSource dead(broken);
        QVERIFY(!dead.available());
        QCOMPARE(dead.position(), std::nullopt);
    }
    xcb_disconnect(broken);
    NoPointerSource wayland;
    QVERIFY(!wayland.available());
}

QTEST_GUILESS_MAIN(TestPointerX11)
#include "tst_pointer_x11.moc"
