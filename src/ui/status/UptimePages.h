#pragma once

#include <QObject>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace zorvex {

class Prompts;

class MonthChartView;
class MonthEdit;
class StatusService;
struct Settings;

// "Czas uruchomień": "Według dni", "Według miesięcy", "Wykres" and
// "Informacja". The pages belong to the Tools window once placed there.
class UptimePages : public QObject {
    Q_OBJECT
public:
    UptimePages(StatusService& service, Settings& settings, Prompts& prompts, QObject* parent = nullptr);

    QWidget* byDay() const { return m_byDay; }
    QWidget* byMonth() const { return m_byMonth; }
    QWidget* chart() const { return m_chart; }
    QWidget* info() const { return m_info; }

    // Reads the days again into every list.
    void reload();
    // The live label, once a second.
    void refreshLive();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildByDay();
    void buildByMonth();
    void buildChart();
    void buildInfo();
    void showRuns();
    void showMonth();
    void showChart();
    void showCost();
    void rateEdited(QLineEdit* field, double& value, double fallback);

    StatusService& m_service;
    Settings& m_settings;
    Prompts& m_prompts;
    QWidget* m_byDay = nullptr;
    QWidget* m_byMonth = nullptr;
    QWidget* m_chart = nullptr;
    QWidget* m_info = nullptr;
    QCheckBox* m_active = nullptr;
    QLabel* m_live = nullptr;
    QListWidget* m_days = nullptr;
    QListWidget* m_runs = nullptr;
    MonthEdit* m_month = nullptr;
    QListWidget* m_monthDays = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_average = nullptr;
    QLineEdit* m_price = nullptr;
    QLineEdit* m_power = nullptr;
    QLabel* m_cost = nullptr;
    MonthEdit* m_chartMonth = nullptr;
    QButtonGroup* m_chartKind = nullptr;
    MonthChartView* m_chartView = nullptr;
};

} // namespace zorvex
