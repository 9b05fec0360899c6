#include "core/internet/ServiceSettings.h"

namespace zorvex {

void ServiceSettings::visit(SettingsVisitor& v)
{
    v.text("Adres", serviceBase, QString::fromLatin1(kDefaultServiceBase));
    v.text("Shoutbox", shoutboxBase, QString::fromLatin1(kDefaultShoutboxBase));
    v.text("Dodatki", addonsBase, QString::fromLatin1(kDefaultAddonsBase));
}

} // namespace zorvex
