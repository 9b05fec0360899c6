#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

namespace zorvex {

struct RecordingSettings;

inline constexpr int kRecordingBitrateCount = 18;
inline constexpr int kRecordingPatternCount = 8;

// The lists of the options window, in index order.
QStringList recordingModeItems();
QStringList recordingQualityItems();   // "10 (Najwyższa)", "9" … "2", "1 (Najniższa)"
QStringList recordingFrequencyItems(); // "48 kHz" … "8 kHz"
QStringList recordingBitrateItems();   // "8 kbs" … "320 kbs"
// "Własne ustawienie..." and the seven ready patterns.
QStringList recordingPatterns();
inline constexpr char kDefaultRecordingPattern[] = "[stacja]\\[tytuł]";

// The pattern files are named by: the chosen ready pattern, or the user's
// own (Wzorzec) for "Własne ustawienie..."; the default when that is empty.
QString effectiveRecordingPattern(const RecordingSettings& s);

// The encoder's options in their fixed order ("-m", "s", "-q", "5", …).
QStringList lameOptions(const RecordingSettings& s);
// The same as one line, each option with a space in front:
// " -m s -q 5 --resample 44.1 -b 128" with the defaults.
QString lameOptionLine(const RecordingSettings& s);
// The command line as the options window would show it: the program
// unquoted, the options, " - " and the quoted file.
QString encoderCommandLine(const QString& program, const RecordingSettings& s, const QString& path);
// The same as the argument list the encoder is started with: no shell and
// no quoting, so no character of a path can become an option.
QStringList encoderArguments(const QString& program, const RecordingSettings& s, const QString& path);

// A station name or stream title as a file name may use: only letters,
// digits and the punctuation of the recorder's set, trimmed, "_" read as a
// space. Separators, quotes and control characters go.
QString recordingNameText(const QString& text);
// The station text: the name, or the title when the name is empty;
// "Radio" when nothing usable is left.
QString recordingStationText(const QString& stationName, const QString& title);
// The title text: the title, or the station text when the title is empty.
QString recordingTitleText(const QString& title, const QString& stationText);

// Replaces "[stacja]", "[tytuł]"/"[tytul]", "[data]" (yyyy.MM.dd) and
// "[czas]" (hh.mm) in one pass, so a title holding a placeholder is not
// expanded again; "Radio" when the result is empty.
QString expandRecordingPattern(const QString& pattern, const QString& station, const QString& title,
                               const QDateTime& now);
// The example of the file-names window: the pattern with sample texts and
// ".mp3".
QString recordingPatternExample(const QString& pattern, const QDateTime& now);

// The file to record into: `folder` (absolute, with or without a trailing
// "/"), the expanded pattern `name` ("\" and "/" make subfolders) and
// ".mp3"; "[1]", "[2]", … before ".mp3" while `exists` says the file is
// there. Parts made only of dots or blanks become "Radio", empty parts go,
// and each part (the file's with its suffix and ".mp3") is cut to 255 bytes
// of UTF-8. Empty when the result would not lie inside the folder.
QString recordingFilePath(const QString& folder, const QString& name,
                          const std::function<bool(const QString&)>& exists);

// "Nagrywanie: hh:mm:ss"; hours count modulo 60.
QString radioRecordingText(qint64 seconds);

// A split that waits for the delay after a title change; a later change
// restarts the wait.
class PendingSplit {
public:
    void titleChanged(qint64 nowMs) { m_pending = true, m_since = nowMs; }
    void clear() { m_pending = false; }
    bool pending() const { return m_pending; }
    // True once the whole seconds since the change reach `delaySeconds`;
    // the pending split is then cleared. Recording stopped or splitting
    // turned off clears it too.
    bool due(qint64 nowMs, int delaySeconds, bool recording, bool splitOn);

private:
    bool m_pending = false;
    qint64 m_since = 0;
};

} // namespace zorvex
