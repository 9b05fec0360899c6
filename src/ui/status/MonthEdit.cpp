#include "ui/status/MonthEdit.h"

#include <QLineEdit>
#include <QLocale>

namespace zorvex {

MonthEdit::MonthEdit(const QDate& month, QWidget* parent)
    : QAbstractSpinBox(parent)
    , m_month(month.year(), month.month(), 1)
{
    setObjectName(QStringLiteral("MonthEdit"));
    setReadOnly(true);
    setFocusPolicy(Qt::StrongFocus);
    lineEdit()->setText(monthText(m_month));
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("październik 2000")) + 40);
}

QString MonthEdit::monthText(const QDate& month)
{
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    return polish.standaloneMonthName(month.month(), QLocale::LongFormat) + QLatin1Char(' ')
        + QString::number(month.year());
}

void MonthEdit::setDate(const QDate& date)
{
    QDate month(date.year(), date.month(), 1);
    if (month < m_minimum)
        month = m_minimum;
    if (month == m_month)
        return;
    m_month = month;
    lineEdit()->setText(monthText(m_month));
    emit dateChanged(m_month);
}

void MonthEdit::stepBy(int steps)
{
    setDate(m_month.addMonths(steps));
}

QAbstractSpinBox::StepEnabled MonthEdit::stepEnabled() const
{
    StepEnabled e = StepUpEnabled;
    if (m_month > m_minimum)
        e |= StepDownEnabled;
    return e;
}

} // namespace zorvex
