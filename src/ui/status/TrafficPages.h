#pragma once

#include "core/status/TrafficDays.h"

#include <QObject>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QWidget;

namespace zorvex {

class MonthChartView;
class MonthEdit;
class StatusService;
struct Settings;

// "Sieć": "Aktualnie", "Według dni", "Według miesięcy" and "Wykres", with
// the direction choice of the lists and the chart.
class TrafficPages : public QObject {
    Q_OBJECT
public:
    TrafficPages(StatusService& service, Settings& settings, QObject* parent = nullptr);

    QWidget* now() const { return m_now; }
    QWidget* byDay() const { return m_byDay; }
    QWidget* byMonth() const { return m_byMonth; }
    QWidget* chart() const { return m_chart; }

    // Reads "Siec.ini" again into the lists.
    void reload();
    // After each sample.
    void refreshNow(bool listChanged);

signals:
    // "Ustawienia wykresu".
    void chartSettingsRequested();

private:
    void buildNow();
    QWidget* directionChoice(QWidget* parent);
    void fillInterfaces();
    void showDays();
    void showMonth();
    void showChart();
    TrafficDays::Direction direction() const;
    qint64 liveTotal() const;

    StatusService& m_service;
    Settings& m_settings;
    TrafficDays m_days;
    QWidget* m_now = nullptr;
    QWidget* m_byDay = nullptr;
    QWidget* m_byMonth = nullptr;
    QWidget* m_chart = nullptr;
    QCheckBox* m_active = nullptr;
    QComboBox* m_interfaces = nullptr;
    QLabel* m_adapter = nullptr;
    QLabel* m_mac = nullptr;
    QLabel* m_speed = nullptr;
    QLabel* m_rate[2] = {};
    QLabel* m_average[2] = {};
    QLabel* m_total[2] = {};
    std::vector<QButtonGroup*> m_directions;
    QListWidget* m_dayList = nullptr;
    QLabel* m_sinceLabel = nullptr;
    QLabel* m_largest = nullptr;
    MonthEdit* m_month = nullptr;
    QListWidget* m_monthDays = nullptr;
    QLabel* m_monthTotal = nullptr;
    QLabel* m_monthAverage = nullptr;
    MonthEdit* m_chartMonth = nullptr;
    MonthChartView* m_chartView = nullptr;
    bool m_filling = false;
};

} // namespace zorvex
