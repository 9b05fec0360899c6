#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace zorvex {

struct Settings;
class ColourBox;

// Tools page Vuzuvured -> "Tray": what the tray icon shows, its colours, the
// click and protection options and the hint editor.
class TrayPage : public QWidget {
    Q_OBJECT
public:
    explicit TrayPage(Settings& settings, QWidget* parent = nullptr);

    void load();

    // The colours "Domyślne ustawienia kolorów" brings back: CPU, RAM, SWAP
    // and the transfer icon's font.
    static constexpr std::array<int, 4> kDefaultColours = {65280, 65535, 16776960, 0};

signals:
    // Mode, colours or transfer direction: the icon pictures are rebuilt.
    void trayChanged();
    void trayOptionsChanged();
    void trayHintEditorRequested();

private:
    void updateEnabled();
    void setColours(const std::array<int, 4>& colours);

    Settings& m_settings;
    std::array<QRadioButton*, 6> m_modes{};
    std::array<ColourBox*, 4> m_colours{}; // CPU, RAM, SWAP, transfer font
    QComboBox* m_transfer;
    QCheckBox* m_clickHides;
    QCheckBox* m_protect;
    bool m_loading = false;
};

} // namespace zorvex
