#include "ui/status/TransferChartSettingsWindow.h"

#include "core/status/StatusSettings.h"
#include "core/status/TransferChart.h"
#include "ui/common/ColourBox.h"
#include "ui/common/NumberField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace zorvex {

TransferChartSettingsWindow::TransferChartSettingsWindow(TransferChartSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("TransferChartSettings"));
    setWindowTitle(QStringLiteral("Ustawienia: Wykres aktualnego transferu"));
    auto* layout = new QGridLayout(this);
    static const char* const captions[7] = {"Kolor tła:",
                                            "Kolor siatki:",
                                            "Kolor słupków (pobrane):",
                                            "Kolor słupków (wysłane):",
                                            "Kolor tekstu (pobrane):",
                                            "Kolor tekstu (wysłane):",
                                            "Kolor tekstu (max):"};
    int row = 0;
    for (int i = 0; i < 7; ++i) {
        layout->addWidget(new QLabel(QString::fromUtf8(captions[i]), this), row, 0);
        m_colours[std::size_t(i)] = new ColourBox(this);
        m_colours[std::size_t(i)]->setObjectName(QStringLiteral("ChartColour%1").arg(i + 1));
        layout->addWidget(m_colours[std::size_t(i)], row++, 1);
        connect(m_colours[std::size_t(i)], &ColourBox::colourChanged, this, [this, i](Colour c) {
            if (m_loading)
                return;
            m_settings.colours[std::size_t(i)] = c;
            emit changed();
        });
    }
    auto* defaults = new QPushButton(QStringLiteral("Domyślne ustawienia kolorów"), this);
    layout->addWidget(defaults, row++, 0, 1, 2);
    connect(defaults, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < 7; ++i)
            m_settings.colours[std::size_t(i)] = kTransferDefaultColours[i];
        load();
        emit changed();
    });

    auto check = [this, layout, &row](const QString& text, bool TransferChartSettings::*field) {
        auto* box = new QCheckBox(text, this);
        layout->addWidget(box, row++, 0, 1, 2);
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
            if (m_loading)
                return;
            m_settings.*field = on;
            enableControls();
            emit changed();
        });
        return box;
    };
    m_showAtStart = check(QStringLiteral("Pokaż wykres przy uruchomieniu programu"), &TransferChartSettings::showAtStart);
    m_limitOn = check(QStringLiteral("Ogranicz wyświetlany transfer do"), &TransferChartSettings::limitShown);
    m_limit = new NumberField(1, 32767, this);
    m_limit->setObjectName(QStringLiteral("ChartLimit"));
    layout->addWidget(m_limit, row - 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("KB/sek."), this), row - 1, 3);
    connect(m_limit, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_loading)
            return;
        m_settings.limitKb = v;
        emit changed();
    });
    m_onTop = check(QStringLiteral("Okno wykresu zawsze na wierzchu"), &TransferChartSettings::alwaysOnTop);
    m_inFront = check(QStringLiteral("Słupki transferu pobieranego z przodu na wykresie"),
                      &TransferChartSettings::receivedInFront);
    layout->addWidget(new QLabel(QStringLiteral("Przeźroczystość (nie zalecana)"), this), row++, 0, 1, 2);
    m_blend = check(QStringLiteral("Włączona"), &TransferChartSettings::translucent);
    m_blendLevel = new QSlider(Qt::Horizontal, this);
    m_blendLevel->setRange(1, 255);
    m_blendText = new QLabel(this);
    layout->addWidget(m_blendLevel, row - 1, 2);
    layout->addWidget(m_blendText, row - 1, 3);
    connect(m_blendLevel, &QSlider::valueChanged, this, [this](int v) {
        m_blendText->setText(QString::number(v * 100 / 255) + QLatin1Char('%'));
        if (m_loading)
            return;
        m_settings.opacity = v;
        emit changed();
    });
    m_tray = check(QStringLiteral("Kliknięcie na ikonę w tray'u powoduje przesunięcie wykresu na wierzch"),
                   &TransferChartSettings::trayClickRaises);
    m_noFrame = check(QStringLiteral("Ukryj obramowanie"), &TransferChartSettings::hideFrame);
    m_transparent = check(QStringLiteral("Przeźroczyste tło"), &TransferChartSettings::transparentBackground);
    m_hideMax = check(QStringLiteral("Ukryj wartość maksymalną"), &TransferChartSettings::hideMaximum);

    auto* show = new QPushButton(QStringLiteral("Pokaż wykres"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    layout->addWidget(show, row, 0);
    layout->addWidget(ok, row, 1);
    connect(show, &QPushButton::clicked, this, &TransferChartSettingsWindow::showChartToggled);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    load();
}

void TransferChartSettingsWindow::load()
{
    m_loading = true;
    for (int i = 0; i < 7; ++i)
        m_colours[std::size_t(i)]->setColour(m_settings.colours[std::size_t(i)]);
    m_showAtStart->setChecked(m_settings.showAtStart);
    m_limitOn->setChecked(m_settings.limitShown);
    m_limit->setValue(m_settings.limitKb);
    m_onTop->setChecked(m_settings.alwaysOnTop);
    m_inFront->setChecked(m_settings.receivedInFront);
    m_blend->setChecked(m_settings.translucent);
    m_blendLevel->setValue(m_settings.opacity);
    m_blendText->setText(QString::number(m_settings.opacity * 100 / 255) + QLatin1Char('%'));
    m_tray->setChecked(m_settings.trayClickRaises);
    m_noFrame->setChecked(m_settings.hideFrame);
    m_transparent->setChecked(m_settings.transparentBackground);
    m_hideMax->setChecked(m_settings.hideMaximum);
    m_loading = false;
    enableControls();
}

void TransferChartSettingsWindow::enableControls()
{
    m_transparent->setEnabled(m_settings.hideFrame);
    const bool transparent = m_settings.hideFrame && m_settings.transparentBackground;
    m_colours[0]->setEnabled(!transparent);
    m_colours[1]->setEnabled(!transparent);
    m_limit->setEnabled(m_settings.limitShown);
    m_blendLevel->setEnabled(m_settings.translucent);
}

void TransferChartSettingsWindow::closeEvent(QCloseEvent* e)
{
    emit closed();
    QWidget::closeEvent(e);
}

} // namespace zorvex
