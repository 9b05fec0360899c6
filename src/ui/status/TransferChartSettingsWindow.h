#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QSlider;
class QLabel;

namespace zorvex {

class ColourBox;
class NumberField;
struct TransferChartSettings;

// "Ustawienia: Wykres aktualnego transferu": the chart's colours, the limit
// of the shown transfer and the window's options. Each change applies at
// once; closing the window has the settings written.
class TransferChartSettingsWindow : public QWidget {
    Q_OBJECT
public:
    explicit TransferChartSettingsWindow(TransferChartSettings& settings, QWidget* parent = nullptr);

    // Shows the settings again in every control.
    void load();

signals:
    void changed();
    // "Pokaż wykres".
    void showChartToggled();
    void closed();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void enableControls();

    TransferChartSettings& m_settings;
    std::array<ColourBox*, 7> m_colours{};
    NumberField* m_limit = nullptr;
    QCheckBox* m_limitOn = nullptr;
    QCheckBox* m_showAtStart = nullptr;
    QCheckBox* m_onTop = nullptr;
    QCheckBox* m_inFront = nullptr;
    QCheckBox* m_blend = nullptr;
    QSlider* m_blendLevel = nullptr;
    QLabel* m_blendText = nullptr;
    QCheckBox* m_tray = nullptr;
    QCheckBox* m_noFrame = nullptr;
    QCheckBox* m_transparent = nullptr;
    QCheckBox* m_hideMax = nullptr;
    bool m_loading = false;
};

} // namespace zorvex
