#include "ui/internet/WeatherService.h"

#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/common/Clock.h"
#include "core/common/IniFile.h"
#include "core/common/LineFile.h"
#include "core/common/PathTable.h"
#include "core/common/AddonFolder.h"
#include "core/internet/ServiceAnswer.h"
#include "core/internet/ServiceClient.h"
#include "platform/internet/NetworkAccess.h"
#include "ui/common/Messages.h"
#include "ui/common/AddonListMarks.h"
#include "ui/internet/InternetMessages.h"
#include "ui/internet/WeatherPage.h"
#include "ui/internet/WeatherPictures.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QToolButton>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace zorvex {

namespace {
constexpr qint64 kStartDelaySeconds = 300; // a reference this far back runs at the next check
}

WeatherService::WeatherService(WeatherContext context, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_weatherClient(context.network.createClient())
    , m_iconClient(context.network.createClient())
    , m_page(new WeatherPage)
    , m_menu(std::make_unique<QMenu>())
{
    m_menu->setObjectName(QStringLiteral("WeatherMenu"));
    bindPage();
}

WeatherService::~WeatherService()
{
    // Placed on the Tools window, the page goes with it; otherwise with us.
    if (m_page && !m_page->parent())
        delete m_page;
}

void WeatherService::reloadIconSets()
{
    WeatherSettings& s = m_context.settings.pogoda;
    QComboBox* box = m_page->iconSetBox();
    const QSignalBlocker block(box);
    m_page->setIconSets(scanWeatherIconSetInfos(iconSetsFolder(), m_context.clock.now()));
    // A stored set that is gone falls back to the built-in one, which
    // always draws.
    const int set = box->findText(s.iconSet);
    box->setCurrentIndex(set < 0 ? 0 : set);
    if (set < 0)
        s.iconSet = box->itemText(0);
    m_page->deleteSetButton()->setEnabled(box->currentIndex() > 0);
}

void WeatherService::deleteIconSet()
{
    QComboBox* box = m_page->iconSetBox();
    const int index = box->currentIndex();
    if (index <= 0)
        return;
    if (!m_context.prompts.askYesNo(QString::fromUtf8("Usuwanie ikon pogody"),
                                    QString::fromUtf8("Na pewno usunąć wybrany zestaw ikon pogody?"), m_page))
        return;
    const QString name = box->itemText(index);
    // Only a direct child of the sets folder goes; a linked set loses only
    // its link, never what it points at.
    if (!removeAddonSetFolder(iconSetsFolder(), name)) {
        m_context.prompts.error(QString::fromUtf8("Nie udało się usunąć zestawu ikon pogody \"") + name
                                    + QString::fromUtf8("\". Sprawdź, czy masz prawo zapisu w folderze ")
                                    + QDir::toNativeSeparators(iconSetsFolder()) + QLatin1Char('.'),
                                m_page);
        reloadIconSets();
        return;
    }
    m_page->setIconSets(scanWeatherIconSetInfos(iconSetsFolder(), m_context.clock.now()));
    box->setCurrentIndex(std::min(index, box->count() - 1));
}

QString WeatherService::iconSetsFolder() const
{
    return m_context.paths.inDataFolder(QStringLiteral("Gfx/Pogoda/"));
}

void WeatherService::reloadCities()
{
    m_cities = parseCityList(loadLineFile(m_context.paths.path(PathId::ListaMiast)));
    m_page->setCities(m_cities);
    const WeatherSettings& s = m_context.settings.pogoda;
    const QSignalBlocker a(m_page->cityBox());
    const QSignalBlocker b(m_page->iconCityBox());
    m_page->cityBox()->setCurrentIndex(selectableCity(m_cities, qMin(s.city, int(m_cities.size()) - 1)));
    m_page->iconCityBox()->setCurrentIndex(selectableCity(m_cities, qMin(s.iconCity, int(m_cities.size()) - 1)));
}

void WeatherService::rebuildDays()
{
    m_dayNames = forecastDayNames(m_context.clock.now().date());
    m_page->setDayNames(m_dayNames);
}

void WeatherService::bindPage()
{
    WeatherPage* page = m_page;
    WeatherSettings& s = m_context.settings.pogoda;
    connect(page->cityBox(), &QComboBox::currentIndexChanged, this, [this, &s](int i) {
        if (i >= 0)
            s.city = i;
        m_page->showButton()->setEnabled(true);
    });
    connect(page->dayBox(), &QComboBox::currentIndexChanged, this, [this, &s](int i) {
        if (i >= 0)
            s.day = i;
        m_page->showButton()->setEnabled(true);
    });
    connect(page->iconCityBox(), &QComboBox::currentIndexChanged, this, [&s](int i) {
        if (i >= 0)
            s.iconCity = i;
    });
    connect(page->iconDayBox(), &QComboBox::currentIndexChanged, this, [&s](int i) {
        if (i >= 0)
            s.iconDay = i;
    });
    connect(page->showButton(), &QPushButton::clicked, this, &WeatherService::fetchForecast);
    connect(page->refreshButton(), &QPushButton::clicked, this, [this] { refreshIcon(true); });
    connect(page->showIconBox(), &QCheckBox::toggled, this, &WeatherService::setIconShown);
    connect(page->fetchAtStartBox(), &QCheckBox::toggled, this, [&s](bool on) { s.iconFetchAtStart = on; });
    connect(page->autoRefreshBox(), &QCheckBox::toggled, this, [&s](bool on) { s.iconAutoRefresh = on; });
    connect(page->autoRefreshHours(), &QSpinBox::valueChanged, this, [&s](int h) { s.iconRefreshHours = h; });
    const auto redraw = [this] {
        if (m_number > 0)
            drawIcon();
    };
    connect(page->temperatureBox(), &QCheckBox::toggled, this, [&s, redraw](bool on) {
        s.iconTemperature = on;
        redraw();
    });
    connect(page->temperatureTypeBox(), &QComboBox::currentIndexChanged, this, [&s, redraw](int i) {
        if (i >= 0)
            s.iconTemperatureKind = i;
        redraw();
    });
    connect(page->iconSetBox(), &QComboBox::currentTextChanged, this, [this, &s, redraw](const QString& set) {
        if (set.isEmpty())
            return;
        s.iconSet = set;
        m_page->deleteSetButton()->setEnabled(m_page->iconSetBox()->currentIndex() > 0);
        redraw();
    });
    connect(page->deleteSetButton(), &QToolButton::clicked, this, &WeatherService::deleteIconSet);
}

void WeatherService::startup()
{
    WeatherSettings& s = m_context.settings.pogoda;
    const QDateTime now = m_context.clock.now();
    rebuildDays();
    reloadCities();
    {
        WeatherPage* p = m_page;
        const QSignalBlocker b1(p->dayBox()), b2(p->iconDayBox()), b3(p->showIconBox()), b4(p->fetchAtStartBox()),
            b5(p->temperatureBox()), b6(p->temperatureTypeBox()), b7(p->autoRefreshBox()), b8(p->autoRefreshHours()),
            b9(p->iconSetBox());
        p->dayBox()->setCurrentIndex(s.day);
        p->iconDayBox()->setCurrentIndex(s.iconDay);
        p->showIconBox()->setChecked(s.iconInsteadOfTimeOfDay);
        p->fetchAtStartBox()->setChecked(s.iconFetchAtStart);
        p->temperatureBox()->setChecked(s.iconTemperature);
        p->temperatureTypeBox()->setCurrentIndex(s.iconTemperatureKind);
        p->autoRefreshBox()->setChecked(s.iconAutoRefresh);
        p->autoRefreshHours()->setValue(s.iconRefreshHours);
    }
    reloadIconSets();
    if (!(s.iconInsteadOfTimeOfDay && s.iconFetchAtStart))
        s.iconPicture = 0;
    m_iconData = IconData::fromText(s.iconData);
    if (s.iconFetched != kNever)
        setIntervalReference(fromDayTime(s.iconFetched));
    if (!s.iconInsteadOfTimeOfDay)
        return;
    if (s.iconPicture > 0 && dateOf(s.iconFetched) == now.date() && s.iconDataDay == s.iconDay) {
        m_number = s.iconPicture;
        drawIcon();
    } else if (s.iconFetchAtStart) {
        scheduleRefresh(now.addSecs(-kStartDelaySeconds));
    }
}

bool WeatherService::refreshAvailable() const
{
    return m_page && m_page->refreshButton()->isEnabled();
}

void WeatherService::fetch(TextRequestClient& client, QPushButton* button, int cityIndex, int day, bool interactive,
                           Done done, std::function<void()> failed)
{
    const QString base = m_context.settings.serwis.serviceBase;
    if (!InternetAvailable(m_context.prompts, m_context.interfaces, base, interactive)) {
        failed();
        return;
    }
    const int city = selectableCity(m_cities, cityIndex);
    const QString url = city < 0 ? QString()
                                 : m_context.service.weatherUrl(m_cities[city].id,
                                                                m_context.clock.now().date().addDays(day));
    if (url.isEmpty()) {
        // No city, or an id that cannot go into an address as it is.
        if (interactive)
            ShowServerProblem(m_context.prompts);
        failed();
        return;
    }
    button->setEnabled(false);
    client.abort();
    client.post(url, [this, button, interactive, done, failed](const HttpAnswer& answer) {
        const std::optional<Forecast> forecast = answer.ok ? parseForecast(cleanAnswer(answer.body)) : std::nullopt;
        if (!forecast) {
            button->setEnabled(true);
            if (interactive)
                ShowServerProblem(m_context.prompts, answer.ok ? QString() : answer.error);
            failed();
            return;
        }
        done(*forecast);
    });
}

void WeatherService::fetchForecast()
{
    if (!m_page->showButton()->isEnabled())
        return;
    const int day = qBound(0, m_page->dayBox()->currentIndex(), kForecastDays - 1);
    fetch(*m_weatherClient, m_page->showButton(), m_page->cityBox()->currentIndex(), day, true,
          [this](const Forecast& f) {
              // "Pokaż" stays off until the city or the day changes.
              const int n = forecastPictureNumber(f.picture);
              m_page->showForecast(f, builtInWeatherPicture(n, QSize(64, 64)));
              emit forecastShown(f);
          },
          [] {});
}

void WeatherService::refreshIcon(bool interactive)
{
    if (!refreshAvailable())
        return;
    const int day = qBound(0, m_page->iconDayBox()->currentIndex(), kForecastDays - 1);
    fetch(*m_iconClient, m_page->refreshButton(), m_page->iconCityBox()->currentIndex(), day, interactive,
          [this, day](const Forecast& f) {
              m_page->refreshButton()->setEnabled(true);
              iconFetched(day, f);
              emit iconRefreshed(true);
          },
          [this] { emit iconRefreshed(false); });
}

void WeatherService::redrawIcon()
{
    if (m_number > 0)
        drawIcon();
}

void WeatherService::iconFetched(int day, const Forecast& forecast)
{
    WeatherSettings& s = m_context.settings.pogoda;
    const QDateTime now = m_context.clock.now();
    m_iconData = IconData::fromForecast(day, forecast);
    const int number = forecastPictureNumber(forecast.picture);
    s.iconFetched = toDayTime(now);
    s.iconDataDay = day;
    s.iconData = m_iconData.toText();
    s.iconPicture = number;
    if (s.iconInsteadOfTimeOfDay) {
        m_number = number;
        if (drawIcon())
            cancelRefresh();
    } else {
        m_remembered = number;
    }
    setIntervalReference(now);
    const WeatherSettings written = s;
    m_context.store.update([&written](IniFile& ini) {
        const QString section = QString::fromLatin1(written.name());
        ini.writeDateTime(section, QStringLiteral("IkoData"), written.iconFetched);
        ini.writeInteger(section, QStringLiteral("IkoNaDzien"), written.iconDataDay);
        ini.writeString(section, QStringLiteral("IkoDane"), written.iconData);
        ini.writeInteger(section, QStringLiteral("IkoNr"), written.iconPicture);
    });
    m_page->refreshButton()->setToolTip(QStringLiteral("Ostatnie odświeżenie: ")
                                        + now.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")));
}

bool WeatherService::drawIcon()
{
    const WeatherSettings& s = m_context.settings.pogoda;
    if (s.iconSet.isEmpty() || m_number <= 0)
        return false;
    const QImage picture = loadWeatherIconPicture(iconSetsFolder(), s.iconSet, m_number);
    if (picture.isNull())
        return false; // the previous picture stays
    const QString temperature = s.iconTemperature ? iconTemperatureText(m_iconData.maximum, m_iconData.minimum,
                                                                IconTemperature(s.iconTemperatureKind))
                                          : QString();
    const Colour colour = m_context.settings.main.textColour(TextElement::Temperature);
    showIcon(composeWeatherIcon(picture, m_context.settings.main.gridLines, m_context.settings.main.windowFrame,
                                temperature, QColor::fromRgb(toArgb(colour))),
             hint());
    return true;
}

QString WeatherService::hint() const
{
    if (m_number <= 0 || m_context.settings.pogoda.iconData.isEmpty())
        return {};
    return weatherHintText(m_iconData, m_dayNames.value(m_iconData.dayIndex));
}

void WeatherService::setIconShown(bool shown)
{
    WeatherSettings& s = m_context.settings.pogoda;
    if (shown == s.iconInsteadOfTimeOfDay)
        return;
    s.iconInsteadOfTimeOfDay = shown;
    if (!shown) {
        m_remembered = m_number;
        m_number = 0;
        showIcon(QImage(), QString());
        return;
    }
    m_number = m_remembered;
    drawIcon();
}

void WeatherService::popupMenu(const QPoint& globalPos)
{
    m_menu->clear();
    const QStringList first{QStringLiteral("Dziś"), QStringLiteral("Jutro"), QStringLiteral("Pojutrze")};
    for (int day = 0; day < kForecastDays; ++day) {
        const QString caption = day < 3 ? first[day] : m_dayNames.value(day);
        m_menu->addAction(caption, this, [this, day] { showDayForecast(day); });
    }
    if (m_context.settings.pogoda.iconInsteadOfTimeOfDay) {
        m_menu->addSeparator();
        m_menu->addAction(QStringLiteral("Odśwież"), this, [this] {
            if (refreshAvailable())
                refreshIcon(true);
            else
                QApplication::beep();
        });
    }
    m_menu->popup(globalPos);
}

void WeatherService::showDayForecast(int day)
{
    m_page->dayBox()->setCurrentIndex(qBound(0, day, kForecastDays - 1));
    openPage();
    if (m_page->showButton()->isEnabled())
        fetchForecast();
}

void WeatherService::dayChanged(DayStep step, const DayChange&)
{
    if (step == DayStep::WeatherDays)
        rebuildDays();
}

Interval WeatherService::interval() const
{
    const WeatherSettings& s = m_context.settings.pogoda;
    return {s.iconInsteadOfTimeOfDay && s.iconAutoRefresh, qint64(qBound(1, s.iconRefreshHours, 24)) * 3600 * 1000};
}

void WeatherService::runInterval(const QDateTime& now)
{
    // A skipped or failed refresh waits a whole interval.
    m_context.settings.pogoda.iconFetched = toDayTime(now);
    if (refreshAvailable())
        refreshIcon(false);
}

bool WeatherService::refreshAfterMidnight() const
{
    const WeatherSettings& s = m_context.settings.pogoda;
    return s.iconInsteadOfTimeOfDay && s.iconFetchAtStart;
}

void WeatherService::refreshIfAvailable()
{
    if (refreshAvailable())
        refreshIcon(false);
}

void WeatherService::shutdownStep(ShutdownStepId step, const QDate&)
{
    if (step != ShutdownStepId::AbortNetworkWork)
        return;
    m_weatherClient->abort();
    m_iconClient->abort();
}

} // namespace zorvex
