#pragma once

#include "core/common/DayTime.h"
#include "core/common/FontValue.h"

#include <QString>

#include <climits>

namespace zorvex {

// A section of the settings file describes its keys once, through a visitor:
// the same description resets the defaults, loads, and saves, so a key's
// name, type and default live in one place. A feature adds its keys by
// writing one such section and listing it in Settings::sections().
class SettingsVisitor {
public:
    virtual ~SettingsVisitor() = default;
    virtual void boolean(const char* key, bool& v, bool def) = 0;
    // Values outside [min, max] are pulled back into it on load.
    virtual void integer(const char* key, int& v, int def, int min = INT_MIN, int max = INT_MAX) = 0;
    virtual void colour(const char* key, int& v, int def) = 0;
    virtual void text(const char* key, QString& v, const QString& def) = 0;
    virtual void date(const char* key, DayTime& v, DayTime def) = 0;
    virtual void dateTime(const char* key, DayTime& v, DayTime def) = 0;
    virtual void real(const char* key, double& v, double def) = 0;
    // An unparsable font value keeps the built-in font `def`.
    virtual void font(const char* key, FontValue& v, const FontValue& def) = 0;
};

class SettingsSection {
public:
    virtual ~SettingsSection() = default;
    virtual const char* name() const = 0;
    virtual void visit(SettingsVisitor& v) = 0;
};

// Sets every key of the section to its default, through the same visit that
// loads and saves, so defaults live in one place.
void resetToDefaults(SettingsSection& section);

} // namespace zorvex
