#pragma once

#include "core/reminders/AlarmEntry.h"

#include <QDateTime>
#include <QList>
#include <QMessageBox>
#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace zorvex {

class Prompts;

class Clock;
class NumberField;

// The message box icon that shows an alarm's icon.
QMessageBox::Icon alarmBoxIcon(AlarmIcon icon);

// The alarm editor of the Tools window: the list of alarms and the controls
// of the selected one. Its buttons change only the list in memory; the owner
// saves it with the other Tools settings and wires what the page cannot do
// itself through the callbacks.
class AlarmPage : public QWidget {
    Q_OBJECT

public:
    struct Callbacks {
        // The message as it appears when the alarm fires.
        std::function<void(const QString& caption, const QString& text, AlarmIcon)> showMessageBox;
        std::function<void(const QString& caption, const QString& text, AlarmIcon)> showBalloon;
        // The tray icon is shown and the desktop shows balloons.
        std::function<bool()> balloonsAvailable;
        // Through the alarm player; the owner calls soundFinished() at the end.
        std::function<void(const QString& path)> playSound;
        std::function<void()> stopSound;
        // File dialogs; empty = cancelled.
        std::function<QString(const QString& caption, const QString& filter)> chooseFile;
    };

    enum class Mode { Browse, Add, Change };

    explicit AlarmPage(Prompts& prompts, QWidget* parent = nullptr);
    ~AlarmPage() override;

    void setCallbacks(Callbacks callbacks);
    // Today's date and "Kiedy..." come from it; the system clock otherwise.
    void setClock(const Clock* clock);

    // The list the alarm check works on lives here.
    QList<AlarmEntry>& alarms() { return m_alarms; }
    void setAlarms(const QList<AlarmEntry>& alarms);
    // After an alarm fired: shows the list again unless the user is editing.
    void refreshList();

    Mode mode() const { return m_mode; }
    bool editing() const { return m_mode != Mode::Browse; }
    int currentIndex() const;

    // "Dodaj alarm" of the calendar menu: add mode, one-off, on `date` at `time`.
    void beginAdd(const QDate& date, const QTime& time);
    // An alarm link of a web page: a one-off alarm at `when` with a message
    // window showing `text` as plain text, and nothing else (no program, no
    // power action, no sound). An edit in progress is dropped only after
    // the user agrees; false when it is kept.
    bool beginAddFromLink(const QDateTime& when, const QString& text);
    // The alarm sound ended or "Zatrzymaj dźwięk" was pressed: release "Testuj".
    void soundFinished();
    // Plays or releases like the "Testuj" button; used when an alarm fires.
    void showSoundPlaying(bool playing);

signals:
    // The list in memory changed through the editor.
    void alarmsEdited();
    // "Zatrzymaj dźwięk" of the Tools window follows this.
    void soundPlayingChanged(bool playing);

private:
    void buildUi();
    void buildWhenMenu();
    void fillList();
    void showAlarm(int index);
    void showControlsFor(int recurrence);
    void setMode(Mode mode);
    void updateApply();
    bool actionChosen() const;
    AlarmEntry entryFromControls() const;
    void apply();
    void cancelEdit();
    void addNew();
    void changeSelected();
    void removeSelected();
    void setWhen(const QDateTime& when);
    void customWhen();
    void testMessage();
    void testSound();
    bool ask(const QString& caption, const QString& text);
    void warn(const QString& caption, const QString& text);
    QString chooseFile(const QString& caption, const QString& filter);
    QDateTime now() const;

    Prompts& m_prompts;
    Callbacks m_cb;
    const Clock* m_clock = nullptr;
    QList<AlarmEntry> m_alarms;
    Mode m_mode = Mode::Browse;

    QListWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_remove = nullptr;
    QGroupBox* m_selected = nullptr;
    QCheckBox* m_active = nullptr;
    QGroupBox* m_timeGroup = nullptr;
    NumberField* m_hour = nullptr;
    NumberField* m_minute = nullptr;
    QComboBox* m_recurrence = nullptr;
    QDateEdit* m_date = nullptr;
    QComboBox* m_weekday = nullptr;
    QLabel* m_dayLabel = nullptr;
    QComboBox* m_day = nullptr;
    std::array<QCheckBox*, 7> m_days{};
    QWidget* m_periodic = nullptr;
    NumberField* m_interval = nullptr;
    QDateEdit* m_from = nullptr;
    QCheckBox* m_runLate = nullptr;
    QToolButton* m_when = nullptr;
    QMenu* m_whenMenu = nullptr;
    QGroupBox* m_messageGroup = nullptr;
    QRadioButton* m_noMessage = nullptr;
    QRadioButton* m_boxMessage = nullptr;
    QRadioButton* m_balloonMessage = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QComboBox* m_icon = nullptr;
    QPushButton* m_testMessage = nullptr;
    QGroupBox* m_runGroup = nullptr;
    QCheckBox* m_soundOn = nullptr;
    QLineEdit* m_soundPath = nullptr;
    QPushButton* m_soundBrowse = nullptr;
    QToolButton* m_soundTest = nullptr;
    QCheckBox* m_programOn = nullptr;
    QLineEdit* m_program = nullptr;
    QPushButton* m_programBrowse = nullptr;
    QGroupBox* m_computerGroup = nullptr;
    QCheckBox* m_computerOn = nullptr;
    QComboBox* m_computerAction = nullptr;
    QCheckBox* m_withCancel = nullptr;
    QLabel* m_hint = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace zorvex
