#pragma once

#include "ui/common/AddonListMarks.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QToolButton;

namespace zorvex {

class Prompts;

class Clock;
struct PlaybackPanelSettings;

// "Skórka panelu odtwarzania:" on the "Wygląd" page (ComboBox39):
// "Domyślny" and every folder of "Gfx/Panel odtwarzania/" holding
// "skin.bmp", marked as every add-on list is (new ones, versions), with the
// delete button.
class PanelSkinList : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFileRole = Qt::UserRole + 1;
    // The marks every add-on list keeps.
    static constexpr int kVersionRole = kAddonVersionRole;
    static constexpr int kAgeRole = kAddonAgeRole;

    PanelSkinList(PlaybackPanelSettings& settings, QString skinsFolder, const Clock& clock, Prompts& prompts,
                  QWidget* parent = nullptr);

    // Scans the folder again and selects the skin in use.
    void reload();
    QComboBox* comboBox() const { return m_combo; }
    QToolButton* deleteButton() const { return m_delete; }

    // Puts on the skin at `index`, as if the user chose it.
    void choose(int index);
    // After the question, deletes the selected skin's folder with all in it.
    void deleteSelected();

signals:
    // The skin picture to put on; empty for the built-in one.
    void skinChosen(const QString& skinFile);

private:
    void updateDeleteButton();

    PlaybackPanelSettings& m_settings;
    QString m_folder;
    const Clock& m_clock;
    Prompts& m_prompts;
    QComboBox* m_combo = nullptr;
    QToolButton* m_delete = nullptr;
};

} // namespace zorvex
