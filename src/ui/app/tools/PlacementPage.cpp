#include "ui/app/tools/PlacementPage.h"

#include "core/app/Settings.h"
#include "ui/app/tools/ScreenPicture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zorvex {

PlacementPage::PlacementPage(Settings& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{
    auto* group = new QGroupBox(QString::fromUtf8("Położenie okna kalendarza"), this);
    group->setObjectName(QStringLiteral("GroupPlacement"));
    auto* radios = new QVBoxLayout;
    static const char* const captions[5] = {"Lewy górny róg", "Prawy górny róg", "Lewy dolny róg",
                                            "Prawy dolny róg", "Własne"};
    static const char* const names[5] = {"RadioTopLeft", "RadioTopRight", "RadioBottomLeft", "RadioBottomRight",
                                         "RadioOwnPosition"};
    auto* buttons = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        m_corner[i] = new QRadioButton(QString::fromUtf8(captions[i]), group);
        m_corner[i]->setObjectName(QLatin1String(names[i]));
        buttons->addButton(m_corner[i], i + 1);
        radios->addWidget(m_corner[i]);
    }
    m_lock = new QCheckBox(QString::fromUtf8("Zablokuj zmianę"), group);
    m_lock->setObjectName(QStringLiteral("CheckLockPosition"));
    auto* lockRow = new QHBoxLayout;
    lockRow->addSpacing(20);
    lockRow->addWidget(m_lock);
    radios->addLayout(lockRow);
    radios->addStretch(1);

    m_picture = new ScreenPicture(group);
    auto* groupLayout = new QHBoxLayout(group);
    groupLayout->addLayout(radios, 1);
    groupLayout->addWidget(m_picture, 0, Qt::AlignTop);

    m_topMost = new QCheckBox(QStringLiteral("Zawsze na wierzchu"), this);
    m_topMost->setObjectName(QStringLiteral("CheckTopMost"));
    m_topMost->setToolTip(QStringLiteral("Okno kalendarza na pulpicie zawsze na wierzchu"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(m_topMost);
    layout->addStretch(1);

    connect(buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked)
            return;
        updateLockEnabled();
        if (m_loading)
            return;
        m_settings.main.placement = id;
        emit placementChanged();
    });
    connect(m_lock, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.main.positionLocked = on;
        emit placementChanged();
    });
    connect(m_topMost, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.main.alwaysOnTop = on;
        emit topMostChanged();
    });
    load();
}

void PlacementPage::load()
{
    m_loading = true;
    const int mode = m_settings.main.placement;
    m_corner[mode >= 1 && mode <= 5 ? mode - 1 : 3]->setChecked(true);
    m_lock->setChecked(m_settings.main.positionLocked);
    m_topMost->setChecked(m_settings.main.alwaysOnTop);
    updateLockEnabled();
    m_loading = false;
}

void PlacementPage::updateLockEnabled()
{
    m_lock->setEnabled(m_corner[4]->isChecked());
}

void PlacementPage::setWindowPosition(const QRect& window, const QRect& screen)
{
    m_picture->setWindowPosition(window, screen);
}

} // namespace zorvex
