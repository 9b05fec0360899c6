#pragma once

#include <QAbstractSpinBox>
#include <QDate>

namespace zorvex {

// The "MMMM yyyy" month choice of the month pages and charts: the month's
// own name ("grudzień 2026", not the "grudnia" of a date), stepped with the
// arrows, the Up and Down keys or the wheel; typing is not needed.
class MonthEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit MonthEdit(const QDate& month, QWidget* parent = nullptr);

    // The first day of the chosen month.
    QDate date() const { return m_month; }
    void setDate(const QDate& date);
    void setMinimumDate(const QDate& date) { m_minimum = QDate(date.year(), date.month(), 1); }

    void stepBy(int steps) override;

    static QString monthText(const QDate& month);

signals:
    void dateChanged(const QDate& month);

protected:
    StepEnabled stepEnabled() const override;

private:
    QDate m_month;
    QDate m_minimum{2000, 1, 1};
};

} // namespace zorvex
