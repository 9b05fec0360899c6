#include "core/internet/ProxySetting.h"
#include "support/FakeInternet.h"
#include "ui/internet/AssociationsDialog.h"
#include "ui/common/Messages.h"
#include "ui/internet/ProxyDialog.h"
#include "ui/internet/UpdateProgressWindow.h"
#include "MessageWindows.h"

#include "core/internet/DesktopSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(std::optional<zorvex::DesktopProxyReading>)

class TestProxyDialog : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { zorvex::test::closeMessageWindows(); }
    void enabling_data();
    void enabling();
    void okStoresTheSetting();
    void portThatIsNotANumber_data();
    void portThatIsNotANumber();
    void desktopProxy_data();
    void desktopProxy();
    void toolsWindowDisabledWhileOpen();
    void associations();
    void progressWindow();

private:
    template <typename T>
    static T* child(QWidget& w, const char* name)
    {
        return w.findChild<T*>(QString::fromLatin1(name));
    }
};

void TestProxyDialog::enabling_data()
{
    QTest::addColumn<bool>("use");
    QTest::addColumn<bool>("auth");
    QTest::newRow("off") << false << true;
    QTest::newRow("on") << true << false;
    QTest::newRow("on with authorization") << true << true;
}

void TestProxyDialog::enabling()
{
    QFETCH(bool, use);
    QFETCH(bool, auth);
    ProxySetting s;
    resetToDefaults(s);
    zorvex::test::FakeDesktopProxy desktop;
    BoxPrompts prompts;
    ProxyDialog d(s, desktop, u"https://zorvex.pl/"_s, prompts);
    child<QCheckBox>(d, "CheckBox1")->setChecked(use);
    child<QCheckBox>(d, "CheckBox2")->setChecked(auth);
    QCOMPARE(child<QLineEdit>(d, "Edit6")->isEnabled(), use);
    QCOMPARE(child<QLineEdit>(d, "Edit7")->isEnabled(), use);
    QCOMPARE(child<QCheckBox>(d, "CheckBox2")->isEnabled(), use);
    QCOMPARE(child<QLineEdit>(d, "Edit8")->isEnabled(), use && auth);
    QCOMPARE(child<QLineEdit>(d, "Edit9")->isEnabled(), use && auth);
    QCOMPARE(child<QLineEdit>(d, "Edit9")->echoMode(), QLineEdit::Password);
}

void TestProxyDialog::okStoresTheSetting()
{
    ProxySetting s;
    resetToDefaults(s);
    s.setPassword(u"stare"_s);
    zorvex::test::FakeDesktopProxy desktop;
    BoxPrompts prompts;
    ProxyDialog d(s, desktop, u"https://zorvex.pl/"_s, prompts);
    QCOMPARE(child<QLineEdit>(d, "Edit9")->text(), u"stare"_s);
    QSignalSpy applied(&d, &ProxyDialog::applied);
    d.show();
    child<QCheckBox>(d, "CheckBox1")->setChecked(true);
    child<QLineEdit>(d, "Edit6")->setText(u" proxy.lan "_s);
    child<QLineEdit>(d, "Edit7")->setText(u"3128"_s);
    child<QCheckBox>(d, "CheckBox2")->setChecked(true);
    child<QLineEdit>(d, "Edit8")->setText(u"jan"_s);
    child<QLineEdit>(d, "Edit9")->setText(u"zażółć"_s);
    child<QPushButton>(d, "OkButton")->click();
    QCOMPARE(applied.count(), 1);
    QVERIFY(!d.isVisible());
    QCOMPARE(proxyUse(s), (ProxyUse{true, u"proxy.lan"_s, 3128, u"jan"_s, u"zażółć"_s}));
    QVERIFY(!s.storedPassword.contains(u"zażółć"_s));
}

void TestProxyDialog::portThatIsNotANumber_data()
{
    QTest::addColumn<QString>("port");
    QTest::newRow("letters") << u"80a"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("too big") << u"99999"_s;
}

void TestProxyDialog::portThatIsNotANumber()
{
    QFETCH(QString, port);
    ProxySetting s;
    resetToDefaults(s);
    zorvex::test::FakeDesktopProxy desktop;
    BoxPrompts prompts;
    ProxyDialog d(s, desktop, u"https://zorvex.pl/"_s, prompts);
    QSignalSpy applied(&d, &ProxyDialog::applied);
    d.show();
    child<QCheckBox>(d, "CheckBox1")->setChecked(true);
    child<QLineEdit>(d, "Edit6")->setText(u"proxy.lan"_s);
    child<QLineEdit>(d, "Edit7")->setText(port);
    child<QPushButton>(d, "OkButton")->click();
    QCOMPARE(applied.count(), 0);
    QVERIFY(d.isVisible());
    QVERIFY(!s.enabled);
    QCOMPARE(zorvex::test::messageTexts(), QStringList{u"Zorvex - Błąd: "_s + QString::fromUtf8(kBadProxyPortText)});
    // With the proxy off, the port does not matter.
    zorvex::test::closeMessageWindows();
    child<QCheckBox>(d, "CheckBox1")->setChecked(false);
    child<QPushButton>(d, "OkButton")->click();
    QCOMPARE(applied.count(), 1);
}

