#pragma once

#include "core/internet/WeatherCities.h"
#include "ui/calendar/PictureSets.h"
#include "ui/common/AddonListMarks.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace zorvex {

struct Forecast;

// The page "Internet" → "Pogoda" → "Miasta": the forecast of a city and day,
// and the weather icon's options. It only shows and edits; the weather
// service does the fetching.
class WeatherPage : public QWidget {
    Q_OBJECT
public:
    explicit WeatherPage(QWidget* parent = nullptr);

    // Both city boxes; headings are bold and never stay selected.
    void setCities(const QList<WeatherCity>& cities);
    const QList<WeatherCity>& cities() const { return m_cities; }
    void setDayNames(const QStringList& names);
    // The read-only fields and the 64×64 picture (null: none).
    void showForecast(const Forecast& forecast, const QImage& picture);

    QComboBox* cityBox() const { return m_city; }       // ComboBox22
    QComboBox* dayBox() const { return m_day; }         // ComboBox23
    QPushButton* showButton() const { return m_show; }  // "Pokaż"
    QComboBox* iconCityBox() const { return m_iconCity; } // ComboBox34
    QComboBox* iconDayBox() const { return m_iconDay; }   // ComboBox35
    QPushButton* refreshButton() const { return m_refresh; } // "Odśwież"
    QCheckBox* showIconBox() const { return m_showIcon; }
    QCheckBox* fetchAtStartBox() const { return m_fetchAtStart; }
    QCheckBox* temperatureBox() const { return m_temperature; }
    QComboBox* temperatureTypeBox() const { return m_temperatureType; }
    QCheckBox* autoRefreshBox() const { return m_autoRefresh; }
    QSpinBox* autoRefreshHours() const { return m_hours; }
    QComboBox* iconSetBox() const { return m_set; }
    // "Usuń wybrany zestaw ikon pogody".
    QToolButton* deleteSetButton() const { return m_deleteSet; }
    // The set list with each set's version and age, drawn as every add-on
    // list draws them; "Domyślny" first.
    // The marks every add-on list keeps.
    static constexpr int kVersionRole = kAddonVersionRole;
    static constexpr int kAgeRole = kAddonAgeRole;
    void setIconSets(const QList<PictureSetInfo>& sets);
    QLineEdit* field(int i) const { return m_fields[i]; }
    QLabel* picture() const { return m_picture; }

private:
    void fillCityBox(QComboBox* box);
    void keepOffHeadings(QComboBox* box);

    QList<WeatherCity> m_cities;
    QComboBox* m_city;
    QComboBox* m_day;
    QPushButton* m_show;
    QLineEdit* m_fields[9];
    QLabel* m_picture;
    QComboBox* m_iconCity;
    QComboBox* m_iconDay;
    QPushButton* m_refresh;
    QCheckBox* m_showIcon;
    QCheckBox* m_fetchAtStart;
    QCheckBox* m_temperature;
    QComboBox* m_temperatureType;
    QCheckBox* m_autoRefresh;
    QSpinBox* m_hours;
    QComboBox* m_set;
    QToolButton* m_deleteSet;
};

} // namespace zorvex
