#include "../internet/MessageWindows.h"
#include "core/common/PathTable.h"
#include "core/internet/ProxySetting.h"
#include "core/net/MailAccounts.h"
#include "core/net/MailSettings.h"
#include "support/DovecotProcess.h"
#include "support/FakeClock.h"
#include "support/FakeKeyboardLight.h"
#include "ui/common/Messages.h"
#include "ui/net/MailAccountDialog.h"
#include "ui/net/MailMessagesWindow.h"
#include "ui/net/MailPage.h"
#include "ui/net/MailService.h"
#include "ui/net/StatusPopup.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QListWidget>
#include <QTreeWidget>
#include <QTest>

using namespace zorvex;

namespace {

QByteArray message(int i)
{
    return "From: Nadawca " + QByteArray::number(i) + " <n" + QByteArray::number(i)
        + "@example.org>\r\nSubject: =?UTF-8?Q?Wiadomo=C5=9B=C4=87_" + QByteArray::number(i)
        + "?=\r\nDate: Wed, 09 Dec 2026 10:00:00 +0100\r\n\r\nTreść\r\n";
}

} // namespace

// The mail checker with Dovecot holding three messages: the check at start
// counts and announces them, the messages window lists them and deletes two
// on the server; a wrong password is reported on the account, a server gone at
// deletion keeps every row.
class MailServiceTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void checkAtStartAnnouncesAndWindowDeletes();
    void wrongPasswordKeepsTheCount();
    void accountDialogTrustsAndForgetsTheCertificate_data();
    void accountDialogTrustsAndForgetsTheCertificate();
    void presetsFillServerAndEncryption();
    // Last: stops Dovecot.
    void failedDeletionKeepsTheRows();

private:
    MailAccount account(const QString& password) const;
    std::unique_ptr<MailService> makeService();
    bool waitCheck(MailService& s);

    DovecotProcess m_dovecot;
    QTemporaryDir m_data;
    FakeClock m_clock{QDateTime(QDate(2026, 12, 9), QTime(10, 15))};
    std::unique_ptr<PathTable> m_paths;
    MailSettings m_settings;
    MailSoundSettings m_sound;
    FakeKeyboardLight m_light;
    BoxPrompts m_prompts; // real windows, found by the tests
};

void MailServiceTest::initTestCase()
{
    QString error;
    QVERIFY2(m_dovecot.start({{QStringLiteral("jan"), QStringLiteral("tajne")}}, &error), qPrintable(error));
    m_paths = std::make_unique<PathTable>(m_data.path(), QStringLiteral("Jan"), QString());
}

void MailServiceTest::init()
{
    m_settings = MailSettings();
    QFile::remove(m_paths->path(PathId::Poczta));
}

void MailServiceTest::cleanup()
{
    test::closeMessageWindows();
}

MailAccount MailServiceTest::account(const QString& password) const
{
    MailAccount a;
    a.login = QStringLiteral("jan");
    a.password = scramblePassword(password);
    a.server = QStringLiteral("127.0.0.1:%1").arg(m_dovecot.plainPort());
    // Dovecot offers STLS with its self-signed certificate, trusted here.
    a.trustedSha256 = m_dovecot.fingerprint();
    a.name = QStringLiteral("Dom");
    return a;
}

std::unique_ptr<MailService> MailServiceTest::makeService()
{
    auto s = std::make_unique<MailService>(MailService::Services{m_clock, *m_paths, m_settings, m_sound, m_prompts, nullptr, nullptr, {}, &m_light});
    s->setReadTimeoutMs(5000);
    return s;
}

bool MailServiceTest::waitCheck(MailService& s)
{
    bool done = false;
    const auto c = connect(&s, &MailService::checkFinished, this, [&] { done = true; });
    const bool ok = QTest::qWaitFor([&] { return done; }, 20000);
    disconnect(c);
    return ok;
}

