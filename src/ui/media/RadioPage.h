#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTabWidget;

namespace zorvex {

// The Tools page "Radio": the two station lists, the transport and
// favourite buttons, the station fields and the reconnect countdown. It only
// holds the controls; RadioService gives them their behaviour.
class RadioPage : public QWidget {
    Q_OBJECT
public:
    explicit RadioPage(QWidget* parent = nullptr);

    enum Tab { AllStations = 0, Favourites = 1 };

    QTabWidget* tabs = nullptr;
    QComboBox* categories = nullptr; // ComboBox5
    QListWidget* stations = nullptr; // RadioL
    QListWidget* favourites = nullptr; // ListBox16

    QPushButton* play = nullptr;     // BitBtn106
    QPushButton* stop = nullptr;     // BitBtn103
    QPushButton* next = nullptr;     // BitBtn114
    QPushButton* previous = nullptr; // BitBtn113
    QPushButton* record = nullptr;   // BitBtn125
    QPushButton* recordOptions = nullptr; // BitBtn126
    QPushButton* addFavourite = nullptr; // BitBtn104
    QPushButton* addStation = nullptr;   // BitBtn105
    QPushButton* editStation = nullptr;  // BitBtn109
    QPushButton* removeStation = nullptr; // BitBtn102
    QPushButton* moveUp = nullptr;   // BitBtn107
    QPushButton* moveDown = nullptr; // BitBtn108

    QScrollBar* volume = nullptr;     // Scroll2
    QLabel* volumeText = nullptr;     // Label88
    QCheckBox* autoPlay = nullptr;    // CheckBox56
    QComboBox* autoStation = nullptr; // ComboRad

    QLineEdit* name = nullptr;    // Edit43
    QLineEdit* bitrate = nullptr; // Edit44
    QLineEdit* title = nullptr;   // Edit45
    QLabel* webPage = nullptr;    // Label81
    QLabel* state = nullptr;      // Label84
    QLabel* recordingTime = nullptr; // Label114

    QWidget* reconnect = nullptr;          // PanelReConnect
    QLabel* reconnectText = nullptr;       // LblReConnect
    QPushButton* reconnectCancel = nullptr; // BitBtnReConnect

    QListWidget* visibleList() const;
};

} // namespace zorvex
