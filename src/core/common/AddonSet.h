#pragma once

#include <QDir>
#include <QString>

namespace zorvex {

// The file of a set folder named `fileName` whatever its letter case
// (compared with PolishUpper, as the sets' original system did), or empty.
QString findIgnoringCase(const QDir& dir, const QString& fileName);

// The version an add-on set states in its "Wersja.ini": the first line, in
// the file's own encoding (Windows-1250 unless it is UTF-8), trimmed; empty
// when the set has none.
QString addonSetVersion(const QString& setFolder);

} // namespace zorvex
