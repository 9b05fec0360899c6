#include "ui/internet/OtherPagePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

OtherPagePanel::OtherPagePanel(QWidget* parent)
    : QWidget(parent)
    , m_updateGroup(new QGroupBox(QStringLiteral("Aktualizacja danych Zorvex"), this))
    , m_check(new QPushButton(QStringLiteral("Sprawdź czy jest aktualizacja"), m_updateGroup))
    , m_automatic(new QCheckBox(QStringLiteral("Sprawdzaj automatycznie"), m_updateGroup))
    , m_howOften(new QComboBox(m_updateGroup))
    , m_autostart(new QCheckBox(QStringLiteral("Uruchom Zorvex wraz ze startem systemu")))
{
    setObjectName(QStringLiteral("OtherPagePanel"));
    m_updateGroup->setObjectName(QStringLiteral("UpdateGroup"));
    m_check->setObjectName(QStringLiteral("CheckUpdateButton"));
    m_automatic->setObjectName(QStringLiteral("AutomaticCheck"));
    m_howOften->setObjectName(QStringLiteral("HowOften"));
    m_howOften->addItems({QStringLiteral("raz dziennie"), QStringLiteral("raz na tydzień")});
    m_autostart->setObjectName(QStringLiteral("CheckBox71"));
    auto* reset = new QPushButton(QStringLiteral("Reset stanu aktualizacji"), m_updateGroup);
    reset->setObjectName(QStringLiteral("ResetUpdateButton"));

    auto* update = new QGridLayout(m_updateGroup);
    update->addWidget(m_check, 0, 0);
    update->addWidget(reset, 0, 1);
    update->addWidget(m_automatic, 1, 0);
    update->addWidget(m_howOften, 1, 1);

    auto* backupGroup = new QGroupBox(QStringLiteral("Kopia zapasowa wszystkich ustawień Zorvex"), this);
    backupGroup->setObjectName(QStringLiteral("BackupGroup"));
    auto* backup = new QPushButton(QStringLiteral("Utwórz kopię zapasową ustawień"), backupGroup);
    backup->setObjectName(QStringLiteral("BitBtn75"));
    auto* restore = new QPushButton(QStringLiteral("Przywróć ustawienia"), backupGroup);
    restore->setObjectName(QStringLiteral("BitBtn76"));
    auto* backupLayout = new QHBoxLayout(backupGroup);
    backupLayout->addWidget(backup);
    backupLayout->addWidget(restore);

    auto* startGroup = new QGroupBox(QStringLiteral("Uruchamianie"), this);
    startGroup->setObjectName(QStringLiteral("StartGroup"));
    m_autostart->setParent(startGroup);
    auto* startLayout = new QVBoxLayout(startGroup);
    startLayout->addWidget(m_autostart);

    auto* proxy = new QPushButton(QStringLiteral("Ustawienia proxy"), this);
    proxy->setObjectName(QStringLiteral("ProxyButton"));
    auto* associations = new QPushButton(QStringLiteral("Skojarzenia plików"), this);
    associations->setObjectName(QStringLiteral("BitBtn138"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(proxy);
    buttons->addWidget(associations);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_updateGroup);
    layout->addWidget(backupGroup);
    layout->addWidget(startGroup);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(m_check, &QPushButton::clicked, this, &OtherPagePanel::checkRequested);
    connect(reset, &QPushButton::clicked, this, &OtherPagePanel::resetRequested);
    connect(backup, &QPushButton::clicked, this, &OtherPagePanel::backupRequested);
    connect(restore, &QPushButton::clicked, this, &OtherPagePanel::restoreRequested);
    connect(proxy, &QPushButton::clicked, this, &OtherPagePanel::proxyRequested);
    connect(associations, &QPushButton::clicked, this, &OtherPagePanel::associationsRequested);
    const auto automatic = [this] { emit automaticChanged(m_automatic->isChecked(), m_howOften->currentIndex()); };
    connect(m_automatic, &QCheckBox::toggled, this, automatic);
    connect(m_howOften, &QComboBox::currentIndexChanged, this, automatic);
    connect(m_autostart, &QCheckBox::toggled, this, &OtherPagePanel::autostartToggled);
}

} // namespace zorvex
