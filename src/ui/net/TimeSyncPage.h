#pragma once

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zorvex {

struct TimeSyncSettings;

// The "Czas" page: the server box, "Synchronizuj teraz", the last
// synchronisation with its correction and the three automatic modes. The
// server box and the mode go straight into the settings.
class TimeSyncPage : public QWidget {
    Q_OBJECT
public:
    explicit TimeSyncPage(TimeSyncSettings& settings, QWidget* parent = nullptr);

    void setServerList(const QStringList& servers);
    QString serverText() const;
    // Shows what the settings hold now: the last time and the correction.
    void showLastSync();
    void setRunning(bool running);
    bool running() const;

signals:
    void synchronizeRequested();

private:
    TimeSyncSettings& m_settings;
    QComboBox* m_server = nullptr;
    QPushButton* m_button = nullptr;
    QLabel* m_last = nullptr;
    QLabel* m_correctionCaption = nullptr;
    QLabel* m_correction = nullptr;
    QRadioButton* m_modes[3] = {};
};

} // namespace zorvex
