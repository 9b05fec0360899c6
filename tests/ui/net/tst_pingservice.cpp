#include "../internet/MessageWindows.h"
#include "core/common/PathTable.h"
#include "core/net/PingHosts.h"
#include "core/net/PingSettings.h"
#include "platform/net/IcmpPinger.h"
#include "ui/common/Messages.h"
#include "ui/net/PingHostDialog.h"
#include "ui/net/PingPage.h"
#include "ui/net/PingService.h"
#include "ui/net/StatusPopup.h"
#include "support/RecordingPrompts.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace zorvex;

namespace {
const QString kUp = QStringLiteral("127.0.0.1");
const QString kDown = QStringLiteral("203.0.113.5"); // documentation network: never answers
} // namespace

// The ping monitor on loopback and an address that never answers, with a
// short time-out: statuses, what is announced and when, the range scan, and
// the messenger that Linux does not have.
class PingServiceTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstCheckAnnouncesOnlyHostsFoundUp();
    void laterCheckAnnouncesHostsGoingDown();
    void noAutomaticOptionNoAnnouncement();
    void rangeGivenEndFirstScansTheSameAddresses();
    void storedListStartsUnchecked();
    void messengerNeverClaimsSuccess();
    void hostDialogRefusesAnAddressAlreadyListed();
    void runOutlivesItsPage();
    void dialogsKeepToolsDisabled_data();
    void dialogsKeepToolsDisabled();
    void deleteKeyAsksThenRemoves_data();
    void deleteKeyAsksThenRemoves();

private:
    std::unique_ptr<PingService> makeService();
    bool run(PingService& s, const std::function<bool()>& start);

    QTemporaryDir m_data;
    std::unique_ptr<PathTable> m_paths;
    PingSettings m_settings;
    BoxPrompts m_prompts; // real windows, found by the tests
};

void PingServiceTest::init()
{
    m_paths = std::make_unique<PathTable>(m_data.path(), QStringLiteral("Jan"), QString());
    QFile::remove(m_paths->path(PathId::Ping));
    m_settings = PingSettings();
    m_settings.timeoutMs = 200;
    m_settings.checkAtStart = true;
    m_settings.notify = true;
}

void PingServiceTest::cleanup()
{
    test::closeMessageWindows();
}

std::unique_ptr<PingService> PingServiceTest::makeService()
{
    return std::make_unique<PingService>(PingService::Services{*m_paths, m_settings, m_prompts, nullptr, nullptr});
}

bool PingServiceTest::run(PingService& s, const std::function<bool()>& start)
{
    bool done = false;
    const auto c = connect(&s, &PingService::runFinished, this, [&] { done = true; });
    if (!start())
        return false;
    const bool ok = QTest::qWaitFor([&] { return done; }, 10000);
    disconnect(c);
    return ok;
}

void PingServiceTest::firstCheckAnnouncesOnlyHostsFoundUp()
{
    auto s = makeService();
    s->setHosts({{-1, kUp, QStringLiteral("tutaj")}, {-1, kDown, QString()}});
    QVERIFY(run(*s, [&] { return s->checkAddedHosts(); }));
    QCOMPARE(s->hosts()[0].status, 1);
    QCOMPARE(s->hosts()[1].status, 0);
    QCOMPARE(s->changes(), (QList<PingChange>{{true, QStringLiteral("tutaj")}}));
    QVERIFY(s->popup()->isVisible());
    QCOMPARE(s->popup()->rows(), QStringList{QStringLiteral("tutaj")});
    QCOMPARE(s->page()->addedList()->item(0)->data(Qt::UserRole).toInt(), 1);
    QCOMPARE(s->page()->addedList()->item(0)->text(), QStringLiteral("127.  0.  0.  1  - tutaj"));
}

