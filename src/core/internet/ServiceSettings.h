#pragma once

#include "core/settings/SettingsSection.h"

namespace zorvex {

// Section "Serwis": the addresses of the vendor's service, so that a user
// can point the program at another one (the simulator of the service, for
// trying every internet feature offline).
struct ServiceSettings : SettingsSection {
    QString serviceBase;  // service; an endpoint is appended after "l="
    QString shoutboxBase; // ends in "shoutbox.php?w="
    QString addonsBase;   // add-on pages; ends in "id="

    const char* name() const override { return "Serwis"; }
    void visit(SettingsVisitor& v) override;
};

inline constexpr char kDefaultServiceBase[] = "https://zorvex.pl/serwis.php?l=";
inline constexpr char kDefaultShoutboxBase[] = "https://zorvex.pl/shoutbox.php?w=";
inline constexpr char kDefaultAddonsBase[] = "https://zorvex.pl/dodatki.php?id=";

} // namespace zorvex
