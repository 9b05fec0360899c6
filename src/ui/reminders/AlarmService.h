#pragma once

#include "core/reminders/AlarmCheck.h"
#include "core/shell/LoopServices.h"

#include <QObject>

#include <functional>
#include <memory>

class QWidget;

namespace zorvex {

class Prompts;

class AlarmCountdownWindow;
class AlarmPage;
class BassPlaySet;
class Clock;
class PathTable;
class PowerActions;
class TrayIcon;

// Alarms as the running program has them: the page's list, the
// once-per-second check, and what a firing alarm does (sound through the
// alarm player, program, message or balloon, power action behind the
// cancel window).
class AlarmService : public QObject, public AlarmHandler, public SecondTickService {
    Q_OBJECT
public:
    AlarmService(const Clock& clock, const PathTable& paths, BassPlaySet& players, TrayIcon* tray, Prompts& prompts,
                 QObject* parent = nullptr);
    ~AlarmService() override;

    AlarmPage* page() const { return m_page; }
    // The 100 ms tick: evaluates once per second.
    void tick();
    void newSecond(const QDateTime& now) override;
    // The save pass: writes the list file, unless it could not be read whole
    // (then it stays as it is, and stderr says so once).
    void save();
    // "Dodaj alarm" on a day of the month.
    void beginAdd(const QDate& date);
    // "Zatrzymaj dźwięk": the alarm player is closed and "Testuj" released.
    void stopSound();

    void alarmsChanged() override;
    void runPowerAction(PowerAction action, bool withCancelWindow) override;
    void playAlarmSound(const QString& path) override;
    void startProgram(const QString& commandLine) override;
    void showMessageBox(const QString& caption, const QString& text, AlarmIcon icon) override;
    void showBalloon(const QString& caption, const QString& text, AlarmIcon icon) override;

private:
    void play(const QString& path);

    const Clock& m_clock;
    const PathTable& m_paths;
    BassPlaySet& m_players;
    TrayIcon* m_tray;
    Prompts& m_prompts;
    AlarmPage* m_page = nullptr; // owned by the Tools window once placed there
    std::unique_ptr<PowerActions> m_power;
    std::unique_ptr<AlarmCountdownWindow> m_countdown;
    std::unique_ptr<AlarmCheck> m_check;
    bool m_fileReplaceable = true;
};

} // namespace zorvex
