#include "app/Application.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "core/app/ProcessPriority.h"
#include "platform/FullScreenProbe.h"
#include "ui/app/ClockMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/app/TrayIcon.h"
#include "ui/common/QtColour.h"
#include "ui/net/StatusPopup.h"
#include "ui/common/Messages.h"
#include "ui/net/MailPage.h"
#include "ui/net/MailService.h"
#include "ui/net/NetTools.h"
#include "ui/net/PingPage.h"
#include "ui/net/PingService.h"
#include "ui/net/TimeSyncPage.h"
#include "ui/net/TimeSyncService.h"

namespace zorvex {

// The network tools: time synchronisation with its page, start-up run and
// retries, the mail checker and the ping monitor.
void Application::installNet()
{
    LoopRegistry& loop = m_loop->services();
    m_net = std::make_unique<NetTools>(NetTools::Context{m_clock, m_paths, *m_store, m_settings.synchro,
                                                         m_settings.pocz, m_settings.poczta, m_settings.ping, *m_prompts,
                                                         m_players.get(),
                                                         m_main->trayIcon(),
                                                         [this] { return m_system.defaultMailProgram(); }});

    const auto colours = [this] {
        return QPair<QColor, QColor>(toQColor(m_settings.main.background),
                                     toQColor(m_settings.main.textColour(TextElement::ScrollingText)));
    };

    TimeSyncService& sync = m_net->timeSync();
    m_net->setArmTimeSyncRetry([this] { m_loop->armTimeSyncRetry(); });
    m_tools->setPageContent(page::Time, sync.page());
    loop.addStartup(StartupTasks::TimeSyncAtStart, sync);
    loop.setRetry(RetryTask::TimeSync, sync);
    sync.busyChanged = [this](bool busy) { m_priority->setBusy(kBusyTimeSync, busy); };
    connect(m_main->clockMenu(), &ClockMenu::syncTimeRequested, &sync, [&sync] { sync.synchronizeNow(); });
    registerAction(QStringLiteral("sync-time"), [&sync] { return sync.synchronizeNow(); });

    MailService& mail = m_net->mail();
    m_tools->setPageContent(page::Mail, mail.page());
    m_store->addListWriter([&mail] { mail.save(); });
    loop.addStartup(StartupTasks::MailAtStart, mail);
    loop.setInterval(IntervalTask::MailCheck, mail);
    loop.setInterval(IntervalTask::MailStatusHide, mail.popupHide());
    loop.addDayChange(DayStep::MailCaption, mail);
    // Timer5: 200 ms, on only while new mail blinks Scroll Lock.
    auto* blink = new QTimer(m_net.get());
    blink->setInterval(200);
    connect(blink, &QTimer::timeout, this, [this] { m_loop->blinkTick(); });
    loop.addTick(TickStep::ScrollLock, mail);
    mail.blinkingChanged = [blink](bool on) { on ? blink->start() : blink->stop(); };
    mail.popupShown = [this] { m_loop->statusWindowShown(StatusWindow::Mail); };
    mail.popup()->calendarColours = colours;
    mail.busyChanged = [this](bool busy) { m_priority->setBusy(kBusyMailCheck, busy); };
    mail.openToolsPage = [this] { m_tools->openPage(page::Mail); };
    mail.intervalRestarted = [this] { m_loop->setReference(IntervalTask::MailCheck, m_clock.now()); };
    mail.fullScreenInFront = [this] { return m_fullScreen && m_fullScreen->fullScreenInFront(); };
    if (TrayIcon* tray = m_main->trayIcon()) {
        connect(tray, &TrayIcon::balloonClicked, &mail, [this, &mail](BalloonSource source) {
            if (source != BalloonSource::Mail)
                return;
            if (m_settings.pocz.balloonClick == 1)
                mail.startMailProgram();
            else if (m_settings.pocz.balloonClick == 2)
                mail.showMessagesWindow();
        });
    }
    registerCommand(page::ShowMail, [&mail] { mail.showMessagesWindow(); });
    registerCommand(page::MailProgram, [this, &mail] {
        if (const QString error = mail.startMailProgram(); !error.isEmpty())
            m_prompts->errorWindow(error);
    });
    registerAction(QStringLiteral("check-mail"), [&mail] { return mail.checkMailAction(); });

    PingService& ping = m_net->ping();
    m_tools->setPageContent(page::Ping, ping.page());
    m_store->addListWriter([&ping] { ping.save(); });
    loop.addStartup(StartupTasks::PingAtStart, ping);
    loop.setInterval(IntervalTask::PingCheck, ping);
    loop.setInterval(IntervalTask::PingStatusHide, ping.popupHide());
    ping.popupShown = [this] { m_loop->statusWindowShown(StatusWindow::Ping); };
    ping.popup()->calendarColours = colours;
    ping.intervalRestarted = [this] { m_loop->setReference(IntervalTask::PingCheck, m_clock.now()); };
    ping.busyChanged = [this](bool busy) { m_priority->setBusy(QStringLiteral("ping"), busy); };
    registerAction(QStringLiteral("ping"), [&ping] { return ping.checkAction(); });
}

} // namespace zorvex
