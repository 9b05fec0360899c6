#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QRadioButton;

namespace zorvex {

struct PlaybackPanelSettings;

// "Ustawienia panelu odtwarzania" (TForm40): what the panel's right part
// shows and the panel's four switches. Its choices apply at once; closing it
// writes them (`save`). The skin is chosen on the "Wygląd" page.
class PanelOptionsWindow : public QDialog {
    Q_OBJECT
public:
    explicit PanelOptionsWindow(PlaybackPanelSettings& settings, QWidget* parent = nullptr);
    // Shows the settings as they are now.
    void load();
    std::function<void()> save;

signals:
    void changed();

protected:
    void hideEvent(QHideEvent* e) override;

private:
    PlaybackPanelSettings& m_settings;
    QRadioButton* m_parts[4] = {};
    QCheckBox* m_recordingTime = nullptr; // CheckBox2
    QCheckBox* m_switchPanel = nullptr;   // CheckBox1
    QCheckBox* m_waveVolume = nullptr;    // CheckBox3
    QCheckBox* m_exclusive = nullptr;     // CheckBox4
    bool m_loading = false;
};

} // namespace zorvex
