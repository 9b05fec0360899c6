#include "ui/calendar/GoToDateDialog.h"

#include "core/calendar/Gregorian.h"
#include "core/calendar/PolishNames.h"
#include "ui/common/BringToFront.h"
#include "ui/common/NumberField.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace zorvex {
namespace {

// The month whose abbreviation the text is, letter case ignored; 0 for none.
int monthOfAbbreviation(const QString& text)
{
    for (int m = 1; m <= 12; ++m) {
        if (polishMonthName(m, true).compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return m;
    }
    return 0;
}

} // namespace

MonthField::MonthField(QWidget* parent)
    : QSpinBox(parent)
{
    setRange(1, 12);
    setWrapping(true);
}

QString MonthField::textFromValue(int value) const
{
    return polishMonthName(value, true);
}

int MonthField::valueFromText(const QString& text) const
{
    const int month = monthOfAbbreviation(text);
    return month > 0 ? month : value();
}

QValidator::State MonthField::validate(QString& text, int&) const
{
    // Typing is not the way to pick a month; the arrows are.
    return monthOfAbbreviation(text) > 0 ? QValidator::Acceptable : QValidator::Invalid;
}

GoToDateDialog::GoToDateDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_month(new MonthField(this))
    , m_year(new NumberField(kFirstYear, kLastYear, this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("Form25"));
    setWindowTitle(QString::fromUtf8("Przejdź do daty"));
    m_month->setObjectName(QStringLiteral("DateTimePicker1"));
    m_year->setObjectName(QStringLiteral("Edit1"));
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setDefault(true);

    auto* monthLabel = new QLabel(QString::fromUtf8("Miesiąc:"), this);
    auto* yearLabel = new QLabel(QStringLiteral("Rok:"), this);
    monthLabel->setBuddy(m_month);
    yearLabel->setBuddy(m_year);

    auto* grid = new QGridLayout(this);
    grid->addWidget(monthLabel, 0, 0);
    grid->addWidget(m_month, 0, 1);
    grid->addWidget(yearLabel, 1, 0);
    grid->addWidget(m_year, 1, 1);
    grid->addWidget(m_ok, 2, 0, 1, 2, Qt::AlignRight);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, &GoToDateDialog::confirm);
}

void GoToDateDialog::openAt(int year, int month, const QPoint& anchor)
{
    m_month->setValue(month);
    m_year->setValue(year);
    adjustSize();
    QPoint at = anchor;
    if (const QScreen* s = QGuiApplication::screenAt(anchor)) {
        const QRect area = s->geometry();
        const int frameWidth = frameGeometry().width() > width() ? frameGeometry().width() : width();
        if (at.x() + frameWidth > area.right() + 1)
            at.setX(area.right() + 1 - frameWidth);
    }
    move(at);
    bringToFront(this);
    m_year->setFocus();
    m_year->selectAll();
}

int GoToDateDialog::chosenYear() const
{
    return m_year->value();
}

int GoToDateDialog::chosenMonth() const
{
    return m_month->value();
}

void GoToDateDialog::confirm()
{
    // A year still being typed counts as it reads.
    m_year->interpretText();
    emit monthChosen(chosenYear(), chosenMonth());
    accept();
}

} // namespace zorvex
