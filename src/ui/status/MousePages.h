#pragma once

#include <QObject>

class QCheckBox;
class QLabel;
class QListWidget;
class QWidget;

namespace zorvex {

class MonthChartView;
class MonthEdit;
class StatusService;
struct Settings;

// "Ruch myszy": "Według dni", "Według miesięcy" and "Wykres".
class MousePages : public QObject {
    Q_OBJECT
public:
    MousePages(StatusService& service, Settings& settings, QObject* parent = nullptr);

    QWidget* byDay() const { return m_byDay; }
    QWidget* byMonth() const { return m_byMonth; }
    QWidget* chart() const { return m_chart; }

    void reload();
    // The two live labels, after a sample that moved the count.
    void refreshLive();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void showMonth();
    void showChart();

    StatusService& m_service;
    Settings& m_settings;
    QWidget* m_byDay = nullptr;
    QWidget* m_byMonth = nullptr;
    QWidget* m_chart = nullptr;
    QCheckBox* m_active = nullptr;
    QLabel* m_unavailable = nullptr;
    QListWidget* m_days = nullptr;
    QLabel* m_largest = nullptr;
    QLabel* m_smallest = nullptr;
    QLabel* m_current = nullptr;
    QLabel* m_total = nullptr;
    MonthEdit* m_month = nullptr;
    QListWidget* m_monthDays = nullptr;
    QLabel* m_monthTotal = nullptr;
    QLabel* m_monthAverage = nullptr;
    MonthEdit* m_chartMonth = nullptr;
    MonthChartView* m_chartView = nullptr;
};

} // namespace zorvex
