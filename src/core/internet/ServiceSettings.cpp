#include "core/internet/ServiceSettings.h"

namespace zorvex {

void ServiceSettings::visit(SettingsVisitor& v)
{
    v.text("Adres", adres, QString::fromLatin1(kDefaultServiceBase));
    v.text("Shoutbox", shoutbox, QString::fromLatin1(kDefaultShoutboxBase));
    v.text("Dodatki", dodatki, QString::fromLatin1(kDefaultAddonsBase));
}

} // namespace zorvex