void TestProxyDialog::desktopProxy_data()
{
    QTest::addColumn<std::optional<DesktopProxyReading>>("reading");
    QTest::addColumn<bool>("use");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("auth");
    QTest::newRow("a proxy") << std::optional<DesktopProxyReading>{DesktopProxyReading{true, u"p.lan"_s, u"8080"_s}}
                             << true << u"p.lan"_s << u"8080"_s << false;
    QTest::newRow("no proxy") << std::optional<DesktopProxyReading>{DesktopProxyReading{}} << false << u"stary"_s
                              << u"1"_s << false;
    QTest::newRow("nothing known") << std::optional<DesktopProxyReading>{} << true << u"stary"_s << u"1"_s << true;
}

void TestProxyDialog::desktopProxy()
{
    QFETCH(std::optional<DesktopProxyReading>, reading);
    QFETCH(bool, use);
    QFETCH(QString, host);
    QFETCH(QString, port);
    QFETCH(bool, auth);
    ProxySetting s;
    resetToDefaults(s);
    s.enabled = true;
    s.ip = u"stary"_s;
    s.port = u"1"_s;
    s.authorization = true;
    zorvex::test::FakeDesktopProxy desktop;
    desktop.reading = reading;
    BoxPrompts prompts;
    ProxyDialog d(s, desktop, u"https://zorvex.pl/serwis.php?l="_s, prompts);
    auto* button = child<QPushButton>(d, "FromDesktop");
    button->click();
    QVERIFY(!button->isEnabled()); // while the desktop is asked
    QTRY_VERIFY(button->isEnabled());
    QCOMPARE(desktop.targets, QStringList{u"https://zorvex.pl/serwis.php?l="_s});
    QCOMPARE(child<QCheckBox>(d, "CheckBox1")->isChecked(), use);
    QCOMPARE(child<QLineEdit>(d, "Edit6")->text(), host);
    QCOMPARE(child<QLineEdit>(d, "Edit7")->text(), port);
    QCOMPARE(child<QCheckBox>(d, "CheckBox2")->isChecked(), auth);
    // Nothing reaches the setting before OK.
    QCOMPARE(s.ip, u"stary"_s);
}

void TestProxyDialog::toolsWindowDisabledWhileOpen()
{
    QWidget tools;
    tools.show();
    ProxySetting s;
    resetToDefaults(s);
    zorvex::test::FakeDesktopProxy desktop;
    BoxPrompts prompts;
    ProxyDialog d(s, desktop, QString(), prompts);
    d.openOver(&tools);
    QVERIFY(d.isVisible());
    QVERIFY(!tools.isEnabled());
    d.close();
    QVERIFY(tools.isEnabled());
    d.openOver(&tools);
    child<QPushButton>(d, "OkButton")->click();
    QVERIFY(tools.isEnabled());
}

void TestProxyDialog::associations()
{
    QWidget tools;
    AssociationSettings a;
    a.openBackups = true;
    a.openAddons = false;
    AssociationsDialog d(a);
    QSignalSpy changed(&d, &AssociationsDialog::changed);
    d.openOver(&tools);
    QVERIFY(!tools.isEnabled());
    QVERIFY(d.findChild<QCheckBox*>(u"CheckBox1"_s)->isChecked());
    QVERIFY(!d.findChild<QCheckBox*>(u"CheckBox2"_s)->isChecked());
    d.findChild<QCheckBox*>(u"CheckBox1"_s)->setChecked(false);
    d.findChild<QCheckBox*>(u"CheckBox2"_s)->setChecked(true);
    // The close box stores the choice as OK does.
    d.close();
    QCOMPARE(changed.count(), 1);
    QVERIFY(!a.openBackups);
    QVERIFY(a.openAddons);
    QVERIFY(tools.isEnabled());
}

void TestProxyDialog::progressWindow()
{
    UpdateProgressWindow w;
    QSignalSpy cancelled(&w, &UpdateProgressWindow::cancelled);
    w.show();
    w.showProgress(1310720, 4194304);
    QCOMPARE(w.windowTitle(), u"[31%] Aktualizowanie programu"_s);
    QCOMPARE(w.findChild<QLabel*>(u"Bytes"_s)->text(), u"1.25 MB / 4.00 MB"_s);
    w.showProgress(3LL << 30, 6LL << 30); // beyond what an int holds
    QCOMPARE(w.findChild<QProgressBar*>(u"ProgressBar"_s)->value() * 2, w.findChild<QProgressBar*>(u"ProgressBar"_s)->maximum());
    w.findChild<QPushButton*>(u"CancelButton"_s)->click();
    QVERIFY(!w.isVisible());
    QCOMPARE(cancelled.count(), 1);
}

QTEST_MAIN(TestProxyDialog)
#include "tst_proxydialog.moc"
