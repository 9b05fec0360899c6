#include "core/app/LoopRegistry.h"
#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/app/StartupTasks.h"
#include "core/common/IniFile.h"
#include "core/common/PathTable.h"
#include "core/internet/InstallDispatcher.h"
#include "core/internet/ProgramUpdate.h"
#include "core/internet/ZlbArchive.h"
#include "core/internet/SettingsBackup.h"
#include "platform/internet/NetworkAccess.h"
#include "support/FakeClock.h"
#include "support/FakeInternet.h"
#include "support/FileFixture.h"
#include "support/ServiceSimProcess.h"
#include "ui/common/Messages.h"
#include "ui/internet/InternetService.h"
#include "ui/internet/OtherPagePanel.h"
#include "MessageWindows.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;
using zorvex::test::messageTexts;

class TestInternetService : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void checkRefreshesEveryListAndOffersTheProgram();
    void programInstalledBySystem();
    void silentCheckRetriesOnTheClock();
    void addonFromALinkWithYes();
    void backupRestoresAndRestarts();
    void questionsWithoutAPersonAnswerNo();
    void startupRegistersAndStartsWithTheSession();
    void proxyDialogAppliesTheProxy();

private:
    struct Program;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ServiceSimProcess> m_sim;
    QString m_data;
};

struct TestInternetService::Program {
    FakeClock clock{QDateTime(QDate(2026, 3, 7), QTime(9, 0))};
    PathTable paths;
    Settings settings;
    SettingsStore store;
    zorvex::test::FakeDesktopIntegration desktop;
    zorvex::test::FakeInterfaceProbe probe;
    zorvex::test::FakeDesktopProxy desktopProxy;
    // Real windows, which the tests find and answer; without a person
    // (`quiet`) every question is answered No.
    std::unique_ptr<Prompts> prompts;
    QString updaterLog;
    std::unique_ptr<InternetService> service;
    QStringList events;

    Program(const QString& data, const QString& serviceBase, const QString& updater, bool bySystem = false,
            bool quiet = false)
        : paths(data, u"Jan"_s, QString())
        , store(paths.path(PathId::Ustawienia))
    {
        if (quiet)
            prompts = std::make_unique<QuietPrompts>();
        else
            prompts = std::make_unique<BoxPrompts>();
        settings.serwis.serviceBase = serviceBase;
        InternetContext c{clock, paths, settings, store, desktop, probe, desktopProxy, *prompts, u"ABCDEF"_s,
                          u"/opt/zorvex/zorvex"_s, bySystem, updater};
        service = std::make_unique<InternetService>(c);
        service->saveSettings = [this] {
            events << u"save"_s;
            store.save(settings);
        };
        service->restartAfterRestore = [this] { events << u"restart"_s; };
        service->closeProgram = [this] { events << u"close"_s; };
        service->listReplaced = [this](UpdateList l) { events << u"list %1"_s.arg(int(l)); };
        service->applyAddonItem = [this](const AddonItem& i) { events << u"apply "_s + i.name; };
        service->addonsInstalled = [this] { events << u"installed"_s; };
        service->addRadioStation = [this](const QString& r) { events << u"radio "_s + r; };
        service->startup();
    }
};

void TestInternetService::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_data = m_dir->filePath(u"dane/"_s);
    QDir().mkpath(m_data);
    zorvex::test::writeFile(m_data + u"Ustawienia_Jan.ini"_s, "[Vuzuvured]\r\nPozycja=4\r\n");
    zorvex::test::writeFile(m_data + u"Ruch.ini"_s, "[Vuzuvured]\r\nBlokuj=1\r\n");
    m_sim = std::make_unique<ServiceSimProcess>();
    QVERIFY2(m_sim->start(), qPrintable(m_sim->error()));
}

void TestInternetService::cleanup()
{
    zorvex::test::closeMessageWindows();
    m_sim.reset();
}