void PingServiceTest::laterCheckAnnouncesHostsGoingDown()
{
    auto s = makeService();
    // Found up before, the address now never answers.
    s->setHosts({{1, kDown, QStringLiteral("serwer")}});
    QVERIFY(run(*s, [&] { return s->checkAddedHosts(); }));
    QCOMPARE(s->changes(), (QList<PingChange>{{false, QStringLiteral("serwer")}}));
    QCOMPARE(pingBalloonText(s->changes()), QStringLiteral("[-] serwer"));
}

void PingServiceTest::noAutomaticOptionNoAnnouncement()
{
    m_settings.checkAtStart = false;
    m_settings.autoCheck = false;
    auto s = makeService();
    s->setHosts({{-1, kUp, QString()}});
    QVERIFY(run(*s, [&] { return s->checkAddedHosts(); }));
    QCOMPARE(s->hosts()[0].status, 1);
    QCOMPARE(s->changes().size(), 1);
    QVERIFY(!s->popup()->isVisible());
}

void PingServiceTest::rangeGivenEndFirstScansTheSameAddresses()
{
    m_settings.lookUpNames = false;
    auto s = makeService();
    QVERIFY(run(*s, [&] { return s->scanRange(QStringLiteral("127.0.0.3"), QStringLiteral("127.0.0.1")); }));
    QCOMPARE(s->range().size(), 3);
    QCOMPARE(s->range()[0].ip, QStringLiteral("127.0.0.1"));
    QCOMPARE(s->range()[2].ip, QStringLiteral("127.0.0.3"));
    for (const PingHost& h : s->range())
        QCOMPARE(h.status, 1); // all of 127/8 is this machine
    QCOMPARE(s->rangeChanges().size(), 3);
    QVERIFY(!s->popup()->isVisible()); // a scan announces nothing
    // Saving a range across networks keeps the start's network in both.
    QCOMPARE(rangeEndToStore(QStringLiteral("10.1.2.3"), QStringLiteral("192.168.0.77")), QStringLiteral("10.1.2.77"));
}

void PingServiceTest::storedListStartsUnchecked()
{
    {
        auto s = makeService();
        s->setHosts({{1, kUp, QStringLiteral("a|b")}});
        QVERIFY(s->save());
    }
    auto s = makeService();
    QCOMPARE(s->hosts().size(), 1);
    QCOMPARE(s->hosts()[0].status, -1);
    QCOMPARE(s->hosts()[0].name, QStringLiteral("ab")); // a separator never gets into a field
}

void PingServiceTest::messengerNeverClaimsSuccess()
{
    MessengerWindow window(kUp, m_prompts);
    window.show();
    auto* send = window.findChild<QPushButton*>(QStringLiteral("MessengerSend"));
    QVERIFY(!send->isEnabled());
    window.findChild<QPlainTextEdit*>(QStringLiteral("MessengerText"))->setPlainText(QStringLiteral("Cześć"));
    QVERIFY(send->isEnabled());
    QCOMPARE(messengerResultText(MessengerWindow::sendNetMessage(kUp, QStringLiteral("x"))),
             QStringLiteral("Sieć nie obsługuje usługi."));
    QCOMPARE(messengerResultText(12345), QStringLiteral("Nie można wysłać wiadomości."));
}

void PingServiceTest::hostDialogRefusesAnAddressAlreadyListed()
{
    RecordingPrompts quiet;
    const QList<PingHost> hosts{{1, QStringLiteral("10.0.0.1"), QString()}, {0, QStringLiteral("10.0.0.2"), QString()}};
    struct Case {
        int editing;
        QString ip;
        bool accepted;
    };
    for (const Case& c : {Case{-1, QStringLiteral("10.0.0.1"), false}, Case{-1, QStringLiteral("10.0.0.3"), true},
                          Case{0, QStringLiteral("10.0.0.1"), true}, Case{0, QStringLiteral("10.0.0.2"), false},
                          Case{-1, QStringLiteral("komputer"), false}}) {
        PingHostDialog dialog(hosts, c.editing, quiet);
        dialog.findChild<QLineEdit*>(QStringLiteral("HostIp"))->setText(c.ip);
        dialog.accept();
        QCOMPARE(dialog.result() == QDialog::Accepted, c.accepted);
        if (c.accepted && c.editing >= 0)
            QCOMPARE(dialog.host().status, hosts[c.editing].status); // a change keeps the status
    }
}

