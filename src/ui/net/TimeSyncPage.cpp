#include "ui/net/TimeSyncPage.h"

#include "core/net/TimeSyncSettings.h"
#include "core/net/TimeSynchronizer.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zorvex {

TimeSyncPage::TimeSyncPage(TimeSyncSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("TimeSyncPage"));
    auto* outer = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Synchronizacja czasu z zegarem atomowym"), this);
    outer->addWidget(group);
    outer->addStretch();
    auto* grid = new QGridLayout(group);

    m_server = new QComboBox(group);
    m_server->setObjectName(QStringLiteral("ComboBox25"));
    m_server->setEditable(true);
    m_server->setEditText(m_settings.server);
    connect(m_server, &QComboBox::editTextChanged, this, [this](const QString& text) { m_settings.server = text; });
    grid->addWidget(new QLabel(QStringLiteral("Serwer:"), group), 0, 0);
    grid->addWidget(m_server, 0, 1);

    m_button = new QPushButton(QStringLiteral("Synchronizuj teraz"), group);
    m_button->setObjectName(QStringLiteral("BitBtn86"));
    connect(m_button, &QPushButton::clicked, this, &TimeSyncPage::synchronizeRequested);
    grid->addWidget(m_button, 0, 2);

    grid->addWidget(new QLabel(QStringLiteral("Ostatnia aktualizacja:"), group), 1, 0);
    m_last = new QLabel(group);
    m_last->setObjectName(QStringLiteral("LastSyncLabel"));
    grid->addWidget(m_last, 1, 1, 1, 2);
    m_correctionCaption = new QLabel(QStringLiteral("Skorygowana różnica czasu:"), group);
    grid->addWidget(m_correctionCaption, 2, 0);
    m_correction = new QLabel(group);
    m_correction->setObjectName(QStringLiteral("CorrectionLabel"));
    grid->addWidget(m_correction, 2, 1, 1, 2);

    const char* const captions[3] = {"Nie synchronizuj automatycznie",
                                     "Synchronizuj automatycznie przy uruchomieniu Zorvex",
                                     "Synchronizuj automatycznie raz dziennie"};
    for (int i = 0; i < 3; ++i) {
        m_modes[i] = new QRadioButton(QString::fromUtf8(captions[i]), group);
        m_modes[i]->setObjectName(QStringLiteral("SyncMode%1").arg(i));
        m_modes[i]->setChecked(m_settings.autoMode == i);
        connect(m_modes[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                m_settings.autoMode = i;
        });
        grid->addWidget(m_modes[i], 3 + i, 0, 1, 3);
    }
    showLastSync();
}

void TimeSyncPage::setServerList(const QStringList& servers)
{
    const QString text = m_settings.server;
    m_server->blockSignals(true);
    m_server->clear();
    m_server->addItems(servers);
    m_server->setEditText(text);
    m_server->blockSignals(false);
}

QString TimeSyncPage::serverText() const
{
    return m_server->currentText();
}

void TimeSyncPage::showLastSync()
{
    m_last->setText(lastSyncText(m_settings.lastSync == kNever ? QDateTime() : fromDayTime(m_settings.lastSync)));
    const bool corrected = m_settings.lastCorrection >= 0;
    m_correction->setText(correctionText(m_settings.lastCorrection));
    m_correction->setVisible(corrected);
    m_correctionCaption->setVisible(corrected);
    for (int i = 0; i < 3; ++i)
        m_modes[i]->setChecked(m_settings.autoMode == i);
}

void TimeSyncPage::setRunning(bool running)
{
    m_button->setEnabled(!running);
}

bool TimeSyncPage::running() const
{
    return !m_button->isEnabled();
}

} // namespace zorvex
