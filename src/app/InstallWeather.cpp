#include "app/Application.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/calendar/CalendarView.h"
#include "ui/internet/InternetService.h"
#include "ui/internet/WeatherService.h"

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

    // A city list replaced by the data update shows at once.
    m_internet->listReplaced = [this, previous = m_internet->listReplaced](UpdateList list) {
        if (list == UpdateList::Cities)
            m_weather->reloadCities();
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
}

} // namespace zorvex