void PingServiceTest::runOutlivesItsPage()
{
    auto s = makeService();
    s->setHosts({{-1, kUp, QString()}});
    QVERIFY(s->checkAddedHosts());
    delete s->page(); // the Tools window goes first at the end
    QVERIFY(QTest::qWaitFor([&] { return !s->running(); }, 5000));
    QCOMPARE(s->hosts()[0].status, 1);
}

void PingServiceTest::dialogsKeepToolsDisabled_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QStringList>("ips");
    const QString listed = QStringLiteral("10.0.0.1");
    QTest::newRow("Dodaj IP, confirmed") << "AddIp" << true << QStringList{listed, QStringLiteral("10.0.0.9")};
    QTest::newRow("Dodaj IP, cancelled") << "AddIp" << false << QStringList{listed};
    QTest::newRow("Zmień IP, confirmed") << "EditIp" << true << QStringList{QStringLiteral("10.0.0.9")};
    QTest::newRow("posłaniec, closed") << "MessengerAdded" << false << QStringList{listed};
}

// The host dialog and the messenger window are windows of their own; the
// Tools window stays disabled while one is open and is enabled again after.
void PingServiceTest::dialogsKeepToolsDisabled()
{
    QFETCH(QString, button);
    QFETCH(bool, confirm);
    QFETCH(QStringList, ips);
    auto s = makeService();
    s->setHosts({{1, QStringLiteral("10.0.0.1"), QString()}});
    QWidget tools;
    PingPage* page = s->page();
    page->setParent(&tools);
    tools.show();
    page->addedList()->setCurrentRow(0);
    page->findChild<QPushButton*>(button)->click();
    QDialog* dialog = page->openDialog();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!dialog->parent());
    QVERIFY(!tools.isEnabled());
    if (auto* ip = dialog->findChild<QLineEdit*>(QStringLiteral("HostIp")))
        ip->setText(QStringLiteral("10.0.0.9"));
    confirm ? dialog->accept() : dialog->reject();
    QVERIFY(QTest::qWaitFor([&] { return !page->openDialog(); }, 5000));
    QVERIFY(tools.isEnabled());
    QStringList now;
    for (const PingHost& h : s->hosts())
        now << h.ip;
    QCOMPARE(now, ips);
    page->setParent(nullptr);
}

void PingServiceTest::deleteKeyAsksThenRemoves_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("ips");
    QTest::newRow("yes") << true << QStringList{QStringLiteral("10.0.0.2")};
    QTest::newRow("no") << false << QStringList{QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")};
}

void PingServiceTest::deleteKeyAsksThenRemoves()
{
    QFETCH(bool, yes);
    QFETCH(QStringList, ips);
    auto s = makeService();
    s->setHosts({{1, QStringLiteral("10.0.0.1"), QString()}, {0, QStringLiteral("10.0.0.2"), QString()}});
    PingPage* page = s->page();
    page->show();
    page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page));
    QListWidget* list = page->addedList();
    list->setCurrentRow(0);
    list->setFocus();
    bool answered = false;
    QTimer::singleShot(0, this, [&] {
        answered = test::answerWhenAsked(QStringLiteral("Na pewno usunąć wybraną pozycję z listy?"), yes, 5000);
    });
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(answered);
    QStringList now;
    for (const PingHost& h : s->hosts())
        now << h.ip;
    QCOMPARE(now, ips);
}

QTEST_MAIN(PingServiceTest)
#include "tst_pingservice.moc"
