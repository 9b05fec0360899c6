#include "ui/internet/WeatherPage.h"

#include "core/internet/WeatherForecast.h"
#include "core/internet/WeatherSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvex {

namespace {
const char* const kFieldCaptions[9] = {"Miasto:", "Data:", "Temp. max.:", "Temp. min.:", "Opis:",
                                       "Wiatr:", "Biomet:", "Wschód słońca:", "Zachód słońca:"};
} // namespace

WeatherPage::WeatherPage(QWidget* parent)
    : QWidget(parent)
    , m_city(new QComboBox(this))
    , m_day(new QComboBox(this))
    , m_show(new QPushButton(QStringLiteral("Pokaż"), this))
    , m_picture(new QLabel(this))
    , m_iconCity(new QComboBox(this))
    , m_iconDay(new QComboBox(this))
    , m_refresh(new QPushButton(QStringLiteral("Odśwież"), this))
    , m_showIcon(new QCheckBox(QStringLiteral("Ikona pogody zamiast pory dnia na panelu kalendarza"), this))
    , m_fetchAtStart(new QCheckBox(QStringLiteral("Pobierz pogodę i ustaw ikonę podczas uruchomienia programu"), this))
    , m_temperature(new QCheckBox(QStringLiteral("Pokaż temperaturę:"), this))
    , m_temperatureType(new QComboBox(this))
    , m_autoRefresh(new QCheckBox(QStringLiteral("Odświeżaj automatycznie co"), this))
    , m_hours(new QSpinBox(this))
    , m_set(new QComboBox(this))
    , m_deleteSet(new QToolButton(this))
{
    setObjectName(QStringLiteral("WeatherPage"));
    m_city->setObjectName(QStringLiteral("ComboBox22"));
    m_day->setObjectName(QStringLiteral("ComboBox23"));
    m_show->setObjectName(QStringLiteral("ShowForecastButton"));
    m_picture->setObjectName(QStringLiteral("ForecastPicture"));
    m_iconCity->setObjectName(QStringLiteral("ComboBox34"));
    m_iconDay->setObjectName(QStringLiteral("ComboBox35"));
    m_refresh->setObjectName(QStringLiteral("RefreshIconButton"));
    m_showIcon->setObjectName(QStringLiteral("WeatherIconShown"));
    m_fetchAtStart->setObjectName(QStringLiteral("WeatherIconAtStart"));
    m_temperature->setObjectName(QStringLiteral("WeatherIconTemperature"));
    m_temperatureType->setObjectName(QStringLiteral("WeatherIconTemperatureType"));
    m_autoRefresh->setObjectName(QStringLiteral("WeatherIconAutoRefresh"));
    m_hours->setObjectName(QStringLiteral("WeatherIconHours"));
    m_set->setObjectName(QStringLiteral("WeatherIconSet"));
    useAddonMarks(m_set);
    m_deleteSet->setObjectName(QStringLiteral("DeleteWeatherIconSet"));
    m_deleteSet->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_deleteSet->setToolTip(QString::fromUtf8("Usuń wybrany zestaw ikon pogody"));

    m_temperatureType->addItems({QStringLiteral("Średnia"), QStringLiteral("Max."), QStringLiteral("Min.")});
    m_hours->setRange(1, 24);
    m_picture->setFixedSize(64, 64);

    auto* forecast = new QGroupBox(QStringLiteral("Prognoza"), this);
    auto* choice = new QHBoxLayout;
    choice->addWidget(m_city, 1);
    choice->addWidget(m_day);
    choice->addWidget(m_show);
    auto* fields = new QFormLayout;
    for (int i = 0; i < 9; ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setReadOnly(true);
        m_fields[i]->setObjectName(QStringLiteral("ForecastField%1").arg(i + 1));
        fields->addRow(QString::fromUtf8(kFieldCaptions[i]), m_fields[i]);
    }
    auto* body = new QHBoxLayout;
    body->addLayout(fields, 1);
    body->addWidget(m_picture, 0, Qt::AlignTop);
    auto* forecastLayout = new QVBoxLayout(forecast);
    forecastLayout->addLayout(choice);
    forecastLayout->addLayout(body);

    auto* icon = new QGroupBox(QStringLiteral("Ikona pogody"), this);
    auto* iconChoice = new QHBoxLayout;
    iconChoice->addWidget(m_iconCity, 1);
    iconChoice->addWidget(m_iconDay);
    iconChoice->addWidget(m_refresh);
    auto* temperature = new QHBoxLayout;
    temperature->addWidget(m_temperature);
    temperature->addWidget(m_temperatureType);
    temperature->addStretch();
    auto* refresh = new QHBoxLayout;
    refresh->addWidget(m_autoRefresh);
    refresh->addWidget(m_hours);
    refresh->addWidget(new QLabel(QStringLiteral("godz."), this));
    refresh->addStretch();
    auto* sets = new QHBoxLayout;
    sets->addWidget(new QLabel(QStringLiteral("Zestaw ikon:"), this));
    sets->addWidget(m_set, 1);
    sets->addWidget(m_deleteSet);
    auto* iconLayout = new QVBoxLayout(icon);
    iconLayout->addWidget(m_showIcon);
    iconLayout->addWidget(m_fetchAtStart);
    iconLayout->addLayout(iconChoice);
    iconLayout->addLayout(temperature);
    iconLayout->addLayout(refresh);
    iconLayout->addLayout(sets);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(forecast);
    layout->addWidget(icon);
    layout->addStretch();

    keepOffHeadings(m_city);
    keepOffHeadings(m_iconCity);
}

