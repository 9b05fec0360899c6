#pragma once

#include "core/internet/WeatherCities.h"
#include "core/internet/WeatherForecast.h"
#include "core/shell/LoopServices.h"
#include "ui/internet/WeatherPage.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QMenu;
class QPushButton;

namespace zorvex {

class Prompts;

class Clock;
class InterfaceProbe;
class NetworkAccess;
class PathTable;
class ServiceClient;
class SettingsStore;
class TextRequestClient;
struct Settings;

// What the weather is given by the program.
struct WeatherContext {
    const Clock& clock;
    const PathTable& paths;
    Settings& settings;
    const SettingsStore& store; // the icon's fetch is written at once
    const InterfaceProbe& interfaces;
    NetworkAccess& network;
    const ServiceClient& service;
    Prompts& prompts;
};

// The forecast page and the desktop weather icon. Each has its own request
// client, so both may fetch at once; every request ends on the event loop
// and its button stays disabled meanwhile. Silent runs (start, timers,
// midnight) show nothing and keep the old icon when they fail.
class WeatherService : public QObject,
                       public DayChangeService,
                       public IntervalService,
                       public MidnightRefreshService,
                       public ShutdownService {
    Q_OBJECT
public:
    explicit WeatherService(WeatherContext context, QObject* parent = nullptr);
    ~WeatherService() override;

    // The Tools window owns it once placed.
    WeatherPage* page() const { return m_page; }

    // At start, once the settings are loaded: the lists, the page, and the
    // stored icon or the refresh due at once.
    void startup();
    // The city list is read afresh (the data update may have replaced it).
    void reloadCities();

    // FetchForecast ("Pokaż" and the weather menu).
    void fetchForecast();
    // RefreshIcon.
    void refreshIcon(bool interactive);
    // Draws the shown icon again, as after a change of the temperature
    // colour; fetches nothing.
    void redrawIcon();
    bool refreshAvailable() const;
    // "Ikona pogody zamiast pory dnia...": off remembers the picture number.
    void setIconShown(bool shown);
    // "Usuń wybrany zestaw ikon pogody": after the question, the selected
    // set's folder goes with everything in it ("Domyślny" has none).
    void deleteIconSet();
    // The set list read afresh, keeping the chosen set when it is there.
    void reloadIconSets();

    // The picture number on the main window; 0 while the time-of-day picture
    // shows.
    int iconNumber() const { return m_number; }
    // WeatherHint; empty without data or picture.
    QString hint() const;
    const QStringList& dayNames() const { return m_dayNames; }

    // The weather menu: "Dziś", "Jutro", "Pojutrze", the two weekdays, and,
    // while the icon shows, "Odśwież". Shown without waiting.
    void popupMenu(const QPoint& globalPos);
    QMenu* menu() const { return m_menu.get(); }
    // A day entry: that day on the forecast page, the page opened, and the
    // forecast fetched when "Pokaż" is available.
    void showDayForecast(int day);

    // --- loop steps ---
    void dayChanged(DayStep step, const DayChange& change) override;
    Interval interval() const override;
    void runInterval(const QDateTime& now) override;
    bool refreshAfterMidnight() const override;
    void refreshIfAvailable() override;
    void shutdownStep(ShutdownStepId step, const QDate& today) override;

    // --- what the program answers ---
    // MainLoop::scheduleWeatherRefresh and its cancel.
    std::function<void(const QDateTime& reference)> scheduleRefresh = [](const QDateTime&) {};
    std::function<void()> cancelRefresh = [] {};
    // The icon's fetch time is the reference of its interval task.
    std::function<void(const QDateTime& time)> setIntervalReference = [](const QDateTime&) {};
    // DrawIcon's result on the calendar panel with the hint text; a null
    // image brings the time-of-day picture back.
    std::function<void(const QImage& icon, const QString& hint)> showIcon = [](const QImage&, const QString&) {};
    // Opens the Tools window at the page "Miasta".
    std::function<void()> openPage = [] {};

signals:
    void forecastShown(const zorvex::Forecast& forecast);
    // An icon fetch ended (ok false: it failed or the answer did not count).
    void iconRefreshed(bool ok);

private:
    using Done = std::function<void(const Forecast&)>;
    void fetch(TextRequestClient& client, QPushButton* button, int cityIndex, int day, bool interactive, Done done,
               std::function<void()> failed);
    void iconFetched(int day, const Forecast& forecast);
    bool drawIcon();
    void rebuildDays();
    void bindPage();
    QString iconSetsFolder() const;

    WeatherContext m_context;
    std::unique_ptr<TextRequestClient> m_weatherClient;
    std::unique_ptr<TextRequestClient> m_iconClient;
    QPointer<WeatherPage> m_page;
    std::unique_ptr<QMenu> m_menu;
    QList<WeatherCity> m_cities;
    QStringList m_dayNames;
    IconData m_iconData;
    int m_number = 0;     // shown on the main window
    int m_remembered = 0; // while the icon is off
};

} // namespace zorvex