void MailServiceTest::checkAtStartAnnouncesAndWindowDeletes()
{
    for (int i = 1; i <= 3; ++i)
        m_dovecot.addMessage(QStringLiteral("jan"), QStringLiteral("200%1.M1P1.test").arg(i), message(i));
    QVERIFY(saveMailAccounts(m_paths->path(PathId::Poczta), {account(QStringLiteral("tajne"))}));
    m_settings.checkAtStart = true;
    m_settings.notify = true;
    m_settings.blinkScrollLock = true;
    auto service = makeService();
    QCOMPARE(service->accounts().size(), 1);

    service->runAtStart(m_clock.now());
    QVERIFY(service->checking());
    QVERIFY(waitCheck(*service));
    QCOMPARE(service->accounts()[0].count, 3);
    QCOMPARE(service->accounts()[0].status, QString());
    QCOMPARE(service->newMail(), (QList<NewMail>{{3, QStringLiteral("Dom")}}));
    QVERIFY(service->popup()->isVisible());
    QCOMPARE(service->popup()->rows(), QStringList{QStringLiteral("[3] Dom")});
    QCOMPARE(service->page()->accountList()->item(0)->text(), QStringLiteral("3 - Dom"));
    QVERIFY(service->page()->findChild<QGroupBox*>(QStringLiteral("MailGroup"))->title().endsWith(
        QStringLiteral("dzisiaj o 10:15:00")));

    // Scroll Lock blinks on the 200 ms tick until the user presses it.
    QVERIFY(service->blinking());
    service->tick(TickStep::ScrollLock, m_clock.now());
    QVERIFY(m_light.on);
    service->tick(TickStep::ScrollLock, m_clock.now());
    QVERIFY(!m_light.on);
    service->tick(TickStep::ScrollLock, m_clock.now());
    m_light.on = false; // pressed
    service->tick(TickStep::ScrollLock, m_clock.now());
    QVERIFY(!service->blinking());
    QVERIFY(!m_light.on);

    service->showMessagesWindow();
    MailMessagesWindow* window = service->messagesWindow();
    QVERIFY(window->isVisible());
    QTreeWidget* list = window->list();
    QCOMPARE(list->topLevelItemCount(), 3);
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Nadawca 1 (n1@example.org)"));
    QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("Wiadomość 2"));

    list->topLevelItem(0)->setSelected(true);
    list->topLevelItem(2)->setSelected(true);
    bool finished = false, ok = false;
    connect(service.get(), &MailService::deletionFinished, this, [&](bool result) {
        finished = true;
        ok = result;
    });
    QVERIFY(service->deleteMessages(window->selectedMessages()));
    QVERIFY(QTest::qWaitFor([&] { return finished; }, 20000));
    QVERIFY(ok);
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("Wiadomość 2"));
    QCOMPARE(service->accounts()[0].count, 1);
    QCOMPARE(m_dovecot.messageCount(QStringLiteral("jan")), 1);
    QCOMPARE(test::messageTexts(), QStringList{QStringLiteral("Zorvex - usuwanie wiadomości: Wiadomości zostały usunięte")});

    // The list is written at the save with the new count.
    QVERIFY(service->save());
    QList<MailAccount> stored;
    QVERIFY(loadMailAccounts(m_paths->path(PathId::Poczta), &stored));
    QCOMPARE(stored[0].count, 1);
}

void MailServiceTest::wrongPasswordKeepsTheCount()
{
    MailAccount a = account(QStringLiteral("zle"));
    a.count = 4;
    QVERIFY(saveMailAccounts(m_paths->path(PathId::Poczta), {a}));
    m_settings.actWhen = 0;
    m_settings.autoCheck = true;
    m_settings.notify = true;
    auto service = makeService();
    QVERIFY(service->checkMail());
    QVERIFY(waitCheck(*service));
    QCOMPARE(service->accounts()[0].count, 4);
    QCOMPARE(service->accounts()[0].status, QStringLiteral("Niepoprawny login lub hasło."));
    QCOMPARE(service->page()->accountList()->item(0)->toolTip(), QStringLiteral("Niepoprawny login lub hasło."));
    // Condition 0 reports the old positive count even after a failed check.
    QCOMPARE(service->newMail(), (QList<NewMail>{{4, QStringLiteral("Dom")}}));
}

