#include "ui/reminders/UpcomingSettingsDialog.h"

#include "core/reminders/ReminderSettings.h"
#include "ui/common/BringToFront.h"
#include "ui/common/NumberField.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

UpcomingSettingsDialog::UpcomingSettingsDialog(UpcomingDatesSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_settings(settings)
    , m_pokaz(new QCheckBox(QStringLiteral("Pokaż powiadomienie, jeśli w ciągu najbliższych "), this))
    , m_days(new NumberField(1, 31, this))
    , m_pokaz1(new QCheckBox(QStringLiteral("Urodziny/imieniny"), this))
    , m_pokaz2(new QCheckBox(QStringLiteral("Ważne dni"), this))
    , m_pokaz3(new QCheckBox(QStringLiteral("Prywatne/rocznice"), this))
    , m_raz(new QCheckBox(QStringLiteral("Pokaż powiadomienie raz dziennie"), this))
    , m_test(new QPushButton(QStringLiteral("Testuj powiadomienie"), this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("UpcomingSettingsDialog"));
    setWindowTitle(QStringLiteral("Ważne daty - powiadomienie"));
    m_pokaz->setObjectName(QStringLiteral("Pokaz"));
    m_days->setObjectName(QStringLiteral("PolazDni"));
    m_pokaz1->setObjectName(QStringLiteral("Pokaz1"));
    m_pokaz2->setObjectName(QStringLiteral("Pokaz2"));
    m_pokaz3->setObjectName(QStringLiteral("Pokaz3"));
    m_raz->setObjectName(QStringLiteral("Raz"));
    m_raz->setToolTip(QStringLiteral("Nie zaznaczenie tej opcji spowoduje pokazywanie powiadomienia przy każdym "
                                     "uruchamianiu Zorvex."));
    m_test->setObjectName(QStringLiteral("TestButton"));
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_ok->setDefault(true);

    // Two digits wide.
    m_days->setFixedWidth(m_days->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 32);

    auto* group = new QGroupBox(QStringLiteral("Codzienne powiadomienie"), this);
    auto* days = new QHBoxLayout;
    days->setSpacing(4);
    days->addWidget(m_pokaz);
    days->addWidget(m_days);
    days->addWidget(new QLabel(QStringLiteral("dni są ważne daty"), group));
    days->addStretch();
    auto* kinds = new QVBoxLayout;
    kinds->setContentsMargins(20, 0, 0, 0);
    kinds->addWidget(m_pokaz1);
    kinds->addWidget(m_pokaz2);
    kinds->addWidget(m_pokaz3);
    auto* inGroup = new QVBoxLayout(group);
    inGroup->addLayout(days);
    inGroup->addWidget(new QLabel(QStringLiteral("Pokazuj w powiadomieniu:"), group));
    inGroup->addLayout(kinds);
    inGroup->addWidget(m_raz);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_test);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto box = [this](QCheckBox* b, bool UpcomingDatesSettings::*field) {
        connect(b, &QCheckBox::toggled, this, [this, field](bool on) {
            if (!m_loading)
                m_settings.*field = on;
            updateTestButton();
        });
    };
    box(m_pokaz, &UpcomingDatesSettings::showByItself);
    box(m_pokaz1, &UpcomingDatesSettings::includePersons);
    box(m_pokaz2, &UpcomingDatesSettings::includeImportantDays);
    box(m_pokaz3, &UpcomingDatesSettings::includePrivateDays);
    box(m_raz, &UpcomingDatesSettings::onceADay);
    connect(m_days, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_loading)
            m_settings.daysAhead = value;
    });
    connect(m_test, &QPushButton::clicked, this, &UpcomingSettingsDialog::testRequested);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, &UpcomingSettingsDialog::finish);
    loadFromSettings();
}

void UpcomingSettingsDialog::openOver(QWidget* toolsWindow)
{
    if (!isVisible()) {
        loadFromSettings();
        m_blocked.block(this, toolsWindow);
    }
    bringToFront(this);
}

void UpcomingSettingsDialog::loadFromSettings()
{
    m_loading = true;
    m_pokaz->setChecked(m_settings.showByItself);
    m_days->setValue(m_settings.daysAhead);
    m_pokaz1->setChecked(m_settings.includePersons);
    m_pokaz2->setChecked(m_settings.includeImportantDays);
    m_pokaz3->setChecked(m_settings.includePrivateDays);
    m_raz->setChecked(m_settings.onceADay);
    m_loading = false;
    updateTestButton();
}

void UpcomingSettingsDialog::updateTestButton()
{
    m_test->setEnabled(m_pokaz1->isChecked() || m_pokaz2->isChecked() || m_pokaz3->isChecked());
}

void UpcomingSettingsDialog::finish()
{
    m_blocked.release();
    emit closed();
}

} // namespace zorvex
