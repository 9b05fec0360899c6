#pragma once

#include "core/common/DayTime.h"
#include "core/internet/UpdateStamps.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

namespace zorvex {

class Clock;
class PathTable;
class ServiceClient;
class TextRequestClient;
struct MainWindowSettings;
struct ToolsSettings;

// The data check ("Sprawdź czy jest aktualizacja" and the automatic runs):
// asks the service for the stamp line, fetches every list whose stamp
// changed, writes the lists and the new stamps, and says what it did. One
// check runs at a time; every step waits for its answer through the request
// client, so the interface never waits. A silent run that finds no internet
// or whose stamp request fails arms a retry instead of saying anything.
class UpdateCheck {
public:
    struct Hooks {
        // The internet check, with its message when asked.
        std::function<bool(bool showMessage)> internetAvailable = [](bool) { return true; };
        // The common server message; an empty detail shows none.
        std::function<void(const QString& detail)> serverProblem = [](const QString&) {};
        // An information window "Zorvex - Aktualizacja" that waits for nobody.
        std::function<void(const QString& text)> information = [](const QString&) {};
        std::function<void(bool enabled)> buttonEnabled = [](bool) {};
        // A list file was written anew: its owner reloads it.
        std::function<void(UpdateList list)> listReplaced = [](UpdateList) {};
        // AktualizacjaData changed; the settings file gets it at once.
        std::function<void(DayTime date)> checkDateChanged = [](DayTime) {};
        // OstatnioSpr changed (shown in the group caption).
        std::function<void(DayTime when)> lastCheckChanged = [](DayTime) {};
        // The service offers another program update level.
        std::function<void()> programUpdateOffered = [] {};
        // A silent check failed: the main loop runs retry() once its delay
        // has passed; an interactive check drops a pending one.
        std::function<void()> armRetry = [] {};
        std::function<void()> dropRetry = [] {};
    };

    UpdateCheck(const Clock& clock, const PathTable& paths, const ServiceClient& service, TextRequestClient& client,
                ToolsSettings& tools, MainWindowSettings& main, Hooks hooks);

    // Reads the stored stamp line ("Profile.ini", else the older key of the
    // settings file), at start.
    void loadStamps();
    const QString& storedLine() const { return m_stored; }
    // "Reset stanu aktualizacji": the next check fetches every list.
    void resetStamps();

    // The check. An interactive one (the button) first drops a pending
    // retry. Ignored while a check runs.
    void run(bool silent);
    bool running() const { return m_running; }

    // Once after the start-up fade-in: a silent check when automatic checking
    // is on and the daily or weekly interval has come.
    bool dueAtStart() const;
    void startupStep();
    // The retry's silent check waits while a check runs or automatic
    // checking is off.
    bool retryAvailable() const;
    void retry() { run(true); }

    // Drops the running check (program shutdown): no callback follows.
    void abort();

private:
    void onStamps(const HttpAnswer& answer);
    void fetchNext();
    void finish();
    void stop();

    const Clock& m_clock;
    const PathTable& m_paths;
    const ServiceClient& m_service;
    TextRequestClient& m_client;
    ToolsSettings& m_tools;
    MainWindowSettings& m_main;
    Hooks m_hooks;

    QString m_stored = QString::fromLatin1(kEmptyStampLine);
    bool m_running = false;
    bool m_silent = false;
    QStringList m_answer;        // the stamp fields of the running check
    QList<UpdateList> m_pending; // lists still to fetch
    QList<UpdateList> m_updated;
    int m_generation = 0;        // callbacks of an aborted check are dropped
};

} // namespace zorvex
