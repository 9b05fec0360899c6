#pragma once

#include "core/common/IniFile.h"

#include <QList>
#include <QString>

namespace zorvex {

struct NameSearchHit {
    int month = 0;
    int day = 0;
    QString names;
    // The result list's line: "11.11 " followed by the names.
    QString line() const;
};

// The days whose names contain `text`, compared through PolishUpper, in
// calendar order (month 1-12, day 1-31). Empty text finds nothing.
QList<NameSearchHit> searchNames(const IniFile& namesFile, const QString& text);
// Reads the name-day file afresh; a missing file finds nothing.
QList<NameSearchHit> searchNames(const QString& namesPath, const QString& text);

} // namespace zorvex
