#pragma once

#include "core/reminders/AlarmEntry.h"

#include <QString>

#include <functional>

namespace zorvex {

// Switches the computer off, restarts it and the like.
class PowerActions {
public:
    virtual ~PowerActions() = default;
    // Empty when the request was accepted; otherwise why not, in Polish,
    // ready for a message box.
    virtual QString run(PowerAction action) = 0;
};

// "Wyłączenie kompuera za:" and the others: the countdown window's label.
QString powerCountdownLabel(PowerAction action);

// The 30-second cancel window before a power action. The owner shows the
// window, calls secondElapsed() once a second while counting() and runs the
// action when it says so.
class PowerCountdown {
public:
    static constexpr int kSeconds = 30;

    struct Callbacks {
        // Show (or refresh) the window: label and "<n> sek.".
        std::function<void(const QString& label, const QString& counter)> show;
        // Every fifth second: put the window on top again.
        std::function<void()> raise;
        std::function<void()> hide;
        // The counter reached 0.
        std::function<void(PowerAction)> run;
    };

    explicit PowerCountdown(Callbacks callbacks);

    // A new countdown replaces a running one.
    void start(PowerAction action);
    // "Anuluj" or closing the window: the action does not run.
    void cancel();
    void secondElapsed();

    bool counting() const { return m_counting; }
    int remaining() const { return m_remaining; }
    PowerAction action() const { return m_action; }

    static QString counterText(int seconds);

private:
    Callbacks m_cb;
    PowerAction m_action = PowerAction::PowerOff;
    int m_remaining = 0;
    bool m_counting = false;
};

} // namespace zorvex