void MailServiceTest::failedDeletionKeepsTheRows()
{
    m_dovecot.addMessage(QStringLiteral("jan"), QStringLiteral("3001.M1P1.test"), message(9));
    QVERIFY(saveMailAccounts(m_paths->path(PathId::Poczta), {account(QStringLiteral("tajne"))}));
    auto service = makeService();
    QVERIFY(service->checkMail());
    QVERIFY(waitCheck(*service));
    const int before = int(service->messages().size());
    QVERIFY(before >= 1);
    service->showMessagesWindow();
    bool finished = false, ok = true;
    connect(service.get(), &MailService::deletionFinished, this, [&](bool result) {
        finished = true;
        ok = result;
    });
    // The server is gone between the check and the deletion (the last case:
    // Dovecot stays down).
    m_dovecot.stop();
    QVERIFY(service->deleteMessages({0}));
    QVERIFY(QTest::qWaitFor([&] { return finished; }, 20000));
    QVERIFY(!ok);
    QCOMPARE(int(service->messages().size()), before);
    QCOMPARE(service->messagesWindow()->list()->topLevelItemCount(), before);
    const QStringList texts = test::messageTexts();
    QCOMPARE(texts.size(), 1);
    QVERIFY(texts[0].startsWith(QStringLiteral("Zorvex - usuwanie wiadomości: Usuwanie wiadomości nie powiodło się.")));
    QVERIFY(texts[0].contains(QStringLiteral("później...")));
}

void MailServiceTest::accountDialogTrustsAndForgetsTheCertificate_data()
{
    QTest::addColumn<bool>("ssl");
    QTest::newRow("POP3S") << true;
    QTest::newRow("STLS") << false;
}

