#include "core/settings/SettingsSection.h"

namespace zorvex {
namespace {

class DefaultsVisitor : public SettingsVisitor {
public:
    void boolean(const char*, bool& v, bool def) override { v = def; }
    void integer(const char*, int& v, int def, int, int) override { v = def; }
    void colour(const char*, int& v, int def) override { v = def; }
    void text(const char*, QString& v, const QString& def) override { v = def; }
    void date(const char*, DayTime& v, DayTime def) override { v = def; }
    void dateTime(const char*, DayTime& v, DayTime def) override { v = def; }
    void real(const char*, double& v, double def) override { v = def; }
    void font(const char*, FontValue& v, const FontValue& def) override { v = def; }
};

} // namespace

void resetToDefaults(SettingsSection& section)
{
    DefaultsVisitor d;
    section.visit(d);
}

} // namespace zorvex
