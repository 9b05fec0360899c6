#pragma once

#include "core/reminders/ChimeSettings.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

namespace zorvex {

class Clock;

// Whether hour h (0..23) lies in the window first..last, both included. A
// window whose first hour is not below its last wraps past midnight, so
// 22..6 works and 8..8 admits every hour.
bool hourInWindow(int hour, int first, int last);

// The hour files of a set folder, listed once. Names match regardless of
// letter case ("01.MP3" is "01.mp3"), as on the system the sets were made
// for.
class ChimeSetFiles {
public:
    explicit ChimeSetFiles(const QString& setFolder);

    // The hour's file: two digits first ("07.mp3"), then the plain number
    // ("7.mp3"); hour 0 is file 24. Empty when neither exists.
    QString hourFile(int hour) const;
    // Whether every hour 1 to 24 has its file.
    bool complete() const;

private:
    QString m_folder;
    QHash<QString, QString> m_byUpperName; // PolishUpper(name) -> name
};

// ChimeSetFiles(setFolder).hourFile(hour).
QString chimeHourFile(const QString& setFolder, int hour);

struct ChimeSets {
    QStringList folders;      // sorted, case-insensitive
    QStringList displayNames; // parallel to `folders`
};

// A sub-folder of "Godziny/" is a chime set when every hour 1..24 has its
// sound, named with two digits ("05.mp3") or without padding ("5.mp3").
ChimeSets discoverChimeSets(const QString& dataFolder);

// The 1-based set number pulled into 1..count (0 when the list is empty).
int clampSetNumber(int number, int count);

// What a tick of the hourly chime asks for.
struct ChimeAction {
    enum Kind { None, PlaySet, PlayFile };
    Kind kind = None;
    QString path;
};

// Decides, every tick, whether this full hour sounds and with which file.
// It sounds in second 0 of minute 0 only, once per hour: the hour that
// sounded is remembered, so a second tick in the same second, a clock set
// back a little, or a tick that misses second 1 cannot make it sound twice
// or swallow the next hour.
class Chime {
public:
    Chime(const Clock& clock, const ChimeSettings& settings);

    // The data folder whose "Godziny/" holds the sets, and the current list.
    void setSets(const QString& dataFolder, const ChimeSets& sets);
    const ChimeSets& sets() const { return m_sets; }
    // Full path of a set's folder.
    QString setFolder(const QString& folder) const;
    // PlikGo as a full path.
    QString chosenFile() const;

    // The silencing conditions of the set mode; each answers "no" until it
    // is given.
    std::function<bool()> playlistPlaying = [] { return false; };
    std::function<bool()> radioActive = [] { return false; };
    std::function<bool()> fullScreenInFront = [] { return false; };
    // Draws 0..n-1 for the random set choice.
    std::function<int(int)> pick;

    // `fileTestRunning`: the page's file test plays; the chosen-file chime
    // then stays silent rather than cut it short.
    ChimeAction check(bool fileTestRunning);
    // What would sound for the hour of `time` as the chime is set up now,
    // whatever the hours window and the silencing say: the test the command
    // line asks for. None when the chime is off or has nothing to play.
    ChimeAction preview(const QTime& time) const;

private:
    bool silenced() const;
    bool alreadySounded(const QDateTime& hour) const { return m_lastHour.isValid() && m_lastHour == hour; }

    const Clock& m_clock;
    const ChimeSettings& m_settings;
    QString m_dataFolder;
    ChimeSets m_sets;
    QDateTime m_lastHour; // the full hour that last sounded
};

} // namespace zorvex
