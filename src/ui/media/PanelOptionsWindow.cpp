#include "ui/media/PanelOptionsWindow.h"

#include "core/media/MediaSettings.h"
#include "core/media/PanelSkins.h"
#include "ui/common/AddonListMarks.h"
#include "ui/common/Messages.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zorvex {
namespace {
QString u(const char* s) { return QString::fromUtf8(s); }
} // namespace

PanelOptionsWindow::PanelOptionsWindow(PlaybackPanelSettings& settings, QString skinsFolder, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_skinsFolder(std::move(skinsFolder))
{
    setObjectName(QStringLiteral("TForm40"));
    setWindowTitle(u("Ustawienia panelu odtwarzania"));
    auto* layout = new QVBoxLayout(this);
    auto* player = new QGroupBox(u("Menadżer m3u"), this);
    auto* pl = new QVBoxLayout(player);
    const char* captions[4] = {"Pokaż suwak przewijania utworu", "Pokaż suwak zmiany głośności",
                               "Pokaż czas aktualnie odtwarzanego utworu (upłynęło)",
                               "Pokaż czas aktualnie odtwarzanego utworu (pozostało)"};
    for (int i = 0; i < 4; ++i) {
        m_parts[i] = new QRadioButton(u(captions[i]), player);
        m_parts[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        pl->addWidget(m_parts[i]);
        connect(m_parts[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on || m_loading)
                return;
            m_settings.rightPart = i;
            emit changed();
        });
    }
    layout->addWidget(player);
    const auto check = [this, layout](const char* name, const char* text, const char* hint, bool PlaybackPanelSettings::*field) {
        auto* c = new QCheckBox(u(text), this);
        c->setObjectName(QLatin1String(name));
        if (hint)
            c->setToolTip(u(hint));
        layout->addWidget(c);
        connect(c, &QCheckBox::toggled, this, [this, field](bool on) {
            if (m_loading)
                return;
            m_settings.*field = on;
            emit changed();
        });
        return c;
    };
    m_recordingTime = check("CheckBox2", "Pokaż czas nagrywania (zamiast suwaka głośności) podczas nagrywania", nullptr,
                            &PlaybackPanelSettings::recordingTime);
    m_switchPanel = check("CheckBox1", "Automatycznie przełącz na panel Radio/Menadżer podczas odtwarzania", nullptr,
                          &PlaybackPanelSettings::switchPanel);
    m_waveVolume = check("CheckBox3", "Zmieniaj głośność systemową Wave, gdy Radio/Menadżer jest nieaktywny",
                         "Jeśli Menadżer m3u lub Radio niczego nie odtwarza, to suwak głośności będzie służył do zmiany "
                         "głośności systemowej Wave",
                         &PlaybackPanelSettings::waveVolume);
    m_exclusive = check("CheckBox4", "Zapobiegaj jednoczesnemu odtwarzaniu radia i menadżera m3u",
                        "Zatrzymaj odtwarzanie radia, jeśli włączone zostaje odtwarzanie w menadżerze m3u (i odwrotnie)",
                        &PlaybackPanelSettings::exclusive);
    auto* skinRow = new QHBoxLayout;
    m_skins = new QComboBox(this);
    m_skins->setObjectName(QStringLiteral("ComboBox39"));
    auto* removeSkin = new QPushButton(u("Usuń"), this);
    removeSkin->setToolTip(u("Usuń wybraną skórkę panelu odtwarzania"));
    skinRow->addWidget(new QLabel(u("Skórka panelu odtwarzania:"), this));
    skinRow->addWidget(m_skins, 1);
    skinRow->addWidget(removeSkin);
    layout->addLayout(skinRow);
    connect(m_skins, &QComboBox::activated, this, [this](int i) {
        const QString name = m_skins->itemText(i);
        m_settings.skin = i == 0 ? builtInSkinName() : name;
        emit skinChosen(i == 0 ? QString() : QDir(m_skinsFolder).filePath(name + QLatin1String("/skin.bmp")));
    });
    connect(removeSkin, &QPushButton::clicked, this, [this] { deleteSelectedSkin(); });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);
    load();
}

void PanelOptionsWindow::fillSkins()
{
    m_skins->clear();
    m_skins->addItem(builtInSkinName());
    m_skins->addItems(panelSkinNames(m_skinsFolder));
    markSetFolderEntries(m_skins, m_skinsFolder, QDateTime::currentDateTime());
    const int at = m_skins->findText(m_settings.skin);
    m_skins->setCurrentIndex(at > 0 ? at : 0);
}

void PanelOptionsWindow::deleteSelectedSkin(bool ask)
{
    const int index = m_skins->currentIndex();
    if (index <= 0)
        return; // the built-in skin has no folder
    const QString name = m_skins->itemText(index);
    if (ask && !askYesNo(u("Usuwanie skóry panelu odtwarzania"), u("Na pewno usunąć wybraną skórkę panelu odtwarzania?"), this))
        return;
    QString error;
    if (!deletePanelSkin(m_skinsFolder, name, &error)) {
        showError(error, this);
        return;
    }
    m_skins->removeItem(index);
    m_skins->setCurrentIndex(std::min(index, m_skins->count() - 1));
    if (m_settings.skin == name) {
        m_settings.skin = m_skins->currentIndex() > 0 ? m_skins->currentText() : builtInSkinName();
        emit skinChosen(m_skins->currentIndex() > 0
                            ? QDir(m_skinsFolder).filePath(m_skins->currentText() + QLatin1String("/skin.bmp"))
                            : QString());
    }
}

void PanelOptionsWindow::load()
{
    m_loading = true;
    fillSkins();
    const int part = std::clamp(m_settings.rightPart, 0, 3);
    m_parts[part]->setChecked(true);
    m_recordingTime->setChecked(m_settings.recordingTime);
    m_switchPanel->setChecked(m_settings.switchPanel);
    m_waveVolume->setChecked(m_settings.waveVolume);
    m_exclusive->setChecked(m_settings.exclusive);
    m_loading = false;
}

void PanelOptionsWindow::hideEvent(QHideEvent* e)
{
    if (save)
        save();
    QDialog::hideEvent(e);
}

} // namespace zorvex