// The account dialog over the Tools window: the window stays disabled while
// it is open; "Sprawdź certyfikat" shows Dovecot's self-signed certificate,
// which the user trusts (the check then logs in) or forgets (the check then
// sends no password).
void MailServiceTest::accountDialogTrustsAndForgetsTheCertificate()
{
    QFETCH(bool, ssl);
    auto service = makeService();
    QWidget tools;
    MailPage* page = service->page();
    page->setParent(&tools);
    tools.show();
    const auto openDialog = [&](const char* button) -> MailAccountDialog* {
        page->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        MailAccountDialog* d = page->accountDialog();
        return d && d->isVisible() ? d : nullptr;
    };
    const auto field = [](MailAccountDialog* d, const char* name) {
        return d->findChild<QLineEdit*>(QString::fromLatin1(name));
    };
    const auto button = [](MailAccountDialog* d, const char* name) {
        return d->findChild<QPushButton*>(QString::fromLatin1(name));
    };
    const QString fingerprint = m_dovecot.fingerprint();

    MailAccountDialog* dialog = openDialog("AddAccount");
    QVERIFY(dialog);
    QVERIFY(!tools.isEnabled());
    field(dialog, "Login")->setText(QStringLiteral("jan"));
    field(dialog, "Password")->setText(QStringLiteral("tajne"));
    field(dialog, "Server")->setText(
        QStringLiteral("127.0.0.1:%1").arg(ssl ? m_dovecot.sslPort() : m_dovecot.plainPort()));
    dialog->findChild<QCheckBox*>(QStringLiteral("Ssl"))->setChecked(ssl);
    QVERIFY(!button(dialog, "TrustCertificate")->isEnabled());
    button(dialog, "FetchCertificate")->click();
    auto* presented = dialog->findChild<QLabel*>(QStringLiteral("PresentedFingerprint"));
    QVERIFY(QTest::qWaitFor([&] { return presented->text().contains(formatFingerprint(fingerprint)); }, 20000));
    QVERIFY(presented->text().startsWith(QStringLiteral("System nie ufa certyfikatowi serwera.")));
    QVERIFY(button(dialog, "TrustCertificate")->isEnabled());
    button(dialog, "TrustCertificate")->click();
    QCOMPARE(field(dialog, "TrustedFingerprint")->text(), formatFingerprint(fingerprint));
    QVERIFY(button(dialog, "ForgetCertificate")->isEnabled());
    button(dialog, "Confirm")->click();
    QVERIFY(QTest::qWaitFor([&] { return !page->accountDialog(); }, 5000));
    QVERIFY(tools.isEnabled());
    QCOMPARE(service->accounts().size(), 1);
    QCOMPARE(service->accounts()[0].trustedSha256, fingerprint);
    QVERIFY(service->checkMail());
    QVERIFY(waitCheck(*service));
    QCOMPARE(service->accounts()[0].status, QString());

    // Cancelled: nothing changes, the window comes back.
    page->accountList()->setCurrentRow(0);
    dialog = openDialog("EditAccount");
    QVERIFY(dialog);
    QCOMPARE(field(dialog, "TrustedFingerprint")->text(), formatFingerprint(fingerprint));
    button(dialog, "ForgetCertificate")->click();
    dialog->reject();
    QVERIFY(QTest::qWaitFor([&] { return !page->accountDialog(); }, 5000));
    QVERIFY(tools.isEnabled());
    QCOMPARE(service->accounts()[0].trustedSha256, fingerprint);

    // Forgotten: the check stops before the password.
    dialog = openDialog("EditAccount");
    QVERIFY(dialog);
    button(dialog, "ForgetCertificate")->click();
    QCOMPARE(field(dialog, "TrustedFingerprint")->text(), QString());
    button(dialog, "Confirm")->click();
    QVERIFY(QTest::qWaitFor([&] { return !page->accountDialog(); }, 5000));
    QCOMPARE(service->accounts()[0].trustedSha256, QString());
    QVERIFY(service->checkMail());
    QVERIFY(waitCheck(*service));
    QVERIFY(service->accounts()[0].status.startsWith(QStringLiteral("Certyfikat serwera nie jest zaufany")));
    QVERIFY(service->accounts()[0].status.contains(fingerprint));
    page->setParent(nullptr);
}

void MailServiceTest::presetsFillServerAndEncryption()
{
    MailAccountDialog dialog(nullptr);
    auto* menu = dialog.findChild<QMenu*>(QStringLiteral("ServerPresetMenu"));
    QCOMPARE(menu->actions().size(), 8);
    auto* server = dialog.findChild<QLineEdit*>(QStringLiteral("Server"));
    auto* ssl = dialog.findChild<QCheckBox*>(QStringLiteral("Ssl"));
    for (QAction* a : menu->actions()) {
        ssl->setChecked(false);
        a->trigger();
        QVERIFY2(!server->text().isEmpty() && parseHostPort(server->text(), 995), qPrintable(a->text()));
        QVERIFY(ssl->isChecked());
    }
    // Unreachable address: the dialog says so instead of a fingerprint.
    server->setText(QStringLiteral("127.0.0.1:1"));
    dialog.findChild<QPushButton*>(QStringLiteral("FetchCertificate"))->click();
    auto* presented = dialog.findChild<QLabel*>(QStringLiteral("PresentedFingerprint"));
    QVERIFY(QTest::qWaitFor([&] { return presented->text() == QStringLiteral("Nie można połączyć się z serwerem POP3."); },
                            10000));
    QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("TrustCertificate"))->isEnabled());
}

QTEST_MAIN(MailServiceTest)
#include "tst_mailservice.moc"
