#include "ui/status/RemovableDrivesWindow.h"

#include "core/settings/MainWindowSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace zorvex {

RemovableDrivesWindow::RemovableDrivesWindow(MainWindowSettings& settings, QWidget* tools)
    : QWidget(nullptr, Qt::Dialog)
    , m_settings(settings)
    , m_tools(tools)
{
    setObjectName(QStringLiteral("TForm46"));
    setWindowTitle(QStringLiteral("Dyski wymienne"));
    auto* layout = new QGridLayout(this);
    m_removable = new QCheckBox(QStringLiteral("Wyświetl wolne/zajęte miejsce na dyskach wymiennych"), this);
    m_unit = new QComboBox(this);
    m_unit->addItems({QStringLiteral("[MB]"), QStringLiteral("[GB]")});
    m_sum = new QCheckBox(QStringLiteral("Wyświetl sumę wolnego/zajętego miejsca"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    layout->addWidget(m_removable, 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Jednostka:"), this), 1, 0);
    layout->addWidget(m_unit, 1, 1);
    layout->addWidget(m_sum, 2, 0, 1, 2);
    layout->addWidget(ok, 3, 1, Qt::AlignRight);
    connect(m_removable, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.removableDisks = on;
        m_unit->setEnabled(on);
        emit changed();
    });
    connect(m_unit, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_settings.removableDisksInGb = qMax(0, i);
        emit changed();
    });
    connect(m_sum, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.diskSum = on;
        emit changed();
    });
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
}

void RemovableDrivesWindow::open()
{
    const QSignalBlocker a(m_removable), b(m_unit), c(m_sum);
    m_removable->setChecked(m_settings.removableDisks);
    m_unit->setCurrentIndex(m_settings.removableDisksInGb == 1 ? 1 : 0);
    m_unit->setEnabled(m_settings.removableDisks);
    m_sum->setChecked(m_settings.diskSum);
    if (m_tools)
        m_tools->setEnabled(false);
    show();
    raise();
    activateWindow();
}

void RemovableDrivesWindow::closeEvent(QCloseEvent* e)
{
    if (m_tools)
        m_tools->setEnabled(true);
    QWidget::closeEvent(e);
}

} // namespace zorvex
