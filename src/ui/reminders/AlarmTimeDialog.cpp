#include "ui/reminders/AlarmTimeDialog.h"

#include "ui/common/NumberField.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace zorvex {

AlarmTimeDialog::AlarmTimeDialog(bool withDays, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("alarmTimeDialog"));
    setWindowTitle(QStringLiteral("Czas alarmu"));
    setModal(true);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Za..."), this), 0, 0, 1, 2);
    const auto row = [this, grid](int r, const QString& unit, const char* name) {
        auto* f = new NumberField(0, 999, this);
        f->setObjectName(QLatin1String(name));
        grid->addWidget(f, r, 0);
        grid->addWidget(new QLabel(unit, this), r, 1);
        return f;
    };
    m_months = row(1, QStringLiteral("miesięcy"), "monthsField");
    m_weeks = row(2, QStringLiteral("tygodni"), "weeksField");
    m_days = row(3, QStringLiteral("dni"), "daysField");
    m_hours = row(4, QStringLiteral("godzin"), "hoursField");
    m_minutes = row(5, QStringLiteral("minut"), "minutesField");
    for (NumberField* f : {m_months, m_weeks, m_days})
        f->setEnabled(withDays);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 6, 0, 1, 2);
}

AlarmTimeDialog::Offset AlarmTimeDialog::offset() const
{
    Offset o;
    if (m_months->isEnabled()) {
        o.months = m_months->value();
        o.weeks = m_weeks->value();
        o.days = m_days->value();
    }
    o.hours = m_hours->value();
    o.minutes = m_minutes->value();
    return o;
}

} // namespace zorvex
