#pragma once

#include "ui/common/BlockedWindow.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zorvex {

class NumberField;
class RecordingNamesWindow;
struct RecordingSettings;

// "Opcje nagrywania" (TForm36): the folder, the encoder's options, the split
// on title change and the continuation after a lost connection. It reads the
// section when opened and writes it back when it closes.
class RecordingOptionsWindow : public QDialog {
    Q_OBJECT
public:
    explicit RecordingOptionsWindow(RecordingSettings& settings, QWidget* parent = nullptr);
    ~RecordingOptionsWindow() override;

    // Shows the window; the Tools window (when given) is disabled meanwhile.
    void openOver(QWidget* toolsWindow);
    RecordingNamesWindow* namesWindow() const { return m_names; }
    // The folder picker; a test replaces it. Gets the title and the folder
    // to start in, gives the chosen folder or nothing.
    std::function<QString(const QString& title, const QString& start)> pickFolder;

    void chooseFolder();
    void openNames();

protected:
    void done(int result) override;

private:
    void load();
    void store();
    void updateEnabled();

    RecordingSettings& m_settings;
    QLineEdit* m_folder;         // Edit1
    QPushButton* m_folderButton; // BitBtn2
    QComboBox* m_mode;           // ComboBox5
    QComboBox* m_quality;        // ComboBox2
    QComboBox* m_frequency;      // ComboBox6
    QRadioButton* m_cbr;         // RadioButton1
    QRadioButton* m_vbr;         // RadioButton2
    QGroupBox* m_cbrBox;
    QGroupBox* m_vbrBox;
    QComboBox* m_bitrate;        // ComboBox1
    QComboBox* m_maxBitrate;     // ComboBox3
    QComboBox* m_qualityVbr;     // ComboBox4
    QCheckBox* m_forceMin;       // CheckBox2
    QCheckBox* m_addToPlaylist;  // CheckBox3
    QCheckBox* m_split;          // CheckBox1
    NumberField* m_delay;        // Edit2 with UpDown1
    QCheckBox* m_continue;       // CheckBox4
    QPushButton* m_namesButton;  // BitBtn3
    QPushButton* m_ok;
    RecordingNamesWindow* m_names = nullptr;
    BlockedWindow m_blocked;
};

// "Nazwy nagrywanych plików" (TForm38): the file-name pattern with its
// example. Opened over the options window, which waits for it.
class RecordingNamesWindow : public QDialog {
    Q_OBJECT
public:
    explicit RecordingNamesWindow(RecordingSettings& settings, QWidget* parent = nullptr);

    void open() override;

protected:
    void done(int result) override;

private:
    void choose(int index);
    void updateExample();

    RecordingSettings& m_settings;
    QComboBox* m_patterns; // ComboBox1
    QLineEdit* m_pattern;  // Edit1
    QLabel* m_example;     // Label5
    QLabel* m_date;        // Label9
    QLabel* m_time;        // Label10
};

} // namespace zorvex