void TestInternetService::checkRefreshesEveryListAndOffersTheProgram()
{
    // An updater that only notes how it was started.
    const QString updater = m_dir->filePath(u"updater"_s);
    // Written aside and renamed, so the test never reads it half written.
    const QByteArray logPath = m_dir->filePath(u"updater.log"_s).toUtf8();
    zorvex::test::writeFile(updater, "#!/bin/sh\necho \"$@\" > '" + logPath + ".part' && mv '" + logPath + ".part' '" + logPath + "'\n");
    QFile::setPermissions(updater, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    Program p(m_data, m_sim->serviceBase(), updater);
    auto* button = p.service->otherPagePanel()->findChild<QPushButton*>(u"CheckUpdateButton"_s);
    button->click();
    QVERIFY(!button->isEnabled());
    QVERIFY(zorvex::test::answerWhenAsked(u"Jest już nowa wersja Zorvex: 29.86"_s, true));
    QVERIFY(button->isEnabled());
    QVERIFY(messageTexts().contains(u"Zorvex - Aktualizacja: Zaktualizowano:\n- Pogoda - Lista map\n- Pogoda - Lista "
                                    u"miast\n- Lista w Internet - Różne\n- Lista serwerów synchronizacji czasu\n- Lista "
                                    u"stacji radiowych\n"_s));
    QVERIFY(zorvex::test::fileBytes(m_data + u"ListaMiast.ini"_s).startsWith("Dolno\x9Cl\xB9skie|\r\nWroc\xB3" "aw|101\r\n"));
    for (const char* name : {"Pogoda2.ini", "Rozne.ini", "Synchro.ini", "RadioL.ini"})
        QVERIFY2(QFileInfo(m_data + QLatin1String(name)).size() > 0, name);
    QCOMPARE(p.events.mid(0, 5), (QStringList{u"list 0"_s, u"list 1"_s, u"list 2"_s, u"list 3"_s, u"list 4"_s}));
    // The date of the check is in the settings file at once.
    QCOMPARE(IniFile::load(m_data + u"Ustawienia_Jan.ini"_s).readString(u"Ustawienia"_s, u"AktualizacjaData"_s),
             u"07.03.2026"_s);
    QVERIFY(IniFile::load(m_data + u"Profile.ini"_s).readString(u"Vuzuvured"_s, u"Update"_s).startsWith(u"UPDATE|29.86|"_s));
    QVERIFY(p.service->otherPagePanel()->updateGroup()->title().startsWith(u"Aktualizacja danych Zorvex (ostatnio sprawdzana: "_s));

    // Yes: the program's files come down beside their places, then the
    // updater takes over and the program closes.
    QTRY_COMPARE_WITH_TIMEOUT(p.events.last(), u"close"_s, 15000);
    QVERIFY(zorvex::test::fileBytes(m_data + u"Zmiany.txt.tmp"_s).startsWith("Zorvex"));
    QVERIFY(QFileInfo::exists(m_data + u"Gfx/Tapety/Zima.jpg.tmp"_s));
    QVERIFY(QFileInfo::exists(m_data + u"Pomoc/Ściąga - skróty klawiszowe.txt.tmp"_s));
    QVERIFY(!QFileInfo::exists(m_data + u"Zmiany.txt"_s));
    const auto list = readUpdateList(m_data + u"update.tmp"_s);
    QCOMPARE(list.size(), 3);
    QCOMPARE(list.front().second, m_data + u"Zmiany.txt"_s);
    QTRY_VERIFY(QFileInfo::exists(m_dir->filePath(u"updater.log"_s)));
    QVERIFY(zorvex::test::fileBytes(m_dir->filePath(u"updater.log"_s))
                .startsWith((u"--data-dir "_s + m_data + u" --wait-pid "_s).toUtf8()));

    // A second check finds everything current.
    zorvex::test::closeMessageWindows();
    button->click();
    QVERIFY(zorvex::test::answerWhenAsked(u"Jest już nowa wersja Zorvex"_s, false));
    QVERIFY(!messageTexts().join(u'\n').contains(u"Zaktualizowano"_s));
}

void TestInternetService::programInstalledBySystem()
{
    Program p(m_data, m_sim->serviceBase(), QString(), true);
    p.service->checkForUpdates();
    QTRY_VERIFY_WITH_TIMEOUT(messageTexts().join(u'\n').contains(u"menedżerem pakietów systemu"_s), 15000);
    QVERIFY(!zorvex::test::answer(u"Jest już"_s, true)); // no question
    QVERIFY(!QFileInfo::exists(m_data + u"Zmiany.txt.tmp"_s));
}

void TestInternetService::silentCheckRetriesOnTheClock()
{
    ServiceSimProcess failing;
    QVERIFY2(failing.start({u"--fault"_s, u"http500"_s}), qPrintable(failing.error()));
    Program p(m_data, failing.serviceBase(), QString());
    // The main loop's start-up task and retry, as the program registers them.
    LoopRegistry loop;
    StartupTasks tasks;
    loop.addStartup(StartupTasks::UpdateCheckAtStart, *p.service);
    loop.setRetry(RetryTask::UpdateCheck, *p.service);
    p.service->armUpdateRetry = [&] { tasks.armUpdateRetry(p.clock.now()); };
    p.service->dropUpdateRetry = [&] { tasks.dropUpdateRetry(); };
    tasks.run(loop, p.clock.now(), true);
    QTRY_VERIFY_WITH_TIMEOUT(!p.service->updateCheckRunning(), 15000);
    QCOMPARE(failing.log().size(), 1);
    QVERIFY(messageTexts().isEmpty()); // automatic runs say nothing
    QVERIFY(tasks.updateRetryArmed());

    p.clock.advanceMs(200 * 1000);
    tasks.run(loop, p.clock.now(), true);
    QVERIFY(!p.service->updateCheckRunning());
    p.clock.advanceMs(100 * 1000);
    tasks.run(loop, p.clock.now(), true);
    QVERIFY(p.service->updateCheckRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!p.service->updateCheckRunning(), 15000);
    QCOMPARE(failing.log().size(), 2);
    QVERIFY(tasks.updateRetryArmed());

    // The interactive check says what went wrong.
    p.service->checkForUpdates();
    QTRY_VERIFY_WITH_TIMEOUT(messageTexts().join(u'\n').contains(u"Wystąpił problem podczas połączenia z serwerem"_s),
                             15000);
    QVERIFY(messageTexts().join(u'\n').contains(u"HTTP 500"_s));
    QVERIFY(!tasks.updateRetryArmed());
}

void TestInternetService::addonFromALinkWithYes()
{
    Program p(m_data, m_sim->serviceBase(), QString());
    // A "zvx:" link of an add-on page, opened as `zorvex --yes LINK` would.
    p.service->handOver(u"zvx:"_s + m_sim->baseUrl() + u"dodatki/Sloneczko.zvxd"_s, true);
    QTRY_VERIFY_WITH_TIMEOUT(p.events.contains(u"installed"_s), 15000);
    QVERIFY(QDir(m_data + u"Gfx/Pogoda"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() == 1);
    QVERIFY(p.events.contains(u"save"_s));
    QVERIFY(std::any_of(p.events.cbegin(), p.events.cend(), [](const QString& e) { return e.startsWith(u"apply "_s); }));
    QVERIFY(messageTexts().join(u'\n').contains(u"Zorvex - Dodatki: Zainstalowano:\nIkony pogody:\n- "_s));

    // A stream address goes to the radio.
    p.service->handOver(u"http://radio.example.pl:8000/"_s);
    QCOMPARE(p.events.last(), u"radio http://radio.example.pl:8000/"_s + QChar(0x02D9) + u"http://radio.example.pl:8000/"_s);
}

void TestInternetService::backupRestoresAndRestarts()
{
    zorvex::test::writeFile(m_data + u"Osoby.ini"_s, "Jan|01.01\r\n");
    Program p(m_data, m_sim->serviceBase(), QString());
    const QString backup = m_dir->filePath(u"kopia.zvx"_s);
    QVERIFY(p.service->backupTo(backup));
    QCOMPARE(p.settings.tools.backupFolder, m_dir->path());
    QCOMPARE(IniFile::load(m_data + u"Ustawienia_Jan.ini"_s).readString(u"Ustawienia"_s, u"KopiaSci"_s), m_dir->path());
    const QByteArray settingsAtBackup = zorvex::test::fileBytes(m_data + u"Ustawienia_Jan.ini"_s);

    zorvex::test::writeFile(m_data + u"Osoby.ini"_s, "zmienione");
    p.service->handOver(backup);
    QVERIFY(zorvex::test::answer(QString::fromUtf8(kRestoreQuestion), true));
    QCOMPARE(p.events.last(), u"restart"_s);
    QCOMPARE(zorvex::test::fileBytes(m_data + u"Osoby.ini"_s), QByteArray("Jan|01.01\r\n"));
    QCOMPARE(zorvex::test::fileBytes(m_data + u"Ustawienia_Jan.ini"_s), settingsAtBackup);

    // A package renamed to ".zvx" is refused as a whole.
    {
        ZlbArchive a;
        QVERIFY(a.createArchive(m_dir->filePath(u"pakiet.zvx"_s)));
        zorvex::test::writeFile(m_dir->filePath(u"obraz.png"_s), "png");
        QVERIFY(a.addFiles({m_dir->filePath(u"obraz.png"_s)}));
    }
    p.events.clear();
    p.service->handOver(m_dir->filePath(u"pakiet.zvx"_s), true);
    QVERIFY(p.events.isEmpty());
    QVERIFY(messageTexts().contains(u"Zorvex: Wybrany plik nie jest kopią zapasową ustawień."_s));
}

void TestInternetService::questionsWithoutAPersonAnswerNo()
{
    Program p(m_data, m_sim->serviceBase(), QString(), false, true);
    const QString backup = m_dir->filePath(u"kopia.zvx"_s);
    QVERIFY(p.service->backupTo(backup));
    p.events.clear();
    p.service->handOver(backup);
    QVERIFY(p.events.isEmpty());
    // --yes answers for that one file.
    p.service->handOver(backup, true);
    QCOMPARE(p.events, QStringList{u"restart"_s});
}

void TestInternetService::startupRegistersAndStartsWithTheSession()
{
    {
        Program p(m_data, m_sim->serviceBase(), QString());
        QCOMPARE(p.desktop.calls, (QStringList{u"types 1 1"_s, u"autostart 1"_s}));
        QVERIFY(p.service->otherPagePanel()->autostartBox()->isChecked());
        // Switched off on the page: remembered for the save pass.
        p.service->otherPagePanel()->autostartBox()->setChecked(false);
        QVERIFY(!p.desktop.autostart);
        QVERIFY(!p.settings.autostart.autostart);
        p.store.save(p.settings);
    }
    zorvex::test::writeFile(m_data + u"Ustawienia_Jan.ini"_s, "[Skojarzenia]\r\nzvx=0\r\nzvxd=1\r\n[Inne]\r\nAutostart=0\r\n");
    Program p(m_data, m_sim->serviceBase(), QString());
    p.store.load(p.settings);
    p.desktop.calls.clear();
    p.service->startup();
    QCOMPARE(p.desktop.calls, QStringList{u"types 0 1"_s});
}

void TestInternetService::proxyDialogAppliesTheProxy()
{
    Program p(m_data, m_sim->serviceBase(), QString());
    QWidget tools;
    p.service->toolsWindow = [&] { return &tools; };
    p.service->openProxyDialog();
    QWidget* d = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"ProxyDialog"_s && w->isVisible())
            d = w;
    QVERIFY(d);
    d->findChild<QCheckBox*>(u"CheckBox1"_s)->setChecked(true);
    d->findChild<QLineEdit*>(u"Edit6"_s)->setText(u"127.0.0.1"_s);
    d->findChild<QLineEdit*>(u"Edit7"_s)->setText(u"9"_s);
    d->findChild<QPushButton*>(u"OkButton"_s)->click();
    QCOMPARE(p.service->network().proxy(), (ProxyUse{true, u"127.0.0.1"_s, 9, {}, {}}));
    QVERIFY(tools.isEnabled());
}

QTEST_MAIN(TestInternetService)
#include "tst_internetservice.moc"
