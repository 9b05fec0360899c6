#include "ui/app/tools/TrayPage.h"

#include "core/app/Settings.h"
#include "ui/common/ColourBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zorvex {
namespace {

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

TrayPage::TrayPage(Settings& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{
    auto* icon = new QGroupBox(u("Ikona w Tray'u"), this);
    icon->setObjectName(QStringLiteral("GroupTrayIcon"));
    static const char* const captions[6] = {"Aktualny dzień",      "Użycie procesora", "Wolne miejsce RAM",
                                            "Zajęte miejsce SWAP", "Brak ikony",       "Transfer / sek."};
    static const char* const names[6] = {"RadioTrayDay",  "RadioTrayCpu",  "RadioTrayRam",
                                         "RadioTraySwap", "RadioTrayNone", "RadioTrayTransfer"};
    auto* modes = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        m_modes[i] = new QRadioButton(u(captions[i]), icon);
        m_modes[i]->setObjectName(QLatin1String(names[i]));
        modes->addButton(m_modes[i], i);
    }
    static const char* const colourNames[4] = {"ColourTrayCpu", "ColourTrayRam", "ColourTraySwap",
                                               "ColourTrayFont"};
    for (int i = 0; i < 4; ++i) {
        m_colours[i] = new ColourBox(icon);
        m_colours[i]->setObjectName(QLatin1String(colourNames[i]));
        connect(m_colours[i], &ColourBox::colourChanged, this, [this](Colour) {
            if (m_loading)
                return;
            m_settings.main.trayCpuColour = m_colours[0]->colour();
            m_settings.main.trayFreeRamColour = m_colours[1]->colour();
            m_settings.main.trayUsedSwapColour = m_colours[2]->colour();
            m_settings.main.trayTransferTextColour = m_colours[3]->colour();
            emit trayChanged();
        });
    }
    m_colours[3]->setToolTip(QStringLiteral("Kolor czcionki"));
    m_transfer = new QComboBox(icon);
    m_transfer->setObjectName(QStringLiteral("ComboTrayTransfer"));
    m_transfer->addItems({u("Wejście (pobrane)"), u("Wyjście (wysłane)")});
    auto* defaults = new QPushButton(u("Domyślne ustawienia kolorów"), icon);
    defaults->setObjectName(QStringLiteral("ButtonTrayDefaultColours"));

    auto* grid = new QGridLayout(icon);
    grid->addWidget(m_modes[0], 0, 0);
    for (int i = 1; i <= 3; ++i) {
        grid->addWidget(m_modes[i], i, 0);
        grid->addWidget(m_colours[i - 1], i, 1);
    }
    grid->addWidget(m_modes[4], 4, 0);
    grid->addWidget(m_modes[5], 5, 0);
    grid->addWidget(m_colours[3], 5, 1);
    grid->addWidget(m_transfer, 5, 2);
    grid->addWidget(defaults, 6, 0, 1, 3, Qt::AlignLeft);
    grid->setColumnStretch(3, 1);

    auto* options = new QGroupBox(QStringLiteral("Opcje"), this);
    options->setObjectName(QStringLiteral("GroupTrayOptions"));
    m_clickHides = new QCheckBox(u("Kliknięcie ikony w tray'u powoduje ukrycie okna z programem"), options);
    m_clickHides->setObjectName(QStringLiteral("CheckTrayMinimize"));
    m_protect = new QCheckBox(u("Zaznacz to, jeśli przy uruchomieniu programu nie pojawia się ikona w tray'u"),
                              options);
    m_protect->setObjectName(QStringLiteral("CheckTrayIconProtect"));
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(m_clickHides);
    optionsLayout->addWidget(m_protect);

    auto* hint = new QGroupBox(QStringLiteral("Tray - informacje w podpowiedzi"), this);
    hint->setObjectName(QStringLiteral("GroupTrayHint"));
    auto* hintButton = new QPushButton(u("Ustawienia widocznych informacji w podpowiedzi w tray'u"), hint);
    hintButton->setObjectName(QStringLiteral("ButtonTrayHint"));
    auto* hintLayout = new QVBoxLayout(hint);
    hintLayout->addWidget(hintButton, 0, Qt::AlignLeft);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(icon);
    layout->addWidget(options);
    layout->addWidget(hint);
    layout->addStretch(1);

    connect(modes, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked)
            return;
        updateEnabled();
        if (m_loading)
            return;
        m_settings.main.trayIconKind = id;
        emit trayChanged();
    });
    connect(m_transfer, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_loading || index < 0)
            return;
        m_settings.main.trayTransferDirection = index;
        emit trayChanged();
    });
    connect(defaults, &QPushButton::clicked, this, [this] {
        setColours(kDefaultColours);
        m_settings.main.trayCpuColour = kDefaultColours[0];
        m_settings.main.trayFreeRamColour = kDefaultColours[1];
        m_settings.main.trayUsedSwapColour = kDefaultColours[2];
        m_settings.main.trayTransferTextColour = kDefaultColours[3];
        emit trayChanged();
    });
    connect(m_clickHides, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.main.trayMinimize = on;
        emit trayOptionsChanged();
    });
    connect(m_protect, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.main.trayIconProtect = on;
        emit trayOptionsChanged();
    });
    connect(hintButton, &QPushButton::clicked, this, &TrayPage::trayHintEditorRequested);
    load();
}

void TrayPage::setColours(const std::array<int, 4>& colours)
{
    for (int i = 0; i < 4; ++i)
        m_colours[i]->setColour(colours[i]);
}

void TrayPage::load()
{
    m_loading = true;
    const MainWindowSettings& s = m_settings.main;
    m_modes[s.trayIconKind >= 0 && s.trayIconKind <= 5 ? s.trayIconKind : 2]->setChecked(true);
    setColours({s.trayCpuColour, s.trayFreeRamColour, s.trayUsedSwapColour, s.trayTransferTextColour});
    m_transfer->setCurrentIndex(s.trayTransferDirection == 1 ? 1 : 0);
    m_clickHides->setChecked(s.trayMinimize);
    m_protect->setChecked(s.trayIconProtect);
    updateEnabled();
    m_loading = false;
}

void TrayPage::updateEnabled()
{
    // Each colour belongs to one mode: CPU 1, RAM 2, SWAP 3, transfer 5.
    m_colours[0]->setEnabled(m_modes[1]->isChecked());
    m_colours[1]->setEnabled(m_modes[2]->isChecked());
    m_colours[2]->setEnabled(m_modes[3]->isChecked());
    m_colours[3]->setEnabled(m_modes[5]->isChecked());
    m_transfer->setEnabled(m_modes[5]->isChecked());
}

} // namespace zorvex
