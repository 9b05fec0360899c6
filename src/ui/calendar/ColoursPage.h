#pragma once

#include "core/common/FontValue.h"
#include "core/common/PathTable.h"
#include "core/settings/MainWindowSettings.h"

#include <QFont>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;
class QVBoxLayout;

namespace zorvex {

class Prompts;

class ColourBox;
struct Settings;

// The precedence of the four marking colours (Kolor_Kol): kinds 1 birthdays,
// 2 name days, 3 important days, 4 private days, highest first. A value of
// other than four characters gives 1, 2, 3, 4; a character that is not a
// digit counts as 1. A kind named twice (or a number outside 1-4) would
// leave another kind out of the order, so repeats are skipped and the
// missing kinds follow in their own order.
std::array<int, 4> precedenceFromSetting(const QString& value);
QString precedenceToSetting(const std::array<int, 4>& order);
QString precedenceLabel(int kind);

// The elements of the text colour list, in the KT01..KT10 order.
QString textElementLabel(TextElement element);
// The elements whose font can be changed: the clock, the scrolling text and
// the information panel.
bool hasFont(TextElement element);

// Tools page Vuzuvured -> "Kolory": the window background (colour, shading
// or skin), the today and marking colours with their precedence, the ten
// text colours and three fonts, the grid and frame switches, the playback
// panel colour and the reset to defaults. Every change goes to the settings
// model at once and is announced; the owner re-applies the look.
class ColoursPage : public QWidget {
    Q_OBJECT
public:
    ColoursPage(Settings& settings, const PathTable& paths, Prompts& prompts, QWidget* parent = nullptr);

    // Shows the model in every control (at start, after a scheme or a reset).
    void load();
    // Shows the skin name again (the background may have cleared it).
    void refreshSkinName();

    // Room for the colour-scheme group, which belongs to another page part.
    void addGroup(QWidget* group);

    // Seams for the dialogs, so the page runs without a person.
    using FontChooser = std::function<std::optional<QFont>(const QFont& current)>;
    using FileChooser = std::function<QString(const QString& folder, const QString& preselected)>;
    void setFontChooser(FontChooser c) { m_fontChooser = std::move(c); }
    void setFileChooser(FileChooser c) { m_fileChooser = std::move(c); }

    TextElement currentElement() const;
    std::array<int, 4> precedence() const;
    // "Domyślne" without the question.
    void restoreDefaults();

signals:
    // ApplyColours: background colour or kind, shading, a text colour.
    void coloursChanged();
    // The skin name was confirmed (Enter or the browse button).
    void backgroundChanged();
    // RedrawCalendar: the today colour, a marking colour, the precedence,
    // the playback panel colour.
    void calendarChanged();
    // "Siatka" or "Ramka": the month and the time-of-day picture's frame.
    void gridOrFrameChanged();
    void temperatureColourChanged();
    // Font1 (clock), Font2 (scrolling text) or Font3 (information panel).
    void fontChanged(zorvex::TextElement element);
    // After "Domyślne": gauge colours and the shaded bars (Kolor_P*, PaskiCien).
    void gaugeColoursChanged();
    void playbackPanelColourChanged();

private:
    QWidget* buildBackgroundGroup();
    QWidget* buildMarkingGroup();
    QWidget* buildPrecedenceGroup();
    QWidget* buildTextGroup();
    QWidget* buildSwitchesGroup();
    ColourBox* colourBox(QWidget* parent, const char* name);
    void updateBackgroundControls();
    void showElement();
    void fillPrecedence(const std::array<int, 4>& order);
    void movePrecedence(int step);
    void chooseFont();
    void browseSkin();
    void confirmSkin();
    void askDefaults();
    FontValue* fontOf(TextElement element);
    QString currentSchemeFolder() const;

    Settings& m_settings;
    PathTable m_paths;
    bool m_loading = false;
    Prompts& m_prompts;
    FontChooser m_fontChooser;
    FileChooser m_fileChooser;

    QVBoxLayout* m_extra = nullptr;
    ColourBox* m_background = nullptr; // ColorGrid1
    QRadioButton* m_colourKind = nullptr;
    QRadioButton* m_skinKind = nullptr;
    QCheckBox* m_shading = nullptr;
    QLineEdit* m_skin = nullptr;
    QToolButton* m_browse = nullptr;
    ColourBox* m_today = nullptr;
    std::array<ColourBox*, 4> m_marking{};
    QListWidget* m_order = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QComboBox* m_elements = nullptr;
    ColourBox* m_textColour = nullptr;
    QToolButton* m_font = nullptr;
    QCheckBox* m_grid = nullptr;
    QCheckBox* m_frame = nullptr;
    ColourBox* m_playback = nullptr;
    QPushButton* m_defaults = nullptr;
};

} // namespace zorvex
