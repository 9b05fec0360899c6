#pragma once

#include <QDateTime>
#include <QDialog>

namespace zorvex {

class NumberField;

// "Czas alarmu": how far from now the alarm goes, for the "Własne..." entry
// of "Kiedy...".
class AlarmTimeDialog : public QDialog {
    Q_OBJECT

public:
    struct Offset {
        int months = 0;
        int weeks = 0;
        int days = 0;
        int hours = 0;
        int minutes = 0;
        // Months first, then weeks, days, hours and minutes.
        QDateTime applyTo(const QDateTime& now) const
        {
            return now.addMonths(months).addDays(qint64(weeks) * 7 + days).addSecs(qint64(hours) * 3600 + qint64(minutes) * 60);
        }
    };

    // Months, weeks and days only count for a one-off alarm.
    explicit AlarmTimeDialog(bool withDays, QWidget* parent = nullptr);

    Offset offset() const;

private:
    NumberField* m_months;
    NumberField* m_weeks;
    NumberField* m_days;
    NumberField* m_hours;
    NumberField* m_minutes;
};

} // namespace zorvex