void WeatherPage::keepOffHeadings(QComboBox* box)
{
    connect(box, &QComboBox::currentIndexChanged, box, [this, box](int index) {
        if (index < 0 || index >= m_cities.size() || !m_cities[index].isHeading())
            return;
        // A list of only headings selects nothing.
        box->setCurrentIndex(selectableCity(m_cities, index));
    });
}

void WeatherPage::fillCityBox(QComboBox* box)
{
    const QSignalBlocker block(box);
    box->clear();
    for (const WeatherCity& city : m_cities) {
        box->addItem(city.name);
        if (city.isHeading()) {
            QFont bold = box->font();
            bold.setBold(true);
            box->setItemData(box->count() - 1, bold, Qt::FontRole);
        }
    }
}

void WeatherPage::setIconSets(const QList<PictureSetInfo>& sets)
{
    m_set->clear();
    m_set->addItem(QString::fromUtf8(kDefaultIconSet));
    m_set->setItemData(0, kNewSetHours, kAgeRole);
    for (const PictureSetInfo& set : sets) {
        m_set->addItem(set.name);
        m_set->setItemData(m_set->count() - 1, set.version, kVersionRole);
        m_set->setItemData(m_set->count() - 1, set.ageHours, kAgeRole);
    }
}

void WeatherPage::setCities(const QList<WeatherCity>& cities)
{
    m_cities = cities;
    fillCityBox(m_city);
    fillCityBox(m_iconCity);
}

void WeatherPage::setDayNames(const QStringList& names)
{
    for (QComboBox* box : {m_day, m_iconDay}) {
        const QSignalBlocker block(box);
        const int index = box->currentIndex();
        box->clear();
        box->addItems(names);
        box->setCurrentIndex(qBound(0, index, int(names.size()) - 1));
    }
}

void WeatherPage::showForecast(const Forecast& f, const QImage& picture)
{
    const QString values[9] = {f.city, f.date, f.maximum, f.minimum, f.description, f.wind, f.factor, f.sunrise, f.sunset};
    for (int i = 0; i < 9; ++i)
        m_fields[i]->setText(values[i]);
    m_picture->setPixmap(picture.isNull() ? QPixmap() : QPixmap::fromImage(picture));
}

} // namespace zorvex
