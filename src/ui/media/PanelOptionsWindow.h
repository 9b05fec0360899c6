#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace zorvex {

class Prompts;

struct PlaybackPanelSettings;

// "Ustawienia panelu odtwarzania" (TForm40): what the panel's right part
// shows and the panel's four switches. Its choices apply at once; closing it
// writes them (`save`).
class PanelOptionsWindow : public QDialog {
    Q_OBJECT
public:
    // `skinsFolder`: "Gfx/Panel odtwarzania/" of the data folder.
    PanelOptionsWindow(PlaybackPanelSettings& settings, QString skinsFolder, Prompts& prompts, QWidget* parent = nullptr);
    QComboBox* skinList() const { return m_skins; }
    // "Usuń wybraną skórkę panelu odtwarzania", after its question.
    void deleteSelectedSkin(bool ask = true);
    // Shows the settings as they are now.
    void load();
    std::function<void()> save;

signals:
    void changed();
    // The skin picture to use; empty for the built-in one.
    void skinChosen(const QString& skinFile);

protected:
    void hideEvent(QHideEvent* e) override;

private:
    PlaybackPanelSettings& m_settings;
    QRadioButton* m_parts[4] = {};
    QCheckBox* m_recordingTime = nullptr; // CheckBox2
    QCheckBox* m_switchPanel = nullptr;   // CheckBox1
    QCheckBox* m_waveVolume = nullptr;    // CheckBox3
    QCheckBox* m_exclusive = nullptr;     // CheckBox4
    QComboBox* m_skins = nullptr; // ComboBox39
    QString m_skinsFolder;
    Prompts& m_prompts;
    bool m_loading = false;

    void fillSkins();
};

} // namespace zorvex
