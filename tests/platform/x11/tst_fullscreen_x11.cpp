#include "platform/X11FullScreenProbe.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

using namespace zorvex;

namespace {

xcb_atom_t internAtom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

} // namespace

// The test plays the window manager: it names the active window on the root
// and sets that window's state, as a window manager does for its clients.
class TestFullScreenX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void activeWindowState_data();
    void activeWindowState();
    void brokenConnectionIsUnavailable();

private:
    QProcess m_server;
    QByteArray m_display;
    xcb_connection_t* m_wm = nullptr; // the test's own connection
    xcb_window_t m_root = 0;
};

void TestFullScreenX11::initTestCase()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        QSKIP("Xvfb is not installed");
    // The server picks a free display and writes its number on standard output.
    m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                          QStringLiteral("640x480x24")});
    QVERIFY(m_server.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.canReadLine() || m_server.state() != QProcess::Running, 10000);
    m_display = ':' + m_server.readLine().trimmed();
    QVERIFY2(m_display.size() > 1, "Xvfb did not start");
    m_wm = xcb_connect(m_display.constData(), nullptr);
    QVERIFY(xcb_connection_has_error(m_wm) == 0);
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_wm)).data->root;
}

void TestFullScreenX11::cleanupTestCase()
{
    if (m_wm)
        xcb_disconnect(m_wm);
    if (m_server.state() == QProcess::Running) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished(5000);
    }
}

void TestFullScreenX11::activeWindowState_data()
{
    QTest::addColumn<QString>("active"); // "window", "none" (0), "gone", "unset"
    QTest::addColumn<QStringList>("state");
    QTest::addColumn<bool>("fullScreen");

    const QStringList full{QStringLiteral("_NET_WM_STATE_FULLSCREEN")};
    QTest::newRow("full screen") << "window" << full << true;
    QTest::newRow("full screen among others")
        << "window" << QStringList{QStringLiteral("_NET_WM_STATE_ABOVE"), QStringLiteral("_NET_WM_STATE_FULLSCREEN")}
        << true;
    QTest::newRow("maximized") << "window"
                               << QStringList{QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT"),
                                              QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ")}
                               << false;
    QTest::newRow("no state") << "window" << QStringList() << false;
    QTest::newRow("no active window") << "none" << full << false;
    QTest::newRow("active window gone") << "gone" << full << false;
    QTest::newRow("no window manager") << "unset" << full << false;
}

void TestFullScreenX11::activeWindowState()
{
    QFETCH(QString, active);
    QFETCH(QStringList, state);
    QFETCH(bool, fullScreen);

    const xcb_atom_t activeAtom = internAtom(m_wm, "_NET_ACTIVE_WINDOW");
    const xcb_atom_t stateAtom = internAtom(m_wm, "_NET_WM_STATE");
    const xcb_window_t window = xcb_generate_id(m_wm);
    xcb_create_window(m_wm, XCB_COPY_FROM_PARENT, window, m_root, 0, 0, 640, 480, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    QList<xcb_atom_t> atoms;
    for (const QString& name : std::as_const(state))
        atoms << internAtom(m_wm, name.toLatin1().constData());
    xcb_change_property(m_wm, XCB_PROP_MODE_REPLACE, window, stateAtom, XCB_ATOM_ATOM, 32, uint32_t(atoms.size()),
                        atoms.constData());

    xcb_window_t named = window;
    if (active == QLatin1String("none"))
        named = XCB_WINDOW_NONE;
    else if (active == QLatin1String("gone"))
        xcb_destroy_window(m_wm, window);
    if (active == QLatin1String("unset"))
        xcb_delete_property(m_wm, m_root, activeAtom);
    else
        xcb_change_property(m_wm, XCB_PROP_MODE_REPLACE, m_root, activeAtom, XCB_ATOM_WINDOW, 32, 1, &named);
    // Everything reaches the server before the probe asks on its own line.
    std::free(xcb_get_input_focus_reply(m_wm, xcb_get_input_focus(m_wm), nullptr));

    xcb_connection_t* app = xcb_connect(m_display.constData(), nullptr);
    QVERIFY(xcb_connection_has_error(app) == 0);
    X11FullScreenProbe probe(app);
    QVERIFY(probe.available());
    QCOMPARE(probe.fullScreenInFront(), fullScreen);
    // The error of a window gone is taken by the probe, not left for the
    // application's event loop.
    QCOMPARE(static_cast<void*>(xcb_poll_for_event(app)), nullptr);
    xcb_disconnect(app);

    if (active != QLatin1String("gone"))
        xcb_destroy_window(m_wm, window);
    xcb_flush(m_wm);
}

void TestFullScreenX11::brokenConnectionIsUnavailable()
{
    xcb_connection_t* broken = xcb_connect(":65000", nullptr);
    X11FullScreenProbe probe(broken);
    QVERIFY(!probe.available());
    QVERIFY(!probe.fullScreenInFront());
    xcb_disconnect(broken);
}

QTEST_GUILESS_MAIN(TestFullScreenX11)
#include "tst_fullscreen_x11.moc"
