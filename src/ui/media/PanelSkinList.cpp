#include "ui/media/PanelSkinList.h"

#include "core/common/AddonSet.h"
#include "core/common/Clock.h"
#include "core/media/MediaSettings.h"
#include "core/media/PanelSkins.h"
#include "ui/calendar/PictureSets.h"
#include "ui/common/Messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace zorvex {
namespace {

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

} // namespace

PanelSkinList::PanelSkinList(PlaybackPanelSettings& settings, QString skinsFolder, const Clock& clock,
                             Prompts& prompts, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_folder(std::move(skinsFolder))
    , m_clock(clock)
    , m_prompts(prompts)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("ComboBox39"));
    useAddonMarks(m_combo);
    m_delete = new QToolButton(this);
    m_delete->setObjectName(QStringLiteral("PanelSkinDelete"));
    m_delete->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_delete->setToolTip(u("Usuń wybraną skórkę panelu odtwarzania"));
    layout->addWidget(m_combo, 1);
    layout->addWidget(m_delete);

    connect(m_combo, &QComboBox::activated, this, &PanelSkinList::choose);
    connect(m_combo, &QComboBox::currentIndexChanged, this, &PanelSkinList::updateDeleteButton);
    connect(m_delete, &QToolButton::clicked, this, &PanelSkinList::deleteSelected);
    reload();
}

void PanelSkinList::reload()
{
    const QSignalBlocker block(m_combo);
    m_combo->clear();
    m_combo->addItem(builtInSkinName());
    m_combo->setItemData(0, kNewSetHours, kAgeRole);
    // The picture is found whatever its letter case, as the skins' own
    // system did; it is loaded by the name found.
    const auto skinFile = [](const FolderListing& folder, int) { return folder.find(QStringLiteral("skin.bmp")); };
    int selected = 0;
    for (const PictureSetInfo& skin : scanPictureSets(m_folder, builtInSkinName(), 1, skinFile, m_clock.now())) {
        m_combo->addItem(skin.name);
        const int i = m_combo->count() - 1;
        m_combo->setItemData(i, FolderListing(QDir(m_folder).filePath(skin.name)).find(QStringLiteral("skin.bmp")),
                             kFileRole);
        m_combo->setItemData(i, skin.ageHours, kAgeRole);
        m_combo->setItemData(i, skin.version, kVersionRole);
        if (skin.name == m_settings.skin)
            selected = i;
    }
    m_combo->setCurrentIndex(selected);
    updateDeleteButton();
}

void PanelSkinList::choose(int index)
{
    if (index < 0 || index >= m_combo->count())
        return;
    m_combo->setCurrentIndex(index);
    m_settings.skin = index == 0 ? builtInSkinName() : m_combo->itemText(index);
    emit skinChosen(index == 0 ? QString() : m_combo->itemData(index, kFileRole).toString());
}

void PanelSkinList::deleteSelected()
{
    const int index = m_combo->currentIndex();
    if (index <= 0)
        return; // the built-in skin has no folder
    const QString name = m_combo->itemText(index);
    if (!m_prompts.askYesNo(u("Usuwanie skóry panelu odtwarzania"), u("Na pewno usunąć wybraną skórkę panelu odtwarzania?"),
                            this))
        return;
    QString error;
    if (!deletePanelSkin(m_folder, name, &error)) {
        m_prompts.error(error, this);
        return;
    }
    {
        const QSignalBlocker block(m_combo);
        m_combo->removeItem(index);
        m_combo->setCurrentIndex(std::min(index, m_combo->count() - 1));
    }
    updateDeleteButton();
    // The skin in use is gone: the one now selected takes its place.
    if (m_settings.skin == name)
        choose(m_combo->currentIndex());
}

void PanelSkinList::updateDeleteButton()
{
    m_delete->setEnabled(m_combo->currentIndex() > 0);
}

} // namespace zorvex
