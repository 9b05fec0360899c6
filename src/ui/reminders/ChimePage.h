#pragma once

#include "core/reminders/Chime.h"

#include <QWidget>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace zorvex {

class Prompts;

class SoundFileChooser;
struct ChimeSettings;

// The "Dźwięk co godzinę" page: the mode, the set or file, the volume, the
// hours and the silencing options. Every change goes straight into the
// settings; sounds go through the callbacks.
class ChimePage : public QWidget {
    Q_OBJECT
public:
    struct Callbacks {
        // The set list as it is on disk now; the owner also hands it to the
        // chime rule.
        std::function<ChimeSets()> rescanSets;
        // Full path of a set folder, of "Godziny/", and PlikGo.
        std::function<QString(const QString& folder)> setFolder;
        std::function<QString()> chimeFolder;
        std::function<QString()> chosenFile;
        // The set test's player; the owner calls setTestFileEnded() when a
        // file ends.
        std::function<void(const QString& path)> playSetFile;
        std::function<void()> closeSetPlayer;
        // The file test's player; the owner calls fileTestEnded() at its end.
        std::function<void(const QString& path)> playFileTest;
        std::function<void()> closeFilePlayer;
        std::function<void(int volume)> volumeChanged;
        // Empty = cancelled.
        std::function<QString(const QString& caption, const QString& filter, const QString& start)> chooseFile;
        std::function<void(const QString& folder)> openFolder;
        std::function<void()> openAddOns;
    };

    ChimePage(ChimeSettings& settings, Prompts& prompts, QWidget* parent = nullptr);

    void setCallbacks(Callbacks callbacks);
    // Shows the settings and the set list again.
    void reload();
    // An add-on just installed: the chime plays that set from now on.
    bool chooseInstalledSet(const QString& folder);

    // Where the window in front cannot be seen, the full-screen option says
    // so and cannot be changed.
    void setFullScreenAvailable(bool available);

    bool setTestRunning() const;
    bool fileTestRunning() const;
    void stopSetTest();
    // The file-mode chime presses the test button.
    void pressFileTest();
    void setTestFileEnded();
    void fileTestEnded();

private:
    void build();
    void rebuildSetList();
    void updateVisibility();
    void chooseSet(int index);
    void setTestToggled(bool on);
    void playNextTestHour();
    void stopFileTest();
    void deleteSet();
    void browseFolder();
    void hoursChanged();

    ChimeSettings& m_settings;
    Prompts& m_prompts;
    Callbacks m_cb;
    ChimeSets m_sets;
    int m_testHour = 0;
    // The set test's file has been handed to the player: the player's next
    // stop is its end. A stop before that (the sound the file replaced) is not.
    bool m_testFilePlaying = false;
    bool m_loading = false;

    QComboBox* m_mode = nullptr;
    QGroupBox* m_setGroup = nullptr;
    QRadioButton* m_random = nullptr;
    QRadioButton* m_chosen = nullptr;
    QWidget* m_chosenPart = nullptr;
    QComboBox* m_setList = nullptr;
    QPushButton* m_setTest = nullptr;
    QPushButton* m_deleteSet = nullptr;
    QPushButton* m_browseFolder = nullptr;
    QPushButton* m_addOns = nullptr;
    QWidget* m_noSets = nullptr;
    QGroupBox* m_fileGroup = nullptr;
    SoundFileChooser* m_fileChooser = nullptr;
    QWidget* m_volumePart = nullptr;
    QSlider* m_volume = nullptr;
    QLabel* m_volumeText = nullptr;
    QGroupBox* m_hoursGroup = nullptr;
    QRadioButton* m_wholeDay = nullptr;
    QRadioButton* m_range = nullptr;
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    QList<QWidget*> m_rangeWidgets;
    QGroupBox* m_optionsGroup = nullptr;
    QCheckBox* m_skipFullScreen = nullptr;
    QLabel* m_fullScreenNote = nullptr;
    QCheckBox* m_skipPlaylist = nullptr;
    QCheckBox* m_skipRadio = nullptr;
    QTimer* m_nextHour = nullptr;
};

} // namespace zorvex
