#include "core/net/PingSettings.h"

#include "core/common/PathTable.h"

namespace zorvex {

PingSettings::PingSettings()
{
    resetToDefaults(*this);
}

void PingSettings::visit(SettingsVisitor& v)
{
    v.boolean("OdswiezAuto", autoCheck, false);
    v.integer("OdswiezAutoMin", autoCheckMinutes, 1, 1, 60);
    v.boolean("OdswiezUru", checkAtStart, false);
    v.integer("CzasLacz", timeoutMs, 100, 1, 5000);
    v.boolean("Powiadomienie", notify, false);
    v.boolean("AutoUkr", notifyAutoHide, false);
    v.integer("AutoUkrSek", notifyHideSeconds, 10, 1, 59);
    v.boolean("Balon", balloon, false);
    v.boolean("BalonUkr", balloonAutoHide, false);
    v.integer("BalonSek", balloonHideSeconds, 10, 1, 59);
    v.boolean("Glosnik", speakerSignal, false);
    v.integer("GlosnikNr", speakerSignalNumber, 0, 0, 14);
    v.boolean("Dzwiek", playSound, false);
    v.text("SciDzwiek", soundFile, QString::fromLatin1(kDefaultPingSound));
    v.text("Przedzial1", rangeStart, QStringLiteral("0.0.0.1"));
    v.text("Przedzial2", rangeEnd, QStringLiteral("0.0.0.255"));
    v.boolean("Nazwy", lookUpNames, true);
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
