#pragma once

#include "core/reminders/AlarmPower.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace zorvex {

class Prompts;

// "Zorvex - Alarm": the 30-second chance to cancel a power action. Also the
// one place alarms run power actions, so a failure is always reported.
class AlarmCountdownWindow : public QWidget {
    Q_OBJECT

public:
    AlarmCountdownWindow(PowerActions& power, Prompts& prompts, QWidget* parent = nullptr);

    // What an alarm asks for: at once, or after the countdown.
    void request(PowerAction action, bool withCancelWindow);
    const PowerCountdown& countdown() const { return m_countdown; }
    // One second of the countdown; the window's timer calls it.
    void secondElapsed() { m_countdown.secondElapsed(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void runNow(PowerAction action);

    static constexpr int kPictureSize = 32;

    PowerActions& m_power;
    Prompts& m_prompts;
    PowerCountdown m_countdown;
    QTimer m_timer;
    QLabel* m_picture; // the action's picture
    QLabel* m_label;
    QLabel* m_counter;
    QPushButton* m_cancel;
};

} // namespace zorvex
