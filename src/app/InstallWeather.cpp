#include "app/Application.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/calendar/CalendarView.h"
#include "ui/internet/InternetService.h"
#include "ui/internet/MiscService.h"
#include "ui/internet/WeatherMapsService.h"
#include "ui/internet/WeatherService.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/calendar/ZodiacController.h"
#include "ui/reminders/AlarmPage.h"
#include "ui/reminders/AlarmService.h"

#include <QStandardPaths>

namespace zorvex {

// The forecast page and the desktop weather icon, fetched through the
// internet service's network access and service client.
void Application::installWeather()
{
    LoopRegistry& loop = m_loop->services();
    WeatherContext context{m_clock,    m_paths,     m_settings,          *m_store, *m_interfaces,
                           m_internet->network(), m_internet->service(), *m_prompts};
    m_weather = std::make_unique<WeatherService>(context);
    WeatherService& weather = *m_weather;
    weather.scheduleRefresh = [this](const QDateTime& reference) { m_loop->scheduleWeatherRefresh(reference); };
    weather.cancelRefresh = [this] { m_loop->cancelWeatherRefresh(); };
    weather.setIntervalReference = [this](const QDateTime& time) {
        m_loop->setReference(IntervalTask::WeatherIcon, time);
    };
    weather.showIcon = [this](const QImage& icon, const QString& hint) {
        m_calendar->setWeatherIcon(!icon.isNull(), hint, icon);
    };

    // Lists replaced by the data update show at once.
    m_internet->listReplaced = [this, previous = m_internet->listReplaced](UpdateList list) {
        if (list == UpdateList::Cities)
            m_weather->reloadCities();
        else if (list == UpdateList::Maps)
            m_maps->reloadLists();
        else if (list == UpdateList::Misc)
            m_misc->reloadList();
        previous(list);
    };
    weather.openPage = [this] { m_tools->openPage(page::WeatherCities); };
    connect(m_calendar.get(), &CalendarView::weatherMenuRequested, &weather, &WeatherService::popupMenu);

    m_tools->setPageContent(page::WeatherCities, weather.page());
    loop.addDayChange(DayStep::WeatherDays, weather);
    loop.setInterval(IntervalTask::WeatherIcon, weather);
    loop.setMidnightRefresh(weather);
    loop.addShutdown(ShutdownStepId::AbortNetworkWork, weather);
    registerAction(QStringLiteral("weather-refresh"), [this] {
        if (!m_weather->refreshAvailable())
            return QStringLiteral("Ikona pogody jest właśnie odświeżana.");
        m_weather->refreshIcon(true);
        return QString();
    });
    weather.startup();

    // The weather maps, their pictures cached apart from the data folder.
    const QString mapCache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/mapy");
    m_maps = std::make_unique<WeatherMapsService>(WeatherMapsContext{m_clock, m_paths, m_settings, *m_interfaces,
                                                                     m_internet->network(), mapCache, *m_prompts});
    m_tools->setPageContent(page::WeatherMaps, m_maps->page());
    m_store->addListWriter([this] { m_maps->save(); });

    installMiscPages();
}

// The service's web pages ("Różne", the shoutbox) and the horoscope menu.
void Application::installMiscPages()
{
    m_misc = std::make_unique<MiscService>(
        MiscContext{m_clock, m_paths, m_settings, *m_interfaces, m_internet->service(), *m_prompts});
    MiscService& misc = *m_misc;
    misc.openTools = [this](int code) { m_tools->openPage(code); };
    misc.startAlarm = [this](const AlarmLink& alarm) {
        return m_alarms->page()->beginAddFromLink(alarm.when, alarm.text);
    };
    ContextMenu* menu = m_main->contextMenu();
    menu->setMiscListProvider([this] { return m_misc->menuEntries(); });
    misc.menuChanged = [menu] { menu->refreshDynamicSubmenus(); };
    connect(menu, &ContextMenu::miscListEntryChosen, &misc, &MiscService::showMenuEntry);
    connect(m_tools.get(), &ToolsWindow::miscMenuEditorRequested, &misc,
            [this] { m_misc->editMenu(m_tools.get()); });
    connect(m_zodiac.get(), &ZodiacController::horoscopeRequested, &misc, &MiscService::showHoroscope);
    m_tools->setPageContent(page::Misc, misc.page());
    m_tools->setPageContent(page::ShoutBox, misc.shoutboxPage());
    m_store->addListWriter([this] { m_misc->save(); });
    registerAction(QStringLiteral("misc-page"), [this] {
        m_misc->showMiscPage(0);
        m_tools->openPage(page::Misc);
        return QString();
    });
}

} // namespace zorvex
