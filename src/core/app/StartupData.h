#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

namespace zorvex {

class PathTable;

// Picks the sentence file: one of the files matching "Sentencje*.ini" in the
// data folder, uniformly at random (`pick(n)` returns 0..n-1), or
// "Sentencje.ini" when none exists. Chosen once per start.
QString resolveSentencePath(const QString& dataFolder, const std::function<int(int)>& pick);

// Moves "Alarm.ini", "Prywatne.ini" and "RadioU.ini" of older versions to
// their per-profile names. A move onto an existing file fails and both stay.
void migrateLegacyFiles(const PathTable& paths);

struct DecimalSeparators {
    QChar decimal;
    QChar other; // "," for ".", "." for ",", else a blank
};
DecimalSeparators probeDecimalSeparators(const QLocale& locale);

// The first required data file that is missing ("Imieniny.ini", then the
// sentence file), or empty when both exist.
QString missingRequiredFile(const PathTable& paths);

// The login name, or "Uzytkownik" when it is empty.
QString profileNameFor(const QString& loginName);

// "Plik nie istnieje: " + path.
QString missingFileMessage(const QString& path);

} // namespace zorvex
