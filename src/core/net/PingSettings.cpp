#include "core/net/PingSettings.h"

#include "core/common/PathTable.h"

namespace zorvex {

PingSettings::PingSettings()
{
    resetToDefaults(*this);
}

void PingSettings::visit(SettingsVisitor& v)
{
    v.boolean("OdswiezAuto", odswiezAuto, false);
    v.integer("OdswiezAutoMin", odswiezAutoMin, 1, 1, 60);
    v.boolean("OdswiezUru", odswiezUru, false);
    v.integer("CzasLacz", czasLacz, 100, 1, 5000);
    v.boolean("Powiadomienie", powiadomienie, false);
    v.boolean("AutoUkr", autoUkr, false);
    v.integer("AutoUkrSek", autoUkrSek, 10, 1, 59);
    v.boolean("Balon", balon, false);
    v.boolean("BalonUkr", balonUkr, false);
    v.integer("BalonSek", balonSek, 10, 1, 59);
    v.boolean("Glosnik", glosnik, false);
    v.integer("GlosnikNr", glosnikNr, 0, 0, 14);
    v.boolean("Dzwiek", dzwiek, false);
    v.text("SciDzwiek", sciDzwiek, QString::fromLatin1(kDefaultPingSound));
    v.text("Przedzial1", przedzial1, QStringLiteral("0.0.0.1"));
    v.text("Przedzial2", przedzial2, QStringLiteral("0.0.0.255"));
    v.boolean("Nazwy", nazwy, true);
}

QString messengerResultText(int code)
{
    switch (code) {
    case 0: return QStringLiteral("Wiadomość została wysłana!");
    case 5: return QStringLiteral("Komputer nie ma praw dostępu do usługi Posłaniec");
    case 50: return QStringLiteral("Sieć nie obsługuje usługi.");
    case 87: return QStringLiteral("Wprowadzono złe parametry.");
    case 2136: return QStringLiteral("Wystąpił konflikt ze sprzętem (sieć).");
    case 2273: return QStringLiteral("Nie znaleziono komputera.");
    default: break;
    }
    return QStringLiteral("Nie można wysłać wiadomości.");
}

} // namespace zorvex
