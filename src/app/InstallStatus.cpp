#include "app/Application.h"
#include "app/ShellServices.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "core/app/SettingsStore.h"
#include "core/common/PathTable.h"
#include "ui/app/MainWindow.h"
#include "ui/app/TrayIcon.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/common/HintWindow.h"
#include "ui/common/Messages.h"
#include "ui/status/GaugeArea.h"
#include "ui/status/LinuxStatusSources.h"
#include "ui/status/MousePages.h"
#include "ui/status/StatusService.h"
#include "ui/status/RemovableDrivesWindow.h"
#include "ui/status/TrafficPages.h"
#include "ui/status/TransferChartWindow.h"
#include "ui/status/UsageChartsPage.h"
#include "ui/status/UptimePages.h"

#include <QTimer>

namespace zorvex {

// The system statistics (uptime log, mouse odometer, network traffic) and
// the resource gauges: their pages, the loop's steps, the autosave record's
// counters and the tray's live values.
void Application::installStatus()
{
    LoopRegistry& loop = m_loop->services();

    m_statusSources = std::make_unique<LinuxStatusSources>();
    m_status = std::make_unique<StatusService>(m_clock, m_paths, m_settings, m_statusSources->set());
    // A record a crash left behind is taken over before the runs are read.
    if (!m_status->start(m_paths.path(PathId::Autozapis), m_settings.tools.autoSave))
        m_prompts->window(QMessageBox::Warning, QStringLiteral("Zorvex - Statystyka"),
                          QStringLiteral("Nie udało się odczytać lub zapisać pliku statystyki czasu pracy "
                                         "(Czas.ini, Czas2.ini). Pliki pozostawiono bez zmian, a nowe uruchomienia "
                                         "komputera nie zostały dopisane."));
    m_shell->setAutosaveSource(&m_status->autosaveSource());

    for (TickStep step : {TickStep::UptimePage, TickStep::CpuSample, TickStep::MouseSample, TickStep::MemorySample})
        loop.addTick(step, *m_status);
    for (DayStep step : {DayStep::UptimeDay, DayStep::MouseCommit, DayStep::TrafficCommit})
        loop.addDayChange(step, *m_status);
    for (ShutdownStepId step : {ShutdownStepId::CommitMouseDistance, ShutdownStepId::CommitTraffic})
        loop.addShutdown(step, *m_status);

    m_uptimePages = new UptimePages(*m_status, m_settings, *m_prompts, m_status.get());
    m_tools->setPageContent(page::UptimeByDay, m_uptimePages->byDay());
    m_tools->setPageContent(page::UptimeByMonth, m_uptimePages->byMonth());
    m_tools->setPageContent(page::UptimeChart, m_uptimePages->chart());
    m_tools->setPageContent(page::UptimeInfo, m_uptimePages->info());
    m_mousePages = new MousePages(*m_status, m_settings, m_status.get());
    m_tools->setPageContent(page::MouseByDay, m_mousePages->byDay());
    m_tools->setPageContent(page::MouseByMonth, m_mousePages->byMonth());
    m_tools->setPageContent(page::MouseChart, m_mousePages->chart());
    m_trafficPages = new TrafficPages(*m_status, m_settings, m_status.get());
    m_tools->setPageContent(page::TrafficNow, m_trafficPages->now());
    m_tools->setPageContent(page::TrafficByDay, m_trafficPages->byDay());
    m_tools->setPageContent(page::TrafficByMonth, m_trafficPages->byMonth());
    m_tools->setPageContent(page::TrafficChart, m_trafficPages->chart());
    auto* charts = new UsageChartsPage(*m_status, m_settings);
    m_tools->setPageContent(page::Charts, charts);
    // While this page shows, the Tools window may stay on top of the others.
    connect(charts, &UsageChartsPage::keepOnTopChanged, m_tools.get(),
            [tools = m_tools.get(), busy = std::make_shared<bool>(false)](bool on) {
                if (*busy || tools->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
                    return;
                *busy = true; // the change of flags hides and shows the window
                const bool shown = tools->isVisible();
                tools->setWindowFlag(Qt::WindowStaysOnTopHint, on);
                if (shown)
                    tools->show();
                *busy = false;
            });
    // The traffic lists and chart need the statistic; without it their
    // codes open "Aktualnie".
    m_tools->setPageRoutingSource([this] {
        PageRouting routing;
        routing.trafficStatisticOn = m_settings.siec.active;
        return routing;
    });

    // The gauge rows, the disk icon with its card and the transfer box of
    // the main window's information panel.
    m_gauges = new GaugeArea(*m_status, m_settings, m_paths.dataFolder(), m_main->infoPanel());
    loop.addTick(TickStep::FreeSpaceCard, *m_gauges);
    if (HintController* hints = HintController::install()) {
        connect(hints, &HintController::cardRequested, m_gauges, [this](QWidget* w, const QPoint& at) {
            if (w == m_gauges->diskIcon())
                m_gauges->showCard(at);
        });
    }
    const auto optionsChanged = [this] {
        m_status->applyOptions();
        m_gauges->relayout();
    };
    connect(m_tools.get(), &ToolsWindow::gaugeModesChanged, m_status.get(), optionsChanged);
    connect(m_tools.get(), &ToolsWindow::layoutChanged, m_status.get(), optionsChanged);
    auto* removable = new RemovableDrivesWindow(m_settings.main, m_tools.get());
    removable->setParent(m_gauges, removable->windowFlags());
    connect(m_tools.get(), &ToolsWindow::removableDrivesRequested, removable, &RemovableDrivesWindow::open);
    connect(m_main.get(), &MainWindow::reapplyLookRequested, m_gauges, [this] {
        m_gauges->loadDiskIcon();
        m_gauges->relayout();
    });

    // "Status sieciowy": fed every second, shown on command 42, at start
    // when asked for, and from the traffic page's "Ustawienia wykresu".
    m_transferChart = std::make_unique<TransferChartWindow>(m_settings.siecWykres);
    m_transferChart->setDockTarget(m_main.get());
    connect(m_status.get(), &StatusService::trafficSampled, m_transferChart.get(), [this] {
        const TrafficMonitor& t = m_status->trafficMonitor();
        m_transferChart->addSample(t.receivedPerSecond(), t.sentPerSecond());
    });
    connect(m_transferChart.get(), &TransferChartWindow::settingsChanged, this,
            [this] { m_store->saveSection(m_settings.siecWykres); });
    connect(m_trafficPages, &TrafficPages::chartSettingsRequested, m_transferChart.get(),
            &TransferChartWindow::openSettings);
    registerCommand(page::TransferChart, [this] { m_transferChart->open(); });
    m_status->closeWindows = [this] {
        if (m_transferChart->isVisible())
            m_transferChart->close();
    };
    loop.addShutdown(ShutdownStepId::CloseSecondaryWindows, *m_status);
    if (m_settings.siecWykres.showAtStart && m_settings.siec.active)
        QTimer::singleShot(0, m_transferChart.get(), [this] { m_transferChart->open(); });

    // The tray icon and its hint follow the values.
    m_main->setStatusValues(m_status.get());
    if (TrayIcon* tray = m_main->trayIcon()) {
        connect(m_status.get(), &StatusService::gaugesChanged, tray, [tray] { tray->update(); });
        connect(m_status.get(), &StatusService::trafficSampled, tray, [tray] { tray->update(); });
        // The open chart comes along when it is set to follow the tray click.
        connect(tray, &TrayIcon::windowShownFromTray, m_transferChart.get(), [this] {
            if (m_settings.siecWykres.trayClickRaises && m_transferChart->isVisible())
                m_transferChart->raise();
        });
    }
}

} // namespace zorvex
